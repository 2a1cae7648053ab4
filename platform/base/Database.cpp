#include "Database.h"

#include <QSqlError>

namespace {

QString errorText(const QSqlError &error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("Unknown error") : text;
}

} // namespace

DbError::DbError(const QString &message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

Database::Database(QString connectionName)
    : m_connectionName(std::move(connectionName))
{
}

Database::~Database()
{
    close();
    // The registry refuses to forget a connection while a handle to it lives.
    m_handle = QSqlDatabase();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

void Database::open(const QString &filePath)
{
    m_filePath = filePath;
    if (!m_handle.isValid()) {
        m_handle = QSqlDatabase::contains(m_connectionName)
            ? QSqlDatabase::database(m_connectionName, false)
            : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    }
    m_handle.setDatabaseName(filePath);
    if (!m_handle.open()) {
        m_openError = errorText(m_handle.lastError());
        throw DbError(m_openError);
    }
    m_openError.clear();
    QSqlQuery pragma(m_handle);
    pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

void Database::close()
{
    if (m_handle.isOpen())
        m_handle.close();
}

bool Database::isOpen() const
{
    return m_handle.isOpen();
}

QSqlDatabase Database::handle() const
{
    return m_handle;
}

QSqlQuery Database::exec(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query = prepare(sql);
    run(query, values);
    return query;
}

void Database::checkOpen() const
{
    // A connection that never opened fails every statement with the reason it did not.
    if (!isOpen())
        throw DbError(m_openError.isEmpty() ? QStringLiteral("database not open") : m_openError);
}

QSqlQuery Database::prepare(const QString &sql) const
{
    checkOpen();
    QSqlQuery query(handle());
    if (!query.prepare(sql))
        throw DbError(errorText(query.lastError()));
    return query;
}

void Database::run(QSqlQuery &query, const QVariantList &values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values.at(i));
    if (!query.exec())
        throw DbError(errorText(query.lastError()));
}

bool Database::hasTable(const QString &name) const
{
    return handle().tables().contains(name, Qt::CaseInsensitive);
}

Transaction::Transaction(const Database &db)
    : m_db(db)
    , m_handle(db.handle())
{
    db.checkOpen();
    m_level = db.m_transactionDepth + 1;
    if (m_level == 1) {
        if (!m_handle.transaction())
            throw DbError(errorText(m_handle.lastError()));
    } else {
        QSqlQuery savepoint(m_handle);
        if (!savepoint.exec(QStringLiteral("SAVEPOINT level%1").arg(m_level)))
            throw DbError(errorText(savepoint.lastError()));
    }
    db.m_transactionDepth = m_level;
}

Transaction::~Transaction()
{
    if (!m_done)
        rollback();
}

void Transaction::rollback()
{
    m_done = true;
    m_db.m_transactionDepth = m_level - 1;
    if (m_level == 1) {
        m_handle.rollback();
        return;
    }
    QSqlQuery query(m_handle);
    query.exec(QStringLiteral("ROLLBACK TO level%1").arg(m_level));
    query.exec(QStringLiteral("RELEASE level%1").arg(m_level));
}

void Transaction::commit()
{
    if (m_level == 1) {
        if (!m_handle.commit())
            throw DbError(errorText(m_handle.lastError()));
    } else {
        QSqlQuery release(m_handle);
        if (!release.exec(QStringLiteral("RELEASE level%1").arg(m_level)))
            throw DbError(errorText(release.lastError()));
    }
    m_done = true;
    m_db.m_transactionDepth = m_level - 1;
}
