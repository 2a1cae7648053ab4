#pragma once

#include <functional>

class QString;
class QWidget;

namespace TestSupport {

// Runs action on the next modal dialog once it is up (the caller then blocks in exec()).
// Gives up after a bounded number of event-loop turns so that no test hangs.
void whenModal(std::function<void(QWidget *)> action);

// Clicks the dialog's button of that object name ("button<id>" for an id). A button that is
// not there fails the running test and closes the dialog, so the test goes on at once
// instead of waiting for its time-out.
void clickButton(QWidget *dialog, const QString &objectName);
void clickButton(QWidget *dialog, int id);

// Closes a dialog as its close box does.
void closeDialog(QWidget *dialog);

} // namespace TestSupport
