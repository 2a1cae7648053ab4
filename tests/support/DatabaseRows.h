#pragma once

#include "platform/base/Database.h"

#include <QStringList>

#include <functional>

namespace TestSupport {

// Each row of the query as "value|value|…", NULL written as NULL: database rows a test can
// compare as text.
QStringList rows(const Database &db, const QString &sql);

// The first column of the first row, as an integer; -1 without a row.
int scalar(const Database &db, const QString &sql);

// The message of the DbError that operation throws; empty when it throws none.
QString failureOf(const std::function<void()> &operation);

// Stands in for the clock of the wait on a file another program holds, while it lives: its
// sleep only moves it on, so a test reads how long an operation waited without waiting.
class ManualBusyClock
{
public:
    ManualBusyClock();
    ~ManualBusyClock();
    ManualBusyClock(const ManualBusyClock &) = delete;
    ManualBusyClock &operator=(const ManualBusyClock &) = delete;

    qint64 waitedMs() const { return m_now; }

private:
    qint64 m_now = 0;
};

// Another program holding the file whole until release() or its own end, while the wait for it
// runs on a ManualBusyClock, so that nothing waits.
class HeldFile
{
public:
    explicit HeldFile(const QString &path);
    void release();
    qint64 waitedMs() const { return m_clock.waitedMs(); }

    // What the teacher is told about a file held: "Student.db 正被另一个程序使用，…".
    static QString message(const QString &fileName);

private:
    ManualBusyClock m_clock;
    Database m_holder;
};

} // namespace TestSupport
