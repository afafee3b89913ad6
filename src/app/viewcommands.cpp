// "&Ansicht": the size at which the table windows show their cells.
#include <algorithm>
#include <array>

#include "app/session.h"

namespace {

// Percent of the designed size; 100 is the designed geometry.
constexpr std::array<int, 5> kZoomSteps = {100, 125, 150, 175, 200};

}  // namespace

void Session::SetZoom(int percent) {
  if (percent == zoom_) return;
  zoom_ = percent;
  emit ZoomChanged(zoom_);
}

void Session::EnlargeTableWindows() {
  const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom_);
  if (next != kZoomSteps.end()) SetZoom(*next);
}

void Session::ShrinkTableWindows() {
  const auto next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom_);
  if (next != kZoomSteps.begin()) SetZoom(*(next - 1));
}

void Session::ShowTableWindowsAtNormalSize() { SetZoom(kZoomSteps.front()); }
