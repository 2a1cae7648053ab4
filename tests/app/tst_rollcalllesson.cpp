#include "TestMain.h"

#include "AppTestHelpers.h"
#include "TempProgramFolder.h"

#include "app/core/RollCallLesson.h"
#include "platform/base/Clock.h"
#include "platform/base/ProfileFile.h"
#include "platform/base/TextCodec.h"

#include <QSignalSpy>

#include <memory>

namespace {

QByteArray gb(const QString &text)
{
    return TextCodec::encodeGb18030(text);
}

QString groupFile(int n)
{
    return QStringLiteral("成绩/课堂成绩%1.txt").arg(n);
}

} // namespace

// The lesson's operations without a window.
class TestRollCallLesson : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        m_folder->writeFile(QStringLiteral("res/set.ini"), "[NumOfClass]\r\nNumOfClass=2\r\n");
        m_folder->writeFile(groupFile(1), gb(QStringLiteral("3\r\n0\r\n甲\r\n乙\r\n丙\r\n")));
        m_folder->writeFile(groupFile(2), gb(QStringLiteral("2\r\n1\t总成绩\t8\r\n丁\t\t4\r\n戊\t\t4\r\n")));
        m_folder->writeFile(groupFile(3), gb(QStringLiteral("1\r\n0\r\n己\r\n")));
        m_lesson = std::make_unique<RollCallLesson>(m_folder->path());
        m_lesson->LoadSettings();
        QCOMPARE(load().status, GroupScoreFile::LoadStatus::Loaded);
    }

    void cleanup()
    {
        m_lesson.reset();
        m_folder.reset();
        RandomSource::setGenerator({});
        Clock::setSource({});
    }

    void savesExactlyTheGroupsItLoaded()
    {
        QCOMPARE(m_lesson->settings().m_strScoreDir, m_folder->scoreDir());
        QCOMPARE(m_lesson->tables().m_nGroupScore[0], 6);
        QCOMPARE(m_lesson->tables().m_nGroupScore[1], 12);
        QVERIFY(m_lesson->Choose(1, 2));
        QVERIFY(m_lesson->Grade(3));
        QVERIFY(m_lesson->isUnsaved());

        QCOMPARE(m_lesson->Save(), QStringList());
        QVERIFY(!m_lesson->isUnsaved());
        QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("3\r\n1\t总成绩\t6\r\n甲\t\t2\r\n乙\t\t2\r\n丙\t\t2\r\n")));
        QCOMPARE(m_folder->readFile(groupFile(2)), gb(QStringLiteral("2\r\n2\t总成绩\t13\r\n丁\t\t6\r\n戊\t\t7\r\n")));
        QCOMPARE(m_folder->readFile(groupFile(3)), gb(QStringLiteral("1\r\n0\r\n己\r\n")));

        // A bad number of groups reads nothing and keeps the tables and the student on call.
        QCOMPARE(load(0).status, GroupScoreFile::LoadStatus::BadGroupCount);
        QCOMPARE(m_lesson->tables().m_nGroupScore[1], 13);
        QCOMPARE(m_lesson->StudentOnCall(), 2);
        // Read again, nobody is on call, the first group is shown, and the lesson starts from
        // the saved totals.
        QSignalSpy onCall(m_lesson.get(), &RollCallLesson::studentOnCallChanged);
        QCOMPARE(load(1).status, GroupScoreFile::LoadStatus::Loaded);
        QCOMPARE(onCall.count(), 1);
        QCOMPARE(m_lesson->currentGroup(), 0);
        QCOMPARE(m_lesson->StudentOnCall(), 0);
        QVERIFY(!m_lesson->Grade(3));
        QCOMPARE(m_lesson->Save(), QStringList());
        QCOMPARE(m_folder->readFile(groupFile(2)), gb(QStringLiteral("2\r\n2\t总成绩\t13\r\n丁\t\t6\r\n戊\t\t7\r\n")));
    }

    void gradesAndAbsencesReckonFromTheCreditedBase()
    {
        QSignalSpy scores(m_lesson.get(), &RollCallLesson::scoresChanged);
        QVERIFY(m_lesson->Choose(0, 1));
        QVERIFY(m_lesson->Grade(3)); // 非常好 +1
        QVERIFY(m_lesson->Grade(2)); // 好 0
        QVERIFY(m_lesson->Grade(1)); // 加油 -1
        QCOMPARE(m_lesson->tables().m_vecLessonScore[0].at(0), 2);
        QCOMPARE(m_lesson->tables().m_nGroupScore[0], 6);

        // An absence takes the base off once, while the lesson score is not 0.
        QVERIFY(m_lesson->Choose(0, 2));
        QVERIFY(m_lesson->Absent());
        QVERIFY(!m_lesson->Absent());
        QCOMPARE(m_lesson->tables().m_vecTotalScore[0].at(1), 0);
        QCOMPARE(m_lesson->tables().m_nGroupScore[0], 4);
        QCOMPARE(scores.count(), 4);

        // Another base score in effect without a reload: the lesson goes on with the 2 it
        // credited, so grade 3 is still +1 and an absence still -2.
        RollCallSettings settings = m_lesson->settings();
        settings.m_nBasicScore = 5;
        m_lesson->UseSettings(settings);
        QVERIFY(m_lesson->Choose(0, 3));
        QVERIFY(m_lesson->Grade(3));
        QCOMPARE(m_lesson->tables().m_vecTotalScore[0].at(2), 3);
        QVERIFY(m_lesson->Choose(1, 1));
        QVERIFY(m_lesson->Absent());
        QCOMPARE(m_lesson->tables().m_vecTotalScore[1].at(0), 4);
        QCOMPARE(m_lesson->tables().m_nGroupScore[1], 10);
    }

    void sumsHoldAtTheLimitsInsteadOfWrapping()
    {
        // Totals as large as a file can hold: the sums stay at the largest score, never turn
        // negative, and the save writes what the window showed.
        m_folder->writeFile(groupFile(2), gb(QStringLiteral("2\r\n2147483647\t总成绩\t0\r\n"
                                                            "丁\t\t2000000000\r\n戊\t\t2147483647\r\n")));
        QCOMPARE(load().status, GroupScoreFile::LoadStatus::Loaded);
        QCOMPARE(m_lesson->tables().m_nGroupScore[1], 2147483647);
        changeSettings(*m_lesson, [](RollCallSettings &s) { s.m_nQuiteRightScore = 100; });
        QVERIFY(m_lesson->Choose(1, 1));
        QVERIFY(m_lesson->Grade(100));
        QVERIFY(m_lesson->Choose(1, 2));
        QVERIFY(m_lesson->Grade(100));
        QCOMPARE(m_lesson->tables().m_vecTotalScore[1], QList<int>({2000000100, 2147483647}));
        QCOMPARE(m_lesson->tables().m_nGroupScore[1], 2147483647);
        QCOMPARE(m_lesson->Save(), QStringList());
        QCOMPARE(m_folder->readFile(groupFile(2)), gb(QStringLiteral("2\r\n2147483647\t总成绩\t2147483647\r\n"
                                                                     "丁\t\t2000000100\r\n戊\t\t2147483647\r\n")));
    }

    void aDrawIsPutOnCallInItsGroup()
    {
        QSignalSpy onCall(m_lesson.get(), &RollCallLesson::studentOnCallChanged);
        fixRandom({4});
        const RollCallPick::Draw draw = m_lesson->Draw(1);
        QCOMPARE(draw.number, 1);
        QCOMPARE(draw.name, QStringLiteral("丁"));
        QCOMPARE(onCall.count(), 1);
        QCOMPARE(m_lesson->currentGroup(), 1);
        QCOMPARE(m_lesson->StudentOnCall(), 1);
        QVERIFY(m_lesson->Grade(3));
        QCOMPARE(m_lesson->tables().m_vecTotalScore[1].at(0), 7);

        // Nobody to draw, and numbers by hand that address nobody, change nothing.
        QCOMPARE(m_lesson->Draw(2).number, 0);
        for (const auto &[group, number] : QList<QPair<int, int>>{{0, 0}, {0, 4}, {0, -1}, {1, 3}, {8, 1}, {-1, 1}})
            QVERIFY(!m_lesson->Choose(group, number));
        QCOMPARE(onCall.count(), 1);
        QCOMPARE(m_lesson->StudentOnCall(), 1);

        // Another group chosen: it is shown, with nobody of it on call.
        m_lesson->ChooseGroup(0);
        QCOMPARE(onCall.count(), 2);
        QCOMPARE(m_lesson->currentGroup(), 0);
        QCOMPARE(m_lesson->StudentOnCall(), 0);
        QVERIFY(!m_lesson->Grade(3));
    }

    void picksAreDrawsNotTheClock_data()
    {
        QTest::addColumn<int>("secondsApart");
        QTest::newRow("a second apart") << 1;
        QTest::newRow("within one second") << 0;
    }

    void picksAreDrawsNotTheClock()
    {
        QFETCH(int, secondsApart);
        QString eight = QStringLiteral("8\r\n0\r\n");
        for (int i = 1; i <= 8; ++i)
            eight += QStringLiteral("学生%1\r\n").arg(i);
        m_folder->writeFile(groupFile(1), gb(eight));
        QCOMPARE(load().status, GroupScoreFile::LoadStatus::Loaded);
        // The program's own generator, with a clock that moves by whole seconds (or not at all).
        RandomSource::seed(20240901);
        const QDateTime start = QDateTime::fromSecsSinceEpoch(1725148800);
        int tick = 0;
        Clock::setSource([&] { return start.addSecs(static_cast<qint64>(secondsApart) * tick++); });
        QList<int> counts(8, 0);
        QList<int> steps(8, 0);
        int previous = 0;
        for (int i = 0; i < 400; ++i) {
            const RollCallLesson::PickStart pick = m_lesson->StartPick();
            QCOMPARE(pick.refusal, RollCallLesson::PickRefusal::None);
            const int k = m_lesson->Draw(pick.group).number;
            QVERIFY(k >= 1 && k <= 8);
            ++counts[k - 1];
            if (previous != 0)
                ++steps[(k - previous + 8) % 8];
            previous = k;
        }
        // Every student is called about as often; and one pick says nothing of the next: every
        // difference between successive picks occurs, none stands out.
        for (int k = 0; k < 8; ++k) {
            QVERIFY2(counts[k] >= 25, qPrintable(QStringLiteral("student %1: %2 picks").arg(k + 1).arg(counts[k])));
            QVERIFY2(steps[k] >= 20 && steps[k] <= 90,
                     qPrintable(QStringLiteral("step %1: %2 times").arg(k).arg(steps[k])));
        }
    }

    void pickRefusals()
    {
        using Refusal = RollCallLesson::PickRefusal;
        m_lesson->ChooseGroup(-1);
        QCOMPARE(m_lesson->StartPick().refusal, Refusal::NoGroupChosen);
        m_folder->writeFile(groupFile(2), "0\r\n0\r\n");
        QCOMPARE(load(3).status, GroupScoreFile::LoadStatus::Loaded);
        m_lesson->ChooseGroup(1);
        QCOMPARE(m_lesson->StartPick().refusal, Refusal::EmptyGroup);
        m_lesson->ChooseGroup(0);
        QCOMPARE(m_lesson->StartPick().refusal, Refusal::None);

        // Random group choice: only groups read with students are drawn, here 1 and 3.
        RollCallSettings settings = m_lesson->settings();
        settings.m_nSelectClass = 1;
        m_lesson->UseSettings(settings);
        fixRandom({3, 4});
        QCOMPARE(m_lesson->StartPick().group, 2);
        QCOMPARE(m_lesson->StartPick().group, 0);
        m_folder->writeFile(groupFile(1), "0\r\n0\r\n");
        m_folder->writeFile(groupFile(3), "0\r\n0\r\n");
        QCOMPARE(load(3).status, GroupScoreFile::LoadStatus::Loaded);
        QCOMPARE(m_lesson->StartPick().refusal, Refusal::NoGroupWithStudents);
        settings.m_nNumOfClass = 0;
        m_lesson->UseSettings(settings);
        QCOMPARE(m_lesson->StartPick().refusal, Refusal::BadGroupCount);
    }

    void reloadAfterASettingsChange()
    {
        QSignalSpy changed(m_lesson.get(), &RollCallLesson::settingsChanged);
        QVERIFY(m_lesson->Choose(0, 1));
        QVERIFY(m_lesson->Grade(3));

        // Only the beats: written with every other key, no reload wanted, the lesson stays.
        RollCallSettings edited = m_lesson->settings();
        edited.m_nNumOfJiGu = 7;
        RollCallLesson::SettingsTaken taken = m_lesson->TakeSettings(edited, true);
        QCOMPARE(taken.writeError, QString());
        QVERIFY(!taken.reloadWanted);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_lesson->settings().m_nNumOfJiGu, 7);
        const ProfileFile file(m_lesson->settingsPath());
        QCOMPARE(file.read(QStringLiteral("JiGu"), QStringLiteral("NumOfJiGu")), QStringLiteral("7"));
        QCOMPARE(file.read(QStringLiteral("Score"), QStringLiteral("BasicScore")), QStringLiteral("2"));
        QCOMPARE(m_lesson->tables().m_nGroupScore[0], 7);

        // Another number of groups wants a reload; taken with unsaved grades, it drops them,
        // and the lesson read again is begun and unsaved as the first one was.
        edited.m_nNumOfClass = 3;
        taken = m_lesson->TakeSettings(edited, true);
        QVERIFY(taken.reloadWanted);
        QVERIFY(m_lesson->hasUnsavedGrades());
        QCOMPARE(load().status, GroupScoreFile::LoadStatus::Loaded);
        QVERIFY(!m_lesson->hasUnsavedGrades());
        QVERIFY(m_lesson->isUnsaved());
        QCOMPARE(m_lesson->tables().m_nGroupScore[0], 6);
        QCOMPARE(m_lesson->tables().m_nGroupCount[2], 1);

        // Another base score, nothing unsaved: read again with the new credit.
        edited.m_nBasicScore = 1;
        taken = m_lesson->TakeSettings(edited, true);
        QVERIFY(taken.reloadWanted);
        QCOMPARE(load().status, GroupScoreFile::LoadStatus::Loaded);
        QCOMPARE(m_lesson->tables().m_nGroupScore[0], 3);
        QCOMPARE(m_lesson->tables().m_nCreditedScore[0], 1);
    }

private:
    GroupScoreFile::LoadResult load(int numOfClass = -1)
    {
        return m_lesson->LoadGroupScores(m_lesson->settings().m_strScoreDir,
                                         numOfClass < 0 ? m_lesson->settings().m_nNumOfClass : numOfClass);
    }

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<RollCallLesson> m_lesson;
};

PELLOR_UNIT_TEST_MAIN(TestRollCallLesson)
#include "tst_rollcalllesson.moc"
