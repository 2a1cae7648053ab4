#include "CStudentPellorScorePage.h"

CStudentPellorScorePage::CStudentPellorScorePage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageScore"));
}

bool CStudentPellorScorePage::OnInitDialog()
{
    ReloadScores();
    return true;
}

void CStudentPellorScorePage::ReloadScores()
{
    ++m_nReloadCount;
}
