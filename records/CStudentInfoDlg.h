#pragma once

#include "platform/base/Database.h"

#include <QDialog>

class CStuBanjiPage;
class CStuLianxi;
class CStudentPellorScorePage;
class CTabSheet;
class PhotoCache;

// The records window: groups and semesters, the roster and the classroom scores over the
// student records database, with the current group and semester its pages share. The pages
// read them here and change them through setCurrent; the window decides what follows.
class CStudentInfoDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CStudentInfoDlg(QWidget *parent = nullptr);
    ~CStudentInfoDlg() override;

    bool OnInitDialog();
    // The one way the current group and semester change. Another group makes the roster
    // page reload when it is shown next.
    void setCurrent(int groupId, int classId);
    // A group just imported: current, with its first semester, and its roster shown.
    void OnGroupImported(int groupId);
    // The window's connection: the published one, or a newly opened one that is then
    // published. False after a reported failure; the next records window tries again.
    bool OpenConnection();
    // After an opening that failed, or a list of groups that could not be read (the file
    // held by another program), each change of tab and "导入小组" try again, saying once why
    // they still cannot; on success the groups are listed again. A file found replaced
    // meanwhile is taken up only by the next window, as its message says. True with the
    // window's connection in place and its groups read.
    bool EnsureConnection();
    void OnTcnSelchangeTab(int tab);

    bool m_bGroupChanged = false;
    bool m_bClassChanged = false;
    bool m_bRosterDirty = true;
    CTabSheet *m_tabSheet = nullptr;
    CStudentPellorScorePage *m_pageScore = nullptr;
    CStuLianxi *m_pageRoster = nullptr;
    CStuBanjiPage *m_pageBanji = nullptr;
    DatabaseConnection m_pConnection;
    // The photos its pages and forms show, kept for the window's life.
    PhotoCache *m_photos = nullptr;
    int m_nGroupID = 0;
    int m_nClassID = 0;

private:
    void GiveConnectionToPages();
    void RefreshGroups();
};
