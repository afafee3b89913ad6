// Draws the grid's short one-line texts on screen as glyph runs: in a
// fixed-pitch face a cell needs no shaping, so each character's glyph and
// advance are looked up once and reused by every later paint. Proportional
// faces, which kern, and other paint devices get the ordinary text path.
#pragma once

#include <QFont>
#include <QHash>
#include <QRawFont>

class QPainter;
class QPointF;
class QString;

class CellTextPainter {
 public:
  // Draws text in the painter's font and pen with its baseline starting at
  // origin, as QPainter::drawText does. A character the face lacks leaves
  // the whole text to QPainter::drawText, which finds a fallback face.
  void Draw(QPainter& painter, const QPointF& origin, const QString& text);

 private:
  struct Glyph {
    quint32 Index = 0;
    qreal Advance = 0;
  };
  bool Lookup(QChar c, Glyph& glyph);

  bool font_known_ = false;
  QFont font_;
  QRawFont raw_;
  QHash<char16_t, Glyph> glyphs_;
};
