#include "CPellorDlg.h"

#include <QPushButton>

// The windows these buttons open arrive with their own subsystems; until then the
// buttons stay disabled (see CPellorDlg::createControls).
void CPellorDlg::OnBnClickedLessonPlan()
{
}

void CPellorDlg::OnBnClickedPPT()
{
}

void CPellorDlg::OnBnClickedStudentInfo()
{
}
