#include "platform/displayfont.h"

#include <cstdlib>

DisplayFont::DisplayFont(const QString& name, int height, bool oem_charset, bool bold)
    : Name(name), Height(height), Bold(bold), OemCharset(oem_charset) {}

namespace {

// The faces that stand in for the program's classic font names; each has
// the glyphs its code page needs. Asking for the face itself spares the font
// database a fallback search for a family it does not have.
QString FaceOf(const QString& name) {
  if (name == "MS Sans Serif") return "Liberation Sans";
  if (name == "Courier New" || name == "Fixedsys") return "Liberation Mono";
  if (name == "Terminal") return "DejaVu Sans Mono";
  return name;
}

}  // namespace

QFont DisplayFont::ToQFont() const {
  // A font without any family makes a recording painter (printing) crash;
  // no name means the application's face.
  const QString face = FaceOf(Name);
  QFont font(face.isEmpty() ? QFont().family() : face);
  const bool fixed_pitch = Name == "Courier New" || Name == "Fixedsys" || Name == "Terminal";
  font.setStyleHint(fixed_pitch ? QFont::TypeWriter : QFont::SansSerif);
  if (fixed_pitch) font.setFixedPitch(true);
  const int pixels = std::abs(Height);
  font.setPixelSize(pixels > 0 ? pixels : 12);
  font.setBold(Bold);
  font.setItalic(Italic);
  return font;
}

DisplayFont DisplayFont::FromQFont(const QFont& font) {
  DisplayFont result;
  result.Name = font.family();
  result.Height = font.pixelSize() > 0 ? -font.pixelSize() : -qRound(font.pointSizeF() * 96.0 / 72.0);
  result.Bold = font.bold();
  result.Italic = font.italic();
  return result;
}
