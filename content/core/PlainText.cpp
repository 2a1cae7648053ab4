#include "PlainText.h"

namespace PlainText {

QString asBoxGivesIt(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (QChar &c : out) {
        if (c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u'\n';
        else if (c == QChar::Nbsp)
            c = u' ';
    }
    return out;
}

bool same(const QString &a, const QString &b)
{
    return a == b || asBoxGivesIt(a) == asBoxGivesIt(b);
}

} // namespace PlainText
