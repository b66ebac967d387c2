// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/qt_serial_link.h"

#include <algorithm>
#include <chrono>

#include "serial/system_ports.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace zelmo {
namespace {

// Far above the 9 ms a frame takes at 57600 baud; only a dead driver gets here.
constexpr int kWriteWaitMs = 500;

OpenResult::Error OpenError(QSerialPort::SerialPortError error, const std::string& device) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return OpenResult::Error::NotFound;
    case QSerialPort::PermissionError:
#if defined(_WIN32)
      (void)device;
      return OpenResult::Error::Busy;  // Windows says "access denied" for a port in use
#else
      // Qt reports a port held by another program and a port we may not use
      // alike; only the second leaves us without access to the device.
      if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES) return OpenResult::Error::PermissionDenied;
      return OpenResult::Error::Busy;
#endif
    case QSerialPort::OpenError:
      return OpenResult::Error::Busy;
    default:
      return OpenResult::Error::Other;
  }
}

}  // namespace

QtSerialLink::QtSerialLink(PortMapping mapping) : mapping_(std::move(mapping)) {}

QtSerialLink::~QtSerialLink() { close(); }

std::string QtSerialLink::deviceFor(int portNumber) const {
  // The system list is asked only when nothing else names the port.
  if (kThisPortNaming == PortNaming::SystemNumbers ||
      (mapping_.binding && mapping_.binding->portNumber == portNumber) || mapping_.overrides.count(portNumber)) {
    return PortDevice(portNumber, mapping_, {});
  }
  return PortDevice(portNumber, mapping_, systemPorts());
}

SystemPort QtSerialLink::portFacts(int portNumber) const {
#if defined(_WIN32)
  return SerialLink::portFacts(portNumber);
#else
  return PortFacts(portNumber, mapping_, systemPorts());
#endif
}

std::string QtSerialLink::nameToRemember(int portNumber) const {
  // A device given with --port serves that run only.
  if (mapping_.binding && mapping_.binding->portNumber == portNumber) return {};
  return NameToRemember(portFacts(portNumber));
}

bool QtSerialLink::scanMayOpen(int portNumber) const {
#if defined(_WIN32)
  (void)portNumber;
  return true;
#else
  return ScanMayOpen(portNumber, mapping_, systemPorts());
#endif
}

const std::vector<SystemPort>& QtSerialLink::systemPorts() const {
  // Listing the system's ports takes tens of milliseconds; the Com menu asks
  // for all 21 numbers at once, so one listing serves a short while. Adapters
  // plugged in later still show at the next reopen.
  const auto now = std::chrono::steady_clock::now();
  if (!portsListed_ || now - portsListedAt_ > kPortListLifetime) {
    ports_ = SystemPorts();
    portsListedAt_ = now;
    portsListed_ = true;
  }
  return ports_;
}

OpenResult QtSerialLink::open(int portNumber) {
  close();
  OpenResult result;
  result.device = deviceFor(portNumber);
  if (result.device.empty()) {
    result.error = OpenResult::Error::NotFound;
    result.reason = "the system lists no serial port that COM" + std::to_string(portNumber) + " could stand for";
    return result;
  }
  // Qt locks a port under the name it is opened by: a link such as
  // /dev/serial/by-id/... and the device node it leads to must share one lock.
  port_.setPortName(QString::fromStdString(ResolveDevice(result.device)));
  port_.setBaudRate(QSerialPort::Baud57600);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  port_.setReadBufferSize(static_cast<qint64>(kReadCap));
  if (!port_.open(QIODevice::ReadWrite)) {
    result.error = OpenError(port_.error(), result.device);
    result.reason = port_.errorString().toStdString();
    port_.clearError();
    return result;
  }
  // Whatever an earlier session left in the queue answers nothing we will ask.
  port_.clear(QSerialPort::Input);
  return result;
}

void QtSerialLink::close() {
  // Qt puts the line settings the port had before the open back at close.
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

bool QtSerialLink::usable() {
  if (!port_.isOpen()) return false;
  if (port_.error() == QSerialPort::ResourceError) {
    close();
    return false;
  }
  return true;
}

std::size_t QtSerialLink::bytesWaiting() {
  if (!usable()) return 0;
  if (port_.bytesAvailable() < static_cast<qint64>(kFrameSize)) {
    // Takes in what the driver holds without waiting, should the event loop
    // not have run since the bytes came.
    port_.waitForReadyRead(0);
    if (port_.error() == QSerialPort::TimeoutError) port_.clearError();
    if (!usable()) return 0;
  }
  return static_cast<std::size_t>(std::max<qint64>(0, port_.bytesAvailable()));
}

std::size_t QtSerialLink::read(std::span<std::uint8_t> into) {
  if (!usable()) return 0;
  const qint64 waiting = port_.bytesAvailable();
  if (waiting < static_cast<qint64>(kFrameSize)) return 0;
  const qint64 wanted = std::min({waiting, static_cast<qint64>(into.size()), static_cast<qint64>(kReadCap)});
  const qint64 got = port_.read(reinterpret_cast<char*>(into.data()), wanted);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

void QtSerialLink::write(std::span<const std::uint8_t, kFrameSize> frame) {
  if (!usable()) return;
  port_.write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size()));
  port_.waitForBytesWritten(kWriteWaitMs);
  // Qt returns once the driver has the bytes; the line is done only later.
#if defined(_WIN32)
  ::FlushFileBuffers(reinterpret_cast<HANDLE>(port_.handle()));
#else
  ::tcdrain(port_.handle());
#endif
  if (port_.error() == QSerialPort::TimeoutError) port_.clearError();
}

}  // namespace zelmo
