#include "ToolBarGeometry.h"

#include <algorithm>

namespace ToolBarGeometry {

namespace {

// A hover counts up to this far past the screen's right edge.
constexpr int kHoverReach = 10;

// A tenth of the length; never 0, so a bar under ten pixels still reaches its end.
int stepOf(int length)
{
    return std::max(1, length / 10);
}

// A bar at a side edge reaches from above the screen's top down to the task bar.
void spanSideEdge(Rect &r, const Measures &m)
{
    r.top = -m.edgeHeight;
    r.bottom = m.screen.height() - m.taskbarHeight;
}

} // namespace

Placement dock(QPoint cursor, Rect r, int currentHeight, Docking d, const Measures &m)
{
    const int h = r.height();
    const int w = r.width();
    const int screenHeight = m.screen.height();
    const int screenWidth = m.screen.width();
    const int aboveTaskbar = screenHeight - m.taskbarHeight;

    if (cursor.y() <= kDockZone) {
        r.top = -m.edgeHeight;
        r.bottom = h - m.edgeHeight;
        d.side = DockSide::Top;
    } else if (cursor.y() >= aboveTaskbar - kDockZone) {
        r.bottom = aboveTaskbar;
        r.top = r.bottom - h;
        d.side = DockSide::Bottom;
    } else if (cursor.x() < kDockZone || cursor.x() >= screenWidth - kDockZone) {
        if (!d.stretched)
            d.savedHeight = currentHeight;
        const bool left = cursor.x() < kDockZone;
        r.left = left ? 0 : screenWidth - w;
        r.right = left ? w : screenWidth;
        spanSideEdge(r, m);
        d.stretched = true;
        d.side = left ? DockSide::Left : DockSide::Right;
    } else {
        if (d.stretched) {
            r.bottom = r.top + d.savedHeight;
            d.stretched = false;
        }
        d.side = DockSide::None;
    }
    return {r, d};
}

Step slideOut(DockSide side, Rect r, const Measures &m)
{
    const int h = r.height();
    const int w = r.width();
    const int f = m.frameWidth;
    bool done = false;
    switch (side) {
    case DockSide::None:
        return {r, true};
    case DockSide::Top:
        r.bottom -= stepOf(h);
        if (r.bottom <= f) {
            r.bottom = f;
            done = true;
        }
        r.top = r.bottom - h;
        break;
    case DockSide::Bottom:
        r.top += stepOf(h);
        if (r.top >= m.screen.height() - f) {
            r.top = m.screen.height() - f;
            done = true;
        }
        r.bottom = r.top + h;
        break;
    case DockSide::Left:
        r.right -= stepOf(w);
        if (r.right <= f) {
            r.right = f;
            done = true;
        }
        r.left = r.right - w;
        spanSideEdge(r, m);
        break;
    case DockSide::Right:
        r.left += stepOf(w);
        if (r.left >= m.screen.width() - f) {
            r.left = m.screen.width() - f;
            done = true;
        }
        r.right = r.left + w;
        spanSideEdge(r, m);
        break;
    }
    return {r, done};
}

Step slideIn(DockSide side, Rect r, const Measures &m)
{
    const int h = r.height();
    const int w = r.width();
    bool done = false;
    switch (side) {
    case DockSide::None:
        return {r, true};
    case DockSide::Top:
        r.top += stepOf(h);
        if (r.top >= -m.edgeHeight) {
            r.top = -m.edgeHeight;
            done = true;
        }
        r.bottom = r.top + h;
        break;
    case DockSide::Bottom:
        // Into view down to the screen's bottom, over the task bar.
        r.top -= stepOf(h);
        if (r.top <= m.screen.height() - h) {
            r.top = m.screen.height() - h;
            done = true;
        }
        r.bottom = r.top + h;
        break;
    case DockSide::Left:
        r.right += stepOf(w);
        if (r.right >= w) {
            r.right = w;
            done = true;
        }
        r.left = r.right - w;
        spanSideEdge(r, m);
        break;
    case DockSide::Right:
        r.left -= stepOf(w);
        if (r.left <= m.screen.width() - w) {
            r.left = m.screen.width() - w;
            done = true;
        }
        r.right = r.left + w;
        spanSideEdge(r, m);
        break;
    }
    return {r, done};
}

Rect keepMinimumSize(SizingEdge edge, Rect r)
{
    const int w = r.width();
    const int h = r.height();
    if (w >= kMinimumWidth && h >= kMinimumHeight)
        return r;
    // The corners compare as they always have: the left ones with "at most", the right
    // ones with "below".
    switch (edge) {
    case SizingEdge::Left:
        r.left = r.right - kMinimumWidth;
        break;
    case SizingEdge::Right:
        r.right = r.left + kMinimumWidth;
        break;
    case SizingEdge::Top:
        r.top = r.bottom - kMinimumHeight;
        break;
    case SizingEdge::Bottom:
        r.bottom = r.top + kMinimumHeight;
        break;
    case SizingEdge::TopLeft:
    case SizingEdge::BottomLeft:
        if (w <= kMinimumWidth)
            r.left = r.right - kMinimumWidth;
        if (h <= kMinimumHeight) {
            if (edge == SizingEdge::TopLeft)
                r.top = r.bottom - kMinimumHeight;
            else
                r.bottom = r.top + kMinimumHeight;
        }
        break;
    case SizingEdge::TopRight:
    case SizingEdge::BottomRight:
        if (w < kMinimumWidth)
            r.right = r.left + kMinimumWidth;
        if (h < kMinimumHeight) {
            if (edge == SizingEdge::TopRight)
                r.top = r.bottom - kMinimumHeight;
            else
                r.bottom = r.top + kMinimumHeight;
        }
        break;
    }
    return r;
}

bool cursorHasLeft(QPoint cursor, Rect bar)
{
    const bool inside = cursor.x() >= bar.left - kWatchMargin && cursor.x() < bar.right + kWatchMargin
                        && cursor.y() >= bar.top - kWatchMargin && cursor.y() < bar.bottom + kWatchMargin;
    return !inside;
}

bool hoverSlidesIn(DockSide side, bool shown, QPoint point, int screenWidth)
{
    return side != DockSide::None && !shown && point.x() < screenWidth + kHoverReach;
}

int taskbarHeight(int measured)
{
    return measured > 0 ? measured : kDefaultTaskbarHeight;
}

QPoint topCentre(QSize screen, QSize bar)
{
    return {screen.width() / 2 - bar.width() / 2, 0};
}

} // namespace ToolBarGeometry
