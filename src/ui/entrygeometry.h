// Where the controls of an entry editor sit: a table of rectangles per
// role, and the panels that follow the frame's size.
#pragma once

#include <QRect>
#include <QSize>

#include "model/codetable.h"

// The frame's size on the control window (the design is 206 wide).
constexpr QSize kEntryFrameSize(200, 173);

// A control placed by its object name in its parent's pixels. A rectangle
// without a size only places the control, which keeps the size of its text.
struct ControlPlace {
  const char* Name;
  QRect ExportPlace;
  QRect ImportPlace;
};

// The controls inside the input box, as both editors on the control window
// place them.
inline constexpr ControlPlace kInputBoxPlaces[] = {
    {"CharBevel", QRect(16, 22, 147, 35), QRect(16, 22, 147, 35)},
    {"HexBevel", QRect(16, 69, 147, 35), QRect(16, 69, 147, 35)},
    {"CharCaption", QRect(24, 32, 33, 20), QRect(20, 32, 34, 20)},
    {"HexCaption", QRect(31, 80, 26, 20), QRect(20, 80, 34, 20)},
    {"SourceChar", QRect(64, 28, 30, 21), QRect(64, 28, 30, 21)},
    {"CharEquals", QRect(104, 32, 0, 0), QRect(104, 32, 0, 0)},
    {"TargetChar", QRect(120, 28, 30, 21), QRect(120, 28, 30, 21)},
    {"SourceHex", QRect(64, 76, 30, 21), QRect(64, 76, 30, 21)},
    {"HexEquals", QRect(104, 80, 0, 0), QRect(104, 80, 0, 0)},
    {"TargetHex", QRect(120, 76, 30, 21), QRect(120, 76, 30, 21)},
};

constexpr QRect PlaceOf(const ControlPlace& place, TableKind kind) {
  return kind == TableKind::kExport ? place.ExportPlace : place.ImportPlace;
}

// The panels anchored to the frame's sides.
struct PanelPlaces {
  QRect Border;
  QRect Inner;
  QRect HeaderBox;
  QRect PositionBar;
  QRect InputBox;
};

PanelPlaces PlacePanels(const QSize& frame);
