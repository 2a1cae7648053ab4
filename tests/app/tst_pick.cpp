#include "TestMain.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"

#include "AppTestHelpers.h"

#include "app/CFlashDlg.h"
#include "app/CJiguDlg.h"
#include "app/CPellorDlg.h"
#include "application/CPellorApp.h"

#include "platform/gui/Pause.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

const QString kNobodyOnCallText = QStringLiteral("还未挑选回答问题的学生！");

// Answers the next modal dialog by clicking one of its buttons.
void answerWith(int buttonId)
{
    TestSupport::whenModal([buttonId](QWidget *d) { TestSupport::clickButton(d, buttonId); });
}

} // namespace

class TestPick : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietenHeadlessRaise(); }

    void init()
    {
        m_program = std::make_unique<TempProgramFolder>();
        m_program->copyDemo();
        m_dlg = std::make_unique<CPellorDlg>();
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        m_pauses.clear();
        m_sound.log.clear();
        m_sound.paths.clear();
        m_prompt.clear();
        Pause::setHandler([this](int ms) {
            m_pauses << ms;
            m_numbersAtPause << m_dlg->m_comboNumber->currentText();
        });
        CFlashDlg::setCloseDelayOverride(0);
    }

    void cleanup()
    {
        Pause::setHandler([](int) {});
        RandomSource::setGenerator({});
        CFlashDlg::setCloseDelayOverride(-1);
        m_dlg.reset();
        m_program.reset();
        m_numbersAtPause.clear();
    }

    void demoIsLoaded()
    {
        QCOMPARE(m_dlg->m_comboGroup->count(), 3);
        QCOMPARE(m_dlg->lesson().tables().m_nGroupCount[0], 8);
        QCOMPARE(m_dlg->lesson().tables().m_nGroupCount[1], 7);
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 16);
    }

    void gradingFollowsTheScoreModel()
    {
        putOnCall(0, 3);
        const int cuowu = Sound::wavDurationMs(m_program->file("res/声音/cuowu1.wav"));
        QVERIFY(cuowu > 0);

        struct Step
        {
            int button;
            int personal;
            int group;
            QStringList sounds;
        };
        const QList<Step> steps = {
            {3, 3, 17, {"guzhang2.wav looped", "stop"}},                       // 非常好 +1
            {2, 3, 17, {"guzhang1.wav looped", "stop"}},                       // 好 0
            {1, 2, 16, {"cuowu1.wav to end", "guzhang1.wav looped", "stop"}}, // 加油 -1
        };
        for (const Step &step : steps) {
            m_sound.log.clear();
            m_pauses.clear();
            answerWith(step.button);
            m_dlg->OnBnClickedPresent();
            QCOMPARE(m_dlg->m_editPersonal->text(), QString::number(step.personal));
            QCOMPARE(m_dlg->m_editGroup->text(), QString::number(step.group));
            QCOMPARE(m_sound.log, step.sounds);
            // Only the error sound is waited for, its own length.
            QCOMPARE(m_pauses, step.button == 1 ? QList<int>{cuowu} : QList<int>{});
        }
        QCOMPARE(m_dlg->lesson().tables().m_vecLessonScore[0].at(2), 2 + 1 + 0 - 1);
        QCOMPARE(m_dlg->lesson().tables().m_vecTotalScore[0].at(2), 2);
        QVERIFY(m_sound.paths.first().startsWith(m_program->path() + "/res/声音/"));

        // Escape is "好": no change, applause.
        m_sound.log.clear();
        TestSupport::whenModal([](QWidget *d) { QTest::keyClick(d, Qt::Key_Escape); });
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_sound.log, QStringList({"guzhang1.wav looped", "stop"}));

        // Closing the grading dialog changes nothing and plays nothing.
        m_sound.log.clear();
        TestSupport::whenModal([](QWidget *d) { d->close(); });
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_sound.log, QStringList());
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 16);
        QCOMPARE(m_dlg->m_editPersonal->text(), QStringLiteral("2"));
        QCOMPARE(m_dlg->m_editGroup->text(), QStringLiteral("16"));
        QCOMPARE(m_dlg->m_comboNumber->currentText(), QStringLiteral("3"));
    }

    void gradingWithAnimations()
    {
        DialogWatcher watcher(m_dlg.get());
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 1; });
        putOnCall(1, 2);
        TestSupport::whenModal([](QWidget *grading) {
            answerWith(1003);
            TestSupport::clickButton(grading, 3);
        });
        m_dlg->OnBnClickedPresent();
        QCOMPARE(watcher.events, QStringList({"show WeiKuangKe", "hide WeiKuangKe", "show ManFen",
                                              "hide ManFen", "show TenScore", "hide TenScore"}));
        // The applause lasts until the feedback is over.
        QCOMPARE(m_sound.log, QStringList({"guzhang2.wav looped", "stop"}));
        QCOMPARE(m_dlg->m_editPersonal->text(), QStringLiteral("3"));

        watcher.events.clear();
        TestSupport::whenModal([](QWidget *grading) {
            TestSupport::whenModal([](QWidget *feedback) { QTest::keyClick(feedback, Qt::Key_Return); });
            TestSupport::clickButton(grading, 1);
        });
        m_dlg->OnBnClickedPresent();
        QCOMPARE(watcher.events,
                 QStringList({"show WeiKuangKe", "hide WeiKuangKe", "show YongQi", "hide YongQi"}));
        QCOMPARE(m_dlg->m_editPersonal->text(), QStringLiteral("2"));
    }

    void absenceCountsOnce()
    {
        DialogWatcher watcher(m_dlg.get());
        putOnCall(0, 4);
        answerWith(1);
        m_dlg->OnAbsent();
        QCOMPARE(m_dlg->m_editPersonal->text(), QStringLiteral("0"));
        QCOMPARE(m_dlg->m_editGroup->text(), QStringLiteral("14"));
        answerWith(1);
        m_dlg->OnAbsent();
        QCOMPARE(m_dlg->m_editPersonal->text(), QStringLiteral("0"));
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 14);
        QCOMPARE(watcher.events.filter("KuangKeMofa"), QStringList());

        // Graded afterwards, the grade's difference still counts.
        answerWith(3);
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_dlg->m_editPersonal->text(), QStringLiteral("1"));
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 15);

        // With animations on the absence clip follows whatever the answer was.
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 1; });
        watcher.events.clear();
        m_sound.log.clear();
        TestSupport::whenModal([](QWidget *d) { QTest::keyClick(d, Qt::Key_Escape); });
        m_dlg->OnAbsent();
        QCOMPARE(watcher.events,
                 QStringList({"show KuangKe", "hide KuangKe", "show KuangKeMofa", "hide KuangKeMofa"}));
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 15);
        QCOMPARE(m_sound.log, QStringList());
    }

    void nobodyOnCall()
    {
        DialogWatcher watcher(m_dlg.get());
        watcher.autoClose = true;
        // A number typed into the field is no student on call.
        m_dlg->m_comboNumber->setEditText(QStringLiteral("3"));
        for (int group : {0, 1}) {
            m_dlg->m_comboGroup->setCurrentIndex(group);
            m_dlg->OnBnClickedPresent();
            m_dlg->OnAbsent();
        }
        QCOMPARE(m_prompt.texts(), QStringList(4, QStringLiteral("还未挑选回答问题的学生！")));
        QCOMPARE(watcher.events, QStringList());
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 16);
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[1], 14);
    }

    void aStudentIsOnCallOnlyInTheGroupTheyWereCalledIn()
    {
        putOnCall(0, 3);
        // Another group chosen: nobody is on call, and the fields show nobody.
        m_dlg->m_comboGroup->setCurrentIndex(1);
        m_dlg->OnCbnSelchangeGroup();
        QCOMPARE(m_dlg->m_editName->text(), QString());
        // Back in the first group the student called before is no longer on call either.
        for (int group : {1, 0}) {
            m_dlg->m_comboGroup->setCurrentIndex(group);
            m_dlg->OnCbnSelchangeGroup();
            DialogWatcher watcher(m_dlg.get());
            watcher.autoClose = true;
            m_dlg->OnBnClickedPresent();
            m_dlg->OnAbsent();
            QCOMPARE(watcher.events, QStringList());
        }
        QCOMPARE(m_prompt.texts(), QStringList(4, kNobodyOnCallText));
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[1], 14);
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 16);

        putOnCall(0, 3);
        answerWith(3);
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_dlg->lesson().tables().m_vecTotalScore[0].at(2), 3);
        QCOMPARE(m_dlg->m_editPersonal->text(), QStringLiteral("3"));

        // The group files read again: nobody is on call in the new tables.
        m_prompt.clear();
        QVERIFY(m_dlg->LoadGroupScores(m_dlg->lesson().settings().m_strScoreDir, 3));
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_prompt.texts(), QStringList{kNobodyOnCallText});
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 16);

        // A draw of the drum game puts its student on call in the group it drew from.
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nVoice = 1; });
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nNumOfJiGu = 1; });
        m_dlg->m_comboGroup->setCurrentIndex(2);
        m_dlg->OnCbnSelchangeGroup();
        fixRandom({1});
        m_dlg->OnBnClickedRandom();
        m_dlg->m_dlgJigu->OnTimer(CJiguDlg::kStartTimer); // the run the new game starts itself
        QCOMPARE(m_dlg->m_strStuNumber, QStringLiteral("2"));
        answerWith(3);
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_dlg->lesson().tables().m_vecTotalScore[2].at(1), 3);
    }

    void soundPickDrawsEightTimes()
    {
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nVoice = 0; });
        m_dlg->m_comboGroup->setCurrentIndex(2);
        m_dlg->OnCbnSelchangeGroup();
        fixRandom({4, 0, 1, 2, 3, 4, 5, 6, 9});
        m_dlg->OnBnClickedRandom();
        QCOMPARE(m_sound.log, QStringList({"5.wav once"}));
        QCOMPARE(m_sound.paths, QStringList({m_program->file("res/声音/5.wav")}));
        QCOMPARE(m_pauses, QList<int>(7, 200));
        // Each pause shows the draw before it; the eighth comes at once.
        QCOMPARE(m_numbersAtPause, QStringList({"", "1", "2", "3", "4", "5", "6"}));
        QCOMPARE(m_dlg->m_comboNumber->currentText(), QStringLiteral("2"));
        QCOMPARE(m_dlg->m_strStuName, m_dlg->lesson().tables().m_vecNames[2].at(1));
        QCOMPARE(m_dlg->m_editName->text(), m_dlg->lesson().tables().m_vecNames[2].at(1));
        QCOMPARE(m_dlg->m_editPersonal->text(), QStringLiteral("2"));
        QCOMPARE(m_dlg->m_editGroup->text(), QStringLiteral("16"));

        // The student left on call is the one graded.
        answerWith(3);
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_dlg->lesson().tables().m_vecTotalScore[2].at(1), 3);
    }

    void randomGroupShowsItsOwnNumbers()
    {
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nVoice = 2; });
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nSelectClass = 1; });
        fixRandom({4, 3});
        m_dlg->OnBnClickedRandom();
        QCOMPARE(m_dlg->m_comboGroup->currentIndex(), 1);
        QCOMPARE(m_dlg->m_comboNumber->currentText(), QStringLiteral("4"));
        QCOMPARE(m_dlg->m_editName->text(), m_dlg->lesson().tables().m_vecNames[1].at(3));
        QCOMPARE(m_dlg->m_editGroup->text(), QStringLiteral("14"));
        QCOMPARE(m_sound.log, QStringList());
        QCOMPARE(m_pauses, QList<int>());
        // The number list is the drawn group's: its last number is that group's last student.
        QCOMPARE(m_dlg->m_comboNumber->count(), 7);
        m_dlg->m_comboNumber->setCurrentIndex(6);
        m_dlg->OnCbnSelchangeStudent();
        QCOMPARE(m_dlg->m_editName->text(), m_dlg->lesson().tables().m_vecNames[1].at(6));
        QCOMPARE(m_dlg->m_comboNumber->currentText(), QStringLiteral("7"));
    }

    void randomGroupsAreGroupsReadWithStudents()
    {
        // Group 2's file is a list of names alone: reported, and never drawn.
        m_program->writeGbText("成绩/课堂成绩2.txt", QStringLiteral("王小明\r\n李华\r\n"));
        QVERIFY(m_dlg->LoadGroupScores(m_program->scoreDir(), 3));
        m_prompt.clear();
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nVoice = 2; });
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nSelectClass = 1; });
        fixRandom({1, 0});
        m_dlg->OnBnClickedRandom();
        QCOMPARE(m_prompt.texts(), QStringList());
        QCOMPARE(m_dlg->m_comboGroup->currentIndex(), 2);
        QCOMPARE(m_dlg->m_editName->text(), m_dlg->lesson().tables().m_vecNames[2].at(0));
    }

    void pickRefusals()
    {
        m_dlg->lesson().ChooseGroup(-1);
        m_dlg->OnBnClickedRandom();
        m_program->writeFile("成绩/课堂成绩2.txt", "0\r\n0\r\n");
        QVERIFY(m_dlg->LoadGroupScores(m_program->scoreDir(), 3));
        m_dlg->m_comboGroup->setCurrentIndex(1);
        m_dlg->OnCbnSelchangeGroup();
        m_dlg->OnBnClickedRandom();
        // Drawing the group too, with no group read that has students.
        for (const char *name : {"成绩/课堂成绩1.txt", "成绩/课堂成绩3.txt"})
            m_program->writeFile(QString::fromUtf8(name), "0\r\n0\r\n");
        QVERIFY(m_dlg->LoadGroupScores(m_program->scoreDir(), 3));
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nSelectClass = 1; });
        m_dlg->OnBnClickedRandom();
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nNumOfClass = 0; });
        m_dlg->OnBnClickedRandom();
        QCOMPARE(m_prompt.texts(), QStringList({"还未选择小组", "小组人数为0，请查看所选小组是否正确",
                                              "读入的小组都没有学生，无法抽选小组",
                                              "小组数目 不合理，请重新设置"}));
        QCOMPARE(m_sound.log, QStringList());
        QCOMPARE(m_dlg->m_comboNumber->currentText(), QString());
        QCOMPARE(m_dlg->m_editName->text(), QString());
    }

    void goodbyeClipAfterSaving()
    {
        DialogWatcher watcher(m_dlg.get());
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 1; });
        m_dlg->OnBnClickedSaveExit();
        QCOMPARE(watcher.events, QStringList({"show SaveExit", "hide SaveExit"}));
        QVERIFY(m_program->exists("成绩/课堂成绩.xls"));
    }

private:
    RecordingSound m_sound;
    // No real message box may block a test.
    ScriptedPrompt m_prompt;

    // As choosing the number from the list does.
    void putOnCall(int group, int number)
    {
        m_dlg->m_comboGroup->setCurrentIndex(group);
        m_dlg->OnCbnSelchangeGroup();
        m_dlg->m_comboNumber->setCurrentIndex(number - 1);
        m_dlg->OnCbnSelchangeStudent();
        QCOMPARE(m_dlg->m_strStuNumber, QString::number(number));
    }

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_program;
    std::unique_ptr<CPellorDlg> m_dlg;
    QList<int> m_pauses;
    QStringList m_numbersAtPause;
};

PELLOR_WIDGET_TEST_MAIN(TestPick)
#include "tst_pick.moc"
