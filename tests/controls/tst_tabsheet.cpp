#include "TestMain.h"

#include "controls/CTabSheet.h"

#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTabBar>

#include <memory>

namespace {

// A page that notes when the sheet initialises it.
class Page : public QLabel, public CTabPage
{
public:
    Page(const QString &name, QStringList *log)
        : QLabel(name)
        , m_log(log)
    {
    }
    bool OnInitDialog() override
    {
        m_log->append(text());
        return true;
    }

private:
    QStringList *m_log;
};

struct Sheet
{
    QStringList log;
    std::vector<std::unique_ptr<Page>> pages;
    std::unique_ptr<CTabSheet> sheet = std::make_unique<CTabSheet>();

    explicit Sheet(int count)
    {
        for (int i = 0; i < count; ++i) {
            pages.push_back(std::make_unique<Page>(QStringLiteral("page%1").arg(i), &log));
            sheet->AddPage(QStringLiteral("标签%1").arg(i), pages.back().get(), 170 + i);
        }
        sheet->resize(500, 300);
    }

    ~Sheet() { sheet.reset(); }

    void createAndShow()
    {
        sheet->CreatePages();
        sheet->show();
        QVERIFY(QTest::qWaitForWindowExposed(sheet.get()));
    }

    int shownPage() const
    {
        int shown = -1;
        for (size_t i = 0; i < pages.size(); ++i) {
            if (pages[i]->isVisible()) {
                if (shown != -1)
                    return -2;
                shown = int(i);
            }
        }
        return shown;
    }
};

} // namespace

class TestTabSheet : public QObject
{
    Q_OBJECT

private slots:
    void sixteenPagesAtMost()
    {
        Sheet s(17);
        QCOMPARE(s.sheet->m_nNumOfPages, 16);
        QCOMPARE(s.sheet->m_pPages[15], s.pages[15].get());
        QCOMPARE(s.sheet->m_lpszTitles[15], QStringLiteral("标签15"));
        QCOMPARE(s.sheet->m_nTemplateIDs[15], 185);
        s.createAndShow();
        QCOMPARE(s.sheet->count(), 16);
        QCOMPARE(s.log.size(), 16);
        QCOMPARE(s.log.first(), QStringLiteral("page0"));
        QCOMPARE(s.log.last(), QStringLiteral("page15"));
        QVERIFY(!s.pages[16]->isVisible());
    }

    void createShowsTheFirstPage()
    {
        Sheet s(3);
        QSignalSpy changes(s.sheet.get(), &CTabSheet::selChange);
        s.createAndShow();
        QCOMPARE(s.log, QStringList({QStringLiteral("page0"), QStringLiteral("page1"), QStringLiteral("page2")}));
        QCOMPARE(s.shownPage(), 0);
        QCOMPARE(s.sheet->m_nCurrentPage, 0);
        QCOMPARE(s.sheet->tabText(1), QStringLiteral("标签1"));
        QCOMPARE(changes.size(), 0);
        // Pages lie inside the sheet, below the tabs.
        const QRect page = QRect(s.pages[0]->mapTo(s.sheet.get(), QPoint()), s.pages[0]->size());
        QVERIFY(s.sheet->rect().contains(page));
        QVERIFY(page.top() > s.sheet->tabBar()->geometry().bottom());
        // Created once only.
        s.sheet->CreatePages();
        QCOMPARE(s.sheet->count(), 3);
    }

    void selectSecondPage()
    {
        Sheet single(1);
        single.createAndShow();
        QCOMPARE(single.sheet->SelectSecondPage(0), -1);
        QCOMPARE(single.sheet->m_nCurrentPage, 0);
        QCOMPARE(single.shownPage(), 0);

        Sheet s(3);
        QSignalSpy changes(s.sheet.get(), &CTabSheet::selChange);
        s.createAndShow();
        QCOMPARE(s.sheet->SelectSecondPage(0), 0);
        QCOMPARE(s.sheet->m_nCurrentPage, 1);
        QCOMPARE(s.sheet->GetCurSel(), 1);
        QCOMPARE(s.shownPage(), 1);
        QCOMPARE(s.sheet->SelectSecondPage(0), 1);
        QCOMPARE(s.shownPage(), 1);
        // Switching by program sends the owner no notice.
        QCOMPARE(changes.size(), 0);
    }

    void mouseAndKeyboardShowTheirPage()
    {
        Sheet s(3);
        QSignalSpy changes(s.sheet.get(), &CTabSheet::selChange);
        s.createAndShow();
        QTabBar *tabs = s.sheet->tabBar();

        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QCOMPARE(s.shownPage(), 2);
        QCOMPARE(s.sheet->m_nCurrentPage, 2);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.at(0).at(0).toInt(), 2);

        // The tab already current changes nothing.
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QCOMPARE(changes.size(), 1);

        tabs->setFocus();
        QTest::keyClick(tabs, Qt::Key_Left);
        QCOMPARE(s.sheet->GetCurSel(), 1);
        QCOMPARE(s.shownPage(), 1);
        QCOMPARE(s.sheet->m_nCurrentPage, 1);
        QCOMPARE(changes.size(), 2);
        QCOMPARE(changes.at(1).at(0).toInt(), 1);
    }

    void pagesStayTheOwners()
    {
        QWidget owner;
        QStringList log;
        auto *heapPage = new Page(QStringLiteral("heap"), &log);
        heapPage->setParent(&owner);
        Page memberPage(QStringLiteral("member"), &log);
        QPointer<QWidget> guard(heapPage);
        {
            CTabSheet sheet(&owner);
            sheet.AddPage(QStringLiteral("一"), heapPage, 1);
            sheet.AddPage(QStringLiteral("二"), &memberPage, 2);
            sheet.CreatePages();
            QCOMPARE(heapPage->parentWidget()->parentWidget(), &sheet);
        }
        QVERIFY(guard);
        QCOMPARE(heapPage->parentWidget(), &owner);
        QCOMPARE(memberPage.parentWidget(), nullptr);

        // A page gone before its sheet takes its tab with it and sends no notice.
        CTabSheet sheet;
        QSignalSpy changes(&sheet, &CTabSheet::selChange);
        auto page0 = std::make_unique<Page>(QStringLiteral("a"), &log);
        Page page1(QStringLiteral("b"), &log);
        sheet.AddPage(QStringLiteral("一"), page0.get(), 1);
        sheet.AddPage(QStringLiteral("二"), &page1, 2);
        sheet.CreatePages();
        page0.reset();
        QCOMPARE(sheet.count(), 1);
        QCOMPARE(changes.size(), 0);
    }
};

PELLOR_WIDGET_TEST_MAIN(TestTabSheet)
#include "tst_tabsheet.moc"
