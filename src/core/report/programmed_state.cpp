#include "core/report/programmed_state.h"

#include <algorithm>

#include "core/lang/texts.h"

namespace zelmo {

void ProgrammedState::verified(const ParameterImage& image) {
  std::array<std::uint8_t, kImageSize> bytes{};
  std::ranges::copy(image.image(), bytes.begin());
  inUnit_ = bytes;
}

void ProgrammedState::forget() { inUnit_.reset(); }

bool ProgrammedState::notProgrammed(const ParameterImage& editor) const {
  return !inUnit_ || !std::ranges::equal(editor.image(), *inUnit_);
}

std::string_view ProgrammedState::indicatorText(const ParameterImage& editor, std::uint8_t languageId) const {
  return notProgrammed(editor) ? ExtraText(Extra::NotProgrammed, languageId) : std::string_view{};
}

}  // namespace zelmo
