#include "support/staged_case.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "options/parameter_file.hpp"
#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::testing {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

TEST(StagedCase, ParameterFileTextSetsTheNamedValues) {
  const std::string text =
      parameterFileText({{"numberruns", "4"}, {"dfntr", "2"}, {"tol", "1e-6"}});
  const RunOptions o = options::parseParameterFile(text, "f");
  EXPECT_EQ(o.numberruns, 4);
  EXPECT_EQ(o.dfntr, 2);
  EXPECT_EQ(o.tol, 1e-6);
  EXPECT_EQ(o.grdtr, 1);  // untouched: the default
  EXPECT_NE(text.find("\n4   numberruns\n"), std::string::npos);
  for (const char* name : {"nosuch", "separator", "numberRuns"}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(parameterFileText({{name, "1"}}), std::invalid_argument);
  }
}

// A staged case keeps every byte of its input files but the values set, each line its label
// and its line end.
TEST(StagedCase, StagesTheInputsWithValuesSetInPlace) {
  TempDir dir;
  stageCase("edge_clip", dir.path(), {{"numberruns", "4"}, {"grdtr", "2"}});
  const std::string original =
      readFile(caseFolder("edge_clip") / "input" / options::kParameterFileName);
  const std::string staged = readFile(dir.path() / options::kParameterFileName);
  EXPECT_EQ(fileNames(dir.path()), fileNames(caseFolder("edge_clip") / "input"));
  const std::vector<std::string> before = lines(original);
  const std::vector<std::string> after = lines(staged);
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE(i + 1);
    const std::size_t labelAt = before[i].find(' ');
    if (i + 1 == 12) {
      EXPECT_EQ(after[i], "4" + before[i].substr(labelAt));
    } else if (i + 1 == 63) {
      EXPECT_EQ(after[i], "2" + before[i].substr(labelAt));
    } else {
      EXPECT_EQ(after[i], before[i]);
    }
  }

  // CRLF line ends and leading blanks stay.
  std::string crlf;
  for (const std::string& line : lines(parameterFileText({{"numberruns", "  7"}}))) {
    crlf += line + "\r\n";
  }
  writeFile(dir.path() / options::kParameterFileName, crlf);
  setParameters(dir.path(), {{"numberruns", "5"}});
  EXPECT_NE(readFile(dir.path() / options::kParameterFileName).find("\r\n  5   numberruns\r\n"),
            std::string::npos);
  writeFile(dir.path() / options::kParameterFileName, "1 domainL\n2 domainW\n");
  EXPECT_THROW(setParameters(dir.path(), {{"numberruns", "5"}}), std::invalid_argument);
}

}  // namespace
}  // namespace fracflow::testing
