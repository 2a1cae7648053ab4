#include "WindowPlacement.h"

#include <QWidget>
#include <QWindow>

namespace WindowPlacement {

void placeFrameAt(QWidget *window, QPoint topLeft)
{
    QWindow *handle = window->windowHandle();
    // Before its native window exists a window's position is that of its frame, and once
    // the frame is known move() allows for it. In between, only the window system knows
    // where the client area goes: it is asked to put the frame there.
    if (!handle || !handle->frameMargins().isNull())
        window->move(topLeft);
    else
        handle->setFramePosition(topLeft);
}

} // namespace WindowPlacement
