#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelmo::sim {
namespace {

ParsedSimOptions Parse(std::vector<std::string_view> args) { return ParseSimOptions(args); }

TEST(SimOptions, TakesEveryOption) {
  const ParsedSimOptions p = Parse({"--link", "/tmp/ttyZ", "--eeprom", "u.bin", "--version", "60", "--unordered",
                                    "--silent", "--drop-every", "2", "--corrupt-every", "3", "--bad-echo", "9",
                                    "--delay", "40", "--unplug-after", "5"});
  ASSERT_TRUE(p.ok) << p.error;
  const SimOptions& o = p.options;
  EXPECT_EQ(o.linkPath, "/tmp/ttyZ");
  EXPECT_EQ(o.eepromPath, "u.bin");
  EXPECT_EQ(o.unit.protocolVersion, 60);
  EXPECT_TRUE(o.unordered);
  EXPECT_TRUE(o.unit.faults.silent);
  EXPECT_EQ(o.unit.faults.dropEvery, 2);
  EXPECT_EQ(o.unit.faults.corruptEvery, 3);
  EXPECT_EQ(o.unit.faults.badEchoes, 9);
  EXPECT_EQ(o.delayMs, 40);
  EXPECT_EQ(o.unplugAfter, 5);
}

TEST(SimOptions, RefusesWhatItCannotUse) {
  for (const auto& args : std::vector<std::vector<std::string_view>>{
           {"--version", "256"}, {"--version"}, {"--drop-every", "-1"}, {"--delay", "5x"}, {"--link", ""}, {"--loud"}}) {
    const ParsedSimOptions p = Parse(args);
    EXPECT_FALSE(p.ok) << args[0];
    EXPECT_FALSE(p.error.empty());
  }
  EXPECT_TRUE(Parse({}).ok);
  EXPECT_EQ(Parse({}).options.unit.protocolVersion, 61);
}

}  // namespace
}  // namespace zelmo::sim
