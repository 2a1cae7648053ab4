#include "NumberText.h"

#include <QLocale>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace NumberText {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

// The longest prefix made only of characters a C number parser may look at, in ASCII.
std::string numericPrefix(const QString &text)
{
    std::string out;
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c > 0x7f)
            break;
        const char a = static_cast<char>(c);
        if ((a >= '0' && a <= '9') || a == '+' || a == '-' || a == '.' || a == 'e' || a == 'E')
            out.push_back(a);
        else
            break;
    }
    return out;
}

} // namespace

int toInt(const QString &text)
{
    const std::string prefix = numericPrefix(text);
    errno = 0;
    const long long value = std::strtoll(prefix.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

double toDouble(const QString &text)
{
    const std::string prefix = numericPrefix(text);
    // strtod follows the C locale's decimal point, which is '.' in this program.
    return std::strtod(prefix.c_str(), nullptr);
}

QString fromInt(int value)
{
    return QString::number(value);
}

QString fromDouble(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString fromFloat(float value)
{
    for (int precision = 1; precision < 9; ++precision) {
        const QString text = QString::number(static_cast<double>(value), 'g', precision);
        if (static_cast<float>(toDouble(text)) == value)
            return text;
    }
    return QString::number(static_cast<double>(value), 'g', 9);
}

} // namespace NumberText
