#pragma once

#include <functional>

class QWidget;

namespace TestSupport {

// Runs action on the next modal dialog once it is up (the caller then blocks in exec()).
// Gives up after a bounded number of event-loop turns so that no test hangs.
void whenModal(std::function<void(QWidget *)> action);

} // namespace TestSupport
