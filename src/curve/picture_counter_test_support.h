// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A paint device that only counts the pictures drawn on it, standing for a
// printer or a PDF file, which are not painted by the raster engine.
#include <QPaintDevice>
#include <QPaintEngine>
#include <QSize>

namespace zelmo::test {

class PictureCounter : public QPaintDevice {
 public:
  explicit PictureCounter(QSize size) : size_(size) {}
  int pictures() const { return engine_.pictures; }
  QPaintEngine* paintEngine() const override { return &engine_; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth: return size_.width();
      case PdmHeight: return size_.height();
      case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
      default: return QPaintDevice::metric(metric);
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
