// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the window: the panels, the tool group, the menus.
#include "app/main_window.h"
#include "app/workshop_tools.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

#include "app/client_area.h"
#include "app/device_panel.h"
#include "app/hints.h"
#include "app/live_recorder.h"
#include "app/parameter_fields.h"
#include "app/pictures.h"
#include "app/text_fit.h"
#include "curve/curve_widget.h"

namespace zelmo {
namespace {

// The designed tool row: the group, the three command buttons in it with 9
// pixels between them and 11 to the group's edge, "No Connection" 12 pixels
// right of the group.
constexpr QRect kToolGroup(6, 0, 422, 43);
struct Command {
  const char* name;
  const char* caption;
  QRect place;
};
constexpr std::array<Command, 3> kCommands{{{"Button1", "&Read", QRect(190, 12, 57, 25)},
                                            {"BitBtn2", "Verify", QRect(256, 12, 65, 25)},
                                            {"BitBtn1", "Program", QRect(330, 12, 81, 25)}}};
constexpr int kCommandGap = 9;
constexpr int kToolGroupMargin = 11;
constexpr int kNoConnectionLeft = 440;
constexpr int kNoConnectionGap = 12;

}  // namespace

void TFormHlav::buildControls() {
  setObjectName(QStringLiteral("FormHlav"));
  setFont(PixelFont(11, false));
  setWindowIcon(WindowIcon());

  client_ = new ClientArea(this);
  client_->setObjectName(QStringLiteral("FormHlavClient"));
  client_->setAutoFillBackground(true);
  setCentralWidget(client_);

  // Created in tab order: the tool group, the parameter fields, the unit's side.
  buildToolGroup(client_->toolRow());
  fields_ = new ParameterFields(client_->designed(), named_);
  device_ = new DevicePanel(client_->designed(), named_);
  client_->keepInToolRow(qobject_cast<QWidget*>(named_.value(QStringLiteral("LabelSpojeni"))));
  recorder_ = new LiveRecorder(this, options_.configFiles
                                         ? QString::fromStdU16String(options_.configFiles->recordingsFolder.u16string())
                                         : QString());

  GrafAdv = new CurveWidget(*session_, client_->designed());
  GrafAdv->move(0, 495);
  workshop_ = new WorkshopTools(this, *session_, *GrafAdv);
  named_.insert(GrafAdv->objectName(), GrafAdv);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setFixedHeight(19);
  StatusBar1->setSizeGripEnabled(false);
  setStatusBar(StatusBar1);

  buildMenus();
  setMinimumSize(kMinimumClientWidth, menuBar()->sizeHint().height() + kMinimumClientHeight + StatusBar1->height());
  resize(designedSize());
}

QSize TFormHlav::designedSize() const {
  return {kDesignedWidth, menuBar()->sizeHint().height() + kDesignedHeight + StatusBar1->height()};
}

void TFormHlav::buildToolGroup(QWidget* client) {
  QGroupBox* group =
      AddGroup(client, "GroupBox5", kToolGroup.x(), kToolGroup.y(), kToolGroup.width(), kToolGroup.height());
  GroupBox5 = group;
  struct Tool {
    const char* name;
    Glyph glyph;
    int x;
  };
  static constexpr std::array<Tool, 6> kTools{{{"SpeedButton6", Glyph::NewSheet, 9},
                                               {"SpeedButtonOpen", Glyph::Folder, 39},
                                               {"SpeedButtonSave", Glyph::Disk, 69},
                                               {"SpeedButtonPrint", Glyph::Printer, 99},
                                               {"SpeedButtonZpet", Glyph::Undo, 129},
                                               {"SpeedButtonZnovu", Glyph::Redo, 160}}};
  std::array<QToolButton*, 6> buttons{};
  for (std::size_t i = 0; i < kTools.size(); ++i) {
    auto* button = new QToolButton(group);
    button->setObjectName(QString::fromLatin1(kTools[i].name));
    button->setGeometry(kTools[i].x, 11, 28, 26);
    button->setIcon(GlyphIcon(kTools[i].glyph));
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    named_.insert(button->objectName(), button);
    buttons[i] = button;
  }
  connect(buttons[0], &QToolButton::clicked, this, &TFormHlav::MenuNewClick);
  connect(buttons[1], &QToolButton::clicked, this, [this] { openFromToolbar(); });
  connect(buttons[2], &QToolButton::clicked, this, [this] { saveFromToolbar(); });
  connect(buttons[3], &QToolButton::clicked, this, &TFormHlav::SpeedButtonPrintClick);
  SpeedButtonZpet = buttons[4];
  SpeedButtonZnovu = buttons[5];
  connect(SpeedButtonZpet, &QToolButton::clicked, this, &TFormHlav::SpeedButtonZpetClick);
  connect(SpeedButtonZnovu, &QToolButton::clicked, this, &TFormHlav::SpeedButtonZnovuClick);

  std::array<QPushButton*, 3>& commands = commandButtons_;
  for (std::size_t i = 0; i < kCommands.size(); ++i) {
    auto* button = new QPushButton(QString::fromLatin1(kCommands[i].caption), group);
    button->setObjectName(QString::fromLatin1(kCommands[i].name));
    button->setGeometry(kCommands[i].place);
    button->setFocusPolicy(Qt::TabFocus);
    named_.insert(button->objectName(), button);
    commands[i] = button;
  }
  connect(commands[0], &QPushButton::clicked, this, &TFormHlav::MenuReadClick);
  connect(commands[1], &QPushButton::clicked, this, &TFormHlav::MenuVerifyClick);
  connect(commands[2], &QPushButton::clicked, this, &TFormHlav::MenuProgramClick);
}

void TFormHlav::fitToolRow() {
  std::array<RowButton, 3> row{};
  for (std::size_t i = 0; i < row.size(); ++i) row[i] = {commandButtons_[i], kCommands[i].place};
  const int buttonsRight = FitButtonRow(row, kCommandGap);
  QRect group = kToolGroup;
  group.setWidth(std::max(kToolGroup.width(), buttonsRight + kToolGroupMargin));
  GroupBox5->setGeometry(group);
  device_->placeNoConnection(std::max(kNoConnectionLeft, group.x() + group.width() + kNoConnectionGap));
}

QAction* TFormHlav::addMenuItem(QMenu* menu, const char* name, const QString& caption,
                                const QList<QKeySequence>& shortcuts) {
  auto* action = new QAction(this);
  action->setObjectName(QString::fromLatin1(name));
  if (!shortcuts.isEmpty()) {
    action->setShortcuts(shortcuts);
    shortcutItems_.push_back(action);
  }
  SetMenuText(action, caption);
  action->setShortcutContext(Qt::WindowShortcut);
  menu->addAction(action);
  named_.insert(action->objectName(), action);
  return action;
}

bool TFormHlav::eventFilter(QObject* watched, QEvent* event) {
  // A focused text field claims its own editing keys (Ctrl+Z above all)
  // before the window's shortcuts see them, and the focus is nearly always in
  // a field. In this window a key of the menu means the menu item, as the
  // mouse would choose it; dialogs and open menus keep their own keys.
  if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* item : shortcutItems_) {
      if (item->shortcuts().contains(pressed)) {
        event->ignore();
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TFormHlav::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  auto addMenu = [this, bar](const char* name, const QString& title) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    named_.insert(menu->objectName(), menu);
    return menu;
  };

  QMenu* file = addMenu("MenuFile", QStringLiteral("&File"));
  connect(addMenuItem(file, "MenuNew", QStringLiteral("&New"), {QKeySequence(Qt::CTRL | Qt::Key_N)}),
          &QAction::triggered, this, &TFormHlav::MenuNewClick);
  file->addSeparator();
  connect(addMenuItem(file, "MenuOpen", QStringLiteral("&Open"),
                      {QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_O)}),
          &QAction::triggered, this, &TFormHlav::MenuOpenClick);
  connect(
      addMenuItem(file, "MenuOpenExeDir", QStringLiteral("Open from exe dir"), {QKeySequence(Qt::CTRL | Qt::Key_F3)}),
      &QAction::triggered, this, &TFormHlav::MenuOpenExeDirClick);
  MenuHistory = addMenuItem(file, "MenuHistory", QString(), {});
  connect(MenuHistory, &QAction::triggered, this, &TFormHlav::MenuHistoryClick);
  MenuOpenRecording = addMenuItem(file, "MenuOpenRecording", QString(), {});
  connect(MenuOpenRecording, &QAction::triggered, this, &TFormHlav::MenuOpenRecordingClick);
  MenuCompare = addMenuItem(file, "MenuCompare", QString(), {});
  connect(MenuCompare, &QAction::triggered, this, &TFormHlav::MenuCompareClick);
  file->addSeparator();
  connect(addMenuItem(file, "MenuSave", QStringLiteral("&Save"),
                      {QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_S)}),
          &QAction::triggered, this, &TFormHlav::MenuSaveClick);
  connect(addMenuItem(file, "MenuSaveExeDir", QStringLiteral("Save to exe dir"), {QKeySequence(Qt::CTRL | Qt::Key_F2)}),
          &QAction::triggered, this, &TFormHlav::MenuSaveExeDirClick);
  file->addSeparator();
  connect(addMenuItem(file, "MenuPrint", QStringLiteral("&Print"), {QKeySequence(Qt::CTRL | Qt::Key_P)}),
          &QAction::triggered, this, &TFormHlav::SpeedButtonPrintClick);
  file->addSeparator();
  connect(addMenuItem(file, "MenuExit", QStringLiteral("E&xit"), {QKeySequence(Qt::CTRL | Qt::Key_Q)}),
          &QAction::triggered, this, &TFormHlav::MenuExitClick);

  MenuCom = addMenu("MenuCom", QStringLiteral("&Com"));

  QMenu* device = addMenu("MenuDevice", QStringLiteral("&Device"));
  connect(addMenuItem(device, "MenuRead", QStringLiteral("&Read"), {QKeySequence(Qt::Key_F7)}), &QAction::triggered,
          this, &TFormHlav::MenuReadClick);
  connect(addMenuItem(device, "MenuVerify", QStringLiteral("&Verify"), {QKeySequence(Qt::Key_F8)}), &QAction::triggered,
          this, &TFormHlav::MenuVerifyClick);
  connect(addMenuItem(device, "MenuProgram", QStringLiteral("&Program"), {QKeySequence(Qt::Key_F9)}),
          &QAction::triggered, this, &TFormHlav::MenuProgramClick);
  device->addSeparator();
  MenuDifferences = addMenuItem(device, "MenuDifferences", QString(), {});
  MenuDifferences->setEnabled(false);
  connect(MenuDifferences, &QAction::triggered, this, &TFormHlav::MenuDifferencesClick);
  MenuRecord = addMenuItem(device, "MenuRecord", QString(), {});
  MenuRecord->setCheckable(true);
  connect(MenuRecord, &QAction::triggered, this, &TFormHlav::MenuRecordClick);

  QMenu* tools = addMenu("MenuTools", QStringLiteral("&Tools"));
  connect(addMenuItem(tools, "AdvanceMinus", QStringLiteral("Advance -"), {QKeySequence(Qt::Key_F4)}),
          &QAction::triggered, this, &TFormHlav::BitBtnAdvMinusClick);
  connect(addMenuItem(tools, "AdvancePlus", QStringLiteral("Advance +"), {QKeySequence(Qt::Key_F5)}),
          &QAction::triggered, this, &TFormHlav::BitBtnAdvPlusClick);
  MenuZpet = addMenuItem(tools, "MenuZpet", QStringLiteral("Undo"), {QKeySequence(Qt::CTRL | Qt::Key_Z)});
  MenuZnovu = addMenuItem(tools, "MenuZnovu", QStringLiteral("Redo"),
                          {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  connect(MenuZpet, &QAction::triggered, this, &TFormHlav::SpeedButtonZpetClick);
  connect(MenuZnovu, &QAction::triggered, this, &TFormHlav::SpeedButtonZnovuClick);
  MenuOperatingPoint = addMenuItem(tools, "MenuOperatingPoint", QString(), {});
  MenuOperatingPoint->setCheckable(true);
  connect(MenuOperatingPoint, &QAction::triggered, this, &TFormHlav::MenuOperatingPointClick);

  QMenu* language = addMenu("MenuLanguage", QStringLiteral("&Language"));
  MenuEnglish = addMenuItem(language, "MenuEnglish", QStringLiteral("&English"), {});
  MenuCzech = addMenuItem(language, "MenuCzech", QStringLiteral("&Czech"), {});
  MenuGerman = addMenuItem(language, "MenuGerman", QStringLiteral("&German"), {});
  for (QAction* item : {MenuEnglish, MenuCzech, MenuGerman}) item->setCheckable(true);
  MenuEnglish->setChecked(true);
  connect(MenuEnglish, &QAction::triggered, this, &TFormHlav::MenuEnglishClick);
  connect(MenuCzech, &QAction::triggered, this, &TFormHlav::MenuCzechClick);
  connect(MenuGerman, &QAction::triggered, this, &TFormHlav::MenuGermanClick);

  QMenu* help = addMenu("MenuHelp", QStringLiteral("&Help"));
  connect(addMenuItem(help, "MenuContens", QStringLiteral("&Contens"), {QKeySequence(Qt::Key_F1)}), &QAction::triggered,
          this, &TFormHlav::MenuContensClick);
  connect(addMenuItem(help, "MenuAbout", QStringLiteral("&About..."), {}), &QAction::triggered, this,
          &TFormHlav::MenuAboutClick);

  // The designed hints; the language operations replace most of them.
  for (const ControlText& hint : LanguageHints(kEnglish)) applyHint(hint.control, hint.text);
  applyHint("AdvanceMinus", kAdvanceMinusHint);
  applyHint("AdvancePlus", kAdvancePlusHint);
  applyHint("ComboBoxBike", kBikeListHint);
  applyHint("MenuCom", kComMenuHint);
}

}  // namespace zelmo
