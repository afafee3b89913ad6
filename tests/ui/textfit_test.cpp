// Every character whole: each byte of both code pages, drawn in a grid cell
// in each display font, keeps all its ink inside the cell, and the accented
// capitals stay apart from each other and from A.
#include "ui/textfit.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPainter>

#include "app/session.h"
#include "model/codetable.h"
#include "platform/displayfont.h"
#include "ui/gridmath.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

// The four fonts of the font menu and faces a user may choose in the font
// dialog, at the 12-pixel cap.
std::vector<DisplayFont> Fonts() {
  std::vector<DisplayFont> fonts = {DisplayFont("Courier New", -12), DisplayFont("Fixedsys", -11),
                                    DisplayFont("MS Sans Serif", -11), DisplayFont("Terminal", -12, true, true)};
  for (const char* face : {"DejaVu Serif", "DejaVu Sans", "Liberation Serif", "DejaVu Sans Mono"}) {
    fonts.emplace_back(face, -12);
    fonts.emplace_back(face, -12, false, true);
    fonts.back().Italic = true;
  }
  return fonts;
}

std::string NameOf(const DisplayFont& font) {
  return font.Name.toStdString() + (font.Bold ? " bold" : "") + (font.Italic ? " italic" : "") +
         (font.OemCharset ? " OEM" : " ANSI");
}

// Positions of À, Á, Â, Ã, Ä, Å and A in each code page.
const int kAnsiLetters[] = {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0x41};
const int kOemLetters[] = {0xB7, 0xB5, 0xB6, 0xC7, 0x8E, 0x8F, 0x41};

class GridCells : public testing::Test {
 protected:
  void SetUp() override { window_.show(); }

  void UseFont(const DisplayFont& font) {
    shown_ = font;
    session_.CurrentFont = &shown_;
    window_.Refresh();
  }

  QRect CellRectOf(int entry) const {
    const CellRect cell = ItemRect((entry % 16 + 1) * kGridSide + entry / 16 + 1, window_.Grid->Cells->width());
    return QRect(cell.X, cell.Y, cell.Width, cell.Height);
  }

  // The cell drawn unclipped in the middle of a white image three cells
  // wide and high; the cell itself lies at (width, height).
  QImage DrawCell(int entry) {
    const QRect cell = CellRectOf(entry);
    QImage image(cell.size() * 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(cell.width() - cell.x(), cell.height() - cell.y());
    painter.setFont(window_.Grid->CellFit().Font);
    window_.Grid->CellsDrawItem(painter, (entry % 16 + 1) * kGridSide + entry / 16 + 1, cell);
    return image;
  }

  Session session_;
  TableWindow window_{session_, TableKind::kExport};
  DisplayFont shown_;
};

int InkOutside(const QImage& image, const QRect& inside) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!inside.contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255)) ++ink;
  return ink;
}

TEST_F(GridCells, EveryCharacterOfBothCodePagesLiesWholeInsideItsCell) {
  for (DisplayFont font : Fonts()) {
    for (const bool oem : {false, true}) {
      font.OemCharset = oem;
      UseFont(font);
      for (int entry = 0; entry < 256; ++entry) {
        const QImage image = DrawCell(entry);
        const QRect cell(QPoint(image.width() / 3, image.height() / 3), image.size() / 3);
        ASSERT_EQ(InkOutside(image, cell), 0) << NameOf(font) << " byte " << entry;
        ASSERT_GT(InkOutside(image, QRect()), 0) << NameOf(font) << " byte " << entry;
      }
    }
  }
}

TEST_F(GridCells, AccentedCapitalsStayApart) {
  for (DisplayFont font : Fonts()) {
    for (const bool oem : {false, true}) {
      font.OemCharset = oem;
      UseFont(font);
      // The cell up to the end of its character.
      const QFontMetrics metrics(window_.Grid->CellFit().Font);
      const int width = 2 + metrics.horizontalAdvance(QStringLiteral(" A"));
      std::vector<QImage> letters;
      for (const int entry : oem ? kOemLetters : kAnsiLetters) {
        const QImage image = DrawCell(entry);
        letters.push_back(image.copy(image.width() / 3, image.height() / 3, width, image.height() / 3));
      }
      for (size_t i = 0; i < letters.size(); ++i)
        for (size_t j = i + 1; j < letters.size(); ++j)
          EXPECT_NE(letters[i], letters[j]) << NameOf(font) << " letters " << i << " and " << j;
    }
  }
}

// The text's ink in a line edit: where the field with the text differs from
// the empty field, as a mask cut to its bounds.
QImage TextInk(QLineEdit& field, const QString& text) {
  field.clear();
  const QImage empty = field.grab().toImage();
  field.setText(text);
  const QImage shown = field.grab().toImage();
  QImage mask(shown.size(), QImage::Format_Mono);
  mask.fill(0);
  QRect bounds;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.pixel(x, y) == empty.pixel(x, y)) continue;
      mask.setPixel(x, y, 1);
      bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds.isEmpty() ? QImage() : mask.copy(bounds);
}

TEST(TextFit, CharacterFieldShowsEveryCharacterWhole) {
  // The entry editor's character field, a lower one where most faces must
  // shrink, and one tall enough to cut nothing.
  QLineEdit tall;
  tall.resize(30, 80);
  for (const int height : {21, 16}) {
    QLineEdit field;
    field.resize(30, height);
    for (DisplayFont font : Fonts()) {
      for (const bool oem : {false, true}) {
        const QStringList characters = CharacterSamples(oem);
        const QFont fitted = FitLineEdit(font.ToQFont(), characters, field);
        field.setFont(fitted);
        tall.setFont(fitted);
        for (const QString& character : characters)
          ASSERT_EQ(TextInk(field, character), TextInk(tall, character))
              << NameOf(font) << " in " << height << " pixels, U+" << std::hex << character.at(0).unicode();
      }
    }
  }
}

TEST(TextFit, TextBoxHeightsAreThoseOfTheLaidOutText) {
  for (DisplayFont font : Fonts()) {
    for (const int pixels : {5, 9, 12, 17}) {
      font.Height = -pixels;
      const QFont qfont = font.ToQFont();
      const QFontMetrics metrics(qfont);
      const TextBoxHeights heights(qfont);
      for (const bool oem : {false, true}) {
        QStringList texts = CharacterSamples(oem);
        texts << QStringLiteral("Ab") << QString();
        for (const QString& text : texts)
          ASSERT_EQ(heights.Of(text), metrics.boundingRect(text).height())
              << NameOf(font) << " " << pixels << " px, U+" << std::hex << (text.isEmpty() ? 0 : text.at(0).unicode());
      }
    }
  }
}

TEST(TextFit, KeepsAFontThatFitsAndShrinksOneThatDoesNot) {
  const QFont font = DisplayFont("DejaVu Serif", -12).ToQFont();
  const QStringList texts = CharacterSamples(false);
  const QRect ink = InkBounds(font, texts);
  const TextFit roomy = FitTexts(font, texts, QSize(ink.width() + 10, ink.height() + 4), 5 - ink.left());
  EXPECT_EQ(roomy.Font.pixelSize(), 12);
  EXPECT_EQ(roomy.Baseline, -ink.top() + 2);

  const QSize tight(30, ink.height() - 3);
  const TextFit shrunk = FitTexts(font, texts, tight, 5);
  ASSERT_LT(shrunk.Font.pixelSize(), 12);
  EXPECT_LE(InkBounds(shrunk.Font, texts).height(), tight.height());
  QFont larger = shrunk.Font;
  larger.setPixelSize(shrunk.Font.pixelSize() + 1);
  EXPECT_GT(InkBounds(larger, texts).height(), tight.height());
  EXPECT_EQ(shrunk.Font.family(), font.family());
}

TEST(TextFit, CellFitIsTheFitOfTheCellSamplesForEachFontAndCell) {
  const QFont mono = DisplayFont("Courier New", -12).ToQFont();
  const QFont serif = DisplayFont("DejaVu Serif", -12).ToQFont();
  const auto direct = [](const QFont& font, bool oem, const QSize& cell) {
    return FitTexts(font, CellSamples(font, oem), cell, 2);
  };
  // Each call after one for another font, code page or cell.
  const std::tuple<QFont, bool, QSize> asked[] = {{mono, false, {50, 18}},
                                                  {serif, false, {50, 18}},
                                                  {serif, true, {50, 18}},
                                                  {serif, true, {50, 9}},
                                                  {mono, false, {50, 18}}};
  for (const auto& [font, oem, cell] : asked) {
    const TextFit fit = FitCells(font, oem, cell, 2);
    const TextFit expected = direct(font, oem, cell);
    EXPECT_EQ(fit.Font, expected.Font) << font.family().toStdString() << " " << oem << " " << cell.height();
    EXPECT_EQ(fit.Baseline, expected.Baseline) << font.family().toStdString() << " " << oem << " " << cell.height();
  }
}

// A wide target stays inside its cell, texts are measured side by side,
// fields of one width and another height get their own fit, and byte FF is
// among the cell samples.
TEST(TextFit, WideTextsFieldHeightsAndTheLastByte) {
  const QFont sans = DisplayFont("DejaVu Sans", -12).ToQFont();
  const QRect wide = InkBounds(sans, {"DD"});
  EXPECT_GE(wide.width(), InkBounds(sans, {"D"}).width() + QFontMetrics(sans).horizontalAdvance('D') - 1);
  const QSize cell(wide.right() + 2, 40);
  const TextFit fit = FitTexts(sans, {"DD"}, cell, 2);
  EXPECT_LT(fit.Font.pixelSize(), 12);
  EXPECT_LE(InkBounds(fit.Font, {"DD"}).right(), cell.width() - 3);
  QLineEdit tall, low;
  tall.resize(80, 40);
  low.resize(80, 14);
  const int tall_size = FitLineEdit(sans, CharacterSamples(false), tall).pixelSize();
  EXPECT_LT(FitLineEdit(sans, CharacterSamples(false), low).pixelSize(), tall_size);
  EXPECT_EQ(CellSamples(sans, false).filter(QString::fromUtf8(" ÿ:FF")).size(), 1);
}

}  // namespace
