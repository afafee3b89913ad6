// Printing windows as pictures: where a picture lands on the page, and the
// picture of a window as the screen shows it.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QMargins>
#include <QRect>
#include <QSize>

class QPainter;
class QWidget;

enum class PrintPosition { Upper, Lower };

// The picture of a window of outer size `window` on a page of size `page`,
// both in pixels: left 200, top 800 (upper) or the middle of the page
// (lower). On a portrait page the width fills the page and the height
// follows the whole-number scale factor, on a landscape page the other way
// round; the result is 90 per cent of both, truncated.
QRect PicturePlace(const QSize& page, const QSize& window, PrintPosition position);

// A place that lies on the page is kept. One that would pass the page's
// edge shrinks, keeping its aspect ratio, into its half of the page: the
// upper one between its top and the middle, the lower one between the
// middle and the bottom, both within the page's width.
QRect FitOnPage(const QRect& place, const QSize& page, PrintPosition position);

// Where the picture is drawn: PicturePlace, fitted on the page.
QRect PictureRect(const QSize& page, const QSize& window, PrintPosition position);

// The window's own rendering with a caption bar (its title) and a border
// drawn around it, at the window's outer size.
QImage FramedRendering(QWidget& window);

// The window as the screen shows it, caption bar and border included, as an
// 8-bit image with a 256-entry colour table. Where no window manager draws
// a frame (offscreen, no window manager, Wayland) or the window is hidden,
// its framed rendering stands in for the screen.
QImage CaptureWindow(QWidget& window);

// Stretches the whole picture onto its rectangle without lossy compression.
void DrawPicture(QPainter& painter, const QImage& picture, const QRect& target);

// What a window's frame adds on each side: the caption bar and border that
// the window manager draws, or, where none does, the designed ones that
// make a table window 808 x 328 outside.
QMargins FrameMarginsOf(const QWidget& window);

// The window with its frame, drawn from its own rendering onto target,
// scaled to fill it: on a printer the text stays text and lines stay
// sharp, and no other window that covers it on the screen shows.
void DrawFramedWindow(QPainter& painter, QWidget& window, const QRect& target);

// A small line at the foot of the page with the date and time of printing.
void DrawPrintTime(QPainter& painter, const QSize& page, const QDateTime& time);
