// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform's own style, kept from loading Qt's image-format plugins while
// the window starts.
//
// Reading any image file by name makes Qt load every image-format plugin it
// finds, with their codec libraries, to ask whether one of them wants the
// file. Here that is SVG, JPEG, GIF and ICO, some 0.8 MB and several
// milliseconds at every start; on a desktop with more plugins installed it is
// far more. Two things in Qt's styles read such a file as the window is built:
// - the menu bar asks for the chevron of its overflow button, which a window
//   of normal width never shows: standard icons are fetched when first drawn;
// - Fusion, the style of desktops without a Qt theme, draws every group box
//   frame from a small PNG: that picture is built here from its rows, without
//   any PNG decoding, and drawn as Fusion draws it, in bands, so that Qt does
//   not start worker threads to scale it.
// Everything else is left to the style underneath.
#include <QPixmap>
#include <QProxyStyle>

namespace zelmo {

class StyleWithoutImagePlugins : public QProxyStyle {
 public:
  // The style Qt would choose for this desktop, as QProxyStyle does.
  StyleWithoutImagePlugins() = default;
  // Over the given style (the proxy owns it), so tests can name one.
  explicit StyleWithoutImagePlugins(QStyle* base) : QProxyStyle(base) {}

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

 private:
  mutable QPixmap groupBoxFrame_;
};

}  // namespace zelmo
