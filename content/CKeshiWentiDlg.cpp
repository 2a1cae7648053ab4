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
    tmpl.place(m_listWenti, 7, 7, 745, 327);
    auto button = [&](int id, const QString &caption, int x, int width, void (CKeshiWentiDlg::*handler)()) {
        QPushButton *b = tmpl.addButton(this, id, caption, x, 339, width, 14);
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

void CKeshiWentiDlg::LoadQuestionList()
{
    ++m_nLoadCount;
    const CPellorApp &app = theApp();
    if (app.m_nKemuID < 0 || app.m_nKeshiID < 0)
        return;
    m_listWenti->DeleteAllItems();
    m_nLoadedKemuID = app.m_nKemuID;
    QList<QuestionRecord> questions;
    try {
        const ContentStore::Answers answers = ContentStore::Answers::Left;
        questions = m_bAllQuestions
            ? store().questionsOfLesson(app.m_nKemuID, app.m_nKeshiID, answers)
            : store().questionsOfPoint(app.m_nKemuID, app.m_nKeshiID, app.m_nZhishidianID, answers);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("更新数据失败！"));
        return;
    }
    QList<ReportListModel::Row> rows;
    rows.reserve(questions.size());
    for (const QuestionRecord &question : std::as_const(questions))
        rows.append({{QString::number(question.point), question.question.value_or(NotEnteredText()),
                      QString::number(question.id)},
                     question.id});
    m_listWenti->SetRows(std::move(rows));
}

void CKeshiWentiDlg::OnBnClickedAdd()
{
    CKeshiZhishidianPage *points = theApp().m_pZhishidianPage;
    if (!points)
        return;
    // The points page may still list another subject or lesson: the new question goes to
    // the current point as the lesson has it now.
    points->LoadZhishidianList();
    const int row = points->RowOfPoint(theApp().m_nZhishidianID);
    if (row < 0) {
        Prompt::app(noSelectionText());
        return;
    }
    points->OpenNewQuestion(row);
    LoadQuestionList();
}

void CKeshiWentiDlg::OnBnClickedEdit()
{
    const int item = m_listWenti->GetNextSelectedItem(-1);
    if (item < 0) {
        m_nSelQuestionID = -1;
        Prompt::app(noSelectionText());
        return;
    }
    m_nSelQuestionID = RowKey(*m_listWenti, item);
    std::optional<QuestionRecord> question;
    try {
        question = store().question(m_nLoadedKemuID, m_nSelQuestionID);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("编辑数据失败"));
        return;
    }
    if (!question)
        return;
    m_nSelKemuID = m_nLoadedKemuID;
    m_strShownQuestion = question->question.value_or(NotEnteredText());
    m_strShownAnswer = question->answer.value_or(NotEnteredText());
    CRichEditDlg dlg(this);
    dlg.m_bPresent = false;
    dlg.m_bEditQuestion = true;
    dlg.m_strQuestion = m_strShownQuestion;
    dlg.m_strAnswer = m_strShownAnswer;
    dlg.DoModal();
}

void CKeshiWentiDlg::OnNMDblclkList(int)
{
    OnBnClickedEdit();
}

bool CKeshiWentiDlg::SaveQuestion(const QString &question, const QString &answer)
{
    if (m_nSelQuestionID == -1) {
        Prompt::app(noSelectionText());
        return false;
    }
    auto changed = [](const QString &text, const QString &shown) {
        return text == shown ? std::nullopt : std::optional<QString>(text);
    };
    const std::optional<QString> newQuestion = changed(question, m_strShownQuestion);
    const std::optional<QString> newAnswer = changed(answer, m_strShownAnswer);
    if (!newQuestion && !newAnswer)
        return true;
    bool stored = true;
    try {
        store().updateQuestion(m_nSelKemuID, m_nSelQuestionID, newQuestion, newAnswer);
        m_strShownQuestion = question;
        m_strShownAnswer = answer;
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("添加数据失败"));
        stored = false;
    }
    LoadQuestionList();
    return stored;
}

void CKeshiWentiDlg::OnBnClickedDelete()
{
    const int item = m_listWenti->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(QStringLiteral("请选择要删除的条目！"));
        return;
    }
    try {
        store().deleteQuestion(m_nLoadedKemuID, RowKey(*m_listWenti, item));
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
