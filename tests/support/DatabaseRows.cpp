#include "DatabaseRows.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace TestSupport {

QStringList rows(const Database &db, const QString &sql)
{
    QSqlQuery query = db.exec(sql);
    QStringList out;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
        out << row.join(u'|');
    }
    return out;
}

int scalar(const Database &db, const QString &sql)
{
    QSqlQuery query = db.exec(sql);
    return query.next() ? query.value(0).toInt() : -1;
}

QString failureOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const DbError &error) {
        return error.message();
    }
    return QString();
}

ManualBusyClock::ManualBusyClock()
{
    BusyWait::setClock({[this] { return m_now; }, [this](int ms) { m_now += ms; }});
}

ManualBusyClock::~ManualBusyClock()
{
    BusyWait::setClock({});
}

} // namespace TestSupport
