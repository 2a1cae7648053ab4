#include "StudentDatabase.h"

#include "StudentStore.h"

#include "platform/base/ProgramFolder.h"

namespace StudentDatabase {

QString fileName()
{
    return QStringLiteral("Student.db");
}

QString filePath()
{
    return ProgramFolder::join(ProgramFolder::executableFolder(), fileName());
}

QString openFailureText(const QString &error)
{
    return QStringLiteral("%1 路径可能不正确 或已经打开 或 %2").arg(fileName(), error);
}

Opening open(DatabaseConnection &published, int busyTimeoutMs)
{
    if (published)
        return {published, {}};
    // Each attempt gets a connection name of its own: a failed attempt's connection may
    // still be held by the pages of its window.
    static int attempts = 0;
    auto connection = std::make_shared<Database>(QStringLiteral("student-%1").arg(++attempts));
    try {
        connection->open(filePath());
        const StudentStore store(*connection);
        store.setBusyTimeout(busyTimeoutMs);
        store.ensureSchema();
    } catch (const DbError &error) {
        return {connection, openFailureText(error.message())};
    }
    published = connection;
    return {connection, {}};
}

} // namespace StudentDatabase
