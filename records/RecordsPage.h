#pragma once

#include "platform/base/Database.h"

class CListCtrlCl;

// What the roster and score pages of the records window share.
namespace RecordsPage {

// The database of the records window's connection. The window always hands one over,
// unopened when the database did not open; a page given none fails the same way.
const Database &database(const DatabaseConnection &connection);

// Whether a group or semester is current (its ID above 0). While none is (every semester
// deleted, or none imported yet) the roster and score pages' buttons say so and do nothing.
bool chosen(int id);

// The row of the list whose student has that number; -1 when none has.
int rowOfNumber(const CListCtrlCl &list, int number);

// Green rows with cyan text, the first column darker, the third in yellow, and a tall
// green header with orange titles: set after the list's columns exist.
void applyListLook(CListCtrlCl &list);

} // namespace RecordsPage
