#include "core/device/port_names.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

std::vector<SystemPort> SomePorts() {
  return {{"ttyS0", "/dev/ttyS0", false},       {"ttyUSB10", "/dev/ttyUSB10", true},
          {"ttyS1", "/dev/ttyS1", false},       {"ttyACM0", "/dev/ttyACM0", true},
          {"ttyUSB2", "/dev/ttyUSB2", true}};
}

TEST(PortNames, AdaptersFirstEachGroupByName) {
  const auto ordered = OrderPorts(SomePorts());
  std::vector<std::string> names;
  for (const auto& p : ordered) names.push_back(p.name);
  EXPECT_EQ(names, (std::vector<std::string>{"ttyACM0", "ttyUSB2", "ttyUSB10", "ttyS0", "ttyS1"}));
}

TEST(PortNames, BindingThenOverrideThenSystemList) {
  const auto ordered = OrderPorts(SomePorts());
  PortMapping mapping;
  EXPECT_EQ(PortDevice(1, mapping, ordered, PortNaming::Listed), "/dev/ttyACM0");
  EXPECT_EQ(PortDevice(5, mapping, ordered, PortNaming::Listed), "/dev/ttyS1");
  EXPECT_EQ(PortDevice(6, mapping, ordered, PortNaming::Listed), "");
  EXPECT_EQ(PortDevice(0, mapping, ordered, PortNaming::Listed), "");
  EXPECT_EQ(PortDevice(22, mapping, ordered, PortNaming::Listed), "");

  mapping.overrides[3] = "/dev/ttyUSB0";
  mapping.overrides[21] = "/dev/pts/7";
  EXPECT_EQ(PortDevice(3, mapping, ordered, PortNaming::Listed), "/dev/ttyUSB0");
  EXPECT_EQ(PortDevice(21, mapping, ordered, PortNaming::Listed), "/dev/pts/7");
  EXPECT_EQ(PortDevice(2, mapping, ordered, PortNaming::Listed), "/dev/ttyUSB2");

  mapping.binding = PortBinding{3, "/tmp/unit"};
  EXPECT_EQ(PortDevice(3, mapping, ordered, PortNaming::Listed), "/tmp/unit");
  EXPECT_EQ(PortDevice(21, mapping, ordered, PortNaming::Listed), "/dev/pts/7");
}

TEST(PortNames, SystemNumbersAreThePortsOwnNamesUnlessBound) {
  const auto ordered = OrderPorts(SomePorts());
  PortMapping mapping;
  mapping.overrides[3] = "/dev/ttyUSB0";  // a Linux entry that a shared settings file may carry
  mapping.binding = PortBinding{5, "\\\\.\\CNCA0"};
  EXPECT_EQ(PortDevice(1, mapping, ordered, PortNaming::SystemNumbers), "COM1");
  EXPECT_EQ(PortDevice(3, mapping, ordered, PortNaming::SystemNumbers), "COM3");
  EXPECT_EQ(PortDevice(21, mapping, {}, PortNaming::SystemNumbers), "COM21");
  EXPECT_EQ(PortDevice(5, mapping, ordered, PortNaming::SystemNumbers), "\\\\.\\CNCA0");
  EXPECT_EQ(PortDevice(0, mapping, ordered, PortNaming::SystemNumbers), "");
  EXPECT_EQ(PortDevice(22, mapping, ordered, PortNaming::SystemNumbers), "");
}

TEST(PortNames, ThisSystemsNaming) {
  // What the window and the command-line tool get without naming a rule.
  const auto ordered = OrderPorts(SomePorts());
  if (kThisPortNaming == PortNaming::SystemNumbers) {
    EXPECT_EQ(PortDevice(2, PortMapping{}, ordered), "COM2");
  } else {
    EXPECT_EQ(PortDevice(2, PortMapping{}, ordered), "/dev/ttyUSB2");
  }
}

TEST(PortNames, ComKeys) {
  EXPECT_EQ(ComKeyNumber("COM3"), 3);
  EXPECT_EQ(ComKeyNumber("com21"), 21);
  EXPECT_EQ(ComKeyNumber("COM22"), std::nullopt);
  EXPECT_EQ(ComKeyNumber("COM0"), std::nullopt);
  EXPECT_EQ(ComKeyNumber("COM03"), std::nullopt);
  EXPECT_EQ(ComKeyNumber("COMx"), std::nullopt);
  EXPECT_EQ(ComKeyNumber("LPT1"), std::nullopt);
}

}  // namespace
}  // namespace zelmo
