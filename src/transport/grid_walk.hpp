// One particle's walk on the grid: from a cell of the injection table, centre to centre to
// neighbours with a strictly lower head, until it stands in a cell of the outermost row or
// column, finds no way down or passes the travel-time cap.
#pragma once

#include <cstdint>
#include <vector>

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/branch_choice.hpp"
#include "transport/grid_candidates.hpp"
#include "transport/grid_injection.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::transport {

// Positions are always copied cell centres and the candidates of a cell depend on the cell
// alone, so each cell's candidates, its prepared branch rule and the time of each move are
// found once, on the first visit. A step then reads one small record, with the branch rule
// put as bounds on the raw draw; the records are laid out along the dominant flow direction
// so that a walk mostly runs forward through memory.
class GridWalk {
 public:
  // The table must hold at least one record.
  GridWalk(const RunOptions& options, const CellTable& table, const grid::CellIndex& index,
           const GridInjectionTable& injection);

  // Draws the injection cell, then one branch for the first move and one per step.
  ParticleStop trackParticle(random::RandomStream& random);

 private:
  // Flags of a record. The first three are known from the start, the others once the cell
  // has been gathered (kGathered) or looked up (kExactKnown).
  enum : std::uint16_t {
    kCountMask = 7,         // the number of candidates, 4 standing for four or more
    kInBand = 1u << 3,      // the centre lies in the outermost row or column band
    kInterior = 1u << 4,    // the centre lies strictly inside the interior bounds
    kComparable = 1u << 5,  // the centre equals itself (is no NaN)
    kGathered = 1u << 6,
    kExactKnown = 1u << 7,
    kSelfExact = 1u << 8,    // the cell is the first with its centre
    kByDraw = 1u << 9,       // bounds holds the branch rule
    kSameCentre = 1u << 10,  // and the next two bits: move k leads to an equal centre
  };
  // What a step out of one cell needs, in 20 bytes: the walk chases these records, one per
  // step, so the fewer cache lines they fill the faster it runs.
  struct CellStep {
    int to[3] = {-1, -1, -1};  // the records of the first three candidates
    DrawBounds bounds;
    std::uint16_t flags = 0;
  };
  // The particle's position: the centre of a record's cell, or a free point (record -1)
  // that only a draw in no injection interval or a degenerate slot can lead to.
  struct Where {
    int record = -1;
    double x = 0.0;
    double y = 0.0;
  };

  CellStep& gathered(int record);
  double centreX(const Where& w) const;
  double centreY(const Where& w) const;
  // The record of the first cell whose centre equals the position exactly, or -1.
  int currentRecord(const Where& w);
  bool inOutermostBand(double x, double y) const;
  bool inBand(const Where& w) const;
  bool inInterior(const Where& w) const;
  // One draw among the candidates of gathered_; moves the particle when a branch is taken
  // and tells whether the position stayed the same. atCentre: the particle stands on the
  // centre of gathered_.
  bool chooseAndMove(random::RandomStream& random, bool atCentre, Where& w, double& t);
  // A move that the prepared times do not cover: from off the gathering centre, to a
  // candidate past the third, or to a slot past the candidates.
  bool moveSlowly(int slot, Where& w, double& t);

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

  std::vector<int> recordOf_;  // per cell
  std::vector<int> cellOf_;    // per record
  std::vector<CellStep> steps_;
  std::vector<double> times3_;  // per record: the times of its first three moves
  std::vector<int> first_;      // per record: its candidates in the lists below
  std::vector<int> count_;
  std::vector<double> sum_;  // per record: its candidates' flows added up
  std::vector<int> exact_;   // per record, once looked up: the record of currentRecord
  // Per candidate: its record, its flow and what it was gathered as.
  std::vector<int> to_;
  std::vector<double> flows_;
  std::vector<GridCandidate> candidates_;
  std::vector<GridCandidate> scratchCandidates_;
  std::vector<int> scratchCells_;
  // The record whose candidates the slots hold, -1 when the slots were last cleared. It
  // lasts from particle to particle, like the slots themselves.
  int gathered_ = -1;
};

}  // namespace fracflow::transport
