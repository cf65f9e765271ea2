// Liang-Barsky clipping, remembering which face each moved end lies on.
#include "generator/domain_clip.hpp"

#include <algorithm>

namespace fracflow::generator {
namespace {

enum class Face { None, Left, Right, Bottom, Top };

Point pointOnFace(const LineSegment& s, double t, Face face, double domainL, double domainW) {
  Point p{s.a.x + t * (s.b.x - s.a.x), s.a.y + t * (s.b.y - s.a.y)};
  p.x = std::clamp(p.x, 0.0, domainL);
  p.y = std::clamp(p.y, 0.0, domainW);
  switch (face) {
    case Face::Left:
      p.x = 0.0;
      break;
    case Face::Right:
      p.x = domainL;
      break;
    case Face::Bottom:
      p.y = 0.0;
      break;
    case Face::Top:
      p.y = domainW;
      break;
    case Face::None:
      break;
  }
  return p;
}

}  // namespace

std::optional<LineSegment> clipToDomain(const LineSegment& s, double domainL, double domainW) {
  const double dx = s.b.x - s.a.x;
  const double dy = s.b.y - s.a.y;
  // For each face: p * t <= q keeps the point inside.
  const struct {
    double p;
    double q;
    Face face;
  } limits[] = {
      {-dx, s.a.x, Face::Left},
      {dx, domainL - s.a.x, Face::Right},
      {-dy, s.a.y, Face::Bottom},
      {dy, domainW - s.a.y, Face::Top},
  };
  double t0 = 0.0;
  double t1 = 1.0;
  Face enter = Face::None;
  Face leave = Face::None;
  for (const auto& limit : limits) {
    if (limit.p == 0.0) {
      if (limit.q < 0.0) return std::nullopt;  // parallel to the face and beyond it
      continue;
    }
    const double t = limit.q / limit.p;
    if (limit.p < 0.0) {
      if (t > t0) {
        t0 = t;
        enter = limit.face;
      }
    } else if (t < t1) {
      t1 = t;
      leave = limit.face;
    }
  }
  if (!(t0 < t1)) return std::nullopt;
  LineSegment clipped = s;
  if (enter != Face::None) clipped.a = pointOnFace(s, t0, enter, domainL, domainW);
  if (leave != Face::None) clipped.b = pointOnFace(s, t1, leave, domainL, domainW);
  if (clipped.a.x == clipped.b.x && clipped.a.y == clipped.b.y) return std::nullopt;
  return clipped;
}

}  // namespace fracflow::generator
