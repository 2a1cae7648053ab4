#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rules of the group list's check marks and of its column sort, apart from the window.
namespace CheckListRules {

constexpr int kMaxChecked = 6;

struct Row
{
    QString year;   // 入学年
    QString group;  // 小组
    bool checked = false;
};

enum class Refusal { None, TooMany, SameGroup };

// True when a checked row has this year and group (letter case ignored), or when six other
// rows are checked already.
bool isGroupChecked(const QList<Row> &rows, const QString &year, const QString &group);

// Whether the unchecked row `row` may be checked.
Refusal canCheck(const QList<Row> &rows, int row);

// Check all: every row unchecked, then from the bottom up each row whose group is not yet
// taken, until six are checked.
void checkAll(QList<Row> &rows);

QString tooManyText();
QString sameGroupText(const QString &year, const QString &group);

// Column sort. A column whose texts are all digits (or empty) sorts as integers, one whose
// texts are all dd/mm/yyyy dates sorts by date, any other as text.
enum class SortKind { Integer, Date, Text };

bool isAllDigits(const QString &text);
bool isDate(const QString &text);
SortKind sortKind(const QStringList &texts);
int compareTexts(const QString &a, const QString &b, SortKind kind);
// order[i] is the index in `texts` of the row that comes i-th; equal texts keep their order.
QList<int> sortOrder(const QStringList &texts, bool ascending);

} // namespace CheckListRules
