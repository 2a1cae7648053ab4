#include "CPellorDlg.h"

#include "CPlayPPtDlg.h"

#include "content/CQuestionDlg.h"
#include "records/CStudentInfoDlg.h"

// The question browser is created once; a later "教案" shows it as it was hidden.
void CPellorDlg::OnBnClickedLessonPlan()
{
    if (!m_dlgQuestion)
        m_dlgQuestion = new CQuestionDlg(this);
    if (m_dlgQuestion->isCreated())
        m_dlgQuestion->ShowAgain();
    else
        m_dlgQuestion->ShowQuestionDlg(this);
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
