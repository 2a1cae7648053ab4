#include "ControlFont.h"

#include <QFontMetrics>
#include <QtGlobal>

namespace ControlFont {

QFont make(const QString &face, int height, int width, int weight)
{
    QFont font(face);
    if (height != 0)
        font.setPixelSize(qAbs(height));
    font.setWeight(weight > 0 ? QFont::Weight(qBound(100, weight, 900)) : QFont::Normal);
    if (width > 0) {
        const int natural = QFontMetrics(font).averageCharWidth();
        if (natural > 0)
            font.setStretch(qBound(1, width * 100 / natural, 4000));
    }
    return font;
}

const QFont &Cached::get(int height, int width, int weight)
{
    if (!m_made || height != m_height || width != m_width || weight != m_weight) {
        m_font = make(m_face, height, width, weight);
        m_height = height;
        m_width = width;
        m_weight = weight;
        m_made = true;
    }
    return m_font;
}

} // namespace ControlFont
