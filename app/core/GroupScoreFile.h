#pragma once

#include "RollCallTables.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The group score files: one text file per group ("课堂成绩<n>.txt") holding the student
// count, the lesson count with the group total, and one line per student; and the
// summary "课堂成绩.xls" with every group's block. Written in the Chinese code page
// (GB18030) with CR LF line ends and no byte-order mark.
namespace GroupScoreFile {

QString groupFileName(int groupNumber);
QString summaryFileName();

// Splits the file's text into lines, its encoding told by TextCodec::detect (UTF-16LE or
// UTF-8 by their marks, UTF-8 without one, otherwise the Chinese code page). CR LF, LF and a
// CR alone each end a line in every encoding.
QStringList readLines(const QByteArray &bytes);

// True when the first two lines are those of a group file: line 1 the student count, line 2
// "0" for a roster never saved, or the lesson count, TAB, "总成绩", TAB, the group total. Line
// 2 may be as a spreadsheet saves it: blanks or double quotes around a field, TABs after the
// last. A file without any line is an empty group.
bool hasGroupFileHeader(const QStringList &lines);

// Fills group g of the tables from a file's bytes, crediting every student with the base
// score for the coming lesson, and marks it loaded. The count of line 1 is kept within the
// student lines read; the lines after the counted students are kept for the save.
void parseGroup(const QByteArray &bytes, int basicScore, RollCallTables &tables, int g);

// The block a group's file receives on save, lesson count raised by one, the kept lines
// after the students; "\n" line ends.
QString groupBlock(const RollCallTables &tables, int g);

// The summary: for each group 1..numOfClass in order, three empty lines, then the group's
// block, or for a group left out of the lesson one line that says so, so that no block
// takes another group's place.
QString summaryText(const RollCallTables &tables, int numOfClass);

// Text with CR LF line ends in the Chinese code page.
QByteArray encodeForFile(const QString &text);

enum class LoadStatus { Loaded, BadGroupCount, OpenFailed };

struct LoadResult
{
    LoadStatus status = LoadStatus::Loaded;
    QString message; // the text to show the teacher, empty when loaded
    int groupsLoaded = 0;
    // Files read whose first two lines are not a group file's (a list of names typed in a
    // plain editor): reported, their groups left empty and not loaded, so never rewritten.
    QStringList unrecognised;
};

// Loads groups 1..numOfClass from the folder into tables. Groups before a failing one stay
// loaded, the failing one and those after it are not; a bad group count (below 1 or above
// the eight the tables hold) changes nothing. A score file must be a regular file. A file
// without a group file's first two lines is left out, and the groups after it still load.
LoadResult load(const QString &scoreDir, int numOfClass, int basicScore, RollCallTables &tables);

// Writes the summary, then the file of every group the tables hold from a load, whatever
// the number of groups is set to now, each atomically: a file that cannot be written keeps
// its previous content. With no group loaded nothing is written. Returns the paths that
// could not be written (with the reason), empty when everything was saved; the bytes of each
// file written are the tables' record of it from then on.
QStringList save(const QString &scoreDir, RollCallTables &tables);

// The group files the tables hold whose bytes are no longer those the load read (or the save
// wrote): changed or replaced by someone else. A file gone is not among them (writing it
// again loses nothing), nor a path that is no regular file now or cannot be read (the save
// reports those).
QStringList changedSinceRead(const QString &scoreDir, const RollCallTables &tables);

// The question before a save writes over files changed by someone else.
QString changedFilesQuestion(const QStringList &paths);

// The message for files that could not be written.
QString saveFailureMessage(const QStringList &failures);

QString badGroupCountMessage();

// The message for files whose first two lines are not a group file's: the paths, and what
// those lines must hold.
QString unrecognisedMessage(const QStringList &paths);

} // namespace GroupScoreFile
