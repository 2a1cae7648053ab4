#pragma once

#include <QColor>
#include <QPushButton>
#include <QRect>

class QPainter;

// A push button that paints itself: a rounded rectangle in the owner's fill colour, a
// frame whose colour shows the state, a raised inner edge except while pressed, a centred
// single-line caption and the focus rectangle. The owner sets m_crBack and m_crText.
class CMyButton : public QPushButton
{
    Q_OBJECT

public:
    enum State { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

    explicit CMyButton(QWidget *parent = nullptr);
    explicit CMyButton(const QString &text, QWidget *parent = nullptr);

    int state() const { return m_nState; }
    // True while the button follows the pointer (the hover it took on the first move).
    bool tracking() const { return m_bTracking; }
    // The text drawn: taken from the button's text at the first paint and kept from then on.
    const QString &caption() const { return m_strCaption; }

    static QColor normalFrameColor() { return QColor(192, 192, 192); }
    static QColor hoverFrameColor() { return QColor(0, 0, 255); }
    static QColor pressedFrameColor() { return QColor(255, 0, 255); }

    QColor m_crText = QColor(0, 0, 0);
    QColor m_crBack = QColor(243, 243, 243);
    QColor m_crDisabledText;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

    void DrawButton(QPainter &painter);

private:
    void OnMouseMove(const QPoint &point);

    int m_nState = Normal;
    bool m_bTracking = false;
    QString m_strCaption;
    QRect m_rcButton;
};
