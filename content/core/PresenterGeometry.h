#pragma once

#include <QRect>
#include <QSize>

// Where the presenter and the knowledge-point entry dialog put themselves and their text
// boxes, from the screen's size and the height of a window caption: the boxes span the
// screen's width, in thirds (t) and sevenths (s) of its height.
namespace PresenterGeometry {

// How much of the screen the knowledge point takes in presentation.
enum DisplayMode { ShowThird = 1, ShowTwoThirds = 2, ShowFull = 3 };

struct Box
{
    QRect rect; // in the window's client area
    bool visible = false;
};

struct Layout
{
    QRect window;     // on the screen, caption included
    bool caption = false;
    QSize client;     // the window less its caption
    Box top, middle, bottom;
};

// Full screen without a caption: the point, the question, the answer.
Layout presentation(const QSize &screen, int displayMode);
// A strip at the top with a caption: the question and its answer; no top box.
Layout editQuestion(const QSize &screen, int captionHeight);
// A strip at the top with a caption: the point (s high), the new question, its answer.
Layout newQuestion(const QSize &screen, int captionHeight);

struct EntryLayout
{
    QRect window; // caption included
    QSize client;
    QRect box;    // the text box, below two button heights
};

// The entry dialog: the screen's width, a third of its height for the text.
EntryLayout pointEntry(const QSize &screen, int captionHeight, int buttonHeight);

} // namespace PresenterGeometry
