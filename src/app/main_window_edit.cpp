// The parameter controls: the two mappings, the change pipeline, the enabling
// rules, the advance shift tools, the bike list, New, undo and redo.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "app/colours.h"
#include "app/main_window.h"
#include "app/window_extras.h"
#include "app/mouse_check_box.h"
#include "app/up_down.h"
#include "core/model/bike_code.h"
#include "core/model/presets.h"

namespace zelmo {

void TFormHlav::OrderBreakpoints() { zelmo::OrderBreakpoints(image_, ordering_, choices_); }

void TFormHlav::ControlsToImage() {
  if (refreshing_) return;
  if (const auto code = BikeIndexToCode(ComboBoxBike->currentIndex())) image_.bikeCode() = *code;
  for (int i = 0; i < kBreakpointCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    image_.rpmPoint(i) = static_cast<std::uint8_t>(SpeedUpDowns[k]->position() / 100);
    image_.advance(i) = static_cast<std::uint8_t>(AdvanceUpDowns[k]->position());
  }
  image_.top14() = static_cast<std::uint8_t>(UpDownPalec13->position());
  image_.top23() = static_cast<std::uint8_t>(UpDownPalec24->position());
  image_.baseAdvance() = static_cast<std::uint8_t>(UpDownBaseAdv->position());
  image_.limiter() = static_cast<std::uint8_t>(UpDownOmez2->position() / 100);
  image_.tacho2x() = CheckBoxRpm2Krat->isChecked() ? 1 : 0;
  image_.speedCorrection() = static_cast<std::uint8_t>(UpDownRpmKorekce->position() + 100);
  image_.blockEnable() = CheckBoxBlokEnable->isChecked() ? 1 : 0;
  image_.longExcitation() = CheckBoxBuzDlouhe->isChecked() ? 1 : 0;
  image_.inverseInput() = CheckBoxInvInput->isChecked() ? 1 : 0;
}

void TFormHlav::imageToControls() {
  refreshing_ = true;
  if (const auto index = BikeCodeToIndex(image_.bikeCode())) ComboBoxBike->setCurrentIndex(*index);
  for (int i = 0; i < kBreakpointCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    SpeedUpDowns[k]->setPosition(image_.rpmPoint(i) * 100);
    AdvanceUpDowns[k]->setPosition(image_.advance(i));
  }
  const UnitInfoTexts& firmware = engine_->unitTexts();
  LabelVerze[0]->setText(QString::fromStdString(firmware.versionText));
  LabelVerze[1]->setText(QString::fromStdString(firmware.dateText));
  LabelVerze[2]->setText(QString::fromStdString(firmware.timeText));
  for (QLabel* label : LabelVerze) label->adjustSize();
  UpDownPalec13->setPosition(image_.top14());
  UpDownPalec24->setPosition(image_.top23());
  UpDownBaseAdv->setPosition(image_.baseAdvance());
  UpDownOmez2->setPosition(image_.limiter() * 100);
  CheckBoxRpm2Krat->setChecked(image_.tacho2x() != 0);
  UpDownRpmKorekce->setPosition(image_.speedCorrection() - 100);
  CheckBoxBlokEnable->setChecked(image_.blockEnable() != 0);
  CheckBoxBuzDlouhe->setChecked(image_.longExcitation() != 0);
  CheckBoxInvInput->setChecked(image_.inverseInput() != 0);
  UpdateControlStates();
  refreshing_ = false;
}

void TFormHlav::ApplyChange() {
  OrderBreakpoints();
  ImageToControls();
  push();
  requestGraphRescale();
}

void TFormHlav::push() {
  const UndoHistory::PushResult result = undo_.push(image_, CheckBoxProgHned->isChecked());
  updateUndoButtons();
  if (result.startAutoProgram) engine_->startAutoProgram();
}

void TFormHlav::updateUndoButtons() {
  SpeedButtonZpet->setEnabled(undo_.canUndo());
  MenuZpet->setEnabled(undo_.canUndo());
  SpeedButtonZnovu->setEnabled(undo_.canRedo());
  MenuZnovu->setEnabled(undo_.canRedo());
}

void TFormHlav::undoStep(bool forward) {
  const bool program = CheckBoxProgHned->isChecked();
  const UndoHistory::StepResult result = forward ? undo_.redo(image_, program) : undo_.undo(image_, program);
  if (result.restored) {
    ImageToControls();
    requestGraphRescale();
  }
  updateUndoButtons();
  if (result.startAutoProgram) engine_->startAutoProgram();
}

void TFormHlav::SpeedButtonZpetClick() { undoStep(false); }
void TFormHlav::SpeedButtonZnovuClick() { undoStep(true); }

QColor TFormHlav::backgroundColour() const { return printingMode_ ? QColor(Qt::white) : kButtonFace; }

void TFormHlav::UpdateControlStates() {
  QPalette p = client_->palette();
  p.setColor(QPalette::Window, backgroundColour());
  client_->setPalette(p);
  CheckBoxProgHnedClick();

  const bool shown = !printingMode_;
  for (QWidget* control : std::initializer_list<QWidget*>{CheckBoxProgHned, StatusBar1, UpDownBaseAdv, UpDownOmez2,
                                                          BitBtnAdvMinus, BitBtnAdvPlus, CheckBoxIgnAll, CGaugeRpm,
                                                          LabelPocetProgramovani}) {
    control->setVisible(shown);
  }

  const int index = ComboBoxBike->currentIndex();
  const bool special = index == kSpecialBikeIndex;
  const bool twin = index == kTwinPickupBikeIndex;
  EditPalec13->setEnabled(special);
  EditPalec24->setEnabled(special);
  UpDownPalec13->setVisible(special);
  UpDownPalec24->setVisible(special);
  CheckBoxBuzDlouhe->setEnabled(special || twin);
  for (QWidget* control : std::initializer_list<QWidget*>{EditPalec13, EditPalec24, LabelPalec13, LabelPalec24, Image3,
                                                          CheckBoxInvInput}) {
    control->setVisible(!twin);
  }
  LabelMonSnimac2->setVisible(twin);
  if (extras_) extras_->refresh();
}

void TFormHlav::CheckBoxProgHnedClick() {
  QPalette p = CheckBoxProgHned->palette();
  p.setColor(QPalette::Window, CheckBoxProgHned->isChecked() ? kRed : backgroundColour());
  CheckBoxProgHned->setPalette(p);
}

void TFormHlav::UpDownClick() {
  ordering_.movedPoint = kControlEdit;
  ControlsToImage();
  ApplyChange();
}

void TFormHlav::EditExit() {
  // Leaving a field that the program is filling or hiding is not an edit.
  if (refreshing_ || closed_) return;
  UpDownClick();
}

void TFormHlav::EditEnter() {
  // Leaving the field runs the pipeline once, the key itself once more.
  focusNextChild();
  ControlsToImage();
  ApplyChange();
}

void TFormHlav::CheckBoxProgHnedMouseUp() {
  ControlsToImage();
  ApplyChange();
  UpdateControlStates();
}

void TFormHlav::ComboBoxBikeChange(int index) {
  if (const auto code = BikeIndexToCode(index)) image_.bikeCode() = *code;
  bikeChosen_ = true;
  ApplyBikePresets(image_, bikeChosen_);
  ImageToControls();
  ApplyChange();
}

void TFormHlav::MenuNewClick() {
  const QMessageBox::StandardButton answer =
      QMessageBox::question(this, windowTitle(), QString::fromStdString(messages_.defaultQuestion),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer != QMessageBox::Yes) return;
  bikeChosen_ = false;
  ApplyBikePresets(image_, bikeChosen_);
  ApplyChange();
  hideOperationDisplay();
  messages_.currentFileName.clear();
  setFileCaption();
}

void TFormHlav::shiftAdvance(int delta) {
  ControlsToImage();
  OrderBreakpoints();
  auto shift = [delta](std::uint8_t& advance) {
    if (delta < 0 && advance > 0) --advance;
    if (delta > 0 && advance < 60) ++advance;
  };
  if (CheckBoxIgnAll->isChecked()) {
    for (int i = 0; i < kBreakpointCount; ++i) shift(image_.advance(i));
  } else if (!engine_->belowCurve()) {
    shift(image_.advance(engine_->nearestPoint()));
  }
  ApplyChange();
}

void TFormHlav::BitBtnAdvMinusClick() { shiftAdvance(-1); }
void TFormHlav::BitBtnAdvPlusClick() { shiftAdvance(+1); }

bool TFormHlav::blockingLabelsShown() const { return CheckBoxBlokEnable->isChecked(); }

}  // namespace zelmo
