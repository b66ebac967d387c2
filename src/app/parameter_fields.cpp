// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/parameter_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/colours.h"
#include "app/mouse_check_box.h"
#include "app/pictures.h"
#include "app/up_down.h"
#include "core/curve/curve_graph.h"
#include "core/lang/texts.h"
#include "core/model/bike_code.h"

namespace zelmo {
namespace {

constexpr std::array<int, kBreakpointCount> kRowTops{53, 89, 124, 160, 195, 231, 266, 302, 337, 373};

}  // namespace

ParameterFields::ParameterFields(QWidget* client, ControlRegistry& registry) : QObject(client), client_(client) {
  buildCurveRows(client, registry);
  buildPickup(client, registry);
  buildSettings(client, registry);
  buildTachometer(client, registry);
  programAfterChange_ =
      addCommittingBox(registry, client, "CheckBoxProgHned", QStringLiteral("Programming after change"), 425, 297, 230);
  connect(programAfterChange_, &QCheckBox::toggled, this, [this](bool on) {
    colourProgramAfterChange();
    emit programAfterChangeToggled(on);
  });
}

UpDown* ParameterFields::addPair(ControlRegistry& registry, QWidget* parent, Field field, int index,
                                 const char* editName, const char* upDownName, int x, int y, int editWidth) {
  const ParameterSpec& spec = SpecOf(field);
  UpDown* upDown = AddUpDownPair(registry, parent, editName, upDownName, x, y, editWidth, FieldMinimum(spec, index),
                                 spec.maximum, spec.step, spec.thousands);
  numbers_.push_back({field, index, upDown});
  auto* edit = static_cast<ParameterEdit*>(upDown->buddy());
  connect(upDown, &UpDown::clicked, this, &ParameterFields::stepped);
  connect(edit, &ParameterEdit::exited, this, &ParameterFields::fieldLeft);
  connect(edit, &ParameterEdit::enterPressed, this, &ParameterFields::entered);
  return upDown;
}

MouseCheckBox* ParameterFields::addFlag(ControlRegistry& registry, QWidget* parent, Field field, const char* name,
                                        const QString& text, int x, int y, int width) {
  MouseCheckBox* box = addCommittingBox(registry, parent, name, text, x, y, width);
  flags_.push_back({field, box});
  return box;
}

MouseCheckBox* ParameterFields::addCommittingBox(ControlRegistry& registry, QWidget* parent, const char* name,
                                                 const QString& text, int x, int y, int width) {
  MouseCheckBox* box = AddCheckBox(registry, parent, name, text, x, y, width);
  connect(box, &MouseCheckBox::mouseReleased, this, &ParameterFields::committed);
  return box;
}

void ParameterFields::fieldLeft() {
  // Leaving a field that the program is filling or hiding is not an edit.
  if (refreshing_ || closed_) return;
  emit stepped();
}

void ParameterFields::buildCurveRows(QWidget* client, ControlRegistry& registry) {
  QGroupBox* group = AddGroup(client, "GroupBox6", 5, 48, 185, 441);
  AddLabel(registry, group, "Label26", Utf8Text(kRpmColumnHead), 28, 24);
  AddLabel(registry, group, "Label2", QStringLiteral("Advance [°]"), 98, 24);
  for (int i = 0; i < kBreakpointCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const QByteArray speedEdit = "EditRpmAdv" + QByteArray::number(i + 1);
    const QByteArray speedUpDown = "UpDownRpmAdv" + QByteArray::number(i + 1);
    const QByteArray advanceEdit = "Edit" + QByteArray::number(50 + i);
    const QByteArray advanceUpDown = "UpDown" + QByteArray::number(50 + i);
    const UpDown* speed = addPair(registry, group, Field::RpmPoint, i, speedEdit.constData(), speedUpDown.constData(),
                                  20, kRowTops[k], 40);
    const UpDown* advance = addPair(registry, group, Field::Advance, i, advanceEdit.constData(),
                                    advanceUpDown.constData(), 99, kRowTops[k], 30);
    speedEdits_[k] = static_cast<ParameterEdit*>(speed->buddy());
    advanceEdits_[k] = static_cast<ParameterEdit*>(advance->buddy());
  }
  advanceMinus_ = new QPushButton(Utf8Text(kAdvanceMinusFace), group);
  advanceMinus_->setObjectName(QStringLiteral("BitBtnAdvMinus"));
  advanceMinus_->setGeometry(21, 407, 20, 20);
  advancePlus_ = new QPushButton(Utf8Text(kAdvancePlusFace), group);
  advancePlus_->setObjectName(QStringLiteral("BitBtnAdvPlus"));
  advancePlus_->setGeometry(69, 407, 20, 20);
  for (QPushButton* button : {advanceMinus_, advancePlus_}) {
    button->setFont(PixelFont(13, true));
    registry.insert(button->objectName(), button);
  }
  connect(advanceMinus_, &QPushButton::clicked, this, [this] { emit advanceShift(-1); });
  connect(advancePlus_, &QPushButton::clicked, this, [this] { emit advanceShift(+1); });
  shiftAll_ = AddCheckBox(registry, group, "CheckBoxIgnAll", QStringLiteral("All"), 112, 409, 66);
}

void ParameterFields::buildPickup(QWidget* client, ControlRegistry& registry) {
  QGroupBox* group = AddGroup(client, "GroupBox1", 195, 48, 209, 377);
  wheel_ = new TriggerWheel(group);
  wheel_->setObjectName(QStringLiteral("Image3"));
  wheel_->setGeometry(4, 9, 200, 267);
  registry.insert(wheel_->objectName(), wheel_);
  top14_ = addPair(registry, group, Field::Top14, 0, "EditPalec13", "UpDownPalec13", 16, 285, 33);
  top14Label_ = AddLabel(registry, group, "LabelPalec13", Utf8Text(kTop14Label), 67, 287);
  top14Label_->setBuddy(top14_->buddy());
  top23_ = addPair(registry, group, Field::Top23, 0, "EditPalec24", "UpDownPalec24", 16, 317, 33);
  top23Label_ = AddLabel(registry, group, "LabelPalec24", Utf8Text(kTop23Label), 67, 319);
  top23Label_->setBuddy(top23_->buddy());
  top14Edit_ = static_cast<ParameterEdit*>(top14_->buddy());
  top23Edit_ = static_cast<ParameterEdit*>(top23_->buddy());
  inverseInput_ = addFlag(registry, group, Field::InverseInput, "CheckBoxInvInput",
                          QStringLiteral("Inverse polarity of pick-up"), 15, 348, 190);
}

void ParameterFields::buildSettings(QWidget* client, ControlRegistry& registry) {
  QGroupBox* group = AddGroup(client, "GroupBox2", 409, 48, 221, 168);
  bike_ = new QComboBox(group);
  bike_->setObjectName(QStringLiteral("ComboBoxBike"));
  bike_->setGeometry(13, 20, 194, kEditHeight);
  bike_->setMaxVisibleItems(40);
  for (int i = 0; i < kBikeListSize; ++i) bike_->addItem(Utf8Text(BikeListText(i)));
  registry.insert(bike_->objectName(), bike_);
  connect(bike_, &QComboBox::activated, this, &ParameterFields::bikeChosen);
  baseAdvance_ = addPair(registry, group, Field::BaseAdvance, 0, "EditBaseAdv", "UpDownBaseAdv", 16, 53, 45);
  AddLabel(registry, group, "LabelBaseAdv", QStringLiteral("Base advance [°]"), 83, 55)
      ->setBuddy(baseAdvance_->buddy());
  limiter_ = addPair(registry, group, Field::Limiter, 0, "EditOmez2", "UpDownOmez2", 16, 87, 45);
  AddLabel(registry, group, "LabelOmez2", QStringLiteral("Limiter [rpm]"), 83, 88)->setBuddy(limiter_->buddy());
  longExcitation_ = addFlag(registry, group, Field::LongExcitation, "CheckBoxBuzDlouhe",
                            QStringLiteral("Excitation Long"), 16, 120, 195);
  addFlag(registry, group, Field::BlockEnable, "CheckBoxBlokEnable", QStringLiteral("Blocking enable"), 16, 146, 195);
}

void ParameterFields::buildTachometer(QWidget* client, ControlRegistry& registry) {
  QGroupBox* group = AddGroup(client, "GroupBox3", 409, 216, 221, 71);
  addFlag(registry, group, Field::Tacho2x, "CheckBoxRpm2Krat", QStringLiteral("Tachometer 2x"), 16, 15, 195);
  const UpDown* correction =
      addPair(registry, group, Field::SpeedCorrection, 0, "EditRpmKorekce", "UpDownRpmKorekce", 16, 38, 41);
  AddLabel(registry, group, "LabelRpmKorekce", QStringLiteral("Correction [%]"), 75, 41)->setBuddy(correction->buddy());
}

void ParameterFields::writeInto(ParameterImage& image) const {
  if (refreshing_) return;
  if (const auto code = BikeIndexToCode(bike_->currentIndex())) image.bikeCode() = *code;
  for (const NumericField& number : numbers_) {
    SetUserValue(image, number.field, number.upDown->position(), number.index);
  }
  for (const FlagField& flag : flags_) SetUserValue(image, flag.field, flag.box->isChecked() ? 1 : 0);
}

void ParameterFields::show(const ParameterImage& image) {
  refreshing_ = true;
  if (const auto index = BikeCodeToIndex(image.bikeCode())) bike_->setCurrentIndex(*index);
  for (const NumericField& number : numbers_) {
    number.upDown->setPosition(UserValue(image, number.field, number.index));
  }
  for (const FlagField& flag : flags_) flag.box->setChecked(UserValue(image, flag.field) != 0);
  refreshing_ = false;
}

void ParameterFields::updateStates(bool printing) {
  colourProgramAfterChange();
  for (QWidget* control : std::initializer_list<QWidget*>{programAfterChange_, baseAdvance_, limiter_, advanceMinus_,
                                                          advancePlus_, shiftAll_}) {
    control->setVisible(!printing);
  }
  const int index = bike_->currentIndex();
  const bool special = index == kSpecialBikeIndex;
  const bool twin = index == kTwinPickupBikeIndex;
  top14Edit_->setEnabled(special);
  top23Edit_->setEnabled(special);
  top14_->setVisible(special);
  top23_->setVisible(special);
  longExcitation_->setEnabled(special || twin);
  for (QWidget* control :
       std::initializer_list<QWidget*>{top14Edit_, top23Edit_, top14Label_, top23Label_, wheel_, inverseInput_}) {
    control->setVisible(!twin);
  }
}

void ParameterFields::colourProgramAfterChange() {
  SetFill(programAfterChange_, programAfterChange_->isChecked() ? kRed : QColor(),
          programAfterChange_->backgroundRole());
}

void ParameterFields::markNearest(const NearestPoint& nearest) {
  for (int j = 0; j < kBreakpointCount; ++j) {
    const bool marked = !nearest.belowCurve && j == nearest.nearestPoint;
    speedEdits_[static_cast<std::size_t>(j)]->setHighlighted(marked);
    advanceEdits_[static_cast<std::size_t>(j)]->setHighlighted(marked);
  }
}

void ParameterFields::focusField(int pointCode) {
  if (pointCode == LimiterPoint) {
    limiter_->buddy()->setFocus();
  } else if (pointCode == BasePoint) {
    baseAdvance_->buddy()->setFocus();
  } else if (IsBreakpointCode(pointCode)) {
    advanceEdits_[static_cast<std::size_t>(pointCode)]->setFocus();
  }
}

bool ParameterFields::twinPickup() const { return bike_->currentIndex() == kTwinPickupBikeIndex; }
bool ParameterFields::shiftAll() const { return shiftAll_->isChecked(); }
void ParameterFields::setShiftAll(bool all) { shiftAll_->setChecked(all); }
bool ParameterFields::programAfterChange() const { return programAfterChange_->isChecked(); }

}  // namespace zelmo
