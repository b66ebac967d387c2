// SPDX-License-Identifier: GPL-3.0-or-later
// Open and save through the file dialogs.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/test_support.h"
#include "core/files/ign_format.h"
#include "core/settings/config_dir.h"

namespace zelmo {

using test::AnswerFileDialog;
using test::AnswerMessageBox;
using test::Bench;
using test::Child;
using test::ConfigFolder;

namespace {

// What the "exe dir" commands offer: data.ign beside the program.
QString ProgramFolderFile() { return QCoreApplication::applicationDirPath() + QStringLiteral("/data.ign"); }

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdU16String()); }

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class FilesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // The dialogs remember the folders they visited; keep that out of the user's settings.
    qputenv("XDG_CONFIG_HOME", home_.path().toUtf8());
  }
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  void saveAndOpenRoundTrip() {
    QTemporaryDir folder;
    Bench bench;
    TFormHlav& window = *bench.window;
    const ParameterImage start = window.session().image();
    Child<QLineEdit>(&window, "EditBaseAdv")->setText(QStringLiteral("17"));  // typed, not yet confirmed

    AnswerFileDialog(folder.filePath(QStringLiteral("first")));
    window.MenuSaveClick();
    const QString saved = folder.filePath(QStringLiteral("first.ign"));
    QVERIFY(QFile::exists(saved));
    QCOMPARE(window.session().image().baseAdvance(), 17);
    QCOMPARE(ReadAll(saved), QByteArray::fromStdString(WriteParameterFile(window.session().image())));
    QCOMPARE(window.windowTitle(), QStringLiteral("  Zelmo_TCI       ") + saved);
    QCOMPARE(window.lastFilePath(), saved);

    Child<QLineEdit>(&window, "EditBaseAdv")->setText(QStringLiteral("3"));
    QTest::keyClick(Child<QLineEdit>(&window, "EditBaseAdv"), Qt::Key_Return);
    QCOMPARE(window.session().image().baseAdvance(), 3);
    AnswerFileDialog(saved);
    window.MenuOpenClick();
    QCOMPARE(window.session().image().baseAdvance(), 17);
    QCOMPARE(Child<QLineEdit>(&window, "EditBaseAdv")->text(), QStringLiteral("17"));
    // Opening records nothing: undo goes back past the opened state to before
    // the last recorded edit (saving recorded nothing either), redo to that edit.
    window.SpeedButtonZpetClick();
    QCOMPARE(window.session().image(), start);
    QVERIFY(!window.session().canUndo());
    window.SpeedButtonZnovuClick();
    QCOMPARE(window.session().image().baseAdvance(), 3);
  }

  void refusedFileChangesNothing() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("old.ign"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("TORVANEX_KEY        60\r\nBASE_ADVANCE        30\r\n");
    f.close();
    Bench bench;
    TFormHlav& window = *bench.window;
    const ParameterImage before = window.session().image();
    const QString caption = window.windowTitle();
    QString message;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    AnswerFileDialog(path);
    QTimer::singleShot(200, [&message, &icon] {
      test::WhenModal([&message, &icon](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        message = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
      });
    });
    window.MenuOpenClick();
    // Which file was refused, on a line of its own, and a warning, not a mere note.
    QCOMPARE(message, QStringLiteral("Unmatched version of *.ign file!\n") + path);
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(window.session().image(), before);
    QCOMPARE(window.windowTitle(), caption);
    QVERIFY(window.lastFilePath().isEmpty());
    QVERIFY(Child<QLabel>(&window, "LabelHlaseni")->isHidden());
  }

  void failedSaveSaysWhy() {
    QTemporaryDir folder;
    // A name that a folder already holds: no file can replace it, not even
    // for the superuser, and the folder stays as it was.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("taken.ign")));
    QVERIFY(QDir(folder.filePath(QStringLiteral("taken.ign"))).mkdir(QStringLiteral("inside")));
    Bench bench;
    TFormHlav& window = *bench.window;
    QString message;
    AnswerFileDialog(folder.filePath(QStringLiteral("taken.ign")));
    AnswerMessageBoxLater(&message);
    window.MenuSaveClick();
    QVERIFY2(message.startsWith(QStringLiteral("Open file error\n")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("taken.ign")), qPrintable(message));
    QVERIFY(QDir(folder.filePath(QStringLiteral("taken.ign/inside"))).exists());
    QVERIFY(window.lastFilePath().isEmpty());
    QCOMPARE(window.windowTitle(), QStringLiteral("  Zelmo_TCI       "));
  }

  void ctrlClickOnTheToolbarOffersTheProgramFolder() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList offered;
    auto note = [&offered] {
      test::WhenModal([&offered](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        offered << dialog->selectedFiles().value(0);
        dialog->reject();
      });
    };
    auto* save = Child<QToolButton>(&window, "SpeedButtonSave");
    note();
    save->click();
    QVERIFY(offered.value(0) != ProgramFolderFile());
    // Through the window system, so the keyboard state knows of the held key.
    QTest::keyPress(window.windowHandle(), Qt::Key_Control, Qt::ControlModifier);
    note();
    save->click();
    QTest::keyRelease(window.windowHandle(), Qt::Key_Control);
    QCOMPARE(offered.value(1), ProgramFolderFile());
  }

  void exeDirCommandsUseTheProgramFolder() {
    QTemporaryDir folder;
    Bench bench;
    TFormHlav& window = *bench.window;
    QString offered;
    test::WhenModal([&offered, &folder](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(dialog);
      offered = dialog->selectedFiles().value(0);
      dialog->selectFile(folder.filePath(QStringLiteral("data.ign")));
      static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    });
    window.MenuSaveExeDirClick();
    QCOMPARE(offered, ProgramFolderFile());
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("data.ign"))));
  }

  void installedProgramKeepsItsExeDirFileInTheDataFolder() {
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    QVERIFY(QDir(root.path()).mkdir(QStringLiteral("bin")));
    QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    // The superuser writes even there; a folder that is gone cannot be written by anyone.
    const QString programFolder =
        FolderWritable(PathOf(bin)) ? root.filePath(QStringLiteral("gone")) : bin;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toUtf8());
    const QString expected = root.filePath(QStringLiteral("data/zelmo-tci/data.ign"));
    {
      Bench bench({.programPath = programFolder + QStringLiteral("/zelmo-tci")});
      TFormHlav& window = *bench.window;
      QStringList offered;
      test::WhenModal([&offered](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        offered << dialog->selectedFiles().value(0);
        dialog->reject();
      });
      window.MenuOpenExeDirClick();
      QCOMPARE(offered.value(0), expected);
      QVERIFY(QFileInfo(expected).dir().exists());

      test::WhenModal([&offered](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        offered << dialog->selectedFiles().value(0);
        dialog->selectFile(offered.last());
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
      });
      window.MenuSaveExeDirClick();
      QCOMPARE(offered.value(1), expected);
      QVERIFY(QFile::exists(expected));
    }
    if (oldData.isNull()) {
      qunsetenv("XDG_DATA_HOME");
    } else {
      qputenv("XDG_DATA_HOME", oldData);
    }
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  void cancelledExeDirDialogsLeaveTheOtherDialogsTheirLastFile() {
    QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("first.ign"));
    Bench bench;
    TFormHlav& window = *bench.window;
    AnswerFileDialog(first);
    window.MenuSaveClick();
    QVERIFY(QFile::exists(first));
    AnswerFileDialog(first);
    window.MenuOpenClick();  // the save dialog now starts with it too

    QStringList offered;
    const auto note = [&offered] {
      test::WhenModal([&offered](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        offered << dialog->selectedFiles().value(0);
        dialog->reject();
      });
    };
    note();
    window.MenuOpenExeDirClick();
    note();
    window.MenuSaveExeDirClick();
    note();
    window.MenuOpenClick();
    note();
    window.MenuSaveClick();
    QCOMPARE(offered, QStringList({ProgramFolderFile(), ProgramFolderFile(), first, first}));
  }

 private:
  // The message box that follows a file dialog.
  static void AnswerMessageBoxLater(QString* text) {
    QTimer::singleShot(200, [text] { AnswerMessageBox(QMessageBox::Ok, text); });
  }

  QTemporaryDir home_;
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::FilesTest)
#include "files_test.moc"
