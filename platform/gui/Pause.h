#pragma once

#include <functional>

// Waits while the windows keep repainting but take no input, as a short effect between
// draws needs. Tests replace the wait so that they never sleep.
namespace Pause {

void pause(int milliseconds);

// Replaces the wait; an empty function restores the real one.
void setHandler(std::function<void(int)> handler);

} // namespace Pause
