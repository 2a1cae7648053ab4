#pragma once

#include "Timer.h"

#include <QColor>
#include <QLabel>

#include <mutex>

// The countdown's time display. Its worker counts the seconds, leaves each tick's text for
// the user-interface thread and queues a call to paint it; the worker never waits for the
// painting.
class CMyStatic : public QLabel, public Timer
{
    Q_OBJECT

public:
    static constexpr QColor kFieldColor{245, 240, 215};     // RGB(10, 15, 40) inverted
    static constexpr QColor kDigitsBackColor{10, 15, 40};
    static constexpr QColor kDigitsColor{255, 0, 0};

    explicit CMyStatic(QWidget *parent = nullptr);
    ~CMyStatic() override;

    // The countdown's length in minutes.
    int m_nMinutes = 0;

    void OnTick() override;

    // The time last shown; empty before the first tick.
    const QString &timeText() const { return m_strTime; }

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    // Paints the text the worker left last.
    void showTime();

private:
    QString m_strTime;
    std::mutex m_pendingLock;
    QString m_strPending;
};
