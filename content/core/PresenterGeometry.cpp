#include "PresenterGeometry.h"

namespace PresenterGeometry {

namespace {

Box shown(int top, int width, int height)
{
    return {QRect(0, top, width, height), true};
}

// A captioned window's height is given with half a caption to spare for its frame.
Layout captioned(const QSize &screen, int captionHeight, int boxesHeight)
{
    Layout layout;
    const int height = static_cast<int>(boxesHeight + 1.5 * captionHeight);
    layout.window = QRect(0, 0, screen.width(), height);
    layout.caption = true;
    layout.client = QSize(screen.width(), height - captionHeight);
    return layout;
}

} // namespace

Layout presentation(const QSize &screen, int displayMode)
{
    const int cx = screen.width();
    const int t = screen.height() / 3;
    Layout layout;
    layout.window = QRect(QPoint(0, 0), screen);
    layout.client = screen;
    switch (displayMode) {
    case ShowTwoThirds:
        layout.top = shown(0, cx, 2 * t);
        layout.middle = shown(2 * t, cx, t);
        break;
    case ShowFull:
        layout.top = shown(0, cx, screen.height());
        break;
    default:
        layout.top = shown(0, cx, t);
        layout.middle = shown(t, cx, t);
        layout.bottom = shown(2 * t, cx, t);
        break;
    }
    return layout;
}

Layout editQuestion(const QSize &screen, int captionHeight)
{
    const int t = screen.height() / 3;
    Layout layout = captioned(screen, captionHeight, 2 * t);
    layout.middle = shown(0, screen.width(), t);
    layout.bottom = shown(t, screen.width(), t);
    return layout;
}

Layout newQuestion(const QSize &screen, int captionHeight)
{
    const int t = screen.height() / 3;
    const int s = screen.height() / 7;
    Layout layout = captioned(screen, captionHeight, s + 2 * t);
    layout.top = shown(0, screen.width(), s);
    layout.middle = shown(s, screen.width(), t);
    layout.bottom = shown(s + t, screen.width(), t);
    return layout;
}

EntryLayout pointEntry(const QSize &screen, int captionHeight, int buttonHeight)
{
    const int third = screen.height() / 3;
    const int height = third + 2 * buttonHeight + captionHeight;
    EntryLayout layout;
    layout.window = QRect(0, 0, screen.width(), height);
    layout.client = QSize(screen.width(), height - captionHeight);
    layout.box = QRect(0, 2 * buttonHeight, screen.width(), third);
    return layout;
}

} // namespace PresenterGeometry
