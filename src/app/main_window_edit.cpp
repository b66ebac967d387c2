// SPDX-License-Identifier: GPL-3.0-or-later
// Editing through the window: the fields' values handed to the session, the
// image shown again, New, undo and redo, and the enabling rules.
#include <QAction>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolButton>

#include "app/client_area.h"
#include "app/colours.h"
#include "app/device_panel.h"
#include "app/live_recorder.h"
#include "app/main_window.h"
#include "app/parameter_fields.h"
#include "app/workshop_tools.h"
#include "curve/curve_widget.h"

namespace zelmo {

ParameterImage TFormHlav::fieldValues() const {
  ParameterImage fields = session_->image();
  fields_->writeInto(fields);
  return fields;
}

void TFormHlav::imageChanged(bool rescaleGraph) {
  fields_->show(session_->image());
  UpdateControlStates();
  describeCurve();
  if (rescaleGraph) GrafAdv->request(GraphRescale);
  workshop_->imageChanged();
}

void TFormHlav::updateUndoButtons() {
  SpeedButtonZpet->setEnabled(session_->canUndo());
  MenuZpet->setEnabled(session_->canUndo());
  SpeedButtonZnovu->setEnabled(session_->canRedo());
  MenuZnovu->setEnabled(session_->canRedo());
}

void TFormHlav::SpeedButtonZpetClick() { session_->undo(); }

void TFormHlav::SpeedButtonZnovuClick() { session_->redo(); }

void TFormHlav::MenuNewClick() {
  const QMessageBox::StandardButton answer =
      QMessageBox::question(this, windowTitle(), QString::fromStdString(session_->messages().defaultQuestion),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer != QMessageBox::Yes) return;
  session_->newParameters();
  device_->hideOperation();
}

void TFormHlav::shiftAdvance(int delta) { session_->shiftAdvance(fieldValues(), delta, fields_->shiftAll()); }

void TFormHlav::UpdateControlStates() {
  // On screen the desktop's palette; on paper white with dark text, and the
  // graph on the light face it has on a default desktop.
  client_->setPalette(printingMode_ ? PrintPalette() : QPalette());
  GrafAdv->setPalette(printingMode_ ? PaperGraphPalette() : QPalette());
  fields_->updateStates(printingMode_);
  StatusBar1->setVisible(!printingMode_);
  device_->setTwinPickup(fields_->twinPickup());
  device_->setPrinting(printingMode_);
  updateIndicators();
}

void TFormHlav::updateIndicators() {
  const bool differences = session_->unitAfterFailure().has_value();
  device_->showIndicators(session_->notProgrammedText(), differences, recorder_->recording());
  MenuDifferences->setEnabled(differences);
  MenuRecord->setChecked(recorder_->recording());
}

}  // namespace zelmo
