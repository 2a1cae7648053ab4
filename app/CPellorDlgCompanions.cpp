#include "CPellorDlg.h"

#include "records/CStudentInfoDlg.h"

// The question browser and the presentation tool bar arrive with their own windows; until
// then their buttons stay disabled (see CPellorDlg::createControls).
void CPellorDlg::OnBnClickedLessonPlan()
{
}

void CPellorDlg::OnBnClickedPPT()
{
}

void CPellorDlg::OnBnClickedStudentInfo()
{
    CStudentInfoDlg dlg(this);
    dlg.exec();
}
