// One particle's walk on the backbone: from the downstream end of its injection segment,
// node to node along downhill segments, until it stands on a domain edge, finds no way
// down or passes the travel-time cap.
#pragma once

#include <vector>

#include "dfn/backbone.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/branch_choice.hpp"
#include "transport/backbone_end_index.hpp"
#include "transport/network_candidates.hpp"
#include "transport/network_injection.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::transport {

// A particle always stands on a segment end, and the candidates at a position depend on the
// position alone, so the candidates of each end, its prepared branch rule and the time of
// each move are found once, on the first visit: a step then costs a draw and a few
// comparisons however long the backbone is.
class NetworkWalk {
 public:
  // The table must hold at least one record.
  NetworkWalk(const RunOptions& options, const Backbone& backbone,
              const NetworkInjectionTable& table);

  // Draws the injection segment, then one branch per step.
  ParticleStop trackParticle(random::RandomStream& random);

 private:
  // What a step from one end needs, in one cache line.
  struct alignas(64) EndStep {
    PreparedBranches branches;
    int first = -1;  // into moves_, flows_ and candidates_; -1: not gathered yet
    int count = 0;
  };
  struct Move {
    double time = 0.0;  // length / flow
    double x = 0.0;     // the far end
    double y = 0.0;
    int end = -1;
  };
  const EndStep& stepAt(int end);

  const Backbone& backbone_;
  const NetworkInjectionTable& table_;
  double domainL_;
  double domainW_;
  double timeLimit_;
  BackboneEndIndex index_;
  std::vector<EndStep> steps_;  // per end number
  std::vector<Move> moves_;     // the candidates of each gathered end, as moves
  std::vector<double> flows_;   // and their flows
  std::vector<NetworkCandidate> candidates_;
  std::vector<int> scratchSegments_;
  std::vector<NetworkCandidate> scratchCandidates_;
  // The candidates (into candidates_) the three branch slots last held, -1 for the initial
  // zeros. A step refills the slots of its candidates only, so a slot past them keeps an
  // earlier step's candidate, or the zeros: a move to (0, 0) at no time.
  int slotSource_[3] = {-1, -1, -1};
};

}  // namespace fracflow::transport
