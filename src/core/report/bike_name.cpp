// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/bike_name.h"

#include <string_view>

#include "core/lang/texts.h"
#include "core/model/bike_code.h"

namespace zelmo {

std::string BikeDisplayName(std::uint8_t bikeCode, std::uint8_t languageId) {
  const std::optional<int> index = BikeCodeToIndex(bikeCode);
  if (!index) return std::to_string(bikeCode);
  std::string_view name = *index == kSpecialBikeIndex ? Shared(languageId).specialSetting : BikeListText(*index);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  // The French slot has no special-setting text; a row must never be blank.
  if (name.empty()) return std::string(Shared(kEnglish).specialSetting);
  return std::string(name);
}

}  // namespace zelmo
