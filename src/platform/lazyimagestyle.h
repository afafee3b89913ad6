// The application's style, unchanged in look, that reads no image before one
// is drawn. Qt asks every image plugin whether it can read the first image a
// program loads, which loads the plugins and their libraries; a menu bar's
// hidden extension icon or a group box frame would pay that at start-up.
#pragma once

#include <QProxyStyle>

class LazyImageStyle : public QProxyStyle {
 public:
  // Over base, or over the style Qt would choose when base is null.
  explicit LazyImageStyle(QStyle* base = nullptr);

  // Icons that read their images when first painted or measured.
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;

  // Fusion's group box frame, from its image read as PNG without the plugins.
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
