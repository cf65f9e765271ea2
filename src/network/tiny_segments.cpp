// The tiny-segment pass. The neighbour and touch searches only ever look at segments that
// share an end point exactly with the tiny segment, so they are run over an index of end
// points instead of the whole table; the exact tests then decide, in index order, as a
// scan of the whole table would.
#include "network/tiny_segments.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <unordered_map>

#include "network/point_index.hpp"

namespace fracflow::network {
namespace {

struct PointKey {
  std::uint64_t x = 0;
  std::uint64_t y = 0;
  bool operator==(const PointKey&) const = default;
};

// Equal coordinates give equal keys: adding 0.0 turns −0.0 into +0.0.
PointKey keyOf(double x, double y) {
  return {std::bit_cast<std::uint64_t>(x + 0.0), std::bit_cast<std::uint64_t>(y + 0.0)};
}

struct PointKeyHash {
  std::size_t operator()(const PointKey& k) const {
    std::uint64_t h = k.x * 0x9E3779B97F4A7C15ULL;
    h ^= k.y + 0x632BE59BD9B4E019ULL + (h << 6) + (h >> 2);
    return static_cast<std::size_t>(h ^ (h >> 29));
  }
};

// Finds the segments that may share an end point with a given segment while the pass moves
// end points: the points as they stood when the finder was made, in a bucket index, and each
// end moved since under its new point. Stale entries only add candidates.
class EndPointFinder {
 public:
  explicit EndPointFinder(const SegmentTable& segments)
      : segments_(segments), index_(segmentEndPoints(segments)) {}

  // Every segment other than self that may have an end point equal to one of self's, in
  // ascending index.
  void neighbourCandidates(int self, std::vector<int>& out) const {
    out.clear();
    const Segment& s = segments_[static_cast<std::size_t>(self)];
    const Point ends[2] = {{s.x1, s.y1}, {s.x2, s.y2}};
    for (const Point& p : ends) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
        // Infinite coordinates can still compare equal; such a point is matched by the scan.
        out.resize(segments_.size());
        std::iota(out.begin(), out.end(), 0);
        out.erase(out.begin() + self);
        return;
      }
      index_.forEachCandidate(p.x, p.y, [&out](int id, double, double) { out.push_back(id >> 1); });
      const auto movedHere = moved_.find(keyOf(p.x, p.y));
      if (movedHere != moved_.end()) {
        for (const int id : movedHere->second) out.push_back(id >> 1);
      }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    const auto at = std::lower_bound(out.begin(), out.end(), self);
    if (at != out.end() && *at == self) out.erase(at);
  }

  // Records the new position of end `end` (0 or 1) of segment j.
  void endMoved(int j, int end) {
    const Segment& s = segments_[static_cast<std::size_t>(j)];
    const double x = end == 0 ? s.x1 : s.x2;
    const double y = end == 0 ? s.y1 : s.y2;
    if (!std::isfinite(x) || !std::isfinite(y)) return;  // found by the scan above
    moved_[keyOf(x, y)].push_back(2 * j + end);
  }

 private:
  const SegmentTable& segments_;
  PointIndex index_;
  std::unordered_map<PointKey, std::vector<int>, PointKeyHash> moved_;
};

// If end `end` of segment j lies at (fromX, fromY), moves it to (toX, toY).
bool moveEndIfAt(SegmentTable& segments, EndPointFinder& finder, int j, int end, double fromX,
                 double fromY, double toX, double toY) {
  Segment& s = segments[static_cast<std::size_t>(j)];
  double& x = end == 0 ? s.x1 : s.x2;
  double& y = end == 0 ? s.y1 : s.y2;
  if (!(x == fromX && y == fromY)) return false;
  x = toX;
  y = toY;
  finder.endMoved(j, end);
  return true;
}

}  // namespace

TinySegmentPass removeTinySegments(SegmentTable& segments, double domainL) {
  TinySegmentPass pass;
  std::vector<char> removed(segments.size(), 0);
  std::optional<EndPointFinder> finder;  // made at the first tiny segment
  std::vector<int> around;

  for (std::size_t index = 0; index < segments.size(); ++index) {
    const int i = static_cast<int>(index);
    const double len = segmentLength(segments[index]);
    if (len <= 1e-9 * domainL) {
      pass.tooTiny = i;
      return pass;
    }
    if (!(len <= 1e-5 * domainL)) continue;
    ++pass.tinyFracs;
    if (!finder) finder.emplace(segments);
    finder->neighbourCandidates(i, around);

    const Segment tiny = segments[index];
    int collinear = 0;
    int n1 = -1;
    int n2 = -1;
    for (const int j : around) {
      if (!isCollinearNeighbour(tiny, segments[static_cast<std::size_t>(j)])) continue;
      ++collinear;
      if (collinear == 1) n1 = j;
      if (collinear == 2) n2 = j;
    }
    if (collinear >= 3) continue;

    int t1 = 0;
    int t2 = 0;
    if (collinear == 1 || collinear == 2) {
      for (const int k : around) {
        const int pairing = firstSharedEnd(tiny, segments[static_cast<std::size_t>(k)]);
        if (pairing == 0 || pairing == 1) ++t1;
        if (pairing == 2 || pairing == 3) ++t2;
      }
    }
    auto move = [&](int j, int end, double fromX, double fromY, double toX, double toY) {
      return moveEndIfAt(segments, *finder, j, end, fromX, fromY, toX, toY);
    };
    if (collinear == 1 && t1 > 1 && t2 > 1) {
      // Both ends are junctions: the neighbour reaches over the tiny piece to the far one.
      (void)(move(n1, 0, tiny.x1, tiny.y1, tiny.x2, tiny.y2) ||
             move(n1, 1, tiny.x1, tiny.y1, tiny.x2, tiny.y2) ||
             move(n1, 0, tiny.x2, tiny.y2, tiny.x1, tiny.y1) ||
             move(n1, 1, tiny.x2, tiny.y2, tiny.x1, tiny.y1));
    } else if (collinear == 2 && t1 >= t2) {
      // The busier junction keeps its connections; the pair is joined across the piece.
      (void)(move(n1, 0, tiny.x2, tiny.y2, tiny.x1, tiny.y1) ||
             move(n1, 1, tiny.x2, tiny.y2, tiny.x1, tiny.y1) ||
             move(n2, 0, tiny.x2, tiny.y2, tiny.x1, tiny.y1) ||
             move(n2, 1, tiny.x2, tiny.y2, tiny.x1, tiny.y1));
    } else if (collinear == 2) {
      (void)(move(n1, 0, tiny.x1, tiny.y1, tiny.x2, tiny.y2) ||
             move(n1, 1, tiny.x1, tiny.y1, tiny.x2, tiny.y2) ||
             move(n2, 0, tiny.x1, tiny.y1, tiny.x2, tiny.y2) ||
             move(n2, 1, tiny.x1, tiny.y1, tiny.x2, tiny.y2));
    }

    // Removal shifts the segment to the right of the domain, each by a different amount, so
    // that later exact comparisons of the pass do not meet it.
    ++pass.absentFracs;
    pass.abFracId.push_back(i);
    removed[index] = 1;
    const double shift = domainL + static_cast<double>(pass.absentFracs);
    segments[index].x1 += shift;
    segments[index].x2 += shift;
    finder->endMoved(i, 0);
    finder->endMoved(i, 1);
  }

  if (pass.absentFracs > 0) {
    std::size_t kept = 0;
    for (std::size_t index = 0; index < segments.size(); ++index) {
      if (removed[index] == 0) segments[kept++] = segments[index];
    }
    segments.resize(kept);
  }
  return pass;
}

}  // namespace fracflow::network
