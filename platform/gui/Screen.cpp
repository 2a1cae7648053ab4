#include "Screen.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

namespace Screen {

QSize size()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
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
