// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The curve graph control "GrafAdv": shows the bitmap of the last drawing,
// forwards the mouse to the graph's editing and draws only from the tick.
//
// It edits a CurveDocument (the editor session). The window that embeds it
// places it (202 x 122), adds requests with request(GraphRescale) after
// every change of the image, calls tick(liveRpm) once per 55 ms timer tick
// and gives the focus to the field a point asks for. The hint of the point
// under the pointer is the widget's status tip: it is sent to the status bar
// whenever it changes while the pointer is over the graph or drags a point.
#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/curve/curve_graph.h"
#include "core/curve/operating_trail.h"
#include "curve/curve_painter.h"

class QPainter;

namespace zelmo {

class CurveWidget : public QWidget, private CurveSurface {
  Q_OBJECT

 public:
  static constexpr int kWidth = 202;
  static constexpr int kHeight = 122;

  // document must outlive the widget.
  explicit CurveWidget(CurveDocument& document, QWidget* parent = nullptr);

  void request(int bits) { graph_.request(bits); }
  // Reads the Shift keys where they matter and draws when something asked for
  // it; true when it drew.
  bool tick(int liveRpm);

  // Drawn over the graph: the engine's recent operating points, and the curve
  // of a file being compared as a thin grey line. With neither, the widget
  // shows the graph's bitmap and nothing else.
  void setTrail(std::vector<TrailDot> dots);
  void setComparedCurve(std::optional<ParameterImage> image);

  const CurveGraph& graph() const { return graph_; }
  const QImage& bitmap() const { return bitmap_; }
  QString hint() const { return hint_; }

 signals:
  // The pointer came to a point whose field should take the keyboard focus.
  void focusRequested(int pointCode);

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  int graphWidth() const override { return QWidget::width(); }
  int graphHeight() const override { return QWidget::height(); }
  ScreenPoint screenOrigin() const override;
  void movePointer(int screenX, int screenY) override;
  bool reportsProgramMoves() const override;
  void focusField(int pointCode) override { emit focusRequested(pointCode); }

  void forwardMouse(MouseKind kind, const QMouseEvent* event);
  void drawNow();
  void paintOverlay(QPainter& painter) const;
  void setHint(const QString& hint);
  void showHintInStatusBar();

  CurveDocument& document_;
  CurveGraph graph_;
  CurveDrawing drawing_;
  CurveLabels labels_;
  QImage bitmap_;
  QString hint_;
  std::vector<TrailDot> trail_;
  std::optional<ParameterImage> compared_;
};

}  // namespace zelmo
