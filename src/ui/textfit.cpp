#include "ui/textfit.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cstdint>

#include "app/session.h"
#include "model/hexdigits.h"
#include "platform/codepage.h"

namespace {

QChar WidestHexDigit(const QFont& font) {
  const QFontMetricsF metrics(font);
  QChar widest = '0';
  for (int value = 0; value < 16; ++value) {
    const QChar digit(HexDigit(value));
    if (metrics.horizontalAdvance(digit) > metrics.horizontalAdvance(widest)) widest = digit;
  }
  return widest;
}

int PixelSizeOf(const QFont& font) { return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize(); }

bool Fits(const QRect& ink, const QSize& box, int left) {
  return ink.height() <= box.height() && ink.left() >= -left && ink.right() <= box.width() - left - 1;
}

// A line edit centres a line as high as the font's, or as the text where
// that is higher, in its text area.
bool LineEditShowsWhole(const QFont& font, const QStringList& texts, const QSize& area) {
  // A line edit starts its text this far in from the area's left edge.
  constexpr int kTextIndent = 2;
  const QFontMetrics metrics(font);
  const TextBoxHeights heights(font);
  for (const QString& text : texts) {
    const int line_height = std::max(metrics.height(), heights.Of(text));
    const int baseline = (area.height() - line_height + 1) / 2 + metrics.ascent();
    const QRect ink = InkBounds(font, {text}).translated(kTextIndent, baseline);
    if (!ink.isEmpty() && !QRect(QPoint(0, 0), area).contains(ink)) return false;
  }
  return true;
}

}  // namespace

TextBoxHeights::TextBoxHeights(const QFont& font) : metrics_(font), exact_(font), face_(QRawFont::fromFont(font)) {}

int TextBoxHeights::Of(const QString& text) const {
  if (text.size() != 1 || !face_.supportsCharacter(text.at(0))) return metrics_.boundingRect(text).height();
  const QRectF glyph = exact_.boundingRect(text.at(0));
  const qreal top = std::min(-exact_.ascent(), glyph.top());
  const qreal bottom = std::max(qreal(0), glyph.bottom());
  return qRound(std::max(exact_.ascent() + exact_.descent(), bottom - top));
}

QRect InkBounds(const QFont& font, const QStringList& texts) {
  // Each character's box and advance once; a text is their sum. The boxes
  // come whole pixels wide and high, so the drawn ink lies within them.
  const QFontMetricsF metrics(font);
  QHash<char16_t, std::pair<QRectF, qreal>> glyphs;
  QRectF bounds;
  for (const QString& text : texts) {
    qreal x = 0;
    for (const QChar c : text) {
      auto glyph = glyphs.constFind(c.unicode());
      if (glyph == glyphs.constEnd())
        glyph = glyphs.insert(c.unicode(), {metrics.boundingRect(c), metrics.horizontalAdvance(c)});
      if (!glyph->first.isEmpty()) bounds |= glyph->first.translated(x, 0);
      x += glyph->second;
    }
  }
  return bounds.toAlignedRect();
}

TextFit FitTexts(const QFont& font, const QStringList& texts, const QSize& box, int left) {
  TextFit fit{font, 0};
  QRect ink;
  for (int pixels = PixelSizeOf(font); pixels >= 1; --pixels) {
    fit.Font.setPixelSize(pixels);
    ink = InkBounds(fit.Font, texts);
    if (Fits(ink, box, left)) break;
  }
  if (ink.isEmpty()) {
    fit.Baseline = QFontMetrics(fit.Font).ascent();
    return fit;
  }
  fit.Baseline = -ink.top() + std::max(0, box.height() - ink.height()) / 2;
  return fit;
}

TextFit FitCells(const QFont& font, bool oem, const QSize& cell, int left) {
  // Only plain values outlive the call: a font kept past the application's
  // end would release its face after the font machinery is gone.
  static QString last_key;
  static int last_pixels = 0;
  static int last_baseline = 0;
  const QString key =
      QStringLiteral("%1 %2 %3 %4 %5").arg(font.key()).arg(oem).arg(cell.width()).arg(cell.height()).arg(left);
  if (key != last_key) {
    const TextFit fit = FitTexts(font, CellSamples(font, oem), cell, left);
    last_key = key;
    last_pixels = fit.Font.pixelSize();
    last_baseline = fit.Baseline;
  }
  TextFit fit{font, last_baseline};
  if (last_pixels > 0) fit.Font.setPixelSize(last_pixels);
  return fit;
}

QFont FitLineEdit(const QFont& font, const QStringList& texts, const QLineEdit& field) {
  QStyleOptionFrame option;
  option.initFrom(&field);
  option.rect = field.rect();
  option.lineWidth = field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field) : 0;
  const QRect area =
      field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field).marginsRemoved(field.textMargins());
  // Both entry editors fit one font into fields of one size; the second
  // takes the first one's answer. Only plain values outlive the call.
  static QString last_key;
  static int last_pixels = 0;
  const QString key =
      QStringLiteral("%1 %2 %3 ").arg(font.key()).arg(area.width()).arg(area.height()) + texts.join('\n');
  if (key != last_key) {
    last_key = key;
    last_pixels = PixelSizeOf(font);
    QFont trial = font;
    for (; last_pixels > 1; --last_pixels) {
      trial.setPixelSize(last_pixels);
      if (LineEditShowsWhole(trial, texts, area.size())) break;
    }
  }
  QFont fitted = font;
  fitted.setPixelSize(std::max(last_pixels, 1));
  return fitted;
}

QStringList CellSamples(const QFont& font, bool oem) {
  const QString widest = QString(2, WidestHexDigit(font));
  QStringList texts;
  for (int byte = 0; byte < 256; ++byte) {
    const QString character = byte == 0
                                  ? QStringLiteral("00")
                                  : QString(' ') + DisplayChar(static_cast<uint8_t>(byte), {Workstation::kCp1252, oem});
    for (const QChar separator : {QChar(':'), QChar('=')}) {
      texts << character + separator + HexText(byte);
      texts << character + separator + widest;
    }
  }
  for (int value = 0; value < 16; ++value) {
    texts << QStringLiteral("  0") + QChar(HexDigit(value)) + ' ';
    texts << QStringLiteral("  ") + QChar(HexDigit(value)) + QStringLiteral("0 ");
  }
  return texts;
}

QStringList CharacterSamples(bool oem) {
  QStringList texts;
  for (int byte = 1; byte < 256; ++byte)
    texts << QString(DisplayChar(static_cast<uint8_t>(byte), {Workstation::kCp1252, oem}));
  return texts;
}
