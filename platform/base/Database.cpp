#include "Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QThread>

#include <algorithm>
#include <chrono>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// SQLite's primary result codes that the messages tell apart.
enum SqliteCode {
    kBusy = 5,
    kReadOnly = 8,
    kIoError = 10,
    kCorrupt = 11,
    kFull = 13,
    kNotADatabase = 26,
};
constexpr int kReadOnlyDbMoved = 1032;
constexpr int kReadOnlyDirectory = 1544;

// "<what failed>，本次操作没有改动任何数据。<what to do>", then SQLite's own words on a line
// of their own.
QString composed(const QString &what, const QString &advice, const QString &driverWords = {})
{
    QString text = what + QStringLiteral("，本次操作没有改动任何数据。") + advice;
    if (!driverWords.isEmpty())
        text += u'\n' + driverWords;
    return text;
}

QString damagedText(const QString &file, const QString &driverWords)
{
    return composed(QStringLiteral("%1 已损坏或不是数据库文件").arg(file),
                    QStringLiteral("请关闭程序，用备份的 %1 替换它。").arg(file), driverWords);
}

QString movedText(const QString &file, const QString &driverWords)
{
    return composed(QStringLiteral("%1 在程序运行期间被移动、替换或删除").arg(file),
                    QStringLiteral("请关闭这个窗口再重新打开，程序会使用现在的 %1。").arg(file), driverWords);
}

// SQLite's own words, without the " Unable to fetch row" that Qt adds.
QString driverText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text.isEmpty() ? QStringLiteral("Unknown error") : text;
}

int extendedCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code : -1;
}

int primaryCode(const QSqlError &error)
{
    const int code = extendedCode(error);
    return code < 0 ? code : code & 0xff;
}

bool failed(const QSqlError &error)
{
    return error.type() != QSqlError::NoError;
}

BusyWait::Clock &busyClock()
{
    static BusyWait::Clock clock;
    return clock;
}

qint64 nowMs()
{
    if (busyClock().nowMs)
        return busyClock().nowMs();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void sleepMs(int ms)
{
    if (busyClock().sleepMs)
        busyClock().sleepMs(ms);
    else
        QThread::msleep(static_cast<unsigned long>(ms));
}

} // namespace

DbError::DbError(const QString &message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

QString storedText(const QString &text)
{
    const auto *units = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    qsizetype clean = 0;
    while (clean < size && units[clean] != 0 && !QChar::isSurrogate(units[clean]))
        ++clean;
    if (clean == size)
        return text;
    QString out;
    out.reserve(size);
    out.append(QStringView(units, clean));
    for (qsizetype i = clean; i < size; ++i) {
        const char16_t unit = units[i];
        if (unit == 0)
            continue;
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(units[i + 1])) {
            out.append(QChar(unit));
            out.append(QChar(units[++i]));
        } else {
            out.append(QChar::isSurrogate(unit) ? QChar(QChar::ReplacementCharacter) : QChar(unit));
        }
    }
    return out;
}

namespace BusyWait {

void setClock(Clock clock)
{
    busyClock() = std::move(clock);
}

} // namespace BusyWait

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

void Database::open(const QString &filePath, Access access)
{
    m_filePath = filePath;
    if (!m_handle.isValid()) {
        m_handle = QSqlDatabase::contains(m_connectionName)
            ? QSqlDatabase::database(m_connectionName, false)
            : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    }
    m_handle.setDatabaseName(filePath);
    m_handle.setConnectOptions(access == Access::ReadOnly ? QStringLiteral("QSQLITE_OPEN_READONLY") : QString());
    if (!m_handle.open()) {
        m_openError = driverText(m_handle.lastError());
        throw DbError(m_openError);
    }
    m_openError.clear();
    m_lostText.clear();
    m_identity = identityOf(filePath);
    m_heldByOther = false;
    QSqlQuery pragma(m_handle);
    // The wait for a file that another program holds is ours (retryWhileBusy), not SQLite's.
    pragma.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

void Database::close()
{
    if (m_handle.isOpen())
        m_handle.close();
}

void Database::refuse(const QString &reason)
{
    close();
    m_openError = reason;
}

bool Database::isOpen() const
{
    return m_handle.isOpen() && m_lostText.isEmpty();
}

QString Database::fileName() const
{
    return QFileInfo(m_filePath).fileName();
}

QString Database::notOpenText(const QString &fileName)
{
    return QStringLiteral("%1 没有打开，本次操作没有改动任何数据。")
        .arg(fileName.isEmpty() ? QStringLiteral("数据库") : fileName);
}

QSqlDatabase Database::handle() const
{
    return m_handle;
}

void Database::checkIntact() const
{
    QSqlQuery check = exec(QStringLiteral("PRAGMA quick_check(1)"));
    QStringList findings;
    while (nextRow(check))
        findings << check.value(0).toString();
    if (findings != QStringList{QStringLiteral("ok")})
        throw DbError(damagedText(fileName(), findings.join(u'\n')));
}

QString Database::failureText(const QSqlError &error) const
{
    const QString text = driverText(error);
    const QString file = fileName();
    switch (primaryCode(error)) {
    case kBusy:
        return composed(QStringLiteral("%1 正被另一个程序使用").arg(file),
                        QStringLiteral("请关闭那个程序，或等它用完后再试。"), text);
    case kReadOnly:
        if (extendedCode(error) == kReadOnlyDirectory) {
            // SQLite cannot make its journal beside the file: the folder is what is read-only.
            return composed(QStringLiteral("程序文件夹 %1 不能写入，%2 的改动存不进去")
                                .arg(QDir::toNativeSeparators(QFileInfo(m_filePath).absolutePath()), file),
                            QStringLiteral("请让这个文件夹可以写入后再试。"), text);
        }
        return composed(QStringLiteral("%1 是只读文件").arg(file), QStringLiteral("请去掉它的只读属性后再试。"),
                        text);
    case kIoError:
        return composed(QStringLiteral("读写 %1 时出错").arg(file), QStringLiteral("请检查存放它的磁盘后再试。"),
                        text);
    case kCorrupt:
    case kNotADatabase:
        return damagedText(file, text);
    case kFull:
        return composed(QStringLiteral("磁盘已满，%1 写不下").arg(file), QStringLiteral("请腾出磁盘空间后再试。"),
                        text);
    default:
        break;
    }
    // The columns' limits are CHECK(length(column) <= n): name the field and its limit.
    static const QRegularExpression lengthCheck(QStringLiteral("^CHECK constraint failed: length\\((.+)\\) <= (\\d+)$"));
    const QRegularExpressionMatch tooLong = lengthCheck.match(text);
    if (tooLong.hasMatch()) {
        return composed(QStringLiteral("%1最多%2个字").arg(tooLong.captured(1), tooLong.captured(2)),
                        QStringLiteral("请改短后再试。"), text);
    }
    static const QRegularExpression noSuchTable(QStringLiteral("^no such table: (.+)$"));
    const QRegularExpressionMatch missing = noSuchTable.match(text);
    if (missing.hasMatch()) {
        return composed(QStringLiteral("%1 中没有 %2 表，它可能被另一个程序删除了").arg(file, missing.captured(1)),
                        QStringLiteral("请用备份的 %1 找回它。").arg(file), text);
    }
    return composed(QStringLiteral("%1 操作失败").arg(file), {}, text);
}

std::optional<Database::FileIdentity> Database::identityOf(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info{};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
#else
    // Windows refuses to move, replace or delete a file that SQLite holds open.
    return QFileInfo::exists(path) ? std::optional<FileIdentity>(FileIdentity{}) : std::nullopt;
#endif
}

bool Database::fileReplaced() const
{
    return m_identity && identityOf(m_filePath) != m_identity;
}

void Database::checkFileInPlace() const
{
    // The old file's rows are never shown nor written as if they were still the teacher's.
    if (fileReplaced())
        loseFile({});
}

void Database::loseFile(const QString &driverWords) const
{
    m_lostText = movedText(fileName(), driverWords);
    throw DbError(m_lostText);
}

void Database::fail(const QSqlError &error) const
{
    if (extendedCode(error) == kReadOnlyDbMoved || fileReplaced())
        loseFile(driverText(error));
    throw DbError(failureText(error));
}

QSqlError Database::retryWhileBusy(const std::function<QSqlError()> &attempt) const
{
    for (;;) {
        const QSqlError error = attempt();
        if (!failed(error) || primaryCode(error) != kBusy || m_heldByOther)
            return error;
        const qint64 now = nowMs();
        if (m_waitStartedMs < 0)
            m_waitStartedMs = now;
        const qint64 left = BusyWait::kLimitMs - (now - m_waitStartedMs);
        if (left <= 0) {
            m_heldByOther = true;
            return error;
        }
        sleepMs(static_cast<int>(std::min<qint64>(BusyWait::kStepMs, left)));
    }
}

void Database::startOperationOutsideTransaction() const
{
    if (m_transactionDepth == 0) {
        m_waitStartedMs = -1;
        checkFileInPlace();
    }
}

QSqlQuery Database::exec(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query = prepare(sql);
    runQuery(query, values);
    return query;
}

void Database::checkOpen() const
{
    // A connection that never opened fails every statement with the reason it did not; one
    // whose file went away, with that.
    if (!m_lostText.isEmpty())
        throw DbError(m_lostText);
    if (!isOpen())
        throw DbError(m_openError.isEmpty() ? notOpenText(fileName()) : m_openError);
}

QSqlQuery Database::prepare(const QString &sql) const
{
    checkOpen();
    startOperationOutsideTransaction();
    QSqlQuery query(handle());
    // Preparing reads the tables' layout, so it too may find the file held.
    const auto attempt = [&] { return query.prepare(sql) ? QSqlError() : query.lastError(); };
    const QSqlError error = m_transactionDepth == 0 ? retryWhileBusy(attempt) : attempt();
    if (failed(error))
        fail(error);
    return query;
}

void Database::run(QSqlQuery &query, const QVariantList &values) const
{
    startOperationOutsideTransaction();
    runQuery(query, values);
}

void Database::runQuery(QSqlQuery &query, const QVariantList &values) const
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QVariant &value = values.at(i);
        const bool text = value.typeId() == QMetaType::QString && !value.isNull();
        query.bindValue(static_cast<int>(i), text ? QVariant(storedText(value.toString())) : value);
    }
    const auto attempt = [&] { return query.exec() ? QSqlError() : query.lastError(); };
    // Inside a transaction a statement that found the file held is not tried again: the
    // transaction rolls back whole instead, as SQLite asks.
    const QSqlError error = m_transactionDepth == 0 ? retryWhileBusy(attempt) : attempt();
    if (failed(error))
        fail(error);
    // A statement that ran shows the file free again (a prepared one may not have read it).
    m_heldByOther = false;
}

bool Database::nextRow(QSqlQuery &query) const
{
    if (query.next())
        return true;
    const QSqlError error = query.lastError();
    if (failed(error))
        fail(error);
    return false;
}

bool Database::hasTable(const QString &name) const
{
    // Found by name in SQLite's own index of the schema: listing every table, as Qt's
    // tables() does, costs as much as a school has tables, and an import asks once per group.
    QSqlQuery query = exec(QStringLiteral("SELECT 1 FROM pragma_table_info(?)"), {name});
    return nextRow(query);
}

Transaction::Transaction(const Database &db)
    : m_db(db)
    , m_handle(db.handle())
{
    db.checkOpen();
    m_level = db.m_transactionDepth + 1;
    if (m_level == 1) {
        db.startOperationOutsideTransaction();
        control(QStringLiteral("BEGIN IMMEDIATE"));
    } else {
        control(QStringLiteral("SAVEPOINT level%1").arg(m_level));
    }
    db.m_transactionDepth = m_level;
}

Transaction::~Transaction()
{
    if (!m_done)
        rollback();
}

void Transaction::control(const QString &sql) const
{
    QSqlQuery query(m_handle);
    const QSqlError error = m_db.retryWhileBusy([&] { return query.exec(sql) ? QSqlError() : query.lastError(); });
    if (failed(error))
        m_db.fail(error);
    m_db.m_heldByOther = false;
}

void Transaction::rollback()
{
    m_done = true;
    m_db.m_transactionDepth = m_level - 1;
    QSqlQuery query(m_handle);
    if (m_level == 1) {
        // SQLite may have rolled back already (a full disk): then this fails, harmlessly.
        query.exec(QStringLiteral("ROLLBACK"));
        return;
    }
    query.exec(QStringLiteral("ROLLBACK TO level%1").arg(m_level));
    query.exec(QStringLiteral("RELEASE level%1").arg(m_level));
}

void Transaction::commit()
{
    // A commit that finds readers of another program on the file waits for them like any
    // statement; when it gives up, the transaction rolls back as it ends.
    control(m_level == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE level%1").arg(m_level));
    m_done = true;
    m_db.m_transactionDepth = m_level - 1;
}
