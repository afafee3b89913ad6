// Fitting one-line texts into a box of fixed size so that every character
// shows whole, accents of capitals and descenders included: the box keeps
// its size, the text moves to a better baseline and, where the face is too
// tall or too wide, takes a smaller pixel size.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QRect>
#include <QSize>
#include <QStringList>

class QLineEdit;

struct TextFit {
  QFont Font;        // the font asked for, or its face at a smaller pixel size
  int Baseline = 0;  // distance of the baseline from the box's top
};

// The height QFontMetrics::boundingRect(text) gives, which a line edit takes
// for its line, for many texts in one font. Laying a text out is slow; for a
// character of the face itself that box is its glyph's box joined with the
// line from ascent to descent and with the baseline.
class TextBoxHeights {
 public:
  explicit TextBoxHeights(const QFont& font);
  int Of(const QString& text) const;

 private:
  QFontMetrics metrics_;
  QFontMetricsF exact_;
  QRawFont face_;
};

// Where the ink of texts can lie when each is drawn with its baseline
// starting at (0, 0), as the font's glyph boxes tell; an empty rectangle
// when nothing shows.
QRect InkBounds(const QFont& font, const QStringList& texts);

// The largest pixel size, up to the font's own, at which the ink of every
// text, drawn `left` pixels from the box's left edge, lies inside the box,
// with the baseline that centres that ink vertically. A face that fits at
// no size gets the smallest.
TextFit FitTexts(const QFont& font, const QStringList& texts, const QSize& box, int left);

// FitTexts for the texts a grid cell can show (CellSamples). Both grids
// show one font in cells of one size, so the last fit is kept for the next.
TextFit FitCells(const QFont& font, bool oem, const QSize& cell, int left);

// The largest pixel size, up to the font's own, at which a line edit shows
// each of texts whole where the widget itself puts the line: in the middle
// of its text area, cut at that area's edges.
QFont FitLineEdit(const QFont& font, const QStringList& texts, const QLineEdit& field);

// Every text a grid cell can show in font through a code page: each
// character with either separator and two hex digits (its own and the
// widest), and the labels. Windows-1252 shows every character ISO 8859-1
// does, so one fit serves both workstation character sets.
QStringList CellSamples(const QFont& font, bool oem);

// Every character of a code page alone, as a character field shows it.
QStringList CharacterSamples(bool oem);
