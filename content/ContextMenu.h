#pragma once

#include <functional>

class QAction;
class QMenu;
class QObject;
class QPoint;
class QString;
class QWidget;

// The pop-up menus of the knowledge-point dialog and the presenter: opened by a right-button
// press anywhere in the window, built afresh each time, their items carrying the window's
// command numbers.
namespace ContextMenu {

// Every right-button press on the window or a widget in it goes to onPress, with its point
// on the screen, and no further.
void watchRightButton(QWidget *window, std::function<void(const QPoint &)> onPress);

// An item "command<id>" whose choice runs run(id) while context lives.
QAction *addCommand(QMenu *menu, const QString &text, int id, QObject *context, std::function<void(int)> run);

} // namespace ContextMenu
