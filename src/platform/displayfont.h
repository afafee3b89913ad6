// The display font: a Qt font plus the name it was asked for and its
// character set. The requested name ("Courier New", "Fixedsys", "Terminal",
// "MS Sans Serif") is what headers and captions show, even where the system
// draws with a substitute face.
#pragma once

#include <QFont>
#include <QString>

struct DisplayFont {
  QString Name;
  int Height = -12;  // negative: character height in pixels
  bool Bold = false;
  bool Italic = false;
  bool OemCharset = false;  // bytes are shown and typed through CP 850

  DisplayFont() = default;
  DisplayFont(const QString& name, int height, bool oem_charset = false, bool bold = false);

  // The font to draw with; Height -12 is a pixel size of 12.
  QFont ToQFont() const;
  // Takes family, size and style of a font chosen in the font dialog.
  static DisplayFont FromQFont(const QFont& font);
};
