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

HeldFile::HeldFile(const QString &path)
    : m_holder(QStringLiteral("held by another program"))
{
    m_holder.open(path);
    m_holder.exec(QStringLiteral("BEGIN EXCLUSIVE"));
}

void HeldFile::release()
{
    m_holder.exec(QStringLiteral("ROLLBACK"));
}

QString HeldFile::message(const QString &fileName)
{
    return QStringLiteral("%1 正被另一个程序使用，本次操作没有改动任何数据。请关闭那个程序，或等它用完后再试。\n"
                          "database is locked")
        .arg(fileName);
}

} // namespace TestSupport
