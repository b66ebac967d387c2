// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window's painting leaves behind, for tests: the worker threads of
// Qt's raster engine, and the pictures drawn on a device that is not a screen.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QSize>

namespace zelmo::test {

// Qt's raster engine hands large pictures to worker threads of this name,
// which stay for half a minute.
inline int PaintingThreads() {
  int found = 0;
  for (const QFileInfo& task :
       QDir(QStringLiteral("/proc/self/task")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile name(task.filePath() + QStringLiteral("/comm"));
    if (name.open(QIODevice::ReadOnly) && name.readAll().startsWith("Thread (pooled)")) ++found;
  }
  return found;
}

// A paint device that only counts the pictures drawn on it, standing for a
// printer or a PDF file, which are not painted by the raster engine.
class PictureCounter : public QPaintDevice {
 public:
  explicit PictureCounter(QSize size) : size_(size) {}
  int pictures() const { return engine_.pictures; }
  QPaintEngine* paintEngine() const override { return &engine_; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
      default:
        return QPaintDevice::metric(metric);
    }
  }

 private:
  struct Engine : QPaintEngine {
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++pictures; }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return User; }
    int pictures = 0;
  };
  QSize size_;
  mutable Engine engine_;
};

}  // namespace zelmo::test
