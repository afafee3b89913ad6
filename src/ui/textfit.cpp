#include "ui/textfit.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cstdint>

#include "platform/codepage.h"

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

QString Hex(int value) { return QString(QChar(HexDigits[value >> 4])) + QChar(HexDigits[value & 15]); }

QChar WidestHexDigit(const QFont& font) {
  const QFontMetricsF metrics(font);
  QChar widest = '0';
  for (const char digit : QByteArray(HexDigits))
    if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest)) widest = QChar(digit);
  return widest;
}

int PixelSizeOf(const QFont& font) { return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize(); }

bool Fits(const QRect& ink, const QSize& box, int left) {
  return ink.height() <= box.height() && ink.left() >= -left && ink.right() <= box.width() - left - 1;
}

}  // namespace

QRect InkBounds(const QFont& font, const QStringList& texts) {
  // Room on every side for ink well beyond the font's own size.
  const int margin = 3 * PixelSizeOf(font) + 8;
  int width = 0;
  const QFontMetricsF metrics(font);
  for (const QString& text : texts) width = std::max(width, static_cast<int>(metrics.horizontalAdvance(text)) + 1);
  QImage image(width + 2 * margin, 2 * margin, QImage::Format_Alpha8);
  image.fill(0);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const QString& text : texts) painter.drawText(QPointF(margin, margin), text);
  }
  int top = image.height(), bottom = -1, leftmost = image.width(), rightmost = -1;
  for (int y = 0; y < image.height(); ++y) {
    const uchar* line = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == 0) continue;
      top = std::min(top, y);
      bottom = y;
      leftmost = std::min(leftmost, x);
      rightmost = std::max(rightmost, x);
    }
  }
  if (bottom < 0) return QRect();
  return QRect(QPoint(leftmost, top), QPoint(rightmost, bottom)).translated(-margin, -margin);
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

QStringList CellSamples(const QFont& font, bool oem) {
  const QString widest = QString(2, WidestHexDigit(font));
  QStringList texts;
  for (int byte = 0; byte < 256; ++byte) {
    const QString character = byte == 0 ? QStringLiteral("00") : QString(' ') + DisplayChar(static_cast<uint8_t>(byte), oem);
    for (const QChar separator : {QChar(':'), QChar('=')}) {
      texts << character + separator + Hex(byte);
      texts << character + separator + widest;
    }
  }
  for (int digit = 0; digit < 16; ++digit) {
    texts << QStringLiteral("  0") + QChar(HexDigits[digit]) + ' ';
    texts << QStringLiteral("  ") + QChar(HexDigits[digit]) + QStringLiteral("0 ");
  }
  return texts;
}

QStringList CharacterSamples(bool oem) {
  QStringList texts;
  for (int byte = 1; byte < 256; ++byte) texts << QString(DisplayChar(static_cast<uint8_t>(byte), oem));
  return texts;
}
