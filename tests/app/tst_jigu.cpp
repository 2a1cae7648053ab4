#include "TestMain.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"

#include "AppTestHelpers.h"

#include "app/CJiguDlg.h"
#include "app/CPellorDlg.h"
#include "app/CSetDlg.h"
#include "ModalHelper.h"
#include "application/CPellorApp.h"

#include "platform/gui/Pause.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TestJigu : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_sound.log.clear();
        m_sound.paths.clear();
        m_prompt.clear();
        m_program = std::make_unique<TempProgramFolder>();
        m_program->copyDemo();
        m_dlg = std::make_unique<CPellorDlg>();
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nVoice = 1; });
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nNumOfJiGu = 4; });
        Pause::setHandler([this](int ms) {
            QCOMPARE(ms, 200);
            CJiguDlg *jigu = m_dlg->m_dlgJigu;
            m_atPause << jigu->m_strGroup + u'|' + jigu->staticControl(1034)->text();
        });
    }

    void cleanup()
    {
        Pause::setHandler([](int) {});
        RandomSource::setGenerator({});
        m_dlg.reset();
        m_program.reset();
        m_atPause.clear();
    }

    void firstPickCreatesTheGameAndRunsAfterItsTimer()
    {
        m_dlg->m_comboGroup->setCurrentIndex(2);
        m_dlg->OnCbnSelchangeGroup();
        QVERIFY(!m_dlg->m_dlgJigu);
        fixRandom({5, 0, 2, 11});
        m_dlg->OnBnClickedRandom();

        CJiguDlg *jigu = m_dlg->m_dlgJigu;
        QVERIFY(jigu);
        QVERIFY(jigu->isVisible());
        QCOMPARE(jigu->windowTitle(), QStringLiteral("击鼓传花"));
        QCOMPARE(jigu->m_nGroup, 2);
        QCOMPARE(jigu->m_nBeats, 4);
        QCOMPARE(jigu->m_brushBack.style(), Qt::TexturePattern);
        QCOMPARE(jigu->staticControl(1037)->text(), QStringLiteral("剩余："));
        QCOMPARE(jigu->staticControl(1034)->text(), QStringLiteral("4"));
        // Nothing is drawn until the start timer fires.
        QVERIFY(jigu->startTimer().isActive());
        QCOMPARE(jigu->startTimer().interval(), 50);
        QCOMPARE(m_sound.log, QStringList());

        jigu->OnTimer(1);
        QVERIFY(!jigu->startTimer().isActive());
        // The frame, caption and close box included, at the screen's corner; waited for with
        // the start timer stopped, so that no second run starts meanwhile.
        QTRY_COMPARE(jigu->frameGeometry().topLeft(), QPoint(0, 0));
        QVERIFY(jigu->geometry().top() > 0);
        QCOMPARE(m_sound.log, QStringList({"gu.wav looped", "stop"}));
        QCOMPARE(m_sound.paths.first(), m_program->file("res/声音/gu.wav"));
        // Each pause comes before its beat's draw: the count left after the first beat is
        // beats - 1, and 0 after the last.
        QCOMPARE(m_atPause, QStringList({"小组：   3|4", "小组：   3|3", "小组：   3|2", "小组：   3|1"}));
        QCOMPARE(jigu->staticControl(1034)->text(), QStringLiteral("0"));

        // The last draw (11 % 8 + 1) is the pick, in the game and in the main window.
        const QString name = m_dlg->lesson().tables().m_vecNames[2].at(3);
        QCOMPARE(m_dlg->m_comboNumber->currentText(), QStringLiteral("4"));
        QCOMPARE(m_dlg->m_editName->text(), name);
        QCOMPARE(m_dlg->m_editPersonal->text(), QStringLiteral("2"));
        QCOMPARE(m_dlg->m_editGroup->text(), QStringLiteral("16"));
        QCOMPARE(jigu->staticControl(1038)->text(), name);
        // Without random groups static 1035 shows the student's score.
        QCOMPARE(jigu->staticControl(1035)->text(), QStringLiteral("2"));
        QCOMPARE(m_dlg->m_comboGroup->currentIndex(), 2);
    }

    void laterPicksRunAtOnceAndTheWindowIsOnlyHidden()
    {
        m_dlg->OnBnClickedRandom();
        CJiguDlg *jigu = m_dlg->m_dlgJigu;
        jigu->OnTimer(1);
        jigu->findChild<QPushButton *>("button1")->click();
        QVERIFY(!jigu->isVisible());
        m_sound.log.clear();
        m_atPause.clear();

        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nNumOfJiGu = 2; });
        m_dlg->OnBnClickedRandom();
        QCOMPARE(m_dlg->m_dlgJigu, jigu);
        QVERIFY(jigu->isVisible());
        QCOMPARE(m_atPause.size(), 2);
        QCOMPARE(m_sound.log, QStringList({"gu.wav looped", "stop"}));

        jigu->close();
        QVERIFY(!jigu->isVisible());
        QCOMPARE(m_dlg->m_dlgJigu, jigu);

        // "重新选择" runs again with the same settings.
        m_atPause.clear();
        jigu->findChild<QPushButton *>("button2")->click();
        QCOMPARE(m_atPause.size(), 2);

        // Random groups set in "设置" meanwhile: the next run draws them, and shows the
        // drawn group's score.
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nSelectClass = 1; });
        m_atPause.clear();
        fixRandom({1, 0, 1, 0});
        jigu->findChild<QPushButton *>("button2")->click();
        QCOMPARE(m_atPause, QStringList({"小组：   2|0", "小组：   2|1"}));
        QCOMPARE(jigu->staticControl(1035)->text(), QString::number(m_dlg->lesson().tables().m_nGroupScore[1]));
        QCOMPARE(m_dlg->m_comboGroup->currentIndex(), 1);
    }

    void randomGroupsAmongGroupsWithStudents()
    {
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nSelectClass = 1; });
        m_program->writeFile("成绩/课堂成绩2.txt", "0\r\n0\r\n");
        QVERIFY(m_dlg->LoadGroupScores(m_program->scoreDir(), 3));
        m_dlg->OnCbnSelchangeGroup();
        fixRandom({0});
        m_dlg->OnBnClickedRandom(); // group 1, creates the game
        CJiguDlg *jigu = m_dlg->m_dlgJigu;
        // Per beat: the group among {1, 3}, then the student.
        fixRandom({1, 0, 0, 1, 1, 2, 1, 6});
        jigu->OnTimer(1);
        QCOMPARE(m_atPause, QStringList({"小组：   3|4", "小组：   1|3", "小组：   3|2", "小组：   3|1"}));
        m_atPause.clear();
        QCOMPARE(jigu->staticControl(1034)->text(), QStringLiteral("0"));
        QCOMPARE(jigu->staticControl(1042)->text(), QStringLiteral("小组：   3"));
        // With random groups static 1035 shows the group's score.
        QCOMPARE(jigu->staticControl(1035)->text(), QStringLiteral("16"));
        // The main window shows the last beat's group with its numbers.
        QCOMPARE(m_dlg->m_comboGroup->currentIndex(), 2);
        QCOMPARE(jigu->m_nGroup, 2);
        QCOMPARE(m_dlg->m_comboNumber->count(), 8);
        QCOMPARE(m_dlg->m_comboNumber->currentText(), QStringLiteral("7"));

        // No group with students: the run stops without a draw.
        for (int n = 1; n <= 3; ++n)
            m_program->writeFile(QStringLiteral("成绩/课堂成绩%1.txt").arg(n), "0\r\n0\r\n");
        m_dlg->lesson().LoadGroupScores(m_program->scoreDir(), 3);
        jigu->StartJigu();
        QCOMPARE(m_atPause, QStringList());
        QCOMPARE(m_dlg->m_comboGroup->currentIndex(), 0);
        QCOMPARE(m_dlg->m_comboNumber->currentText(), QString());
    }

    void groupsReadAgainUnderTheGame()
    {
        m_dlg->m_comboGroup->setCurrentIndex(2);
        m_dlg->OnCbnSelchangeGroup();
        fixRandom({0, 1, 2, 3});
        m_dlg->OnBnClickedRandom();
        CJiguDlg *jigu = m_dlg->m_dlgJigu;
        jigu->OnTimer(1);
        QCOMPARE(jigu->staticControl(1042)->text(), QStringLiteral("小组：   3"));

        // Two groups now: the game no longer shows a draw that is not on call.
        TestSupport::whenModal([](QWidget *settings) {
            settings->findChild<QLineEdit *>(QStringLiteral("edit%1").arg(CSetDlg::IDC_NUM_OF_CLASS))
                ->setText(QStringLiteral("2"));
            TestSupport::clickButton(settings, CSetDlg::IDC_OK);
        });
        m_dlg->m_btnSettings->click();
        QCOMPARE(m_dlg->m_comboGroup->count(), 2);
        for (int id : {1038, 1035, 1042})
            QCOMPARE(jigu->staticControl(id)->text(), QString());

        // "重新选择" draws in the group the main window shows.
        m_atPause.clear();
        m_sound.log.clear();
        fixRandom({0, 1, 2, 4});
        jigu->findChild<QPushButton *>("button2")->click();
        QCOMPARE(m_atPause.size(), 4);
        QCOMPARE(m_atPause.filter(QStringLiteral("小组：   1|")), m_atPause);
        QCOMPARE(m_dlg->m_editName->text(), m_dlg->lesson().tables().m_vecNames[0].at(4));
        QCOMPARE(jigu->staticControl(1038)->text(), m_dlg->m_editName->text());

        // No student anywhere: it says why, and the drum stays silent.
        for (int n = 1; n <= 2; ++n)
            m_program->writeFile(QStringLiteral("成绩/课堂成绩%1.txt").arg(n), "0\r\n0\r\n");
        QVERIFY(m_dlg->LoadGroupScores(m_program->scoreDir(), 2));
        m_atPause.clear();
        m_sound.log.clear();
        m_prompt.clear();
        jigu->findChild<QPushButton *>("button2")->click();
        QCOMPARE(m_prompt.texts(), QStringList{QStringLiteral("小组人数为0，请查看所选小组是否正确")});
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nSelectClass = 1; });
        jigu->findChild<QPushButton *>("button2")->click();
        QCOMPARE(m_prompt.lastText(), QStringLiteral("读入的小组都没有学生，无法抽选小组"));
        QCOMPARE(m_atPause, QStringList());
        QCOMPARE(m_sound.log, QStringList());
    }

    void noBeatsDrawNothing()
    {
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nNumOfJiGu = 0; });
        m_dlg->m_comboGroup->setCurrentIndex(1);
        m_dlg->OnCbnSelchangeGroup();
        m_dlg->OnBnClickedRandom();
        m_dlg->m_dlgJigu->OnTimer(1);
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nSelectClass = 1; });
        m_dlg->m_dlgJigu->StartJigu();
        QCOMPARE(m_atPause, QStringList());
        QCOMPARE(m_dlg->m_comboGroup->currentIndex(), 1);
        QCOMPARE(m_dlg->m_comboNumber->currentText(), QString());
        QCOMPARE(m_dlg->m_dlgJigu->staticControl(1034)->text(), QStringLiteral("0"));
    }

    void closingEndsTheRun_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("close box") << false;
        QTest::newRow("Esc") << true;
    }

    void closingEndsTheRun()
    {
        QFETCH(bool, escape);
        // A beat count nobody range-tested: a whole run would ignore the teacher for minutes.
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nNumOfJiGu = 100000; });
        m_dlg->OnBnClickedRandom();
        CJiguDlg *jigu = m_dlg->m_dlgJigu;
        int pauses = 0;
        Pause::setHandler([&](int) {
            // During the third beat's pause the teacher closes the game; the request waits in
            // the event queue, as the window system's does.
            if (++pauses == 3) {
                if (escape)
                    QCoreApplication::postEvent(jigu, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
                else
                    QCoreApplication::postEvent(jigu, new QCloseEvent);
            }
        });
        jigu->OnTimer(1);
        QCOMPARE(pauses, 3);
        QVERIFY(!jigu->isVisible());
        QCOMPARE(jigu->staticControl(1034)->text(), QStringLiteral("99998"));
        QCOMPARE(m_sound.log, QStringList({"gu.wav looped", "stop"}));
        // The next pick runs again in full.
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nNumOfJiGu = 2; });
        Pause::setHandler([&](int) { ++pauses; });
        m_dlg->OnBnClickedRandom();
        QVERIFY(jigu->isVisible());
        QCOMPARE(pauses, 5);
    }

    void looks()
    {
        QFile::remove(m_program->file("res/photo/4.jpg"));
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nNumOfJiGu = 0; });
        m_dlg->OnBnClickedRandom();
        CJiguDlg *jigu = m_dlg->m_dlgJigu;
        QCOMPARE(m_prompt.texts(), QStringList({"无法打开图片文件!"}));
        QCOMPARE(jigu->m_brushBack.style(), Qt::NoBrush);
        for (int id : {1038, 1035, 1042, 1037, 1034}) {
            const QLabel *label = jigu->staticControl(id);
            QCOMPARE(label->font().pixelSize(), 50);
            QVERIFY(label->font().bold());
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
            QVERIFY(!label->autoFillBackground());
        }
        QCOMPARE(jigu->findChild<QPushButton *>("button2")->text(), QStringLiteral("重新选择"));
        QCOMPARE(jigu->findChild<QPushButton *>("button1")->text(), QStringLiteral("确定"));
    }

private:
    RecordingSound m_sound;
    // No real message box may block a test.
    ScriptedPrompt m_prompt;
    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_program;
    std::unique_ptr<CPellorDlg> m_dlg;
    QStringList m_atPause;
};

PELLOR_WIDGET_TEST_MAIN(TestJigu)
#include "tst_jigu.moc"
