#include "generator/command_line.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/error.hpp"

namespace fracflow::generator {
namespace {

TEST(CommandLine, ReadsOptionsInBothForms) {
  struct Case {
    std::vector<std::string_view> args;
    std::string file;
    std::string dir;
    std::uint64_t seed;
  };
  const Case cases[] = {
      {{}, "Data_and_OutputOptions.txt", "", 0},
      {{"study.txt"}, "study.txt", "", 0},
      {{"--seed", "42", "--output-dir", "nets"}, "Data_and_OutputOptions.txt", "nets", 42},
      {{"--seed=18446744073709551615", "--output-dir=a b", "p.txt"},
       "p.txt",
       "a b",
       18446744073709551615ULL},
      {{"p.txt", "--seed", "7"}, "p.txt", "", 7},
  };
  for (const Case& c : cases) {
    const GeneratorSettings s = parseCommandLine(c.args);
    EXPECT_EQ(s.parameterFile, c.file);
    EXPECT_EQ(s.outputDir, c.dir);
    EXPECT_EQ(s.seed, c.seed);
    EXPECT_FALSE(s.help);
  }
  EXPECT_TRUE(parseCommandLine({"--help"}).help);
  EXPECT_TRUE(parseCommandLine({"-h"}).help);
  EXPECT_TRUE(parseCommandLine({"--version"}).version);
}

TEST(CommandLine, RejectsWhatItDoesNotKnow) {
  struct Case {
    std::vector<std::string_view> args;
    const char* message;
  };
  const Case cases[] = {
      {{"--bogus"}, "unknown argument '--bogus'"},
      {{"--seeds=3"}, "unknown argument '--seeds=3'"},
      {{"--seed"}, "--seed expects a value"},
      {{"--seed", "-1"},
       "--seed expects a whole number from 0 to 18446744073709551615, found '-1'"},
      {{"--seed=1.5"}, "--seed expects a whole number from 0 to 18446744073709551615, found '1.5'"},
      {{"--seed", "18446744073709551616"},
       "--seed expects a whole number from 0 to 18446744073709551615, found "
       "'18446744073709551616'"},
      {{"--seed="}, "--seed expects a whole number from 0 to 18446744073709551615, found ''"},
      {{"--output-dir="}, "--output-dir expects a folder name"},
      {{"a.txt", "b.txt"}, "only one parameter file can be given, found 'a.txt' and 'b.txt'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      parseCommandLine(c.args);
      ADD_FAILURE() << "accepted";
    } catch (const Error& error) {
      EXPECT_EQ(error.kind(), ErrorKind::Input);
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
}

}  // namespace
}  // namespace fracflow::generator
