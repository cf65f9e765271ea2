// Each phase's literal form (the plain scans, dense forms and walks kept in the tests, and the
// dense solvers) against the indexed and sparse form the product runs, on fracgen networks of about
// 1e3 and 1e4 pieces, in one run. Every pair is checked to give the same bits before it is
// timed, and a table of the time ratios (literal / product) is printed at the end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iostream>
#include <limits>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dfn/backbone.hpp"
#include "dfn/backbone_selection.hpp"
#include "dfn/end_heads.hpp"
#include "dfn/flow_system.hpp"
#include "dfn/literal_network_flow.hpp"
#include "dfn/node_heads.hpp"
#include "dfn/start_vector.hpp"
#include "dfn/well_nodes.hpp"
#include "generator/network_file.hpp"
#include "generator/network_generation.hpp"
#include "generator/network_law.hpp"
#include "grid/boundary_head.hpp"
#include "grid/cell_heads.hpp"
#include "grid/cell_index.hpp"
#include "grid/face_flows.hpp"
#include "grid/flow_system.hpp"
#include "grid/fracture_continuum.hpp"
#include "grid/grid_geometry.hpp"
#include "grid/literal_grid.hpp"
#include "io/text_stream.hpp"
#include "network/boundary_fractures.hpp"
#include "network/fracture_input.hpp"
#include "network/literal_network.hpp"
#include "network/nodes.hpp"
#include "network/point_index.hpp"
#include "network/segments.hpp"
#include "network/tiny_segments.hpp"
#include "options/run_options.hpp"
#include "solvers/bicg.hpp"
#include "solvers/csr_matrix.hpp"
#include "solvers/minres.hpp"
#include "transport/grid_injection.hpp"
#include "transport/grid_walk.hpp"
#include "transport/literal_walks.hpp"
#include "transport/network_injection.hpp"
#include "transport/network_walk.hpp"
#include "transport/walk_end.hpp"

namespace {

using namespace fracflow;

// The rock of bench/end_to_end.sh (two sets, density 0.36, fractures of 8 and longer) on a
// square domain of side L with cells x cells cells.
struct StudySize {
  const char* name;
  double L;
  int cells;
  int solverSteps;  // the dense solvers run this many steps (0: to convergence)
};

const StudySize kSizes[] = {{"1e3", 100.0, 50, 0}, {"1e4", 320.0, 100, 100}};

RunOptions studyOptions(const StudySize& size) {
  RunOptions o;
  o.domainL = o.domainW = size.L;
  o.cellx = o.celly = size.cells;
  o.cellSizeX = o.domainL / o.cellx;
  o.cellSizeY = o.domainW / o.celly;
  // Particles enter along the left face (the first column of cells).
  o.scellx = 1;
  o.ecellx = 2;
  o.scelly = 1;
  o.ecelly = size.cells + 1;
  o.totalparticles = 1000;
  o.bcsize = 100;
  o.bcstep = static_cast<int>(0.1 * size.L * size.L);
  o.fracDen = 0.36;
  o.sets[0] = {0.6, 8.0, 1.6, 5.0, 30.0, 0.0, 0.3};
  o.sets[1] = {0.4, 8.0, 1.6, 5.0, 120.0, -0.3, 0.3};
  o.sets[2] = {0.0, 8.0, 1.6, 0.0, 0.0, 0.0, 0.3};
  o.tf1 = 100.0;
  o.tf2 = 0.0;
  o.rf1 = o.rf2 = 0.0;
  o.bf1 = 100.0;
  o.bf2 = 0.0;
  o.lf1 = o.lf2 = 100.0;
  o.sink = 2;
  o.maxit = 1000000;
  o.tol = 1e-9;
  return o;
}

// Discards what the phases print.
struct Quiet {
  std::ostringstream sink;
  io::TextStream console{sink};
};

// Everything the phases of one realization hand on, built once per size by the product's
// code; the literal forms are checked against it.
struct Study {
  RunOptions options;
  SegmentTable rawSegments;  // before the tiny-segment pass
  SegmentTable segments;     // after it
  NodeTable nodes;           // heads solved
  NodeTable unsolvedNodes;
  Backbone backbone;
  dfn::WellNodes well;
  solvers::LinearSystem system;
  std::vector<double> startVector;
  grid::GridGeometry geometry;
  grid::FaceHeads heads;
  CellTable cells;  // heads solved
  CellTable unsolvedCells;
  std::unique_ptr<grid::CellIndex> index;
  solvers::LinearSystem gridSystem;
};

std::unique_ptr<Study> makeStudy(const StudySize& size) {
  auto study = std::make_unique<Study>();
  Study& s = *study;
  s.options = studyOptions(size);
  const RunOptions& o = s.options;
  const generator::NetworkLaw law = generator::makeNetworkLaw(o, "bench");
  const generator::GeneratedNetwork generated = generator::generateNetwork(law, 0, 1);
  std::string text;
  for (const generator::Piece& piece : generated.pieces) generator::appendPieceLine(text, piece);
  network::FractureReading reading = network::readFractures(
      text, "bench", static_cast<int>(generated.pieces.size()), o.domainL, o.domainW);
  network::moveBoundaryFracturesToFront(reading.fractures, o.domainL, o.domainW);
  s.rawSegments = network::buildSegments(std::move(reading.fractures));
  s.segments = s.rawSegments;
  network::removeTinySegments(s.segments, o.domainL);
  s.nodes = network::buildNodes(network::DistinctPoints(network::segmentEndPoints(s.segments)), o);
  s.unsolvedNodes = s.nodes;

  Quiet quiet;
  s.well = dfn::findWellNodes(s.nodes, o, quiet.console);
  s.system = dfn::assembleFlowSystem(s.segments, s.nodes, s.well);
  s.startVector = dfn::startVector(s.nodes, o);
  dfn::solveHeads(s.system, s.nodes, o, quiet.console);
  s.backbone = dfn::findBackbone(s.segments, dfn::findEndHeads(s.segments, s.nodes), o,
                                 static_cast<int>(s.rawSegments.size()), quiet.console);

  s.geometry = grid::GridGeometry::fromOptions(o);
  s.heads = grid::FaceHeads::fromOptions(o);
  s.cells = grid::mapFractureContinuum(s.geometry, s.heads, s.segments, quiet.console);
  s.unsolvedCells = s.cells;
  s.index =
      std::make_unique<grid::CellIndex>(s.cells.cells, o.cellx, o.celly, o.cellSizeX, o.cellSizeY);
  s.gridSystem = grid::assembleFlowSystem(s.cells, s.geometry, *s.index);
  grid::solveHeads(s.gridSystem, s.cells, o, quiet.console);
  return study;
}

const Study& study(int which) {
  static std::unique_ptr<Study> studies[2];
  auto& s = studies[which];
  if (!s) s = makeStudy(kSizes[which]);
  return *s;
}

bool sameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!sameBits(a[i], b[i])) return false;
  }
  return true;
}
template <typename Record>
bool sameRecords(const std::vector<Record>& a, const std::vector<Record>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Record)) == 0);
}
bool sameNodes(const NodeTable& a, const NodeTable& b) {
  return a.boundaryNodes == b.boundaryNodes && a.internalNodes == b.internalNodes &&
         sameRecords(a.nodes, b.nodes);
}
bool samePass(const network::TinySegmentPass& a, const network::TinySegmentPass& b) {
  return a.tinyFracs == b.tinyFracs && a.absentFracs == b.absentFracs && a.abFracId == b.abFracId &&
         a.tooTiny == b.tooTiny;
}
bool sameCells(const CellTable& a, const CellTable& b) {
  return a.boundaryCells == b.boundaryCells && a.internalCells == b.internalCells &&
         sameRecords(a.cells, b.cells);
}
bool sameFlows(const FaceFlows& a, const FaceFlows& b) {
  return sameBits(a.top, b.top) && sameBits(a.right, b.right) && sameBits(a.bottom, b.bottom) &&
         sameBits(a.left, b.left);
}

bool sameStop(const transport::ParticleStop& a, const transport::ParticleStop& b) {
  return sameBits(a.startX, b.startX) && sameBits(a.startY, b.startY) && sameBits(a.x, b.x) &&
         sameBits(a.y, b.y) && sameBits(a.t, b.t) && a.end == b.end && a.hasFace == b.hasFace &&
         (!a.hasFace || a.face == b.face);
}

// Every particle of a realization walked the literal way and the product's way: the stops
// and the random stream's final state agree.
template <typename LiteralWalk, typename ProductWalk>
bool sameWalks(const RunOptions& o, LiteralWalk& literal, ProductWalk& product) {
  random::RandomStream a = random::RandomStream::forRealization(1);
  random::RandomStream b = random::RandomStream::forRealization(1);
  bool same = true;
  for (int p = 0; p < o.totalparticles; ++p) {
    same = same && sameStop(literal.track(a), product.trackParticle(b));
  }
  return same && a.state() == b.state();
}

// One pair: the literal and the product's form of a phase, and whether they agree.
struct Pair {
  std::string phase;
  std::function<void(const Study&, benchmark::State&)> literal;
  std::function<void(const Study&, benchmark::State&)> product;
  std::function<bool(const Study&)> agree;
};

std::vector<Pair> pairs() {
  std::vector<Pair> list;

  list.push_back(
      {"tiny-segment pass",
       [](const Study& s, benchmark::State& state) {
         for (auto _ : state) {
           SegmentTable segments = s.rawSegments;
           benchmark::DoNotOptimize(network::literal::literalTinyPass(segments, s.options.domainL));
         }
       },
       [](const Study& s, benchmark::State& state) {
         for (auto _ : state) {
           SegmentTable segments = s.rawSegments;
           benchmark::DoNotOptimize(network::removeTinySegments(segments, s.options.domainL));
         }
       },
       [](const Study& s) {
         SegmentTable a = s.rawSegments;
         SegmentTable b = s.rawSegments;
         return samePass(network::literal::literalTinyPass(a, s.options.domainL),
                         network::removeTinySegments(b, s.options.domainL)) &&
                sameRecords(a, b);
       }});

  list.push_back({"node count",
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      benchmark::DoNotOptimize(network::literal::literalCount(
                          s.segments, s.options.domainL, s.options.domainW));
                    }
                  },
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      benchmark::DoNotOptimize(
                          network::countNodes(s.segments, s.options.domainL, s.options.domainW));
                    }
                  },
                  [](const Study& s) {
                    const network::NodeCount a = network::literal::literalCount(
                        s.segments, s.options.domainL, s.options.domainW);
                    const network::NodeCount b =
                        network::countNodes(s.segments, s.options.domainL, s.options.domainW);
                    return a.boundaryNodes == b.boundaryNodes && a.internalNodes == b.internalNodes;
                  }});

  list.push_back(
      {"node build",
       [](const Study& s, benchmark::State& state) {
         for (auto _ : state) {
           benchmark::DoNotOptimize(network::literal::literalBuild(s.segments, s.options));
         }
       },
       [](const Study& s, benchmark::State& state) {
         for (auto _ : state) {
           benchmark::DoNotOptimize(network::buildNodes(s.segments, s.options));
         }
       },
       [](const Study& s) {
         return sameNodes(network::literal::literalBuild(s.segments, s.options), s.unsolvedNodes);
       }});

  list.push_back(
      {"DFN assembly",
       [](const Study& s, benchmark::State& state) {
         for (auto _ : state) {
           benchmark::DoNotOptimize(dfn::literal::assemble(s.segments, s.unsolvedNodes, s.well));
         }
       },
       [](const Study& s, benchmark::State& state) {
         for (auto _ : state) {
           benchmark::DoNotOptimize(dfn::assembleFlowSystem(s.segments, s.unsolvedNodes, s.well));
         }
       },
       [](const Study& s) {
         const dfn::literal::DenseSystem dense =
             dfn::literal::assemble(s.segments, s.unsolvedNodes, s.well);
         return sameBits(dense.A.a, solvers::toDense(s.system.A).a) &&
                sameBits(dense.b, s.system.b);
       }});

  list.push_back(
      {"MINRES",
       [](const Study& s, benchmark::State& state) {
         const solvers::DenseMatrix dense = solvers::toDense(s.system.A);
         const int maxit = static_cast<int>(state.range(0));
         for (auto _ : state) {
           Quiet quiet;
           std::vector<double> x = s.startVector;
           solvers::solveMINRES(dense, s.system.b, x, maxit, s.options.tol, quiet.console);
         }
       },
       [](const Study& s, benchmark::State& state) {
         const int maxit = static_cast<int>(state.range(0));
         for (auto _ : state) {
           Quiet quiet;
           std::vector<double> x = s.startVector;
           solvers::solveMINRES(s.system.A, s.system.b, x, maxit, s.options.tol, quiet.console);
         }
       },
       nullptr});

  list.push_back({"DFN end heads",
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      benchmark::DoNotOptimize(dfn::literal::endHeads(
                          s.segments, s.nodes, std::numeric_limits<double>::quiet_NaN()));
                    }
                  },
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      benchmark::DoNotOptimize(dfn::findEndHeads(s.segments, s.nodes));
                    }
                  },
                  [](const Study& s) {
                    const dfn::EndHeads a = dfn::literal::endHeads(
                        s.segments, s.nodes, std::numeric_limits<double>::quiet_NaN());
                    const dfn::EndHeads b = dfn::findEndHeads(s.segments, s.nodes);
                    return sameBits(a.head1, b.head1) && sameBits(a.head2, b.head2);
                  }});

  list.push_back({"grid mapping",
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      benchmark::DoNotOptimize(
                          grid::literal::literalCellTable(s.geometry, s.heads, s.segments));
                    }
                  },
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      Quiet quiet;
                      benchmark::DoNotOptimize(grid::mapFractureContinuum(
                          s.geometry, s.heads, s.segments, quiet.console));
                    }
                  },
                  [](const Study& s) {
                    return sameCells(
                        grid::literal::literalCellTable(s.geometry, s.heads, s.segments),
                        s.unsolvedCells);
                  }});

  list.push_back({"grid assembly",
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      benchmark::DoNotOptimize(
                          grid::literal::literalDenseSystem(s.unsolvedCells, s.geometry));
                    }
                  },
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      benchmark::DoNotOptimize(
                          grid::assembleFlowSystem(s.unsolvedCells, s.geometry, *s.index));
                    }
                  },
                  [](const Study& s) {
                    const grid::literal::DenseSystem dense =
                        grid::literal::literalDenseSystem(s.unsolvedCells, s.geometry);
                    return sameBits(dense.matrix.a, solvers::toDense(s.gridSystem.A).a) &&
                           sameBits(dense.rhs, s.gridSystem.b);
                  }});

  list.push_back({"BiCG",
                  [](const Study& s, benchmark::State& state) {
                    const solvers::DenseMatrix dense = solvers::toDense(s.gridSystem.A);
                    const int maxit = static_cast<int>(state.range(0));
                    for (auto _ : state) {
                      Quiet quiet;
                      std::vector<double> x(s.gridSystem.b.size(), 0.0);
                      solvers::solveBiCG(dense, s.gridSystem.b, x, maxit, s.options.tol,
                                         quiet.console);
                    }
                  },
                  [](const Study& s, benchmark::State& state) {
                    const int maxit = static_cast<int>(state.range(0));
                    for (auto _ : state) {
                      Quiet quiet;
                      std::vector<double> x(s.gridSystem.b.size(), 0.0);
                      solvers::solveBiCG(s.gridSystem.A, s.gridSystem.b, x, maxit, s.options.tol,
                                         quiet.console);
                    }
                  },
                  nullptr});

  list.push_back(
      {"grid face flows",
       [](const Study& s, benchmark::State& state) {
         for (auto _ : state) {
           benchmark::DoNotOptimize(grid::literal::literalFaceFlows(s.cells, s.geometry, false));
         }
       },
       [](const Study& s, benchmark::State& state) {
         for (auto _ : state) {
           benchmark::DoNotOptimize(grid::computeFaceFlows(s.cells, s.geometry, *s.index));
         }
       },
       [](const Study& s) {
         return sameFlows(grid::literal::literalFaceFlows(s.cells, s.geometry, false),
                          grid::computeFaceFlows(s.cells, s.geometry, *s.index));
       }});
  list.push_back({"DFN transport",
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      transport::literal::NetworkWalk walk(s.options, s.backbone);
                      random::RandomStream random = random::RandomStream::forRealization(1);
                      for (int p = 0; p < s.options.totalparticles; ++p) {
                        benchmark::DoNotOptimize(walk.track(random));
                      }
                    }
                  },
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      const transport::NetworkInjectionTable table =
                          transport::buildNetworkInjectionTable(s.options, s.backbone);
                      transport::NetworkWalk walk(s.options, s.backbone, table);
                      random::RandomStream random = random::RandomStream::forRealization(1);
                      for (int p = 0; p < s.options.totalparticles; ++p) {
                        benchmark::DoNotOptimize(walk.trackParticle(random));
                      }
                    }
                  },
                  [](const Study& s) {
                    transport::literal::NetworkWalk literal(s.options, s.backbone);
                    const transport::NetworkInjectionTable table =
                        transport::buildNetworkInjectionTable(s.options, s.backbone);
                    if (literal.count() == 0 || literal.count() != table.count()) return false;
                    transport::NetworkWalk product(s.options, s.backbone, table);
                    return sameWalks(s.options, literal, product);
                  }});

  list.push_back({"grid transport",
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      transport::literal::GridWalk walk(s.options, s.cells.cells);
                      random::RandomStream random = random::RandomStream::forRealization(1);
                      for (int p = 0; p < s.options.totalparticles; ++p) {
                        benchmark::DoNotOptimize(walk.track(random));
                      }
                    }
                  },
                  [](const Study& s, benchmark::State& state) {
                    for (auto _ : state) {
                      const transport::GridInjectionTable table =
                          transport::buildGridInjectionTable(s.options, s.cells, *s.index);
                      transport::GridWalk walk(s.options, s.cells, *s.index, table);
                      random::RandomStream random = random::RandomStream::forRealization(1);
                      for (int p = 0; p < s.options.totalparticles; ++p) {
                        benchmark::DoNotOptimize(walk.trackParticle(random));
                      }
                    }
                  },
                  [](const Study& s) {
                    transport::literal::GridWalk literal(s.options, s.cells.cells);
                    const transport::GridInjectionTable table =
                        transport::buildGridInjectionTable(s.options, s.cells, *s.index);
                    if (literal.count() == 0 || literal.count() != table.count()) return false;
                    transport::GridWalk product(s.options, s.cells, *s.index, table);
                    return sameWalks(s.options, literal, product);
                  }});
  return list;
}

// The solvers' dense and sparse forms run the same iteration bit for bit (tests/solvers):
// both run the same steps here, checked by their results.
bool solversAgree(const Study& s, int minresSteps, int bicgSteps) {
  Quiet quiet;
  std::vector<double> xDense = s.startVector;
  std::vector<double> xSparse = s.startVector;
  solvers::solveMINRES(solvers::toDense(s.system.A), s.system.b, xDense, minresSteps, s.options.tol,
                       quiet.console);
  solvers::solveMINRES(s.system.A, s.system.b, xSparse, minresSteps, s.options.tol, quiet.console);
  std::vector<double> gDense(s.gridSystem.b.size(), 0.0);
  std::vector<double> gSparse(s.gridSystem.b.size(), 0.0);
  solvers::solveBiCG(solvers::toDense(s.gridSystem.A), s.gridSystem.b, gDense, bicgSteps,
                     s.options.tol, quiet.console);
  solvers::solveBiCG(s.gridSystem.A, s.gridSystem.b, gSparse, bicgSteps, s.options.tol,
                     quiet.console);
  return sameBits(xDense, xSparse) && sameBits(gDense, gSparse);
}

// The console report, plus a table of literal / product time ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) failed_.push_back(run.run_name.function_name);
      if (run.error_occurred || run.iterations == 0) continue;
      seconds_[run.run_name.function_name] =
          run.real_accumulated_time / static_cast<double>(run.iterations);
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\n| phase | pieces | literal ms | product ms | literal / product |\n"
        << "|---|---:|---:|---:|---:|\n";
    for (const auto& [name, label] : rows_) {
      const auto literal = seconds_.find(name + "/literal");
      const auto product = seconds_.find(name + "/product");
      if (std::find(failed_.begin(), failed_.end(), name + "/literal") != failed_.end()) {
        out << "| " << label << " | | | THE TWO FORMS DIFFER |\n";
        continue;
      }
      if (literal == seconds_.end() || product == seconds_.end()) continue;
      out << "| " << label << " | " << milliseconds(literal->second) << " | "
          << milliseconds(product->second) << " | " << ratio(literal->second / product->second)
          << " |\n";
    }
  }

  bool anyFailed() const { return !failed_.empty(); }

  void addRow(const std::string& name, const std::string& label) {
    rows_.emplace_back(name, label);
  }

 private:
  static std::string milliseconds(double seconds) { return fixed(seconds * 1e3, 3); }
  static std::string ratio(double value) { return fixed(value, value < 10 ? 2 : 0); }
  static std::string fixed(double value, int digits) {
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(digits);
    text << value;
    return text.str();
  }

  std::map<std::string, double> seconds_;
  std::vector<std::string> failed_;
  std::vector<std::pair<std::string, std::string>> rows_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  for (int which = 0; which < 2; ++which) {
    const StudySize& size = kSizes[which];
    for (const Pair& pair : pairs()) {
      const bool solver = !pair.agree;
      const std::string name = pair.phase + "/" + size.name;
      std::string label = pair.phase + " | " + size.name;
      for (const auto& [form, run] :
           {std::pair{"literal", pair.literal}, std::pair{"product", pair.product}}) {
        auto* bench = benchmark::RegisterBenchmark(
            (name + "/" + form).c_str(),
            [which, run = run, agree = pair.agree, solver, key = name](benchmark::State& state) {
              const Study& s = study(which);
              // Google Benchmark calls this more than once; the check runs the first time.
              static std::map<std::string, bool> verdicts;
              if (!verdicts.contains(key)) {
                const int steps = solver ? static_cast<int>(state.range(0)) : 0;
                verdicts[key] = solver ? solversAgree(s, steps, steps) : agree(s);
              }
              if (!verdicts[key]) {
                state.SkipWithError("the literal and the product's forms differ");
                return;
              }
              run(s, state);
              state.counters["pieces"] = static_cast<double>(s.rawSegments.size());
              state.counters["nodes"] = s.unsolvedNodes.totalNodes();
              state.counters["cells"] = s.unsolvedCells.totalCells();
            });
        bench->Unit(benchmark::kMillisecond)->UseRealTime();
        if (solver) bench->Arg(size.solverSteps > 0 ? size.solverSteps : 1000000);
      }
      if (solver) {
        label += size.solverSteps > 0 ? " (" + std::to_string(size.solverSteps) + " steps)"
                                      : " (to convergence)";
      }
      reporter.addRow(name, label);
    }
  }
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.anyFailed() ? 1 : 0;
}
