#include "TestMain.h"

#include "AppTestHelpers.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"

#include "app/CMyStatic.h"
#include "app/CPellorDlg.h"
#include "app/CPlayPPtDlg.h"
#include "app/CSetDlg.h"
#include "app/CTimeJishiDlg.h"
#include "app/Timer.h"
#include "app/WindowTimers.h"
#include "app/core/Countdown.h"
#include "application/CPellorApp.h"
#include "records/CStudentInfoDlg.h"
#include "platform/base/TextCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

using ToolBarGeometry::DockSide;

// The headless screen.
constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 800;

const QString kUnsavedQuestion = QStringLiteral("本节课的成绩尚未保存，是否保存？");

QMap<QString, QByteArray> scoreFiles(const TempProgramFolder &program)
{
    QMap<QString, QByteArray> files;
    const QDir dir(program.scoreDir());
    for (const QString &name : dir.entryList(QDir::Files))
        files.insert(name, program.readFile(QStringLiteral("成绩/") + name));
    return files;
}

QPushButton *barButton(CPlayPPtDlg *bar, int id)
{
    return bar->findChild<QPushButton *>(QStringLiteral("button%1").arg(id));
}

// Steps the slide timer until it stops; the number of steps that moved the bar comes back.
int slideToEnd(CPlayPPtDlg *bar)
{
    int moves = 0;
    while (bar->m_timers.isRunning(CPlayPPtDlg::kSlideTimer) && moves < 1000) {
        const bool wasDone = bar->m_bSlideDone;
        bar->m_timers.fire(CPlayPPtDlg::kSlideTimer);
        if (!wasDone)
            ++moves;
    }
    return moves;
}

// The cursor over a point of the screen, as the bar sees it move there.
void hover(CPlayPPtDlg *bar, QPoint global)
{
    QCursor::setPos(global);
    QTest::mouseMove(bar, global - bar->pos());
}

// Drags the bar by its body, above the buttons, to put the cursor at each point in turn.
void drag(CPlayPPtDlg *bar, const QList<QPoint> &globals)
{
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 1));
    for (const QPoint &global : globals) {
        QCursor::setPos(global);
        QTest::mouseMove(bar, global - bar->pos());
    }
    QTest::mouseRelease(bar, Qt::LeftButton, {}, globals.last() - bar->pos());
}

} // namespace

class TestToolBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        quietenHeadlessRaise();
        static QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                if (!text.contains(QLatin1String("does not support setting window opacity")))
                    previous(type, context, text);
            });
        WindowTimers::setStepping(true);
        // A countdown's worker waits only for its stop.
        Timer::setWaitFunction([](int, Timer::TickWait &wait) { return wait.waitFor(std::chrono::hours(1)); });
    }

    void init()
    {
        m_program = std::make_unique<TempProgramFolder>();
        m_program->copyDemo();
        m_prompt.emplace();
        g_bCountdownVisible = 0;
        g_nElapsedSeconds = 0;
    }

    void cleanup()
    {
        m_dlg.reset();
        m_prompt.reset();
        m_program.reset();
    }

    void pptHidesTheMainWindowAndShowsTheBar()
    {
        CPlayPPtDlg *bar = startPresenting();
        QVERIFY(!m_dlg->isVisible());
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->pos(), QPoint(kScreenWidth / 2 - bar->width() / 2, 0));
        QVERIFY(bar->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(bar->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(bar->windowType(), Qt::Tool);

        const QList<QPair<int, QString>> buttons = {{2, "退出"},   {1014, "设置"},     {1007, "倒计时"},
                                                    {1004, "教案"}, {1003, "课堂点名"}, {1, "学生信息"}};
        int left = -1;
        for (const auto &[id, caption] : buttons) {
            QPushButton *button = barButton(bar, id);
            QVERIFY(button);
            QCOMPARE(button->text(), caption);
            QVERIFY(button->x() > left);
            QCOMPARE(button->y(), barButton(bar, 2)->y());
            QCOMPARE(button->size(), barButton(bar, 2)->size());
            QCOMPARE(button->isDefault(), id == 1);
            left = button->x();
        }
        QVERIFY(bar->height() < barButton(bar, 2)->height() * 2);

        QCOMPARE(bar->m_nDockSide, DockSide::Top);
        // The headless screen has no task bar.
        QCOMPARE(bar->m_nTaskbarHeight, 30);
        QVERIFY(!bar->m_timers.isRunning(CPlayPPtDlg::kCursorWatchTimer));

        // Created once, shown again.
        bar->hide();
        m_dlg->show();
        m_dlg->m_btnPPT->click();
        QCOMPARE(m_dlg->m_dlgPPT, bar);
        QVERIFY(bar->isVisible());
        QVERIFY(!m_dlg->isVisible());
    }

    void theProgramRunsOnUntilExit()
    {
        m_dlg = std::make_unique<CPellorDlg>();
        const auto before = scoreFiles(*m_program);
        bool returned = false;
        bool runningWithTheBar = false;
        QTimer::singleShot(0, m_dlg.get(), [&] {
            m_dlg->m_btnPPT->click();
            // Runs only while the program's loop is alive.
            QTimer::singleShot(0, m_dlg.get(), [&] {
                CPlayPPtDlg *bar = m_dlg->m_dlgPPT;
                runningWithTheBar = !returned && !m_dlg->isVisible() && bar && bar->isVisible();
                m_prompt->answerNext(Prompt::No);
                if (bar)
                    barButton(bar, CPlayPPtDlg::IDC_EXIT)->click();
            });
        });
        m_dlg->exec();
        returned = true;
        QVERIFY(runningWithTheBar);
        QVERIFY(!m_dlg->m_dlgPPT->isVisible());
        // Nobody graded, but the lesson has begun: asked, and 否 writes nothing.
        QCOMPARE(m_prompt->texts(), QStringList{kUnsavedQuestion});
        QCOMPARE(scoreFiles(*m_program), before);

        // Esc on the bar is "退出" too.
        m_dlg = std::make_unique<CPellorDlg>();
        returned = false;
        QTimer::singleShot(0, m_dlg.get(), [&] {
            m_dlg->m_btnPPT->click();
            QTimer::singleShot(0, m_dlg.get(), [&] {
                m_prompt->answerNext(Prompt::No);
                QTest::keyClick(m_dlg->m_dlgPPT, Qt::Key_Escape);
            });
        });
        m_dlg->exec();
        QVERIFY(!m_dlg->m_dlgPPT->isVisible());
    }

    void rollCallBringsTheWindowBackAsItWas()
    {
        m_dlg = std::make_unique<CPellorDlg>();
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        RecordingSound sound;
        gradeThirdStudentVeryGood();
        const QString name = m_dlg->m_editName->text();
        QStringList back;
        bool barAgain = false;
        QTimer::singleShot(0, m_dlg.get(), [&] {
            m_dlg->m_btnPPT->click();
            QTimer::singleShot(0, m_dlg.get(), [&] {
                CPlayPPtDlg *bar = m_dlg->m_dlgPPT;
                // Hovered and slid in: hidden, the bar must not come back on the next step.
                hover(bar, bar->geometry().center());
                barButton(bar, CPlayPPtDlg::IDC_ROLL_CALL)->click();
                bar->m_timers.fire(CPlayPPtDlg::kCursorWatchTimer);
                bar->m_timers.fire(CPlayPPtDlg::kSlideTimer);
                back << (m_dlg->isVisible() && !bar->isVisible() ? "back" : "not back") << m_dlg->m_comboNumber->currentText()
                     << m_dlg->m_editName->text() << m_dlg->m_editGroup->text();
                // The student on call is still the one a grade goes to.
                TestSupport::whenModal([](QWidget *grading) { TestSupport::clickButton(grading, 3); });
                m_dlg->m_btnPresent->click();
                back << m_dlg->m_editPersonal->text() << m_dlg->m_editGroup->text();
                m_dlg->m_btnPPT->click();
                barAgain = bar->isVisible() && !m_dlg->isVisible();
                m_prompt->answerNext(Prompt::Yes);
                barButton(bar, CPlayPPtDlg::IDC_EXIT)->click();
            });
        });
        m_dlg->exec();
        QCOMPARE(back, QStringList({"back", "3", name, "17", "4", "18"}));
        QVERIFY(barAgain);
        QCOMPARE(m_dlg->result(), int(QDialog::Accepted));
        QVERIFY(m_program->readFile(QStringLiteral("成绩/课堂成绩1.txt"))
                    .startsWith(TextCodec::encodeGb18030(QStringLiteral("8\r\n1\t总成绩\t18\r\n"))));
    }

    void exitAsksAboutUnsavedGrades()
    {
        struct Case
        {
            Prompt::Result answer;
            bool saved;
        };
        for (const Case &c : {Case{Prompt::Yes, true}, Case{Prompt::No, false}, Case{Prompt::Cancel, false}}) {
            // A folder of its own for each answer; the previous one goes first.
            m_dlg.reset();
            m_program.reset();
            m_program = std::make_unique<TempProgramFolder>();
            m_program->copyDemo();
            m_prompt.emplace();
            m_dlg = std::make_unique<CPellorDlg>();
            changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
            const auto before = scoreFiles(*m_program);
            RecordingSound sound;
            gradeThirdStudentVeryGood();

            m_prompt->answerNext(c.answer);
            QStringList askedAtFirstExit;
            bool stayedAfterCancel = false;
            QTimer::singleShot(0, m_dlg.get(), [&] {
                m_dlg->m_btnPPT->click();
                QTimer::singleShot(0, m_dlg.get(), [&] {
                    CPlayPPtDlg *bar = m_dlg->m_dlgPPT;
                    barButton(bar, CPlayPPtDlg::IDC_EXIT)->click();
                    askedAtFirstExit = m_prompt->texts();
                    if (c.answer != Prompt::Cancel)
                        return;
                    // Checked on the next turn: the program's loop must still be running.
                    QTimer::singleShot(0, m_dlg.get(), [&, bar] {
                        stayedAfterCancel = bar->isVisible() && !m_dlg->isVisible();
                        m_prompt->answerNext(Prompt::No);
                        barButton(bar, CPlayPPtDlg::IDC_EXIT)->click();
                    });
                });
            });
            m_dlg->exec();

            QCOMPARE(askedAtFirstExit, QStringList{kUnsavedQuestion});
            QVERIFY(!m_dlg->m_dlgPPT->isVisible());
            if (c.answer == Prompt::Cancel) {
                QVERIFY(stayedAfterCancel);
                QCOMPARE(m_prompt->texts(), QStringList({kUnsavedQuestion, kUnsavedQuestion}));
            }
            const auto after = scoreFiles(*m_program);
            if (c.saved) {
                QVERIFY(after != before);
                QVERIFY(after.value(QStringLiteral("课堂成绩1.txt"))
                            .startsWith(TextCodec::encodeGb18030(QStringLiteral("8\r\n1\t总成绩\t17\r\n"))));
            } else {
                QCOMPARE(after, before);
            }
        }
    }

    void exitKeptOpenKeepsTheCountdown()
    {
        CPlayPPtDlg *bar = startPresenting();
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        RecordingSound sound;
        barButton(bar, CPlayPPtDlg::IDC_COUNTDOWN)->click();
        const QPointer<CTimeJishiDlg> countdown = bar->m_dlgCountdown.get();
        countdown->m_comboMinutes->setCurrentIndex(1);
        countdown->OnCbnSelchangeMinutes();
        gradeThirdStudentVeryGood();

        // Cancelled, or a save that fails: the bar stays, and so does the count it shows.
        m_prompt->answerNext(Prompt::Cancel);
        barButton(bar, CPlayPPtDlg::IDC_EXIT)->click();
        QVERIFY(bar->isVisible());
        QVERIFY(countdown && bar->m_dlgCountdown.get() == countdown);
        QVERIFY(countdown->isVisible());
        QVERIFY(!countdown->m_staticTime->m_bStop);
        QCOMPARE(countdown->m_staticTime->m_nMinutes, 10);
        // Its worker begun: when the thread first runs is the system's to decide.
        QTRY_COMPARE_WITH_TIMEOUT(Timer::runningWorkers(), 1, 30000);

        // A folder where a group file should go cannot be replaced, not even by root.
        const QString blocked = m_program->file(QStringLiteral("成绩/课堂成绩2.txt"));
        QVERIFY(QFile::remove(blocked));
        QVERIFY(QDir().mkdir(blocked));
        m_prompt->answerNext(Prompt::Yes);
        barButton(bar, CPlayPPtDlg::IDC_EXIT)->click();
        QCOMPARE(m_prompt->texts().size(), 3);
        QVERIFY(m_prompt->texts().at(2).startsWith(QStringLiteral("以下成绩文件未能保存")));
        QVERIFY(bar->isVisible());
        QVERIFY(countdown && bar->m_dlgCountdown.get() == countdown);
        QVERIFY(!countdown->m_staticTime->m_bStop);

        // Leaving for good stops the count first.
        m_prompt->answerNext(Prompt::No);
        barButton(bar, CPlayPPtDlg::IDC_EXIT)->click();
        QVERIFY(!bar->isVisible());
        QVERIFY(!bar->m_dlgCountdown);
        QCOMPARE(Timer::runningWorkers(), 0);
        QCOMPARE(g_nElapsedSeconds.load(), 0);
    }

    void hoverSlidesInAndLeavingSlidesOut()
    {
        CPlayPPtDlg *bar = startPresenting();
        const int h = bar->height();
        const int x = bar->x();
        hover(bar, bar->geometry().center());
        QVERIFY(bar->m_bShown);
        QCOMPARE(bar->m_timers.interval(CPlayPPtDlg::kCursorWatchTimer), 200);
        QCOMPARE(bar->m_timers.interval(CPlayPPtDlg::kSlideTimer), 50);
        // At the top the bar only moves up to hide its edge.
        QCOMPARE(slideToEnd(bar), 1);
        QCOMPARE(bar->geometry(), QRect(x, -2, bar->width(), h));

        // The cursor within 10 pixels of the bar keeps it.
        QCursor::setPos(x - 10, 20);
        bar->m_timers.fire(CPlayPPtDlg::kCursorWatchTimer);
        QVERIFY(bar->m_timers.isRunning(CPlayPPtDlg::kCursorWatchTimer));
        QVERIFY(!bar->m_timers.isRunning(CPlayPPtDlg::kSlideTimer));

        QCursor::setPos(x - 11, 20);
        bar->m_timers.fire(CPlayPPtDlg::kCursorWatchTimer);
        QVERIFY(!bar->m_timers.isRunning(CPlayPPtDlg::kCursorWatchTimer));
        QVERIFY(!bar->m_bShown);
        QVERIFY(bar->m_bSlidingOut);
        QCOMPARE(slideToEnd(bar), (h - 2 - 4 + h / 10 - 1) / (h / 10));
        // Four pixels stay on screen.
        QCOMPARE(bar->geometry(), QRect(x, 4 - h, bar->width(), h));
        QVERIFY(bar->isVisible());

        // Over that strip it comes back.
        hover(bar, QPoint(x + 5, 1));
        QVERIFY(bar->m_bShown);
        slideToEnd(bar);
        QCOMPARE(bar->geometry(), QRect(x, -2, bar->width(), h));
        QVERIFY(bar->m_timers.isRunning(CPlayPPtDlg::kCursorWatchTimer));
        // A hover while shown starts nothing new.
        hover(bar, QPoint(x + 6, 1));
        QVERIFY(!bar->m_timers.isRunning(CPlayPPtDlg::kSlideTimer));
    }

    void draggingDocksByTheCursor()
    {
        CPlayPPtDlg *bar = startPresenting();
        const QSize size = bar->size();
        const QPoint grip(size.width() / 2, 1);

        // Out of every zone: undocked, the cursor watch ends and hovering starts nothing.
        hover(bar, bar->geometry().center());
        QVERIFY(bar->m_bShown);
        drag(bar, {QPoint(300, 200), QPoint(400, 300)});
        QCOMPARE(bar->geometry(), QRect(QPoint(400, 300) - grip, size));
        QCOMPARE(bar->m_nDockSide, DockSide::None);
        QVERIFY(!bar->m_bShown);
        QVERIFY(!bar->m_timers.isRunning(CPlayPPtDlg::kCursorWatchTimer));
        hover(bar, bar->geometry().center());
        QVERIFY(!bar->m_bShown);
        QVERIFY(!bar->m_timers.isRunning(CPlayPPtDlg::kCursorWatchTimer));

        // The left edge stretches the bar down to the task bar; leaving it gives the height back.
        drag(bar, {QPoint(10, 300)});
        QCOMPARE(bar->geometry(), QRect(0, -2, size.width(), kScreenHeight - 30 + 2));
        QCOMPARE(bar->m_nDockSide, DockSide::Left);
        QVERIFY(bar->m_bStretched);
        QCOMPARE(bar->m_nSavedHeight, size.height());
        // Dropped there, the bar under the cursor is hovered.
        QVERIFY(bar->m_bShown);
        drag(bar, {QPoint(kScreenWidth - 5, 300)});
        QCOMPARE(bar->geometry(), QRect(kScreenWidth - size.width(), -2, size.width(), kScreenHeight - 28));
        QCOMPARE(bar->m_nDockSide, DockSide::Right);
        QCOMPARE(bar->m_nSavedHeight, size.height());
        drag(bar, {QPoint(400, 300)});
        QCOMPARE(bar->size(), size);
        QVERIFY(!bar->m_bStretched);

        // Top and bottom by the cursor, wherever the rest of the bar is.
        drag(bar, {QPoint(400, 10)});
        QCOMPARE(bar->geometry(), QRect(400 - grip.x(), -2, size.width(), size.height()));
        QCOMPARE(bar->m_nDockSide, DockSide::Top);
        drag(bar, {QPoint(400, kScreenHeight - 40)});
        QCOMPARE(bar->geometry(), QRect(400 - grip.x(), kScreenHeight - 30 - size.height(), size.width(), size.height()));
        QCOMPARE(bar->m_nDockSide, DockSide::Bottom);

        // Slid out at the bottom and back in: over the task bar, down to the screen's edge.
        QCursor::setPos(400, 300);
        bar->m_timers.fire(CPlayPPtDlg::kCursorWatchTimer);
        slideToEnd(bar);
        QCOMPARE(bar->y(), kScreenHeight - 4);
        hover(bar, QPoint(400, kScreenHeight - 2));
        slideToEnd(bar);
        QCOMPARE(bar->y(), kScreenHeight - size.height());
    }

    void countdownOnEachClick()
    {
        CPlayPPtDlg *bar = startPresenting();
        QPushButton *button = barButton(bar, CPlayPPtDlg::IDC_COUNTDOWN);
        button->click();
        CTimeJishiDlg *countdown = bar->m_dlgCountdown.get();
        QVERIFY(countdown && countdown->isVisible());
        // At the screen's right edge; on this narrow screen below the bar, which it would lie under.
        QCOMPARE(countdown->pos(), QPoint(kScreenWidth - 200, bar->geometry().bottom() + 1));
        QCOMPARE(countdown->m_comboMinutes->count(), 6);
        QCOMPARE(g_bCountdownVisible, 1);
        button->click();
        QVERIFY(!countdown->isVisible());
        QCOMPARE(g_bCountdownVisible, 0);
        button->click();
        QVERIFY(countdown->isVisible());
        QCOMPARE(g_bCountdownVisible, 1);
        QCOMPARE(bar->m_dlgCountdown.get(), countdown);

        // Hidden by a close request, the record still says shown: one press puts it right.
        countdown->close();
        QVERIFY(!countdown->isVisible());
        QCOMPARE(g_bCountdownVisible, 1);
        button->click();
        QVERIFY(!countdown->isVisible());
        QCOMPARE(g_bCountdownVisible, 0);
        button->click();
        QVERIFY(countdown->isVisible());
        QCOMPARE(g_bCountdownVisible, 1);

        // "退出" stops the count and waits for its worker before the window goes.
        countdown->m_comboMinutes->setCurrentIndex(0);
        countdown->OnCbnSelchangeMinutes();
        QVERIFY(!countdown->m_staticTime->m_bStop);
        m_prompt->answerNext(Prompt::No);
        barButton(bar, CPlayPPtDlg::IDC_EXIT)->click();
        QCOMPARE(Timer::runningWorkers(), 0);
        QVERIFY(!bar->m_dlgCountdown);
        QCOMPARE(g_nElapsedSeconds.load(), 0);
        QVERIFY(!bar->isVisible());
    }

    void settingsFromTheMainWindow()
    {
        m_program->writeFile("res/set.ini", "[NumOfClass]\r\nNumOfClass=3\r\n[Voice]\r\nVoice=2\r\n"
                                            "[DongHua]\r\nShowDongHua=1\r\n");
        CPlayPPtDlg *bar = startPresenting();
        QCOMPARE(m_dlg->lesson().settings().m_nVoice, 2);
        QCOMPARE(m_dlg->lesson().settings().m_nShowDonghua, 1);

        // Pre-filled from the main window; the score display from the application object.
        runSettings(bar, [](CSetDlg *dlg) {
            QVERIFY(check<QRadioButton>(dlg, "radio", CSetDlg::IDC_VOICE_NONE)->isChecked());
            QVERIFY(check<QCheckBox>(dlg, "check", CSetDlg::IDC_SHOW_DONGHUA)->isChecked());
            QVERIFY(check<QCheckBox>(dlg, "check", CSetDlg::IDC_SHOW_SCORE)->isChecked());
            check<QRadioButton>(dlg, "radio", CSetDlg::IDC_VOICE_JIGU)->click();
            check<QCheckBox>(dlg, "check", CSetDlg::IDC_SHOW_SCORE)->click();
            TestSupport::clickButton(dlg, CSetDlg::IDC_OK);
        });
        QCOMPARE(m_dlg->lesson().settings().m_nVoice, 1);
        QCOMPARE(m_dlg->lesson().settings().m_nShowDonghua, 1);
        QCOMPARE(m_app.m_bShowScore, 0);
        const QByteArray written = "[NumOfClass]\r\nNumOfClass=3\r\n[Voice]\r\nVoice=1\r\n[DongHua]\r\nShowDongHua=1\r\n"
                                   "[Score]\r\nShowScore=0\r\n";
        QCOMPARE(m_program->readFile("res/set.ini"), written);

        // OK without a change keeps every switch as it was.
        runSettings(bar, [](CSetDlg *dlg) {
            QVERIFY(check<QRadioButton>(dlg, "radio", CSetDlg::IDC_VOICE_JIGU)->isChecked());
            QVERIFY(!check<QCheckBox>(dlg, "check", CSetDlg::IDC_SHOW_SCORE)->isChecked());
            TestSupport::clickButton(dlg, CSetDlg::IDC_OK);
        });
        QCOMPARE(m_dlg->lesson().settings().m_nVoice, 1);
        QCOMPARE(m_dlg->lesson().settings().m_nShowDonghua, 1);
        QCOMPARE(m_program->readFile("res/set.ini"), written);

        // Cancel changes nothing.
        runSettings(bar, [](CSetDlg *dlg) {
            check<QCheckBox>(dlg, "check", CSetDlg::IDC_SHOW_DONGHUA)->click();
            TestSupport::clickButton(dlg, CSetDlg::IDC_CANCEL);
        });
        QCOMPARE(m_dlg->lesson().settings().m_nShowDonghua, 1);
        QCOMPARE(m_program->readFile("res/set.ini"), written);
        QVERIFY(m_prompt->shown.isEmpty());

        // A file that cannot be written is reported; the run keeps the new switches.
        QVERIFY(QFile::remove(m_program->file("res/set.ini")));
        QVERIFY(QDir().mkdir(m_program->file("res/set.ini")));
        runSettings(bar, [](CSetDlg *dlg) {
            check<QCheckBox>(dlg, "check", CSetDlg::IDC_SHOW_DONGHUA)->click();
            TestSupport::clickButton(dlg, CSetDlg::IDC_OK);
        });
        QCOMPARE(m_dlg->lesson().settings().m_nShowDonghua, 0);
        QCOMPARE(m_prompt->shown.size(), 1);
        QVERIFY(m_prompt->shown.first().applicationBox);
        QVERIFY(!m_prompt->lastText().isEmpty());
    }

    void eachRunOffersOnlyWhatItTakes()
    {
        // A group count the dialog would refuse, edited by hand into the file.
        m_program->writeFile("res/set.ini", "[NumOfClass]\r\nNumOfClass=9\r\n[Voice]\r\nVoice=2\r\n");
        m_app.m_bShowScore = 1;
        CPlayPPtDlg *bar = startPresenting();
        m_prompt->clear();
        const QList<QPair<const char *, int>> notTaken = {
            {"edit", CSetDlg::IDC_BASIC_SCORE}, {"edit", CSetDlg::IDC_WRONG_SCORE},
            {"edit", CSetDlg::IDC_RIGHT_SCORE}, {"edit", CSetDlg::IDC_QUITE_RIGHT_SCORE},
            {"edit", CSetDlg::IDC_JIGU},        {"edit", CSetDlg::IDC_NUM_OF_CLASS},
            {"check", CSetDlg::IDC_SELECT_CLASS}, {"button", CSetDlg::IDC_BROWSE}};
        const QList<QPair<const char *, int>> switches = {{"radio", CSetDlg::IDC_VOICE_SOUND},
                                                          {"radio", CSetDlg::IDC_VOICE_JIGU},
                                                          {"radio", CSetDlg::IDC_VOICE_NONE},
                                                          {"check", CSetDlg::IDC_SHOW_DONGHUA},
                                                          {"check", CSetDlg::IDC_SHOW_SCORE}};
        auto enabled = [](CSetDlg *dlg, const QList<QPair<const char *, int>> &controls) {
            QStringList states;
            for (const auto &[kind, id] : controls)
                states << QString::number(check<QWidget>(dlg, kind, id)->isEnabled());
            return states;
        };

        // The bar takes its three switches and nothing else: the rest stands as it is in
        // effect, greyed, and is never refused.
        QStringList barStates;
        runSettings(bar, [&](CSetDlg *dlg) {
            barStates << enabled(dlg, notTaken) << enabled(dlg, switches)
                      << check<QLineEdit>(dlg, "edit", CSetDlg::IDC_NUM_OF_CLASS)->text();
            check<QRadioButton>(dlg, "radio", CSetDlg::IDC_VOICE_JIGU)->click();
            check<QCheckBox>(dlg, "check", CSetDlg::IDC_SHOW_SCORE)->click();
            TestSupport::clickButton(dlg, CSetDlg::IDC_OK);
            barStates << (dlg->isVisible() ? "open" : "closed");
        });
        QCOMPARE(barStates, QStringList({"0", "0", "0", "0", "0", "0", "0", "0", "1", "1", "1", "1", "1", "9", "closed"}));
        QCOMPARE(m_prompt->texts(), QStringList());
        QCOMPARE(m_dlg->lesson().settings().m_nVoice, 1);
        QCOMPARE(m_program->readFile("res/set.ini"),
                 QByteArray("[NumOfClass]\r\nNumOfClass=9\r\n[Voice]\r\nVoice=1\r\n[DongHua]\r\nShowDongHua=1\r\n"
                            "[Score]\r\nShowScore=0\r\n"));

        // The main window takes everything but the score display, which it shows as it is.
        barButton(bar, CPlayPPtDlg::IDC_ROLL_CALL)->click();
        QStringList windowStates;
        TestSupport::whenModal([&](QWidget *modal) {
            auto dlg = qobject_cast<CSetDlg *>(modal);
            windowStates << enabled(dlg, notTaken) << enabled(dlg, switches)
                         << QString::number(check<QCheckBox>(dlg, "check", CSetDlg::IDC_SHOW_SCORE)->isChecked());
            dlg->reject();
        });
        m_dlg->m_btnSettings->click();
        QCOMPARE(windowStates, QStringList({"1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "0", "0"}));
    }

    void recordsAndLessonPlan()
    {
        CPlayPPtDlg *bar = startPresenting();
        // The records open above the bar, owned by it; Enter opens them too.
        QCOMPARE(recordsOwner([bar] { barButton(bar, CPlayPPtDlg::IDC_STUDENT_INFO)->click(); }), bar);
        QCOMPARE(recordsOwner([bar] { QTest::keyClick(bar, Qt::Key_Return); }), bar);
        QVERIFY(bar->isVisible());

        barButton(bar, CPlayPPtDlg::IDC_LESSON_PLAN)->click();
        QVERIFY(m_dlg->m_dlgQuestion);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QVERIFY(std::any_of(windows.begin(), windows.end(), [](QWidget *w) {
            return w->inherits("CQuestionDlg") && w->isVisible();
        }));
    }

private:
    CPlayPPtDlg *startPresenting()
    {
        m_dlg = std::make_unique<CPellorDlg>();
        m_dlg->show();
        m_dlg->m_btnPPT->click();
        CPlayPPtDlg *bar = m_dlg->m_dlgPPT;
        // The cursor reaches a window only once it is on screen.
        if (!QTest::qWaitForWindowExposed(bar))
            QTest::qFail("the tool bar never came on screen", __FILE__, __LINE__);
        return bar;
    }

    void gradeThirdStudentVeryGood()
    {
        m_dlg->m_comboGroup->setCurrentIndex(0);
        m_dlg->OnCbnSelchangeGroup();
        m_dlg->m_comboNumber->setCurrentIndex(2);
        m_dlg->OnCbnSelchangeStudent();
        TestSupport::whenModal([](QWidget *grading) { TestSupport::clickButton(grading, 3); });
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 17);
    }

    // The owner of the records window that action opens, which is then closed.
    static QWidget *recordsOwner(const std::function<void()> &action)
    {
        QWidget *owner = nullptr;
        TestSupport::whenModal([&owner](QWidget *window) {
            if (qobject_cast<CStudentInfoDlg *>(window))
                owner = window->parentWidget();
            window->close();
        });
        action();
        return owner;
    }

    template <typename T>
    static T *check(QWidget *dlg, const char *kind, int id)
    {
        auto control = dlg->findChild<T *>(QLatin1String(kind) + QString::number(id));
        if (!control)
            qFatal("no %s%d", kind, id);
        return control;
    }

    // Presses the bar's "设置" and runs action on the dialog it opens.
    void runSettings(CPlayPPtDlg *bar, std::function<void(CSetDlg *)> action)
    {
        bool ran = false;
        TestSupport::whenModal([&ran, action](QWidget *modal) {
            auto dlg = qobject_cast<CSetDlg *>(modal);
            QVERIFY(dlg);
            ran = true;
            action(dlg);
            if (dlg->isVisible())
                dlg->reject();
        });
        barButton(bar, CPlayPPtDlg::IDC_SETTINGS)->click();
        QVERIFY(ran);
    }

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_program;
    std::optional<ScriptedPrompt> m_prompt;
    std::unique_ptr<CPellorDlg> m_dlg;
};

PELLOR_WIDGET_TEST_MAIN(TestToolBar)
#include "tst_toolbar.moc"
