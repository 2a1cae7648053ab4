#pragma once

#include <QFont>
#include <QString>

// Fonts as the lists and headers ask for them: a face name, a cell height in pixels (0 keeps
// the default size, a negative value gives the character height), an average character width
// (0 keeps the face's own proportions) and a weight on the 100-900 scale (0 for normal).
namespace ControlFont {

QFont make(const QString &face, int height, int width = 0, int weight = 0);

// The font of make(), made again only when its height, width or weight changed: a header
// draws every title in it at every paint.
class Cached {
public:
    explicit Cached(QString face)
        : m_face(std::move(face))
    {
    }

    const QFont &get(int height, int width = 0, int weight = 0);

private:
    QString m_face;
    int m_height = 0;
    int m_width = 0;
    int m_weight = 0;
    bool m_made = false;
    QFont m_font;
};

} // namespace ControlFont
