#include "CheckListRules.h"

#include "platform/base/NumberText.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace CheckListRules {

namespace {

bool sameText(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

int checkedCount(const QList<Row> &rows)
{
    return int(std::count_if(rows.cbegin(), rows.cend(), [](const Row &row) { return row.checked; }));
}

int compareInts(int a, int b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

bool isGroupChecked(const QList<Row> &rows, const QString &year, const QString &group)
{
    int others = 0;
    for (const Row &row : rows) {
        if (!row.checked)
            continue;
        if (sameText(row.year, year) && sameText(row.group, group))
            return true;
        if (++others >= kMaxChecked)
            return true;
    }
    return false;
}

Refusal canCheck(const QList<Row> &rows, int row)
{
    if (checkedCount(rows) >= kMaxChecked)
        return Refusal::TooMany;
    if (row >= 0 && row < rows.size() && isGroupChecked(rows, rows.at(row).year, rows.at(row).group))
        return Refusal::SameGroup;
    return Refusal::None;
}

void checkAll(QList<Row> &rows)
{
    for (Row &row : rows)
        row.checked = false;
    // A row's group is looked for among the rows checked so far (six at most), not among every
    // row again; with six checked, every row above stays unchecked.
    std::array<const Row *, kMaxChecked> taken {};
    int count = 0;
    for (qsizetype i = rows.size() - 1; i >= 0 && count < kMaxChecked; --i) {
        Row &row = rows[i];
        const auto sameGroup = [&row](const Row *other) {
            return sameText(other->year, row.year) && sameText(other->group, row.group);
        };
        if (std::none_of(taken.cbegin(), taken.cbegin() + count, sameGroup)) {
            row.checked = true;
            taken[count++] = &row;
        }
    }
}

QString tooManyText()
{
    return QStringLiteral("最多可选择6个小组进行合堂点名");
}

QString sameGroupText(const QString &year, const QString &group)
{
    return QStringLiteral("入学年： %1  小组： %2  的小组已经选择过，请将此班选择撤销后，重新选择").arg(year, group);
}

bool isAllDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isDate(const QString &text)
{
    if (text.size() != 10 || text.at(2) != u'/' || text.at(5) != u'/')
        return false;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return false;
    }
    return true;
}

SortKind sortKind(const QStringList &texts)
{
    if (std::all_of(texts.cbegin(), texts.cend(), isAllDigits))
        return SortKind::Integer;
    if (std::all_of(texts.cbegin(), texts.cend(), isDate))
        return SortKind::Date;
    return SortKind::Text;
}

int compareTexts(const QString &a, const QString &b, SortKind kind)
{
    switch (kind) {
    case SortKind::Integer:
        return compareInts(NumberText::toInt(a), NumberText::toInt(b));
    case SortKind::Date:
        for (auto [from, length] : {std::pair{6, 4}, std::pair{3, 2}, std::pair{0, 2}}) {
            const int c = compareInts(a.mid(from, length).toInt(), b.mid(from, length).toInt());
            if (c != 0)
                return c;
        }
        return 0;
    case SortKind::Text:
        break;
    }
    return QString::localeAwareCompare(a, b);
}

QList<int> sortOrder(const QStringList &texts, bool ascending)
{
    const SortKind kind = sortKind(texts);
    QList<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        const int c = compareTexts(texts.at(x), texts.at(y), kind);
        return ascending ? c < 0 : c > 0;
    });
    return order;
}

} // namespace CheckListRules
