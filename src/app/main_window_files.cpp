// Open and save of parameter files, with the "exe dir" variants.
#include <QFileDialog>
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

bool TFormHlav::chooseOpenFile(QString& path) {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({kIgnFilter, kAllFilter});
  dialog.setDefaultSuffix(QStringLiteral("ign"));
  if (!openDialogFile_.isEmpty()) dialog.selectFile(openDialogFile_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().first();
  return true;
}

bool TFormHlav::chooseSaveFile(QString& path) {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("SaveDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({kIgnFilter});
  dialog.selectNameFilter(kIgnFilter);
  dialog.setDefaultSuffix(QStringLiteral("ign"));
  dialog.setSizeGripEnabled(true);
  if (!saveDialogFile_.isEmpty()) dialog.selectFile(saveDialogFile_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().first();
  return true;
}

void TFormHlav::pointDialogsAtProgramFolder() {
  openDialogFile_ = programFolderFile_;
  saveDialogFile_ = programFolderFile_;
}

void TFormHlav::saveFile(bool fromToolbar) {
  if (fromToolbar && CtrlHeld()) pointDialogsAtProgramFolder();
  QString path;
  if (!chooseSaveFile(path)) return;
  const FileOutcome saved = session_->saveFile(PathOf(path), fieldValues());
  if (!saved.ok) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(saved.message));
    return;
  }
  lastFilePath_ = path;
  openDialogFile_ = lastFilePath_;
}

void TFormHlav::openFile(bool fromToolbar) {
  if (fromToolbar && CtrlHeld()) pointDialogsAtProgramFolder();
  QString path;
  if (chooseOpenFile(path)) {
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
    QMessageBox::information(this, windowTitle(), QString::fromStdString(opened.message));
  }
  device_->hideOperation();
  GrafAdv->request(GraphRescale);
}

void TFormHlav::MenuSaveClick() { saveFile(false); }

void TFormHlav::MenuSaveExeDirClick() {
  pointDialogsAtProgramFolder();
  saveFile(false);
}

void TFormHlav::MenuOpenClick() { openFile(false); }

void TFormHlav::MenuOpenExeDirClick() {
  pointDialogsAtProgramFolder();
  openFile(false);
}

}  // namespace zelmo
