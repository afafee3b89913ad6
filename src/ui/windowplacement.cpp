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

QPoint PlaceControlBesideTables(const QRect& available, const QRect& tables, const FramedWindow& controlWindow) {
  const QSize frame = FrameSize(controlWindow);
  const QPoint designed = PlaceControlWindow(available, controlWindow);
  for (const QPoint& place :
       {designed, QPoint(tables.right() + 1, designed.y()), QPoint(designed.x(), tables.bottom() + 1)}) {
    const QRect candidate(place, frame);
    if (available.contains(candidate) && !candidate.intersects(tables)) return place;
  }
  return designed;
}

namespace {

bool CoversAny(const QRect& frame, const std::vector<QRect>& inSight) {
  return std::any_of(inSight.begin(), inSight.end(), [&frame](const QRect& r) { return frame.intersects(r); });
}

// The room from corner towards the area's lower right, at most wanted,
// narrowed or lowered until it covers nothing in sight; empty if none.
QRect RoomAt(const QPoint& corner, const QSize& wanted, const QRect& available, const std::vector<QRect>& inSight) {
  if (!available.contains(corner)) return QRect();
  QRect room(corner, wanted.boundedTo(QSize(available.right() + 1 - corner.x(), available.bottom() + 1 - corner.y())));
  for (const QRect& r : inSight) {
    if (!room.intersects(r)) continue;
    if (r.left() > corner.x())
      room.setRight(r.left() - 1);
    else if (r.top() > corner.y())
      room.setBottom(r.top() - 1);
    else
      return QRect();
  }
  return room;
}

}  // namespace

QRect PlaceSampleTextWindow(const QRect& available, const std::vector<QRect>& inSight, const FramedWindow& sampleWindow,
                            const QSize& smallest) {
  const QSize wanted = FrameSize(sampleWindow);
  std::vector<QPoint> corners;
  for (const QRect& r : inSight) corners.emplace_back(r.left(), r.bottom() + 1);
  for (const QRect& r : inSight) corners.emplace_back(r.right() + 1, r.top());
  QRect best;
  for (const QPoint& corner : corners) {
    const QRect room = RoomAt(corner, wanted, available, inSight);
    if (room.isEmpty() || CoversAny(room, inSight)) continue;
    if (room.size() == wanted) return room;
    const QSize least = smallest.grownBy(sampleWindow.Frame);
    const bool largeEnough = room.width() >= least.width() && room.height() >= least.height();
    if (largeEnough && room.width() * room.height() > best.width() * best.height()) best = room;
  }
  if (!best.isEmpty()) return best;
  int below = available.top();
  for (const QRect& r : inSight)
    if (r.left() <= available.left()) below = std::max(below, r.bottom() + 1);
  return QRect(KeepInside(QPoint(available.left(), below), wanted, available), wanted);
}
