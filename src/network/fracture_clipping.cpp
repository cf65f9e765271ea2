// Midpoint test and clipping of fractures to the domain.
#include "network/fracture_clipping.hpp"

#include <cmath>

namespace fracflow::network {
namespace {

bool insideDomain(double x, double y, double domainL, double domainW) {
  return 0.0 <= x && x <= domainL && 0.0 <= y && y <= domainW;
}

// Both values on the far side of the face at limit, or one on the face and one beyond it.
bool beyondFace(double a, double b, double limit) {
  return a >= limit && b >= limit && (a > limit || b > limit);
}

}  // namespace

void clipEnd(double& x, double& y, double mx, double my, double domainL, double domainW) {
  const double L = domainL;
  const double W = domainW;
  // Slope and inverse slope of the fracture line, from the end's values before the change;
  // a horizontal or vertical line gives an infinity that the face tests below never reach.
  const double s = (my - y) / (mx - x);
  const double c = (mx - x) / (my - y);
  if (x > L && 0.0 <= y && y <= W) {
    y = my + s * (L - mx);
    x = L;
  } else if (x < 0.0 && 0.0 <= y && y <= W) {
    y = my + s * (0.0 - mx);
    x = 0.0;
  } else if (y > W && 0.0 <= x && x <= L) {
    x = mx + c * (W - my);
    y = W;
  } else if (y < 0.0 && 0.0 <= x && x <= L) {
    x = mx + c * (0.0 - my);
    y = 0.0;
  } else if (x >= L && y < 0.0) {
    const double t = my + s * (L - mx);
    if (t >= 0.0) {
      y = t;
      x = L;
    } else {
      x = mx + c * (0.0 - my);
      y = 0.0;
    }
  } else if (x <= 0.0 && y < 0.0) {
    const double t = my + s * (0.0 - mx);
    if (t >= 0.0) {
      y = t;
      x = 0.0;
    } else {
      x = mx + c * (0.0 - my);
      y = 0.0;
    }
  } else if (x >= L && y > W) {
    const double t = my + s * (L - mx);
    if (t <= W) {
      y = t;
      x = L;
    } else {
      x = mx + c * (W - my);
      y = W;
    }
  } else if (x <= 0.0 && y > W) {
    const double t = my + s * (0.0 - mx);
    if (t <= W) {
      y = t;
      x = 0.0;
    } else {
      x = mx + c * (W - my);
      y = W;
    }
  }
}

std::optional<Fracture> clipFracture(const Fracture& read, double domainL, double domainW) {
  const double mx = (read.x2 - read.x1) * 0.5 + read.x1;
  const double my = (read.y2 - read.y1) * 0.5 + read.y1;
  if (mx < 0.0 || my < 0.0) return std::nullopt;
  // A fracture beyond the right or top face meets the domain in one point of the face at
  // most. Clipping collapses it onto the face, but each end is clipped with its own slope
  // rounding, so the two ends can miss each other by an ulp and leave a piece too short to
  // keep, which would end the run. Decided on the ends as read, it is dropped whatever the
  // rounding. (Beyond the left or bottom face, the midpoint test has dropped it.)
  if (beyondFace(read.x1, read.x2, domainL) || beyondFace(read.y1, read.y2, domainW)) {
    return std::nullopt;
  }

  Fracture f = read;
  clipEnd(f.x1, f.y1, mx, my, domainL, domainW);
  clipEnd(f.x2, f.y2, mx, my, domainL, domainW);

  // A fracture wholly beyond the right or top face collapses onto the face, one parallel to
  // it there gives no finite point, and one passing outside a corner clips to points off the
  // domain: none of them has a point in the domain.
  if (!std::isfinite(f.x1) || !std::isfinite(f.y1) || !std::isfinite(f.x2) ||
      !std::isfinite(f.y2)) {
    return std::nullopt;
  }
  if (!insideDomain(f.x1, f.y1, domainL, domainW) || !insideDomain(f.x2, f.y2, domainL, domainW)) {
    return std::nullopt;
  }
  const bool hadEndOutside = !insideDomain(read.x1, read.y1, domainL, domainW) ||
                             !insideDomain(read.x2, read.y2, domainL, domainW);
  if (hadEndOutside && segmentLength(f) == 0.0) return std::nullopt;
  return f;
}

}  // namespace fracflow::network
