// The frame a window manager puts around a window, and moving a window by
// its frame.
#pragma once

#include <QMargins>
#include <QPoint>
#include <functional>

class QWidget;

// Calls place with what the frame adds on each side, once the window
// manager has framed the shown window. The frame comes a moment after the
// window is on the screen; where no window manager frames windows (no X
// server, none running) place is never called.
void WhenFramed(QWidget& window, const std::function<void(const QMargins& frame)>& place);

// Moves a shown window so that the top left corner of its frame lies at
// place. QWidget::move alone goes by the frame Qt last heard of, which may
// be none yet.
void MoveFrameTo(QWidget& window, const QPoint& place, const QMargins& frame);
