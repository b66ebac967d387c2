#pragma once
// The whole device side of one 55 ms tick: receive, transfer step or poll,
// message countdown, connection supervision with port reopening, and the
// breakpoint nearest to the live speed. The window, the command-line tool and
// the tests drive the same engine; it reports through plain display state and
// the DeviceHost callbacks, never through widgets.
//
// (Interface sketch; the implementation fills in the details.)
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/device/serial_link.h"
#include "core/lang/texts.h"
#include "core/model/ordering.h"
#include "core/model/parameter_image.h"

namespace zelmo {

enum class TransferState : std::uint8_t { Idle = 0, Program = 1, Verify = 2, Read = 3 };

enum class Colour { ButtonFace, Red, Yellow, Lime, Aqua };

struct LabelState {
  std::string text;
  Colour colour = Colour::ButtonFace;
  bool visible = false;
};

struct GaugeState {
  int maximum = 1;
  int position = 0;
  bool visible = false;
};

// What the window must do for the engine; the command-line tool and the tests
// provide their own.
class DeviceHost {
 public:
  virtual ~DeviceHost() = default;
  virtual void controlsToImage() = 0;        // Verify and Program read the controls first
  virtual void orderBreakpoints() = 0;       // the window's pass (image, memory, stored choices)
  virtual void imageToControls() = 0;
  virtual void requestGraphRescale() = 0;
  virtual void graphTick() = 0;              // step 2 of the tick
  virtual void fileNameCleared() = 0;        // Read: the caption names no file
  // A modal message; the window runs a nested loop in which ticks go on.
  virtual void showMessage(std::string_view text) = 0;
  virtual bool blockingLabelsShown() const = 0;  // CheckBoxBlokEnable ticked
  virtual bool printingMode() const = 0;
  virtual void clearPrintingMode() = 0;      // every open does it
};

}  // namespace zelmo
