// One particle's walk on the backbone: from the downstream end of its injection segment,
// node to node along downhill segments, until it stands on a domain edge, finds no way
// down or passes the travel-time cap.
#pragma once

#include <vector>

#include "dfn/backbone.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/backbone_end_index.hpp"
#include "transport/network_candidates.hpp"
#include "transport/network_injection.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::transport {

// A particle always stands on a segment end, and the candidates at a position depend on the
// position alone, so the candidates of each end are gathered once, on its first visit: a
// step then costs a draw and a few comparisons however long the backbone is.
class NetworkWalk {
 public:
  // The table must hold at least one record.
  NetworkWalk(const RunOptions& options, const Backbone& backbone,
              const NetworkInjectionTable& table);

  // Draws the injection segment, then one branch per step.
  ParticleStop trackParticle(random::RandomStream& random);

 private:
  struct CandidateList {
    int first = -1;  // into flows_ and candidates_; -1: not gathered yet
    int count = 0;
    double sum = 0.0;
  };
  const CandidateList& candidatesAt(int end);

  const Backbone& backbone_;
  const NetworkInjectionTable& table_;
  double domainL_;
  double domainW_;
  double timeLimit_;
  BackboneEndIndex index_;
  std::vector<CandidateList> lists_;  // per end number
  std::vector<double> flows_;
  std::vector<NetworkCandidate> candidates_;
  std::vector<int> scratchSegments_;
  std::vector<NetworkCandidate> scratchCandidates_;
  // What the three branch slots last held. A step refills the slots of its candidates
  // only, so a slot past them keeps an earlier step's candidate (or the initial zeros: a
  // move to (0, 0) at no time).
  NetworkCandidate slots_[3];
};

}  // namespace fracflow::transport
