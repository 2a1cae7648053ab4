#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where the program's windows go: each one's whole frame, caption and close box included,
// inside the available area of its screen and clear of the presentation tool bar. Every
// window and dialog is placed here.
namespace WindowPlacement {

// --- Arithmetic, in screen pixels ---

// The bar as it stands when slid in: a bar across an edge of the area (slid out of sight or
// not, it comes back under the cursor) lies flush with that edge. A bar that reaches no edge
// is where it is.
QRect dockedBar(const QRect &bar, const QRect &area);

// The part of the area beside a bar docked at one of its edges; the whole area otherwise.
QRect roomBesideBar(const QRect &area, const QRect &bar);

// The frame moved into the area as little as it takes, and moved off the bar when it lies
// under it. A frame larger than its room is cut to it: its window shows less, or scrolls.
QRect fitFrame(const QRect &frame, const QRect &area, const QRect &bar = QRect());

// The scale at which a window of that client size fits the room in its frame: 1 when it
// fits as it is.
double templateScale(const QSize &client, const QMargins &frame, const QSize &room);

// --- Windows ---

// The always-on-top tool bar that other windows keep clear of while it is shown; nullptr
// when there is none.
void setToolBar(QWidget *bar);

// The frame around the window's client area: the window system's once it has framed the
// window, before that the one it gave another of the program's windows, or the style's
// caption above thin borders. None for a window without a frame.
QMargins frameMargins(const QWidget *window);

// The scale at which a window of that client size fits the screen it opens on (beside the
// tool bar), for laying out its template.
double templateScale(const QWidget *window, const QSize &client);

// From now on, each time the window is shown it opens whole on its screen: where it was put
// (a dialog centred over its owner), moved in as far as needed, and cut to the screen when
// larger. Windows made to fit a screen smaller than their template scroll what they hold.
void keepOnScreen(QWidget *window);

// Puts the window's frame with its top-left corner at the point, or as near as keeps it
// whole on the screen; a window not shown yet goes there when it is.
void placeFrameAt(QWidget *window, QPoint topLeft);

// The window takes the whole screen it is on, exactly: no caption, nothing off the screen.
void coverScreen(QWidget *window);

// A page for the window's controls inside a scroll area that fills the window: a window
// made smaller than the page shows the rest by scrolling. The window's own background shows
// through.
QWidget *scrollingPage(QWidget *window);

} // namespace WindowPlacement
