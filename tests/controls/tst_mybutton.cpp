#include "TestMain.h"

#include "controls/CMyButton.h"

#include <QMouseEvent>
#include <QSignalSpy>

namespace {

const QColor kFill(225, 232, 134);

void moveTo(CMyButton &button, const QPoint &point, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(point), button.mapToGlobal(QPointF(point)), Qt::NoButton,
                     held, Qt::NoModifier);
    QApplication::sendEvent(&button, &move);
}

void leave(CMyButton &button)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&button, &event);
}

// Top frame, the row of the raised edge and the middle of the face.
struct Look
{
    QColor frame;
    QColor edge;
    QColor face;
};

Look lookOf(CMyButton &button)
{
    const QImage image = button.grab().toImage();
    const int x = image.width() / 2;
    return {image.pixelColor(x, 0), image.pixelColor(x, 1), image.pixelColor(x, image.height() / 2)};
}

} // namespace

class TestMyButton : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(200, 100);
        m_button = new CMyButton(m_window.get());
        m_button->setGeometry(20, 20, 100, 40);
        m_button->m_crBack = kFill;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void followsThePointer()
    {
        CMyButton &b = *m_button;
        QSignalSpy clicked(&b, &QPushButton::clicked);
        QCOMPARE(b.state(), int(CMyButton::Normal));
        QVERIFY(!b.tracking());

        moveTo(b, QPoint(10, 10));
        QCOMPARE(b.state(), int(CMyButton::Hover));
        QVERIFY(b.tracking());

        QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(b.state(), int(CMyButton::Pressed));
        // Moving over the pressed button keeps it pressed.
        moveTo(b, QPoint(50, 20), Qt::LeftButton);
        QCOMPARE(b.state(), int(CMyButton::Pressed));
        // Dragged out: the normal look, no longer following.
        moveTo(b, QPoint(150, 20), Qt::LeftButton);
        QCOMPARE(b.state(), int(CMyButton::Normal));
        QVERIFY(!b.tracking());
        QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, QPoint(150, 20));
        QCOMPARE(b.state(), int(CMyButton::Normal));
        QCOMPARE(clicked.count(), 0);

        // Back over it, pressed and released there: a click, and the hover look again.
        moveTo(b, QPoint(30, 30));
        QCOMPARE(b.state(), int(CMyButton::Hover));
        QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
        QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
        QCOMPARE(b.state(), int(CMyButton::Hover));
        QCOMPARE(clicked.count(), 1);
        moveTo(b, QPoint(31, 30));
        QCOMPARE(b.state(), int(CMyButton::Hover));

        // Leaving without a button held.
        leave(b);
        QCOMPARE(b.state(), int(CMyButton::Normal));
        QVERIFY(!b.tracking());

        // Disabled at the next paint, and normal again once enabled.
        b.setEnabled(false);
        b.grab();
        QCOMPARE(b.state(), int(CMyButton::Disabled));
        b.setEnabled(true);
        b.grab();
        QCOMPARE(b.state(), int(CMyButton::Normal));
    }

    void looksOfTheStates()
    {
        CMyButton &b = *m_button;
        const QColor light = b.palette().color(QPalette::Light);
        QVERIFY(light != kFill);

        Look look = lookOf(b);
        QCOMPARE(look.frame, QColor(192, 192, 192));
        QCOMPARE(look.edge, light);
        QCOMPARE(look.face, kFill);

        moveTo(b, QPoint(10, 10));
        look = lookOf(b);
        QCOMPARE(look.frame, QColor(0, 0, 255));
        QCOMPARE(look.edge, light);
        QCOMPARE(look.face, kFill);

        // Pressed: magenta frame and no raised edge.
        QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        look = lookOf(b);
        QCOMPARE(look.frame, QColor(255, 0, 255));
        QCOMPARE(look.edge, kFill);
        QCOMPARE(look.face, kFill);
        QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));

        // Disabled: the frame vanishes into the fill; the edge stays.
        b.setEnabled(false);
        look = lookOf(b);
        QCOMPARE(look.frame, kFill);
        QCOMPARE(look.edge, light);
        QCOMPARE(look.face, kFill);
    }

    void captionAndFocus()
    {
        CMyButton &b = *m_button;
        b.m_crText = QColor(0, 128, 0);
        b.setText(QStringLiteral("first"));
        b.grab();
        QCOMPARE(b.caption(), QStringLiteral("first"));
        // The caption drawn was taken once; a later text does not change it.
        b.setText(QStringLiteral("second"));
        b.grab();
        QCOMPARE(b.caption(), QStringLiteral("first"));

        // The focus rectangle runs along row 2 in the text colour.
        auto focusDots = [&b] {
            const QImage image = b.grab().toImage();
            int dots = 0;
            for (int x = 3; x < image.width() - 3; ++x)
                dots += image.pixelColor(x, 2) == QColor(0, 128, 0) ? 1 : 0;
            return dots;
        };
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        b.clearFocus();
        QVERIFY(!b.hasFocus());
        QCOMPARE(focusDots(), 0);
        b.setFocus();
        QVERIFY(b.hasFocus());
        QVERIFY(focusDots() > 10);
    }

private:
    std::unique_ptr<QWidget> m_window;
    CMyButton *m_button = nullptr;
};

PELLOR_WIDGET_TEST_MAIN(TestMyButton)
#include "tst_mybutton.moc"
