// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/programmed_state.h"

#include <algorithm>

#include "core/lang/texts.h"

namespace zelmo {

void ProgrammedState::verified(const ParameterImage& image) {
  std::ranges::copy(image.image(), inUnit_.begin());
  knowledge_ = Knowledge::Holds;
}

void ProgrammedState::holdsOther() { knowledge_ = Knowledge::HoldsOther; }

void ProgrammedState::unknown() { knowledge_ = Knowledge::Unknown; }

bool ProgrammedState::notProgrammed(const ParameterImage& editor) const {
  switch (knowledge_) {
    case Knowledge::Unknown:
      return false;
    case Knowledge::HoldsOther:
      return true;
    case Knowledge::Holds:
      return !std::ranges::equal(editor.image(), inUnit_);
  }
  return false;
}

std::string_view ProgrammedState::indicatorText(const ParameterImage& editor, std::uint8_t languageId) const {
  return notProgrammed(editor) ? ExtraText(Extra::NotProgrammed, languageId) : std::string_view{};
}

}  // namespace zelmo
