// The device side on screen: the tick, the labels and gauges it reports, the
// Com menu and the device commands.
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>

#include "app/colours.h"
#include "app/main_window.h"
#include "app/up_down.h"
#include "app/window_extras.h"

namespace zelmo {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

void ShowLabel(QLabel* label, const LabelState& state, bool useVisibility) {
  label->setText(Text(state.text));
  const QColor fill = LabelFill(state.colour);
  label->setAutoFillBackground(fill.isValid());
  if (fill.isValid()) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, fill);
    label->setPalette(p);
  }
  label->adjustSize();
  if (useVisibility) label->setVisible(state.visible);
}

void ShowGauge(QProgressBar* gauge, const GaugeState& state) {
  gauge->setMaximum(state.maximum);
  gauge->setValue(state.position);
  gauge->setVisible(state.visible);
}

}  // namespace

void TFormHlav::Timer1Timer() {
  engine_->tick();
  showDeviceDisplay(false);
  extras_->refresh();
}

void TFormHlav::showDeviceDisplay(bool force) {
  if (!force && engine_->revision() == shownRevision_) return;
  shownRevision_ = engine_->revision();
  const DeviceDisplay& now = engine_->display();

  ShowLabel(LabelHlaseni, now.operation, true);
  ShowGauge(CGaugeProgram, now.gauge);
  LabelSpojeni->setVisible(now.noConnection);
  if (force || now.comLabel != shown_.comLabel) {
    LabelCom->setText(Text(now.comLabel));
    LabelCom->adjustSize();
  }
  if (force || now.comCheckIndex != shown_.comCheckIndex) {
    for (int i = 0; i < kComItemCount; ++i) MenuComItems[static_cast<std::size_t>(i)]->setChecked(i == now.comCheckIndex);
  }

  const MonitorLabels& live = now.monitor;
  const MonitorLabels& was = shown_.monitor;
  if (live.frameSeen) {
    // Field by field, so that the placeholders a language wrote stay until
    // the unit reports something new for them.
    auto show = [force](QLabel* label, const LabelState& state, const LabelState& before, bool useVisibility) {
      if (force || !(state == before)) ShowLabel(label, state, useVisibility);
    };
    show(LabelRpm, live.rpm, was.rpm, false);
    show(LabelNapeti, live.voltage, was.voltage, false);
    show(LabelBlocking, live.blocking, was.blocking, true);
    show(LabelNeutral, live.neutral, was.neutral, true);
    show(LabelSideStand, live.sideStand, was.sideStand, true);
    show(LabelAdvance, live.advance, was.advance, false);
    show(LabelMonSnimac1, live.pickup1, was.pickup1, false);
    show(LabelMonSnimac2, live.pickup2, was.pickup2, false);
    show(LabelEeDataErr, live.dataError, was.dataError, true);
    show(LabelPocetProgramovani, live.programmingCount, was.programmingCount, false);
    for (std::size_t i = 0; i < LabelTest.size(); ++i) show(LabelTest[i], live.tests[i], was.tests[i], false);
    CGaugeRpm->setValue(live.rpmGaugePosition);
  }
  if (force || !(live.version == was.version)) ShowLabel(LabelVersion, live.version, true);

  if (force || !(now.nearest == shown_.nearest)) {
    for (int j = 0; j < kBreakpointCount; ++j) {
      const bool marked = !now.nearest.belowCurve && j == now.nearest.nearestPoint;
      const QColor colour = marked ? kLime : kFieldBackground;
      SpeedEdits[static_cast<std::size_t>(j)]->setBackground(colour);
      AdvanceEdits[static_cast<std::size_t>(j)]->setBackground(colour);
    }
  }
  shown_ = now;
}

void TFormHlav::hideOperationDisplay() {
  LabelHlaseni->hide();
  CGaugeProgram->hide();
}

void TFormHlav::BuildMenuCom() {
  auto* group = new QActionGroup(this);
  group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
  for (int i = 0; i < kComItemCount; ++i) {
    auto* item = new QAction(QStringLiteral("Com %1").arg(i + 1), this);
    item->setObjectName(QStringLiteral("MenuCom%1").arg(i + 1));
    item->setCheckable(true);
    MenuCom->addAction(item);
    group->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { MenuCom1Click(i); });
    MenuComItems[static_cast<std::size_t>(i)] = item;
  }
  MenuComItems[kAutoComIndex]->setText(QStringLiteral("Com Auto"));
  refreshComCaptions();
  // The devices behind the numbers come and go with the adapters plugged in.
  connect(MenuCom, &QMenu::aboutToShow, this, &TFormHlav::refreshComCaptions);
}

void TFormHlav::refreshComCaptions() {
  for (int i = 0; i < kAutoComIndex; ++i) {
    QString caption = QStringLiteral("Com %1").arg(i + 1);
    const QString device = QString::fromStdString(link_.deviceFor(i + 1));
    if (!device.isEmpty() && device.compare(QStringLiteral("COM%1").arg(i + 1), Qt::CaseInsensitive) != 0) {
      caption += QStringLiteral("  (%1)").arg(device);
    }
    MenuComItems[static_cast<std::size_t>(i)]->setText(caption);
  }
}

void TFormHlav::MenuCom1Click(int index) {
  engine_->menuComClick(index);
  showDeviceDisplay(true);
}

void TFormHlav::MenuReadClick() {
  engine_->menuReadClick();
  showDeviceDisplay(false);
}

void TFormHlav::MenuVerifyClick() {
  engine_->menuVerifyClick();
  showDeviceDisplay(false);
}

void TFormHlav::MenuProgramClick() {
  engine_->menuProgramClick();
  showDeviceDisplay(false);
}

void TFormHlav::fileNameCleared() {
  messages_.currentFileName.clear();
  setFileCaption();
}

void TFormHlav::showMessage(std::string_view text) {
  showDeviceDisplay(false);
  QMessageBox box(QMessageBox::NoIcon, windowTitle(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, this);
  box.exec();
}

}  // namespace zelmo
