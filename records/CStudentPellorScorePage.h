#pragma once

#include "controls/CTabSheet.h"
#include "platform/base/Database.h"

#include <QWidget>

class CStudentInfoDlg;

// The classroom score page of the records window: the answer counts of the current semester.
class CStudentPellorScorePage : public QWidget, public CTabPage
{
    Q_OBJECT

public:
    explicit CStudentPellorScorePage(QWidget *parent = nullptr);

    bool OnInitDialog() override;
    // Shows the counts of the records window's current semester.
    void ReloadScores();

    DatabaseConnection m_pConnection;
    CStudentInfoDlg *m_pParentDlg = nullptr;
    int m_nReloadCount = 0;
};
