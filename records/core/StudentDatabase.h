#pragma once

#include "platform/base/Database.h"

#include <QString>

// The student records database, Student.db in the program folder.
namespace StudentDatabase {

QString fileName();
QString filePath();

// "Student.db 路径可能不正确 或已经打开 或 <error>"
QString openFailureText(const QString &error);

struct Opening
{
    // The connection the records window and its pages use. After a failure it is an
    // unopened one, on which every statement fails with the driver's text.
    DatabaseConnection connection;
    // Empty when the connection was taken over or opened; otherwise the text to show.
    QString failure;
};

// How long the records wait for a database that another program holds before saying so.
constexpr int kBusyTimeoutMs = 2000;

// Takes over the published connection when there is one. Otherwise opens the database
// (creating or upgrading its tables) and publishes it; a failure publishes nothing, so
// the next records window tries again.
Opening open(DatabaseConnection &published, int busyTimeoutMs = kBusyTimeoutMs);

} // namespace StudentDatabase
