#include "ModalHelper.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace TestSupport {

namespace {

void poll(QWidget *previous, std::function<void(QWidget *)> action, int turnsLeft)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != previous) {
        action(modal);
        return;
    }
    if (turnsLeft <= 0)
        return;
    QTimer::singleShot(0, [previous, action = std::move(action), turnsLeft]() mutable {
        poll(previous, std::move(action), turnsLeft - 1);
    });
}

} // namespace

void whenModal(std::function<void(QWidget *)> action)
{
    QWidget *current = QApplication::activeModalWidget();
    QTimer::singleShot(0, [current, action = std::move(action)]() mutable {
        poll(current, std::move(action), 10000);
    });
}

} // namespace TestSupport
