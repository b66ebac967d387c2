// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/accessible_texts.h"

#include <algorithm>
#include <array>
#include <span>

#include "core/lang/texts.h"
#include "core/model/parameter_table.h"

namespace zelmo {
namespace {

// The French slot and any wild id read English.
std::uint8_t Readable(std::uint8_t languageId) {
  return languageId == kGerman || languageId == kCzech ? languageId : kEnglish;
}

std::string_view Find(std::span<const ControlText> table, std::string_view control) {
  const auto row = std::find_if(table.begin(), table.end(), [&](const ControlText& t) { return t.control == control; });
  return row == table.end() ? std::string_view() : row->text;
}

std::string_view Caption(std::string_view control, std::uint8_t languageId) {
  return Find(LanguageCaptions(Readable(languageId)), control);
}

// A hint's short part, the one its tooltip shows.
std::string_view HintTip(std::string_view control, std::uint8_t languageId) {
  const std::string_view hint = Find(LanguageHints(Readable(languageId)), control);
  return hint.substr(0, hint.find('|'));
}

// A name is read aloud: no accelerator marks, no blanks around it.
std::string Spoken(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  const auto first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string NumberedHead(std::string_view head, int number) {
  const std::string digits = std::to_string(number);
  const auto unit = head.rfind(" [");
  if (unit == std::string_view::npos || head.back() != ']') return std::string(head) + " " + digits;
  return std::string(head.substr(0, unit)) + " " + digits + std::string(head.substr(unit));
}

std::vector<ControlName> ControlNames(std::uint8_t languageId) {
  const std::uint8_t language = Readable(languageId);
  std::vector<ControlName> names;
  const std::string_view advanceHead = Caption("Label2", language);
  for (int i = 0; i < kBreakpointCount; ++i) {
    names.push_back({"EditRpmAdv" + std::to_string(i + 1), NumberedHead(kRpmColumnHead, i + 1)});
    names.push_back({"Edit" + std::to_string(50 + i), NumberedHead(advanceHead, i + 1)});
  }
  names.push_back({"ComboBoxBike", std::string(ExtraText(Extra::FieldBike, language))});
  MessageTable messages;
  FillMessageTable(messages, language);
  names.push_back({"BitBtnAdvMinus", Spoken(AdvanceMinusCaption(messages))});
  names.push_back({"BitBtnAdvPlus", Spoken(AdvancePlusCaption(messages))});
  for (const char* button : {"SpeedButton6", "SpeedButtonOpen", "SpeedButtonSave", "SpeedButtonPrint"}) {
    names.push_back({button, Spoken(HintTip(button, language))});
  }
  names.push_back({"SpeedButtonZpet", Spoken(Shared(language).menuUndo)});
  names.push_back({"SpeedButtonZnovu", Spoken(Shared(language).menuRedo)});
  names.push_back({"GrafAdv", std::string(ExtraText(Extra::CurveGraph, language))});
  return names;
}

std::string CurveDescription(const ParameterImage& image, std::uint8_t languageId) {
  const std::uint8_t language = Readable(languageId);
  const std::string_view advanceHead = Caption("Label2", language);
  std::string text =
      Spoken(Shared(language).baseAdvance) + ": " + std::to_string(UserValue(image, Field::BaseAdvance)) + ".";
  for (int i = 0; i < kBreakpointCount; ++i) {
    text += " " + NumberedHead(kRpmColumnHead, i + 1) + ": " + std::to_string(UserValue(image, Field::RpmPoint, i)) +
            ", " + NumberedHead(advanceHead, i + 1) + ": " + std::to_string(UserValue(image, Field::Advance, i)) + ".";
  }
  text += " " + Spoken(Caption("LabelOmez2", language)) + ": " + std::to_string(UserValue(image, Field::Limiter)) + ".";
  return text;
}

}  // namespace zelmo
