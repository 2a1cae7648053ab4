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

Opening open(DatabaseConnection &published)
{
    return DatabaseOpener::open(published, filePath(), [](const Database &db) { StudentStore(db).ensureSchema(); });
}

} // namespace StudentDatabase
