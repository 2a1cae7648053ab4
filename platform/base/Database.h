#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <memory>
#include <stdexcept>

// A failed database operation, carrying the driver's own message text.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message);
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// One connection to one SQLite database file. Shared by the windows that use it
// through DatabaseConnection; statements take their values as bound parameters only.
class Database
{
public:
    explicit Database(QString connectionName);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Throws DbError when the file cannot be opened.
    void open(const QString &filePath);
    void close();
    bool isOpen() const;
    // Throws DbError, with the reason the open failed when it did, unless the file is open.
    void checkOpen() const;
    const QString &filePath() const { return m_filePath; }
    QSqlDatabase handle() const;

    // Prepares sql, binds values in order and runs it; throws DbError on failure.
    QSqlQuery exec(const QString &sql, const QVariantList &values = {}) const;

    // For a statement run many times in one operation: prepare once, then run() it with
    // each row's values. Both throw DbError on failure.
    QSqlQuery prepare(const QString &sql) const;
    static void run(QSqlQuery &query, const QVariantList &values);

    bool hasTable(const QString &name) const;

private:
    friend class Transaction;

    QString m_connectionName;
    // Kept, so that a statement does not look the connection up by name each time.
    QSqlDatabase m_handle;
    QString m_filePath;
    QString m_openError;
    // Transactions open on this connection now; the outermost is the real one.
    mutable int m_transactionDepth = 0;
};

using DatabaseConnection = std::shared_ptr<Database>;

// One user operation: commits whole on commit(), otherwise rolls back when it ends.
// A transaction begun inside another is a savepoint of it: its commit keeps its work for
// the outer one to commit or roll back, and its roll-back undoes only its own work. So store
// operations that each run in a transaction compose into one operation.
class Transaction
{
public:
    explicit Transaction(const Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    void rollback();

    const Database &m_db;
    QSqlDatabase m_handle;
    int m_level = 0; // 1 for the outermost
    bool m_done = false;
};
