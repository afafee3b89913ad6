// Where the table windows and the control window go on the screen, worked
// out on frames: a window manager adds a caption bar and a border around
// each window, and that frame, not the window inside, must start at the
// screen's corner and stay reachable. A frame larger than the available
// area keeps its top left corner, with the caption bar, inside the area.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

// A window's own size and what its frame adds on each side.
struct FramedWindow {
  QSize Size;
  QMargins Frame;
};

// Top-left corners of the two table windows' frames.
struct TablePlaces {
  QPoint ExportFrame;
  QPoint ImportFrame;
};

// The lowest pixels of the EXPORT window that the IMPORT window covers.
constexpr int kImportOverlap = 8;
// The control window's designed place on the screen.
constexpr QPoint kControlPlace(808, 78);

// The EXPORT frame at the top left of the available area, the IMPORT frame
// below it covering the EXPORT frame's lowest pixels; both table windows
// have the same size and frame. Where the area is too low for that, the
// IMPORT frame moves up, leaving the EXPORT caption bar in sight while its
// own stays on the screen.
TablePlaces PlaceTableWindows(const QRect& available, const FramedWindow& table_window);

// The control window's frame at its designed place, moved back into the
// area where it would pass its edge.
QPoint PlaceControlWindow(const QRect& available, const FramedWindow& control_window);

// The control window's frame where the table frames (tables) leave it in
// sight: at its designed place, else right of the tables, else below them;
// where none of these is free, at its designed place.
QPoint PlaceControlBesideTables(const QRect& available, const QRect& tables, const FramedWindow& control_window);

// The Probetext frame (place and size) where it covers none of the frames
// in sight (the table windows and the control window): below or beside one
// of them, at its own size where that fits, else shrunk to the largest such
// room no smaller than smallest. Where there is no such room: at the area's
// left edge below the lowest frame in sight that starts there, moved up as
// far as the area needs.
QRect PlaceSampleTextWindow(const QRect& available, const std::vector<QRect>& in_sight,
                            const FramedWindow& sample_window, const QSize& smallest);
