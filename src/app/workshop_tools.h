// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's workshop tools beyond the unit's own: recorded rides opened
// in viewer windows, the editor compared with a parameter file, and the
// engine's operating point on the curve graph. Bound to the editor session;
// the window forwards the session's news and its menu commands here.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "core/curve/operating_trail.h"
#include "core/device/monitor.h"
#include "core/session/editor_session.h"

class QWidget;

namespace zelmo {

class CurveWidget;
class RideWindow;

class WorkshopTools : public QObject {
  Q_OBJECT

 public:
  // window is the parent of dialogs and viewers; session and curve outlive this.
  WorkshopTools(QWidget* window, EditorSession& session, CurveWidget& curve);

  // File > Open recording...: asks for a CSV, starting in startFolder.
  void askRecording(const QString& startFolder);
  // Opens a recording in a viewer window of its own; tells the user when it
  // cannot, and which lines it skipped. False when nothing opened.
  bool openRecording(const QString& file);
  // File > Compare with file...: the difference table between the editor and a
  // chosen file, that file's curve grey on the graph while the table is open.
  void askCompare(const QString& startFolder);
  void compareWith(const QString& file);

  bool showsOperatingPoint() const { return showOperatingPoint_; }
  void setShowOperatingPoint(bool on);

  // News from the session.
  void monitorFrame(const MonitorData& frame);
  void connectionLost();
  void imageChanged();
  void languageChanged();

  const std::vector<QPointer<RideWindow>>& rideWindows() const { return rides_; }

 private:
  std::uint8_t language() const { return session_.choices().languageId; }
  void refreshTrail();

  QWidget* window_;
  EditorSession& session_;
  CurveWidget& curve_;
  bool showOperatingPoint_ = false;
  OperatingTrail trail_;
  QElapsedTimer clock_;
  // Old dots fade even while no frame comes.
  QTimer fade_;
  std::vector<QPointer<RideWindow>> rides_;
};

}  // namespace zelmo
