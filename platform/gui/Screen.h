#pragma once

#include <QSize>

// Screen measures that windows place themselves by.
namespace Screen {

QSize size();
// The part of the screen that the task bar takes at the bottom (full minus available height).
int taskbarHeight();
int captionHeight();

} // namespace Screen
