// Printing windows: where a window lands on the page, and the window drawn
// there with its frame.
#pragma once

#include <QDateTime>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;
class QWidget;

enum class PrintPosition { kUpper, kLower };

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

// A caption as the screen shows it: Qt's place for the changed mark "[*]"
// becomes "*" or nothing, and a doubled "[*][*]" is the text "[*]".
QString ShownCaption(const QString& title, bool modified);

// What a window's frame adds on each side: the caption bar and border that
// the window manager draws, or, where none does, the designed ones that
// make a table window 808 x 328 outside.
QMargins FrameMarginsOf(const QWidget& window);
// The window's size with its frame.
QSize FramedSize(const QWidget& window);

// The window with its frame, drawn from its own rendering onto target,
// scaled to fill it: on a printer the text stays text and lines stay
// sharp, and no other window that covers it on the screen shows.
void DrawFramedWindow(QPainter& painter, QWidget& window, const QRect& target);

// A small line at the foot of the page with the date and time of printing.
void DrawPrintTime(QPainter& painter, const QSize& page, const QDateTime& time);
