// SPDX-License-Identifier: GPL-3.0-or-later
// The three languages: the per-language operations and the shared one.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "app/device_panel.h"
#include "app/hints.h"
#include "app/main_window.h"
#include "app/parameter_fields.h"
#include "app/workshop_tools.h"
#include "core/model/bike_code.h"
#include "core/report/accessible_texts.h"
#include "core/ride/ride_texts.h"
#include "curve/curve_widget.h"

namespace zelmo {
void TFormHlav::applyControlText(const ControlText& text) {
  QObject* target = named_.value(Utf8Text(text.control));
  if (auto* menu = qobject_cast<QMenu*>(target)) {
    menu->setTitle(Utf8Text(text.text));
  } else if (auto* action = qobject_cast<QAction*>(target)) {
    SetMenuText(action, Utf8Text(text.text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
    button->setText(Utf8Text(text.text));
  } else if (auto* label = qobject_cast<QLabel*>(target)) {
    label->setText(Utf8Text(text.text));
    label->adjustSize();
  }
}

void TFormHlav::applyHint(std::string_view control, std::string_view hint) {
  QObject* target = named_.value(Utf8Text(control));
  if (auto* menu = qobject_cast<QMenu*>(target)) {
    SetHint(menu->menuAction(), hint);
  } else if (auto* action = qobject_cast<QAction*>(target)) {
    SetHint(action, hint);
  } else if (auto* widget = qobject_cast<QWidget*>(target)) {
    SetHint(widget, hint);
  }
}

void TFormHlav::setFileCaption() { setWindowTitle(QString::fromStdString(FileWindowCaption(session_->messages()))); }

void TFormHlav::fileNameChanged() { setFileCaption(); }

void TFormHlav::setWindowCaption() {
  if (const auto fixed = FixedWindowCaption(session_->choices().languageId)) {
    setWindowTitle(Utf8Text(*fixed));
  } else {
    setFileCaption();
  }
}

void TFormHlav::applyLanguage(std::uint8_t languageId) {
  MenuEnglish->setChecked(languageId == kEnglish);
  MenuCzech->setChecked(languageId == kCzech);
  MenuGerman->setChecked(languageId == kGerman);
  session_->setLanguage(languageId);
  ApplySharedTexts();
  setWindowCaption();
  for (const ControlText& caption : LanguageCaptions(languageId)) applyControlText(caption);
  for (const ControlText& hint : LanguageHints(languageId)) applyHint(hint.control, hint.text);
  MenuHistory->setText(Utf8Text(ExtraText(Extra::HistoryMenu, languageId)));
  MenuDifferences->setText(Utf8Text(ExtraText(Extra::DifferencesButton, languageId)));
  MenuRecord->setText(Utf8Text(ExtraText(Extra::RecordMenu, languageId)));
  MenuOpenRecording->setText(Utf8Text(RideTextOf(RideText::OpenMenu, languageId)));
  MenuCompare->setText(Utf8Text(ExtraText(Extra::CompareMenu, languageId)));
  MenuOperatingPoint->setText(Utf8Text(ExtraText(Extra::OperatingPointMenu, languageId)));
  workshop_->languageChanged();
  device_->retranslate(session_->messages(), languageId);
  fitToolRow();
  updateIndicators();
  nameControls();
}

void TFormHlav::nameControls() {
  const std::uint8_t language = session_->choices().languageId;
  for (const ControlName& name : ControlNames(language)) {
    if (auto* widget = qobject_cast<QWidget*>(named_.value(QString::fromStdString(name.control)))) {
      widget->setAccessibleName(QString::fromStdString(name.name));
    }
  }
  describeCurve();
}

void TFormHlav::describeCurve() {
  GrafAdv->setAccessibleDescription(
      QString::fromStdString(CurveDescription(session_->image(), session_->choices().languageId)));
}

void TFormHlav::ApplySharedTexts() {
  const MessageTable& messages = session_->messages();
  const SharedTexts& shared = Shared(session_->choices().languageId);
  applyControlText({"MenuOpenExeDir", shared.menuOpenExeDir});
  applyControlText({"MenuSaveExeDir", shared.menuSaveExeDir});
  applyControlText({"AdvanceMinus", AdvanceMinusCaption(messages)});
  applyControlText({"AdvancePlus", AdvancePlusCaption(messages)});
  if (auto* bikes = qobject_cast<QComboBox*>(named_.value(QStringLiteral("ComboBoxBike")))) {
    bikes->setItemText(kSpecialBikeIndex, Utf8Text(shared.specialSetting));
  }
  applyControlText({"CheckBoxBuzDlouhe", shared.excitationLong});
  applyControlText({"LabelBaseAdv", shared.baseAdvance});
  applyControlText({"MenuTools", shared.menuTools});
  applyControlText({"MenuZpet", shared.menuUndo});
  applyControlText({"MenuZnovu", shared.menuRedo});
  applyControlText({"LabelRpmKorekce", shared.correction});
  applyControlText({"CheckBoxInvInput", shared.inversePolarity});
  SpeedButtonZpet->setToolTip(Utf8Text(shared.menuUndo));
  SpeedButtonZnovu->setToolTip(Utf8Text(shared.menuRedo));
  fields_->show(session_->image());
  UpdateControlStates();
}

}  // namespace zelmo
