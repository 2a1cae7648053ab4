#pragma once

#include <QBasicTimer>
#include <QObject>

#include <functional>
#include <map>

// A window's numbered timers, set and killed by number, each tick reported with its number.
// Tests switch every instance to stepping: timers then only record that they run, and a
// test fires them one tick at a time.
class WindowTimers final : public QObject
{
public:
    using TickHandler = std::function<void(int id)>;

    WindowTimers(QObject *owner, TickHandler onTick);
    ~WindowTimers() override;

    // Starts the timer, or restarts it with the new interval.
    void SetTimer(int id, int milliseconds);
    // False when the timer was not running.
    bool KillTimer(int id);

    bool isRunning(int id) const;
    // The running timer's interval; -1 when it is not running.
    int interval(int id) const;

    // One tick of a running timer, as its interval would give it; false when it is not running.
    bool fire(int id);

    // Timers set while stepping is on never tick by themselves.
    static void setStepping(bool stepping);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    struct Running
    {
        int interval = 0;
        QBasicTimer timer;
    };

    std::map<int, Running> m_running;
    TickHandler m_onTick;
};
