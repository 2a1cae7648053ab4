#include "RecordsPage.h"

#include "core/StudentDatabase.h"

#include "controls/CListCtrlCl.h"
#include "platform/gui/Prompt.h"

namespace RecordsPage {

namespace {
constexpr int kRowHeight = 24;
const QColor kListBack(104, 155, 104);
} // namespace

const Database &database(const DatabaseConnection &connection)
{
    if (!connection)
        throw DbError(Database::notOpenText(StudentDatabase::fileName()));
    return *connection;
}

bool chosen(int id)
{
    if (id > 0)
        return true;
    Prompt::app(QStringLiteral("请先在“选择小组”中选择或导入一个小组"));
    return false;
}

int rowOfNumber(const CListCtrlCl &list, int number)
{
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (static_cast<int>(list.GetItemData(row)) == number)
            return row;
    }
    return -1;
}

void applyListLook(CListCtrlCl &list)
{
    list.SetExtendedStyle(list.GetExtendedStyle() | ReportListView::LVS_EX_GRIDLINES
                          | ReportListView::LVS_EX_FULLROWSELECT);
    list.SetBkColor(kListBack);
    list.SetColumnBackColor(0, QColor(100, 150, 20));
    list.SetColumnBackColor(1, kListBack);
    list.SetColumnBackColor(2, kListBack);
    list.SetColumnTextColor(2, QColor(255, 255, 100));
    list.m_crText = QColor(0, 255, 255);
    list.m_nFontHeight = 15;
    list.m_nFontWidth = 0;
    CHeaderCtrlCl &header = list.m_Header;
    header.m_nR = 100;
    header.m_nG = 255;
    header.m_nB = 100;
    header.m_nGradient = 8;
    header.m_fHeightFactor = 1.5f;
    header.m_nFontHeight = 16;
    header.m_nFontWidth = 0;
    header.m_crText = QColor(255, 200, 100);
    list.SetRowHeight(kRowHeight);
}

} // namespace RecordsPage
