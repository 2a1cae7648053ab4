#include "CellText.h"

#include <QImage>

#include <algorithm>

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

const QPixmap &GradientStrip::get(int r, int g, int b, int step, int height)
{
    const int key[5] = { r, g, b, step, height };
    if (!std::equal(std::begin(key), std::end(key), std::begin(m_key)) || m_pixmap.isNull()) {
        // Wide enough that a header is covered in a few tiles: drawn tile by tile, a strip of
        // one pixel would cost a copy per pixel column.
        constexpr int kWidth = 256;
        QImage strip(kWidth, qMax(1, height), QImage::Format_RGB32);
        for (int row = 0; row < strip.height(); ++row) {
            const QRgb colour = gradientRow(r, g, b, step, row).rgb();
            std::fill_n(reinterpret_cast<QRgb *>(strip.scanLine(row)), kWidth, colour);
        }
        m_pixmap = QPixmap::fromImage(strip);
        std::copy(std::begin(key), std::end(key), std::begin(m_key));
    }
    return m_pixmap;
}

} // namespace CellText
