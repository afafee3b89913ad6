#include "ui/windowplacement.h"

#include <algorithm>

namespace {

QSize FrameSize(const FramedWindow& window) { return window.Size.grownBy(window.Frame); }

// The nearest place to wanted at which the frame lies inside the area; a
// frame larger than the area keeps its top left corner inside.
QPoint KeepInside(const QPoint& wanted, const QSize& frame_size, const QRect& available) {
  const int right = std::max(available.left(), available.right() + 1 - frame_size.width());
  const int bottom = std::max(available.top(), available.bottom() + 1 - frame_size.height());
  return QPoint(std::clamp(wanted.x(), available.left(), right), std::clamp(wanted.y(), available.top(), bottom));
}

}  // namespace

TablePlaces PlaceTableWindows(const QRect& available, const FramedWindow& table_window) {
  const QSize frame = FrameSize(table_window);
  TablePlaces places;
  places.ExportFrame = KeepInside(available.topLeft(), frame, available);
  const QPoint below_export(places.ExportFrame.x(), places.ExportFrame.y() + frame.height() - kImportOverlap);
  places.ImportFrame = KeepInside(below_export, frame, available);
  const int caption = table_window.Frame.top();
  const int below_caption = places.ExportFrame.y() + caption;
  if (places.ImportFrame.y() < below_caption && below_caption + caption <= available.bottom() + 1)
    places.ImportFrame.setY(below_caption);
  return places;
}

QPoint PlaceControlWindow(const QRect& available, const FramedWindow& control_window) {
  return KeepInside(kControlPlace, FrameSize(control_window), available);
}

QPoint PlaceControlBesideTables(const QRect& available, const QRect& tables, const FramedWindow& control_window) {
  const QSize frame = FrameSize(control_window);
  const QPoint designed = PlaceControlWindow(available, control_window);
  for (const QPoint& place :
       {designed, QPoint(tables.right() + 1, designed.y()), QPoint(designed.x(), tables.bottom() + 1)}) {
    const QRect candidate(place, frame);
    if (available.contains(candidate) && !candidate.intersects(tables)) return place;
  }
  return designed;
}

namespace {

bool CoversAny(const QRect& frame, const std::vector<QRect>& in_sight) {
  return std::any_of(in_sight.begin(), in_sight.end(), [&frame](const QRect& r) { return frame.intersects(r); });
}

// The room from corner towards the area's lower right, at most wanted,
// narrowed or lowered until it covers nothing in sight; empty if none.
QRect RoomAt(const QPoint& corner, const QSize& wanted, const QRect& available, const std::vector<QRect>& in_sight) {
  if (!available.contains(corner)) return QRect();
  QRect room(corner, wanted.boundedTo(QSize(available.right() + 1 - corner.x(), available.bottom() + 1 - corner.y())));
  for (const QRect& r : in_sight) {
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

QRect PlaceSampleTextWindow(const QRect& available, const std::vector<QRect>& in_sight,
                            const FramedWindow& sample_window, const QSize& smallest) {
  const QSize wanted = FrameSize(sample_window);
  std::vector<QPoint> corners;
  for (const QRect& r : in_sight) corners.emplace_back(r.left(), r.bottom() + 1);
  for (const QRect& r : in_sight) corners.emplace_back(r.right() + 1, r.top());
  QRect best;
  for (const QPoint& corner : corners) {
    const QRect room = RoomAt(corner, wanted, available, in_sight);
    if (room.isEmpty() || CoversAny(room, in_sight)) continue;
    if (room.size() == wanted) return room;
    const QSize least = smallest.grownBy(sample_window.Frame);
    const bool large_enough = room.width() >= least.width() && room.height() >= least.height();
    if (large_enough && room.width() * room.height() > best.width() * best.height()) best = room;
  }
  if (!best.isEmpty()) return best;
  int below = available.top();
  for (const QRect& r : in_sight)
    if (r.left() <= available.left()) below = std::max(below, r.bottom() + 1);
  return QRect(KeepInside(QPoint(available.left(), below), wanted, available), wanted);
}
