#include "TestMain.h"

#include "records/core/WeightedScore.h"

#include <climits>
#include <cmath>
#include <limits>

using WeightedScore::Counts;
using WeightedScore::Weights;

namespace {

QString shown(const Weights &weights, const Counts &counts)
{
    return WeightedScore::shownText(WeightedScore::score(weights, counts));
}

} // namespace

class TestWeightedScore : public QObject
{
    Q_OBJECT

private slots:
    void scoresAsTeachersSeeThem()
    {
        const Weights defaults; // 0, 100, 2, 1, 0.5, -2
        QCOMPARE(WeightedScore::score(defaults, {3, 2, 1, 0}), 8.5f);
        QCOMPARE(shown(defaults, {3, 2, 1, 0}), QStringLiteral("8"));
        // 120 before the cap.
        QCOMPARE(shown(defaults, {60, 0, 0, 0}), QStringLiteral("100"));
        // No lower bound; truncated toward zero.
        QCOMPARE(shown(defaults, {0, 0, 0, 5}), QStringLiteral("-10"));
        QCOMPARE(shown(defaults, {0, 0, 1, 1}), QStringLiteral("-1"));
        QCOMPARE(shown({2.5f, 100.0f, 2.0f, 1.0f, 0.5f, -2.0f}, {0, 0, 0, 0}), QStringLiteral("2"));
        // Negative counts are taken as they are.
        QCOMPARE(shown(defaults, {-1, 0, 0, 0}), QStringLiteral("-2"));
    }

    void eachStepIsRoundedOnItsOwn()
    {
        // -0.1f × 10000 is -1000.0000149…, which rounds to -1000: added to the 1001 of the
        // 良 it gives exactly 1. Fused into one multiply-add it would give 0.99998….
        const Weights weights{0.0f, 100.0f, 2.0f, 1.0f, 0.5f, -0.1f};
        const Counts counts{0, 1001, 0, 10000};
        QCOMPARE(WeightedScore::score(weights, counts), 1.0f);
        QCOMPARE(shown(weights, counts), QStringLiteral("1"));
        volatile float weight = -0.1f;
        QCOMPARE(WeightedScore::truncatedToInt(std::fma(weight, 10000.0f, 1001.0f)), 0);
    }

    void scoresBeyondTheIntRange()
    {
        const float huge = std::numeric_limits<float>::max();
        QCOMPARE(shown({0, huge, 100, 0, 0, 0}, {INT_MAX, 0, 0, 0}), QStringLiteral("2147483647"));
        QCOMPARE(shown({0, huge, 0, 0, 0, -100}, {0, 0, 0, INT_MAX}), QStringLiteral("-2147483648"));
        // A weight read as infinite times no answers is no number: 0.
        const float inf = std::numeric_limits<float>::infinity();
        QCOMPARE(shown({0, 100, inf, 0, 0, 0}, {0, 0, 0, 0}), QStringLiteral("0"));

        QCOMPARE(WeightedScore::truncatedToInt(2147483520.0f), 2147483520); // the last float below 2^31
        QCOMPARE(WeightedScore::truncatedToInt(2147483648.0f), INT_MAX);
        QCOMPARE(WeightedScore::truncatedToInt(1e30f), INT_MAX);
        QCOMPARE(WeightedScore::truncatedToInt(-2147483648.0f), INT_MIN);
        QCOMPARE(WeightedScore::truncatedToInt(-1e30f), INT_MIN);
        QCOMPARE(WeightedScore::truncatedToInt(-0.5f), 0);
        QCOMPARE(WeightedScore::truncatedToInt(100.9f), 100);
    }

    void infoText()
    {
        QCOMPARE(WeightedScore::infoText({3, 2, 1, 0}),
                 QStringLiteral("    共被提问过：6次  \r\n \t优秀：3 \r\n \t    良：2 \r\n \t加油：1 \r\n \t旷课：0 \r\n"));
        // The absences count as times asked; the total does not wrap.
        QCOMPARE(WeightedScore::infoText({INT_MAX, INT_MAX, INT_MAX, INT_MAX}),
                 QStringLiteral("    共被提问过：8589934588次  \r\n \t优秀：2147483647 \r\n \t    良：2147483647 \r\n"
                                " \t加油：2147483647 \r\n \t旷课：2147483647 \r\n"));
        QCOMPARE(WeightedScore::timesAsked({INT_MIN, INT_MIN, 0, 0}), -4294967296LL);
    }
};

PELLOR_UNIT_TEST_MAIN(TestWeightedScore)
#include "tst_weightedscore.moc"
