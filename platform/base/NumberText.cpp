#include "NumberText.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace NumberText {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

bool isDigit(const QString &text, qsizetype i)
{
    return i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9';
}

qsizetype skipBlanks(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    return i;
}

// Decimal exponent of the leading significant digit of mantissa digits, used only to
// tell an overflow from an underflow when the number is out of a double's range.
long long magnitude(const std::string &mantissa, long long exponent)
{
    const std::size_t point = mantissa.find('.');
    const std::size_t intEnd = point == std::string::npos ? mantissa.size() : point;
    const std::size_t firstNonZero = mantissa.find_first_of("123456789");
    if (firstNonZero == std::string::npos)
        return LLONG_MIN / 2;
    const long long position = firstNonZero < intEnd
        ? static_cast<long long>(intEnd - firstNonZero) - 1
        : -static_cast<long long>(firstNonZero - intEnd);
    return position + exponent;
}

} // namespace

qsizetype scanInt(const QString &text, qsizetype from, int &value)
{
    value = 0;
    qsizetype i = from;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    if (!isDigit(text, i))
        return 0;
    long long absolute = 0;
    for (; isDigit(text, i); ++i) {
        if (absolute <= static_cast<long long>(INT_MAX) + 1)
            absolute = absolute * 10 + (text.at(i).unicode() - u'0');
    }
    if (negative)
        value = absolute > INT_MAX ? INT_MIN : -static_cast<int>(absolute);
    else
        value = absolute > INT_MAX ? INT_MAX : static_cast<int>(absolute);
    return i - from;
}

qsizetype scanDouble(const QString &text, qsizetype from, double &value)
{
    value = 0;
    qsizetype i = from;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    std::string mantissa;
    for (; isDigit(text, i); ++i)
        mantissa.push_back(static_cast<char>(text.at(i).unicode()));
    const bool hasIntDigits = !mantissa.empty();
    bool hasFracDigits = false;
    if (i < text.size() && text.at(i) == u'.') {
        mantissa.push_back('.');
        ++i;
        for (; isDigit(text, i); ++i) {
            mantissa.push_back(static_cast<char>(text.at(i).unicode()));
            hasFracDigits = true;
        }
    }
    if (!hasIntDigits && !hasFracDigits)
        return 0;

    // An exponent counts only when at least one digit follows its letter and sign.
    long long exponent = 0;
    std::string exponentText;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text.at(j) == u'+' || text.at(j) == u'-')) {
            negativeExponent = text.at(j) == u'-';
            ++j;
        }
        if (isDigit(text, j)) {
            exponentText = negativeExponent ? "e-" : "e";
            for (; isDigit(text, j); ++j) {
                exponentText.push_back(static_cast<char>(text.at(j).unicode()));
                if (exponent < 1000000000)
                    exponent = exponent * 10 + (text.at(j).unicode() - u'0');
            }
            if (negativeExponent)
                exponent = -exponent;
            i = j;
        }
    }

    const std::string number = mantissa + exponentText;
    double parsed = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        parsed = magnitude(mantissa, exponent) > 0 ? HUGE_VAL : 0.0;
    value = negative ? -parsed : parsed;
    return i - from;
}

int toInt(const QString &text)
{
    int value = 0;
    scanInt(text, skipBlanks(text), value);
    return value;
}

double toDouble(const QString &text)
{
    double value = 0;
    scanDouble(text, skipBlanks(text), value);
    return value;
}

QString fromInt(int value)
{
    return QString::number(value);
}

QString fromDouble(double value)
{
    // An infinity is written as a number too large for a double, which reads back as one;
    // "inf" would read back as 0.
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("1e309") : QStringLiteral("-1e309");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString fromFloat(float value)
{
    // Too large for a float: reads back as its infinity.
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("1e39") : QStringLiteral("-1e39");
    if (std::isnan(value))
        return fromDouble(static_cast<double>(value));
    for (int precision = 1; precision < std::numeric_limits<float>::max_digits10; ++precision) {
        const QString text = QString::number(static_cast<double>(value), 'g', precision);
        const double read = toDouble(text);
        if (static_cast<float>(read) != value)
            continue;
        // "9e+01" reads back too, but a teacher reading the file expects "90".
        if (text.contains(u'e') && std::fabs(read) >= 1e-4 && std::fabs(read) < 1e15)
            return QString::number(read, 'f', QLocale::FloatingPointShortest);
        return text;
    }
    return QString::number(static_cast<double>(value), 'g', std::numeric_limits<float>::max_digits10);
}

int toInt(const QVariant &value)
{
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
        return static_cast<int>(std::clamp<qlonglong>(value.toLongLong(), INT_MIN, INT_MAX));
    return toInt(value.toString());
}

} // namespace NumberText
