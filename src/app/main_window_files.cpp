// Open and save of parameter files, with the "exe dir" variants.
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

#include "app/main_window.h"
#include "core/files/ign_format.h"
#include "core/files/safe_file.h"

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

void TFormHlav::saveFile(bool fromToolbar) {
  if (fromToolbar && CtrlHeld()) {
    openDialogFile_ = programFolderFile_;
    saveDialogFile_ = programFolderFile_;
  }
  QString path;
  if (!chooseSaveFile(path)) return;
  ControlsToImage();
  OrderBreakpoints();
  ImageToControls();
  // Written whole beside the target and renamed over it: a failure leaves the
  // old file as it was.
  const FileResult written = WriteFileAtomically(PathOf(path), WriteParameterFile(image_));
  if (!written.ok) {
    QMessageBox::warning(this, windowTitle(),
                         QString::fromUtf8(kOpenFileError.data()) + QStringLiteral("\n") +
                             QString::fromStdString(written.error));
    return;
  }
  messages_.currentFileName = path.toStdString();
  setFileCaption();
  lastFilePath_ = path;
  openDialogFile_ = lastFilePath_;
}

void TFormHlav::openFile(bool fromToolbar) {
  if (fromToolbar && CtrlHeld()) {
    openDialogFile_ = programFolderFile_;
    saveDialogFile_ = programFolderFile_;
  }
  QString path;
  if (chooseOpenFile(path)) {
    openPath(path);
  } else {
    hideOperationDisplay();
    requestGraphRescale();
  }
}

void TFormHlav::openPath(const QString& path) {
  const ReadResult read = ReadWholeFile(PathOf(path));
  if (!read.ok) {
    QMessageBox::warning(this, windowTitle(),
                         QString::fromUtf8(kOpenFileError.data()) + QStringLiteral("\n") +
                             QString::fromStdString(read.error));
  } else {
    ParameterImage loaded = image_;
    if (ReadParameterFile(read.content, loaded)) {
      image_ = loaded;
      OrderBreakpoints();
      ImageToControls();
      messages_.currentFileName = path.toStdString();
      setFileCaption();
      lastFilePath_ = path;
      saveDialogFile_ = lastFilePath_;
    } else if (const auto message = IgnVersionMessage(choices_.languageId)) {
      QMessageBox::information(this, windowTitle(),
                               QString::fromUtf8(message->data(), static_cast<qsizetype>(message->size())));
    }
  }
  hideOperationDisplay();
  requestGraphRescale();
}

void TFormHlav::MenuSaveClick() { saveFile(false); }

void TFormHlav::MenuSaveExeDirClick() {
  openDialogFile_ = programFolderFile_;
  saveDialogFile_ = programFolderFile_;
  saveFile(false);
}

void TFormHlav::MenuOpenClick() { openFile(false); }

void TFormHlav::MenuOpenExeDirClick() {
  openDialogFile_ = programFolderFile_;
  saveDialogFile_ = programFolderFile_;
  openFile(false);
}

}  // namespace zelmo
