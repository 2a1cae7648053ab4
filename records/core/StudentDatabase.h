#pragma once

#include "platform/base/DatabaseOpener.h"

#include <QString>

// The student records database, Student.db in the program folder.
namespace StudentDatabase {

QString fileName();
QString filePath();

using Opening = DatabaseOpener::Opening;

// Takes over the published connection when there is one. Otherwise opens the database
// (creating or upgrading its tables) and publishes it; a failure publishes nothing, so
// the next records window tries again.
Opening open(DatabaseConnection &published);

} // namespace StudentDatabase
