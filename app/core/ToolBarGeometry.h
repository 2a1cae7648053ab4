#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the presentation tool bar docks, how it slides in and out at a screen edge and how
// small it may be made, from the cursor, the bar's rectangle and the screen's measures. The
// window feeds these and applies what comes back.
namespace ToolBarGeometry {

// A cursor this close to a screen edge docks the bar there.
inline constexpr int kDockZone = 20;
// The cursor may stray this far outside a slid-in bar before it slides out again.
inline constexpr int kWatchMargin = 10;
inline constexpr int kMinimumWidth = 200;
inline constexpr int kMinimumHeight = 400;
// The height a bar leaving a side edge gets back when it never had one saved.
inline constexpr int kDefaultSavedHeight = 400;
// Used when the screen reports no task bar.
inline constexpr int kDefaultTaskbarHeight = 30;
// A window's 3-D edge, which a bar docked at the top hides above the screen, and a sizing
// frame, the strip a slid-out bar leaves on screen to be found again.
inline constexpr int kEdgeHeight = 2;
inline constexpr int kFrameWidth = 4;

enum class DockSide { None = 0, Top = 1, Bottom = 2, Left = 3, Right = 4 };

// The edge or corner being dragged in a resize, numbered as window managers number them.
enum class SizingEdge { Left = 1, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };

// A window rectangle by its four edges; right and bottom lie just outside the window.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    QRect toQRect() const { return QRect(QPoint(left, top), QSize(width(), height())); }
    static Rect fromQRect(const QRect &r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    bool operator==(const Rect &) const = default;
};

struct Measures
{
    QSize screen;
    int taskbarHeight = kDefaultTaskbarHeight;
    int edgeHeight = kEdgeHeight;
    int frameWidth = kFrameWidth;
};

// The side the bar is docked at, and for a side edge the height it had before.
struct Docking
{
    DockSide side = DockSide::Top;
    bool stretched = false;
    int savedHeight = kDefaultSavedHeight;
    bool operator==(const Docking &) const = default;
};

struct Placement
{
    Rect rect;
    Docking docking;
};

// A move's proposed rectangle placed by the zone the cursor is in, tested top, bottom,
// left, right: at the top or bottom the bar keeps its height, at a side it is stretched to
// the screen's height above the task bar, and out of every zone a stretched bar gets its
// saved height back. currentHeight is the bar's height before this move.
Placement dock(QPoint cursor, Rect proposed, int currentHeight, Docking docking, const Measures &screen);

struct Step
{
    Rect rect;
    bool done = false;
};

// One tenth of the bar (at least one pixel) further out of sight, or back into view. An
// undocked bar does not move and is done at once.
Step slideOut(DockSide side, Rect current, const Measures &screen);
Step slideIn(DockSide side, Rect current, const Measures &screen);

// A resize that would make the bar narrower than 200 or lower than 400 pixels: the dragged
// edge decides which sides are pulled back.
Rect keepMinimumSize(SizingEdge edge, Rect proposed);

// True once the cursor is more than the watch margin outside the bar.
bool cursorHasLeft(QPoint cursor, Rect bar);

// A hover over a docked bar that has slid out brings it back.
bool hoverSlidesIn(DockSide side, bool shown, QPoint point, int screenWidth);

// The measured task bar height, or the default when the screen reports none.
int taskbarHeight(int measured);

// Where the bar first appears: centred at the top of the screen.
QPoint topCentre(QSize screen, QSize bar);

} // namespace ToolBarGeometry
