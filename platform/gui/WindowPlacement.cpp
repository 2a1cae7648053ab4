#include "WindowPlacement.h"

#include "Screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

namespace WindowPlacement {

namespace {

// Below this a template's text is too small to read: a window that would need less scrolls.
constexpr double kSmallestScale = 0.75;
// The borders assumed around a window that no window system has framed yet.
constexpr int kAssumedBorder = 4;

QPointer<QWidget> g_toolBar;
// The frame the window system gave one of the program's windows, once it framed one.
QMargins g_knownFrame;

bool isHorizontal(const QRect &bar)
{
    return bar.width() >= bar.height();
}

// The frame moved into the room as little as it takes, and cut to the room where larger.
QRect moveInto(QRect frame, const QRect &room)
{
    frame.setWidth(qMin(frame.width(), room.width()));
    frame.setHeight(qMin(frame.height(), room.height()));
    frame.moveLeft(qBound(room.left(), frame.left(), room.right() - frame.width() + 1));
    frame.moveTop(qBound(room.top(), frame.top(), room.bottom() - frame.height() + 1));
    return frame;
}

QScreen *screenFor(const QWidget *window, const QRect &frame = QRect())
{
    if (QScreen *at = frame.isNull() ? nullptr : QGuiApplication::screenAt(frame.center()))
        return at;
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

QRect toolBarBeside(const QWidget *window)
{
    const QWidget *bar = g_toolBar;
    if (!bar || bar == window || !bar->isVisible())
        return {};
    return bar->frameGeometry();
}

bool hasFrame(const QWidget *window)
{
    const Qt::WindowType type = window->windowType();
    return !window->windowFlags().testFlag(Qt::FramelessWindowHint) && type != Qt::Popup && type != Qt::ToolTip
        && type != Qt::SplashScreen;
}

QMargins knownFrame(const QWindow *handle)
{
    const QMargins margins = handle ? handle->frameMargins() : QMargins();
    if (!margins.isNull())
        g_knownFrame = margins;
    return margins;
}

// Puts the frame there in the size it has, the client area within the margins given.
void apply(QWidget *window, const QRect &frame, const QMargins &margins)
{
    QRect client = frame.marginsRemoved(margins);
    // A window of a fixed size keeps it; its template was scaled to fit.
    client.setSize(client.size().expandedTo(window->minimumSize()));
    QWindow *handle = window->windowHandle();
    if (handle && handle->isVisible() && hasFrame(window) && knownFrame(handle).isNull()) {
        // On the screen but not framed yet: only the window system knows where its client
        // area goes, so it is asked to put the frame at the point.
        window->resize(client.size());
        handle->setFramePosition(frame.topLeft());
        return;
    }
    window->setGeometry(client);
}

// Places the window each time it is shown: where it was put, whole on its screen.
class KeepOnScreen final : public QObject
{
public:
    explicit KeepOnScreen(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

    // Where the frame's top-left corner was put, as near as keeps the window whole.
    void place(QPoint topLeft)
    {
        if (m_window->isFullScreen() || m_window->isMaximized())
            return;
        m_assumed = frameMargins(m_window);
        const QRect frame(topLeft, m_window->size().grownBy(m_assumed));
        const QRect area = screenFor(m_window, frame)->availableGeometry();
        apply(m_window, fitFrame(frame, area, toolBarBeside(m_window)), m_assumed);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && !event->spontaneous()) {
            // The window's own handling first: a dialog centres itself over its owner, a
            // message box takes its size.
            static_cast<QObject *>(m_window)->event(event);
            place(m_window->pos());
            if (QWindow *handle = m_window->windowHandle(); handle && hasFrame(m_window)) {
                handle->removeEventFilter(this);
                handle->installEventFilter(this);
                m_framing = true;
            }
            return true;
        }
        if (m_framing && watched == m_window->windowHandle() && event->type() == QEvent::Expose)
            checkFrame();
        return false;
    }

private:
    // Framed at last: a frame larger than the one assumed may leave the screen.
    void checkFrame()
    {
        const QMargins real = knownFrame(m_window->windowHandle());
        if (real.isNull())
            return;
        m_framing = false;
        if (real == m_assumed)
            return;
        const QRect frame = m_window->frameGeometry();
        const QRect area = screenFor(m_window, frame)->availableGeometry();
        const QRect fitted = fitFrame(frame, area, toolBarBeside(m_window));
        if (fitted != frame)
            apply(m_window, fitted, real);
    }

    QWidget *m_window;
    QMargins m_assumed;
    bool m_framing = false;
};

KeepOnScreen *keeperOf(QWidget *window)
{
    for (QObject *child : window->children()) {
        if (auto keeper = dynamic_cast<KeepOnScreen *>(child))
            return keeper;
    }
    return new KeepOnScreen(window);
}

} // namespace

QRect dockedBar(const QRect &bar, const QRect &area)
{
    QRect docked = bar;
    if (isHorizontal(bar)) {
        if (bar.top() <= area.top())
            docked.moveTop(area.top());
        else if (bar.bottom() >= area.bottom())
            docked.moveBottom(area.bottom());
    } else {
        if (bar.left() <= area.left())
            docked.moveLeft(area.left());
        else if (bar.right() >= area.right())
            docked.moveRight(area.right());
    }
    return docked;
}

QRect roomBesideBar(const QRect &area, const QRect &bar)
{
    QRect room = area;
    if (bar.isNull())
        return room;
    const QRect docked = dockedBar(bar, area);
    if (isHorizontal(docked)) {
        if (docked.top() == area.top())
            room.setTop(docked.bottom() + 1);
        else if (docked.bottom() == area.bottom())
            room.setBottom(docked.top() - 1);
    } else {
        if (docked.left() == area.left())
            room.setLeft(docked.right() + 1);
        else if (docked.right() == area.right())
            room.setRight(docked.left() - 1);
    }
    return room;
}

QRect fitFrame(const QRect &frame, const QRect &area, const QRect &bar)
{
    const QRect fitted = moveInto(frame, area);
    if (bar.isNull() || !fitted.intersects(dockedBar(bar, area)))
        return fitted;
    return moveInto(fitted, roomBesideBar(area, bar));
}

double templateScale(const QSize &client, const QMargins &frame, const QSize &room)
{
    if (client.isEmpty())
        return 1.0;
    const double across = static_cast<double>(room.width() - frame.left() - frame.right()) / client.width();
    const double down = static_cast<double>(room.height() - frame.top() - frame.bottom()) / client.height();
    return qBound(kSmallestScale, qMin(across, down), 1.0);
}

void setToolBar(QWidget *bar)
{
    g_toolBar = bar;
}

QMargins frameMargins(const QWidget *window)
{
    if (!hasFrame(window))
        return {};
    const QMargins own = knownFrame(window->windowHandle());
    if (!own.isNull())
        return own;
    if (g_knownFrame.isNull()) {
        for (const QWindow *other : QGuiApplication::topLevelWindows()) {
            if (other->isVisible() && !knownFrame(other).isNull())
                break;
        }
    }
    if (!g_knownFrame.isNull())
        return g_knownFrame;
    return QMargins(kAssumedBorder, Screen::captionHeight() + kAssumedBorder, kAssumedBorder, kAssumedBorder);
}

double templateScale(const QWidget *window, const QSize &client)
{
    const QRect area = screenFor(window)->availableGeometry();
    return templateScale(client, frameMargins(window), roomBesideBar(area, toolBarBeside(window)).size());
}

void keepOnScreen(QWidget *window)
{
    keeperOf(window);
}

void placeFrameAt(QWidget *window, QPoint topLeft)
{
    KeepOnScreen *keeper = keeperOf(window);
    // Before it is shown a window's position is that of its frame; the showing fits it.
    if (window->isVisible())
        keeper->place(topLeft);
    else
        window->move(topLeft);
}

void coverScreen(QWidget *window)
{
    window->setGeometry(screenFor(window)->geometry());
    window->setWindowState(window->windowState() | Qt::WindowFullScreen);
}

QWidget *scrollingPage(QWidget *window)
{
    auto scroll = new QScrollArea(window);
    scroll->setObjectName(QStringLiteral("scrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    // The window's controls keep the focus order they had.
    scroll->setFocusPolicy(Qt::NoFocus);
    // As large as the page from the start, so that it opens without scroll bars it has no use for.
    scroll->setGeometry(window->rect());
    auto page = new QWidget;
    page->setObjectName(QStringLiteral("scrollingPage"));
    page->resize(window->size());
    scroll->setWidget(page);
    page->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    auto layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return page;
}

} // namespace WindowPlacement
