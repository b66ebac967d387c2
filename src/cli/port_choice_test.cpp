// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/port_choice.h"

#include <gtest/gtest.h>

#include "core/model/ordering.h"

namespace zelmo::cli {
namespace {

// The number the engine opens for a choice: the menu item through the shared formula.
int OpenedNumber(const PortChoice& choice) { return ComPortNumber(choice.comIndex, 0); }

TEST(PortChoice, ComNumbersPickTheMenuPortAndDevicesBindComOne) {
  PortMapping settings;
  settings.overrides[3] = "/dev/ttyUSB7";

  const auto com3 = ChoosePort("com3", settings);
  ASSERT_TRUE(com3);
  EXPECT_EQ(com3->comIndex, 2);
  EXPECT_EQ(OpenedNumber(*com3), 3);
  EXPECT_FALSE(com3->mapping.binding);
  EXPECT_EQ(PortDevice(OpenedNumber(*com3), com3->mapping, {}), "/dev/ttyUSB7");
  EXPECT_EQ(OpenedNumber(*ChoosePort("COM20", {})), 20);

  // The device is bound to the very number the engine opens for the item chosen.
  const auto device = ChoosePort("/tmp/ttyZelmo", settings);
  ASSERT_TRUE(device);
  ASSERT_TRUE(device->mapping.binding);
  EXPECT_EQ(device->mapping.binding->portNumber, OpenedNumber(*device));
  EXPECT_EQ(PortDevice(OpenedNumber(*device), device->mapping, {}), "/tmp/ttyZelmo");
  EXPECT_EQ(PortDevice(3, device->mapping, {}), "/dev/ttyUSB7");  // the settings still count

  // COM21 is no menu port and COM0 no port at all: both are taken as device names.
  EXPECT_EQ(ChoosePort("COM21", {})->mapping.binding->device, "COM21");
  EXPECT_EQ(ChoosePort("COM0", {})->mapping.binding->device, "COM0");
  EXPECT_FALSE(ChoosePort("", {}));
}

TEST(PortChoice, MenuItemsAndComNumbersMapBothWays) {
  for (int number = 1; number < kHighestComNumber; ++number) {
    const auto index = ComMenuIndex(number);
    ASSERT_TRUE(index) << number;
    EXPECT_LT(*index, int{kAutoComIndex});
    EXPECT_EQ(ComPortNumber(*index, 7), number) << "a menu port ignores where the scan stands";
  }
  EXPECT_FALSE(ComMenuIndex(0));
  EXPECT_FALSE(ComMenuIndex(kHighestComNumber));
  // "Com Auto" opens the port its scan stands at, up to COM21.
  EXPECT_EQ(ComPortNumber(kAutoComIndex, 0), 1);
  EXPECT_EQ(ComPortNumber(kAutoComIndex, 20), kHighestComNumber);
}

}  // namespace
}  // namespace zelmo::cli
