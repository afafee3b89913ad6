// Where the table windows and the control window go on the screen, worked
// out on frames: a window manager adds a caption bar and a border around
// each window, and that frame, not the window inside, must start at the
// screen's corner and stay reachable.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

struct WindowPlaces {
  QPoint ExportFrame;  // top-left corner of each window's frame
  QPoint ImportFrame;
  QPoint ControlFrame;
};

// The lowest pixels of the EXPORT window that the IMPORT window covers.
constexpr int ImportOverlap = 8;
// The control window's designed place on the screen.
constexpr QPoint ControlPlace(808, 78);

// A window's own size and what its frame adds on each side.
struct FramedWindow {
  QSize Size;
  QMargins Frame;
};

// The EXPORT frame at the top left of the available area, the IMPORT frame
// below it covering the EXPORT frame's lowest pixels, the control window at
// its designed place. Where the area is too small for that, a frame moves
// back into the area, and where it is larger than the area its top left
// corner, with the caption bar, stays inside. Both table windows have the
// same size and frame.
WindowPlaces PlaceWindows(const QRect& available, const FramedWindow& tableWindow, const FramedWindow& controlWindow);
