#include "generator/network_file.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>

#include "generator/generator_fixtures.hpp"
#include "io/error.hpp"
#include "support/files.hpp"
#include "support/same_bits.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::generator {
namespace {

TEST(NetworkFile, OnePieceALineInRoundTripDigits) {
  std::string text;
  appendPieceLine(text, {{{0.0, 5.0}, {9.5, 1.0 / 3.0}}, 1e-5, 0});
  appendPieceLine(text, {{{-0.0, 100.0}, {0.1, 2.0}}, 12.5, 1});
  EXPECT_EQ(text, "0 5 9.5 0.3333333333333333 1e-05\n0 100 0.1 2 12.5\n");
}

TEST(NetworkFile, WrittenCoordinatesReadBackToTheSameDoubles) {
  const NetworkLaw law = populationLaw(100, 100, 0.4, {fractureSet(1, 4, 1.5, 0, 0, 0, 1)});
  const GeneratedNetwork net = generateNetwork(law, 3, 1);
  testing::TempDir dir;
  const std::string path = (dir.path() / "Network_data.0001.txt").string();
  writeNetworkFile(path, net.pieces);
  std::istringstream lines(testing::readFile(path));
  std::string line;
  std::size_t k = 0;
  while (std::getline(lines, line)) {
    ASSERT_LT(k, net.pieces.size());
    const Piece& p = net.pieces[k++];
    const double expected[5] = {p.segment.a.x, p.segment.a.y, p.segment.b.x, p.segment.b.y, p.perm};
    const char* at = line.data();
    const char* end = line.data() + line.size();
    for (const double e : expected) {
      double v = 0.0;
      const auto result = std::from_chars(at, end, v);
      ASSERT_EQ(result.ec, std::errc()) << line;
      EXPECT_SAME_BITS(v, e) << line;
      at = result.ptr + (result.ptr < end ? 1 : 0);
    }
    EXPECT_EQ(at, end) << line;
  }
  EXPECT_EQ(k, net.pieces.size());
}

TEST(NetworkFile, AFileThatCannotBeCreatedIsAnOutputError) {
  testing::TempDir dir;
  const std::string path = (dir.path() / "missing" / "Network_data.0001.txt").string();
  try {
    writeNetworkFile(path, {});
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::Output);
    EXPECT_EQ(std::string(error.what()), path + ": cannot create the output file");
  }
}

}  // namespace
}  // namespace fracflow::generator
