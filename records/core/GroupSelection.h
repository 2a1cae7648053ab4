#pragma once

#include "StudentStore.h"

#include <QList>
#include <QString>

#include <optional>

// What the groups page shows and which semester is current, worked out without the list.
namespace GroupSelection {

struct Row
{
    bool ticked = false;
    QString year;
    QString group;
    QString semester;
    int id = 0; // the ClassInfo.ID the row stands for: what edits and deletes act on
};

struct Listing
{
    QList<Row> rows;
    int selectedRow = -1; // the row of the current semester, or the last row
    // The current group and semester after the refresh: unchanged when the current
    // semester is still listed, otherwise those of the last row; none (0) without a row.
    int groupId = 0;
    int classId = 0;
};

// The semester rows (ordered as StudentStore::semesters returns them) as the list shows
// them; rows without year, group or semester are left out.
Listing list(const QList<SemesterRecord> &semesters, int groupId, int classId);

struct Click
{
    int groupId = 0;
    int classId = 0;
    std::optional<QString> info; // the head-count text, when it could be counted
    QString error;               // the driver's text of a failure, to show
    std::optional<bool> storedTick; // the tick the file still holds after a refused change
};

// A click on a row: its semester becomes current, its tick is stored when it changed and
// the group's head count is taken. After a failure the numbers keep what was done before it.
Click click(const StudentStore &store, const Row &row, int groupId, int classId);

} // namespace GroupSelection
