#pragma once

#include "CHeaderCtrlEx.h"
#include "CheckListRules.h"
#include "ReportListView.h"

#include <QImage>
#include <vector>

// The groups page's list: one row per semester with a check box in the first column by which
// the teacher picks the groups of a combined roll call. At most six rows are checked, and no two
// with the same enrolment year (column 1) and group (column 2). Rows alternate light green and
// white; the selected row shows a green bar. A column click sorts the rows, check marks moving
// with their rows.
class CListCtrlEx : public ReportListView
{
    Q_OBJECT

public:
    struct RowRecord
    {
        quint16 item;     // the row's index when it was inserted
        quint16 checked;  // 0 or 1
    };

    explicit CListCtrlEx(QWidget *parent = nullptr);

    // Records the title for the header and adds a centred column; format and subItem unused.
    int AddColumn(int column, const QString &heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    // Adds an empty row at `item` with its check state. Only when column 0 has an empty heading
    // does the row get a check record (result 1); otherwise -1.
    int InsertCheckRow(int item, int unused, bool checked);
    // Rows carry no item data: nothing to free.
    void FreeItemData();

    // Toggles the check of `row` when `point` (viewport coordinates) is in its box, under the
    // two rules; -1 for no row or a refused check, 1 otherwise.
    int ToggleRowCheck(int row, const QPoint &point);
    bool IsGroupChecked(const QString &year, const QString &group) const;
    bool IsRowChecked(int row) const;
    // Shows the check the teacher's click was not allowed to leave (a change that could not be
    // stored).
    void SetRowChecked(int row, bool checked);
    // Puts back the checks of before the last select-all, which could not be stored.
    void RestoreChecksBeforeAll();
    void DrawCheck(QPainter *painter, int row) const;
    // The check box of a row in viewport coordinates.
    QRect CheckBoxRect(int row) const;

    // Select-all notice from the header: 1 checks up to six rows from the bottom, 0 unchecks all.
    // Answers 1 and passes the notice on to the page.
    int OnCheckAll(int wParam);
    int OnColumnResized();
    void OnColumnClick(int column);

    // The tick drawn in a checked box, 9 x 8 pixels.
    static const QImage &tickImage();

    CHeaderCtrlEx &m_Header;
    std::vector<RowRecord> m_vecRows;
    int m_nSortColumn = -1;
    // Each row's check before the last select-all, by position.
    std::vector<quint16> m_vecChecksBeforeAll;
    bool m_bSortAscending = true;

signals:
    // After the list has set its check marks for a select-all click: 1 all, 0 none.
    void checkAllChanged(int wParam);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QList<CheckListRules::Row> checkRows() const;
};
