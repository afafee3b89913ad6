#include "platform/colors.h"

#include <QApplication>

QColor ResolveColor(int32_t color, const QPalette& palette) {
  if (color < 0) return QColor();
  if (color < SystemColorBase) return QColor((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
  switch (color) {
    case clBtnFace:
      return palette.color(QPalette::Active, QPalette::Button);
    case clBtnShadow:
      return palette.color(QPalette::Active, QPalette::Dark);
    case clGrayText:
      return palette.color(QPalette::Disabled, QPalette::WindowText);
    case clWindowText:
      return palette.color(QPalette::Active, QPalette::WindowText);
    case clWindow:
      return palette.color(QPalette::Active, QPalette::Base);
    default:
      return QColor();
  }
}

int32_t ColorFromQColor(const QColor& color) { return RgbColor(color.red(), color.green(), color.blue()); }
