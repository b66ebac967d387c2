// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelmo::sim {
namespace {

ParsedSimOptions Parse(std::vector<std::string_view> args) { return ParseSimOptions(args); }

TEST(SimOptions, TakesEveryOptionInBothSpellings) {
  const ParsedSimOptions p =
      Parse({"--link", "/tmp/ttyZ", "--eeprom=u.bin", "--protocol-version", "60", "--unordered", "--silent",
             "--drop-every=2", "--corrupt-every", "3", "--bad-echo", "9", "--delay=40", "--unplug-after", "5"});
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
  EXPECT_FALSE(o.help);
  EXPECT_FALSE(o.version);
}

TEST(SimOptions, VersionNowMeansTheProgramsVersion) {
  const ParsedSimOptions version = Parse({"--version"});
  ASSERT_TRUE(version.ok) << version.error;
  EXPECT_TRUE(version.options.version);
  EXPECT_EQ(version.options.unit.protocolVersion, 61);
  // The old spelling with a number is refused, not half taken.
  EXPECT_FALSE(Parse({"--version", "60"}).ok);
  EXPECT_TRUE(Parse({"-h"}).options.help);
  EXPECT_TRUE(Parse({"-V"}).options.version);
}

TEST(SimOptions, RefusesWhatItCannotUse) {
  for (const auto& args : std::vector<std::vector<std::string_view>>{{"--protocol-version", "256"},
                                                                     {"--protocol-version"},
                                                                     {"--drop-every", "-1"},
                                                                     {"--delay", "5x"},
                                                                     {"--delay="},
                                                                     {"--link", ""},
                                                                     {"--loud"},
                                                                     {"-x"},
                                                                     {"--silent=yes"},
                                                                     {"stray"},
                                                                     {"--", "--silent"}}) {
    const ParsedSimOptions p = Parse(args);
    EXPECT_FALSE(p.ok) << args[0];
    EXPECT_FALSE(p.error.empty());
  }
  EXPECT_TRUE(Parse({}).ok);
  EXPECT_EQ(Parse({}).options.unit.protocolVersion, 61);
}

TEST(SimOptions, ErrorsNameTheOption) {
  EXPECT_EQ(Parse({"--protocol-version"}).error, "--protocol-version needs a value");
  EXPECT_EQ(Parse({"--loud"}).error, "unknown option --loud");
  EXPECT_EQ(Parse({"--delay", "5x"}).error, "--delay needs milliseconds 0 to 60000, not '5x'");
  EXPECT_EQ(Parse({"--", "x"}).error, "unexpected argument 'x'");
  // Parsing starts afresh every time, whatever the last list left behind.
  EXPECT_TRUE(Parse({"--silent"}).ok);
}

}  // namespace
}  // namespace zelmo::sim
