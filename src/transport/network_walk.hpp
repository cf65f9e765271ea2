// One particle's walk on the backbone: from the downstream end of its injection segment,
// node to node along downhill segments, until it stands on a domain edge, finds no way
// down or passes the travel-time cap.
#pragma once

#include <cstdint>
#include <vector>

#include "dfn/backbone.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/backbone_end_index.hpp"
#include "transport/branch_choice.hpp"
#include "transport/network_candidates.hpp"
#include "transport/network_injection.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::transport {

// A particle always stands on a segment end, and the candidates at a position depend on its
// coordinates alone. The walk therefore keeps one record per place (the ends with the same
// coordinates, bit for bit), with its candidates, the branch rule put as bounds on the raw
// draw and the time of each move, all found on the first visit; a step then reads one small
// record, however long the backbone is. The records are laid out along the dominant flow
// direction so that a walk mostly runs forward through memory.
class NetworkWalk {
 public:
  // The table must hold at least one record.
  NetworkWalk(const RunOptions& options, const Backbone& backbone,
              const NetworkInjectionTable& table);

  // Draws the injection segment, then one branch per step.
  ParticleStop trackParticle(random::RandomStream& random);

 private:
  enum : std::uint16_t {
    kCountMask = 7,     // the number of candidates, 4 standing for four or more
    kOnEdge = 1u << 3,  // x = 0, x = domainL, y = 0 or y = domainW
    kGathered = 1u << 4,
    kByDraw = 1u << 5,     // bounds holds the branch rule
    kSamePlace = 1u << 6,  // and the next two bits: move k leads to equal coordinates
  };
  struct PlaceStep {
    int to[3] = {-1, -1, -1};  // the places of the first three candidates' far ends
    DrawBounds bounds;
    std::uint16_t flags = 0;
  };

  PlaceStep& gathered(int place);
  // A move that the prepared times do not cover: to a candidate past the third, or to a
  // slot past the candidates. Returns whether the coordinates stayed the same.
  bool moveSlowly(int place, int slot, int& next, double& t);

  const Backbone& backbone_;
  const NetworkInjectionTable& table_;
  double domainL_;
  double domainW_;
  double timeLimit_;
  BackboneEndIndex index_;
  std::vector<int> placeOfEnd_;  // per end number
  std::vector<double> placeX_;   // per place
  std::vector<double> placeY_;
  std::vector<PlaceStep> steps_;
  std::vector<double> times3_;  // per place: the times of its first three moves
  std::vector<int> first_;      // per place: its candidates in the lists below
  std::vector<int> count_;
  std::vector<double> sum_;
  // Per candidate: the time of its move, its far end's place, its flow, what it was
  // gathered as.
  std::vector<double> times_;
  std::vector<int> to_;
  std::vector<double> flows_;
  std::vector<NetworkCandidate> candidates_;
  std::vector<int> scratchSegments_;
  std::vector<NetworkCandidate> scratchCandidates_;
  // The place whose step last filled each of the three branch slots, -1 for the initial
  // zeros. A step refills the slots of its candidates only, so a slot past them keeps an
  // earlier step's candidate, or the zeros: a move to (0, 0) at no time.
  int slotPlace_[3] = {-1, -1, -1};
};

}  // namespace fracflow::transport
