#include "platform/colors.h"

#include <QApplication>
#include <cmath>

QColor ResolveColor(int32_t color, const QPalette& palette) {
  if (color < 0) return QColor();
  if (color < kSystemColorBase) return QColor((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
  switch (color) {
    case kColorButtonFace:
      return palette.color(QPalette::Active, QPalette::Button);
    case kColorButtonShadow:
      return palette.color(QPalette::Active, QPalette::Dark);
    case kColorGrayText:
      return palette.color(QPalette::Disabled, QPalette::WindowText);
    case kColorWindowText:
      return palette.color(QPalette::Active, QPalette::WindowText);
    case kColorWindow:
      return palette.color(QPalette::Active, QPalette::Base);
    default:
      return QColor();
  }
}

int32_t ColorFromQColor(const QColor& color) { return RgbColor(color.red(), color.green(), color.blue()); }

QPalette LightPalette() {
  const QColor face(0xF0, 0xF0, 0xF0);
  const QColor grey(0x6D, 0x6D, 0x6D);
  QPalette palette(Qt::black, face, Qt::white, QColor(0xA0, 0xA0, 0xA0), QColor(0xC8, 0xC8, 0xC8), Qt::black, Qt::white,
                   Qt::white, face);
  palette.setColor(QPalette::Shadow, QColor(0x69, 0x69, 0x69));
  palette.setColor(QPalette::Highlight, QColor(0xCC, 0xE8, 0xFF));
  palette.setColor(QPalette::HighlightedText, Qt::black);
  palette.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
  palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  palette.setColor(QPalette::PlaceholderText, grey);
  palette.setColor(QPalette::Link, QColor(0x00, 0x00, 0xCC));
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, grey);
  return palette;
}

namespace {

double Luminance(const QColor& color) {
  const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

}  // namespace

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& text, const QColor& background) {
  const bool dark_background = Luminance(background) < 0.18;
  QColor color = text;
  for (int step = 0; step < 100 && Contrast(color, background) < 4.5; ++step)
    color = dark_background ? color.lighter(110) : color.darker(110);
  if (Contrast(color, background) < 4.5) return dark_background ? Qt::white : Qt::black;
  return color;
}
