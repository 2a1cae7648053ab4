#pragma once

#include "FuzzCheck.h"

#include "platform/base/Database.h"
#include "platform/base/DatabaseOpener.h"
#include "platform/base/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <optional>

// The fuzzer's bytes as a database file in a program folder of its own: the store's real
// opening, then every list its window reads. Nothing may crash; a list may fail only with a
// DbError; a file the opening refused keeps every byte; no text read holds a NUL or a lone
// surrogate.
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
