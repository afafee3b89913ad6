// Grid cell texts look exactly as QPainter::drawText draws them, whether
// they go as glyph runs (fixed-pitch faces) or not, and characters the face
// lacks still show through a fallback face.
#include "ui/celltextpainter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "platform/codepage.h"
#include "platform/displayfont.h"

namespace {

QImage Blank() {
  QImage image(120, 24, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  return image;
}

// The text as the grid draws it and as QPainter draws it, side by side.
struct Drawn {
  QImage Cell;
  QImage Plain;
};

Drawn DrawBothWays(CellTextPainter& cells, const QFont& font, const QString& text) {
  Drawn drawn{Blank(), Blank()};
  const QPointF origin(2, 16);
  {
    QPainter painter(&drawn.Cell);
    painter.setFont(font);
    painter.setPen(Qt::darkGreen);
    cells.Draw(painter, origin, text);
  }
  {
    QPainter painter(&drawn.Plain);
    painter.setFont(font);
    painter.setPen(Qt::darkGreen);
    painter.drawText(origin, text);
  }
  return drawn;
}

TEST(CellText, DrawsLikeDrawTextInEveryDisplayFace) {
  CellTextPainter cells;
  const QString texts[] = {" A:C1", "  0F ", QString::fromLatin1(" \xE4=84"), QString::fromLatin1(" \xFF:DF")};
  for (const DisplayFont& font :
       {DisplayFont("Courier New", -12), DisplayFont("MS Sans Serif", -11), DisplayFont("Terminal", -12, true, true)}) {
    for (const QString& text : texts) {
      const Drawn drawn = DrawBothWays(cells, font.ToQFont(), text);
      EXPECT_NE(drawn.Cell, Blank()) << font.Name.toStdString() << " '" << text.toStdString() << "'";
      EXPECT_EQ(drawn.Cell, drawn.Plain) << font.Name.toStdString() << " '" << text.toStdString() << "'";
    }
  }
}

TEST(CellText, EveryByteOfBothCodePagesDrawsLikeDrawText) {
  for (const DisplayFont& font : {DisplayFont("Courier New", -12), DisplayFont("Terminal", -12, true, true)}) {
    CellTextPainter cells;
    for (int byte = 0; byte < 256; ++byte) {
      const QString text =
          QString(" ") + DisplayChar(static_cast<uint8_t>(byte), {Workstation::kCp1252, font.OemCharset}) + ":41";
      const Drawn drawn = DrawBothWays(cells, font.ToQFont(), text);
      EXPECT_EQ(drawn.Cell, drawn.Plain) << font.Name.toStdString() << " byte " << byte;
    }
  }
}

TEST(CellText, CharacterMissingFromTheFaceStillShows) {
  CellTextPainter cells;
  const QString text = QString(" ") + QChar(0x4E00) + ":41";  // a CJK character
  const Drawn drawn = DrawBothWays(cells, DisplayFont("Courier New", -12).ToQFont(), text);
  EXPECT_EQ(drawn.Cell, drawn.Plain);
}

TEST(CellText, FollowsAChangeOfFont) {
  CellTextPainter cells;
  const QString text = " A:C1";
  DrawBothWays(cells, DisplayFont("Courier New", -12).ToQFont(), text);
  const Drawn drawn = DrawBothWays(cells, DisplayFont("Terminal", -12, true, true).ToQFont(), text);
  EXPECT_EQ(drawn.Cell, drawn.Plain);
}

TEST(CellText, FollowsAChangeOfSizeAlone) {
  CellTextPainter cells;
  const QString text = " A:C1";
  DrawBothWays(cells, DisplayFont("Courier New", -12).ToQFont(), text);
  const Drawn drawn = DrawBothWays(cells, DisplayFont("Courier New", -16).ToQFont(), text);
  EXPECT_EQ(drawn.Cell, drawn.Plain);
}

TEST(CellText, TextOfOnlyAMissingCharacterShowsEveryTime) {
  CellTextPainter cells;
  const QString text(QChar(0x4E00));
  for (int time = 0; time < 2; ++time) {
    const Drawn drawn = DrawBothWays(cells, DisplayFont("Courier New", -12).ToQFont(), text);
    EXPECT_NE(drawn.Cell, Blank()) << time;
    EXPECT_EQ(drawn.Cell, drawn.Plain) << time;
  }
}

}  // namespace
