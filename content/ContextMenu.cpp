#include "ContextMenu.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

namespace ContextMenu {

namespace {

class RightButtonFilter final : public QObject
{
public:
    RightButtonFilter(QWidget *window, std::function<void(const QPoint &)> onPress)
        : QObject(window)
        , m_onPress(std::move(onPress))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            auto mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::RightButton) {
                m_onPress(mouse->globalPosition().toPoint());
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(const QPoint &)> m_onPress;
};

} // namespace

void watchRightButton(QWidget *window, std::function<void(const QPoint &)> onPress)
{
    auto filter = new RightButtonFilter(window, std::move(onPress));
    window->installEventFilter(filter);
    for (QWidget *child : window->findChildren<QWidget *>())
        child->installEventFilter(filter);
}

QAction *addCommand(QMenu *menu, const QString &text, int id, QObject *context, std::function<void(int)> run)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setData(id);
    QObject::connect(action, &QAction::triggered, context, [id, run = std::move(run)] { run(id); });
    return action;
}

} // namespace ContextMenu
