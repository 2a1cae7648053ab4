#include "CellText.h"

namespace CellText {

Lines splitLines(const QString &text)
{
    Lines lines{text, 1};
    qsizetype from = 1;
    while (from <= text.size()) {
        const qsizetype hit = text.indexOf(QLatin1Char('\n'), from);
        if (hit < 0)
            break;
        if (lines.count == kMaxLines) {
            lines.text = text.left(hit);
            break;
        }
        ++lines.count;
        from = hit + 1;
    }
    return lines;
}

int centreOffset(int height, int lineHeight, int count)
{
    return (height - lineHeight * count) / 2;
}

QColor gradientRow(int r, int g, int b, int step, int row)
{
    for (int i = 0; i < row; ++i) {
        r = qMax(r - step, 0);
        g = qMax(g - step, 0);
        b = qMax(b - step, 0);
    }
    return QColor(r & 0xFF, g & 0xFF, b & 0xFF);
}

} // namespace CellText
