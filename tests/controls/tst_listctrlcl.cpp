#include "TestMain.h"

#include "controls/CListCtrlCl.h"
#include "controls/CellText.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>

namespace {

const QColor kListBack(50, 10, 10);
const QColor kColumnBack(10, 150, 20);

QColor pixelAt(const QImage &image, const QPoint &point)
{
    return image.pixelColor(point);
}

// A shown list of three columns and three rows whose cells are empty, so no glyph covers
// the pixels looked at.
struct ShownList
{
    CListCtrlCl list;
    QAbstractItemModelTester tester{list.listModel(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    ShownList()
    {
        list.resize(400, 300);
        list.InsertColumn(0, QStringLiteral("学号"), ReportListView::LVCFMT_LEFT, 80);
        list.InsertColumn(1, QStringLiteral("姓名"), ReportListView::LVCFMT_CENTER, 100);
        list.InsertColumn(2, QStringLiteral("分数"), ReportListView::LVCFMT_RIGHT, 100);
        for (int row = 0; row < 3; ++row)
            list.InsertItem(row, QString());
        list.SetBkColor(kListBack);
        list.SetRowHeight(30);
        list.show();
    }

    // A point of the list, in list coordinates, inside the cell, away from its edges.
    QPoint cellPoint(int row, int column, int dx = 10) const
    {
        const QPoint inViewport(list.columnViewportPosition(column) + dx, list.rowViewportPosition(row) + 15);
        return list.viewport()->mapTo(&list, inViewport);
    }

    QPoint headerPoint(int x, int y) const { return list.m_Header.mapTo(&list, QPoint(x, y)); }
};

} // namespace

class TestListCtrlCl : public QObject
{
    Q_OBJECT

private slots:
    void cellLines()
    {
        CellText::Lines four = CellText::splitLines(QStringLiteral("一\n二\n三\n四"));
        QCOMPARE(four.text, QStringLiteral("一\n二\n三"));
        QCOMPARE(four.count, 3);
        CellText::Lines one = CellText::splitLines(QStringLiteral("张三"));
        QCOMPARE(one.text, QStringLiteral("张三"));
        QCOMPARE(one.count, 1);
        // A break in the first character is not looked for.
        CellText::Lines leading = CellText::splitLines(QStringLiteral("\nA\nB"));
        QCOMPARE(leading.count, 2);
        QCOMPARE(CellText::splitLines(QStringLiteral("A\nB\n")).count, 3);

        // One line of 12 in a 24-pixel row starts 6 down; three lines of 20 in 100, 20 down.
        QCOMPARE(CellText::centreOffset(24, 12, 1), 6);
        QCOMPARE(CellText::centreOffset(100, 20, 3), 20);
        // Lines taller than the row move up, truncated toward zero.
        QCOMPARE(CellText::centreOffset(25, 12, 3), -5);
    }

    void insertColumnAndColours()
    {
        CListCtrlCl list;
        QAbstractItemModelTester tester(list.listModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(list.InsertColumn(0, QStringLiteral("课目"), ReportListView::LVCFMT_CENTER, 120), 0);
        QCOMPARE(list.InsertColumn(1, QStringLiteral("ID"), ReportListView::LVCFMT_LEFT, 0), 1);
        QCOMPARE(list.InsertColumn(2, QStringLiteral("分数"), ReportListView::LVCFMT_RIGHT, 60), 2);
        QCOMPARE(list.m_Header.m_arrTitles, QStringList({QStringLiteral("课目"), QStringLiteral("ID"), QStringLiteral("分数")}));
        QCOMPARE(list.m_Header.m_strFormat, QStringLiteral("102"));
        QCOMPARE(list.GetColumnWidth(1), 0);
        // Pages size their last column by the client width before the list is shown.
        list.resize(300, 200);
        QCOMPARE(list.GetClientRect(), QRect(0, 0, 300 - 2 * list.frameWidth(), 200 - 2 * list.frameWidth()));

        list.SetColumnBackColor(1, QColor(1, 2, 3));
        list.SetColumnBackColor(1, QColor(4, 5, 6));
        QCOMPARE(list.m_listColumnBackColors.size(), size_t(1));
        QCOMPARE(*list.ColumnBackColor(1), QColor(4, 5, 6));
        QVERIFY(!list.ColumnBackColor(0));
        list.SetColumnTextColor(2, QColor(255, 255, 100));
        list.SetColumnTextColor(2, QColor(0, 255, 255));
        QCOMPARE(list.m_listColumnTextColors.size(), size_t(1));
        QCOMPARE(*list.ColumnTextColor(2), QColor(0, 255, 255));

        QCOMPARE(list.InsertItem(5, QStringLiteral("1")), 0);
        QVERIFY(list.SetItemText(0, 2, QStringLiteral("3\n4")));
        QCOMPARE(list.GetItemText(0, 2), QStringLiteral("3\n4"));
        QVERIFY(!list.SetItemText(0, 3, QStringLiteral("x")));

        // A page empties the list by deleting column 0 until that fails.
        list.DeleteAllItems();
        int deleted = 0;
        while (list.DeleteColumn(0))
            ++deleted;
        QCOMPARE(deleted, 3);
        QCOMPARE(list.GetColumnCount(), 0);
    }

    void cellBackgrounds()
    {
        ShownList shown;
        shown.list.SetColumnBackColor(1, QColor(200, 0, 0));
        shown.list.SetColumnBackColor(1, kColumnBack);
        QImage image = shown.list.grab().toImage();
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(pixelAt(image, shown.cellPoint(row, 0)), kListBack);
            QCOMPARE(pixelAt(image, shown.cellPoint(row, 1)), kColumnBack);
            QCOMPARE(pixelAt(image, shown.cellPoint(row, 2)), kListBack);
        }

        // Grid lines are each cell's last pixel column and row, in the style's grid colour,
        // over the cells' fills; the cells keep their fills inside them.
        ReportListView &list = shown.list;
        list.SetExtendedStyle(ReportListView::LVS_EX_GRIDLINES);
        QStyleOptionViewItem option;
        option.initFrom(&list);
        const QColor grid = QColor::fromRgba(
            static_cast<QRgb>(list.style()->styleHint(QStyle::SH_Table_GridLineColor, &option, &list)));
        QVERIFY(grid != kColumnBack && grid != kListBack);
        image = list.grab().toImage();
        const int right = list.columnWidth(1) - 1;
        const int bottom = list.rowHeight(1) - 1;
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(pixelAt(image, shown.cellPoint(row, 1, right)), grid);
            QCOMPARE(pixelAt(image, shown.cellPoint(row, 1, right - 1)), kColumnBack);
            const QPoint lastLine = list.viewport()->mapTo(
                &list, QPoint(list.columnViewportPosition(1) + 10, list.rowViewportPosition(row) + bottom));
            QCOMPARE(pixelAt(image, lastLine), grid);
            QCOMPARE(pixelAt(image, lastLine - QPoint(0, 1)), kColumnBack);
        }
        // Below the rows there is no grid.
        const QPoint belowRows = list.viewport()->mapTo(
            &list, QPoint(list.columnViewportPosition(2) - 1, list.rowViewportPosition(2) + 40));
        QCOMPARE(pixelAt(image, belowRows), kListBack);
    }

    void selectedRowHighlight()
    {
        ShownList shown;
        shown.list.SetColumnBackColor(1, kColumnBack);
        shown.list.SetColumnTextColor(1, QColor(255, 255, 100));
        shown.list.SetItemSelected(1, true);
        QCOMPARE(shown.list.GetNextSelectedItem(), 1);
        QCOMPARE(shown.list.GetNextSelectedItem(1), -1);
        const QColor highlight = shown.list.highlightColor();
        QVERIFY(highlight != kListBack && highlight != kColumnBack);

        const QImage image = shown.list.grab().toImage();
        for (int column = 0; column < 3; ++column) {
            QCOMPARE(pixelAt(image, shown.cellPoint(1, column)), highlight);
            QCOMPARE(pixelAt(image, shown.cellPoint(0, column)), column == 1 ? kColumnBack : kListBack);
        }
        // The first column's fill reaches its left edge, left of the text margin.
        QCOMPARE(pixelAt(image, shown.cellPoint(1, 0, 0)), highlight);
        QCOMPARE(pixelAt(image, shown.cellPoint(1, 0, 1)), highlight);
        // Selection leaves the column's text colour in place.
        QCOMPARE(*shown.list.ColumnTextColor(1), QColor(255, 255, 100));
    }

    void headerGradient()
    {
        ShownList shown;
        CHeaderCtrlCl &header = shown.list.m_Header;
        header.m_arrTitles = QStringList({QString(), QString(), QString()});
        header.m_fHeightFactor = 4.0f;
        shown.list.RefreshLayout();
        QVERIFY(header.height() > 21);

        QImage image = shown.list.grab().toImage();
        const int x = header.sectionViewportPosition(1) + 20;
        QCOMPARE(pixelAt(image, shown.headerPoint(x, 0)), QColor(171, 199, 235));
        QCOMPARE(pixelAt(image, shown.headerPoint(x, 1)), QColor(163, 191, 227));
        QCOMPARE(pixelAt(image, shown.headerPoint(x, 20)), QColor(11, 39, 75));
        QCOMPARE(pixelAt(image, shown.headerPoint(x, 21)), QColor(3, 31, 67));
        QCOMPARE(pixelAt(image, shown.headerPoint(x, 22)), QColor(0, 23, 59));
        // Each column starts again from the top colour; its first pixel column is left out.
        const int first = header.sectionViewportPosition(2);
        QCOMPARE(pixelAt(image, shown.headerPoint(first + 1, 0)), QColor(171, 199, 235));
        QVERIFY(pixelAt(image, shown.headerPoint(first, 0)) != QColor(171, 199, 235));
        // The strip right of the last column.
        const int end = header.sectionViewportPosition(2) + header.sectionSize(2);
        QVERIFY(end + 10 < header.width());
        QCOMPARE(pixelAt(image, shown.headerPoint(end, 0)), header.palette().button().color());
        QCOMPARE(pixelAt(image, shown.headerPoint(end + 5, 0)), QColor(171, 199, 235));
        QCOMPARE(pixelAt(image, shown.headerPoint(end + 5, 20)), QColor(11, 39, 75));

        // Steep steps stop at 0 rather than wrapping round.
        header.m_nGradient = 30;
        image = shown.list.grab().toImage();
        QCOMPARE(pixelAt(image, shown.headerPoint(x, 7)), QColor(0, 0, 25));
        QCOMPARE(pixelAt(image, shown.headerPoint(x, 12)), QColor(0, 0, 0));
        QCOMPARE(pixelAt(image, shown.headerPoint(end + 5, 12)), QColor(0, 0, 0));
    }

    void headerHeightFactor()
    {
        ShownList shown;
        shown.list.SetColumnBackColor(0, kColumnBack);
        CHeaderCtrlCl &header = shown.list.m_Header;
        const int normal = header.height();
        QVERIFY(normal > 0);

        header.m_fHeightFactor = 1.5f;
        shown.list.RefreshLayout();
        QCOMPARE(header.height(), static_cast<int>(static_cast<float>(normal) * 1.5f));
        const int headerBottom = header.geometry().bottom();
        QCOMPARE(shown.list.viewport()->geometry().top(), headerBottom + 1);

        // The last header row is gradient; the row after it is the first list row.
        const QImage image = shown.list.grab().toImage();
        const int x = shown.list.columnViewportPosition(0) + 20;
        const QPoint lastHeaderRow = shown.headerPoint(x, header.height() - 1);
        QCOMPARE(pixelAt(image, lastHeaderRow),
                 CellText::gradientRow(171, 199, 235, 8, header.height() - 1));
        QCOMPARE(pixelAt(image, lastHeaderRow + QPoint(0, 1)), kColumnBack);
    }

    void rowHeight()
    {
        ShownList shown;
        QCOMPARE(shown.list.rowHeight(2), 30);
        shown.list.m_nRowHeight = 100;
        shown.list.RefreshLayout();
        QCOMPARE(shown.list.rowHeight(0), 100);
        QCOMPARE(shown.list.rowViewportPosition(1), 100);
        shown.list.SetRowHeight(12);
        QCOMPARE(shown.list.rowHeight(1), 12);
        const int styleDefault = CListCtrlCl().verticalHeader()->defaultSectionSize();
        shown.list.SetRowHeight(0);
        QCOMPARE(shown.list.rowHeight(1), styleDefault);
    }

    void rowIdsMoveWithTheirRows()
    {
        ShownList shown;
        ReportListView &list = shown.list;
        QCOMPARE(list.GetItemData(0), 0);
        for (int row = 0; row < 3; ++row) {
            list.SetItemText(row, 0, QString::number(3 - row));
            QVERIFY(list.SetItemData(row, 100 + row));
        }
        QVERIFY(!list.SetItemData(3, 7));
        QCOMPARE(list.GetItemData(3), 0);
        QCOMPARE(list.listModel()->index(1, 2).data(Qt::UserRole).toLongLong(), 101);
        list.listModel()->reorderRows({2, 1, 0});
        QCOMPARE(list.GetItemText(0, 0), QStringLiteral("1"));
        QCOMPARE(list.GetItemData(0), 102);
        QCOMPARE(list.GetItemData(2), 100);
        list.DeleteItem(0);
        QCOMPARE(list.GetItemData(0), 101);
        list.InsertItem(0, QStringLiteral("new"));
        QCOMPARE(list.GetItemData(0), 0);
        QCOMPARE(list.GetItemData(1), 101);

        // A whole list in one step: short rows are padded, every row keeps its value.
        list.SetItemSelected(0, true);
        list.SetRows({{{QStringLiteral("7"), QStringLiteral("甲")}, 70}, {{QStringLiteral("8")}, 80}});
        QCOMPARE(list.GetItemCount(), 2);
        QCOMPARE(list.GetItemText(0, 1), QStringLiteral("甲"));
        QCOMPARE(list.GetItemText(1, 2), QString());
        QCOMPARE(list.GetItemData(1), 80);
        QCOMPARE(list.GetNextSelectedItem(-1), -1);
        list.SetRows({});
        QCOMPARE(list.GetItemCount(), 0);
    }

    void clicksAndDoubleClicksNameTheirRow()
    {
        ShownList shown;
        ReportListView &list = shown.list;
        QList<int> clicks, doubleClicks;
        connect(&list, &ReportListView::NMClick, this, [&clicks](int item) { clicks << item; });
        connect(&list, &ReportListView::NMDblclk, this, [&doubleClicks](int item) { doubleClicks << item; });
        QWidget *viewport = list.viewport();
        const int rowMiddle = list.rowViewportPosition(1) + 15;
        const QPoint inCell(list.columnViewportPosition(1) + 10, rowMiddle);
        const QPoint rightOfColumns(list.columnViewportPosition(2) + list.columnWidth(2) + 20, rowMiddle);
        QVERIFY(rightOfColumns.x() < viewport->width());
        const QPoint belowRows(20, list.rowViewportPosition(2) + 60);

        QTest::mouseClick(viewport, Qt::LeftButton, {}, inCell);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, rightOfColumns);
        QCOMPARE(list.GetNextSelectedItem(-1), 1);
        list.clearSelection();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(rightOfColumns.x(), list.rowViewportPosition(2) + 15));
        QCOMPARE(list.GetNextSelectedItem(-1), 2);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, belowRows);
        QCOMPARE(clicks, QList<int>({1, 1, 2, -1}));

        QTest::mouseDClick(viewport, Qt::LeftButton, {}, inCell);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, belowRows);
        QCOMPARE(doubleClicks, QList<int>({1, -1}));
        QCOMPARE(list.HitTest(QPoint(-1, rowMiddle)), -1);
    }
};

PELLOR_WIDGET_TEST_MAIN(TestListCtrlCl)
#include "tst_listctrlcl.moc"
