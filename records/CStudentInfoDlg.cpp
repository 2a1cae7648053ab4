#include "CStudentInfoDlg.h"

#include "CStuBanjiPage.h"
#include "CStuEditStuDlg.h"
#include "CStuLianxi.h"
#include "CStudentPellorScorePage.h"
#include "PhotoCache.h"
#include "core/StudentDatabase.h"

#include "application/CPellorApp.h"
#include "controls/CTabSheet.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"
#include "platform/gui/WindowPlacement.h"

namespace {
enum TemplateId { IDD_SCORE = 169, IDD_ROSTER = 172, IDD_BANJI = 175 };
enum Tab { TabGroups = 0, TabRoster = 1, TabScores = 2 };
} // namespace

CStudentInfoDlg::CStudentInfoDlg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CStudentInfoDlg"));
    setWindowTitle(QStringLiteral("学生信息"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 752, 330);
    // Made smaller than its template, the window scrolls to the rest.
    WindowPlacement::keepOnScreen(this);
    m_tabSheet = new CTabSheet(WindowPlacement::scrollingPage(this));
    m_tabSheet->setObjectName(QStringLiteral("tab1037"));
    tmpl.place(m_tabSheet, 7, 7, 738, 316);
    m_pageScore = new CStudentPellorScorePage(this);
    m_pageRoster = new CStuLianxi(this);
    m_pageBanji = new CStuBanjiPage(this);
    // After the pages, so that it outlives their photo frames.
    m_photos = new PhotoCache(this);
    connect(m_tabSheet, &CTabSheet::selChange, this, &CStudentInfoDlg::OnTcnSelchangeTab);
    connect(m_pageBanji, &CStuBanjiPage::groupImported, this, &CStudentInfoDlg::OnGroupImported);
    OnInitDialog();
}

CStudentInfoDlg::~CStudentInfoDlg() = default;

bool CStudentInfoDlg::OnInitDialog()
{
    OpenConnection();
    m_pageBanji->m_pParentDlg = this;
    m_pageRoster->m_pParentDlg = this;
    m_pageScore->m_pParentDlg = this;
    m_pageRoster->m_photos = m_photos;
    m_pageScore->m_photos = m_photos;
    m_photos->reserveRoom(CStuEditStuDlg::photoRoom(*this));
    GiveConnectionToPages();
    m_tabSheet->AddPage(QStringLiteral("选择小组"), m_pageBanji, IDD_BANJI);
    m_tabSheet->AddPage(QStringLiteral("学生信息"), m_pageRoster, IDD_ROSTER);
    m_tabSheet->AddPage(QStringLiteral("课堂成绩"), m_pageScore, IDD_SCORE);
    m_tabSheet->CreatePages();
    return true;
}

bool CStudentInfoDlg::OpenConnection()
{
    const StudentDatabase::Opening opening = StudentDatabase::open(theApp().m_pStudentConnection);
    m_pConnection = opening.connection;
    if (!opening.failure.isEmpty()) {
        Prompt::box(this, opening.failure);
        return false;
    }
    if (!opening.notice.isEmpty())
        Prompt::box(this, opening.notice);
    return true;
}

void CStudentInfoDlg::GiveConnectionToPages()
{
    m_pageBanji->m_pConnection = m_pConnection;
    m_pageRoster->m_pConnection = m_pConnection;
    m_pageScore->m_pConnection = m_pConnection;
    m_photos->setDatabaseFile(m_pConnection ? m_pConnection->filePath() : QString());
}

bool CStudentInfoDlg::EnsureConnection()
{
    if (m_pConnection && m_pConnection == theApp().m_pStudentConnection) {
        // Taken over while another program held the file, the groups could not be read:
        // they are read now, and no page loads for a group the list does not show.
        if (m_pageBanji->m_bListRead || !m_pConnection->isOpen())
            return true;
        RefreshGroups();
        return m_pageBanji->m_bListRead;
    }
    const bool opened = OpenConnection();
    GiveConnectionToPages();
    if (opened)
        RefreshGroups();
    return opened;
}

void CStudentInfoDlg::RefreshGroups()
{
    m_pageBanji->RefreshGroupList();
    m_bRosterDirty = true;
}

void CStudentInfoDlg::setCurrent(int groupId, int classId)
{
    if (groupId != m_nGroupID) {
        m_bGroupChanged = true;
        m_bClassChanged = true;
    } else if (classId != m_nClassID) {
        m_bClassChanged = true;
    }
    m_nGroupID = groupId;
    m_nClassID = classId;
}

void CStudentInfoDlg::OnGroupImported(int groupId)
{
    // The group's number is also the ID of its first semester.
    setCurrent(groupId, groupId);
    m_bRosterDirty = true;
    m_tabSheet->SelectSecondPage();
    OnTcnSelchangeTab(TabRoster);
}

void CStudentInfoDlg::OnTcnSelchangeTab(int tab)
{
    if (!EnsureConnection())
        return;
    if (tab == TabScores) {
        m_pageScore->ReloadScores();
    } else if (tab == TabRoster) {
        if (m_bRosterDirty || m_bGroupChanged) {
            m_pageRoster->ForgetShownStudent();
            m_pageRoster->LoadStudentList();
            m_bRosterDirty = false;
        }
        m_bGroupChanged = false;
        m_bClassChanged = false;
    }
}
