// The ParaView files of fracflow --vtk: the tables of a finished realization as VTK data sets
// (Network.NNNN.vtu, Grid.NNNN.vti, Particles.NNNN.vtu), and the series files Network.pvd,
// Grid.pvd and Particles.pvd over the realizations written so far.
#pragma once

#include <filesystem>
#include <vector>

#include "grid/cell.hpp"
#include "grid/grid_geometry.hpp"
#include "network/node.hpp"
#include "network/segment.hpp"
#include "transport/walk_end.hpp"
#include "vtk/image_data.hpp"
#include "vtk/unstructured_grid.hpp"

namespace fracflow::app {

// One line cell per segment (after the tiny-segment pass). Each end is the point of the node
// the DFN flow takes its head from, so segments that meet at a node share one point; an end
// that no node holds gets a point of its own. Point data head; cell data perm, flow
// (0.01 · |head drop| · perm / length, as in the FlowData file) and backbone (1 or 0). Heads
// and flows are NaN where a head is unknown: everywhere when the heads were not solved.
vtk::UnstructuredGrid networkDataSet(const SegmentTable& segments, const NodeTable& nodes,
                                     bool headsSolved, const std::vector<int>& backboneSegments);

// Every cell of the grid, cell (i, j) at i + j · cellx. Cell data head (NaN for inactive
// cells), kind (0 inactive, 1 active boundary, 2 active internal) and faceK, kSum and
// crfactor with four components each (top, right, bottom, left; 0 for inactive cells).
vtk::ImageData gridDataSet(const CellTable& table, const grid::GridGeometry& grid);

// One vertex per particle of the network walk at the point where it stopped. Point data
// time (its travel time), start (its injection point) and end (0 arrived at an edge,
// 1 stuck, 2 timed out).
vtk::UnstructuredGrid particleDataSet(const std::vector<transport::ParticleStop>& stops);

// The realizations whose files each series holds, in the order they were written.
struct VtkSeries {
  std::vector<int> network;
  std::vector<int> grid;
  std::vector<int> particles;
};

// What a finished realization hands the ParaView writer; a null table was not computed.
struct VtkTables {
  const SegmentTable* segments = nullptr;
  const NodeTable* nodes = nullptr;
  bool nodeHeadsSolved = false;
  const std::vector<int>* backboneSegments = nullptr;
  const CellTable* cells = nullptr;
  const std::vector<transport::ParticleStop>* networkParticles = nullptr;
};

// Writes the data sets of realizationNumber that tables hold into folder, adds the
// realization to their series and rewrites those series files, so each stays valid after
// every realization. Output errors name the file.
void writeVtkFiles(const std::filesystem::path& folder, int realizationNumber,
                   const VtkTables& tables, const grid::GridGeometry& grid, VtkSeries& series);

}  // namespace fracflow::app
