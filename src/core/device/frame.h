// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frames on the wire, 52 bytes in both directions:
//   offset 0      code: command (tool to unit) or reply code (unit to tool)
//   offset 1..50  payload
//   offset 51     check byte = 0xFF ^ byte 0 ^ ... ^ byte 50
// so an intact frame XORs to 0xFF over all 52 bytes.
// Command = block number (low six bits), plus 0x40 to read the block; 0x30 is
// the monitor poll. Reply code = command ^ 0x80. Only blocks 0 (UnitInfo) and
// 1 (the 50 parameter bytes) exist.
#include <array>
#include <cstdint>
#include <span>

#include "core/device/serial_link.h"
#include "core/model/parameter_image.h"

namespace zelmo {

inline constexpr std::size_t kPayloadSize = 50;
using Frame = std::array<std::uint8_t, kFrameSize>;
using Payload = std::array<std::uint8_t, kPayloadSize>;

inline constexpr std::uint8_t kPollCommand = 0x30;
inline constexpr std::uint8_t kMonitorReply = 0xB0;
inline constexpr std::uint8_t kReplyBit = 0x80;
inline constexpr std::uint8_t kReadBit = 0x40;
inline constexpr std::uint8_t kBlockMask = 0x3F;
inline constexpr std::uint8_t kProgramInfo = 0x00;  // program, block 0
inline constexpr std::uint8_t kProgramImage = 0x01;
inline constexpr std::uint8_t kReadInfo = 0x40;     // read, block 0
inline constexpr std::uint8_t kReadImage = 0x41;

// Any frame: code, payload and its check byte (the unit's replies, the simulator).
Frame BuildFrame(std::uint8_t code, std::span<const std::uint8_t, kPayloadSize> payload);
// The frame of a transfer command. Block 1 carries the image bytes 0..49 unless
// a read runs; block 0 and every other block carry zeros.
Frame BuildTransferFrame(std::uint8_t command, bool reading, const ParameterImage& image);
// 0x30, fifty zeros, 0xCF.
Frame PollFrame();

std::span<const std::uint8_t, kPayloadSize> PayloadOf(std::span<const std::uint8_t, kFrameSize> frame);
// The XOR of all 52 bytes is 0xFF.
bool FrameIntact(std::span<const std::uint8_t, kFrameSize> frame);

// A monitor frame is taken in any transfer state.
bool AcceptMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame);
// A transfer reply must answer the last command sent, for block 0 or 1, while
// a transfer runs.
bool AcceptTransferReply(std::span<const std::uint8_t, kFrameSize> frame, std::uint8_t transferCommand,
                         std::uint8_t transferBlock, bool transferRunning);

}  // namespace zelmo
