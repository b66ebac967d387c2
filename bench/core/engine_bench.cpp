// SPDX-License-Identifier: GPL-3.0-or-later
// One tick of the editor session as the window's timer runs it (the device
// engine and the session's chores around it): idle (nothing received) and
// with a monitor frame to decode. Both must stay far below the 55 ms tick; the
// target is well under 20 microseconds.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "core/session/editor_session.h"

namespace zelmo {
namespace {

class MemoryLink : public SerialLink {
 public:
  Frame pending{};
  bool hasFrame = false;

  OpenResult open(int) override { return {}; }
  void close() override {}
  std::size_t bytesWaiting() override { return hasFrame ? kFrameSize : 0; }
  std::size_t read(std::span<std::uint8_t> into) override {
    if (!hasFrame || into.size() < kFrameSize) return 0;
    std::copy(pending.begin(), pending.end(), into.begin());
    hasFrame = false;
    return kFrameSize;
  }
  void write(std::span<const std::uint8_t, kFrameSize>) override {}
  std::string deviceFor(int) const override { return "/dev/ttyUSB0"; }
};

class QuietListener final : public SessionListener {
 public:
  void imageChanged(bool) override {}
  void message(std::string_view) override {}
  void warning(std::string_view) override {}
};

struct Rig {
  MemoryLink link;
  QuietListener listener;
  EditorSession session{link, listener, {}};

  Rig() { session.openPort(); }
};

void BM_IdleTick(benchmark::State& state) {
  Rig rig;
  for (auto _ : state) {
    rig.session.tick();
    benchmark::DoNotOptimize(rig.session.engine().revision());
  }
}
BENCHMARK(BM_IdleTick);

void BM_MonitorTick(benchmark::State& state) {
  Rig rig;
  MonitorData data;
  data.protocolVersion = kProtocolVersion;
  data.supplyRaw = 1800;
  data.pickup1Running = 1;
  for (auto _ : state) {
    // A new speed every frame, so that every label really changes.
    data.engineRpm = static_cast<std::uint16_t>(data.engineRpm + 37);
    data.currentAdvance = static_cast<std::uint8_t>(data.engineRpm / 400);
    rig.link.pending = EncodeMonitorFrame(data);
    rig.link.hasFrame = true;
    rig.session.tick();
    benchmark::DoNotOptimize(rig.session.engine().liveRpm());
  }
}
BENCHMARK(BM_MonitorTick);

}  // namespace
}  // namespace zelmo
