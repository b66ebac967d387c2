// Ahead of the device headers: the drawing kinds name a "Frame" of their own.
#include "curve/curve_widget.h"
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "app/colours.h"
#include "app/hints.h"
#include "app/mouse_check_box.h"
#include "app/pictures.h"
#include "app/up_down.h"
#include "core/model/bike_code.h"

namespace zelmo {
namespace {

constexpr std::array<int, kBreakpointCount> kRowTops{53, 89, 124, 160, 195, 231, 266, 302, 337, 373};
constexpr int kEditHeight = 21;
constexpr int kUpDownWidth = 16;

QFont PixelFont(int pixelSize, bool bold) {
  QFont font = QApplication::font();
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QGroupBox* AddGroup(QWidget* parent, const char* name, int x, int y, int w, int h) {
  auto* group = new QGroupBox(parent);
  group->setObjectName(QString::fromLatin1(name));
  group->setGeometry(x, y, w, h);
  return group;
}

QProgressBar* AddGauge(QWidget* parent, const char* name, const QRect& geometry, const QColor& bar, bool text) {
  auto* gauge = new QProgressBar(parent);
  gauge->setObjectName(QString::fromLatin1(name));
  gauge->setGeometry(geometry);
  gauge->setTextVisible(text);
  gauge->setAlignment(Qt::AlignCenter);
  gauge->setFormat(QStringLiteral("%p%"));
  gauge->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid #808080; background: white; color: black; }"
                                      "QProgressBar::chunk { background: %1; }")
                           .arg(bar.name()));
  return gauge;
}

}  // namespace

QLabel* TFormHlav::addLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int pixelSize,
                            bool bold) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(PixelFont(pixelSize, bold));
  label->move(x, y);
  label->adjustSize();
  named_.insert(label->objectName(), label);
  return label;
}

MouseCheckBox* TFormHlav::addCheckBox(QWidget* parent, const char* name, const QString& text, int x, int y,
                                      int width) {
  auto* box = new MouseCheckBox(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(x, y, width, 17);
  named_.insert(box->objectName(), box);
  return box;
}

UpDown* TFormHlav::addUpDownPair(QWidget* parent, const char* editName, const char* upDownName, int x, int y,
                                 int editWidth, int minimum, int maximum, int step, bool thousands) {
  auto* edit = new ParameterEdit(parent);
  edit->setObjectName(QString::fromLatin1(editName));
  edit->setGeometry(x, y, editWidth, kEditHeight);
  // "20,100" has to fit the 40 pixels of a speed field.
  QFont narrow = edit->font();
  narrow.setLetterSpacing(QFont::AbsoluteSpacing, -0.8);
  edit->setFont(narrow);
  edit->setTextMargins(-1, 0, -1, 0);
  auto* upDown = new UpDown(minimum, maximum, step, thousands, parent);
  upDown->setObjectName(QString::fromLatin1(upDownName));
  upDown->setGeometry(x + editWidth, y, kUpDownWidth, kEditHeight);
  upDown->setBuddy(edit);
  upDown->setPosition(minimum);
  connect(upDown, &UpDown::clicked, this, &TFormHlav::UpDownClick);
  connect(edit, &ParameterEdit::exited, this, &TFormHlav::EditExit);
  connect(edit, &ParameterEdit::enterPressed, this, &TFormHlav::EditEnter);
  named_.insert(edit->objectName(), edit);
  named_.insert(upDown->objectName(), upDown);
  return upDown;
}

void TFormHlav::buildControls() {
  setObjectName(QStringLiteral("FormHlav"));
  setFont(PixelFont(11, false));
  setWindowIcon(WindowIcon());
  resize(kWidth, kHeight);

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("FormHlavClient"));
  client_->setAutoFillBackground(true);
  setCentralWidget(client_);

  // Created in tab order: the tool group, the curve rows, then the groups to the right.
  buildToolGroup(client_);
  buildCurveGroup(client_);
  buildPickupGroup(client_);
  buildSettingsGroup(client_);
  buildTachometerGroup(client_);
  buildLiveColumn(client_);
  buildDeviceColumn(client_);

  GrafAdv = new CurveWidget(*this, client_);
  GrafAdv->move(0, 495);

  static constexpr std::array<QPoint, 8> kTestPlaces{QPoint(16, 623),  QPoint(16, 645),  QPoint(128, 626),
                                                     QPoint(128, 648), QPoint(264, 630), QPoint(264, 644),
                                                     QPoint(448, 617), QPoint(448, 639)};
  for (int i = 0; i < 8; ++i) {
    const QByteArray name = "LabelTest" + QByteArray::number(i + 1);
    LabelTest[static_cast<std::size_t>(i)] = addLabel(client_, name.constData(), QStringLiteral("Test%1 = ---").arg(i + 1),
                                                      kTestPlaces[static_cast<std::size_t>(i)].x(),
                                                      kTestPlaces[static_cast<std::size_t>(i)].y(), 13, true);
    LabelTest[static_cast<std::size_t>(i)]->hide();
  }

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setFixedHeight(19);
  StatusBar1->setSizeGripEnabled(false);
  setStatusBar(StatusBar1);

  buildMenus();
}

void TFormHlav::buildToolGroup(QWidget* client) {
  QGroupBox* group = AddGroup(client, "GroupBox5", 6, 0, 422, 43);
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
  connect(buttons[1], &QToolButton::clicked, this, [this] { openFile(true); });
  connect(buttons[2], &QToolButton::clicked, this, [this] { saveFile(true); });
  connect(buttons[3], &QToolButton::clicked, this, &TFormHlav::SpeedButtonPrintClick);
  SpeedButtonZpet = buttons[4];
  SpeedButtonZnovu = buttons[5];
  connect(SpeedButtonZpet, &QToolButton::clicked, this, &TFormHlav::SpeedButtonZpetClick);
  connect(SpeedButtonZnovu, &QToolButton::clicked, this, &TFormHlav::SpeedButtonZnovuClick);

  struct Command {
    const char* name;
    const char* caption;
    int x;
    int width;
  };
  static constexpr std::array<Command, 3> kCommands{{{"Button1", "&Read", 190, 57},
                                                     {"BitBtn2", "Verify", 256, 65},
                                                     {"BitBtn1", "Program", 330, 81}}};
  std::array<QPushButton*, 3> commands{};
  for (std::size_t i = 0; i < kCommands.size(); ++i) {
    auto* button = new QPushButton(QString::fromLatin1(kCommands[i].caption), group);
    button->setObjectName(QString::fromLatin1(kCommands[i].name));
    button->setGeometry(kCommands[i].x, 12, kCommands[i].width, 25);
    button->setFocusPolicy(Qt::TabFocus);
    // Room for the longer German and Czech captions in the designed widths.
    button->setStyleSheet(QStringLiteral("QPushButton { padding: 0px 1px; }"));
    named_.insert(button->objectName(), button);
    commands[i] = button;
  }
  connect(commands[0], &QPushButton::clicked, this, &TFormHlav::MenuReadClick);
  connect(commands[1], &QPushButton::clicked, this, &TFormHlav::MenuVerifyClick);
  connect(commands[2], &QPushButton::clicked, this, &TFormHlav::MenuProgramClick);

  LabelSpojeni = addLabel(client, "LabelSpojeni", QString::fromUtf8(kNoConnection.data()), 440, 9, 23, true);
  LabelSpojeni->setAutoFillBackground(true);
  QPalette red = LabelSpojeni->palette();
  red.setColor(QPalette::Window, kRed);
  LabelSpojeni->setPalette(red);
}

void TFormHlav::buildCurveGroup(QWidget* client) {
  QGroupBox* group = AddGroup(client, "GroupBox6", 5, 48, 185, 441);
  addLabel(group, "Label26", QString::fromUtf8(kRpmColumnHead.data()), 28, 24);
  addLabel(group, "Label2", QStringLiteral("Advance [°]"), 98, 24);
  for (int i = 0; i < kBreakpointCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const QByteArray speedEdit = "EditRpmAdv" + QByteArray::number(i + 1);
    const QByteArray speedUpDown = "UpDownRpmAdv" + QByteArray::number(i + 1);
    const QByteArray advanceEdit = "Edit" + QByteArray::number(50 + i);
    const QByteArray advanceUpDown = "UpDown" + QByteArray::number(50 + i);
    SpeedUpDowns[k] = addUpDownPair(group, speedEdit.constData(), speedUpDown.constData(), 20, kRowTops[k], 40,
                                    i == 0 ? 199 : 300, 20100, 100, true);
    AdvanceUpDowns[k] =
        addUpDownPair(group, advanceEdit.constData(), advanceUpDown.constData(), 99, kRowTops[k], 30, 0, 60, 1, false);
    SpeedEdits[k] = static_cast<ParameterEdit*>(SpeedUpDowns[k]->buddy());
    AdvanceEdits[k] = static_cast<ParameterEdit*>(AdvanceUpDowns[k]->buddy());
  }
  BitBtnAdvMinus = new QPushButton(QString::fromUtf8(kAdvanceMinusFace.data()), group);
  BitBtnAdvMinus->setObjectName(QStringLiteral("BitBtnAdvMinus"));
  BitBtnAdvMinus->setGeometry(21, 407, 20, 20);
  BitBtnAdvPlus = new QPushButton(QString::fromUtf8(kAdvancePlusFace.data()), group);
  BitBtnAdvPlus->setObjectName(QStringLiteral("BitBtnAdvPlus"));
  BitBtnAdvPlus->setGeometry(69, 407, 20, 20);
  for (QPushButton* button : {BitBtnAdvMinus, BitBtnAdvPlus}) {
    button->setFont(PixelFont(13, true));
    named_.insert(button->objectName(), button);
  }
  connect(BitBtnAdvMinus, &QPushButton::clicked, this, &TFormHlav::BitBtnAdvMinusClick);
  connect(BitBtnAdvPlus, &QPushButton::clicked, this, &TFormHlav::BitBtnAdvPlusClick);
  CheckBoxIgnAll = addCheckBox(group, "CheckBoxIgnAll", QStringLiteral("All"), 112, 409, 66);
}

void TFormHlav::buildPickupGroup(QWidget* client) {
  QGroupBox* group = AddGroup(client, "GroupBox1", 195, 48, 209, 377);
  Image3 = new QLabel(group);
  Image3->setObjectName(QStringLiteral("Image3"));
  Image3->setGeometry(4, 9, 200, 267);
  Image3->setPixmap(TriggerWheelPicture(200, 267, Qt::transparent));
  named_.insert(Image3->objectName(), Image3);
  UpDownPalec13 = addUpDownPair(group, "EditPalec13", "UpDownPalec13", 16, 285, 33, 2, 9, 1, false);
  LabelPalec13 = addLabel(group, "LabelPalec13", QString::fromUtf8(kTop14Label.data()), 67, 287);
  UpDownPalec24 = addUpDownPair(group, "EditPalec24", "UpDownPalec24", 16, 317, 33, 2, 9, 1, false);
  LabelPalec24 = addLabel(group, "LabelPalec24", QString::fromUtf8(kTop23Label.data()), 67, 319);
  EditPalec13 = static_cast<ParameterEdit*>(UpDownPalec13->buddy());
  EditPalec24 = static_cast<ParameterEdit*>(UpDownPalec24->buddy());
  CheckBoxInvInput = addCheckBox(group, "CheckBoxInvInput", QStringLiteral("Inverse polarity of pick-up"), 15, 348, 190);
  connect(CheckBoxInvInput, &MouseCheckBox::mouseReleased, this, &TFormHlav::CheckBoxProgHnedMouseUp);
}

void TFormHlav::buildSettingsGroup(QWidget* client) {
  QGroupBox* group = AddGroup(client, "GroupBox2", 409, 48, 221, 168);
  ComboBoxBike = new QComboBox(group);
  ComboBoxBike->setObjectName(QStringLiteral("ComboBoxBike"));
  ComboBoxBike->setGeometry(13, 20, 194, kEditHeight);
  ComboBoxBike->setMaxVisibleItems(40);
  for (int i = 0; i < kBikeListSize; ++i) {
    const std::string_view text = BikeListText(i);
    ComboBoxBike->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
  named_.insert(ComboBoxBike->objectName(), ComboBoxBike);
  connect(ComboBoxBike, &QComboBox::activated, this, &TFormHlav::ComboBoxBikeChange);
  UpDownBaseAdv = addUpDownPair(group, "EditBaseAdv", "UpDownBaseAdv", 16, 53, 45, 0, 40, 1, false);
  addLabel(group, "LabelBaseAdv", QStringLiteral("Base advance [°]"), 83, 55);
  UpDownOmez2 = addUpDownPair(group, "EditOmez2", "UpDownOmez2", 16, 87, 45, 999, 25000, 100, true);
  addLabel(group, "LabelOmez2", QStringLiteral("Limiter [rpm]"), 83, 88);
  CheckBoxBuzDlouhe = addCheckBox(group, "CheckBoxBuzDlouhe", QStringLiteral("Excitation Long"), 16, 120, 195);
  CheckBoxBlokEnable = addCheckBox(group, "CheckBoxBlokEnable", QStringLiteral("Blocking enable"), 16, 146, 195);
  connect(CheckBoxBuzDlouhe, &MouseCheckBox::mouseReleased, this, &TFormHlav::CheckBoxProgHnedMouseUp);
  connect(CheckBoxBlokEnable, &MouseCheckBox::mouseReleased, this, &TFormHlav::CheckBoxProgHnedMouseUp);
}

void TFormHlav::buildTachometerGroup(QWidget* client) {
  QGroupBox* group = AddGroup(client, "GroupBox3", 409, 216, 221, 71);
  CheckBoxRpm2Krat = addCheckBox(group, "CheckBoxRpm2Krat", QStringLiteral("Tachometer 2x"), 16, 15, 195);
  connect(CheckBoxRpm2Krat, &MouseCheckBox::mouseReleased, this, &TFormHlav::CheckBoxProgHnedMouseUp);
  UpDownRpmKorekce = addUpDownPair(group, "EditRpmKorekce", "UpDownRpmKorekce", 16, 38, 41, -60, 60, 1, false);
  addLabel(group, "LabelRpmKorekce", QStringLiteral("Correction [%]"), 75, 41);
}

void TFormHlav::buildLiveColumn(QWidget* client) {
  CheckBoxProgHned = addCheckBox(client, "CheckBoxProgHned", QStringLiteral("Programming after change"), 425, 297, 230);
  connect(CheckBoxProgHned, &MouseCheckBox::mouseReleased, this, &TFormHlav::CheckBoxProgHnedMouseUp);
  connect(CheckBoxProgHned, &QCheckBox::toggled, this, &TFormHlav::CheckBoxProgHnedClick);
  CheckBoxProgHned->setAutoFillBackground(true);
  LabelRpm = addLabel(client, "LabelRpm", QStringLiteral("RPM = ---"), 425, 318, 19, true);
  CGaugeRpm = AddGauge(client, "CGaugeRpm", QRect(425, 342, 212, 17), kFuchsia, false);
  CGaugeRpm->setRange(0, 100);
  CGaugeRpm->setValue(0);
  named_.insert(CGaugeRpm->objectName(), CGaugeRpm);
  LabelAdvance = addLabel(client, "LabelAdvance", QStringLiteral("ADVANCE = --- [°]"), 425, 367, 19, true);
  LabelNapeti = addLabel(client, "LabelNapeti", QStringLiteral("U = --- [V]"), 425, 392, 19, true);
  LabelBlocking = addLabel(client, "LabelBlocking", QStringLiteral("Blocking = ---"), 425, 417, 16);
  LabelNeutral = addLabel(client, "LabelNeutral", QStringLiteral("Neutral sw. = ---"), 425, 441, 16);
  LabelSideStand = addLabel(client, "LabelSideStand", QStringLiteral("Side stand sw. = ---"), 425, 466, 16);
  LabelMonSnimac1 = addLabel(client, "LabelMonSnimac1", QStringLiteral("Pick-up (CPS) 1 = ---"), 425, 491, 16);
  LabelMonSnimac2 = addLabel(client, "LabelMonSnimac2", QStringLiteral("Pick-up (CPS) 2 = ---"), 425, 516, 16);
  LabelCom = addLabel(client, "LabelCom", QStringLiteral("COM= "), 427, 544, 16);
}

void TFormHlav::buildDeviceColumn(QWidget* client) {
  LabelVerze[0] = addLabel(client, "LabelVerze1", QString(), 206, 432);
  LabelVerze[1] = addLabel(client, "LabelVerze2", QString(), 206, 447, 13);
  LabelVerze[2] = addLabel(client, "LabelVerze3", QString(), 206, 462);
  LabelPocetProgramovani =
      addLabel(client, "LabelPocetProgramovani", QStringLiteral("Number of Programing= ---"), 207, 478);
  CGaugeProgram = AddGauge(client, "CGaugeProgram", QRect(205, 497, 205, 17), kAqua, true);
  named_.insert(CGaugeProgram->objectName(), CGaugeProgram);
  LabelHlaseni = addLabel(client, "LabelHlaseni", QString(), 206, 520, 13, true);
  LabelHlaseni->hide();
  LabelEeDataErr = addLabel(client, "LabelEeDataErr", QString::fromUtf8(kDataErrorLabel.data()), 208, 561, 19, true);
  LabelVersion = addLabel(client, "LabelVersion", QStringLiteral("Unmatched version of PC and Ignition programs!"), 208,
                          596, 19, true);
  for (QLabel* label : {LabelEeDataErr, LabelVersion}) {
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, kRed);
    label->setPalette(p);
    label->hide();
  }
}

QAction* TFormHlav::addMenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  menu->addAction(action);
  named_.insert(action->objectName(), action);
  return action;
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
  connect(addMenuItem(file, "MenuNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N)),
          &QAction::triggered, this, &TFormHlav::MenuNewClick);
  file->addSeparator();
  connect(addMenuItem(file, "MenuOpen", QStringLiteral("&Open"), QKeySequence(Qt::Key_F3)), &QAction::triggered, this,
          &TFormHlav::MenuOpenClick);
  connect(addMenuItem(file, "MenuOpenExeDir", QStringLiteral("Open from exe dir"), QKeySequence(Qt::CTRL | Qt::Key_F3)),
          &QAction::triggered, this, &TFormHlav::MenuOpenExeDirClick);
  file->addSeparator();
  connect(addMenuItem(file, "MenuSave", QStringLiteral("&Save"), QKeySequence(Qt::Key_F2)), &QAction::triggered, this,
          &TFormHlav::MenuSaveClick);
  connect(addMenuItem(file, "MenuSaveExeDir", QStringLiteral("Save to exe dir"), QKeySequence(Qt::CTRL | Qt::Key_F2)),
          &QAction::triggered, this, &TFormHlav::MenuSaveExeDirClick);
  file->addSeparator();
  connect(addMenuItem(file, "MenuPrint", QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P)),
          &QAction::triggered, this, &TFormHlav::SpeedButtonPrintClick);
  file->addSeparator();
  connect(addMenuItem(file, "MenuExit", QStringLiteral("E&xit"), QKeySequence()), &QAction::triggered, this,
          &TFormHlav::MenuExitClick);

  MenuCom = addMenu("MenuCom", QStringLiteral("&Com"));

  QMenu* device = addMenu("MenuDevice", QStringLiteral("&Device"));
  connect(addMenuItem(device, "MenuRead", QStringLiteral("&Read"), QKeySequence(Qt::Key_F7)), &QAction::triggered, this,
          &TFormHlav::MenuReadClick);
  connect(addMenuItem(device, "MenuVerify", QStringLiteral("&Verify"), QKeySequence(Qt::Key_F8)), &QAction::triggered,
          this, &TFormHlav::MenuVerifyClick);
  connect(addMenuItem(device, "MenuProgram", QStringLiteral("&Program"), QKeySequence(Qt::Key_F9)),
          &QAction::triggered, this, &TFormHlav::MenuProgramClick);

  QMenu* tools = addMenu("MenuTools", QStringLiteral("&Tools"));
  connect(addMenuItem(tools, "AdvanceMinus", QStringLiteral("Advance -"), QKeySequence(Qt::Key_F4)),
          &QAction::triggered, this, &TFormHlav::BitBtnAdvMinusClick);
  connect(addMenuItem(tools, "AdvancePlus", QStringLiteral("Advance +"), QKeySequence(Qt::Key_F5)), &QAction::triggered,
          this, &TFormHlav::BitBtnAdvPlusClick);
  MenuZpet = addMenuItem(tools, "MenuZpet", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  MenuZnovu = addMenuItem(tools, "MenuZnovu", QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
  connect(MenuZpet, &QAction::triggered, this, &TFormHlav::SpeedButtonZpetClick);
  connect(MenuZnovu, &QAction::triggered, this, &TFormHlav::SpeedButtonZnovuClick);

  QMenu* language = addMenu("MenuLanguage", QStringLiteral("&Language"));
  MenuEnglish = addMenuItem(language, "MenuEnglish", QStringLiteral("&English"), QKeySequence());
  MenuCzech = addMenuItem(language, "MenuCzech", QStringLiteral("&Czech"), QKeySequence());
  MenuGerman = addMenuItem(language, "MenuGerman", QStringLiteral("&German"), QKeySequence());
  for (QAction* item : {MenuEnglish, MenuCzech, MenuGerman}) item->setCheckable(true);
  MenuEnglish->setChecked(true);
  connect(MenuEnglish, &QAction::triggered, this, &TFormHlav::MenuEnglishClick);
  connect(MenuCzech, &QAction::triggered, this, &TFormHlav::MenuCzechClick);
  connect(MenuGerman, &QAction::triggered, this, &TFormHlav::MenuGermanClick);

  QMenu* help = addMenu("MenuHelp", QStringLiteral("&Help"));
  connect(addMenuItem(help, "MenuContens", QStringLiteral("&Contens"), QKeySequence(Qt::Key_F1)), &QAction::triggered,
          this, &TFormHlav::MenuContensClick);
  connect(addMenuItem(help, "MenuAbout", QStringLiteral("&About..."), QKeySequence()), &QAction::triggered, this,
          &TFormHlav::MenuAboutClick);

  // The designed hints; the language operations replace most of them.
  for (const ControlText& hint : LanguageHints(kEnglish)) applyHint(hint.control, hint.text);
  applyHint("AdvanceMinus", kAdvanceMinusHint);
  applyHint("AdvancePlus", kAdvancePlusHint);
  applyHint("ComboBoxBike", kBikeListHint);
  applyHint("MenuCom", kComMenuHint);
}

}  // namespace zelmo
