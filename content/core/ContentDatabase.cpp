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

Opening open(DatabaseConnection &published)
{
    return DatabaseOpener::open(published, filePath(), [](const Database &db) { ContentStore(db).ensureSchema(); });
}

} // namespace ContentDatabase
