#include "TestMain.h"

#include "AppTestHelpers.h"

#include "app/core/RollCallPick.h"
#include "app/core/RollCallScoring.h"

#include "platform/base/RandomSource.h"

using namespace RollCallScoring;

namespace {

// A group as loading leaves it: every student credited with the base score.
void fillGroup(RollCallTables &t, int g, const QStringList &names, int basic, int previousTotal = 0)
{
    t.clearGroup(g);
    for (const QString &name : names) {
        t.m_vecNames[g] << name;
        t.m_vecRawLines[g] << name;
        t.m_vecLessonScore[g] << basic;
        t.m_vecTotalScore[g] << previousTotal + basic;
        t.m_nGroupScore[g] += previousTotal + basic;
    }
    t.m_nGroupCount[g] = int(names.size());
    t.m_bLoaded[g] = true;
}

} // namespace

class TestScoring : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { RandomSource::setGenerator({}); }

    void gradeRulesFollowTheResultAndSettings()
    {
        RollCallSettings s;
        s.m_nQuiteRightScore = 5;
        auto best = gradeRule(255, s);
        QVERIFY(best);
        QCOMPARE(best->score, 5);
        QCOMPARE(best->firstSound, QString());
        QCOMPARE(best->applause, QStringLiteral("guzhang2.wav"));
        QVERIFY(best->feedback == Feedback::ManFen);

        auto good = gradeRule(2, s);
        QCOMPARE(good->score, 2);
        QCOMPARE(good->applause, QStringLiteral("guzhang1.wav"));
        QVERIFY(good->feedback == Feedback::GuLi);

        auto wrong = gradeRule(1, s);
        QCOMPARE(wrong->score, 1);
        QCOMPARE(wrong->firstSound, QStringLiteral("cuowu1.wav"));
        QCOMPARE(wrong->applause, QStringLiteral("guzhang1.wav"));
        QVERIFY(wrong->feedback == Feedback::YongQi);

        for (int other : {0, 3, 5, 254, -1})
            QVERIFY(!gradeRule(other, s));
    }

    void gradeAddsTheDifferenceToBase()
    {
        RollCallTables t;
        fillGroup(t, 1, {"甲", "乙", "丙"}, 2, 10);
        QCOMPARE(t.m_nGroupScore[1], 36);

        QVERIFY(applyGrade(t, 1, 1, 3, 2)); // 非常好
        QVERIFY(applyGrade(t, 1, 2, 2, 2)); // 好
        QVERIFY(applyGrade(t, 1, 3, 1, 2)); // 加油
        QCOMPARE(t.m_vecLessonScore[1], QList<int>({3, 2, 1}));
        QCOMPARE(t.m_vecTotalScore[1], QList<int>({13, 12, 11}));
        QCOMPARE(t.m_nGroupScore[1], 36);

        // Every further grading adds its difference again.
        QVERIFY(applyGrade(t, 1, 1, 3, 2));
        QCOMPARE(t.m_vecLessonScore[1].at(0), 4);
        QCOMPARE(t.m_vecTotalScore[1].at(0), 14);
        QCOMPARE(t.m_nGroupScore[1], 37);
    }

    void absenceTakesTheBaseOffWhileTheLessonScoreIsNotZero()
    {
        RollCallTables t;
        fillGroup(t, 0, {"甲", "乙"}, 2);
        QVERIFY(applyAbsence(t, 0, 1, 2));
        QCOMPARE(t.m_vecLessonScore[0].at(0), 0);
        QCOMPARE(t.m_vecTotalScore[0].at(0), 0);
        QCOMPARE(t.m_nGroupScore[0], 2);
        QVERIFY(!applyAbsence(t, 0, 1, 2));
        QCOMPARE(t.m_vecTotalScore[0].at(0), 0);
        QCOMPARE(t.m_nGroupScore[0], 2);

        // Graded afterwards, the grade's difference still counts.
        QVERIFY(applyGrade(t, 0, 1, 3, 2));
        QCOMPARE(t.m_vecLessonScore[0].at(0), 1);
        QCOMPARE(t.m_nGroupScore[0], 3);

        // A graded student keeps (grade - base) and loses the base again while that is not 0.
        QVERIFY(applyGrade(t, 0, 2, 3, 2));
        QVERIFY(applyAbsence(t, 0, 2, 2));
        QCOMPARE(t.m_vecLessonScore[0].at(1), 1);
        QCOMPARE(t.m_vecTotalScore[0].at(1), 1);
    }

    void numbersOutsideTheGroupAddressNobody()
    {
        RollCallTables t;
        fillGroup(t, 2, {"甲", "乙", "丙"}, 2);
        QVERIFY(!applyGrade(t, 2, 4, 3, 2));
        QVERIFY(!applyAbsence(t, 2, 0, 2));
        QVERIFY(!applyGrade(t, 8, 1, 3, 2));
        QCOMPARE(t.m_nGroupScore[2], 6);
        QCOMPARE(t.m_vecTotalScore[2], QList<int>({2, 2, 2}));
    }

    void drawsFollowTheRandomSequence()
    {
        RollCallTables t;
        fillGroup(t, 0, {"甲", "乙", "丙"}, 2, 5);
        fixRandom({0, 2, 3, 32767});
        const int expected[] = {1, 3, 1, 32767 % 3 + 1};
        for (int number : expected) {
            const RollCallPick::Draw d = RollCallPick::drawStudent(t, 0);
            QCOMPARE(d.number, number);
            QCOMPARE(d.name, t.m_vecNames[0].at(number - 1));
            QCOMPARE(d.total, 7);
            QCOMPARE(d.groupScore, 21);
        }
        QCOMPARE(RollCallPick::drawStudent(t, 1).number, 0);

        fixRandom({0, 12, 13, 5});
        QCOMPARE(RollCallPick::pickSoundName(), QStringLiteral("1.wav"));
        QCOMPARE(RollCallPick::pickSoundName(), QStringLiteral("13.wav"));
        QCOMPARE(RollCallPick::pickSoundName(), QStringLiteral("1.wav"));
    }

    void randomGroupsOnlyAmongGroupsReadWithStudents()
    {
        RollCallTables t;
        fillGroup(t, 1, {"甲"}, 2);
        fillGroup(t, 3, {"乙", "丙"}, 2);
        fillGroup(t, 5, {}, 2);
        fixRandom({0, 1, 2, 7});
        QCOMPARE(RollCallPick::randomGroupWithStudents(t), 1);
        QCOMPARE(RollCallPick::randomGroupWithStudents(t), 3);
        QCOMPARE(RollCallPick::randomGroupWithStudents(t), 1);
        // A group left out of the lesson is not drawn, whatever its table holds.
        t.m_bLoaded[3] = false;
        QCOMPARE(RollCallPick::randomGroupWithStudents(t), 1);
        t.m_bLoaded[1] = false;
        QCOMPARE(RollCallPick::randomGroupWithStudents(t), -1);

        // With students everywhere it is the plain draw over all groups.
        for (int g = 0; g < 4; ++g)
            fillGroup(t, g, {"甲"}, 2);
        fixRandom({6});
        QCOMPARE(RollCallPick::randomGroupWithStudents(t), 6 % 4);
    }
};

PELLOR_UNIT_TEST_MAIN(TestScoring)
#include "tst_scoring.moc"
