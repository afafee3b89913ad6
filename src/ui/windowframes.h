// The frame a window manager puts around a window. Once it is known,
// QWidget::move places the frame, not the window inside it.
#pragma once

#include <QMargins>

class QWidget;

// What the frame of a shown window adds on each side. The window manager
// tells it only after the window is on the screen, so this waits for it a
// little; without a window manager it is empty at once.
QMargins FrameOnScreen(QWidget& window);
