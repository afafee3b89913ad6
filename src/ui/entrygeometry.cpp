#include "ui/entrygeometry.h"

namespace {

constexpr int kBorderWidth = 5;
constexpr int kBarHeight = 17;
constexpr int kBarMargin = 2;
constexpr QMargins kInputBoxMargins(6, 24, 6, 25);

}  // namespace

// The border fills the frame and shows around the inner panel, which the
// header box fills; the scroll bar sits at the header box's bottom and the
// input box keeps its distances to all four sides.
PanelPlaces PlacePanels(const QSize& frame) {
  PanelPlaces places;
  places.Border = QRect(QPoint(0, 0), frame);
  places.Inner = places.Border.adjusted(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth);
  places.HeaderBox = QRect(QPoint(0, 0), places.Inner.size());
  const QSize box = places.HeaderBox.size();
  places.PositionBar =
      QRect(kBarMargin, box.height() - kBarHeight - kBarMargin, box.width() - 2 * kBarMargin, kBarHeight);
  places.InputBox = places.HeaderBox.marginsRemoved(kInputBoxMargins);
  return places;
}
