#pragma once

#include "platform/base/DatabaseOpener.h"

#include <QString>

// The lesson content database, Content.db in the program folder.
namespace ContentDatabase {

QString fileName();
QString filePath();

using Opening = DatabaseOpener::Opening;

// Takes over the published connection when there is one. Otherwise opens the database
// (creating Kemu in a new file) and publishes it; a failure publishes nothing, so the
// next opening tries again.
Opening open(DatabaseConnection &published);

} // namespace ContentDatabase
