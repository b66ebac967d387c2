// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter fields of the window: the ten curve rows with the advance
// shift tools, the pick-up group, the settings and tachometer groups and
// "Programming after change". They show an image and write what they hold
// into one; what the user does with them they announce, and the window hands
// it to the editor session.
#include <QObject>
#include <array>
#include <vector>

#include "app/colours.h"
#include "app/widget_factory.h"
#include "core/device/monitor.h"
#include "core/model/parameter_image.h"
#include "core/model/parameter_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace zelmo {

class MouseCheckBox;
class ParameterEdit;
class UpDown;

class ParameterFields : public QObject {
  Q_OBJECT

 public:
  // Builds the controls on the window's client area, in tab order.
  ParameterFields(QWidget* client, ControlRegistry& registry);

  // What the fields hold, written over the image's fields (the rest of the
  // image stays). While the fields are being filled they hold nothing new.
  void writeInto(ParameterImage& image) const;
  void show(const ParameterImage& image);
  // The enabling rules of the bike and the controls that the print
  // appearance leaves out.
  void updateStates(bool printing);
  // The breakpoint nearest to the live speed, in lime; none below the curve.
  void markNearest(const NearestPoint& nearest);
  void focusField(int pointCode);

  // The bike with two pick-ups (no tooth fields, a second pick-up label).
  bool twinPickup() const;
  bool shiftAll() const;
  void setShiftAll(bool all);
  // "Programming after change".
  bool programAfterChange() const;
  // No edit comes from a field once the window closes.
  void close() { closed_ = true; }

 signals:
  // An up-down was clicked or a field was left.
  void stepped();
  // Enter in a field.
  void entered();
  // A check box was clicked.
  void committed();
  void bikeChosen(int listIndex);
  void advanceShift(int delta);
  void programAfterChangeToggled(bool on);

 private:
  void buildCurveRows(QWidget* client, ControlRegistry& registry);
  void buildPickup(QWidget* client, ControlRegistry& registry);
  void buildSettings(QWidget* client, ControlRegistry& registry);
  void buildTachometer(QWidget* client, ControlRegistry& registry);
  // A numeric field of the image (`index`: the breakpoint) with the range,
  // step and separator of its row in the parameter table.
  UpDown* addPair(ControlRegistry& registry, QWidget* parent, Field field, int index, const char* editName,
                  const char* upDownName, int x, int y, int editWidth);
  // A check box of a flag of the image.
  MouseCheckBox* addFlag(ControlRegistry& registry, QWidget* parent, Field field, const char* name, const QString& text,
                         int x, int y, int width);
  MouseCheckBox* addCommittingBox(ControlRegistry& registry, QWidget* parent, const char* name, const QString& text,
                                  int x, int y, int width);
  void fieldLeft();
  void colourProgramAfterChange();

  struct NumericField {
    Field field;
    int index;
    UpDown* upDown;
  };
  struct FlagField {
    Field field;
    MouseCheckBox* box;
  };
  std::vector<NumericField> numbers_;
  std::vector<FlagField> flags_;
  bool refreshing_ = false;
  bool closed_ = false;
  QWidget* client_;

  std::array<ParameterEdit*, kBreakpointCount> speedEdits_{};
  std::array<ParameterEdit*, kBreakpointCount> advanceEdits_{};
  UpDown* baseAdvance_ = nullptr;
  UpDown* limiter_ = nullptr;
  UpDown* top14_ = nullptr;
  UpDown* top23_ = nullptr;
  ParameterEdit* top14Edit_ = nullptr;
  ParameterEdit* top23Edit_ = nullptr;
  MouseCheckBox* longExcitation_ = nullptr;
  MouseCheckBox* inverseInput_ = nullptr;
  MouseCheckBox* programAfterChange_ = nullptr;
  QCheckBox* shiftAll_ = nullptr;
  QComboBox* bike_ = nullptr;
  QPushButton* advanceMinus_ = nullptr;
  QPushButton* advancePlus_ = nullptr;
  QWidget* wheel_ = nullptr;
  QLabel* top14Label_ = nullptr;
  QLabel* top23Label_ = nullptr;
};

}  // namespace zelmo
