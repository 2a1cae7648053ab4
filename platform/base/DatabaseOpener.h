#pragma once

#include "Database.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// What a store tells the opener about its file.
struct StoreLayout
{
    QString mainTable; // "ClassInfo"
    // The store's other tables, %1 standing for a number: "小组表%1".
    QStringList tablePatterns;
    // Creates the main table, in a file that holds none of the store's tables.
    std::function<void()> createMainTable;
    // upgradeSteps[n] brings a file of version n up to version n + 1; this program writes
    // version upgradeSteps.size().
    QList<std::function<void()>> upgradeSteps;

    int version() const { return static_cast<int>(upgradeSteps.size()); }
};

// Opens a store's SQLite file: the connection, the wait for a file another program holds
// (Database), the version check and the main table, and what the teacher is told.
namespace DatabaseOpener {

// Brings the file to the layout in one transaction: a file with none of the store's tables
// gets the main table, an older one is upgraded step by step. Throws DbError, writing
// nothing, when the file was made by a newer version, has the store's tables without the
// main one (a new main table would hide the teacher's data), or needs writing but is damaged.
void ensureLayout(const Database &db, const StoreLayout &layout);

struct Opening
{
    // The connection the window and its pages use. After a failure it is a closed one, on
    // which every statement fails with the failure's text.
    DatabaseConnection connection;
    // Empty when the connection was taken over or opened; otherwise the text to show.
    QString failure;
    // Shown before the window goes on: the file was not there and has been made new.
    QString notice;
};

// "<file> 路径可能不正确 或已经打开 或 <error>": the file could not be opened at all.
QString openFailureText(const QString &fileName, const QString &error);

// Takes over the published connection while its file is still in place. Otherwise opens
// filePath, lets ensureLayout (the store's) bring it up to date, and publishes it; a failure
// publishes nothing, so the next opening tries again.
Opening open(DatabaseConnection &published, const QString &filePath,
             const std::function<void(const Database &)> &ensureLayout);

} // namespace DatabaseOpener
