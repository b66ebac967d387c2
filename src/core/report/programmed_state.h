#pragma once
// The unprogrammed-changes indicator: "Not programmed" shows while the
// editor's 50 bytes differ from the last ones a verify found in the unit, and
// before any verify has. It is an indicator only; nothing asks at exit.
//
// The window calls verified() on every successful verify (Verify itself and
// the verify that ends Program and Read: TransferEvent::VerifyOk) and
// forget() when a Program or a Verify fails (ProgramFailed, VerifyFailed):
// after a failed programming the unit may hold anything, and a failed verify
// shows it holds something else than was thought, so going back to the
// remembered image (by undo, say) must not hide the indicator. A failed Read
// or a version mismatch writes nothing and changes nothing here.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/model/parameter_image.h"

namespace zelmo {

class ProgrammedState {
 public:
  void verified(const ParameterImage& image);
  void forget();

  bool notProgrammed(const ParameterImage& editor) const;
  // "Not programmed" in the language while notProgrammed(), else empty.
  std::string_view indicatorText(const ParameterImage& editor, std::uint8_t languageId) const;

 private:
  std::optional<std::array<std::uint8_t, kImageSize>> inUnit_;
};

}  // namespace zelmo
