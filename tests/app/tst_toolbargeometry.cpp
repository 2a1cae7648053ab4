#include "TestMain.h"

#include "app/core/ToolBarGeometry.h"

#include <functional>

namespace ToolBarGeometry {

char *toString(const Rect &r)
{
    return qstrdup(QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom).toUtf8());
}

char *toString(DockSide side)
{
    return qstrdup(QByteArray::number(static_cast<int>(side)));
}

} // namespace ToolBarGeometry

using namespace ToolBarGeometry;

namespace {

// A 1024 x 768 screen with a 40-pixel task bar.
const Measures kScreen{QSize(1024, 768), 40, 2, 4};

using SlideFunction = std::function<Step(DockSide, Rect, const Measures &)>;

// Steps until done, as the slide timer does; the number of steps comes back in steps.
Rect slideToEnd(const SlideFunction &slide, DockSide side, Rect r, int &steps, const Measures &m = kScreen)
{
    for (steps = 1; steps <= 1000; ++steps) {
        const Step step = slide(side, r, m);
        r = step.rect;
        if (step.done)
            return r;
    }
    return r;
}

} // namespace

class TestToolBarGeometry : public QObject
{
    Q_OBJECT

private slots:
    void dockingZonesInTheirOrder()
    {
        const Docking undocked{DockSide::None, false, 400};
        const Rect bar{300, 200, 600, 245};

        // Top: the bar keeps its height and hides its edge above the screen, wherever it was.
        Placement p = dock(QPoint(500, 20), bar, 45, undocked, kScreen);
        QCOMPARE(p.rect, Rect({300, -2, 600, 43}));
        QCOMPARE(p.docking, Docking({DockSide::Top, false, 400}));
        p = dock(QPoint(500, 5), Rect{300, 500, 600, 545}, 45, undocked, kScreen);
        QCOMPARE(p.rect, Rect({300, -2, 600, 43}));

        // Bottom: on top of the task bar, from 20 pixels above it.
        p = dock(QPoint(500, 708), bar, 45, undocked, kScreen);
        QCOMPARE(p.rect, Rect({300, 683, 600, 728}));
        QCOMPARE(p.docking.side, DockSide::Bottom);
        QCOMPARE(dock(QPoint(500, 707), bar, 45, undocked, kScreen).docking.side, DockSide::None);

        // Left: stretched from above the screen down to the task bar, the height kept.
        p = dock(QPoint(19, 300), bar, 45, undocked, kScreen);
        QCOMPARE(p.rect, Rect({0, -2, 300, 728}));
        QCOMPARE(p.docking, Docking({DockSide::Left, true, 45}));
        QCOMPARE(dock(QPoint(20, 300), bar, 45, undocked, kScreen).docking.side, DockSide::None);

        // Right, arriving from the left edge: the height saved there stays saved.
        const Docking atLeft{DockSide::Left, true, 45};
        p = dock(QPoint(1004, 300), Rect{900, -2, 1200, 728}, 730, atLeft, kScreen);
        QCOMPARE(p.rect, Rect({724, -2, 1024, 728}));
        QCOMPARE(p.docking, Docking({DockSide::Right, true, 45}));
        QCOMPARE(dock(QPoint(1003, 300), bar, 45, undocked, kScreen).docking.side, DockSide::None);

        // No zone: a stretched bar gets its saved height back; another keeps its rectangle.
        p = dock(QPoint(500, 300), Rect{400, 100, 700, 830}, 730, atLeft, kScreen);
        QCOMPARE(p.rect, Rect({400, 100, 700, 145}));
        QCOMPARE(p.docking, Docking({DockSide::None, false, 45}));
        p = dock(QPoint(500, 300), bar, 45, {DockSide::Top, false, 400}, kScreen);
        QCOMPARE(p.rect, bar);
        QCOMPARE(p.docking, undocked);

        // The top and the bottom leave a stretched bar stretched and its height as proposed.
        p = dock(QPoint(5, 10), Rect{0, 100, 300, 830}, 730, atLeft, kScreen);
        QCOMPARE(p.rect, Rect({0, -2, 300, 728}));
        QCOMPARE(p.docking, Docking({DockSide::Top, true, 45}));
        p = dock(QPoint(5, 760), Rect{0, 100, 300, 830}, 730, atLeft, kScreen);
        QCOMPARE(p.rect, Rect({0, -2, 300, 728}));
        QCOMPARE(p.docking, Docking({DockSide::Bottom, true, 45}));
    }

    void slidingAtEachEdge()
    {
        int steps = 0;
        // Top: a tenth of the height per step, until the frame strip is left on screen.
        QCOMPARE(slideOut(DockSide::Top, {300, -2, 600, 43}, kScreen).rect, Rect({300, -6, 600, 39}));
        QCOMPARE(slideToEnd(slideOut, DockSide::Top, {300, -2, 600, 43}, steps), Rect({300, -41, 600, 4}));
        QCOMPARE(steps, 10);
        QCOMPARE(slideIn(DockSide::Top, {300, -41, 600, 4}, kScreen).rect, Rect({300, -37, 600, 8}));
        QCOMPARE(slideToEnd(slideIn, DockSide::Top, {300, -41, 600, 4}, steps), Rect({300, -2, 600, 43}));
        QCOMPARE(steps, 10);
        // A bar that has not yet been slid in at the top only moves up to its hidden edge.
        QCOMPARE(slideIn(DockSide::Top, {300, 0, 600, 45}, kScreen).done, true);
        QCOMPARE(slideIn(DockSide::Top, {300, 0, 600, 45}, kScreen).rect, Rect({300, -2, 600, 43}));

        // Bottom: out below the screen's bottom edge; back in down to the bottom, over the task bar.
        QCOMPARE(slideOut(DockSide::Bottom, {300, 683, 600, 728}, kScreen).rect, Rect({300, 687, 600, 732}));
        QCOMPARE(slideToEnd(slideOut, DockSide::Bottom, {300, 683, 600, 728}, steps), Rect({300, 764, 600, 809}));
        QCOMPARE(steps, 21);
        QCOMPARE(slideIn(DockSide::Bottom, {300, 764, 600, 809}, kScreen).rect, Rect({300, 760, 600, 805}));
        QCOMPARE(slideToEnd(slideIn, DockSide::Bottom, {300, 764, 600, 809}, steps), Rect({300, 723, 600, 768}));
        QCOMPARE(steps, 11);

        // Left: a tenth of the width per step, the bar kept at full height.
        QCOMPARE(slideOut(DockSide::Left, {0, -2, 300, 728}, kScreen).rect, Rect({-30, -2, 270, 728}));
        QCOMPARE(slideToEnd(slideOut, DockSide::Left, {0, -2, 300, 728}, steps), Rect({-296, -2, 4, 728}));
        QCOMPARE(steps, 10);
        QCOMPARE(slideIn(DockSide::Left, {-296, 100, 4, 200}, kScreen).rect, Rect({-266, -2, 34, 728}));
        QCOMPARE(slideToEnd(slideIn, DockSide::Left, {-296, -2, 4, 728}, steps), Rect({0, -2, 300, 728}));
        QCOMPARE(steps, 10);

        // Right.
        QCOMPARE(slideOut(DockSide::Right, {724, -2, 1024, 728}, kScreen).rect, Rect({754, -2, 1054, 728}));
        QCOMPARE(slideToEnd(slideOut, DockSide::Right, {724, -2, 1024, 728}, steps), Rect({1020, -2, 1320, 728}));
        QCOMPARE(steps, 10);
        QCOMPARE(slideIn(DockSide::Right, {1020, -2, 1320, 728}, kScreen).rect, Rect({990, -2, 1290, 728}));
        QCOMPARE(slideToEnd(slideIn, DockSide::Right, {1020, -2, 1320, 728}, steps), Rect({724, -2, 1024, 728}));
        QCOMPARE(steps, 10);

        // Undocked: nothing moves, and the slide is over.
        const Step none = slideOut(DockSide::None, {10, 20, 30, 40}, kScreen);
        QCOMPARE(none.rect, Rect({10, 20, 30, 40}));
        QVERIFY(none.done);
        QVERIFY(slideIn(DockSide::None, {10, 20, 30, 40}, kScreen).done);
    }

    void aBarUnderTenPixelsStillReachesItsEnd()
    {
        int steps = 0;
        QCOMPARE(slideToEnd(slideOut, DockSide::Top, {0, 0, 100, 8}, steps), Rect({0, -4, 100, 4}));
        QCOMPARE(steps, 4);
        QCOMPARE(slideToEnd(slideIn, DockSide::Bottom, {0, 764, 100, 770}, steps), Rect({0, 762, 100, 768}));
        QCOMPARE(steps, 2);
        QCOMPARE(slideToEnd(slideOut, DockSide::Left, {0, -2, 9, 728}, steps), Rect({-5, -2, 4, 728}));
        QCOMPARE(steps, 5);
        QCOMPARE(slideToEnd(slideIn, DockSide::Right, {1020, -2, 1029, 728}, steps), Rect({1015, -2, 1024, 728}));
        QCOMPARE(steps, 5);
    }

    void minimumSizeByTheDraggedEdge()
    {
        const Rect small{100, 100, 250, 300};
        QCOMPARE(keepMinimumSize(SizingEdge::Left, small), Rect({50, 100, 250, 300}));
        QCOMPARE(keepMinimumSize(SizingEdge::Right, small), Rect({100, 100, 300, 300}));
        QCOMPARE(keepMinimumSize(SizingEdge::Top, small), Rect({100, -100, 250, 300}));
        QCOMPARE(keepMinimumSize(SizingEdge::TopLeft, small), Rect({50, -100, 250, 300}));
        QCOMPARE(keepMinimumSize(SizingEdge::TopRight, small), Rect({100, -100, 300, 300}));
        QCOMPARE(keepMinimumSize(SizingEdge::Bottom, small), Rect({100, 100, 250, 500}));
        QCOMPARE(keepMinimumSize(SizingEdge::BottomLeft, small), Rect({50, 100, 250, 500}));
        QCOMPARE(keepMinimumSize(SizingEdge::BottomRight, small), Rect({100, 100, 300, 500}));

        // A dragged side sets its dimension whenever either one is below its minimum, and a
        // corner mends only the dimension that is.
        const Rect low{0, 0, 300, 300};
        QCOMPARE(keepMinimumSize(SizingEdge::Left, low), Rect({100, 0, 300, 300}));
        QCOMPARE(keepMinimumSize(SizingEdge::Bottom, Rect{0, 0, 150, 500}), Rect({0, 0, 150, 400}));
        QCOMPARE(keepMinimumSize(SizingEdge::TopRight, low), Rect({0, -100, 300, 300}));
        QCOMPARE(keepMinimumSize(SizingEdge::BottomLeft, Rect{0, 0, 150, 500}), Rect({-50, 0, 150, 500}));

        // Large enough: nothing changes.
        const Rect large{0, 0, 200, 400};
        for (int edge = 1; edge <= 8; ++edge)
            QCOMPARE(keepMinimumSize(static_cast<SizingEdge>(edge), large), large);
    }

    void cursorWatchAndHover()
    {
        const Rect bar{100, -2, 400, 43};
        QVERIFY(cursorHasLeft(QPoint(89, 20), bar));
        QVERIFY(!cursorHasLeft(QPoint(90, 20), bar));
        QVERIFY(!cursorHasLeft(QPoint(409, 20), bar));
        QVERIFY(cursorHasLeft(QPoint(410, 20), bar));
        QVERIFY(!cursorHasLeft(QPoint(200, -12), bar));
        QVERIFY(cursorHasLeft(QPoint(200, -13), bar));
        QVERIFY(!cursorHasLeft(QPoint(200, 52), bar));
        QVERIFY(cursorHasLeft(QPoint(200, 53), bar));

        QVERIFY(hoverSlidesIn(DockSide::Top, false, QPoint(5, 5), 1024));
        QVERIFY(hoverSlidesIn(DockSide::Right, false, QPoint(1033, 5), 1024));
        QVERIFY(!hoverSlidesIn(DockSide::Right, false, QPoint(1034, 5), 1024));
        QVERIFY(!hoverSlidesIn(DockSide::Top, true, QPoint(5, 5), 1024));
        QVERIFY(!hoverSlidesIn(DockSide::None, false, QPoint(5, 5), 1024));
    }

    void screenMeasures()
    {
        QCOMPARE(taskbarHeight(48), 48);
        // No task bar at the bottom (none at all, or one at a side): the bar keeps 30 pixels free.
        QCOMPARE(taskbarHeight(0), 30);
        QCOMPARE(topCentre(QSize(1024, 768), QSize(507, 45)), QPoint(259, 0));
        QCOMPARE(Rect::fromQRect(QRect(10, -2, 300, 45)), Rect({10, -2, 310, 43}));
        QCOMPARE(Rect({10, -2, 310, 43}).toQRect(), QRect(10, -2, 300, 45));
    }
};

PELLOR_UNIT_TEST_MAIN(TestToolBarGeometry)
#include "tst_toolbargeometry.moc"
