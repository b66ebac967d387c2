// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Zelmo TCI" unit on the far side of the line: one reply to each request,
// a 50-byte parameter block that a program request stores, a saving countdown
// after every store, and monitor values of a simulated engine. Time comes in
// as an argument, so the unit never sleeps and tests stay deterministic.
// The faults a real line or a bad unit shows can be switched on.
#include <cstdint>
#include <optional>

#include "core/device/frame.h"
#include "core/device/unit_info.h"

namespace zelmo::sim {

using Block = std::array<std::uint8_t, kImageSize>;

struct UnitFaults {
  bool silent = false;   // never answers
  int dropEvery = 0;     // no reply to every n-th request
  int corruptEvery = 0;  // every n-th reply with a wrong check byte
  int badEchoes = 0;     // the first n echoes of a stored block differ in one byte
};

struct UnitOptions {
  std::uint8_t protocolVersion = kProtocolVersion;
  UnitFaults faults;
};

// What the unit keeps across power cycles.
struct UnitMemory {
  Block block{};
  std::uint16_t programmingCount = 0;
  bool operator==(const UnitMemory&) const = default;
};

inline constexpr std::uint16_t kSavingStart = 110;
inline constexpr std::int64_t kSavingStepMs = 10;  // 110 steps: about 1.1 s per store

// A fresh unit: the defaults of bike 0.
UnitMemory FactoryMemory();
// The same memory with two neighbouring speed breakpoints swapped, so the
// stored curve no longer rises.
UnitMemory Unordered(UnitMemory memory);
// The unit's own check of its stored block: every field in its range and the
// breakpoints rising. A block failing it is reported as a data error.
bool BlockSane(const Block& block);

UnitInfo FirmwareInfo(std::uint8_t protocolVersion);

class SimulatedUnit {
 public:
  explicit SimulatedUnit(UnitOptions options = {}, UnitMemory memory = FactoryMemory());

  // The reply to one request arriving at nowMs, or nothing when the unit stays
  // silent (a corrupt or unknown request, or a fault).
  std::optional<Frame> answer(std::span<const std::uint8_t, kFrameSize> request, std::int64_t nowMs);

  const UnitMemory& memory() const { return memory_; }
  std::uint16_t savingCountdown(std::int64_t nowMs) const;
  int requestCount() const { return requests_; }
  int replyCount() const { return replies_; }

 private:
  Frame monitorReply(std::int64_t nowMs) const;
  Frame storeBlock(std::span<const std::uint8_t, kPayloadSize> payload, std::int64_t nowMs);

  UnitOptions options_;
  UnitMemory memory_;
  std::optional<std::int64_t> savingSince_;
  int requests_ = 0;
  int replies_ = 0;
  int badEchoesLeft_ = 0;
};

}  // namespace zelmo::sim
