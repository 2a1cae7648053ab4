#pragma once

// The current subject, lesson and knowledge point that the question browser's pages share
// through the application object. A lesson belongs to its subject and a point to its
// lesson, so choosing another subject or lesson leaves nothing beneath it current (-1)
// until the page of that level loads or is clicked.
namespace ContentSelection {

void setSubject(int kemuId);
void setLesson(int keshiId);

} // namespace ContentSelection
