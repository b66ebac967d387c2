// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/qt_serial_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>
#include <filesystem>
#include <vector>

#include "core/device/frame.h"

namespace zelmo {
namespace {

// A pseudo-terminal standing in for the unit's end of the cable.
class FakeUnitLine {
 public:
  FakeUnitLine() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0) path_ = name;
    termios t{};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave_, TCSANOW, &t);
  }
  ~FakeUnitLine() {
    hangUp();
    if (slave_ >= 0) ::close(slave_);
  }
  void send(std::span<const std::uint8_t> bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  }
  std::vector<std::uint8_t> received() {
    std::vector<std::uint8_t> out(4096);
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0) return {};
    const ssize_t n = ::read(master_, out.data(), out.size());
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
  }
  void hangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }
  termios slaveSettings() const {
    termios t{};
    ::tcgetattr(slave_, &t);
    return t;
  }
  void setSlaveSettings(const termios& t) { ::tcsetattr(slave_, TCSANOW, &t); }
  const std::string& path() const { return path_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

PortMapping Bind(int portNumber, const std::string& device) { return {{}, PortBinding{portNumber, device}}; }

std::size_t WaitForBytes(QtSerialLink& link, std::size_t atLeast) {
  // The tick's view: ask, let the event loop run, ask again, for at most 1 s.
  for (int i = 0; i < 100; ++i) {
    const std::size_t n = link.bytesWaiting();
    if (n >= atLeast) return n;
    QCoreApplication::processEvents();
    ::usleep(10000);
  }
  return link.bytesWaiting();
}

TEST(QtSerialLink, WritesWholeFramesThatHaveLeftWhenWriteReturns) {
  FakeUnitLine line;
  QtSerialLink link(Bind(3, line.path()));
  const OpenResult r = link.open(3);
  ASSERT_TRUE(r.ok()) << r.reason;
  EXPECT_EQ(r.device, line.path());
  const Frame poll = PollFrame();
  link.write(poll);
  const auto got = line.received();
  ASSERT_EQ(got.size(), kFrameSize);
  EXPECT_TRUE(std::equal(got.begin(), got.end(), poll.begin()));
}

TEST(QtSerialLink, ReadsOnlyOnceAWholeFrameIsThere) {
  FakeUnitLine line;
  QtSerialLink link(Bind(1, line.path()));
  ASSERT_TRUE(link.open(1).ok());
  std::array<std::uint8_t, 100> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
  std::vector<std::uint8_t> buffer(kReadCap, 0xEE);

  line.send(std::span(bytes).first(51));
  EXPECT_EQ(WaitForBytes(link, 51), 51u);
  EXPECT_EQ(link.read(buffer), 0u);
  EXPECT_EQ(buffer[0], 0xEE);

  line.send(std::span(bytes).subspan(51));
  ASSERT_EQ(WaitForBytes(link, 100), 100u);
  ASSERT_EQ(link.read(buffer), 100u);
  EXPECT_EQ(buffer[0], 1);
  EXPECT_EQ(buffer[99], 100);
  EXPECT_EQ(link.bytesWaiting(), 0u);
  EXPECT_EQ(link.read(buffer), 0u);
}

TEST(QtSerialLink, SetsTheLineUpAndPutsTheOldSettingsBack) {
  FakeUnitLine line;
  termios before = line.slaveSettings();
  ::cfsetispeed(&before, B9600);
  ::cfsetospeed(&before, B9600);
  before.c_lflag |= ICANON | ECHO;  // a pseudo-terminal keeps no parity bits, so cooked mode it is
  line.setSlaveSettings(before);

  QtSerialLink link(Bind(2, line.path()));
  ASSERT_TRUE(link.open(2).ok());
  const termios during = line.slaveSettings();
  EXPECT_EQ(::cfgetospeed(&during), speed_t(B57600));
  EXPECT_EQ(during.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_EQ(during.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
  EXPECT_EQ(during.c_iflag & (IXON | IXOFF), tcflag_t(0));
  EXPECT_EQ(during.c_lflag & (ICANON | ECHO), tcflag_t(0));

  link.close();
  const termios after = line.slaveSettings();
  EXPECT_EQ(::cfgetospeed(&after), speed_t(B9600));
  EXPECT_EQ(after.c_lflag & (ICANON | ECHO), tcflag_t(ICANON | ECHO));
}

TEST(QtSerialLink, OpenFailuresSayWhichDeviceAndWhy) {
  QtSerialLink link(Bind(5, "/dev/zelmo-no-such-port"));
  const OpenResult missing = link.open(5);
  EXPECT_EQ(missing.error, OpenResult::Error::NotFound);
  EXPECT_EQ(missing.device, "/dev/zelmo-no-such-port");
  EXPECT_FALSE(missing.reason.empty());
  EXPECT_FALSE(link.isOpen());
  EXPECT_EQ(link.bytesWaiting(), 0u);

  FakeUnitLine line;
  QtSerialLink first(Bind(1, line.path()));
  QtSerialLink second(Bind(1, line.path()));
  ASSERT_TRUE(first.open(1).ok());
  const OpenResult busy = second.open(1);
  EXPECT_EQ(busy.error, OpenResult::Error::Busy) << busy.reason;
}

TEST(QtSerialLink, AVanishedPortShowsAsSilenceAndOpensAgain) {
  FakeUnitLine line;
  QtSerialLink link(Bind(1, line.path()));
  ASSERT_TRUE(link.open(1).ok());
  line.send(PollFrame());
  ASSERT_EQ(WaitForBytes(link, kFrameSize), kFrameSize);
  std::vector<std::uint8_t> buffer(kReadCap);
  ASSERT_EQ(link.read(buffer), kFrameSize);
  line.hangUp();
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::processEvents();
    EXPECT_EQ(link.bytesWaiting(), 0u);
    EXPECT_EQ(link.read(buffer), 0u);
    link.write(PollFrame());
  }

  FakeUnitLine back;
  link.setMapping(Bind(1, back.path()));
  ASSERT_TRUE(link.open(1).ok());
  back.send(PollFrame());
  EXPECT_EQ(WaitForBytes(link, kFrameSize), kFrameSize);
}

TEST(QtSerialLink, ALinkAndItsDeviceShareOneLock) {
  FakeUnitLine line;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zelmo_by_id_" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path byId = folder / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
  std::filesystem::create_symlink(line.path(), byId);

  QtSerialLink first(PortMapping{{{3, byId.string()}}, std::nullopt});
  const OpenResult opened = first.open(3);
  ASSERT_TRUE(opened.ok()) << opened.reason;
  EXPECT_EQ(opened.device, byId.string()) << "messages name the port as the user knows it";

  // Another program, or a second window, naming the device node itself.
  QtSerialLink second(Bind(1, line.path()));
  EXPECT_EQ(second.open(1).error, OpenResult::Error::Busy);
  QtSerialLink third(PortMapping{{{2, byId.string()}}, std::nullopt});
  EXPECT_EQ(third.open(2).error, OpenResult::Error::Busy);

  first.close();
  EXPECT_TRUE(second.open(1).ok()) << "the lock goes with the port";
  std::filesystem::remove_all(folder);
}

TEST(QtSerialLink, SystemFactsAndTheAutomaticSearch) {
  // A port the system does not list: the device only, and the scan may try it
  // only because the user bound it.
  QtSerialLink link(PortMapping{{{4, "/dev/zelmo-override"}}, std::nullopt});
  const SystemPort facts = link.portFacts(4);
  EXPECT_EQ(facts.path, "/dev/zelmo-override");
  EXPECT_TRUE(facts.description.empty());
  EXPECT_TRUE(link.scanMayOpen(4));
  EXPECT_EQ(link.nameToRemember(4), "/dev/zelmo-override");

  QtSerialLink bound(Bind(2, "/tmp/zelmo-for-this-run"));
  EXPECT_EQ(bound.nameToRemember(2), "") << "a device given with --port is not remembered";
  bound.bindPorts({{2, "/dev/ttyS7"}});
  EXPECT_EQ(bound.deviceFor(2), "/tmp/zelmo-for-this-run") << "the binding of the run comes first";
}

TEST(QtSerialLink, NumbersWithoutADeviceCannotOpen) {
  QtSerialLink link(PortMapping{{{4, "/dev/zelmo-override"}}, std::nullopt});
  EXPECT_EQ(link.deviceFor(4), "/dev/zelmo-override");
  EXPECT_EQ(link.open(4).device, "/dev/zelmo-override");
  EXPECT_TRUE(link.deviceFor(22).empty());
  const OpenResult r = link.open(22);
  EXPECT_EQ(r.error, OpenResult::Error::NotFound);
  EXPECT_FALSE(r.reason.empty());
}

}  // namespace
}  // namespace zelmo

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
