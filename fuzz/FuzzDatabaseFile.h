#pragma once

#include "FuzzCheck.h"

#include "platform/base/Database.h"
#include "platform/base/DatabaseOpener.h"
#include "platform/base/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <functional>
#include <optional>

// The fuzzer's bytes as a database file in a program folder of its own: the store's real
// opening, then every list its window reads. Nothing may crash; a list may fail only with a
// DbError, and one that comes back holds every row of its table; a file the opening refused
// keeps every byte; no text read holds a NUL or a lone surrogate.
namespace FuzzDatabaseFile {

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void checkText(const std::optional<QString> &text)
{
    if (text)
        FUZZ_CHECK(storedText(*text) == *text);
}

// One list, which may fail with the teacher's message but with nothing else.
inline void read(const std::function<void()> &list)
{
    try {
        list();
    } catch (const DbError &error) {
        FUZZ_CHECK(!error.message().isEmpty());
    }
}

// A list that came back holds as many rows as a count of its table (with the list's own
// condition) finds: a damaged page on its way must have ended it with a DbError. Only a table
// without an index is sure to be walked along the same pages by both reads.
inline void checkWhole(const Database &db, qsizetype listed, const QString &table, const QString &where = {},
                       const QVariantList &values = {})
{
    QSqlQuery indexes = db.exec(
        QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='index' AND tbl_name=? COLLATE NOCASE"), {table});
    if (!db.nextRow(indexes) || indexes.value(0).toLongLong() != 0)
        return;
    qint64 counted = -1;
    try {
        QSqlQuery count = db.exec(QStringLiteral("SELECT count(*) FROM \"%1\" %2").arg(table, where), values);
        if (db.nextRow(count))
            counted = count.value(0).toLongLong();
    } catch (const DbError &) {
    }
    FUZZ_CHECK(counted == listed);
}

inline void run(const QByteArray &bytes, const QString &path,
                const std::function<DatabaseOpener::Opening(DatabaseConnection &)> &open,
                const std::function<void(const Database &)> &readEverything)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    bool refused = false;
    {
        DatabaseConnection published;
        const DatabaseOpener::Opening opening = open(published);
        refused = !opening.failure.isEmpty();
        FUZZ_CHECK(refused == !published);
        if (published)
            readEverything(*published);
    }
    if (refused)
        FUZZ_CHECK(readAll(path) == bytes);
}

} // namespace FuzzDatabaseFile

// Qt's SQL drivers want an application object; the program folder is the fuzzer's own.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir folder;
    ProgramFolder::setExecutableFolder(folder.path());
    return 0;
}
