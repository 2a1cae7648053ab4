#pragma once

#include "controls/CPicture.h"
#include "controls/CTabSheet.h"
#include "platform/base/Database.h"

#include <QWidget>

class CStudentInfoDlg;

// The roster page of the records window: the students of the current group.
class CStuLianxi : public QWidget, public CTabPage
{
    Q_OBJECT

public:
    explicit CStuLianxi(QWidget *parent = nullptr);

    bool OnInitDialog() override;
    // Fills the page with the roster of the records window's current group.
    void LoadStudentList();

    DatabaseConnection m_pConnection;
    CStudentInfoDlg *m_pParentDlg = nullptr;
    int m_nLastClickedItem = -1;
    CPicture m_picture;
    // How often the roster was loaded, for the window's reload rules.
    int m_nLoadCount = 0;
};
