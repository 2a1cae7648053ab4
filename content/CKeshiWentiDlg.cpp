#include "CKeshiWentiDlg.h"

#include "application/CPellorApp.h"

CKeshiWentiDlg::CKeshiWentiDlg(QWidget *parent)
    : ContentPage(parent)
{
    setObjectName(QStringLiteral("page%1").arg(IDD));
}

// Nothing may reach a page that is gone.
CKeshiWentiDlg::~CKeshiWentiDlg()
{
    if (theApp().m_pWentiDlg == this)
        theApp().m_pWentiDlg = nullptr;
}

bool CKeshiWentiDlg::OnInitDialog()
{
    theApp().m_pWentiDlg = this;
    LoadQuestionList();
    return true;
}

void CKeshiWentiDlg::LoadQuestionList()
{
    ++m_nLoadCount;
}
