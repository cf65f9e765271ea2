#include "transport/last_location_file.hpp"

#include <gtest/gtest.h>

#include "transport_test_support.hpp"

namespace fracflow::transport {
namespace {

class LastLocation : public testing::InTempFolder {};

TEST_F(LastLocation, FiveFixedColumnsOfWidthFourteenEightBlanksApart) {
  LastLocationFile file(path("last.txt"));
  file.writeStart(0.0, 28.847551);
  file.writeStop(100.0, 25.882966, 32443.655556);
  file.writeStart(1.5, 2.25);
  file.writeStop(-3.0, 123456789.123456, 0.000004);  // wide values push the line on
  file.close();
  EXPECT_EQ(testing::readFile(path("last.txt")),
            "       0.00000              28.84755             100.00000              25.88297"
            "           32443.65556\n"
            "       1.50000               2.25000              -3.00000        123456789.12346"
            "               0.00000\n");
}

}  // namespace
}  // namespace fracflow::transport
