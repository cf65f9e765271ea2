// The particle walk on the grid.
#include "transport/grid_walk.hpp"

#include <cmath>
#include <cstddef>
#include <span>

#include "io/check.hpp"
#include "transport/branch_choice.hpp"
#include "transport/breakthrough_curve.hpp"

namespace fracflow::transport {

GridWalk::GridWalk(const RunOptions& options, const CellTable& table,
                   const grid::CellIndex& index, const GridInjectionTable& injection)
    : cells_(table.cells),
      index_(index),
      injection_(injection),
      cellSizeX_(options.cellSizeX),
      cellSizeY_(options.cellSizeY),
      timeLimit_(timeLimit(options)),
      lists_(table.cells.size()),
      exactCell_(table.cells.size(), -2) {
  FRACFLOW_CHECK(injection.count() > 0);
  const double topRow = options.domainW - 0.5 * cellSizeY_;
  const double rightColumn = options.domainL - 0.5 * cellSizeX_;
  const double bottomRow = 0.5 * cellSizeY_;
  const double leftColumn = 0.5 * cellSizeX_;
  topLo_ = 0.999999 * topRow;
  topHi_ = 1.000001 * topRow;
  rightLo_ = 0.999999 * rightColumn;
  rightHi_ = 1.000001 * rightColumn;
  bottomLo_ = 0.999999 * bottomRow;
  bottomHi_ = 1.000001 * bottomRow;
  leftLo_ = 0.999999 * leftColumn;
  leftHi_ = 1.000001 * leftColumn;
  interiorXLo_ = 0.500005 * cellSizeX_;
  interiorXHi_ = 0.999999 * rightColumn;
  interiorYLo_ = 0.5000005 * cellSizeY_;
  interiorYHi_ = 0.999999 * topRow;
  faceXLo_ = 0.5000005 * cellSizeX_;
}

const GridWalk::CandidateList& GridWalk::candidatesOf(int cell) {
  CandidateList& list = lists_[static_cast<std::size_t>(cell)];
  if (list.first >= 0) return list;
  const Cell& c = cells_[static_cast<std::size_t>(cell)];
  list.sum = gatherGridCandidates(cells_, index_, cellSizeX_, cellSizeY_, cell, c.center[0],
                                  c.center[1], scratchCandidates_, scratchCells_);
  list.first = static_cast<int>(candidates_.size());
  list.count = static_cast<int>(scratchCandidates_.size());
  for (const GridCandidate& candidate : scratchCandidates_) {
    candidates_.push_back(candidate);
    flows_.push_back(candidate.flow);
  }
  return list;
}

int GridWalk::currentCell(int positionCell, double x, double y) {
  if (positionCell < 0) return index_.findExact(x, y);
  int& exact = exactCell_[static_cast<std::size_t>(positionCell)];
  if (exact == -2) exact = index_.findExact(x, y);
  return exact;
}

void GridWalk::chooseAndMove(random::RandomStream& random, double& x, double& y, double& t,
                             int& positionCell) {
  const double u = random.uniform();
  if (gathered_ < 0) return;  // cleared slots: no flow, no move
  const CandidateList& list = candidatesOf(gathered_);
  const auto first = static_cast<std::size_t>(list.first);
  const auto count = static_cast<std::size_t>(list.count);
  const BranchChoice choice =
      chooseBranch(std::span<const double>(flows_.data() + first, count), list.sum, u);
  if (choice.slot < 0) return;
  const auto slot = static_cast<std::size_t>(choice.slot);
  if (slot < count) {
    const GridCandidate& move = candidates_[first + slot];
    const Cell& to = cells_[static_cast<std::size_t>(move.destinationCell)];
    const Cell& from = cells_[static_cast<std::size_t>(gathered_)];
    // The stored distance was measured from the gathering cell's centre, where the particle
    // stands unless its injection draw fell in no interval.
    const double distance =
        x == from.center[0] && y == from.center[1]
            ? move.distance
            : std::sqrt((to.center[0] - x) * (to.center[0] - x) +
                        (to.center[1] - y) * (to.center[1] - y));
    t += distance / choice.flow / move.crMean;
    x = to.center[0];
    y = to.center[1];
    positionCell = move.destinationCell;
  } else {
    // A slot past the candidates holds what gathering cleared it to: the point (0, 0) and
    // crfactor values of 0.
    const double distance = std::sqrt((0.0 - x) * (0.0 - x) + (0.0 - y) * (0.0 - y));
    t += distance / choice.flow / ((0.0 + 0.0) * 0.5);
    x = 0.0;
    y = 0.0;
    positionCell = -1;
  }
}

bool GridWalk::inOutermostBand(double x, double y) const {
  return (topLo_ <= y && y <= topHi_) || (rightLo_ <= x && x <= rightHi_) ||
         (bottomLo_ <= y && y <= bottomHi_) || (leftLo_ <= x && x <= leftHi_);
}

bool GridWalk::inInterior(double x, double y) const {
  return interiorXLo_ < x && x < interiorXHi_ && interiorYLo_ < y && y < interiorYHi_;
}

ParticleStop GridWalk::trackParticle(random::RandomStream& random) {
  double x = 0.0, y = 0.0, t = 0.0;
  int positionCell = -1;
  const int drawn = injection_.bounds.find(random.uniform());
  if (drawn >= 0) {
    const int cell = injection_.records[static_cast<std::size_t>(drawn)].cell;
    x = cells_[static_cast<std::size_t>(cell)].center[0];
    y = cells_[static_cast<std::size_t>(cell)].center[1];
    positionCell = cell;
    gathered_ = cell;
  }
  ParticleStop stop;
  stop.startX = x;
  stop.startY = y;
  chooseAndMove(random, x, y, t, positionCell);

  stop.end = WalkEnd::Arrived;
  while (true) {
    const double prevX = x, prevY = y;
    gathered_ = -1;
    const int current = currentCell(positionCell, x, y);
    if (inOutermostBand(x, y)) break;
    gathered_ = current;
    chooseAndMove(random, x, y, t, positionCell);
    if (t > timeLimit_) {
      stop.end = WalkEnd::TimedOut;
      break;
    }
    if (x == prevX && y == prevY) {
      stop.end = WalkEnd::Stuck;
      break;
    }
    if (!inInterior(x, y)) break;
  }

  if (stop.end == WalkEnd::Arrived) {
    const bool besideCorners = faceXLo_ < x && x < interiorXHi_;
    stop.hasFace = true;
    if (y > topLo_ && besideCorners) {
      stop.face = kTop;
    } else if (x > rightLo_) {
      stop.face = kRight;
    } else if (y < bottomHi_ && besideCorners) {
      stop.face = kBottom;
    } else if (x < leftHi_) {
      stop.face = kLeft;
    } else {
      stop.hasFace = false;
    }
  }
  stop.x = x;
  stop.y = y;
  stop.t = t;
  return stop;
}

}  // namespace fracflow::transport
