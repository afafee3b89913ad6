#include "ui/windowframes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

// Long enough for a window manager to frame a new window, short enough not
// to hold up a start on an X server without one.
constexpr int FrameWaitMilliseconds = 500;

bool FramesCanCome() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace

QMargins FrameOnScreen(QWidget& window) {
  QWindow* handle = window.windowHandle();
  if (!handle || !window.isVisible() || !FramesCanCome()) return QMargins();
  const QDeadlineTimer deadline(FrameWaitMilliseconds);
  while (handle->frameMargins().isNull() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
  return handle->frameMargins();
}
