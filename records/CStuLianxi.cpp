#include "CStuLianxi.h"

CStuLianxi::CStuLianxi(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageRoster"));
}

bool CStuLianxi::OnInitDialog()
{
    return true;
}

void CStuLianxi::LoadStudentList()
{
    ++m_nLoadCount;
}
