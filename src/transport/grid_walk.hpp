// One particle's walk on the grid: from a cell of the injection table, centre to centre to
// neighbours with a strictly lower head, until it stands in a cell of the outermost row or
// column, finds no way down or passes the travel-time cap.
#pragma once

#include <vector>

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/grid_candidates.hpp"
#include "transport/grid_injection.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::transport {

// Positions are always copied cell centres and the candidates of a cell depend on the cell
// alone, so each cell's candidates (and the cell that its centre names) are found once, on
// the first visit: a step then costs a draw and a few comparisons.
class GridWalk {
 public:
  // The table must hold at least one record.
  GridWalk(const RunOptions& options, const CellTable& table, const grid::CellIndex& index,
           const GridInjectionTable& injection);

  // Draws the injection cell, then one branch for the first move and one per step.
  ParticleStop trackParticle(random::RandomStream& random);

 private:
  struct CandidateList {
    int first = -1;  // into flows_ and candidates_; -1: not gathered yet
    int count = 0;
    double sum = 0.0;
  };
  const CandidateList& candidatesOf(int cell);
  // The first cell whose centre equals the position exactly; positionCell is the cell whose
  // centre the position was copied from, or -1.
  int currentCell(int positionCell, double x, double y);
  // One draw among the candidates the slots hold; moves the particle when a branch is taken.
  void chooseAndMove(random::RandomStream& random, double& x, double& y, double& t,
                     int& positionCell);
  bool inOutermostBand(double x, double y) const;
  bool inInterior(double x, double y) const;

  const std::vector<Cell>& cells_;
  const grid::CellIndex& index_;
  const GridInjectionTable& injection_;
  double cellSizeX_;
  double cellSizeY_;
  double timeLimit_;
  // The edge bands and face bounds, formed once from the domain and cell sizes.
  double topLo_, topHi_, rightLo_, rightHi_, bottomLo_, bottomHi_, leftLo_, leftHi_;
  double interiorXLo_, interiorXHi_, interiorYLo_, interiorYHi_;
  double faceXLo_;

  std::vector<CandidateList> lists_;  // per cell
  std::vector<int> exactCell_;        // per cell: the first cell with its centre; -2 not found yet
  std::vector<double> flows_;
  std::vector<GridCandidate> candidates_;
  std::vector<GridCandidate> scratchCandidates_;
  std::vector<int> scratchCells_;
  // The cell whose candidates the slots hold, -1 when the slots were last cleared. It lasts
  // from particle to particle, like the slots themselves.
  int gathered_ = -1;
};

}  // namespace fracflow::transport
