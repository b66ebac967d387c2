// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the window: a name for every control the
// keyboard can reach, in the language the window speaks, and a graph that
// tells its points.
#include <QAccessible>
#include <QLabel>
#include <QTest>

#include "app/test_support.h"

namespace zelmo {
namespace {

using test::Bench;
using test::Child;
using test::ConfigFolder;

// The focusable, visible controls under `node` that have no name.
void CollectUnnamed(QAccessibleInterface* node, QStringList& unnamed, int depth = 0) {
  if (depth > 20) return;
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (child == nullptr) continue;
    const QAccessible::State state = child->state();
    if (state.focusable && !state.invisible && child->text(QAccessible::Name).trimmed().isEmpty()) {
      const QObject* object = child->object();
      unnamed.append(object ? object->objectName() + QLatin1Char(':') + QLatin1String(object->metaObject()->className())
                            : QStringLiteral("role %1").arg(child->role()));
    }
    CollectUnnamed(child, unnamed, depth + 1);
  }
}

QString NameOf(QWidget* window, const char* control) {
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(Child<QWidget>(window, control));
  return node ? node->text(QAccessible::Name) : QString();
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  void noFocusableControlIsWithoutAName() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (void (TFormHlav::*language)() :
         {&TFormHlav::MenuEnglishClick, &TFormHlav::MenuGermanClick, &TFormHlav::MenuCzechClick}) {
      (window.*language)();
      QStringList unnamed;
      CollectUnnamed(QAccessible::queryAccessibleInterface(&window), unnamed);
      QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    }
  }

  // The breakpoint fields are named from the column heads, the other fields
  // by the labels beside them, the tool buttons by what they do: all in the
  // current language.
  void namesFollowTheLanguage() {
    Bench bench;
    TFormHlav& window = *bench.window;
    QCOMPARE(NameOf(&window, "EditRpmAdv3"), QStringLiteral("RPM 3"));
    QCOMPARE(NameOf(&window, "Edit52"), QStringLiteral("Advance 3 [°]"));
    QCOMPARE(NameOf(&window, "EditOmez2"), QStringLiteral("Limiter [rpm]"));
    QCOMPARE(NameOf(&window, "SpeedButtonOpen"), QStringLiteral("Open file with parametrs"));
    window.MenuGermanClick();
    QCOMPARE(NameOf(&window, "Edit52"), QStringLiteral("Vorzündung 3 [°]"));
    QCOMPARE(NameOf(&window, "EditBaseAdv"), Child<QLabel>(&window, "LabelBaseAdv")->text());
    QCOMPARE(NameOf(&window, "EditPalec13"), QStringLiteral("TOP 1,4"));
    QCOMPARE(NameOf(&window, "SpeedButtonZpet"), QStringLiteral("Zurück"));
    // On this platform a screen reader reads a combo box's choice as its name
    // (Qt's own rule); elsewhere it reads the accessible name.
    QCOMPARE(Child<QWidget>(&window, "ComboBoxBike")->accessibleName(), QStringLiteral("Motorrad"));
    QCOMPARE(Child<QLabel>(&window, "LabelRpmKorekce")->buddy(), Child<QWidget>(&window, "EditRpmKorekce"));
  }

  // The graph says what it is and lists the curve's points as they are now.
  void theGraphDescribesTheCurve() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.MenuCzechClick();
    QAccessibleInterface* graph = QAccessible::queryAccessibleInterface(Child<QWidget>(&window, "GrafAdv"));
    QVERIFY(graph != nullptr);
    QCOMPARE(graph->text(QAccessible::Name), QStringLiteral("Křivka předstihu"));
    const int advance = window.session().image().advance(2);
    QVERIFY2(graph->text(QAccessible::Description).contains(QStringLiteral("Předstih 3 [°]: %1.").arg(advance)),
             qPrintable(graph->text(QAccessible::Description)));
    QTest::mouseClick(Child<QWidget>(&window, "UpDown52"), Qt::LeftButton, {}, QPoint(5, 3));
    QCOMPARE(window.session().image().advance(2), advance + 1);
    QVERIFY(graph->text(QAccessible::Description).contains(QStringLiteral("Předstih 3 [°]: %1.").arg(advance + 1)));
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::AccessibilityTest)
#include "accessibility_test.moc"
