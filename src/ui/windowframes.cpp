#include "ui/windowframes.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Long enough for a window manager to frame a new window.
constexpr int kFrameWaitMilliseconds = 5000;
constexpr int kLookEveryMilliseconds = 10;

}  // namespace

void WhenFramed(QWidget& window, const std::function<void(const QMargins& frame)>& place) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* look = new QTimer(&window);
  look->setInterval(kLookEveryMilliseconds);
  const QDeadlineTimer deadline(kFrameWaitMilliseconds);
  QObject::connect(look, &QTimer::timeout, &window, [&window, look, deadline, place] {
    // Exposed: the window manager has done its own placing and mapped it.
    const QWindow* handle = window.windowHandle();
    const QMargins frame = handle && handle->isExposed() ? handle->frameMargins() : QMargins();
    if (frame.isNull() && !deadline.hasExpired()) return;
    look->deleteLater();
    look->stop();
    if (!frame.isNull()) place(frame);
  });
  look->start();
}

void MoveFrameTo(QWidget& window, const QPoint& place, const QMargins& frame) {
  // move() puts the window at its argument plus the frame Qt knows of.
  const QPoint known_frame = window.geometry().topLeft() - window.pos();
  window.move(place + QPoint(frame.left(), frame.top()) - known_frame);
}
