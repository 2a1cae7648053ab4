#include "TestMain.h"

#include "AppTestHelpers.h"

#include "app/CMyStatic.h"
#include "app/CTimeJishiDlg.h"
#include "app/Timer.h"
#include "app/core/Countdown.h"

#include "platform/gui/Screen.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSemaphore>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace {

// The worker's wait between ticks: each tick needs one permit, so a test lets the count
// go exactly as far as it wants. The wait itself is the timer's own, on its stop request,
// so that a stop ends it at once and the stopping worker ticks no more; a permit given
// before the stop is used up all the same.
QSemaphore g_tickPermits;
// One permit each time a worker begins to wait for its next tick.
QSemaphore g_waiting;
std::atomic<int> g_lastInterval{0};

bool gatedWait(int ms, Timer::TickWait &wait)
{
    g_lastInterval = ms;
    g_waiting.release();
    while (!g_tickPermits.tryAcquire()) {
        if (!wait.waitFor(std::chrono::milliseconds(1))) {
            g_tickPermits.tryAcquire();
            return false;
        }
    }
    return true;
}

// Runs the event loop until done holds; false after ten seconds.
bool spinUntil(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::yield();
    }
    return true;
}

// Stops itself at a given tick and then lingers before its loop tests the flag again,
// the moment a restart must not slip into.
class StoppingTimer : public Timer
{
public:
    ~StoppingTimer() override { Stop(); }

    void OnTick() override
    {
        ++ticks;
        m_bStop = true;
        reachedZero.release();
        for (int i = 0, n = linger.load(); i < n; ++i)
            spins.fetch_add(1, std::memory_order_relaxed);
    }

    QSemaphore reachedZero;
    std::atomic<int> linger{0};
    std::atomic<int> spins{0};
    std::atomic<int> ticks{0};
};

} // namespace

class TestCountdown : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        quietenHeadlessRaise();
        // Nor can it make a window translucent; the window still records its opacity.
        static QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                if (!text.contains(QLatin1String("does not support setting window opacity")))
                    previous(type, context, text);
            });
        Timer::setWaitFunction(gatedWait);
    }

    void init()
    {
        g_nElapsedSeconds = 0;
        m_dlg = std::make_unique<CTimeJishiDlg>();
        m_dlg->ShowCountdown();
        m_time = m_dlg->m_staticTime;
        Timer::resetPeakWorkers();
    }

    void cleanup()
    {
        m_time->Stop();
        Timer::setWaitFunction(gatedWait);
        g_tickPermits.tryAcquire(g_tickPermits.available());
        m_dlg.reset();
        g_waiting.tryAcquire(g_waiting.available());
        QCOMPARE(Timer::runningWorkers(), 0);
        QCOMPARE(Timer::peakWorkers() <= 1, true);
        g_nElapsedSeconds = 0;
    }

    void timeText()
    {
        QCOMPARE(Countdown::timeText(299), QStringLiteral("04:59"));
        QCOMPARE(Countdown::timeText(2699), QStringLiteral("44:59"));
        QCOMPARE(Countdown::timeText(605), QStringLiteral("10:05"));
        QCOMPARE(Countdown::timeText(550), QStringLiteral("09:10"));
        QCOMPARE(Countdown::timeText(9), QStringLiteral("00:09"));
        QCOMPARE(Countdown::timeText(600), QStringLiteral("10:00"));
        QCOMPARE(Countdown::timeText(0), QStringLiteral("00:00"));
        QCOMPARE(Countdown::minutesForIndex(0, 30), 5);
        QCOMPARE(Countdown::minutesForIndex(5, 30), 45);
        QCOMPARE(Countdown::minutesForIndex(6, 30), 30);
        QCOMPARE(Countdown::minutesForIndex(-1, 30), 30);
    }

    void windowOnShow()
    {
        QVERIFY(m_dlg->isCreated());
        QVERIFY(m_dlg->isVisible());
        QVERIFY(m_dlg->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(m_dlg->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(m_dlg->pos(), QPoint(Screen::size().width() - 200, 0));
        QCOMPARE(qRound(m_dlg->windowOpacity() * 255), 190);
        QCOMPARE(m_time->m_nInterval, 1000);
        QComboBox *combo = m_dlg->m_comboMinutes;
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, QStringList({"5", "10", "20", "30", "40", "45"}));
        QCOMPARE(combo->currentIndex(), -1);
        // Every length shows whole in the field, beside its arrow and within the window.
        const QFontMetrics metrics(combo->lineEdit()->font());
        for (const QString &item : items)
            QVERIFY2(combo->lineEdit()->width() >= metrics.horizontalAdvance(item) + 4, qPrintable(item));
        QVERIFY(combo->geometry().right() < m_dlg->width());
        QCOMPARE(m_time->text(), QStringLiteral("倒计时"));
        QVERIFY(m_time->m_bStop);
        QCOMPARE(Timer::runningWorkers(), 0);

        // Typing a length, even with Enter, starts nothing.
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("10"));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QVERIFY(m_time->m_bStop);
        QCOMPARE(Timer::runningWorkers(), 0);

        // Nor does the focus leaving the field with a length typed in it.
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(combo->lineEdit(), &focusOut);
        QCOMPARE(combo->currentIndex(), -1);
        QVERIFY(m_time->m_bStop);
        QCOMPARE(Timer::runningWorkers(), 0);
        // A choice from the list after the typing does.
        choose(1);
        QVERIFY(!m_time->m_bStop);
        QCOMPARE(m_time->m_nMinutes, 10);

        // Dragged by its body, the time display included.
        const QPoint start = m_dlg->pos();
        QTest::mousePress(m_time, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QTest::mouseMove(m_time, QPoint(32, 42));
        QTest::mouseRelease(m_time, Qt::LeftButton, Qt::NoModifier, QPoint(32, 42));
        QCOMPARE(m_dlg->pos(), start + QPoint(30, 40));
    }

    void firstTickShowsOneSecondLess()
    {
        choose(0);
        QCOMPARE(m_time->m_nMinutes, 5);
        QCOMPARE(m_time->text(), QStringLiteral("倒计时"));
        QVERIFY(m_time->timeText().isEmpty());

        tick(QStringLiteral("04:59"));
        QCOMPARE(g_lastInterval.load(), 1000);
        QCOMPARE(g_nElapsedSeconds.load(), 1);

        // Red digits on a dark box at a fifth of the width, on the light field.
        const QImage image = m_time->grab().toImage();
        QCOMPARE(QColor(image.pixel(0, image.height() - 1)), QColor(245, 240, 215));
        bool box = false;
        for (int x = image.width() / 5; x < image.width() && !box; ++x)
            for (int y = 0; y < image.height() && !box; ++y)
                box = QColor(image.pixel(x, y)) == QColor(10, 15, 40);
        QVERIFY(box);
        QVERIFY(!m_time->m_bStop);
    }

    void newLengthWhileRunningStartsFromItsFullLength()
    {
        choose(0);
        tick(QStringLiteral("04:59"));
        tick(QStringLiteral("04:58"));
        choose(5);
        QCOMPARE(m_time->m_nMinutes, 45);
        QCOMPARE(g_nElapsedSeconds.load(), 0);
        tick(QStringLiteral("44:59"));
        QCOMPARE(Timer::runningWorkers(), 1);
    }

    void newLengthWakesTheWaitingWorker()
    {
        // The timer's own wait, a minute long: only the stop can end it before the test does.
        QSemaphore waiting;
        std::atomic<int> waits{0};
        std::atomic<int> cutShort{0};
        Timer::setWaitFunction([&](int, Timer::TickWait &wait) {
            ++waits;
            waiting.release();
            const bool due = wait.waitFor(std::chrono::minutes(1));
            if (!due)
                ++cutShort;
            return due;
        });
        choose(0);
        waiting.acquire();
        choose(5);
        // The stop ended the first worker's wait, with no tick after it, and the new worker
        // waits for its first second.
        QCOMPARE(cutShort.load(), 1);
        QCOMPARE(g_nElapsedSeconds.load(), 0);
        QVERIFY(m_time->timeText().isEmpty());
        waiting.acquire();
        QCOMPARE(waits.load(), 2);
        QCOMPARE(Timer::runningWorkers(), 1);
        QCOMPARE(Timer::peakWorkers(), 1);
        m_time->Stop();
        QCOMPARE(cutShort.load(), 2);
        QCOMPARE(Timer::runningWorkers(), 0);
    }

    void zeroKeepsTheDisplayAndEndsTheWorker()
    {
        choose(0);
        g_tickPermits.release(300);
        QVERIFY(spinUntil([this] { return m_time->timeText() == QLatin1String("00:00"); }));
        QVERIFY(spinUntil([] { return Timer::runningWorkers() == 0; }));
        QVERIFY(m_time->m_bStop);
        QCOMPARE(g_nElapsedSeconds.load(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(m_time->timeText(), QStringLiteral("00:00"));

        // A new choice starts afresh at once.
        choose(1);
        tick(QStringLiteral("09:59"));
    }

    void showingAgainChangesNothing()
    {
        choose(0);
        tick(QStringLiteral("04:59"));
        const QPoint moved = m_dlg->pos() + QPoint(-50, 30);
        m_dlg->move(moved);
        m_dlg->hide();

        m_dlg->ShowCountdown();
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(m_dlg->pos(), moved);
        QCOMPARE(m_dlg->m_comboMinutes->count(), Countdown::kLengthCount);
        QCOMPARE(m_dlg->m_comboMinutes->currentIndex(), 0);
        QCOMPARE(m_time->m_nMinutes, 5);
        tick(QStringLiteral("04:58"));
        QCOMPARE(Timer::runningWorkers(), 1);
    }

    void hiddenWindowKeepsCounting()
    {
        choose(0);
        m_dlg->close();
        QVERIFY(!m_dlg->isVisible());
        tick(QStringLiteral("04:59"));
        QTest::keyClick(m_dlg.get(), Qt::Key_Escape);
        m_dlg->show();
        QTest::keyClick(m_dlg.get(), Qt::Key_Escape);
        QVERIFY(!m_dlg->isVisible());
        tick(QStringLiteral("04:58"));
        QCOMPARE(Timer::runningWorkers(), 1);
    }

    void restartAsTheCountReachesZero()
    {
        // The last second and a restart, in each order brought about on purpose rather than
        // left to the threads: the count reaches zero and its worker ends before the restart,
        // or the restart comes while the worker waits for that second and ends it untimely.
        for (const bool zeroFirst : {true, false}) {
            startAndRun(0, 299);
            QCOMPARE(g_nElapsedSeconds.load(), 299);
            if (zeroFirst) {
                g_tickPermits.release();
                QVERIFY(spinUntil([this] {
                    return Timer::runningWorkers() == 0 && m_time->timeText() == QLatin1String("00:00");
                }));
                QVERIFY(m_time->m_bStop);
            }
            choose(0);
            QCOMPARE(g_nElapsedSeconds.load(), 0);
            QCOMPARE(Timer::peakWorkers(), 1);
            tick(QStringLiteral("04:59"));
            QCOMPARE(Timer::runningWorkers(), 1);
            m_time->Stop();
        }
    }

    void restartInsideTheFinishingWorkersLastStep()
    {
        Timer::setWaitFunction([](int, Timer::TickWait &) { return true; });
        StoppingTimer timer;
        timer.m_nInterval = 0;
        timer.Start();
        for (int round = 0; round < 2000; ++round) {
            // The worker has set the flag and lingers in its tick; restart now, as a
            // new length chosen at that moment does.
            timer.reachedZero.acquire();
            timer.linger = QRandomGenerator::global()->bounded(20000);
            if (round % 2)
                timer.Stop();
            timer.Start();
        }
        timer.reachedZero.acquire();
        timer.Stop();
        Timer::setWaitFunction(gatedWait);
        // A finishing worker that went on past its restart would have ticked again.
        QCOMPARE(timer.ticks.load(), 2001);
        QCOMPARE(timer.reachedZero.available(), 0);
        QCOMPARE(Timer::peakWorkers(), 1);
        QCOMPARE(Timer::runningWorkers(), 0);
    }

private:
    void choose(int index)
    {
        m_dlg->m_comboMinutes->setCurrentIndex(index);
        emit m_dlg->m_comboMinutes->activated(index);
    }

    // Starts the length of that index and lets the seconds go; back once the worker waits for
    // the next one, with the last second's text shown, so that no tick is under way and no
    // text of an earlier count can pass for a new one.
    void startAndRun(int index, int seconds)
    {
        g_waiting.tryAcquire(g_waiting.available()); // no worker runs here
        choose(index);
        g_tickPermits.release(seconds);
        QVERIFY(g_waiting.tryAcquire(seconds + 1, 60000));
        QCoreApplication::processEvents();
        QCOMPARE(m_time->timeText(), Countdown::timeText(m_time->m_nMinutes * 60 - seconds));
    }

    // Lets one tick through and waits until its text is shown.
    void tick(const QString &expected)
    {
        // The text shown before must differ, or an earlier one would pass for this tick's.
        QCoreApplication::processEvents();
        QVERIFY(m_time->timeText() != expected);
        g_tickPermits.release();
        QVERIFY2(spinUntil([&] { return m_time->timeText() == expected; }), qPrintable(m_time->timeText()));
    }

    std::unique_ptr<CTimeJishiDlg> m_dlg;
    CMyStatic *m_time = nullptr;
};

PELLOR_WIDGET_TEST_MAIN(TestCountdown)
#include "tst_countdown.moc"
