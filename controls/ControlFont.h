#pragma once

#include <QFont>
#include <QString>

// Fonts as the lists and headers ask for them: a face name, a cell height in pixels (0 keeps
// the default size, a negative value gives the character height), an average character width
// (0 keeps the face's own proportions) and a weight on the 100-900 scale (0 for normal).
namespace ControlFont {

QFont make(const QString &face, int height, int width = 0, int weight = 0);

} // namespace ControlFont
