#include "TestMain.h"

#include "platform/gui/WindowPlacement.h"

#include <QDialog>

using namespace WindowPlacement;

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void theFrameGoesToTheCorner()
    {
        // Placed right after it is shown, as the drum game and the question browser are.
        QDialog shown;
        shown.resize(300, 200);
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        WindowPlacement::placeFrameAt(&shown, QPoint(0, 0));
        QTRY_COMPARE(shown.frameGeometry().topLeft(), QPoint(0, 0));
        QVERIFY(shown.geometry().top() > 0); // the caption is on the screen, above the client area
        QCOMPARE(shown.size(), QSize(300, 200));

        // Placed before it is shown, and shown again after hiding.
        QDialog later;
        later.resize(300, 200);
        WindowPlacement::placeFrameAt(&later, QPoint(0, 0));
        later.show();
        QVERIFY(QTest::qWaitForWindowExposed(&later));
        QTRY_COMPARE(later.frameGeometry().topLeft(), QPoint(0, 0));
        later.hide();
        later.move(50, 60);
        later.show();
        WindowPlacement::placeFrameAt(&later, QPoint(0, 0));
        QTRY_COMPARE(later.frameGeometry().topLeft(), QPoint(0, 0));
    }

    void aFrameWithItsCaptionStaysWholeOnTheScreen()
    {
        // A 1024 x 768 screen whose task bar takes 30 pixels, and frames of a caption of 20
        // and borders of 1 pixel around the windows' client areas.
        const QRect area(0, 0, 1024, 738);
        const QMargins frame(1, 20, 1, 1);
        auto framed = [&frame](QPoint topLeft, QSize client) {
            return QRect(topLeft, client.grownBy(frame));
        };

        // Where it fits it stays; centred over a window at the top, its caption comes down
        // onto the screen; past the right or bottom edge it moves back in.
        QCOMPARE(fitFrame(framed({100, 50}, {580, 617}), area), framed({100, 50}, {580, 617}));
        QCOMPARE(fitFrame(framed({222, -30}, {580, 617}), area), framed({222, 0}, {580, 617}));
        QCOMPARE(fitFrame(framed({600, 300}, {580, 617}), area), framed({442, 100}, {580, 617}));
        // Larger than the screen it is cut to it, from the screen's corner.
        QCOMPARE(fitFrame(framed({-100, 40}, {1316, 536}), area), QRect(0, 40, 1024, 557));
        QCOMPARE(fitFrame(framed({0, 0}, {1022, 758}), area), QRect(0, 0, 1024, 738));

        // The tool bar docked at the top centre: a dialog under it comes down below it, one
        // too tall for what is left is cut; one beside it (the countdown) stays.
        const QRect bar(217, 0, 590, 45);
        QCOMPARE(fitFrame(framed({222, 10}, {580, 617}), area, bar), framed({222, 45}, {580, 617}));
        QCOMPARE(fitFrame(framed({222, 10}, {580, 700}), area, bar), QRect(222, 45, 582, 693));
        QCOMPARE(fitFrame(QRect(824, 0, 110, 30), area, bar), QRect(824, 0, 110, 30));
        // Slid up out of sight it comes back under the cursor: windows keep clear all the same.
        QCOMPARE(dockedBar(bar.translated(0, 4 - 45), area), bar);
        QCOMPARE(fitFrame(framed({222, 10}, {580, 617}), area, bar.translated(0, 4 - 45)),
                 framed({222, 45}, {580, 617}));
        // Docked at the bottom on the task bar, or at a side over the screen's height.
        const QRect bottomBar(217, 738 - 45, 590, 45);
        QCOMPARE(fitFrame(framed({222, 100}, {580, 617}), area, bottomBar), framed({222, 55}, {580, 617}));
        const QRect leftBar(0, -2, 120, 740);
        QCOMPARE(roomBesideBar(area, leftBar), QRect(120, 0, 904, 738));
        QCOMPARE(fitFrame(framed({50, 50}, {580, 617}), area, leftBar), framed({120, 50}, {580, 617}));
        // Moved away from the edges it is where the teacher put it, and nothing avoids it.
        QCOMPARE(roomBesideBar(area, QRect(300, 300, 590, 45)), area);
    }

    void aTemplateLargerThanTheScreenScalesToFit()
    {
        const QMargins frame(1, 20, 1, 1);
        QCOMPARE(templateScale(QSize(580, 617), frame, QSize(1024, 738)), 1.0);
        QCOMPARE(templateScale(QSize(1022, 717), frame, QSize(1024, 738)), 1.0);
        QCOMPARE(templateScale(QSize(1316, 536), frame, QSize(1024, 738)), 1022.0 / 1316.0);
        QCOMPARE(templateScale(QSize(580, 758), frame, QSize(1024, 738)), 717.0 / 758.0);
    }
};

PELLOR_WIDGET_TEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
