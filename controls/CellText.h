#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

// Text and colour arithmetic of the painted lists and headers, kept apart from painting so that
// it can be checked directly.
namespace CellText {

constexpr int kMaxLines = 3;

struct Lines
{
    QString text;   // what is drawn: cut before a third line break
    int count = 1;  // the lines the cell is centred as
};

// Line breaks are looked for from the second character on; at most three lines are kept.
Lines splitLines(const QString &text);

// How far a cell's text moves down so that `count` lines of `lineHeight` sit in the middle of
// a rectangle `height` tall (may be negative when they do not fit).
int centreOffset(int height, int lineHeight, int count);

// Colour of pixel row `row` of a header gradient that starts at r, g, b and loses `step` per
// row on each channel, never below 0. Channels are taken as bytes, as a colour value keeps them.
QColor gradientRow(int r, int g, int b, int step, int row);

// The rows of such a gradient, `height` tall, made again only when the colour, the step or
// the height changed: drawn tiled across a header, in place of one fill per pixel row.
class GradientStrip {
public:
    const QPixmap &get(int r, int g, int b, int step, int height);

private:
    int m_key[5] = { -1, -1, -1, -1, -1 };
    QPixmap m_pixmap;
};

} // namespace CellText
