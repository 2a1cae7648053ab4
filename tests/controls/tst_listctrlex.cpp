#include "TestMain.h"
#include "ScriptedPrompt.h"

#include "controls/CListCtrlEx.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QSignalSpy>

namespace {

const QColor kPaleGreen(240, 254, 229);
const QColor kSelectedBar(191, 225, 128);
const QString kTooMany = QStringLiteral("最多可选择6个小组进行合堂点名");

// The groups page's list: an empty tick column, year, group, semester.
struct GroupList
{
    CListCtrlEx list;
    QAbstractItemModelTester tester{list.listModel(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    GroupList()
    {
        list.resize(420, 400);
        list.AddColumn(0, QString(), ReportListView::LVCFMT_LEFT, 20);
        list.AddColumn(1, QStringLiteral("入学年"), ReportListView::LVCFMT_LEFT, 90);
        list.AddColumn(2, QStringLiteral("小组"), ReportListView::LVCFMT_LEFT, 90);
        list.AddColumn(3, QStringLiteral("学期"), ReportListView::LVCFMT_LEFT, 120);
        list.SetExtendedStyle(list.GetExtendedStyle() | ReportListView::LVS_EX_GRIDLINES
                              | ReportListView::LVS_EX_FULLROWSELECT);
        list.SetRowHeight(24);
    }

    void addRow(const QString &year, const QString &group, const QString &semester, bool checked = false)
    {
        const int row = list.GetItemCount();
        QCOMPARE(list.InsertCheckRow(row, 0, checked), 1);
        list.SetItemText(row, 1, year);
        list.SetItemText(row, 2, group);
        list.SetItemText(row, 3, semester);
    }

    void addDistinctGroups(int count)
    {
        for (int i = 0; i < count; ++i)
            addRow(QString::number(2010 + i), QStringLiteral("%1班").arg(i + 1), QStringLiteral("上"));
    }

    void show()
    {
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
    }

    void clickBox(int row) { QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CheckBoxRect(row).center()); }

    QList<int> checkedRows() const
    {
        QList<int> rows;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.IsRowChecked(row))
                rows.append(row);
        }
        return rows;
    }

    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < list.GetItemCount(); ++row)
            texts.append(list.GetItemText(row, column));
        return texts;
    }

    QPoint inList(const QPoint &viewportPoint) const { return list.viewport()->mapTo(&list, viewportPoint); }
};

} // namespace

class TestListCtrlEx : public QObject
{
    Q_OBJECT

private slots:
    void rowRecords()
    {
        GroupList groups;
        groups.addRow(QStringLiteral("2020"), QStringLiteral("一班"), QStringLiteral("上"), true);
        groups.addRow(QStringLiteral("2020"), QStringLiteral("二班"), QStringLiteral("上"), false);
        QCOMPARE(groups.list.m_vecRows.size(), size_t(2));
        QCOMPARE(groups.list.m_vecRows[0].item, quint16(0));
        QCOMPARE(groups.list.m_vecRows[0].checked, quint16(1));
        QCOMPARE(groups.list.m_vecRows[1].item, quint16(1));
        QCOMPARE(groups.list.m_vecRows[1].checked, quint16(0));
        QCOMPARE(groups.list.m_Header.m_vecTitles.size(), size_t(4));
        QCOMPARE(groups.list.m_Header.OnReset(), 1);

        // A first column with a heading gives rows without a check box.
        CListCtrlEx titled;
        titled.AddColumn(0, QStringLiteral("序号"), ReportListView::LVCFMT_LEFT, 40);
        QCOMPARE(titled.InsertCheckRow(0, 0, true), -1);
        QCOMPARE(titled.GetItemCount(), 1);
        QVERIFY(titled.m_vecRows.empty());
    }

    void atMostSixChecked()
    {
        ScriptedPrompt prompt;
        GroupList groups;
        groups.addDistinctGroups(8);
        groups.show();
        for (int row = 0; row < 6; ++row)
            groups.clickBox(row);
        QCOMPARE(groups.checkedRows(), QList<int>({0, 1, 2, 3, 4, 5}));
        QVERIFY(prompt.shown.isEmpty());

        groups.clickBox(6);
        QCOMPARE(prompt.texts(), QStringList({kTooMany}));
        QCOMPARE(prompt.shown.first().buttons, Prompt::OkOnly);
        QVERIFY(!groups.list.IsRowChecked(6));

        // Unchecking is always allowed, and makes room again.
        groups.clickBox(0);
        groups.clickBox(6);
        QCOMPARE(groups.checkedRows(), QList<int>({1, 2, 3, 4, 5, 6}));
        QCOMPARE(prompt.shown.size(), 1);
    }

    void sameYearAndGroupRefused()
    {
        ScriptedPrompt prompt;
        GroupList groups;
        groups.addRow(QStringLiteral("2021"), QStringLiteral("Ab班"), QStringLiteral("上"));
        groups.addRow(QStringLiteral("2021"), QStringLiteral("aB班"), QStringLiteral("下"));
        groups.addRow(QStringLiteral("2022"), QStringLiteral("Ab班"), QStringLiteral("上"));
        groups.show();
        groups.clickBox(0);
        groups.clickBox(1);
        QCOMPARE(prompt.texts(),
                 QStringList({QStringLiteral("入学年： 2021  小组： aB班  的小组已经选择过，请将此班选择撤销后，重新选择")}));
        QCOMPARE(groups.checkedRows(), QList<int>({0}));
        // Another year with the same group name is another group.
        groups.clickBox(2);
        QCOMPARE(groups.checkedRows(), QList<int>({0, 2}));
        QCOMPARE(prompt.shown.size(), 1);
    }

    void selectAllFromTheBottom()
    {
        ScriptedPrompt prompt;
        GroupList groups;
        groups.addDistinctGroups(10);
        groups.show();
        QCheckBox *box = groups.list.m_Header.findChild<QCheckBox *>(QStringLiteral("selectAll"));
        QVERIFY(box);
        QCOMPARE(box->geometry(), QRect(4, 3, 15, 15));
        QSignalSpy page(&groups.list, &CListCtrlEx::checkAllChanged);

        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(groups.checkedRows(), QList<int>({4, 5, 6, 7, 8, 9}));
        QCOMPARE(page.size(), 1);
        QCOMPARE(page.at(0).at(0).toInt(), 1);
        QVERIFY(groups.list.m_Header.m_bAllChecked);
        QVERIFY(prompt.shown.isEmpty());

        // The page refilling the list leaves the box as it was.
        QCOMPARE(groups.list.m_Header.OnReset(), 1);
        QVERIFY(box->isChecked());

        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(groups.checkedRows().isEmpty());
        QCOMPARE(page.size(), 2);
        QCOMPARE(page.at(1).at(0).toInt(), 0);
        QVERIFY(!groups.list.m_Header.m_bAllChecked);
    }

    void selectAllTakesTheLowerOfOneGroup()
    {
        GroupList groups;
        groups.addDistinctGroups(8);
        groups.addRow(QStringLiteral("2030"), QStringLiteral("X班"), QStringLiteral("上"));
        groups.addRow(QStringLiteral("2030"), QStringLiteral("x班"), QStringLiteral("下"));
        QCOMPARE(groups.list.OnCheckAll(1), 1);
        QCOMPARE(groups.checkedRows(), QList<int>({3, 4, 5, 6, 7, 9}));
        QCOMPARE(groups.list.OnCheckAll(0), 1);
        QVERIFY(groups.checkedRows().isEmpty());
    }

    void clicksBesideTheBox()
    {
        GroupList groups;
        groups.addDistinctGroups(3);
        groups.show();
        QSignalSpy clicks(&groups.list, &ReportListView::NMClick);
        const QRect box = groups.list.CheckBoxRect(1);
        QTest::mouseClick(groups.list.viewport(), Qt::LeftButton, {}, QPoint(box.right() + 2, box.center().y()));
        QVERIFY(!groups.list.IsRowChecked(1));
        QVERIFY(groups.list.IsItemSelected(1));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.at(0).at(0).toInt(), 1);

        // Below the rows the press is dropped: no selection change, no click notice.
        const int below = groups.list.rowViewportPosition(2) + 2 * groups.list.rowHeight(2);
        QTest::mouseClick(groups.list.viewport(), Qt::LeftButton, {}, QPoint(box.center().x(), below));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(groups.list.GetNextSelectedItem(), 1);
        QVERIFY(groups.checkedRows().isEmpty());
    }

    void doubleClickTogglesTwice()
    {
        GroupList groups;
        groups.addDistinctGroups(3);
        groups.show();
        const QPoint centre = groups.list.CheckBoxRect(2).center();
        QTest::mouseClick(groups.list.viewport(), Qt::LeftButton, {}, centre);
        QVERIFY(groups.list.IsRowChecked(2));
        // The second click of a double click arrives as the double-click event alone.
        QTest::mouseDClick(groups.list.viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseRelease(groups.list.viewport(), Qt::LeftButton, {}, centre);
        QVERIFY(!groups.list.IsRowChecked(2));
    }

    void painting()
    {
        GroupList groups;
        groups.addDistinctGroups(4);
        groups.list.m_vecRows[1].checked = 1;
        groups.show();
        groups.list.SetItemSelected(2, true);
        groups.list.setCurrentIndex(groups.list.listModel()->index(2, 1));
        const QImage image = groups.list.grab().toImage();

        const auto cellPixel = [&](int row, int x, int dy) {
            return image.pixelColor(groups.inList(QPoint(x, groups.list.rowViewportPosition(row) + dy)));
        };
        const int x = groups.list.columnViewportPosition(3) + groups.list.columnWidth(3) - 5;
        QCOMPARE(cellPixel(0, x, 12), kPaleGreen);
        QCOMPARE(cellPixel(1, x, 12), QColor(Qt::white));
        QCOMPARE(cellPixel(3, x, 12), QColor(Qt::white));
        // The selected row: a pale edge of 2 pixels and the green bar inside.
        QCOMPARE(cellPixel(2, x, 0), kPaleGreen);
        QCOMPARE(cellPixel(2, x, 1), kPaleGreen);
        QCOMPARE(cellPixel(2, x, 2), kSelectedBar);
        QCOMPARE(cellPixel(2, x, 12), kSelectedBar);

        // Check boxes: white inside a blue frame; the tick copied in at (2, 2).
        const QImage &tick = CListCtrlEx::tickImage();
        QCOMPARE(tick.size(), QSize(9, 8));
        const QRect unchecked = groups.list.CheckBoxRect(0);
        QCOMPARE(unchecked.width(), 13);
        QCOMPARE(image.pixelColor(groups.inList(unchecked.topLeft())), QColor(87, 146, 211));
        QCOMPARE(image.pixelColor(groups.inList(unchecked.center())), QColor(Qt::white));
        const QRect checked = groups.list.CheckBoxRect(1);
        for (int ty = 0; ty < tick.height(); ++ty) {
            for (int tx = 0; tx < tick.width(); ++tx) {
                const QPoint at = groups.inList(checked.topLeft() + QPoint(2 + tx, 2 + ty));
                QCOMPARE(image.pixelColor(at), tick.pixelColor(tx, ty));
            }
        }

        // Header: the pale gradient from 255, 255, 240 down by 3 a row, grey separators.
        CHeaderCtrlEx &header = groups.list.m_Header;
        const QImage top = header.grab().toImage();
        const int hx = header.sectionViewportPosition(3) + header.sectionSize(3) + 20;
        QCOMPARE(top.pixelColor(hx, 0), QColor(255, 255, 240));
        QCOMPARE(top.pixelColor(hx, 2), QColor(249, 249, 234));
        const int divider = header.sectionViewportPosition(2) + header.sectionSize(2);
        QCOMPARE(top.pixelColor(divider, 5), QColor(155, 155, 155));
        QCOMPARE(top.pixelColor(divider, 1), QColor(252, 252, 237));
    }

    void headerHeightAndResize()
    {
        GroupList groups;
        groups.addDistinctGroups(2);
        groups.show();
        CHeaderCtrlEx &header = groups.list.m_Header;
        const int tall = header.height();
        header.m_fHeightFactor = 1.0f;
        groups.list.RefreshLayout();
        QCOMPARE(tall, static_cast<int>(static_cast<float>(header.height()) * 1.3f));

        QSignalSpy resized(&header, &CHeaderCtrlEx::columnResized);
        QSignalSpy handleDouble(&header, &QHeaderView::sectionHandleDoubleClicked);
        const int divider = header.sectionViewportPosition(1) + header.sectionSize(1) - 1;
        const int y = header.height() / 2;
        QTest::mousePress(header.viewport(), Qt::LeftButton, {}, QPoint(divider, y));
        QTest::mouseMove(header.viewport(), QPoint(divider + 30, y));
        QTest::mouseRelease(header.viewport(), Qt::LeftButton, {}, QPoint(divider + 30, y));
        QCOMPARE(header.sectionSize(1), 120);
        QCOMPARE(resized.size(), 1);
        // A double click on a divider does not size the column.
        QTest::mouseDClick(header.viewport(), Qt::LeftButton, {}, QPoint(divider + 30, y));
        QTest::mouseRelease(header.viewport(), Qt::LeftButton, {}, QPoint(divider + 30, y));
        QCOMPARE(handleDouble.size(), 0);
        QCOMPARE(header.sectionSize(1), 120);
    }

    void sortRules()
    {
        using namespace CheckListRules;
        QVERIFY(isAllDigits(QString()));
        QVERIFY(!isAllDigits(QStringLiteral("12a")));
        QVERIFY(isDate(QStringLiteral("03/01/2021")));
        QVERIFY(!isDate(QStringLiteral("3/01/2021")));
        QVERIFY(!isDate(QStringLiteral("03-01-2021")));
        QCOMPARE(sortKind({QStringLiteral("9"), QStringLiteral("10"), QString()}), SortKind::Integer);
        QCOMPARE(sortKind({QStringLiteral("01/02/2021"), QStringLiteral("15/12/2020")}), SortKind::Date);
        QCOMPARE(sortKind({QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("1a")}), SortKind::Text);
        QCOMPARE(sortOrder({QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("9")}, true), QList<int>({0, 2, 1}));
        QCOMPARE(sortOrder({QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("9")}, false), QList<int>({1, 0, 2}));
        QCOMPARE(sortOrder({QStringLiteral("01/02/2021"), QStringLiteral("15/12/2020"), QStringLiteral("03/01/2021")}, true),
                 QList<int>({1, 2, 0}));
        QCOMPARE(sortOrder({QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("c")}, true), QList<int>({1, 0, 2}));
    }

    void columnClickSortsWithTicks()
    {
        GroupList groups;
        groups.addRow(QStringLiteral("2021"), QStringLiteral("b"), QStringLiteral("03/01/2021"), true);
        groups.addRow(QStringLiteral("9"), QStringLiteral("c"), QStringLiteral("15/12/2020"));
        groups.addRow(QStringLiteral("2020"), QStringLiteral("a"), QStringLiteral("01/02/2021"), true);
        groups.show();
        groups.list.SetItemSelected(1, true);
        CHeaderCtrlEx &header = groups.list.m_Header;
        const auto clickColumn = [&](int column) {
            const QPoint centre(header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
                                header.height() / 2);
            QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, centre);
        };

        clickColumn(1);
        QCOMPARE(groups.column(1), QStringList({QStringLiteral("9"), QStringLiteral("2020"), QStringLiteral("2021")}));
        QCOMPARE(groups.checkedRows(), QList<int>({1, 2}));
        QCOMPARE(groups.list.m_vecRows[2].item, quint16(0));
        QCOMPARE(groups.list.GetNextSelectedItem(), 0);
        QCOMPARE(groups.list.m_nSortColumn, 1);
        QVERIFY(groups.list.m_bSortAscending);

        clickColumn(1);
        QCOMPARE(groups.column(1), QStringList({QStringLiteral("2021"), QStringLiteral("2020"), QStringLiteral("9")}));
        QCOMPARE(groups.checkedRows(), QList<int>({0, 1}));
        QVERIFY(!groups.list.m_bSortAscending);

        clickColumn(3);
        QCOMPARE(groups.column(3), QStringList({QStringLiteral("15/12/2020"), QStringLiteral("03/01/2021"),
                                                QStringLiteral("01/02/2021")}));
        QCOMPARE(groups.column(2), QStringList({QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
        QCOMPARE(groups.checkedRows(), QList<int>({1, 2}));
        QVERIFY(groups.list.m_bSortAscending);
        QCOMPARE(groups.list.GetNextSelectedItem(), 0);
    }
};

PELLOR_WIDGET_TEST_MAIN(TestListCtrlEx)
#include "tst_listctrlex.moc"
