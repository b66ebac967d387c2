// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/port_names.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zelmo {
namespace {

SystemPort Port(std::string name, std::string path, bool usb, std::string description = "") {
  SystemPort port;
  port.name = std::move(name);
  port.path = std::move(path);
  port.usbOrAcm = usb;
  port.description = std::move(description);
  return port;
}

std::vector<SystemPort> SomePorts() {
  return {Port("ttyS0", "/dev/ttyS0", false), Port("ttyUSB10", "/dev/ttyUSB10", true),
          Port("ttyS1", "/dev/ttyS1", false), Port("ttyACM0", "/dev/ttyACM0", true),
          Port("ttyUSB2", "/dev/ttyUSB2", true)};
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

TEST(PortNames, AutomaticSearchOpensAdaptersAndBoundNumbersOnly) {
  const auto ordered = OrderPorts(SomePorts());  // ACM0, USB2, USB10, S0, S1
  PortMapping mapping;
  EXPECT_TRUE(ScanMayOpen(1, mapping, ordered));
  EXPECT_TRUE(ScanMayOpen(3, mapping, ordered));
  EXPECT_FALSE(ScanMayOpen(4, mapping, ordered)) << "a built-in serial port";
  EXPECT_FALSE(ScanMayOpen(6, mapping, ordered)) << "nothing stands for it";
  EXPECT_FALSE(ScanMayOpen(0, mapping, ordered));

  mapping.overrides[4] = "/dev/ttyS0";
  mapping.overrides[5] = "";
  mapping.binding = PortBinding{6, "/tmp/unit"};
  EXPECT_TRUE(ScanMayOpen(4, mapping, ordered)) << "the user bound it";
  EXPECT_FALSE(ScanMayOpen(5, mapping, ordered)) << "an empty entry binds nothing";
  EXPECT_TRUE(ScanMayOpen(6, mapping, ordered));
}

TEST(PortNames, DescriptionNamesWhatIsKnown) {
  SystemPort port = Port("ttyUSB0", "/dev/ttyUSB0", true);
  EXPECT_EQ(DescribePort(port), "/dev/ttyUSB0");
  port.description = "FT232R USB UART";
  port.serialNumber = "A50285BI";
  port.stableName = "/dev/serial/by-id/usb-FTDI_A50285BI-if00-port0";
  EXPECT_EQ(DescribePort(port),
            "/dev/ttyUSB0 - FT232R USB UART, S/N A50285BI - /dev/serial/by-id/usb-FTDI_A50285BI-if00-port0");
  port.manufacturer = "FTDI";
  port.path = port.stableName;
  EXPECT_EQ(DescribePort(port), "/dev/serial/by-id/usb-FTDI_A50285BI-if00-port0 - FT232R USB UART, FTDI, S/N A50285BI")
      << "the stable name is not repeated";
  EXPECT_EQ(NameToRemember(port), port.stableName);
  EXPECT_EQ(ComItemText(3, port),
            "Com 3  (/dev/serial/by-id/usb-FTDI_A50285BI-if00-port0 - FT232R USB UART, FTDI, S/N A50285BI)");
  EXPECT_EQ(ComItemText(3, {}), "Com 3");
  SystemPort windows;
  windows.path = "com3";
  EXPECT_EQ(ComItemText(3, windows), "Com 3");
  EXPECT_EQ(NameToRemember(Port("ttyS0", "/dev/ttyS0", false)), "/dev/ttyS0");
  EXPECT_EQ(NameToRemember({}), "");
}

// A fake device folder and a fake by-id folder of links into it.
class StableNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() / ("zelmo_ports_" + std::to_string(::getpid()) + "_" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "dev");
    std::filesystem::create_directories(root_ / "by-id");
    for (const char* node : {"ttyUSB0", "ttyUSB1", "ttyS0"}) std::ofstream(root_ / "dev" / node) << "";
    // Stable names are links; some systems make links only with rights.
    std::error_code error;
    std::filesystem::create_symlink("dev", root_ / "probe", error);
    if (error) GTEST_SKIP() << "this system cannot make symbolic links here: " << error.message();
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  std::string Dev(const char* node) const { return (root_ / "dev" / node).string(); }
  std::string Link(const char* name, const char* node) const {
    const auto link = root_ / "by-id" / name;
    std::filesystem::create_symlink(std::filesystem::path("..") / "dev" / node, link);
    return link.string();
  }

  std::filesystem::path root_;
};

TEST_F(StableNameTest, ResolvesLinksToTheDeviceNode) {
  const std::string link = Link("usb-FTDI_A-if00-port0", "ttyUSB1");
  EXPECT_EQ(ResolveDevice(link), std::filesystem::canonical(Dev("ttyUSB1")).string());
  EXPECT_EQ(ResolveDevice(Dev("ttyUSB1")), ResolveDevice(link)) << "one name, so one lock";
  const std::string gone = (root_ / "by-id" / "usb-unplugged").string();
  EXPECT_EQ(ResolveDevice(gone), gone);
  EXPECT_EQ(ResolveDevice(""), "");
}

TEST_F(StableNameTest, EachPortGetsTheLinkThatLeadsToIt) {
  const std::string b = Link("usb-FTDI_B-if00-port0", "ttyUSB0");
  const std::string a = Link("usb-1a86_USB_Serial-if00-port0", "ttyUSB1");
  Link("usb-1a86_USB_Serial-if01-port0", "ttyUSB1");  // a later name for the same device
  std::vector<SystemPort> ports{Port("ttyUSB0", Dev("ttyUSB0"), true), Port("ttyUSB1", Dev("ttyUSB1"), true),
                                Port("ttyS0", Dev("ttyS0"), false)};
  FindStableNames(ports, root_ / "by-id");
  EXPECT_EQ(ports[0].stableName, b);
  EXPECT_EQ(ports[1].stableName, a);
  EXPECT_EQ(ports[2].stableName, "");

  std::vector<SystemPort> untouched{Port("ttyS0", Dev("ttyS0"), false)};
  untouched[0].stableName = "kept";
  FindStableNames(untouched, root_ / "no-such-folder");
  EXPECT_EQ(untouched[0].stableName, "kept");
}

TEST_F(StableNameTest, ANumberKeepsItsAdapterWhenPluggedInAnotherOrder) {
  const std::string a = Link("usb-FTDI_A-if00-port0", "ttyUSB0");
  std::vector<SystemPort> ports{Port("ttyUSB0", Dev("ttyUSB0"), true, "FT232R USB UART"),
                                Port("ttyUSB1", Dev("ttyUSB1"), true)};
  FindStableNames(ports, root_ / "by-id");

  // The user chooses COM1, which the system order gives adapter A.
  PortMapping mapping;
  RememberPort(mapping.overrides, 1, NameToRemember(PortFacts(1, mapping, ports)));
  EXPECT_EQ(mapping.overrides.at(1), a);

  // Plugged in the other way round: A is now the second device.
  std::filesystem::remove(a);
  std::filesystem::create_symlink(std::filesystem::path("..") / "dev" / "ttyUSB1", a);
  FindStableNames(ports, root_ / "by-id");
  EXPECT_EQ(ResolveDevice(PortDevice(1, mapping, ports)), ResolveDevice(Dev("ttyUSB1")));
  const SystemPort facts = PortFacts(1, mapping, ports);
  EXPECT_EQ(facts.path, a);
  EXPECT_EQ(facts.name, "ttyUSB1") << "the system's facts of the device the link leads to";
  EXPECT_EQ(PortFacts(3, mapping, ports).path, "");
  EXPECT_EQ(PortFacts(2, PortMapping{{{2, "/dev/pts/9"}}, std::nullopt}, ports).path, "/dev/pts/9")
      << "a device the system does not list";
}

TEST_F(StableNameTest, OneAdapterKeepsOneNumber) {
  const std::string a = Link("usb-FTDI_A-if00-port0", "ttyUSB0");
  std::map<int, std::string> overrides{{1, a}, {2, Dev("ttyUSB0")}, {3, Dev("ttyS0")}};
  RememberPort(overrides, 5, a);
  EXPECT_EQ(overrides, (std::map<int, std::string>{{1, ""}, {2, ""}, {3, Dev("ttyS0")}, {5, a}}));
  RememberPort(overrides, 5, "");
  RememberPort(overrides, 22, Dev("ttyS0"));
  EXPECT_EQ(overrides.at(5), a) << "nothing to bind";
  EXPECT_EQ(overrides.at(3), Dev("ttyS0")) << "no such number";
}

}  // namespace
}  // namespace zelmo
