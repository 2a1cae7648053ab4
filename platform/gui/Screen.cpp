#include "Screen.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace Screen {

QSize size()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

QSize size(const QWidget *window)
{
    const QScreen *screen = window->screen();
    return screen ? screen->geometry().size() : size();
}

int taskbarHeight()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    return screen->geometry().height() - screen->availableGeometry().height();
}

int captionHeight()
{
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

} // namespace Screen
