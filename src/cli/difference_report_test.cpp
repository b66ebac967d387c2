// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/difference_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/model/presets.h"

namespace zelmo::cli {
namespace {

TEST(PrintDifferenceReport, TheTableOfTheUnitsLastAnswer) {
  const ParameterImage editor = NewParameters(7);
  Payload unit{};
  const ParameterImage other = NewParameters(0);
  std::copy(other.image().begin(), other.image().end(), unit.begin());
  unit[field::kReserved + 4] = 3;
  std::ostringstream out;
  PrintDifferenceReport(editor, unit, out);
  const std::string text = out.str();
  EXPECT_EQ(text.rfind("  Parameter", 0), 0u) << text;
  EXPECT_NE(text.find("\n* Bike                      SMQ 650"), std::string::npos) << text;
  EXPECT_NE(text.find("RKX 600                -98\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n* Inverse pick-up polarity  On"), std::string::npos) << text;
  EXPECT_NE(text.find("\n* reserved bytes: 1 differ\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n  Speed 1 [rpm]"), std::string::npos) << text;
}

TEST(PrintDifferenceReport, NothingWithoutAnAnswer) {
  std::ostringstream out;
  PrintDifferenceReport(NewParameters(0), std::nullopt, out);
  EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace zelmo::cli
