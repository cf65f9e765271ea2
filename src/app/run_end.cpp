// The explanations of an early end.
#include "app/run_end.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "io/number_format.hpp"

namespace fracflow::app {
namespace {

std::string number(double value) { return io::formatNumber(value); }

// Points as the network file can write them, every digit kept.
std::string point(double x, double y) {
  return "(" + io::formatRoundTrip(x) + ", " + io::formatRoundTrip(y) + ")";
}

std::string realizationText(int realizationNumber) {
  return "realization " + std::to_string(realizationNumber) + ": ";
}

}  // namespace

std::string explainTinySegment(int realizationNumber, int id, const Segment& segment) {
  const double length = std::hypot(segment.x2 - segment.x1, segment.y2 - segment.y1);
  return realizationText(realizationNumber) + "the run ended: segment " + std::to_string(id) +
         " from " + point(segment.x1, segment.y1) + " to " + point(segment.x2, segment.y2) +
         " is " + number(length) +
         " long, at most 1e-9 x domainL; remove it from the network file or join it to its "
         "neighbours (fracgen writes no piece shorter than 1e-7 x domainL)";
}

std::string explainNoWellNode(int realizationNumber, const NodeTable& nodes, const RunOptions& o) {
  std::string text = realizationText(realizationNumber) +
                     "the run ended: no internal network node lies strictly inside the well "
                     "square of half-width sinkRad = " +
                     number(o.sinkRad) + " around " + point(o.sinkLocX, o.sinkLocY);
  // The well is a square: a node at (x, y) is caught when both offsets are below sinkRad.
  double best = std::numeric_limits<double>::infinity();
  const Node* nearest = nullptr;
  for (int k = nodes.boundaryNodes; k < nodes.totalNodes(); ++k) {
    const Node& node = nodes.nodes[static_cast<std::size_t>(k)];
    const double reach = std::max(std::fabs(node.x - o.sinkLocX), std::fabs(node.y - o.sinkLocY));
    if (reach < best) {
      best = reach;
      nearest = &node;
    }
  }
  if (nearest == nullptr) return text + "; the network has no internal node at all";
  return text + "; the nearest internal node is at " + point(nearest->x, nearest->y) +
         ", at distance " + number(std::hypot(nearest->x - o.sinkLocX, nearest->y - o.sinkLocY)) +
         " (a sinkRad above " + number(best) +
         " would catch it); move the well (sinkLocX, sinkLocY, lines 50 and 51) onto the "
         "network or widen sinkRad (line 52)";
}

std::string explainNoConvergence(int realizationNumber, std::string_view method,
                                 std::string_view solver, const solvers::SolveReport& report,
                                 const std::filesystem::path& file, const RunOptions& o) {
  std::string text = realizationText(realizationNumber) + "the run ended: the " +
                     std::string(method) + " flow solver " + std::string(solver) +
                     " did not converge: after " + std::to_string(report.iterations) +
                     " iterations (maxit = " + std::to_string(o.maxit) +
                     ", line 65) the relative residual is " + number(report.residual) +
                     ", above tol = " + number(o.tol) + " (line 66); " + file.string() +
                     " records it. Raise maxit or loosen tol";
  if (method == "DFN" && o.sink == 1) {
    text += ", and check that the well's nodes lie in fractures connected to a face of the domain";
  }
  return text;
}

std::optional<std::string> solverSettingsNote(const RunOptions& o) {
  if (o.tol > 0.0 && o.maxit > 0) return std::nullopt;
  return "tol = " + number(o.tol) + " (line 66) and maxit = " + std::to_string(o.maxit) +
         " (line 65): with a tolerance or an iteration limit of 0 or below the flow solvers "
         "cannot normally meet the tolerance, and the first flow solve will end the run";
}

}  // namespace fracflow::app
