// Where the windows' frames go: the worked layout on a roomy screen, and
// caption bars that stay on a screen too small for it.
#include <gtest/gtest.h>

#include "ui/windowplacement.h"

namespace {

const QSize TableWindowSize(800, 294);
const QSize ControlWindowSize(420, 320);
// A caption bar of 22 pixels, a border of 1 and a grip of 5 at the bottom.
const QMargins Frame(1, 22, 1, 5);
const FramedWindow Table{TableWindowSize, Frame};
const FramedWindow Control{ControlWindowSize, QMargins(2, 24, 2, 6)};

QRect FrameRect(const QPoint& at, const QSize& window) { return QRect(at, window.grownBy(Frame)); }

TEST(WindowPlacement, RoomyScreenGetsTheDesignedLayout) {
  const WindowPlaces places = PlaceWindows(QRect(0, 0, 1280, 1024), Table, Control);
  EXPECT_EQ(places.ExportFrame, QPoint(0, 0));
  EXPECT_EQ(places.ImportFrame, QPoint(0, 22 + 294 + 5 - 8));
  EXPECT_EQ(places.ControlFrame, QPoint(808, 78));
  const QRect exportFrame = FrameRect(places.ExportFrame, TableWindowSize);
  const QRect covered = exportFrame & FrameRect(places.ImportFrame, TableWindowSize);
  EXPECT_EQ(covered, QRect(0, exportFrame.bottom() - 7, exportFrame.width(), 8));
}

TEST(WindowPlacement, StartsAtTheAvailableAreaAndWithoutFrameAtTheCorner) {
  const QRect belowPanel(0, 30, 1920, 1050);
  const WindowPlaces places = PlaceWindows(belowPanel, Table, Control);
  EXPECT_EQ(places.ExportFrame, QPoint(0, 30));
  EXPECT_EQ(places.ImportFrame, QPoint(0, 30 + 321 - 8));
  EXPECT_EQ(places.ControlFrame, QPoint(808, 78));

  const WindowPlaces bare = PlaceWindows(QRect(0, 0, 1280, 1024), {TableWindowSize, QMargins()}, {ControlWindowSize, QMargins()});
  EXPECT_EQ(bare.ImportFrame, QPoint(0, 294 - 8));
}

TEST(WindowPlacement, SmallScreenKeepsEveryCaptionBarOnIt) {
  const QRect screens[] = {{0, 0, 640, 512}, {0, 0, 800, 600}, {0, 0, 1024, 600}, {0, 24, 640, 400}};
  for (const QRect& screen : screens) {
    const WindowPlaces places = PlaceWindows(screen, Table, Control);
    const std::pair<QPoint, FramedWindow> windows[] = {
        {places.ExportFrame, Table}, {places.ImportFrame, Table}, {places.ControlFrame, Control}};
    for (const auto& [at, window] : windows) {
      const QSize frame = window.Size.grownBy(window.Frame);
      const QRect caption(at, QSize(std::min(frame.width(), screen.width()), window.Frame.top()));
      EXPECT_TRUE(screen.contains(caption)) << screen.width() << "x" << screen.height() << " at " << at.x() << ","
                                            << at.y();
    }
    // The IMPORT window, pushed up, still leaves the EXPORT caption bar free.
    EXPECT_GE(places.ImportFrame.y(), places.ExportFrame.y() + Frame.top());
  }
}

}  // namespace
