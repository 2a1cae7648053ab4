#pragma once

#include "platform/base/Database.h"

#include <QString>

// The lesson content database, Content.db in the program folder.
namespace ContentDatabase {

QString fileName();
QString filePath();

// "Content.db 路径可能不正确 或已经打开 或 <error>"
QString openFailureText(const QString &error);

struct Opening
{
    // The connection the question browser and its pages use. After a failure it is an
    // unopened one, on which every statement fails with the driver's text.
    DatabaseConnection connection;
    // Empty when the connection was taken over or opened; otherwise the text to show.
    QString failure;
};

// Takes over the published connection when there is one. Otherwise opens the database
// (creating Kemu in a new file) and publishes it; a failure publishes nothing, so the
// next opening tries again.
Opening open(DatabaseConnection &published);

} // namespace ContentDatabase
