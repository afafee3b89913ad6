#include "ui/celltextpainter.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <QVarLengthArray>

void CellTextPainter::Draw(QPainter& painter, const QPointF& origin, const QString& text) {
  if (!font_known_ || painter.font() != font_) {
    font_known_ = true;
    font_ = painter.font();
    raw_ = QFontInfo(font_).fixedPitch() ? QRawFont::fromFont(font_) : QRawFont();
    glyphs_.clear();
  }
  if (!raw_.isValid() || painter.paintEngine()->type() != QPaintEngine::Raster) {
    painter.drawText(origin, text);
    return;
  }
  QVarLengthArray<quint32, 8> indexes;
  QVarLengthArray<QPointF, 8> positions;
  qreal x = origin.x();
  for (const QChar c : text) {
    Glyph glyph;
    if (!Lookup(c, glyph)) {
      painter.drawText(origin, text);
      return;
    }
    indexes.append(glyph.Index);
    positions.append(QPointF(x, origin.y()));
    x += glyph.Advance;
  }
  QGlyphRun run;
  run.setRawFont(raw_);
  run.setRawData(indexes.constData(), positions.constData(), static_cast<int>(indexes.size()));
  painter.drawGlyphRun(QPointF(0, 0), run);
}

bool CellTextPainter::Lookup(QChar c, Glyph& glyph) {
  const auto found = glyphs_.constFind(c.unicode());
  if (found != glyphs_.constEnd()) {
    glyph = *found;
    return glyph.Index != 0;
  }
  int count = 1;
  if (!raw_.glyphIndexesForChars(&c, 1, &glyph.Index, &count)) glyph.Index = 0;
  if (glyph.Index != 0) {
    QPointF advance;
    raw_.advancesForGlyphIndexes(&glyph.Index, &advance, 1);
    glyph.Advance = advance.x();
  }
  glyphs_.insert(c.unicode(), glyph);
  return glyph.Index != 0;
}
