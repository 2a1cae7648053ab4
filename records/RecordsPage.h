#pragma once

#include "platform/base/Database.h"

class CListCtrlCl;

// What the roster and score pages of the records window share.
namespace RecordsPage {

// The database of the records window's connection. The window always hands one over,
// unopened when the database did not open; a page given none fails the same way.
const Database &database(const DatabaseConnection &connection);

// Green rows with cyan text, the first column darker, the third in yellow, and a tall
// green header with orange titles: set after the list's columns exist.
void applyListLook(CListCtrlCl &list);

} // namespace RecordsPage
