// The temporary folder of a test: naming, creation and removal.
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace fracflow::testing {
namespace fs = std::filesystem;
namespace {

// "Suite.Name" of the running test with everything but letters, digits, '-' and '_' as '_'
// (parameterised names hold '/'), shortened; "test" outside a test.
std::string testLabel() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string label = info != nullptr ? std::string(info->test_suite_name()) + "." + info->name()
                                      : std::string("test");
  for (char& c : label) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.';
    if (!plain) c = '_';
  }
  if (label.size() > 80) label.resize(80);
  return label;
}

}  // namespace

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const fs::path base = fs::temp_directory_path();
  const std::string stem =
      "fracflow-" + testLabel() + "-" + std::to_string(static_cast<long>(::getpid())) + "-";
  // create_directory fails on an existing folder (one left by an earlier process of the same
  // id), so every object owns a folder nobody else had.
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const fs::path candidate = base / (stem + std::to_string(counter++));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder under " + base.string());
}

TempDir::~TempDir() {
  if (keepTestDir(::testing::Test::HasFailure(), std::getenv(kKeepFailedTestDirs))) {
    std::cerr << "kept the folder of the failed test: " << path_.string() << '\n';
    return;
  }
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

bool keepTestDir(bool testFailed, const char* keepSetting) {
  return testFailed && keepSetting != nullptr && std::string(keepSetting) == "1";
}

}  // namespace fracflow::testing
