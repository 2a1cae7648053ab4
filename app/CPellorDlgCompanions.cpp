#include "CPellorDlg.h"

#include "CPlayPPtDlg.h"

#include "records/CStudentInfoDlg.h"

// The question browser arrives with its own window; until then its button stays disabled
// (see CPellorDlg::createControls).
void CPellorDlg::OnBnClickedLessonPlan()
{
}

void CPellorDlg::OnBnClickedPPT()
{
    if (!m_dlgPPT)
        m_dlgPPT = new CPlayPPtDlg;
    if (m_dlgPPT->isCreated())
        m_dlgPPT->show();
    else
        m_dlgPPT->ShowToolBar(this);
    m_bStandingAside = true;
    hide();
}

void CPellorDlg::OnBnClickedStudentInfo()
{
    CStudentInfoDlg dlg(this);
    dlg.exec();
}
