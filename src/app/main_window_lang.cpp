// The three languages: the per-language operations and the shared one.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "app/hints.h"
#include "app/main_window.h"
#include "app/window_extras.h"
#include "core/model/bike_code.h"

namespace zelmo {
namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void TFormHlav::applyControlText(const ControlText& text) {
  QObject* target = named_.value(Text(text.control));
  if (auto* menu = qobject_cast<QMenu*>(target)) {
    menu->setTitle(Text(text.text));
  } else if (auto* action = qobject_cast<QAction*>(target)) {
    action->setText(Text(text.text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
    button->setText(Text(text.text));
  } else if (auto* label = qobject_cast<QLabel*>(target)) {
    label->setText(Text(text.text));
    label->adjustSize();
  }
}

void TFormHlav::applyHint(std::string_view control, std::string_view hint) {
  QObject* target = named_.value(Text(control));
  if (auto* menu = qobject_cast<QMenu*>(target)) {
    SetHint(menu->menuAction(), hint);
  } else if (auto* action = qobject_cast<QAction*>(target)) {
    SetHint(action, hint);
  } else if (auto* widget = qobject_cast<QWidget*>(target)) {
    SetHint(widget, hint);
  }
}

void TFormHlav::setFileCaption() { setWindowTitle(QString::fromStdString(FileWindowCaption(messages_))); }

void TFormHlav::setWindowCaption() {
  if (const auto fixed = FixedWindowCaption(choices_.languageId)) {
    setWindowTitle(Text(*fixed));
  } else {
    setFileCaption();
  }
}

void TFormHlav::applyLanguage(std::uint8_t languageId) {
  MenuEnglish->setChecked(languageId == kEnglish);
  MenuCzech->setChecked(languageId == kCzech);
  MenuGerman->setChecked(languageId == kGerman);
  choices_.languageId = languageId;
  ApplySharedTexts();
  messages_.captionPrefix = std::string(kCaptionPrefix);
  setWindowCaption();
  for (const ControlText& caption : LanguageCaptions(languageId)) applyControlText(caption);
  for (const ControlText& hint : LanguageHints(languageId)) applyHint(hint.control, hint.text);
  if (extras_) extras_->retranslate();
}

void TFormHlav::ApplyEnglishTexts() { applyLanguage(kEnglish); }
void TFormHlav::ApplyCzechTexts() { applyLanguage(kCzech); }
void TFormHlav::ApplyGermanTexts() { applyLanguage(kGerman); }

void TFormHlav::ApplySharedTexts() {
  const SharedTexts& shared = Shared(choices_.languageId);
  applyControlText({"MenuOpenExeDir", shared.menuOpenExeDir});
  applyControlText({"MenuSaveExeDir", shared.menuSaveExeDir});
  FillMessageTable(messages_, choices_.languageId);
  const bool noConnection = !LabelSpojeni->isHidden();
  if (noConnection) {
    LabelAdvance->setText(QString::fromStdString(NoConnectionAdvanceCaption(messages_)));
    LabelAdvance->adjustSize();
  }
  applyControlText({"AdvanceMinus", AdvanceMinusCaption(messages_)});
  applyControlText({"AdvancePlus", AdvancePlusCaption(messages_)});
  if (noConnection) {
    LabelMonSnimac1->setText(QString::fromStdString(NoConnectionPickUpCaption(messages_, 1)));
    LabelMonSnimac2->setText(QString::fromStdString(NoConnectionPickUpCaption(messages_, 2)));
    LabelMonSnimac1->adjustSize();
    LabelMonSnimac2->adjustSize();
  }
  ComboBoxBike->setItemText(kSpecialBikeIndex, Text(shared.specialSetting));
  applyControlText({"CheckBoxBuzDlouhe", shared.excitationLong});
  applyControlText({"LabelBaseAdv", shared.baseAdvance});
  applyControlText({"MenuTools", shared.menuTools});
  applyControlText({"MenuZpet", shared.menuUndo});
  applyControlText({"MenuZnovu", shared.menuRedo});
  applyControlText({"LabelRpmKorekce", shared.correction});
  applyControlText({"CheckBoxInvInput", shared.inversePolarity});
  SpeedButtonZpet->setToolTip(Text(shared.menuUndo));
  SpeedButtonZnovu->setToolTip(Text(shared.menuRedo));
  ImageToControls();
}

}  // namespace zelmo
