#include "platform/printing.h"

#include <qdrawutil.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPicture>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/colors.h"

namespace {

constexpr int kPictureLeft = 200;
constexpr int kUpperTop = 800;

// A table window, 800 x 294 inside, comes out at its designed outer size
// of 808 x 328.
constexpr int kFrameBorder = 4;
constexpr int kCaptionHeight = 26;

int ClampToInt(int64_t value) { return static_cast<int>(std::min<int64_t>(value, INT_MAX)); }

void DrawCloseBox(QPainter& painter, const QRect& caption, const QPalette& palette) {
  const int side = caption.height() - 6;
  const QRect box(caption.right() - 2 - side, caption.top() + 3, side, side);
  qDrawWinButton(&painter, box, palette, false, &palette.brush(QPalette::Button));
  const QRect cross = box.adjusted(side / 4 + 1, side / 4, -side / 4 - 1, -side / 4 - 1);
  painter.setPen(QPen(palette.color(QPalette::ButtonText), 2));
  painter.drawLine(cross.topLeft(), cross.bottomRight());
  painter.drawLine(cross.topRight(), cross.bottomLeft());
}

void DrawCaption(QPainter& painter, const QRect& caption, const QWidget& window, const QPalette& palette) {
  const bool active = window.isActiveWindow();
  // One flat colour: a gradient would only turn into bands in 256 colours.
  painter.fillRect(caption, palette.color(active ? QPalette::Highlight : QPalette::Mid));

  // In pixels: on a printer a size in points would follow the printer's
  // resolution, not the window's.
  QFont font = window.font();
  font.setPixelSize(QFontInfo(window.font()).pixelSize());
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(palette.color(active ? QPalette::HighlightedText : QPalette::WindowText));
  const QRect text = caption.adjusted(4, 0, -caption.height(), 0);
  const QString shown = ShownCaption(window.windowTitle(), window.isWindowModified());
  const QString title = painter.fontMetrics().elidedText(shown, Qt::ElideRight, text.width());
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, title);
  DrawCloseBox(painter, caption, palette);
}

bool WindowManagerDrawsFrame(const QWidget& window) {
  if (!window.isVisible()) return false;
  const QString platform = QGuiApplication::platformName();
  if (platform == "offscreen" || platform == "minimal" || platform.startsWith("wayland")) return false;
  return window.frameGeometry() != window.geometry();
}

}  // namespace

QString ShownCaption(const QString& title, bool modified) {
  static const QString kMark = QStringLiteral("[*]");
  QString shown;
  int from = 0;
  for (int at = title.indexOf(kMark); at >= 0; at = title.indexOf(kMark, from)) {
    shown += title.mid(from, at - from);
    int marks = 0;
    for (from = at; title.mid(from, kMark.size()) == kMark; from += kMark.size()) ++marks;
    shown += kMark.repeated(marks / 2);
    if (marks % 2 && modified) shown += '*';
  }
  return shown + title.mid(from);
}

QRect PicturePlace(const QSize& page, const QSize& window, PrintPosition position) {
  const int64_t pw = page.width();
  const int64_t ph = page.height();
  const int64_t w = window.width();
  const int64_t h = window.height();
  if (pw <= 0 || ph <= 0 || w <= 0 || h <= 0) return QRect();
  int64_t width = pw;
  int64_t height = ph;
  if (pw < ph)
    height = (pw / w) * h;
  else
    width = (ph / h) * w;
  const int top = position == PrintPosition::kUpper ? kUpperTop : static_cast<int>(ph / 2);
  return QRect(kPictureLeft, top, ClampToInt(width * 9 / 10), ClampToInt(height * 9 / 10));
}

QRect FitOnPage(const QRect& place, const QSize& page, PrintPosition position) {
  if (place.isEmpty() || QRect(QPoint(0, 0), page).contains(place)) return place;
  const int bottom = position == PrintPosition::kUpper ? page.height() / 2 : page.height();
  const int64_t room_width = std::max(0, page.width() - place.left());
  const int64_t room_height = std::max(0, bottom - place.top());
  const int64_t w = place.width();
  const int64_t h = place.height();
  if (w * room_height <= h * room_width)
    return QRect(place.topLeft(), QSize(static_cast<int>(w * room_height / h), static_cast<int>(room_height)));
  return QRect(place.topLeft(), QSize(static_cast<int>(room_width), static_cast<int>(h * room_width / w)));
}

QRect PictureRect(const QSize& page, const QSize& window, PrintPosition position) {
  return FitOnPage(PicturePlace(page, window, position), page, position);
}

QMargins FrameMarginsOf(const QWidget& window) {
  if (!WindowManagerDrawsFrame(window))
    return QMargins(kFrameBorder, kFrameBorder + kCaptionHeight, kFrameBorder, kFrameBorder);
  const QRect frame = window.frameGeometry();
  const QRect inner = window.geometry();
  return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                  frame.bottom() - inner.bottom());
}

QSize FramedSize(const QWidget& window) { return window.size().grownBy(FrameMarginsOf(window)); }

void DrawFramedWindow(QPainter& painter, QWidget& window, const QRect& target) {
  const QMargins margins = FrameMarginsOf(window);
  const QRect outer(QPoint(0, 0), FramedSize(window));
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(qreal(target.width()) / outer.width(), qreal(target.height()) / outer.height());
  painter.setClipRect(outer);
  // Paper is white whatever the desktop's theme.
  const QPalette palette = LightPalette();
  painter.fillRect(outer, palette.brush(QPalette::Button));
  qDrawWinPanel(&painter, outer, palette, false);
  const int border = std::min({margins.left(), margins.right(), margins.top()});
  const QRect caption(border, border, outer.width() - 2 * border, margins.top() - border - 1);
  if (caption.height() > 0) DrawCaption(painter, caption, window, palette);
  // Recorded first and played back scaled: the window drawn straight onto
  // a scaled printer painter would come as one enlarged bitmap.
  // Playing back scales by the device's resolution over the picture's; the
  // transform already maps window pixels onto the page.
  QPicture rendering;
  window.render(&rendering);
  painter.translate(margins.left(), margins.top());
  const QPaintDevice& device = *painter.device();
  painter.scale(qreal(rendering.logicalDpiX()) / device.logicalDpiX(),
                qreal(rendering.logicalDpiY()) / device.logicalDpiY());
  painter.drawPicture(0, 0, rendering);
  painter.restore();
}

void DrawPrintTime(QPainter& painter, const QSize& page, const QDateTime& time) {
  painter.save();
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPointSize(7);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QString text = QStringLiteral("Gedruckt am %1 um %2 Uhr")
                           .arg(time.toString(QStringLiteral("dd.MM.yyyy")), time.toString(QStringLiteral("HH:mm")));
  painter.drawText(QRect(QPoint(0, 0), page), Qt::AlignRight | Qt::AlignBottom, text);
  painter.restore();
}
