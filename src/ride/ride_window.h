// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ride viewer: a window of its own showing one recording over time,
// beside a scatter of where the engine ran over the editor's curve.
//
// Mouse: the wheel zooms the time axis around the pointer, dragging pans, a
// double click shows the whole ride; a cursor line follows the pointer and a
// read-out lists every value at that moment.
#include <QWidget>
#include <memory>

#include "core/model/parameter_image.h"
#include "core/ride/ride_log.h"
#include "ride/ride_painter.h"

class QLabel;
class QPushButton;

namespace zelmo {

class RidePlotWidget : public QWidget {
  Q_OBJECT

 public:
  RidePlotWidget(const RideData& ride, std::uint8_t language, QWidget* parent = nullptr);

  const TimeView& view() const { return view_; }
  void setView(const TimeView& view);
  void setLanguage(std::uint8_t language);
  RideScene scene() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  RideTimeAxis axis() const;

  const RideData& data_;
  std::uint8_t language_;
  TimeView view_;
  std::optional<std::int64_t> cursorMs_;
  std::optional<double> dragX_;
};

class RideVisitsWidget : public QWidget {
 public:
  RideVisitsWidget(const RideData& ride, const ParameterImage& editor, std::uint8_t language,
                   QWidget* parent = nullptr);
  void setEditor(const ParameterImage& editor);
  void setLanguage(std::uint8_t language);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const RideData& data_;
  ParameterImage editor_;
  std::uint8_t language_;
};

class RideWindow : public QWidget {
  Q_OBJECT

 public:
  // Opens the window on a recording that was read; fileName for the caption.
  RideWindow(RideLog log, const QString& fileName, const ParameterImage& editor, std::uint8_t language,
             QWidget* parent = nullptr);
  ~RideWindow() override;

  // The editor's curve changed: the scatter follows it.
  void setEditor(const ParameterImage& editor);
  void setLanguage(std::uint8_t language);

  RidePlotWidget* plot() const { return plot_; }
  // Writes the current view; false with the reason shown to the user.
  bool exportTo(const QString& file);

 private:
  void retranslate();
  void askAndExport(const QString& suffix);

  std::unique_ptr<RideData> data_;
  QString fileName_;
  ParameterImage editor_;
  std::uint8_t language_;
  RidePlotWidget* plot_ = nullptr;
  RideVisitsWidget* visits_ = nullptr;
  QPushButton* exportPng_ = nullptr;
  QPushButton* exportPdf_ = nullptr;
  QLabel* help_ = nullptr;
};

// Reads a recording for the viewer; the caller shows the error or the notes.
RideLogRead ReadRecording(const QString& file);

}  // namespace zelmo
