#include "TestMain.h"

#include "platform/gui/WindowPlacement.h"

#include <QDialog>

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
};

PELLOR_WIDGET_TEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
