#include "CKeshiZhishidianPage.h"

#include "application/CPellorApp.h"

CKeshiZhishidianPage::CKeshiZhishidianPage(QWidget *parent)
    : ContentPage(parent)
{
    setObjectName(QStringLiteral("page%1").arg(IDD));
}

// Nothing may reach a page that is gone.
CKeshiZhishidianPage::~CKeshiZhishidianPage()
{
    if (theApp().m_pZhishidianPage == this)
        theApp().m_pZhishidianPage = nullptr;
}

bool CKeshiZhishidianPage::OnInitDialog()
{
    LoadZhishidianList();
    theApp().m_pZhishidianPage = this;
    return true;
}

void CKeshiZhishidianPage::LoadZhishidianList()
{
    ++m_nLoadCount;
}
