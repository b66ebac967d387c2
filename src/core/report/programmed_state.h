// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unprogrammed-changes indicator: "Not programmed" shows while the
// editor's 50 bytes differ from what this run has learnt the unit holds. Until
// it has learnt anything the sign stays away: at start-up nothing says the
// unit is blank. It is an indicator only; nothing asks at exit.
//
// The session calls verified() on every successful verify (Verify itself and
// the verify that ends Program and Read: TransferEvent::VerifyOk), and
// holdsOther() when a Program or a Verify fails (ProgramFailed, VerifyFailed):
// after a failed programming the unit does not hold what was sent, and a failed
// verify shows it holds something else than the editor, so going back to the
// remembered image (by undo, say) must not hide the indicator. unknown() when
// the connection is lost: the next unit to answer may be another one. A failed
// Read or a version mismatch writes nothing and changes nothing here.
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
  void holdsOther();
  void unknown();

  bool notProgrammed(const ParameterImage& editor) const;
  // "Not programmed" in the language while notProgrammed(), else empty.
  std::string_view indicatorText(const ParameterImage& editor, std::uint8_t languageId) const;

 private:
  enum class Knowledge : std::uint8_t { Unknown, Holds, HoldsOther };
  Knowledge knowledge_ = Knowledge::Unknown;
  std::array<std::uint8_t, kImageSize> inUnit_{};  // while Holds
};

}  // namespace zelmo
