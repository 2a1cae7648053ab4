#include "CQuestionDlg.h"

#include "CKemuPage.h"
#include "CKeshiPage.h"
#include "CKeshiWentiDlg.h"
#include "CKeshiZhishidianPage.h"
#include "core/BrowserReload.h"
#include "core/ContentDatabase.h"

#include "application/CPellorApp.h"
#include "controls/CTabSheet.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"
#include "platform/gui/WindowPlacement.h"

#include <QCloseEvent>

#include <array>

CQuestionDlg::CQuestionDlg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    setWindowTitle(QStringLiteral("问题"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(false);
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 765, 382);
    // Made smaller than its template, the window scrolls to the rest.
    m_tabSheet = new CTabSheet(WindowPlacement::scrollingPage(this));
    m_tabSheet->setObjectName(QStringLiteral("tab%1").arg(IDC_TAB));
    tmpl.place(m_tabSheet, 7, 7, 752, 368);
    m_pageKemu = new CKemuPage(this);
    m_pageKeshi = new CKeshiPage(this);
    m_pageWenti = new CKeshiWentiDlg(this);
    m_pageZhishidian = new CKeshiZhishidianPage(this);
    connect(m_tabSheet, &CTabSheet::selChange, this, &CQuestionDlg::OnTcnSelchangeTab);
}

// The connection stays open: it is the application object's, which closes it at exit.
CQuestionDlg::~CQuestionDlg() = default;

void CQuestionDlg::ShowQuestionDlg(QWidget *pOwner)
{
    if (m_bCreated) {
        ShowAgain();
        return;
    }
    OpenConnection();
    m_bCreated = true;
    show();
    m_pOwner = pOwner;
    WindowPlacement::placeFrameAt(this, QPoint(0, 0));
    InitPages();
}

void CQuestionDlg::ShowAgain()
{
    // The published connection stays in use. Until an opening has been published (a file may
    // open and still prove unreadable), and once its file was replaced or deleted, every
    // "教案" opens again.
    const DatabaseConnection before = m_pConnection;
    OpenConnection();
    if (m_pConnection != before) {
        GiveConnectionToPages();
        ReloadPages();
    }
    // Where it was hidden: a dialog the window system placed would be centred over its owner.
    setAttribute(Qt::WA_Moved);
    show();
    raise();
    activateWindow();
}

bool CQuestionDlg::EnsureConnection()
{
    if (m_pConnection && m_pConnection == theApp().m_pConnection)
        return true;
    const bool opened = OpenConnection();
    GiveConnectionToPages();
    if (opened)
        ReloadPages();
    return opened;
}

void CQuestionDlg::ReloadPages()
{
    m_pageKemu->LoadKemuList();
    m_pageKeshi->LoadKeshiList();
    m_pageZhishidian->LoadZhishidianList();
    m_pageWenti->LoadQuestionList();
}

bool CQuestionDlg::OpenConnection()
{
    const ContentDatabase::Opening opening = ContentDatabase::open(theApp().m_pConnection);
    m_pConnection = opening.connection;
    if (!opening.failure.isEmpty()) {
        Prompt::box(this, opening.failure);
        return false;
    }
    if (!opening.notice.isEmpty())
        Prompt::box(this, opening.notice);
    return true;
}

void CQuestionDlg::GiveConnectionToPages()
{
    const std::array<ContentPage *, 4> pages{m_pageKemu, m_pageKeshi, m_pageZhishidian, m_pageWenti};
    for (ContentPage *page : pages)
        page->m_pConnection = m_pConnection;
}

void CQuestionDlg::InitPages()
{
    GiveConnectionToPages();
    m_pageKemu->m_ensureConnection = [this] { return EnsureConnection(); };
    m_tabSheet->AddPage(QStringLiteral("选择课目"), m_pageKemu, CKemuPage::IDD);
    m_tabSheet->AddPage(QStringLiteral("选择课时"), m_pageKeshi, CKeshiPage::IDD);
    m_tabSheet->AddPage(QStringLiteral("本课知识点"), m_pageZhishidian, CKeshiZhishidianPage::IDD);
    m_tabSheet->AddPage(QStringLiteral("选择问题"), m_pageWenti, CKeshiWentiDlg::IDD);
    // Each page loads as it is created: the subjects page sets the current subject before
    // the lessons page loads. The window is already shown, so the pages' controls appear
    // with the sheet once they all exist.
    m_tabSheet->hide();
    m_tabSheet->CreatePages();
    m_tabSheet->show();
}

void CQuestionDlg::OnTcnSelchangeTab(int tab)
{
    const bool connected = m_pConnection && m_pConnection == theApp().m_pConnection;
    // Opened only now, every page has loaded; not yet, they stay empty.
    if (!EnsureConnection() || !connected)
        return;
    const BrowserReload::Plan plan
        = BrowserReload::onTabChange(tab, theApp().m_nKemuID, m_pageKeshi->ShowsCurrentLesson());
    if (plan.lessons)
        m_pageKeshi->LoadKeshiList();
    if (plan.points)
        m_pageZhishidian->LoadZhishidianList();
    if (plan.questions)
        m_pageWenti->LoadQuestionList();
}

void CQuestionDlg::HideOnClose()
{
    hide();
}

void CQuestionDlg::closeEvent(QCloseEvent *event)
{
    HideOnClose();
    event->ignore();
}

void CQuestionDlg::reject()
{
    HideOnClose();
}

void CQuestionDlg::accept()
{
    HideOnClose();
}
