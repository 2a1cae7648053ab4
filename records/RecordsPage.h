#pragma once

#include "platform/base/Database.h"

class CListCtrlCl;

// What the roster and score pages of the records window share.
namespace RecordsPage {

// The database of the records window's connection. The window always hands one over,
// unopened when the database did not open; a page given none fails the same way.
const Database &database(const DatabaseConnection &connection);

// What the roster and score pages' buttons say while no group is current: every semester
// deleted, or none imported yet. "请先在“选择小组”中选择或导入一个小组"
QString noGroupText();

// Green rows with cyan text, the first column darker, the third in yellow, and a tall
// green header with orange titles: set after the list's columns exist.
void applyListLook(CListCtrlCl &list);

} // namespace RecordsPage
