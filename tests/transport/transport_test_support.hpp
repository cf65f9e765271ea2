// Shared pieces of the transport tests: run options for a small domain, a fixture that gives
// each test a fresh temporary folder for the files it writes, and reading a file back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "options/run_options.hpp"
#include "support/files.hpp"
#include "support/temp_dir.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::transport::testing {

inline RunOptions transportOptions(double domainL, double domainW, int cellx, int celly) {
  RunOptions o;
  o.domainL = domainL;
  o.domainW = domainW;
  o.cellx = cellx;
  o.celly = celly;
  o.cellSizeX = domainL / cellx;
  o.cellSizeY = domainW / celly;
  o.scellx = 1;
  o.ecellx = 1;
  o.scelly = 1;
  o.ecelly = celly + 1;
  o.totalparticles = 100;
  o.bcsize = 10;
  o.bcstep = 1000;
  o.dfntr = 1;
  o.grdtr = 1;
  return o;
}

using fracflow::testing::readFile;

class InTempFolder : public ::testing::Test {
 protected:
  // The path of a file name in the test's folder.
  std::filesystem::path path(const std::string& name) const { return folder_.path() / name; }

 private:
  fracflow::testing::TempDir folder_;
};

// The product's walk and the literal walk stopped the same particle in the same place, at the
// same time and (when it arrived) on the same face.
inline void expectSameStop(const ParticleStop& actual, const ParticleStop& expected) {
  EXPECT_EQ(actual.end, expected.end);
  EXPECT_EQ(actual.startX, expected.startX);
  EXPECT_EQ(actual.startY, expected.startY);
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.t, expected.t);
  EXPECT_EQ(actual.hasFace, expected.hasFace);
  if (actual.hasFace && expected.hasFace) {
    EXPECT_EQ(actual.face, expected.face);
  }
}

}  // namespace fracflow::transport::testing
