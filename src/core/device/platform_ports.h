// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How this system names serial ports. One of the core's platform files: the
// only place in src/core/device that knows whether it runs on Windows.

namespace zelmo {

// Windows numbers its serial ports itself (COM3 is the device "COM3");
// elsewhere ports have names, and COM n stands for the n-th of the system's list.
enum class PortNaming { SystemNumbers, Listed };

#if defined(_WIN32)
inline constexpr PortNaming kThisPortNaming = PortNaming::SystemNumbers;
#else
inline constexpr PortNaming kThisPortNaming = PortNaming::Listed;
#endif

}  // namespace zelmo
