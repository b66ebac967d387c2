// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/simulated_unit.h"

#include <algorithm>
#include <utility>

#include "core/device/monitor.h"
#include "core/model/parameter_table.h"
#include "core/model/presets.h"
#include "sim/engine_model.h"

namespace zelmo::sim {
namespace {

// The build the simulated firmware claims.
constexpr std::array<std::uint8_t, 3> kFirmwareName{'Z', 'S', 'M'};
constexpr std::uint8_t kFirmwareNumber = 12;
constexpr std::uint8_t kBuildDay = 14;
constexpr std::string_view kBuildMonth = "Mar";
constexpr std::uint8_t kBuildYear = 25;
constexpr std::uint8_t kBuildHour = 9;
constexpr std::uint8_t kBuildMinute = 5;

}  // namespace

UnitMemory FactoryMemory() {
  const ParameterImage image = NewParameters(0);
  UnitMemory m;
  std::copy(image.image().begin(), image.image().end(), m.block.begin());
  return m;
}

UnitMemory Unordered(UnitMemory memory) {
  std::swap(memory.block[field::kRpmPoint + 3], memory.block[field::kRpmPoint + 4]);
  return memory;
}

bool BlockSane(const Block& b) {
  for (const ParameterSpec& spec : ParameterSpecs()) {
    for (int i = 0; i < spec.count; ++i) {
      if (!spec.accepted.contains(ToUser(spec, b[spec.offset + static_cast<std::size_t>(i)]))) return false;
    }
  }
  for (int i = 1; i < kBreakpointCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (b[field::kRpmPoint + k] <= b[field::kRpmPoint + k - 1]) return false;
  }
  return true;
}

UnitInfo FirmwareInfo(std::uint8_t protocolVersion) {
  UnitInfo info;
  std::copy(kFirmwareName.begin(), kFirmwareName.end(), info.bytes.begin() + unit_info::kName);
  info.bytes[unit_info::kNumber] = kFirmwareNumber;
  info.bytes[unit_info::kDay] = kBuildDay;
  info.bytes[unit_info::kMonth] = MonthCodeOf(kBuildMonth);
  info.bytes[unit_info::kYear] = kBuildYear;
  info.bytes[unit_info::kHour] = kBuildHour;
  info.bytes[unit_info::kMinute] = kBuildMinute;
  info.bytes[unit_info::kProtocolVersion] = protocolVersion;
  return info;
}

SimulatedUnit::SimulatedUnit(UnitOptions options, UnitMemory memory)
    : options_(options), memory_(memory), badEchoesLeft_(options.faults.badEchoes) {}

std::uint16_t SimulatedUnit::savingCountdown(std::int64_t nowMs) const {
  if (!savingSince_) return 0;
  const std::int64_t left = kSavingStart - std::max<std::int64_t>(0, nowMs - *savingSince_) / kSavingStepMs;
  return static_cast<std::uint16_t>(std::max<std::int64_t>(0, left));
}

std::optional<Frame> SimulatedUnit::answer(std::span<const std::uint8_t, kFrameSize> request, std::int64_t nowMs) {
  if (options_.faults.silent || !FrameIntact(request)) return std::nullopt;
  const std::uint8_t code = request[0];
  Frame reply{};
  switch (code) {
    case kPollCommand:
      reply = monitorReply(nowMs);
      break;
    case kProgramInfo:
    case kReadInfo:
      reply = BuildFrame(code ^ kReplyBit, FirmwareInfo(options_.protocolVersion).bytes);
      break;
    case kProgramImage:
      reply = storeBlock(PayloadOf(request), nowMs);
      break;
    case kReadImage:
      reply = BuildFrame(code ^ kReplyBit, memory_.block);
      break;
    default:
      return std::nullopt;
  }
  ++requests_;
  const UnitFaults& f = options_.faults;
  // A dropped reply is lost on the line: the unit has acted on the request.
  if (f.dropEvery > 0 && requests_ % f.dropEvery == 0) return std::nullopt;
  if (f.corruptEvery > 0 && requests_ % f.corruptEvery == 0) reply[kFrameSize - 1] ^= 0x01;
  ++replies_;
  return reply;
}

Frame SimulatedUnit::monitorReply(std::int64_t nowMs) const {
  const EngineState e = EngineAt(memory_.block, nowMs);
  MonitorData m;
  m.engineRpm = e.rpm;
  m.rpmWarning = e.atLimiter ? 1 : 0;
  m.currentAdvance = e.advance;
  m.blocking = e.blocking ? 1 : 0;
  m.supplyRaw = e.supplyRaw;
  m.programmingCount = memory_.programmingCount;
  // Service values: what a technician would look at first.
  m.testValues = {static_cast<std::uint16_t>(e.rpm / 100), e.advance, e.supplyRaw,
                  static_cast<std::uint16_t>(requests_ & 0xFFFF), 0, 0, 0, 0};
  m.sideStandOff = e.sideStandOff ? 1 : 0;
  m.neutralOff = e.neutralOff ? 1 : 0;
  m.pickup1Running = e.pickup1Running ? 1 : 0;
  m.pickup2Running = e.pickup2Running ? 1 : 0;
  m.savingCountdown = savingCountdown(nowMs);
  m.dataError = BlockSane(memory_.block) ? 0 : 1;
  m.protocolVersion = options_.protocolVersion;
  return EncodeMonitorFrame(m);
}

Frame SimulatedUnit::storeBlock(std::span<const std::uint8_t, kPayloadSize> payload, std::int64_t nowMs) {
  std::copy(payload.begin(), payload.end(), memory_.block.begin());
  if (badEchoesLeft_ > 0) {
    // A write that did not take: the unit holds, and honestly echoes, one wrong byte.
    --badEchoesLeft_;
    memory_.block[kImageSize - 1] ^= 0x01;
  }
  ++memory_.programmingCount;
  savingSince_ = nowMs;
  return BuildFrame(kProgramImage ^ kReplyBit, memory_.block);
}

}  // namespace zelmo::sim
