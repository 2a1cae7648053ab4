#include "CPellorDlg.h"

#include "content/CQuestionDlg.h"
#include "records/CStudentInfoDlg.h"

// The presentation tool bar arrives with its own window; until then its button stays
// disabled (see CPellorDlg::createControls).

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
}

void CPellorDlg::OnBnClickedStudentInfo()
{
    CStudentInfoDlg dlg(this);
    dlg.exec();
}
