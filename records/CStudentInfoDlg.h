#pragma once

#include "platform/base/Database.h"

#include <QDialog>

class CStuBanjiPage;
class CStuLianxi;
class CStudentPellorScorePage;
class CTabSheet;

// The records window: groups and semesters, the roster and the classroom scores over the
// student records database, with the current group and semester its pages share.
class CStudentInfoDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CStudentInfoDlg(QWidget *parent = nullptr);
    ~CStudentInfoDlg() override;

    bool OnInitDialog();
    // The window's connection: the published one, or a newly opened one that is then
    // published. False after a reported failure; the next records window tries again.
    bool OpenConnection();
    void OnTcnSelchangeTab(int tab);

    bool m_bGroupChanged = false;
    bool m_bClassChanged = false;
    bool m_bRosterDirty = true;
    CTabSheet *m_tabSheet = nullptr;
    CStudentPellorScorePage *m_pageScore = nullptr;
    CStuLianxi *m_pageRoster = nullptr;
    CStuBanjiPage *m_pageBanji = nullptr;
    DatabaseConnection m_pConnection;
    int m_nGroupID = 0;
    int m_nClassID = 0;
};
