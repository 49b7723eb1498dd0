#include <gtest/gtest.h>

#include "cli/CliArgs.h"

namespace tarkel {
namespace {

TEST(CliArgs, ParsesWholeNumbersOnly) {
  EXPECT_EQ(ParseInteger("-12"), -12);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_FALSE(ParseInteger(""));
  EXPECT_FALSE(ParseInteger("12x"));
  EXPECT_FALSE(ParseInteger("1.5"));
  EXPECT_EQ(ParseUnsigned("4294967295"), 4294967295u);
  EXPECT_FALSE(ParseUnsigned("4294967296"));
  EXPECT_FALSE(ParseUnsigned("-1"));
}

TEST(CliArgs, SplitsFieldsAndNames) {
  EXPECT_EQ(SplitFields("1,2,,3"), (std::vector<std::string>{"1", "2", "", "3"}));
  EXPECT_TRUE(SplitFields("").empty());
  EXPECT_EQ(SplitNameArgs("fade:100,0"), (std::pair<std::string, std::string>{"fade", "100,0"}));
  EXPECT_EQ(SplitNameArgs("reverse"), (std::pair<std::string, std::string>{"reverse", ""}));
}

}  // namespace
}  // namespace tarkel
