// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widget_factory.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>

#include "app/colours.h"
#include "app/gauge.h"
#include "app/mouse_check_box.h"
#include "app/up_down.h"

namespace zelmo {
namespace {

constexpr int kUpDownWidth = 16;

}  // namespace

void SetMenuText(QAction* action, const QString& caption) {
  const QList<QKeySequence> keys = action->shortcuts();
  if (keys.size() < 2) {
    action->setText(caption);
    return;
  }
  QStringList names;
  for (const QKeySequence& key : keys) names.append(key.toString(QKeySequence::NativeText));
  action->setText(caption + QLatin1Char('\t') + names.join(QStringLiteral(", ")));
}

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

Gauge* AddGauge(ControlRegistry& registry, QWidget* parent, const char* name, const QRect& geometry, const QColor& bar,
                bool text) {
  auto* gauge = new Gauge(bar, parent);
  gauge->setObjectName(QString::fromLatin1(name));
  gauge->setGeometry(geometry);
  gauge->setTextVisible(text);
  registry.insert(gauge->objectName(), gauge);
  return gauge;
}

QLabel* AddLabel(ControlRegistry& registry, QWidget* parent, const char* name, const QString& text, int x, int y,
                 int pixelSize, bool bold) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(PixelFont(pixelSize, bold));
  label->move(x, y);
  label->adjustSize();
  registry.insert(label->objectName(), label);
  return label;
}

QLabel* AddBanner(ControlRegistry& registry, QWidget* parent, const char* name, const QString& text, int x, int y) {
  QLabel* label = AddLabel(registry, parent, name, text, x, y, 19, true);
  SetFill(label, kRed);
  label->hide();
  return label;
}

MouseCheckBox* AddCheckBox(ControlRegistry& registry, QWidget* parent, const char* name, const QString& text, int x,
                           int y, int width) {
  auto* box = new MouseCheckBox(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(x, y, width, 17);
  registry.insert(box->objectName(), box);
  return box;
}

UpDown* AddUpDownPair(ControlRegistry& registry, QWidget* parent, const char* editName, const char* upDownName, int x,
                      int y, int editWidth, int minimum, int maximum, int step, bool thousands) {
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
  registry.insert(edit->objectName(), edit);
  registry.insert(upDown->objectName(), upDown);
  return upDown;
}

QString AskFileToWrite(QWidget* parent, const char* objectName, const QString& filter, const QString& suffix,
                       const QString& folder) {
  QFileDialog dialog(parent);
  // A folder that cannot be made leaves the dialog where Qt would start it.
  if (!folder.isEmpty() && QDir().mkpath(folder)) dialog.setDirectory(folder);
  dialog.setObjectName(QString::fromLatin1(objectName));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({filter});
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

int TextRight(const QWidget& control) {
  return kDefaultWindowWidth - 6 - control.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

}  // namespace zelmo
