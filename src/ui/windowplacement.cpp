#include "ui/windowplacement.h"

#include <algorithm>

namespace {

QSize FrameSize(const FramedWindow& window) { return window.Size.grownBy(window.Frame); }

// The nearest place to wanted at which the frame lies inside the area; a
// frame larger than the area keeps its top left corner inside.
QPoint KeepInside(const QPoint& wanted, const QSize& frameSize, const QRect& available) {
  const int right = std::max(available.left(), available.right() + 1 - frameSize.width());
  const int bottom = std::max(available.top(), available.bottom() + 1 - frameSize.height());
  return QPoint(std::clamp(wanted.x(), available.left(), right), std::clamp(wanted.y(), available.top(), bottom));
}

}  // namespace

TablePlaces PlaceTableWindows(const QRect& available, const FramedWindow& tableWindow) {
  const QSize frame = FrameSize(tableWindow);
  TablePlaces places;
  places.ExportFrame = KeepInside(available.topLeft(), frame, available);
  const QPoint belowExport(places.ExportFrame.x(), places.ExportFrame.y() + frame.height() - ImportOverlap);
  places.ImportFrame = KeepInside(belowExport, frame, available);
  const int caption = tableWindow.Frame.top();
  const int belowCaption = places.ExportFrame.y() + caption;
  if (places.ImportFrame.y() < belowCaption && belowCaption + caption <= available.bottom() + 1)
    places.ImportFrame.setY(belowCaption);
  return places;
}

QPoint PlaceControlWindow(const QRect& available, const FramedWindow& controlWindow) {
  return KeepInside(ControlPlace, FrameSize(controlWindow), available);
}

QPoint PlaceSampleTextWindow(const QRect& available, int below, const FramedWindow& sampleWindow) {
  return KeepInside(QPoint(available.left(), below), FrameSize(sampleWindow), available);
}
