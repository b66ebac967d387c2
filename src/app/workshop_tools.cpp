// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/workshop_tools.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/differences_dialog.h"
#include "app/widget_factory.h"
#include "core/files/ign_format.h"
#include "core/files/safe_file.h"
#include "core/lang/pattern.h"
#include "core/lang/texts.h"
#include "core/model/ordering.h"
#include "core/model/presets.h"
#include "core/report/differences.h"
#include "core/ride/ride_texts.h"
#include "curve/curve_widget.h"
#include "ride/ride_window.h"

namespace zelmo {
namespace {

constexpr int kFadeMs = 250;

QString RideQText(RideText text, std::uint8_t language) { return Utf8Text(RideTextOf(text, language)); }

std::string LocalName(const QString& file) { return QFile::encodeName(file).toStdString(); }

}  // namespace

WorkshopTools::WorkshopTools(QWidget* window, EditorSession& session, CurveWidget& curve)
    : QObject(window), window_(window), session_(session), curve_(curve) {
  clock_.start();
  fade_.setInterval(kFadeMs);
  connect(&fade_, &QTimer::timeout, this, &WorkshopTools::refreshTrail);
}

void WorkshopTools::askRecording(const QString& startFolder) {
  const QString file =
      QFileDialog::getOpenFileName(window_, RideQText(RideText::OpenMenu, language()).remove(QStringLiteral("...")),
                                   startFolder, RideQText(RideText::FileFilter, language()));
  if (!file.isEmpty()) openRecording(file);
}

bool WorkshopTools::openRecording(const QString& file) {
  RideLogRead read = ReadRecording(file);
  const std::string error = RideLogErrorText(read, file.toStdString(), language());
  if (!error.empty()) {
    QMessageBox::warning(window_, window_->windowTitle(), QString::fromStdString(error));
    return false;
  }
  const std::string notes = RideLogNotes(read, language());
  auto* ride = new RideWindow(std::move(read.log), file, session_.image(), language(), window_);
  rides_.emplace_back(ride);
  ride->show();
  if (!notes.empty()) QMessageBox::information(ride, ride->windowTitle(), QString::fromStdString(notes));
  return true;
}

void WorkshopTools::askCompare(const QString& startFolder) {
  const QString file = QFileDialog::getOpenFileName(
      window_, Utf8Text(ExtraText(Extra::CompareMenu, language())).remove(QStringLiteral("...")), startFolder,
      Utf8Text(ExtraText(Extra::CompareFileFilter, language())));
  if (!file.isEmpty()) compareWith(file);
}

void WorkshopTools::compareWith(const QString& file) {
  const ReadResult read = ReadWholeFile(LocalName(file));
  ParameterImage other = NewParameters(0);
  if (!read.ok || !ReadParameterFile(read.content, other)) {
    QString why = read.ok ? Utf8Text(IgnVersionMessage(language()).value_or(std::string_view()))
                          : QString::fromStdString(read.error);
    QMessageBox::warning(window_, window_->windowTitle(),
                         Utf8Text(kOpenFileError) + QStringLiteral("\n") + file + QStringLiteral("\n") + why);
    return;
  }
  // Ordered as the window would show the file after opening it.
  OrderingMemory memory;
  StoredChoices choices;
  OrderBreakpoints(other, memory, choices);

  const QString name = QFileInfo(file).fileName();
  const DifferenceHeads heads{
      QString::fromStdString(FillText(ExtraText(Extra::CompareCaption, language()), name.toStdString())),
      Utf8Text(ExtraText(Extra::DifferencesEditor, language())), name};
  curve_.setComparedCurve(other);
  ShowDifferencesDialog(window_, MakeDifferences(session_.image(), other.image(), language()), language(), heads);
  curve_.setComparedCurve(std::nullopt);
}

void WorkshopTools::setShowOperatingPoint(bool on) {
  showOperatingPoint_ = on;
  trail_.clear();
  curve_.setTrail({});
  if (on) {
    fade_.start();
  } else {
    fade_.stop();
  }
}

void WorkshopTools::monitorFrame(const MonitorData& frame) {
  if (!showOperatingPoint_) return;
  trail_.add(clock_.elapsed(), frame.engineRpm, frame.currentAdvance);
  refreshTrail();
}

void WorkshopTools::connectionLost() {
  trail_.clear();
  curve_.setTrail({});
}

void WorkshopTools::refreshTrail() {
  if (!showOperatingPoint_) return;
  curve_.setTrail(trail_.dots(clock_.elapsed()));
}

void WorkshopTools::imageChanged() {
  for (const QPointer<RideWindow>& ride : rides_) {
    if (ride) ride->setEditor(session_.image());
  }
}

void WorkshopTools::languageChanged() {
  for (const QPointer<RideWindow>& ride : rides_) {
    if (ride) ride->setLanguage(language());
  }
}

}  // namespace zelmo
