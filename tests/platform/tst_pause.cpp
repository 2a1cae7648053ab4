#include "TestMain.h"

#include "platform/gui/Pause.h"

#include <QElapsedTimer>
#include <QTimer>

class TestPause : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Pause::setHandler([](int) {}); }

    void waitsItsTimeWhileTheProgramRunsOn()
    {
        Pause::setHandler({});
        bool timerRan = false;
        QTimer::singleShot(0, [&timerRan] { timerRan = true; });
        QElapsedTimer clock;
        clock.start();
        Pause::pause(20);
        QVERIFY(clock.elapsed() >= 19);
        QVERIFY(timerRan);

        // Tests wait for nothing.
        QList<int> asked;
        Pause::setHandler([&asked](int ms) { asked << ms; });
        clock.restart();
        Pause::pause(100000);
        QCOMPARE(asked, QList<int>{100000});
        QVERIFY(clock.elapsed() < 1000);
    }
};

PELLOR_UNIT_TEST_MAIN(TestPause)
#include "tst_pause.moc"
