// Built with floating-point contraction off (records/CMakeLists.txt): a fused multiply-add
// rounds once where the score has always been rounded twice, and can move a shown score by one.
#include "WeightedScore.h"

#include "platform/base/NumberText.h"

#include <climits>
#include <cmath>

namespace WeightedScore {

float score(const Weights &weights, const Counts &counts)
{
    float s = weights.liangScore * static_cast<float>(counts.liang);
    const float youxiu = weights.youxiu * static_cast<float>(counts.youxiu);
    s = youxiu + s;
    const float yiban = weights.jiayouScore * static_cast<float>(counts.yiban);
    s = yiban + s;
    const float kuangke = weights.kuangkeScore * static_cast<float>(counts.kuangke);
    s = kuangke + s;
    s = s + weights.basicScore;
    return weights.maxScore < s ? weights.maxScore : s;
}

int truncatedToInt(float value)
{
    if (std::isnan(value))
        return 0;
    const float whole = std::trunc(value);
    // 2^31 is the first float above INT_MAX; -2^31 is INT_MIN itself.
    if (whole >= 2147483648.0f)
        return INT_MAX;
    if (whole <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(whole);
}

QString shownText(float score)
{
    return NumberText::fromInt(truncatedToInt(score));
}

qint64 timesAsked(const Counts &counts)
{
    return qint64(counts.youxiu) + counts.liang + counts.yiban + counts.kuangke;
}

QString infoText(const Counts &counts)
{
    return QStringLiteral("    共被提问过：%1次  \r\n \t优秀：%2 \r\n \t    良：%3 \r\n \t加油：%4 \r\n \t旷课：%5 \r\n")
        .arg(timesAsked(counts))
        .arg(counts.youxiu)
        .arg(counts.liang)
        .arg(counts.yiban)
        .arg(counts.kuangke);
}

} // namespace WeightedScore
