#include "app/vtk_files.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <variant>
#include <vector>

namespace fracflow::app {
namespace {

const std::vector<double>& doubles(const vtk::DataArray& array) {
  return std::get<std::vector<double>>(array.values);
}
const std::vector<std::uint8_t>& bytes(const vtk::DataArray& array) {
  return std::get<std::vector<std::uint8_t>>(array.values);
}

TEST(VtkFiles, NetworkEndsAreTheirNodesPoints) {
  // Two segments meet at the internal node (5, 5), one from the left face, one to the right
  // face; a third segment ends at (20, 20), where no node stands (the node counts disagreed),
  // so that end keeps its own point and no head.
  NodeTable nodes;
  nodes.boundaryNodes = 2;
  nodes.internalNodes = 2;
  nodes.nodes = {{10.0, 0.0, 5.0}, {0.0, 10.0, 5.0}, {6.0, 5.0, 5.0}, {4.0, 2.0, 8.0}};
  const SegmentTable segments = {
      {2.0, 0.0, 5.0, 5.0, 5.0}, {3.0, 5.0, 5.0, 10.0, 5.0}, {1.0, 2.0, 8.0, 20.0, 20.0}};
  const vtk::UnstructuredGrid grid = networkDataSet(segments, nodes, true, {1});

  EXPECT_EQ(grid.points, (std::vector<double>{0, 5, 5, 5, 10, 5, 2, 8, 20, 20}));
  EXPECT_EQ(grid.connectivity, (std::vector<std::int32_t>{0, 1, 1, 2, 3, 4}));
  ASSERT_EQ(grid.pointData.size(), 1u);
  const std::vector<double>& head = doubles(grid.pointData[0]);
  EXPECT_EQ(std::vector<double>(head.begin(), head.end() - 1), (std::vector<double>{10, 6, 0, 4}));
  EXPECT_TRUE(std::isnan(head.back()));
  ASSERT_EQ(grid.cellData.size(), 3u);
  EXPECT_EQ(doubles(grid.cellData[0]), (std::vector<double>{2, 3, 1}));
  const std::vector<double>& flow = doubles(grid.cellData[1]);
  EXPECT_EQ(flow[0], std::fabs(0.01 * (10.0 - 6.0) * 2.0 / 5.0));
  EXPECT_EQ(flow[1], std::fabs(0.01 * (6.0 - 0.0) * 3.0 / 5.0));
  EXPECT_TRUE(std::isnan(flow[2]));
  EXPECT_EQ(bytes(grid.cellData[2]), (std::vector<std::uint8_t>{0, 1, 0}));

  // Without the network flow no head is known, not even the fixed ones.
  const vtk::UnstructuredGrid unsolved = networkDataSet(segments, nodes, false, {});
  for (const double h : doubles(unsolved.pointData[0])) EXPECT_TRUE(std::isnan(h));
  for (const double f : doubles(unsolved.cellData[1])) EXPECT_TRUE(std::isnan(f));
  EXPECT_EQ(bytes(unsolved.cellData[2]), (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(VtkFiles, GridCellsGoWhereTheirCentresStand) {
  // A 3 × 2 grid of 2 × 1 cells: active boundary cell (2, 1) and, as if internal, (1, 0).
  const grid::GridGeometry geometry{3, 2, 2.0, 1.0, 6.0, 2.0};
  CellTable table;
  table.boundaryCells = 1;
  table.internalCells = 1;
  table.cells.resize(2);
  table.cells[0] = {{5.0, 1.5}, {1, 2, 3, 4}, {5, 6, 7, 8}, {0.1, 0.2, 0.3, 0.4}, 7.5};
  table.cells[1] = {{3.0, 0.5}, {9, 9, 9, 9}, {1, 1, 1, 1}, {1, 1, 1, 1}, 3.25};
  const vtk::ImageData image = gridDataSet(table, geometry);

  EXPECT_EQ(image.cellsX, 3);
  EXPECT_EQ(image.cellsY, 2);
  ASSERT_EQ(image.cellData.size(), 5u);
  const std::vector<double>& head = doubles(image.cellData[0]);
  for (const int v : {0, 2, 3, 4}) EXPECT_TRUE(std::isnan(head[static_cast<std::size_t>(v)]));
  EXPECT_EQ(head[1], 3.25);  // (1, 0)
  EXPECT_EQ(head[5], 7.5);   // (2, 1)
  EXPECT_EQ(bytes(image.cellData[1]), (std::vector<std::uint8_t>{0, 2, 0, 0, 0, 1}));
  const std::vector<double>& faceK = doubles(image.cellData[2]);
  EXPECT_EQ(std::vector<double>(faceK.begin() + 20, faceK.end()),
            (std::vector<double>{1, 2, 3, 4}));
  EXPECT_EQ(std::vector<double>(faceK.begin(), faceK.begin() + 4), (std::vector<double>(4, 0.0)));
  EXPECT_EQ(doubles(image.cellData[4])[22], 0.3);
}

}  // namespace
}  // namespace fracflow::app
