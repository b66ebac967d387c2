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

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

}  // namespace

ParameterFields::ParameterFields(QWidget* client, ControlRegistry& registry) : QObject(client), client_(client) {
  buildCurveRows(client, registry);
  buildPickup(client, registry);
  buildSettings(client, registry);
  buildTachometer(client, registry);
  programAfterChange_ = addCommittingBox(registry, client, "CheckBoxProgHned",
                                         QStringLiteral("Programming after change"), 425, 297, 230);
  programAfterChange_->setAutoFillBackground(true);
  connect(programAfterChange_, &QCheckBox::toggled, this, [this](bool on) {
    colourProgramAfterChange();
    emit programAfterChangeToggled(on);
  });
}

UpDown* ParameterFields::addPair(ControlRegistry& registry, QWidget* parent, const char* editName,
                                 const char* upDownName, int x, int y, int editWidth, int minimum, int maximum,
                                 int step, bool thousands) {
  UpDown* upDown =
      AddUpDownPair(registry, parent, editName, upDownName, x, y, editWidth, minimum, maximum, step, thousands);
  auto* edit = static_cast<ParameterEdit*>(upDown->buddy());
  connect(upDown, &UpDown::clicked, this, &ParameterFields::stepped);
  connect(edit, &ParameterEdit::exited, this, &ParameterFields::fieldLeft);
  connect(edit, &ParameterEdit::enterPressed, this, &ParameterFields::entered);
  return upDown;
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
  AddLabel(registry, group, "Label26", Utf8(kRpmColumnHead), 28, 24);
  AddLabel(registry, group, "Label2", QStringLiteral("Advance [°]"), 98, 24);
  for (int i = 0; i < kBreakpointCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const QByteArray speedEdit = "EditRpmAdv" + QByteArray::number(i + 1);
    const QByteArray speedUpDown = "UpDownRpmAdv" + QByteArray::number(i + 1);
    const QByteArray advanceEdit = "Edit" + QByteArray::number(50 + i);
    const QByteArray advanceUpDown = "UpDown" + QByteArray::number(50 + i);
    speedUpDowns_[k] = addPair(registry, group, speedEdit.constData(), speedUpDown.constData(), 20, kRowTops[k], 40,
                               i == 0 ? 199 : 300, 20100, 100, true);
    advanceUpDowns_[k] =
        addPair(registry, group, advanceEdit.constData(), advanceUpDown.constData(), 99, kRowTops[k], 30, 0, 60, 1, false);
    speedEdits_[k] = static_cast<ParameterEdit*>(speedUpDowns_[k]->buddy());
    advanceEdits_[k] = static_cast<ParameterEdit*>(advanceUpDowns_[k]->buddy());
  }
  advanceMinus_ = new QPushButton(Utf8(kAdvanceMinusFace), group);
  advanceMinus_->setObjectName(QStringLiteral("BitBtnAdvMinus"));
  advanceMinus_->setGeometry(21, 407, 20, 20);
  advancePlus_ = new QPushButton(Utf8(kAdvancePlusFace), group);
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
  wheel_ = new QLabel(group);
  wheel_->setObjectName(QStringLiteral("Image3"));
  wheel_->setGeometry(4, 9, 200, 267);
  wheel_->setPixmap(TriggerWheelPicture(200, 267, Qt::transparent));
  registry.insert(wheel_->objectName(), wheel_);
  top14_ = addPair(registry, group, "EditPalec13", "UpDownPalec13", 16, 285, 33, 2, 9, 1, false);
  top14Label_ = AddLabel(registry, group, "LabelPalec13", Utf8(kTop14Label), 67, 287);
  top23_ = addPair(registry, group, "EditPalec24", "UpDownPalec24", 16, 317, 33, 2, 9, 1, false);
  top23Label_ = AddLabel(registry, group, "LabelPalec24", Utf8(kTop23Label), 67, 319);
  top14Edit_ = static_cast<ParameterEdit*>(top14_->buddy());
  top23Edit_ = static_cast<ParameterEdit*>(top23_->buddy());
  inverseInput_ = addCommittingBox(registry, group, "CheckBoxInvInput", QStringLiteral("Inverse polarity of pick-up"),
                                   15, 348, 190);
}

void ParameterFields::buildSettings(QWidget* client, ControlRegistry& registry) {
  QGroupBox* group = AddGroup(client, "GroupBox2", 409, 48, 221, 168);
  bike_ = new QComboBox(group);
  bike_->setObjectName(QStringLiteral("ComboBoxBike"));
  bike_->setGeometry(13, 20, 194, kEditHeight);
  bike_->setMaxVisibleItems(40);
  for (int i = 0; i < kBikeListSize; ++i) bike_->addItem(Utf8(BikeListText(i)));
  registry.insert(bike_->objectName(), bike_);
  connect(bike_, &QComboBox::activated, this, &ParameterFields::bikeChosen);
  baseAdvance_ = addPair(registry, group, "EditBaseAdv", "UpDownBaseAdv", 16, 53, 45, 0, 40, 1, false);
  AddLabel(registry, group, "LabelBaseAdv", QStringLiteral("Base advance [°]"), 83, 55);
  limiter_ = addPair(registry, group, "EditOmez2", "UpDownOmez2", 16, 87, 45, 999, 25000, 100, true);
  AddLabel(registry, group, "LabelOmez2", QStringLiteral("Limiter [rpm]"), 83, 88);
  longExcitation_ =
      addCommittingBox(registry, group, "CheckBoxBuzDlouhe", QStringLiteral("Excitation Long"), 16, 120, 195);
  blocking_ = addCommittingBox(registry, group, "CheckBoxBlokEnable", QStringLiteral("Blocking enable"), 16, 146, 195);
}

void ParameterFields::buildTachometer(QWidget* client, ControlRegistry& registry) {
  QGroupBox* group = AddGroup(client, "GroupBox3", 409, 216, 221, 71);
  tacho2x_ = addCommittingBox(registry, group, "CheckBoxRpm2Krat", QStringLiteral("Tachometer 2x"), 16, 15, 195);
  correction_ = addPair(registry, group, "EditRpmKorekce", "UpDownRpmKorekce", 16, 38, 41, -60, 60, 1, false);
  AddLabel(registry, group, "LabelRpmKorekce", QStringLiteral("Correction [%]"), 75, 41);
}

void ParameterFields::writeInto(ParameterImage& image) const {
  if (refreshing_) return;
  if (const auto code = BikeIndexToCode(bike_->currentIndex())) image.bikeCode() = *code;
  for (int i = 0; i < kBreakpointCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    image.rpmPoint(i) = Byte(speedUpDowns_[k]->position() / 100);
    image.advance(i) = Byte(advanceUpDowns_[k]->position());
  }
  image.top14() = Byte(top14_->position());
  image.top23() = Byte(top23_->position());
  image.baseAdvance() = Byte(baseAdvance_->position());
  image.limiter() = Byte(limiter_->position() / 100);
  image.tacho2x() = tacho2x_->isChecked() ? 1 : 0;
  image.speedCorrection() = Byte(correction_->position() + 100);
  image.blockEnable() = blocking_->isChecked() ? 1 : 0;
  image.longExcitation() = longExcitation_->isChecked() ? 1 : 0;
  image.inverseInput() = inverseInput_->isChecked() ? 1 : 0;
}

void ParameterFields::show(const ParameterImage& image) {
  refreshing_ = true;
  if (const auto index = BikeCodeToIndex(image.bikeCode())) bike_->setCurrentIndex(*index);
  for (int i = 0; i < kBreakpointCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    speedUpDowns_[k]->setPosition(image.rpmPoint(i) * 100);
    advanceUpDowns_[k]->setPosition(image.advance(i));
  }
  top14_->setPosition(image.top14());
  top23_->setPosition(image.top23());
  baseAdvance_->setPosition(image.baseAdvance());
  limiter_->setPosition(image.limiter() * 100);
  tacho2x_->setChecked(image.tacho2x() != 0);
  correction_->setPosition(image.speedCorrection() - 100);
  blocking_->setChecked(image.blockEnable() != 0);
  longExcitation_->setChecked(image.longExcitation() != 0);
  inverseInput_->setChecked(image.inverseInput() != 0);
  refreshing_ = false;
}

void ParameterFields::updateStates(bool printing, const QColor& background) {
  background_ = background;
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
  for (QWidget* control : std::initializer_list<QWidget*>{top14Edit_, top23Edit_, top14Label_, top23Label_, wheel_,
                                                          inverseInput_}) {
    control->setVisible(!twin);
  }
}

void ParameterFields::colourProgramAfterChange() {
  QPalette p = programAfterChange_->palette();
  p.setColor(QPalette::Window, programAfterChange_->isChecked() ? kRed : background_);
  programAfterChange_->setPalette(p);
}

void ParameterFields::markNearest(const NearestPoint& nearest) {
  for (int j = 0; j < kBreakpointCount; ++j) {
    const bool marked = !nearest.belowCurve && j == nearest.nearestPoint;
    const QColor colour = marked ? kLime : kFieldBackground;
    speedEdits_[static_cast<std::size_t>(j)]->setBackground(colour);
    advanceEdits_[static_cast<std::size_t>(j)]->setBackground(colour);
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
