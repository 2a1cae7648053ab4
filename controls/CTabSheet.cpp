#include "CTabSheet.h"

#include <QTabBar>

CTabSheet::CTabSheet(QWidget *parent)
    : QTabWidget(parent)
{
    tabBar()->setObjectName(QStringLiteral("tabBar"));
    connect(this, &QTabWidget::currentChanged, this, &CTabSheet::OnCurrentChanged);
}

// The pages are the owner's: hand them back rather than let the tab widget delete them.
CTabSheet::~CTabSheet()
{
    m_nCreatedPages = -1;
    for (int i = 0; i < m_nNumOfPages; ++i) {
        if (QWidget *page = m_guards[i]) {
            page->hide();
            page->setParent(m_homes[i]);
        }
    }
}

void CTabSheet::AddPage(const QString &title, QWidget *page, int templateID)
{
    if (m_nNumOfPages == kMaxPages || !page)
        return;
    m_lpszTitles[m_nNumOfPages] = title;
    m_pPages[m_nNumOfPages] = page;
    m_nTemplateIDs[m_nNumOfPages] = templateID;
    m_guards[m_nNumOfPages] = page;
    m_homes[m_nNumOfPages] = page->parentWidget();
    ++m_nNumOfPages;
}

void CTabSheet::CreatePages()
{
    if (m_nNumOfPages == 0 || m_nCreatedPages != 0)
        return;
    m_bSelectingByProgram = true;
    for (int i = 0; i < m_nNumOfPages; ++i) {
        addTab(m_pPages[i], m_lpszTitles[i]);
        ++m_nCreatedPages;
        if (auto *page = dynamic_cast<CTabPage *>(m_pPages[i]))
            page->OnInitDialog();
    }
    m_bSelectingByProgram = false;
    LayoutPages();
}

void CTabSheet::LayoutPages()
{
    selectByProgram(0);
}

int CTabSheet::SelectSecondPage(int)
{
    if (m_nNumOfPages < 2)
        return -1;
    const int previous = m_nCurrentPage;
    if (previous != 1) {
        selectByProgram(1);
        m_nCurrentPage = 1;
    }
    return previous;
}

void CTabSheet::selectByProgram(int index)
{
    m_bSelectingByProgram = true;
    setCurrentIndex(index);
    m_bSelectingByProgram = false;
    if (currentIndex() >= 0)
        m_nCurrentPage = currentIndex();
}

// A page that goes away while the sheet lives removes its tab; that is no change by the user.
void CTabSheet::OnCurrentChanged(int index)
{
    if (index < 0)
        return;
    m_nCurrentPage = index;
    if (!m_bSelectingByProgram && count() == m_nCreatedPages)
        emit selChange(index);
}
