#include "ContentDatabase.h"

#include "ContentStore.h"

#include "platform/base/ProgramFolder.h"

namespace ContentDatabase {

QString fileName()
{
    return QStringLiteral("Content.db");
}

QString filePath()
{
    return ProgramFolder::join(ProgramFolder::executableFolder(), fileName());
}

QString openFailureText(const QString &error)
{
    return QStringLiteral("%1 路径可能不正确 或已经打开 或 %2").arg(fileName(), error);
}

Opening open(DatabaseConnection &published)
{
    if (published)
        return {published, {}};
    // Each attempt gets a connection name of its own: the pages may still hold the
    // connection of a failed attempt.
    static int attempts = 0;
    auto connection = std::make_shared<Database>(QStringLiteral("content-%1").arg(++attempts));
    try {
        connection->open(filePath());
        ContentStore(*connection).ensureSchema();
    } catch (const DbError &error) {
        return {connection, openFailureText(error.message())};
    }
    published = connection;
    return {connection, {}};
}

} // namespace ContentDatabase
