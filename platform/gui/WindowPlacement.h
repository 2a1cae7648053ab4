#pragma once

#include <QPoint>

class QWidget;

namespace WindowPlacement {

// Puts the window's frame, caption and close box included, with its top-left corner at the
// point, keeping its size. A plain move() right after show() places the client area there
// under a window manager that has not framed the window yet, and the caption then sits
// above the screen.
void placeFrameAt(QWidget *window, QPoint topLeft);

} // namespace WindowPlacement
