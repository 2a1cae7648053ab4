#pragma once

#include <QSize>

class QWidget;

// Screen measures that windows place themselves by.
namespace Screen {

QSize size();
// The size of the screen the window is on.
QSize size(const QWidget *window);
// The part of the screen that the task bar takes at the bottom (full minus available height).
int taskbarHeight();
int captionHeight();

} // namespace Screen
