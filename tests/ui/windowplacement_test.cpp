// Where the windows' frames go: the designed layout on a roomy screen, and
// caption bars that stay on a screen too small for it.
#include "ui/windowplacement.h"

#include <gtest/gtest.h>

namespace {

// A caption bar of 22 pixels, a border of 1 and a grip of 5 at the bottom.
const FramedWindow kTable{QSize(800, 294), QMargins(1, 22, 1, 5)};
const FramedWindow kControl{QSize(420, 320), QMargins(2, 24, 2, 6)};

QRect FrameRect(const QPoint& at, const FramedWindow& window) { return QRect(at, window.Size.grownBy(window.Frame)); }

TEST(WindowPlacement, RoomyScreenGetsTheDesignedLayout) {
  const QRect screen(0, 0, 1280, 1024);
  const TablePlaces places = PlaceTableWindows(screen, kTable);
  EXPECT_EQ(places.ExportFrame, QPoint(0, 0));
  EXPECT_EQ(places.ImportFrame, QPoint(0, 22 + 294 + 5 - 8));
  EXPECT_EQ(PlaceControlWindow(screen, kControl), QPoint(808, 78));
  const QRect export_frame = FrameRect(places.ExportFrame, kTable);
  const QRect covered = export_frame & FrameRect(places.ImportFrame, kTable);
  EXPECT_EQ(covered, QRect(0, export_frame.bottom() - 7, export_frame.width(), 8));
}

// Zoomed tables: the control window at its place where they leave it free,
// else right of them, else below them, else at its place after all.
TEST(WindowPlacement, ControlWindowMovesOutOfTheZoomedTables) {
  const QRect screen(0, 0, 1280, 1024);
  EXPECT_EQ(PlaceControlBesideTables(screen, QRect(0, 0, 802, 630), kControl), QPoint(808, 78));
  EXPECT_EQ(PlaceControlBesideTables(screen, QRect(0, 0, 852, 630), kControl), QPoint(852, 78));
  EXPECT_EQ(PlaceControlBesideTables(screen, QRect(0, 0, 1002, 500), kControl), QPoint(808, 500));
  EXPECT_EQ(PlaceControlBesideTables(screen, QRect(0, 0, 1202, 924), kControl), QPoint(808, 78));
}

TEST(WindowPlacement, StartsAtTheAvailableArea) {
  const QRect below_panel(0, 30, 1920, 1050);
  const TablePlaces places = PlaceTableWindows(below_panel, kTable);
  EXPECT_EQ(places.ExportFrame, QPoint(0, 30));
  EXPECT_EQ(places.ImportFrame, QPoint(0, 30 + 321 - 8));
  EXPECT_EQ(PlaceControlWindow(below_panel, kControl), QPoint(808, 78));
  EXPECT_EQ(PlaceControlWindow(QRect(100, 100, 1300, 1000), kControl), QPoint(808, 100));
}

// Below the IMPORT frame where it fits, else in the largest room that
// covers no window, shrunk; with no such room, as low as the screen allows.
TEST(WindowPlacement, SampleTextCoversNoWindowWhereTheScreenHasRoom) {
  const FramedWindow sample{QSize(520, 460), QMargins(1, 22, 1, 5)};
  const std::vector<QRect> in_sight = {{0, 0, 808, 328}, {0, 320, 808, 328}, {808, 78, 216, 430}};
  const QSize smallest(360, 300);
  EXPECT_EQ(PlaceSampleTextWindow(QRect(0, 0, 1920, 1200), in_sight, sample, smallest), QRect(0, 648, 522, 487));
  EXPECT_EQ(PlaceSampleTextWindow(QRect(0, 0, 1280, 1024), in_sight, sample, smallest), QRect(808, 508, 472, 487));
  EXPECT_EQ(PlaceSampleTextWindow(QRect(0, 0, 1280, 900), in_sight, sample, smallest), QRect(808, 508, 472, 392));
  EXPECT_EQ(PlaceSampleTextWindow(QRect(50, 30, 800, 400), in_sight, sample, smallest), QRect(50, 30, 522, 487));
  EXPECT_EQ(PlaceSampleTextWindow(QRect(0, 0, 1024, 768), in_sight, sample, smallest), QRect(0, 768 - 487, 522, 487));
}

TEST(WindowPlacement, SmallScreenKeepsEveryCaptionBarOnIt) {
  const QRect screens[] = {{0, 0, 640, 512}, {0, 0, 800, 600}, {0, 0, 1024, 600}, {0, 24, 640, 400}};
  for (const QRect& screen : screens) {
    const TablePlaces places = PlaceTableWindows(screen, kTable);
    const std::pair<QPoint, FramedWindow> windows[] = {
        {places.ExportFrame, kTable}, {places.ImportFrame, kTable}, {PlaceControlWindow(screen, kControl), kControl}};
    for (const auto& [at, window] : windows) {
      const QRect frame = FrameRect(at, window);
      const QRect caption(at, QSize(std::min(frame.width(), screen.width()), window.Frame.top()));
      EXPECT_TRUE(screen.contains(caption))
          << screen.width() << "x" << screen.height() << " at " << at.x() << "," << at.y();
    }
    // The IMPORT window, pushed up, still leaves the EXPORT caption bar free.
    EXPECT_GE(places.ImportFrame.y(), places.ExportFrame.y() + kTable.Frame.top());
  }
}

// Table frames are 321 pixels high with a caption bar of 22: the IMPORT frame
// moves down to the EXPORT caption bar's lower edge while the screen holds
// both caption bars, and a control window is pushed in from the right edge.
TEST(WindowPlacement, ExactPlacesAtTheLimits) {
  const std::pair<int, int> import_tops[] = {{343, 22}, {342, 22}, {330, 22}, {44, 22}, {43, 0}};
  for (const auto& [height, top] : import_tops)
    EXPECT_EQ(PlaceTableWindows(QRect(0, 0, 800, height), kTable).ImportFrame, QPoint(0, top)) << height;
  EXPECT_EQ(PlaceControlWindow(QRect(0, 0, 1024, 768), kControl), QPoint(600, 78));
  EXPECT_EQ(PlaceControlWindow(QRect(100, 0, 1000, 768), kControl), QPoint(676, 78));
}

}  // namespace
