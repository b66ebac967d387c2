// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device_panel.h"
#include "app/widget_factory.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/colours.h"
#include "app/elide_path.h"
#include "app/gauge.h"
#include "app/text_fit.h"
#include "app/warning_label.h"

namespace zelmo {
namespace {

// The red banners sit one above the other 35 pixels apart: the upper one
// keeps to one line, the lower one may take a second line, into the room below it.
constexpr int kBannerPixels = 19;
constexpr int kDataErrorLines = 1;
constexpr int kVersionLines = 2;
// "REC" right of "No Connection", where the design leaves room for it.
constexpr int kRecLeft = 712;
constexpr int kRecGap = 8;

void ShowLabel(QLabel* label, const LabelState& state, bool useVisibility) {
  label->setText(Utf8Text(state.text));
  SetFill(label, LabelFill(state.colour));
  label->adjustSize();
  if (useVisibility) label->setVisible(state.visible);
}

void ShowGauge(Gauge* gauge, const GaugeState& state) {
  gauge->setPosition(state.maximum, state.position);
  gauge->setVisible(state.visible);
}

}  // namespace

DevicePanel::DevicePanel(QWidget* client, ControlRegistry& registry) : QObject(client) {
  noConnection_ = AddLabel(registry, client, "LabelSpojeni", Utf8Text(kNoConnection), 440, 9, 23, true);
  SetFill(noConnection_, kRed);
  buildLiveColumn(client, registry);
  buildDeviceColumn(client, registry);
  static constexpr std::array<QPoint, 8> kTestPlaces{QPoint(16, 623),  QPoint(16, 645),  QPoint(128, 626),
                                                     QPoint(128, 648), QPoint(264, 630), QPoint(264, 644),
                                                     QPoint(448, 617), QPoint(448, 639)};
  for (std::size_t i = 0; i < tests_.size(); ++i) {
    const QByteArray name = "LabelTest" + QByteArray::number(static_cast<int>(i) + 1);
    tests_[i] = AddLabel(registry, client, name.constData(), QStringLiteral("Test%1 = ---").arg(i + 1),
                         kTestPlaces[i].x(), kTestPlaces[i].y(), 13, true);
    tests_[i]->hide();
  }
  buildIndicators(client, registry);
}

void DevicePanel::buildLiveColumn(QWidget* client, ControlRegistry& registry) {
  rpm_ = AddLabel(registry, client, "LabelRpm", QStringLiteral("RPM = ---"), 425, 318, 19, true);
  rpmGauge_ = AddGauge(registry, client, "CGaugeRpm", QRect(425, 342, 212, 17), kFuchsia, false);
  rpmGauge_->setRange(0, 100);
  rpmGauge_->setValue(0);
  advance_ = AddLabel(registry, client, "LabelAdvance", QStringLiteral("ADVANCE = --- [°]"), 425, 367, 19, true);
  voltage_ = AddLabel(registry, client, "LabelNapeti", QStringLiteral("U = --- [V]"), 425, 392, 19, true);
  blocking_ = AddLabel(registry, client, "LabelBlocking", QStringLiteral("Blocking = ---"), 425, 417, 16);
  neutral_ = AddLabel(registry, client, "LabelNeutral", QStringLiteral("Neutral sw. = ---"), 425, 441, 16);
  sideStand_ = AddLabel(registry, client, "LabelSideStand", QStringLiteral("Side stand sw. = ---"), 425, 466, 16);
  pickup1_ = AddLabel(registry, client, "LabelMonSnimac1", QStringLiteral("Pick-up (CPS) 1 = ---"), 425, 491, 16);
  pickup2_ = AddLabel(registry, client, "LabelMonSnimac2", QStringLiteral("Pick-up (CPS) 2 = ---"), 425, 516, 16);
  com_ = AddLabel(registry, client, "LabelCom", QStringLiteral("COM= "), 427, 544, 16);
}

void DevicePanel::buildDeviceColumn(QWidget* client, ControlRegistry& registry) {
  firmware_[0] = AddLabel(registry, client, "LabelVerze1", QString(), 206, 432);
  firmware_[1] = AddLabel(registry, client, "LabelVerze2", QString(), 206, 447, 13);
  firmware_[2] = AddLabel(registry, client, "LabelVerze3", QString(), 206, 462);
  programmingCount_ =
      AddLabel(registry, client, "LabelPocetProgramovani", QStringLiteral("Number of Programing= ---"), 207, 478);
  operationGauge_ = AddGauge(registry, client, "CGaugeProgram", QRect(205, 497, 205, 17), kAqua, true);
  operation_ = AddLabel(registry, client, "LabelHlaseni", QString(), 206, 520, 13, true);
  operation_->hide();
  dataError_ = AddBanner(registry, client, "LabelEeDataErr", Utf8Text(kDataErrorLabel), 208, 561);
  version_ = AddBanner(registry, client, "LabelVersion",
                       QStringLiteral("Unmatched version of PC and Ignition programs!"), 208, 596);
}

void DevicePanel::buildIndicators(QWidget* client, ControlRegistry& registry) {
  differencesButton_ = new QPushButton(client);
  differencesButton_->setObjectName(QStringLiteral("ButtonDifferences"));
  differencesButton_->setFont(PixelFont(11, false));
  differencesButton_->hide();
  connect(differencesButton_, &QPushButton::clicked, this, &DevicePanel::differencesClicked);

  notProgrammed_ = new WarningLabel(client);
  notProgrammed_->setObjectName(QStringLiteral("LabelNotProgrammed"));
  notProgrammed_->setFont(PixelFont(11, true));

  // Right of "No Connection", clear of it in every language.
  rec_ = new QLabel(client);
  rec_->setObjectName(QStringLiteral("LabelRec"));
  rec_->move(kRecLeft, 9);
  rec_->setFont(PixelFont(23, true));
  SetFill(rec_, kRed);
  rec_->hide();
  for (QObject* made : std::initializer_list<QObject*>{differencesButton_, notProgrammed_, rec_}) {
    registry.insert(made->objectName(), made);
  }
}

void DevicePanel::show(const DeviceDisplay& now, bool force) {
  ShowLabel(operation_, now.operation, true);
  ShowGauge(operationGauge_, now.gauge);
  noConnection_->setVisible(now.noConnection);
  if (printing_) {
    operation_->hide();
    noConnection_->hide();
  }
  if (force || now.comLabel != shown_.comLabel) {
    const QString full = Utf8Text(now.comLabel);
    const QString shown = ElideDevicePath(full, com_->fontMetrics(), TextRight(*com_) - com_->x());
    com_->setText(shown);
    com_->setToolTip(shown == full ? QString() : full);
    com_->adjustSize();
  }
  if (force || now.firmware != shown_.firmware) {
    firmware_[0]->setText(Utf8Text(now.firmware.versionText));
    firmware_[1]->setText(Utf8Text(now.firmware.dateText));
    firmware_[2]->setText(Utf8Text(now.firmware.timeText));
    for (QLabel* label : firmware_) label->adjustSize();
  }

  const MonitorLabels& live = now.monitor;
  const MonitorLabels& was = shown_.monitor;
  // Until the engine's first tick its labels are empty: the window keeps the
  // placeholders it was built with.
  if (live != MonitorLabels{}) {
    // Field by field: only what changed is drawn again.
    auto draw = [force](QLabel* label, const LabelState& state, const LabelState& before, bool useVisibility) {
      if (force || !(state == before)) ShowLabel(label, state, useVisibility);
    };
    draw(rpm_, live.rpm, was.rpm, false);
    draw(voltage_, live.voltage, was.voltage, false);
    draw(blocking_, live.blocking, was.blocking, true);
    draw(neutral_, live.neutral, was.neutral, true);
    draw(sideStand_, live.sideStand, was.sideStand, true);
    draw(advance_, live.advance, was.advance, false);
    draw(pickup1_, live.pickup1, was.pickup1, false);
    draw(pickup2_, live.pickup2, was.pickup2, false);
    if (force || !(live.dataError == was.dataError)) {
      ShowLabel(dataError_, live.dataError, true);
      FitBanner(*dataError_, kBannerPixels, TextRight(*dataError_), kDataErrorLines);
    }
    draw(programmingCount_, live.programmingCount, was.programmingCount, false);
    for (std::size_t i = 0; i < tests_.size(); ++i) draw(tests_[i], live.tests[i], was.tests[i], false);
    rpmGauge_->setPosition(rpmGauge_->maximum(), live.rpmGaugePosition);
  }
  if (force || !(live.version == was.version)) {
    ShowLabel(version_, live.version, true);
    FitBanner(*version_, kBannerPixels, TextRight(*version_), kVersionLines);
  }
  shown_ = now;
}

void DevicePanel::placeNoConnection(int left) {
  noConnection_->move(left, noConnection_->y());
  rec_->move(std::max(kRecLeft, noConnection_->geometry().right() + 1 + kRecGap), rec_->y());
}

void DevicePanel::hideOperation() {
  operation_->hide();
  operationGauge_->hide();
}

void DevicePanel::setPrinting(bool printing) {
  printing_ = printing;
  applyVisibility();
}

void DevicePanel::setTestMode(bool on) {
  for (QLabel* label : tests_) label->setVisible(on);
}

void DevicePanel::setTwinPickup(bool twin) { pickup2_->setVisible(twin); }

bool DevicePanel::noConnectionShown() const { return !noConnection_->isHidden(); }

void DevicePanel::showIndicators(std::string_view notProgrammed, bool differences, bool recording) {
  const QString text = Utf8Text(notProgrammed);
  if (notProgrammed_->text() != text) {
    notProgrammed_->setText(text);
    placeIndicators();
  }
  differences_ = differences;
  recording_ = recording;
  applyVisibility();
}

void DevicePanel::applyVisibility() {
  rpmGauge_->setVisible(!printing_);
  programmingCount_->setVisible(!printing_);
  notProgrammed_->setVisible(!printing_ && !notProgrammed_->text().isEmpty());
  differencesButton_->setVisible(!printing_ && differences_);
  rec_->setVisible(!printing_ && recording_);
}

void DevicePanel::retranslate(const MessageTable& messages, std::uint8_t languageId) {
  if (noConnectionShown()) {
    advance_->setText(QString::fromStdString(NoConnectionAdvanceCaption(messages)));
    pickup1_->setText(QString::fromStdString(NoConnectionPickUpCaption(messages, 1)));
    pickup2_->setText(QString::fromStdString(NoConnectionPickUpCaption(messages, 2)));
    for (QLabel* label : {advance_, pickup1_, pickup2_}) label->adjustSize();
  }
  differencesButton_->setText(Utf8Text(ExtraText(Extra::DifferencesButton, languageId)));
  rec_->setText(Utf8Text(ExtraText(Extra::RecordLabel, languageId)));
  rec_->adjustSize();
  placeIndicators();
}

void DevicePanel::placeIndicators() {
  // Under the operation message, the button on the left and the sign to the
  // right of it, short of the COM label at x 427; a text too long for that
  // goes to the row below.
  constexpr int kLeft = 206;
  constexpr int kRight = 424;
  // As wide as its caption, not the style's usual button width.
  const int buttonWidth = CaptionWidth(*differencesButton_);
  differencesButton_->setGeometry(kLeft, 537, buttonWidth, 21);
  const int besideLeft = kLeft + buttonWidth + 6;
  // The row below belongs to the data-error notice, so a long text first
  // gets a smaller font; only a text that fits at no size drops a row.
  QFont font = notProgrammed_->font();
  int textWidth = 0;
  for (int pixels = 11; pixels >= 9; --pixels) {
    font.setPixelSize(pixels);
    textWidth = QFontMetrics(font).horizontalAdvance(notProgrammed_->text()) + 2;
    if (besideLeft + textWidth <= kRight) break;
  }
  notProgrammed_->setFont(font);
  if (besideLeft + textWidth <= kRight)
    notProgrammed_->setGeometry(besideLeft, 539, textWidth, 17);
  else
    notProgrammed_->setGeometry(kLeft, 560, textWidth, 17);
}

}  // namespace zelmo
