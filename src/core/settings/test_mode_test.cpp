// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/test_mode.h"

#include <gtest/gtest.h>

#include <string>

namespace zelmo {
namespace {

TEST(TestMode, KeywordAsAWholeCaseSensitiveWord) {
  EXPECT_TRUE(CheckTestMode("SVC_DISPLAY"));
  EXPECT_TRUE(CheckTestMode("some words\r\n\tSVC_DISPLAY and more"));
  EXPECT_FALSE(CheckTestMode("svc_display"));
  EXPECT_FALSE(CheckTestMode("SVC_DISPLAYS xSVC_DISPLAY SVC_DISP"));
  EXPECT_FALSE(CheckTestMode(""));
  EXPECT_FALSE(CheckTestMode(std::string("SVC_DISPLAY\0", 12)));
}

TEST(TestMode, LongWordsNeverMatch) {
  EXPECT_FALSE(CheckTestMode(std::string(255, 'x') + "SVC_DISPLAY"));
  EXPECT_TRUE(CheckTestMode(std::string(100000, 'x') + " SVC_DISPLAY"));
}

}  // namespace
}  // namespace zelmo
