#include "CKeshiWentiDlg.h"

#include "CKeshiZhishidianPage.h"
#include "CRichEditDlg.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QPushButton>

namespace {
constexpr int kPointWidth = 50;

QString noSelectionText()
{
    return QStringLiteral("未选择编辑项");
}
} // namespace

CKeshiWentiDlg::CKeshiWentiDlg(QWidget *parent)
    : ContentPage(parent)
{
    setObjectName(QStringLiteral("page%1").arg(IDD));
}

// Nothing may reach a page that is gone.
CKeshiWentiDlg::~CKeshiWentiDlg()
{
    if (theApp().m_pWentiDlg == this)
        theApp().m_pWentiDlg = nullptr;
}

bool CKeshiWentiDlg::OnInitDialog()
{
    theApp().m_pWentiDlg = this;
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 758, 380);
    m_listWenti = new CListCtrlCl(this);
    m_listWenti->setObjectName(QStringLiteral("list%1").arg(IDC_LIST));
    // List and buttons end inside the question browser's tab, which is narrower and lower
    // than this page's template.
    tmpl.place(m_listWenti, 7, 7, 738, 322);
    auto button = [&](int id, const QString &caption, int x, int width, void (CKeshiWentiDlg::*handler)()) {
        QPushButton *b = tmpl.addButton(this, id, caption, x, 333, width, 14);
        connect(b, &QPushButton::clicked, this, handler);
    };
    button(IDC_ADD, QStringLiteral("增加"), 255, 50, &CKeshiWentiDlg::OnBnClickedAdd);
    button(IDC_EDIT, QStringLiteral("编辑"), 339, 50, &CKeshiWentiDlg::OnBnClickedEdit);
    button(IDC_DELETE, QStringLiteral("删除"), 422, 63, &CKeshiWentiDlg::OnBnClickedDelete);
    button(IDC_ALL_QUESTIONS, QStringLiteral("全部问题"), 515, 63, &CKeshiWentiDlg::OnBnClickedAllQuestions);
    button(IDC_POINT_QUESTIONS, QStringLiteral("本知识点问题"), 597, 63, &CKeshiWentiDlg::OnBnClickedPointQuestions);

    const int width = m_listWenti->GetClientRect().width();
    m_listWenti->InsertColumn(ColPoint, QStringLiteral("ID"), ReportListView::LVCFMT_CENTER, kPointWidth);
    m_listWenti->InsertColumn(ColQuestion, QStringLiteral("问题"), ReportListView::LVCFMT_LEFT, width - kPointWidth);
    m_listWenti->InsertColumn(ColId, QStringLiteral("ID"), ReportListView::LVCFMT_CENTER, 0);
    ContentListLook::textRows(QColor(238, 104, 123)).applyTo(*m_listWenti);
    connect(m_listWenti, &ReportListView::NMDblclk, this, &CKeshiWentiDlg::OnNMDblclkList);

    LoadQuestionList();
    return true;
}

QList<int> CKeshiWentiDlg::CurrentListKey() const
{
    const CPellorApp &app = theApp();
    if (app.m_nKemuID < 0 || app.m_nKeshiID < 0)
        return {-1, -1, -1};
    return {app.m_nKemuID, app.m_nKeshiID, m_bAllQuestions ? -1 : app.m_nZhishidianID};
}

void CKeshiWentiDlg::LoadQuestionList()
{
    ++m_nLoadCount;
    const CPellorApp &app = theApp();
    m_listKey = CurrentListKey();
    QList<QuestionRecord> questions;
    if (app.m_nKemuID >= 0 && app.m_nKeshiID >= 0) {
        try {
            const ContentStore::Answers answers = ContentStore::Answers::Left;
            questions = m_bAllQuestions
                ? store().questionsOfLesson(app.m_nKemuID, app.m_nKeshiID, answers)
                : store().questionsOfPoint(app.m_nKemuID, app.m_nKeshiID, app.m_nZhishidianID, answers);
        } catch (const DbError &error) {
            ShowError(error.message(), QStringLiteral("更新数据失败！"));
            // The key of no selection: the next action loads again.
            m_listKey.clear();
        }
    }
    QList<ReportListModel::Row> rows;
    rows.reserve(questions.size());
    for (const QuestionRecord &question : std::as_const(questions))
        rows.append({{QString::number(question.point), question.question.value_or(NotEnteredText()),
                      QString::number(question.id)},
                     question.id});
    m_listWenti->SetRows(std::move(rows));
}

void CKeshiWentiDlg::MakeListCurrent()
{
    if (m_listKey != CurrentListKey())
        LoadQuestionList();
}

void CKeshiWentiDlg::OnBnClickedAdd()
{
    if (CKeshiZhishidianPage *points = theApp().m_pZhishidianPage)
        points->AddWentiToPoint(theApp().m_nZhishidianID);
    LoadQuestionList();
}

void CKeshiWentiDlg::OnBnClickedEdit()
{
    MakeListCurrent();
    const int item = m_listWenti->GetNextSelectedItem(-1);
    if (item < 0) {
        m_nSelQuestionID = -1;
        Prompt::app(noSelectionText());
        return;
    }
    m_nSelQuestionID = m_listWenti->GetItemData(item);
    std::optional<QuestionRecord> question;
    try {
        question = store().question(theApp().m_nKemuID, m_nSelQuestionID);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("编辑数据失败"));
        return;
    }
    if (!question)
        return;
    CRichEditDlg dlg(this, CRichEditDlg::EditQuestion);
    dlg.m_strQuestion = question->question.value_or(NotEnteredText());
    dlg.m_strAnswer = question->answer.value_or(NotEnteredText());
    dlg.m_saveQuestion = [this](const std::optional<QString> &newQuestion, const std::optional<QString> &newAnswer) {
        return SaveQuestion(newQuestion, newAnswer);
    };
    dlg.DoModal();
}

void CKeshiWentiDlg::OnNMDblclkList(int)
{
    OnBnClickedEdit();
}

bool CKeshiWentiDlg::SaveQuestion(const std::optional<QString> &question, const std::optional<QString> &answer)
{
    if (m_nSelQuestionID == -1) {
        Prompt::app(noSelectionText());
        return false;
    }
    bool stored = true;
    try {
        store().updateQuestion(theApp().m_nKemuID, m_nSelQuestionID, question, answer);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("添加数据失败"));
        stored = false;
    }
    LoadQuestionList();
    return stored;
}

void CKeshiWentiDlg::OnBnClickedDelete()
{
    MakeListCurrent();
    const int item = m_listWenti->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(QStringLiteral("请选择要删除的条目！"));
        return;
    }
    try {
        store().deleteQuestion(theApp().m_nKemuID, m_listWenti->GetItemData(item));
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("删除数据失败"));
        return;
    }
    LoadQuestionList();
}

void CKeshiWentiDlg::OnBnClickedAllQuestions()
{
    m_bAllQuestions = 1;
    LoadQuestionList();
}

void CKeshiWentiDlg::OnBnClickedPointQuestions()
{
    m_bAllQuestions = 0;
    LoadQuestionList();
}
