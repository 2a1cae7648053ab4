#include "TestMain.h"

#include "platform/gui/Pause.h"

#include <QTimer>

class TestPause : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Pause::setHandler([](int) {}); }

    void waitsOnTheEventLoopAndTestsWaitForNothing()
    {
        // The program runs on while it waits: a timer due meanwhile fires inside the pause,
        // and the pause ends by its own timer.
        Pause::setHandler({});
        bool pausing = false;
        bool firedInside = false;
        QTimer::singleShot(0, [&] { firedInside = pausing; });
        pausing = true;
        Pause::pause(1);
        pausing = false;
        QVERIFY(firedInside);

        // Replaced, the pause only reports what it was asked to wait.
        QList<int> asked;
        Pause::setHandler([&asked](int ms) { asked << ms; });
        Pause::pause(100000);
        QCOMPARE(asked, QList<int>{100000});
    }
};

PELLOR_UNIT_TEST_MAIN(TestPause)
#include "tst_pause.moc"
