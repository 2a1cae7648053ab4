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
    if (!m_dlgPPT) {
        m_dlgPPT = new CPlayPPtDlg(*m_lesson);
        connect(m_dlgPPT, &CPlayPPtDlg::rollCallRequested, this, &CPellorDlg::OnToolBarRollCall);
        connect(m_dlgPPT, &CPlayPPtDlg::lessonPlanRequested, this, &CPellorDlg::OnBnClickedLessonPlan);
        // The window's own way out asks about a lesson not yet saved; cancelled there, or with
        // a save that failed, the bar stays with its countdown still running.
        connect(m_dlgPPT, &CPlayPPtDlg::exitRequested, this, [this] {
            if (ExitProgram())
                m_dlgPPT->EndToolBar();
        });
    }
    if (m_dlgPPT->isCreated())
        m_dlgPPT->show();
    else
        m_dlgPPT->ShowToolBar();
    m_bStandingAside = true;
    hide();
}

void CPellorDlg::OnToolBarRollCall()
{
    // The lesson, the student on call and the fields are as they were left: the window only
    // comes back, in the program's loop that has run since it stepped aside.
    if (m_dlgPPT)
        m_dlgPPT->hide();
    show();
    raise();
    activateWindow();
}

void CPellorDlg::OnBnClickedStudentInfo()
{
    CStudentInfoDlg dlg(this);
    dlg.exec();
}
