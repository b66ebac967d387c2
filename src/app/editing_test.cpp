// SPDX-License-Identifier: GPL-3.0-or-later
// Every way an edit reaches the image: up-downs, leaving a field, Enter, the
// check boxes, the bike list, New, the shift tools, undo and redo, and the
// rules that show and hide controls.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <vector>

#include "app/test_support.h"
#include "app/up_down.h"
#include "core/model/parameter_table.h"
#include "core/model/presets.h"

namespace zelmo {

using test::AnswerMessageBox;
using test::Bench;
using test::Child;
using test::ConfigFolder;

namespace {

void ShowActive(TFormHlav& window) {
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

void ChooseBike(TFormHlav& window, int index) {
  auto* list = Child<QComboBox>(&window, "ComboBoxBike");
  list->setCurrentIndex(index);
  emit list->activated(index);
}

void ClickUpDown(TFormHlav& window, const char* name, bool up) {
  auto* upDown = Child<UpDown>(&window, name);
  QTest::mouseClick(upDown, Qt::LeftButton, {}, QPoint(upDown->width() / 2, up ? 2 : upDown->height() - 2));
}

}  // namespace

class EditingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  void upDownClickRunsThePipelineWithOrdering() {
    Bench bench;
    TFormHlav& window = *bench.window;
    ClickUpDown(window, "UpDown50", true);
    QCOMPARE(window.session().image().advance(0), 6);
    QVERIFY(Child<QAction>(&window, "MenuZpet")->isEnabled());
    // One step: one undo brings the start back and there is nothing more.
    window.SpeedButtonZpetClick();
    QCOMPARE(window.session().image().advance(0), 5);
    QVERIFY(!Child<QAction>(&window, "MenuZpet")->isEnabled());
    window.SpeedButtonZnovuClick();
    QCOMPARE(window.session().image().advance(0), 6);
    // A down-click from 200 rpm goes to 199 and the ordering brings it back.
    Child<QLineEdit>(&window, "EditRpmAdv1")->setText(QStringLiteral("200"));
    ClickUpDown(window, "UpDownRpmAdv1", false);
    QCOMPARE(window.session().image().rpmPoint(0), 2);
    QCOMPARE(Child<QLineEdit>(&window, "EditRpmAdv1")->text(), QStringLiteral("200"));
    // Typed 15 050 into the limiter, then a click on another control: 150 and shown as 15 000.
    Child<QLineEdit>(&window, "EditOmez2")->setText(QLocale().toString(15050));
    ClickUpDown(window, "UpDownBaseAdv", true);
    QCOMPARE(window.session().image().limiter(), 150);
    QCOMPARE(Child<QLineEdit>(&window, "EditOmez2")->text(), QLocale().toString(15000));
  }

  void enterRunsThePipelineTwiceWithOneUndoStep() {
    Bench bench;
    TFormHlav& window = *bench.window;
    ShowActive(window);
    auto* field = Child<QLineEdit>(&window, "Edit52");
    const QString before = field->text();
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    field->setText(QStringLiteral("44"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(window.session().image().advance(2), 44);
    QVERIFY(!field->hasFocus());
    QCOMPARE(field->text(), QStringLiteral("44"));
    // One undo takes the whole edit back, and nothing is left to undo.
    window.SpeedButtonZpetClick();
    QCOMPARE(field->text(), before);
    QVERIFY(!window.session().canUndo());
  }

  void leavingAFieldOrdersTheBreakpoints() {
    Bench bench;
    TFormHlav& window = *bench.window;
    ShowActive(window);
    auto* field = Child<QLineEdit>(&window, "EditRpmAdv5");
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    field->setText(QStringLiteral("3 500"));  // below breakpoint 4 (4 000)
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(window.session().image().rpmPoint(3), 40);
    QCOMPARE(window.session().image().rpmPoint(4), 41);
    QCOMPARE(field->text(), QLocale().toString(4100));
  }

  void keyboardToggledCheckBoxIsNotRead() {
    Bench bench;
    TFormHlav& window = *bench.window;
    ShowActive(window);
    auto* box = Child<QCheckBox>(&window, "CheckBoxBlokEnable");
    QVERIFY(box->isChecked());
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(!box->isChecked());
    QCOMPARE(window.session().image().blockEnable(), 1);
    QVERIFY(!window.session().canUndo());
    // The next edit of any kind takes it in.
    ClickUpDown(window, "UpDown51", true);
    QCOMPARE(window.session().image().blockEnable(), 0);

    // With the mouse the box is read at once; the inverse-input box too.
    auto* inverse = Child<QCheckBox>(&window, "CheckBoxInvInput");
    QTest::mouseClick(inverse, Qt::LeftButton, {}, QPoint(6, inverse->height() / 2));
    QVERIFY(inverse->isChecked());
    QCOMPARE(window.session().image().inverseInput(), 1);
    // Two steps: the box, then the up-down that took the other box in.
    window.SpeedButtonZpetClick();
    QCOMPARE(window.session().image().inverseInput(), 0);
    QCOMPARE(window.session().image().blockEnable(), 0);
    window.SpeedButtonZpetClick();
    QCOMPARE(window.session().image().blockEnable(), 1);
    QVERIFY(!window.session().canUndo());
  }

  void tabOutWithProgrammingAfterChangeProgramsTheUnit() {
    Bench bench;
    TFormHlav& window = *bench.window;
    ShowActive(window);
    bench.runTicks(3);
    auto* program = Child<QCheckBox>(&window, "CheckBoxProgHned");
    QTest::mouseClick(program, Qt::LeftButton, {}, QPoint(6, program->height() / 2));
    QVERIFY(program->isChecked());
    // A check box fills its ground with the button role.
    QCOMPARE(program->palette().color(program->backgroundRole()), QColor(255, 0, 0));
    // Checking the box itself changes nothing and programs nothing.
    QCOMPARE(window.session().engine().transferState(), TransferState::Idle);

    auto* field = Child<QLineEdit>(&window, "EditBaseAdv");
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(window.session().engine().transferState(), TransferState::Program);
    // Change something in the editor only the unit does not have yet.
    window.session().image().advance(9) = 40;
    bench.runTicks(25);
    QTRY_COMPARE_WITH_TIMEOUT(window.session().engine().transferState(), TransferState::Idle, 3000);
    QCOMPARE(bench.unit.memory().block[field::kAdvance + 9], 40);
    QVERIFY(bench.unit.memory().programmingCount >= 1);
  }

  void specialAndTwinPickupBikesShowTheirControls() {
    Bench bench;
    TFormHlav& window = *bench.window;
    auto* top13 = Child<QLineEdit>(&window, "EditPalec13");
    auto* upDown13 = Child<QWidget>(&window, "UpDownPalec13");
    auto* excitation = Child<QCheckBox>(&window, "CheckBoxBuzDlouhe");
    auto* picture = Child<QWidget>(&window, "Image3");
    auto* pickup2 = Child<QLabel>(&window, "LabelMonSnimac2");
    auto* inverse = Child<QWidget>(&window, "CheckBoxInvInput");

    QVERIFY(!top13->isEnabled());
    QVERIFY(upDown13->isHidden());
    QVERIFY(!excitation->isEnabled());
    QVERIFY(pickup2->isHidden());

    ChooseBike(window, 9);  // special setting
    QCOMPARE(window.session().image().bikeCode(), 5);
    QVERIFY(top13->isEnabled());
    QVERIFY(!upDown13->isHidden());
    QVERIFY(excitation->isEnabled());

    ChooseBike(window, 8);  // QFR 750, twin pick-up: TOP positions stay
    const ParameterImage& image = window.session().image();
    QCOMPARE(image.top14(), 3);
    QCOMPARE(image.limiter(), 120);
    QVERIFY(top13->isHidden());
    QVERIFY(picture->isHidden());
    QVERIFY(inverse->isHidden());
    QVERIFY(!pickup2->isHidden());
    QVERIFY(excitation->isEnabled());

    ChooseBike(window, 6);  // SMQ 650
    QCOMPARE(image.inverseInput(), 1);
    QCOMPARE(image.top14(), 7);
    QVERIFY(!top13->isHidden());
    QVERIFY(!picture->isHidden());
    QVERIFY(pickup2->isHidden());
    QVERIFY(!excitation->isEnabled());
  }

  void printingHidesTheOperationalControls() {
    Bench bench;
    TFormHlav& window = *bench.window;
    const std::array<const char*, 9> hidden{"CheckBoxProgHned", "StatusBar1",     "UpDownBaseAdv",
                                            "UpDownOmez2",      "BitBtnAdvMinus", "BitBtnAdvPlus",
                                            "CheckBoxIgnAll",   "CGaugeRpm",      "LabelPocetProgramovani"};
    window.setPrintAppearance(true);
    for (const char* name : hidden) QVERIFY2(Child<QWidget>(&window, name)->isHidden(), name);
    QCOMPARE(Child<QWidget>(&window, "FormHlavClient")->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!Child<QWidget>(&window, "EditRpmAdv1")->isHidden());
    QVERIFY(!Child<QWidget>(&window, "UpDownRpmAdv1")->isHidden());
    window.setPrintAppearance(false);
    for (const char* name : hidden) QVERIFY2(!Child<QWidget>(&window, name)->isHidden(), name);
    QCOMPARE(Child<QWidget>(&window, "FormHlavClient")->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Window));
  }

  void bikeChoiceIsOneUndoStep() {
    Bench bench;
    TFormHlav& window = *bench.window;
    ClickUpDown(window, "UpDown55", true);
    QCOMPARE(window.session().image().advance(5), 34);
    ChooseBike(window, 4);  // LZQ 125: the default curve again
    QCOMPARE(window.session().image().advance(5), 33);
    QCOMPARE(window.session().image().limiter(), 120);
    Child<QToolButton>(&window, "SpeedButtonZpet")->click();
    QCOMPARE(window.session().image().advance(5), 34);
    QCOMPARE(window.session().image().limiter(), 137);
    QCOMPARE(Child<QComboBox>(&window, "ComboBoxBike")->currentIndex(), 0);
    QVERIFY(Child<QToolButton>(&window, "SpeedButtonZnovu")->isEnabled());
    Child<QAction>(&window, "MenuZnovu")->trigger();
    QCOMPARE(window.session().image().limiter(), 120);
    QVERIFY(!Child<QAction>(&window, "MenuZnovu")->isEnabled());
  }

  void newAsksFirst() {
    config_->write(QStringLiteral("Zelmo_TCI.ini"), "[FORM_HLAV]\r\nFile=/some/file.ign\r\n");
    Bench bench;
    TFormHlav& window = *bench.window;
    const ParameterImage start = window.session().image();
    ClickUpDown(window, "UpDown50", true);
    const ParameterImage changed = window.session().image();
    for (const auto answer : {QMessageBox::No, QMessageBox::Cancel}) {
      QString question;
      AnswerMessageBox(answer, &question);
      window.MenuNewClick();
      QCOMPARE(question, QStringLiteral("Do you want default setting?"));
      QCOMPARE(window.session().image(), changed);
      QCOMPARE(window.windowTitle(), QStringLiteral("  Zelmo_TCI       /some/file.ign"));
    }
    AnswerMessageBox(QMessageBox::Yes);
    window.MenuNewClick();
    QCOMPARE(window.session().image().advance(0), 5);
    QCOMPARE(window.windowTitle(), QStringLiteral("  Zelmo_TCI       "));
    // New is one step after the click; the declined questions recorded nothing.
    window.SpeedButtonZpetClick();
    QCOMPARE(window.session().image(), changed);
    window.SpeedButtonZpetClick();
    QCOMPARE(window.session().image(), start);
    QVERIFY(!window.session().canUndo());
  }

  void shiftToolsFollowTheAllBox() {
    Bench bench;
    TFormHlav& window = *bench.window;
    // No engine running: the single-point mode changes nothing.
    bench.runTicks(1);
    window.BitBtnAdvPlusClick();
    QCOMPARE(window.session().image().advance(0), 5);
    Child<QCheckBox>(&window, "CheckBoxIgnAll")->setChecked(true);
    Child<QLineEdit>(&window, "Edit59")->setText(QStringLiteral("60"));
    QTest::keyClick(Child<QLineEdit>(&window, "Edit59"), Qt::Key_Return);
    Child<QPushButton>(&window, "BitBtnAdvPlus")->click();
    QCOMPARE(window.session().image().advance(0), 6);
    QCOMPARE(window.session().image().advance(9), 60);
    Child<QAction>(&window, "AdvanceMinus")->trigger();
    QCOMPARE(window.session().image().advance(0), 5);
    QCOMPARE(window.session().image().advance(9), 59);
  }

  void hintsSplitIntoTooltipAndStatusText() {
    Bench bench;
    TFormHlav& window = *bench.window;
    auto* head = Child<QWidget>(&window, "Label26");
    QCOMPARE(head->toolTip(), QStringLiteral("Round per Minute"));
    QCOMPARE(head->statusTip(), QStringLiteral("Speed - Round per Minute"));
    auto* open = Child<QWidget>(&window, "SpeedButtonOpen");
    QCOMPARE(open->toolTip(), QStringLiteral("Open file with parametrs"));
    QCOMPARE(open->statusTip(), QStringLiteral("Open file with parametrs"));
    QStatusTipEvent tip(head->statusTip());
    QApplication::sendEvent(head, &tip);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Speed - Round per Minute"));
    QCOMPARE(window.statusBar()->height(), 19);
  }

  // The window's numeric fields and the parameter table agree on range, step
  // and separator, and every field's naming control is there.
  void numericFieldsFollowTheParameterTable() {
    Bench bench;
    TFormHlav& window = *bench.window;
    struct Numeric {
      Field field;
      int index;
      QByteArray upDown;
    };
    std::vector<Numeric> numerics{{Field::Top14, 0, "UpDownPalec13"},
                                  {Field::Top23, 0, "UpDownPalec24"},
                                  {Field::BaseAdvance, 0, "UpDownBaseAdv"},
                                  {Field::Limiter, 0, "UpDownOmez2"},
                                  {Field::SpeedCorrection, 0, "UpDownRpmKorekce"}};
    for (int i = 0; i < kBreakpointCount; ++i) {
      numerics.push_back({Field::RpmPoint, i, "UpDownRpmAdv" + QByteArray::number(i + 1)});
      numerics.push_back({Field::Advance, i, "UpDown" + QByteArray::number(50 + i)});
    }
    for (const Numeric& n : numerics) {
      const ParameterSpec& spec = SpecOf(n.field);
      auto* upDown = Child<UpDown>(&window, n.upDown.constData());
      QVERIFY2(upDown != nullptr, n.upDown.constData());
      QCOMPARE(upDown->format(15000) != QString::number(15000), spec.thousands);
      // One click down and one up move by the step (none of the new
      // parameters sits at a field's minimum).
      const int start = UserValue(window.session().image(), n.field, n.index);
      QCOMPARE(upDown->position(), start);
      ClickUpDown(window, n.upDown.constData(), false);
      QCOMPARE(upDown->position(), start - spec.step);
      QCOMPARE(UserValue(window.session().image(), n.field, n.index), start - spec.step);
      ClickUpDown(window, n.upDown.constData(), true);
      QCOMPARE(upDown->position(), start);
      // The field holds what it is given to its own range.
      upDown->setPosition(-1000000);
      QCOMPARE(upDown->position(), FieldMinimum(spec, n.index));
      upDown->setPosition(1000000);
      QCOMPARE(upDown->position(), spec.maximum);
      upDown->setPosition(start);
    }
    for (const ParameterSpec& spec : ParameterSpecs()) {
      QVERIFY2(window.findChild<QWidget*>(QString::fromLatin1(spec.labelKey.data(), spec.labelKey.size())) != nullptr,
               spec.labelKey.data());
    }
  }

  // Up, Down, Page Up, Page Down and the wheel in a field run what a click on
  // its up-down runs: from the typed value, within the field's range, one undo
  // step each, and a program after the change.
  void keysAndWheelStepAFieldAsItsUpDown() {
    Bench bench;
    TFormHlav& window = *bench.window;
    ShowActive(window);
    auto* field = Child<QLineEdit>(&window, "Edit51");
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    const int start = window.session().image().advance(1);
    QVERIFY(start < 49);

    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(window.session().image().advance(1), start + 1);
    QTest::keyClick(field, Qt::Key_PageUp);
    QCOMPARE(window.session().image().advance(1), start + 11);
    QTest::keyClick(field, Qt::Key_Down);
    QCOMPARE(window.session().image().advance(1), start + 10);
    QTest::keyClick(field, Qt::Key_PageDown);
    QCOMPARE(window.session().image().advance(1), start);
    QWheelEvent notch(QPointF(3, 3), field->mapToGlobal(QPointF(3, 3)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(field, &notch);
    QCOMPARE(window.session().image().advance(1), start + 1);
    QCOMPARE(field->text(), QString::number(start + 1));
    // Five steps, five undo steps.
    for (int i = 0; i < 5; ++i) {
      QVERIFY(window.session().canUndo());
      window.SpeedButtonZpetClick();
    }
    QVERIFY(!window.session().canUndo());
    QCOMPARE(window.session().image().advance(1), start);

    // From a typed value up to the field's top.
    field->setText(QStringLiteral("55"));
    QTest::keyClick(field, Qt::Key_PageUp);
    QCOMPARE(window.session().image().advance(1), SpecOf(Field::Advance).maximum);
    // A speed steps by its row's 100 rpm and stays in order.
    auto* speed = Child<QLineEdit>(&window, "EditRpmAdv3");
    speed->setFocus();
    QTRY_VERIFY(speed->hasFocus());
    const int speedBefore = window.session().image().rpmPoint(2);
    QTest::keyClick(speed, Qt::Key_Down);
    QCOMPARE(window.session().image().rpmPoint(2), speedBefore - 1);

    // With programming after a change the key programs the unit.
    Child<QCheckBox>(&window, "CheckBoxProgHned")->click();
    QVERIFY(window.session().programAfterChange());
    QTRY_VERIFY_WITH_TIMEOUT(!window.session().engine().display().noConnection, 5000);
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Down);
    QCOMPARE(window.session().image().advance(1), 59);
    QTRY_COMPARE_WITH_TIMEOUT(static_cast<int>(bench.unit.memory().block[::zelmo::field::kAdvance + 1]), 59, 5000);
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::EditingTest)
#include "editing_test.moc"
