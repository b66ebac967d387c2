// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/parameter_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "core/lang/texts.h"
#include "core/model/bike_code.h"
#include "core/model/ordering.h"
#include "core/model/presets.h"

namespace zelmo {
namespace {

// Every field's bytes, through the image's own named accessors.
std::uint8_t& NamedByte(ParameterImage& image, Field f, int i) {
  switch (f) {
    case Field::Top14: return image.top14();
    case Field::Top23: return image.top23();
    case Field::BaseAdvance: return image.baseAdvance();
    case Field::Limiter: return image.limiter();
    case Field::Tacho2x: return image.tacho2x();
    case Field::BlockEnable: return image.blockEnable();
    case Field::BikeCode: return image.bikeCode();
    case Field::LongExcitation: return image.longExcitation();
    case Field::SpeedCorrection: return image.speedCorrection();
    case Field::InverseInput: return image.inverseInput();
    case Field::RpmPoint: return image.rpmPoint(i);
    case Field::Advance: return image.advance(i);
  }
  return image.reserved(0);
}

TEST(ParameterSpec, RowsCoverTheImageBytesOnceAndMatchTheImageAccessors) {
  ASSERT_EQ(ParameterSpecs().size(), kFieldCount);
  std::array<int, kImageSize> owners{};
  for (std::size_t r = 0; r < ParameterSpecs().size(); ++r) {
    const ParameterSpec& spec = ParameterSpecs()[r];
    SCOPED_TRACE(spec.ignKey);
    EXPECT_EQ(static_cast<std::size_t>(spec.field), r) << "SpecOf indexes the table by the enum";
    EXPECT_EQ(&SpecOf(spec.field), &spec);
    EXPECT_EQ(spec.count, spec.field == Field::RpmPoint || spec.field == Field::Advance ? kBreakpointCount : 1);
    for (int i = 0; i < spec.count; ++i) {
      const std::size_t offset = spec.offset + static_cast<std::size_t>(i);
      ASSERT_LT(offset, kImageSize);
      ++owners[offset];
      // The same byte as the image's accessor, found by a distinct mark.
      ParameterImage image;
      SetUserValue(image, spec.field, ToUser(spec, 0xA5), i);
      EXPECT_EQ(NamedByte(image, spec.field, i), 0xA5);
      EXPECT_EQ(UserValue(image, spec.field, i), ToUser(spec, 0xA5));
      EXPECT_EQ(std::count(image.area.begin(), image.area.end(), 0xA5), 1);
    }
  }
  for (std::size_t offset = 0; offset < kImageSize; ++offset) {
    EXPECT_EQ(owners[offset], offset < field::kReserved ? 1 : 0) << "byte " << offset;
  }
}

TEST(ParameterSpec, UserValuesOfEachField) {
  // The units the window, the file and the report show.
  EXPECT_EQ(ToUser(SpecOf(Field::RpmPoint), 15), 1500);
  EXPECT_EQ(ToUser(SpecOf(Field::Limiter), 137), 13700);
  EXPECT_EQ(ToUser(SpecOf(Field::SpeedCorrection), 80), -20);
  EXPECT_EQ(ToUser(SpecOf(Field::SpeedCorrection), 160), 60);
  for (Field f : {Field::Top14, Field::Top23, Field::BaseAdvance, Field::Tacho2x, Field::BlockEnable, Field::BikeCode,
                  Field::LongExcitation, Field::InverseInput, Field::Advance}) {
    EXPECT_EQ(ToUser(SpecOf(f), 37), 37);
  }
}

TEST(ParameterSpec, FromUserTruncatesAndWrapsWithoutClamping) {
  const ParameterSpec& speed = SpecOf(Field::RpmPoint);
  const ParameterSpec& limiter = SpecOf(Field::Limiter);
  const ParameterSpec& correction = SpecOf(Field::SpeedCorrection);
  for (const ParameterSpec& spec : ParameterSpecs()) {
    for (int b = 0; b <= 255; ++b) {
      const auto byte = static_cast<std::uint8_t>(b);
      EXPECT_EQ(FromUser(spec, ToUser(spec, byte)), byte) << spec.ignKey;
      // Anything short of the next whole unit stays on this byte.
      EXPECT_EQ(FromUser(spec, ToUser(spec, byte) + spec.scale - 1), byte) << spec.ignKey;
    }
  }
  EXPECT_EQ(FromUser(limiter, 999), 9);  // the limiter field's minimum, lifted later by the ordering pass
  EXPECT_EQ(FromUser(speed, 199), 1);
  EXPECT_EQ(FromUser(speed, 25600), 0);
  EXPECT_EQ(FromUser(speed, 65535), 143);
  EXPECT_EQ(FromUser(correction, -101), 255);
  EXPECT_EQ(FromUser(correction, 156), 0);
  EXPECT_EQ(FromUser(correction, std::numeric_limits<int>::max()), static_cast<std::uint8_t>(0x7FFFFFFFLL + 100));
  EXPECT_EQ(FromUser(speed, -50), 0);  // toward zero
}

TEST(ParameterSpec, EveryRangeLiesWithinTheBytesReach) {
  for (const ParameterSpec& spec : ParameterSpecs()) {
    SCOPED_TRACE(spec.ignKey);
    const Range reach = ByteReach(spec.scale, spec.userOffset);
    EXPECT_GT(spec.scale, 0);
    EXPECT_GT(spec.step, 0);
    EXPECT_EQ(spec.step % spec.scale, 0) << "an up-down step moves the byte by whole units";
    EXPECT_LE(spec.minimum, spec.maximum);
    EXPECT_LE(spec.firstMinimum, spec.maximum);
    EXPECT_TRUE(reach.contains(spec.minimum) && reach.contains(spec.firstMinimum) && reach.contains(spec.maximum));
    for (const Range& range : {spec.drag, spec.ordered, spec.orderedDragged, spec.accepted}) {
      EXPECT_LE(range.minimum, range.maximum);
      EXPECT_TRUE(reach.contains(range.minimum) && reach.contains(range.maximum));
    }
    if (spec.flag) {
      EXPECT_EQ(spec.accepted, (Range{0, 1}));
    }
    EXPECT_EQ(spec.thousands, spec.scale == 100) << "speeds show thousands";
  }
  // Breakpoint bounds rise one byte per breakpoint: the tenth must still fit.
  const ParameterSpec& speed = SpecOf(Field::RpmPoint);
  const int lift = (kBreakpointCount - 1) * speed.scale;
  EXPECT_TRUE(ByteReach(speed.scale, 0).contains(speed.ordered.maximum + lift));
  EXPECT_EQ(speed.orderedDragged.maximum + lift, 19900);
  EXPECT_EQ(speed.ordered.maximum + lift, 20000);
  EXPECT_EQ(FieldMinimum(speed, 0), 199);
  EXPECT_EQ(FieldMinimum(speed, 1), 300);
  EXPECT_EQ(FieldMinimum(SpecOf(Field::Limiter), 0), 999);
}

// Whatever a window field lets the user enter (typed, so off the step too),
// once the ordering pass has run the unit accepts it.
TEST(ParameterSpec, EveryFieldValueIsAcceptedByTheUnitAfterOrdering) {
  for (const ParameterSpec& spec : ParameterSpecs()) {
    SCOPED_TRACE(spec.ignKey);
    for (int i = 0; i < spec.count; ++i) {
      for (int v = FieldMinimum(spec, i); v <= spec.maximum; ++v) {
        ParameterImage image = NewParameters(0);
        SetUserValue(image, spec.field, v, i);
        OrderingMemory memory;
        memory.movedPoint = kControlEdit;
        StoredChoices choices;
        OrderBreakpoints(image, memory, choices);
        EXPECT_TRUE(spec.accepted.contains(UserValue(image, spec.field, i))) << i << ": " << v;
      }
    }
  }
}

// Choosing a bike over valid parameters: the defaults and the bike's row (some
// bikes keep fields, which then hold bike 0's) must fit the fields and the unit.
TEST(ParameterSpec, EveryBikesPresetsLieInTheirFieldsAndTheUnitsRange) {
  for (int code = 0; code < kBikeListSize; ++code) {
    ParameterImage image = NewParameters(0);
    image.bikeCode() = static_cast<std::uint8_t>(code);
    bool bikeChosen = false;
    ApplyBikePresets(image, bikeChosen);
    for (const ParameterSpec& spec : ParameterSpecs()) {
      for (int i = 0; i < spec.count; ++i) {
        const int v = UserValue(image, spec.field, i);
        SCOPED_TRACE("bike " + std::to_string(code) + " " + std::string(spec.ignKey) + " " + std::to_string(i));
        EXPECT_GE(v, FieldMinimum(spec, i));
        EXPECT_LE(v, spec.maximum);
        EXPECT_TRUE(spec.accepted.contains(v));
      }
    }
  }
}

TEST(ParameterSpec, RowsNameDistinctControlsAndReportTexts) {
  std::set<std::string_view> labels;
  std::set<Extra> names;
  for (const ParameterSpec& spec : ParameterSpecs()) {
    EXPECT_TRUE(labels.insert(spec.labelKey).second) << spec.labelKey;
    EXPECT_TRUE(names.insert(spec.reportName).second) << spec.ignKey;
    for (std::uint8_t language : {kEnglish, kGerman, kCzech}) {
      const std::string_view text = ExtraText(spec.reportName, language);
      EXPECT_FALSE(text.empty());
      // A breakpoint row's name takes the breakpoint's number.
      EXPECT_EQ(text.find("%d") != std::string_view::npos, spec.count > 1) << text;
    }
  }
}

}  // namespace
}  // namespace zelmo
