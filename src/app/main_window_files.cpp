// SPDX-License-Identifier: GPL-3.0-or-later
// Open and save of parameter files, with the "exe dir" variants.
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include "app/device_panel.h"
#include "app/main_window.h"
#include "curve/curve_widget.h"

namespace zelmo {
namespace {

const QString kIgnFilter = QStringLiteral("Ignition Parametrs(*.ign)");
const QString kAllFilter = QStringLiteral("All Files (*.*)");

bool CtrlHeld() { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier); }

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdU16String()); }

}  // namespace

bool TFormHlav::chooseOpenFile(QString& path, const QString& start) {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({kIgnFilter, kAllFilter});
  dialog.setDefaultSuffix(QStringLiteral("ign"));
  if (!start.isEmpty()) dialog.selectFile(start);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().first();
  return true;
}

bool TFormHlav::chooseSaveFile(QString& path, const QString& start) {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("SaveDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({kIgnFilter});
  dialog.selectNameFilter(kIgnFilter);
  dialog.setDefaultSuffix(QStringLiteral("ign"));
  dialog.setSizeGripEnabled(true);
  if (!start.isEmpty()) dialog.selectFile(start);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().first();
  return true;
}

QString TFormHlav::exeDirFile() const {
  const std::filesystem::path folder = PathOf(QFileInfo(options_.programPath).absolutePath());
  return QString::fromStdU16String(ExeDirFile(folder, ProcessEnvironment).u16string());
}

void TFormHlav::saveFile(bool exeDir) {
  // The exe-dir file is offered this once; the dialogs keep their own last file.
  QString path;
  if (!chooseSaveFile(path, exeDir ? exeDirFile() : saveDialogFile_)) return;
  const FileOutcome saved = session_->saveFile(PathOf(path), fieldValues());
  if (!saved.ok) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(saved.message));
    return;
  }
  lastFilePath_ = path;
  openDialogFile_ = lastFilePath_;
}

void TFormHlav::openFile(bool exeDir) {
  QString path;
  if (chooseOpenFile(path, exeDir ? exeDirFile() : openDialogFile_)) {
    openPath(path);
  } else {
    device_->hideOperation();
    GrafAdv->request(GraphRescale);
  }
}

void TFormHlav::openPath(const QString& path) {
  const FileOutcome opened = session_->openFile(PathOf(path));
  if (opened.ok) {
    lastFilePath_ = path;
    saveDialogFile_ = lastFilePath_;
  } else if (!opened.refused) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(opened.message));
  } else if (!opened.message.empty()) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(opened.message));
  }
  device_->hideOperation();
  GrafAdv->request(GraphRescale);
}

// Ctrl held on the tool bar's buttons means the exe-dir command.
void TFormHlav::openFromToolbar() { openFile(CtrlHeld()); }

void TFormHlav::saveFromToolbar() { saveFile(CtrlHeld()); }

void TFormHlav::MenuSaveClick() { saveFile(false); }

void TFormHlav::MenuSaveExeDirClick() { saveFile(true); }

void TFormHlav::MenuOpenClick() { openFile(false); }

void TFormHlav::MenuOpenExeDirClick() { openFile(true); }

}  // namespace zelmo
