// Shared pieces of the transport tests: run options for a small domain, a fixture that runs
// each test in a fresh temporary folder (the transport steps write into the working
// directory), and reading a written file back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "options/run_options.hpp"
#include "support/run_fracflow.hpp"

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

class InTempDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.path());
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
  fracflow::testing::TempDir folder_;
};

}  // namespace fracflow::transport::testing
