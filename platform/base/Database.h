#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class QSqlError;

// A failed database operation. Its message is what the teacher is shown: a sentence that says
// what failed and that nothing was changed, then the driver's own text.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message);
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A text as a database keeps it: without NUL characters (SQLite's length() stops at one, so a
// longer text would pass its column's limit and other programs would see it cut), and with each
// lone UTF-16 surrogate made U+FFFD (SQLite would pair it with the next character and lose that).
QString storedText(const QString &text);

// How long one user operation waits, in all, for a file that another program holds, and the
// clock that wait reads. Tests give a clock whose sleep only moves it on, so nothing waits.
namespace BusyWait {

constexpr int kLimitMs = 2000;
constexpr int kStepMs = 20;

struct Clock
{
    std::function<qint64()> nowMs;
    std::function<void(int)> sleepMs;
};

// An empty clock restores the real one.
void setClock(Clock clock);

} // namespace BusyWait

// One connection to one SQLite database file. Shared by the windows that use it
// through DatabaseConnection; statements take their values as bound parameters only, and
// every text value is bound as storedText() gives it.
//
// A statement outside a transaction is one operation, and so is a whole transaction: when
// another program holds the file, the operation waits for it at most BusyWait::kLimitMs in
// all, then fails with a message that says so. Once a wait has run out, the file counts as
// held until one of its statements gets through: until then nothing waits again.
class Database
{
public:
    explicit Database(QString connectionName);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    enum class Access { ReadWrite, ReadOnly };
    // Throws DbError when the file cannot be opened. Opened only to read, a missing file is
    // never made.
    void open(const QString &filePath, Access access = Access::ReadWrite);
    void close();
    // Closes the connection for good: every later statement fails with reason.
    void refuse(const QString &reason);
    // Open, and still on the file it opened: false once an operation found that file moved,
    // replaced or deleted (every later statement then fails saying so).
    bool isOpen() const;
    // The path no longer names the file the connection opened: it was moved, replaced or
    // deleted while the program ran.
    bool fileReplaced() const;
    // Throws DbError, with the reason the open failed when it did, unless the file is open.
    void checkOpen() const;
    const QString &filePath() const { return m_filePath; }
    // "Student.db": the name the messages use.
    QString fileName() const;
    // "Student.db 没有打开，本次操作没有改动任何数据。": a statement on a file that is not open.
    static QString notOpenText(const QString &fileName);
    QSqlDatabase handle() const;

    // Prepares sql, binds values in order and runs it; throws DbError on failure.
    QSqlQuery exec(const QString &sql, const QVariantList &values = {}) const;

    // For a statement run many times in one operation: prepare once, then run() it with
    // each row's values. Both throw DbError on failure.
    QSqlQuery prepare(const QString &sql) const;
    void run(QSqlQuery &query, const QVariantList &values) const;

    // Steps to the query's next row; false after its last one. Every read of rows ends here:
    // a step that failed (a damaged page, a read error) throws DbError with the teacher's
    // message instead of ending the rows early, so that no list is ever read short.
    bool nextRow(QSqlQuery &query) const;

    bool hasTable(const QString &name) const;
    // Throws DbError, saying the file is damaged and what SQLite's quick check found, unless
    // the check finds the file whole.
    void checkIntact() const;

private:
    friend class Transaction;

    // What tells one file from another at the same path.
    struct FileIdentity
    {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const FileIdentity &) const = default;
    };
    static std::optional<FileIdentity> identityOf(const QString &path);

    // The teacher's message for a failed statement on this file.
    QString failureText(const QSqlError &error) const;
    // Throws the failure's message; a file found no longer in its place is lost for good.
    [[noreturn]] void fail(const QSqlError &error) const;
    // Each operation first makes sure the file it works on is still the one opened.
    void checkFileInPlace() const;
    [[noreturn]] void loseFile(const QString &driverWords) const;

    // Runs attempt (which returns the error, or an invalid one on success) again while the
    // file is held by another program and the operation may still wait.
    QSqlError retryWhileBusy(const std::function<QSqlError()> &attempt) const;
    // A statement outside any transaction starts an operation of its own.
    void startOperationOutsideTransaction() const;
    void runQuery(QSqlQuery &query, const QVariantList &values) const;

    QString m_connectionName;
    // Kept, so that a statement does not look the connection up by name each time.
    QSqlDatabase m_handle;
    QString m_filePath;
    QString m_openError;
    std::optional<FileIdentity> m_identity;
    // Set once the file was found moved, replaced or deleted: what every statement then says.
    mutable QString m_lostText;
    // Transactions open on this connection now; the outermost is the real one.
    mutable int m_transactionDepth = 0;
    // When the operation under way first found the file held; -1 when it has not.
    mutable qint64 m_waitStartedMs = -1;
    // A wait ran out and no statement has got through since.
    mutable bool m_heldByOther = false;
};

using DatabaseConnection = std::shared_ptr<Database>;

// One user operation: commits whole on commit(), otherwise rolls back when it ends.
// A transaction begun inside another is a savepoint of it: its commit keeps its work for
// the outer one to commit or roll back, and its roll-back undoes only its own work. So store
// operations that each run in a transaction compose into one operation. The outermost begins
// IMMEDIATE, taking the write lock at once: a transaction that began as a reader could not wait
// for another program's write to end, SQLite would fail it at once.
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
    // Runs one of the transaction's own statements; throws DbError on failure.
    void control(const QString &sql) const;

    const Database &m_db;
    QSqlDatabase m_handle;
    int m_level = 0; // 1 for the outermost
    bool m_done = false;
};
