// The ParaView files of a realization.
#include "app/vtk_files.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "dfn/end_heads.hpp"
#include "io/check.hpp"
#include "io/file_names.hpp"
#include "vtk/collection.hpp"

namespace fracflow::app {
namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

enum class CellKind : std::uint8_t { Inactive = 0, ActiveBoundary = 1, ActiveInternal = 2 };

std::uint8_t walkEndCode(transport::WalkEnd end) {
  switch (end) {
    case transport::WalkEnd::Arrived:
      return 0;
    case transport::WalkEnd::Stuck:
      return 1;
    case transport::WalkEnd::TimedOut:
      break;
  }
  return 2;
}

void writeSeries(const std::filesystem::path& folder, std::string_view name,
                 std::string_view prefix, io::Extension extension,
                 const std::vector<int>& realizations) {
  std::vector<vtk::CollectionEntry> entries;
  entries.reserve(realizations.size());
  for (const int number : realizations) {
    entries.push_back({number, io::realizationFileName(prefix, number, extension)});
  }
  vtk::writeCollection((folder / name).string(), entries);
}

}  // namespace

vtk::UnstructuredGrid networkDataSet(const SegmentTable& segments, const NodeTable& nodes,
                                     bool headsSolved, const std::vector<int>& backboneSegments) {
  const dfn::EndNodes ends = dfn::findEndNodes(segments, nodes);
  vtk::UnstructuredGrid grid;
  grid.shape = vtk::CellShape::Line;
  grid.connectivity.reserve(2 * segments.size());
  std::vector<double> heads;
  std::vector<std::int32_t> pointOfNode(nodes.nodes.size(), -1);
  const auto addPoint = [&](double x, double y, double head) {
    grid.points.push_back(x);
    grid.points.push_back(y);
    heads.push_back(head);
    return static_cast<std::int32_t>(heads.size() - 1);
  };
  // The point of a segment end: its node's, shared by every end the node holds.
  const auto endPoint = [&](int node, double x, double y) {
    if (node == dfn::kNoNode) return addPoint(x, y, kUnknown);
    std::int32_t& point = pointOfNode[static_cast<std::size_t>(node)];
    if (point < 0) {
      const Node& n = nodes.nodes[static_cast<std::size_t>(node)];
      point = addPoint(n.x, n.y, headsSolved ? n.head : kUnknown);
    }
    return point;
  };

  std::vector<double> perm;
  std::vector<double> flow;
  perm.reserve(segments.size());
  flow.reserve(segments.size());
  for (std::size_t s = 0; s < segments.size(); ++s) {
    const Segment& segment = segments[s];
    const std::int32_t p1 = endPoint(ends.node1[s], segment.x1, segment.y1);
    const std::int32_t p2 = endPoint(ends.node2[s], segment.x2, segment.y2);
    grid.connectivity.push_back(p1);
    grid.connectivity.push_back(p2);
    const double h1 = heads[static_cast<std::size_t>(p1)];
    const double h2 = heads[static_cast<std::size_t>(p2)];
    perm.push_back(segment.perm);
    // As the FlowData file has it, so the two agree to the bit.
    flow.push_back(std::fabs(0.01 * (h1 - h2) * segment.perm / segmentLength(segment)));
  }
  std::vector<std::uint8_t> backbone(segments.size(), 0);
  for (const int s : backboneSegments) {
    FRACFLOW_CHECK(s >= 0 && static_cast<std::size_t>(s) < segments.size());
    backbone[static_cast<std::size_t>(s)] = 1;
  }

  grid.pointData.push_back(vtk::floatArray("head", std::move(heads)));
  grid.cellData.push_back(vtk::floatArray("perm", std::move(perm)));
  grid.cellData.push_back(vtk::floatArray("flow", std::move(flow)));
  grid.cellData.push_back(vtk::byteArray("backbone", std::move(backbone)));
  return grid;
}

vtk::ImageData gridDataSet(const CellTable& table, const grid::GridGeometry& grid) {
  const auto count = static_cast<std::size_t>(grid.cellx) * static_cast<std::size_t>(grid.celly);
  std::vector<double> head(count, kUnknown);
  std::vector<std::uint8_t> kind(count, static_cast<std::uint8_t>(CellKind::Inactive));
  std::vector<double> faceK(4 * count, 0.0);
  std::vector<double> kSum(4 * count, 0.0);
  std::vector<double> crfactor(4 * count, 0.0);
  for (std::size_t m = 0; m < table.cells.size(); ++m) {
    const Cell& cell = table.cells[m];
    // A record keeps only its centre, ((i + 0.5) · dx, (j + 0.5) · dy).
    const auto i = static_cast<int>(std::floor(cell.center[0] / grid.cellSizeX));
    const auto j = static_cast<int>(std::floor(cell.center[1] / grid.cellSizeY));
    FRACFLOW_CHECK(i >= 0 && i < grid.cellx && j >= 0 && j < grid.celly);
    FRACFLOW_CHECK(cell.center[0] == grid.centerX(i) && cell.center[1] == grid.centerY(j));
    const std::size_t v = static_cast<std::size_t>(i) +
                          static_cast<std::size_t>(j) * static_cast<std::size_t>(grid.cellx);
    head[v] = cell.head;
    kind[v] = static_cast<std::uint8_t>(static_cast<int>(m) < table.boundaryCells
                                            ? CellKind::ActiveBoundary
                                            : CellKind::ActiveInternal);
    for (std::size_t f = 0; f < 4; ++f) {
      faceK[4 * v + f] = cell.faceK[f];
      kSum[4 * v + f] = cell.kSum[f];
      crfactor[4 * v + f] = cell.crfactor[f];
    }
  }
  vtk::ImageData image{grid.cellx, grid.celly, grid.cellSizeX, grid.cellSizeY, {}};
  image.cellData.push_back(vtk::floatArray("head", std::move(head)));
  image.cellData.push_back(vtk::byteArray("kind", std::move(kind)));
  image.cellData.push_back(vtk::floatArray("faceK", std::move(faceK), 4));
  image.cellData.push_back(vtk::floatArray("kSum", std::move(kSum), 4));
  image.cellData.push_back(vtk::floatArray("crfactor", std::move(crfactor), 4));
  return image;
}

vtk::UnstructuredGrid particleDataSet(const std::vector<transport::ParticleStop>& stops) {
  vtk::UnstructuredGrid grid;
  grid.shape = vtk::CellShape::Vertex;
  std::vector<double> time;
  std::vector<double> start;
  std::vector<std::uint8_t> end;
  for (const transport::ParticleStop& stop : stops) {
    grid.connectivity.push_back(static_cast<std::int32_t>(grid.pointCount()));
    grid.points.push_back(stop.x);
    grid.points.push_back(stop.y);
    time.push_back(stop.t);
    start.insert(start.end(), {stop.startX, stop.startY, 0.0});
    end.push_back(walkEndCode(stop.end));
  }
  grid.pointData.push_back(vtk::floatArray("time", std::move(time)));
  grid.pointData.push_back(vtk::floatArray("start", std::move(start), 3));
  grid.pointData.push_back(vtk::byteArray("end", std::move(end)));
  return grid;
}

void writeVtkFiles(const std::filesystem::path& folder, int realizationNumber,
                   const VtkTables& tables, const grid::GridGeometry& grid, VtkSeries& series) {
  const auto path = [&](std::string_view prefix, io::Extension extension) {
    return (folder / io::realizationFileName(prefix, realizationNumber, extension)).string();
  };
  if (tables.segments != nullptr && tables.nodes != nullptr) {
    const std::vector<int> noBackbone;
    vtk::writeUnstructuredGrid(
        path("Network.", io::Extension::Vtu),
        networkDataSet(*tables.segments, *tables.nodes, tables.nodeHeadsSolved,
                       tables.backboneSegments ? *tables.backboneSegments : noBackbone));
    series.network.push_back(realizationNumber);
    writeSeries(folder, "Network.pvd", "Network.", io::Extension::Vtu, series.network);
  }
  if (tables.cells != nullptr) {
    vtk::writeImageData(path("Grid.", io::Extension::Vti), gridDataSet(*tables.cells, grid));
    series.grid.push_back(realizationNumber);
    writeSeries(folder, "Grid.pvd", "Grid.", io::Extension::Vti, series.grid);
  }
  if (tables.networkParticles != nullptr) {
    vtk::writeUnstructuredGrid(path("Particles.", io::Extension::Vtu),
                               particleDataSet(*tables.networkParticles));
    series.particles.push_back(realizationNumber);
    writeSeries(folder, "Particles.pvd", "Particles.", io::Extension::Vtu, series.particles);
  }
}

}  // namespace fracflow::app
