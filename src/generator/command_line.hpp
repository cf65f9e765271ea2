// The command line of fracgen: which parameter file, where the network files go, and the
// base seed of the draws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fracflow::generator {

inline constexpr std::string_view kUsage =
    "usage: fracgen [--seed N] [--output-dir DIR] [PARAMETER_FILE]\n"
    "       fracgen --help | --version\n"
    "\n"
    "Draws one fracture network per realization of PARAMETER_FILE (default\n"
    "Data_and_OutputOptions.txt): fractures of the three sets (lines 16-38) until the\n"
    "fracture length inside the domain per unit area reaches fracDen (line 14), clipped\n"
    "to the domain and split where they cross. Writes Network_data.0001.txt ...\n"
    "Network_data.NNNN.txt for numberruns (line 12) realizations, one piece per line\n"
    "(x1 y1 x2 y2 perm), and prints for each file its fractures and pieces and the\n"
    "meet_fracs (line 13) that reads every piece.\n"
    "\n"
    "  --seed N          base seed, a whole number from 0 to 2^64 - 1 (default 0); the\n"
    "                    network of realization k depends only on N, k and the file\n"
    "  --output-dir DIR  write the network files into DIR (created if missing; default:\n"
    "                    the working directory)\n"
    "\n"
    "exit status: 0 every file was written; 1 a file could not be written; 2 the\n"
    "parameter file is missing, malformed or invalid, or the command line is wrong.\n";

struct GeneratorSettings {
  std::string parameterFile = "Data_and_OutputOptions.txt";
  std::string outputDir;  // empty: the working directory
  std::uint64_t seed = 0;
  bool help = false;
  bool version = false;
};

// Reads the arguments after the program name. A wrong command line raises an Input error
// whose message says what was wrong.
GeneratorSettings parseCommandLine(const std::vector<std::string_view>& arguments);

}  // namespace fracflow::generator
