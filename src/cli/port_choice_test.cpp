#include "cli/port_choice.h"

#include <gtest/gtest.h>

namespace zelmo::cli {
namespace {

TEST(PortChoice, ComNumbersPickTheMenuPortAndDevicesBindComOne) {
  PortMapping settings;
  settings.overrides[3] = "/dev/ttyUSB7";

  const auto com3 = ChoosePort("com3", settings);
  ASSERT_TRUE(com3);
  EXPECT_EQ(com3->portNumber, 3);
  EXPECT_FALSE(com3->mapping.binding);
  EXPECT_EQ(PortDevice(com3->portNumber, com3->mapping, {}), "/dev/ttyUSB7");

  const auto device = ChoosePort("/tmp/ttyZelmo", settings);
  ASSERT_TRUE(device);
  EXPECT_EQ(device->portNumber, 1);
  EXPECT_EQ(PortDevice(1, device->mapping, {}), "/tmp/ttyZelmo");
  EXPECT_EQ(PortDevice(3, device->mapping, {}), "/dev/ttyUSB7");  // the settings still count

  // COM21 is no menu port and COM0 no port at all: both are taken as device names.
  EXPECT_EQ(ChoosePort("COM21", {})->mapping.binding->device, "COM21");
  EXPECT_EQ(ChoosePort("COM0", {})->portNumber, 1);
  EXPECT_FALSE(ChoosePort("", {}));
}

}  // namespace
}  // namespace zelmo::cli
