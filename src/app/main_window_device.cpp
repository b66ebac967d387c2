// SPDX-License-Identifier: GPL-3.0-or-later
// The unit's side in the window: the tick, what the session reports, the Com
// menu, the device commands, the difference report, the history and the
// recording of live values.
#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMessageBox>

#include "app/device_panel.h"
#include "app/differences_dialog.h"
#include "app/elide_path.h"
#include "app/history_dialog.h"
#include "app/live_recorder.h"
#include "app/main_window.h"
#include "app/parameter_fields.h"
#include "app/workshop_tools.h"
#include "core/report/bike_name.h"
#include "core/report/differences.h"
#include "curve/curve_widget.h"

namespace zelmo {
namespace {

constexpr int kComItemChars = 64;

}  // namespace

void TFormHlav::Timer1Timer() {
  session_->tick();
  GrafAdv->tick(session_->engine().liveRpm());
  showDeviceDisplay(false);
}

void TFormHlav::showDeviceDisplay(bool force) {
  const DeviceEngine& engine = session_->engine();
  if (!force && engine.revision() == shownRevision_) return;
  shownRevision_ = engine.revision();
  const DeviceDisplay& now = engine.display();
  device_->show(now, force);
  for (int i = 0; i < kComItemCount; ++i) MenuComItems[static_cast<std::size_t>(i)]->setChecked(i == now.comCheckIndex);
  fields_->markNearest(now.nearest);
}

void TFormHlav::sessionEvent(SessionEvent event) {
  switch (event) {
    case SessionEvent::ImageRead:
    case SessionEvent::ImageStored:
    case SessionEvent::Verified:
    case SessionEvent::VerifyFailed:
    case SessionEvent::ProgramFailed:
    case SessionEvent::ConnectionLost:
      updateIndicators();
      if (event == SessionEvent::ConnectionLost) workshop_->connectionLost();
      break;
    default:
      break;
  }
}

void TFormHlav::monitorFrame(const MonitorData& frame) {
  recorder_->frame(frame, session_->choices().languageId);
  workshop_->monitorFrame(frame);
}

void TFormHlav::message(std::string_view text) {
  showDeviceDisplay(false);
  QMessageBox box(QMessageBox::NoIcon, windowTitle(), Utf8Text(text), QMessageBox::Ok, this);
  box.exec();
}

void TFormHlav::warning(std::string_view text) {
  // Most failures arrive inside the tick: the box waits for it to end.
  QMetaObject::invokeMethod(
      this, [this, shown = Utf8Text(text)] { QMessageBox::warning(this, windowTitle(), shown); }, Qt::QueuedConnection);
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
    connect(item, &QAction::triggered, this, [this, i] {
      session_->choosePort(i);
      showDeviceDisplay(true);
    });
    MenuComItems[static_cast<std::size_t>(i)] = item;
  }
  MenuComItems[kAutoComIndex]->setText(QStringLiteral("Com Auto"));
  // The devices behind the numbers come and go with the adapters plugged in;
  // listing them takes tens of milliseconds, which start-up need not wait for.
  connect(MenuCom, &QMenu::aboutToShow, this, &TFormHlav::refreshComCaptions);
  // A shortened device path shows whole in its item's tooltip.
  MenuCom->setToolTipsVisible(true);
}

void TFormHlav::refreshComCaptions() {
  // Wide enough for "Com 12  (" and a typical stable device name, far from
  // the width of the screen.
  const QFontMetrics metrics(MenuCom->font());
  const int widest = metrics.averageCharWidth() * kComItemChars;
  for (int i = 0; i < kAutoComIndex; ++i) {
    const QString caption = QString::fromStdString(ComItemText(i + 1, link_.portFacts(i + 1)));
    QAction* item = MenuComItems[static_cast<std::size_t>(i)];
    const QString shown = ElideDevicePath(caption, metrics, widest);
    item->setText(shown);
    item->setToolTip(shown == caption ? QString() : caption);
  }
}

void TFormHlav::MenuReadClick() {
  session_->startRead();
  showDeviceDisplay(false);
}

void TFormHlav::MenuVerifyClick() {
  session_->startVerify(fieldValues());
  showDeviceDisplay(false);
}

void TFormHlav::MenuProgramClick() {
  session_->startProgram(fieldValues());
  showDeviceDisplay(false);
}

void TFormHlav::MenuDifferencesClick() {
  const std::optional<Payload>& unit = session_->unitAfterFailure();
  if (!unit) return;
  const std::uint8_t language = session_->choices().languageId;
  ShowDifferencesDialog(this, MakeDifferences(session_->image(), *unit, language), language);
}

void TFormHlav::MenuHistoryClick() {
  if (!options_.configFiles) return;
  const std::uint8_t language = session_->choices().languageId;
  const std::vector<HistoryEntry> entries = ListHistory(options_.configFiles->historyFolder);
  const auto bikeText = [language](std::uint8_t code) {
    return QString::fromStdString(BikeDisplayName(code, language));
  };
  QString open;
  // The menu item's caption without its keys.
  if (const auto* item = qobject_cast<QAction*>(named_.value(QStringLiteral("MenuOpen")))) {
    open = item->text().section(QLatin1Char('\t'), 0, 0);
  }
  open.remove(QLatin1Char('&'));
  const auto chosen = ChooseHistoryEntry(this, entries, bikeText, open, language);
  if (chosen) openPath(QString::fromStdU16String(chosen->u16string()));
}

void TFormHlav::MenuRecordClick() { recorder_->toggle(session_->choices().languageId); }

void TFormHlav::MenuOpenRecordingClick() {
  workshop_->askRecording(
      options_.configFiles ? QString::fromStdU16String(options_.configFiles->recordingsFolder.u16string()) : QString());
}

void TFormHlav::MenuCompareClick() { workshop_->askCompare(QFileInfo(lastFilePath_).absolutePath()); }

void TFormHlav::MenuOperatingPointClick() { workshop_->setShowOperatingPoint(MenuOperatingPoint->isChecked()); }

}  // namespace zelmo
