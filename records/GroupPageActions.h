#pragma once

#include "core/GroupSelection.h"
#include "core/StudentStore.h"

#include <QList>

#include <optional>

class QWidget;

// The operations of the groups page's buttons, up to what the list and the records window
// do with their results: each runs its dialog, the store and every message, owned by page.
namespace GroupPageActions {

// "导入小组": returns the new group's number N (also its first semester's ID); the page
// then refreshes the list, makes N the current group and semester and shows the roster.
std::optional<int> ImportGroup(QWidget *page, const StudentStore &store);

struct NewSemester
{
    int groupId = 0;
    int classId = 0;
};
// "增加学期" for the selected row (none: "请选择一个小组"). The semester joins the selected
// row's group; when that is not the current group the page makes it current as well.
std::optional<NewSemester> AddSemester(QWidget *page, const StudentStore &store,
                                       const std::optional<GroupSelection::Row> &selected, int currentGroupId);

// "编辑": renames the selected row's semester; returns the texts the row shows now.
std::optional<GroupSelection::Row> EditSemester(QWidget *page, const StudentStore &store,
                                                const std::optional<GroupSelection::Row> &selected);

// "删除": asks first, then deletes the selected row's semester; true when the page must
// refresh. Its score table and the group's roster stay in the database.
bool DeleteSemester(QWidget *page, const StudentStore &store, const std::optional<GroupSelection::Row> &selected);

// The header's check-all box: every row's tick, stored as one operation; false after a
// failure, which has been shown.
bool StoreTicks(const StudentStore &store, const QList<GroupSelection::Row> &rows);

} // namespace GroupPageActions
