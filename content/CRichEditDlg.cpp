#include "CRichEditDlg.h"

#include "CKeshiWentiDlg.h"
#include "CKeshiZhishidianPage.h"
#include "ContextMenu.h"
#include "RichEditBox.h"
#include "core/PointNavigation.h"
#include "core/PresenterGeometry.h"

#include "application/CPellorApp.h"
#include "platform/gui/Prompt.h"
#include "platform/gui/Screen.h"

#include <QMenu>

CRichEditDlg::CRichEditDlg(QWidget *pParent)
    : QDialog(pParent)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    setWindowTitle(QString());
    auto box = [this](int id) {
        auto edit = new RichEditBox(this);
        edit->setObjectName(QStringLiteral("edit%1").arg(id));
        return edit;
    };
    m_editTop = box(IDC_TOP);
    m_editMiddle = box(IDC_MIDDLE);
    m_editBottom = box(IDC_BOTTOM);
    m_editBottom->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ContextMenu::watchRightButton(this, [this](const QPoint &at) {
        if (std::unique_ptr<QMenu> menu = CreatePopupMenu())
            menu->exec(at);
    });
}

CRichEditDlg::~CRichEditDlg() = default;

int CRichEditDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

void CRichEditDlg::OnInitDialog()
{
    m_pPage = theApp().m_pZhishidianPage;
    // A presenter starts on the first question of its point, whatever an earlier one left.
    if (m_pPage)
        m_pPage->ResetQuestionCursor();
    const QSize screen = Screen::size();
    const int caption = Screen::captionHeight();
    RichEditBox *first = m_editTop;
    if (m_bPresent) {
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
        applyLayout(PresenterGeometry::presentation(screen, m_nDisplayMode));
        ShowInTop(m_strPoint, true);
        m_strQuestion = m_pPage ? m_pPage->Navigation().counterLine(m_nCount) : PointNavigation().counterLine(m_nCount);
        m_editMiddle->setPlainText(m_strQuestion);
        m_editBottom->clear();
    } else {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        if (m_bEditQuestion) {
            applyLayout(PresenterGeometry::editQuestion(screen, caption));
            m_editMiddle->setPlainText(m_strQuestion);
            m_editBottom->setPlainText(m_strAnswer);
            m_editMiddle->setReadOnly(true);
            m_editBottom->setReadOnly(true);
            first = m_editMiddle;
        } else {
            m_bNewQuestion = true;
            m_bNewQuestionLayout = true;
            applyLayout(PresenterGeometry::newQuestion(screen, caption));
            // What is typed over the point here is not stored.
            m_editTop->setPlainText(m_strPoint);
            m_strQuestion.clear();
            m_strAnswer.clear();
            m_editMiddle->clear();
            m_editBottom->clear();
        }
    }
    first->setFocus(Qt::OtherFocusReason);
}

void CRichEditDlg::applyLayout(const PresenterGeometry::Layout &layout)
{
    move(layout.window.topLeft());
    resize(layout.client);
    placeBoxes(layout);
}

void CRichEditDlg::placeBoxes(const PresenterGeometry::Layout &layout)
{
    const std::pair<RichEditBox *, PresenterGeometry::Box> boxes[] = {
        {m_editTop, layout.top}, {m_editMiddle, layout.middle}, {m_editBottom, layout.bottom}};
    for (const auto &[edit, place] : boxes) {
        if (place.visible)
            edit->setGeometry(place.rect);
        edit->setVisible(place.visible);
    }
}

RichEditBox *CRichEditDlg::focusBox() const
{
    switch (m_nFocusBox) {
    case TopBox:
        return m_editTop;
    case MiddleBox:
        return m_editMiddle;
    case BottomBox:
        return m_editBottom;
    default:
        return nullptr;
    }
}

std::unique_ptr<QMenu> CRichEditDlg::newMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setSeparatorsCollapsible(false);
    return menu;
}

void CRichEditDlg::addCommand(QMenu *menu, const QString &text, int id)
{
    ContextMenu::addCommand(menu, text, id, this, [this](int command) { OnCommand(command); });
}

void CRichEditDlg::addNavigation(QMenu *menu)
{
    if (m_nDisplayMode == PresenterGeometry::ShowFull)
        addCommand(menu, QStringLiteral("当前知识点"), ID_CURRENT_POINT);
    addCommand(menu, QStringLiteral("上一个知识点"), ID_PREV_POINT);
    addCommand(menu, QStringLiteral("下一个知识点"), ID_NEXT_POINT);
    QMenu *modes = menu->addMenu(QStringLiteral("显示方式"));
    addCommand(modes, QStringLiteral("1/3显示"), ID_SHOW_THIRD);
    addCommand(modes, QStringLiteral("2/3显示"), ID_SHOW_TWO_THIRDS);
    addCommand(modes, QStringLiteral("全屏显示"), ID_SHOW_FULL);
    menu->addSeparator();
    if (m_nDisplayMode != PresenterGeometry::ShowThird)
        addCommand(menu, QStringLiteral("当前问题"), ID_CURRENT_QUESTION);
    addCommand(menu, QStringLiteral("上一个问题"), ID_PREV_QUESTION);
    addCommand(menu, QStringLiteral("下一个问题"), ID_NEXT_QUESTION);
    addCommand(menu, QStringLiteral("答案"), ID_SHOW_ANSWER);
    menu->addSeparator();
    addCommand(menu, QStringLiteral("字体"), ID_FONT);
    addCommand(menu, QStringLiteral("背景色"), ID_BACK_COLOR);
}

std::unique_ptr<QMenu> CRichEditDlg::CreatePopupMenu()
{
    QWidget *focus = focusWidget();
    const int box = focus == m_editTop ? TopBox
        : focus == m_editMiddle        ? MiddleBox
        : focus == m_editBottom        ? BottomBox
                                       : NoBox;
    if (m_bEditQuestion) {
        m_nFocusBox = box == NoBox ? BottomBox : box;
        std::unique_ptr<QMenu> menu = newMenu();
        addCommand(menu.get(), QStringLiteral("修改"), ID_MODIFY);
        addCommand(menu.get(), QStringLiteral("保存"), ID_SAVE_QUESTION);
        addCommand(menu.get(), QStringLiteral("关闭"), ID_CLOSE);
        menu->addSeparator();
        addCommand(menu.get(), QStringLiteral("复制"), ID_COPY);
        addCommand(menu.get(), QStringLiteral("剪切"), ID_CUT);
        addCommand(menu.get(), QStringLiteral("粘贴"), ID_PASTE);
        return menu;
    }
    if (box == NoBox)
        return nullptr;
    m_nFocusBox = box;
    if (!m_bPresent && box == TopBox)
        return nullptr;
    std::unique_ptr<QMenu> menu = newMenu();
    if (m_bPresent) {
        if (box == TopBox)
            addCommand(menu.get(), QStringLiteral("保存"), ID_SAVE_POINT);
        addCommand(menu.get(), QStringLiteral("关闭"), ID_CLOSE);
        menu->addSeparator();
        addNavigation(menu.get());
    } else {
        addCommand(menu.get(), QStringLiteral("复制"), ID_COPY);
        addCommand(menu.get(), QStringLiteral("剪切"), ID_CUT);
        addCommand(menu.get(), QStringLiteral("粘贴"), ID_PASTE);
        menu->addSeparator();
        addCommand(menu.get(), QStringLiteral("保存问题"), ID_SAVE_NEW_QUESTION);
        menu->addSeparator();
        menu->addSeparator();
        addCommand(menu.get(), QStringLiteral("字体"), ID_FONT);
        addCommand(menu.get(), QStringLiteral("背景色"), ID_BACK_COLOR);
    }
    return menu;
}

void CRichEditDlg::OnCommand(int id)
{
    using Handler = void (CRichEditDlg::*)();
    static const std::pair<int, Handler> handlers[] = {
        {ID_CLOSE, &CRichEditDlg::OnMenuClose},
        {ID_NEXT_POINT, &CRichEditDlg::OnNextPoint},
        {ID_PREV_POINT, &CRichEditDlg::OnPrevPoint},
        {ID_NEXT_QUESTION, &CRichEditDlg::OnNextQuestion},
        {ID_PREV_QUESTION, &CRichEditDlg::OnPrevQuestion},
        {ID_SHOW_ANSWER, &CRichEditDlg::OnShowAnswer},
        {ID_SAVE_POINT, &CRichEditDlg::OnSavePoint},
        {ID_FONT, &CRichEditDlg::OnFont},
        {ID_BACK_COLOR, &CRichEditDlg::OnBackColor},
        {ID_SAVE_NEW_QUESTION, &CRichEditDlg::OnSaveNewQuestion},
        {ID_MODIFY, &CRichEditDlg::OnModify},
        {ID_SAVE_QUESTION, &CRichEditDlg::OnSaveQuestion},
        {ID_CUT, &CRichEditDlg::OnCut},
        {ID_COPY, &CRichEditDlg::OnCopy},
        {ID_PASTE, &CRichEditDlg::OnPaste},
        {ID_SHOW_THIRD, &CRichEditDlg::OnShowThird},
        {ID_SHOW_TWO_THIRDS, &CRichEditDlg::OnShowTwoThirds},
        {ID_SHOW_FULL, &CRichEditDlg::OnShowFull},
        {ID_CURRENT_POINT, &CRichEditDlg::OnCurrentPoint},
        {ID_CURRENT_QUESTION, &CRichEditDlg::OnCurrentQuestion},
    };
    for (const auto &[command, handler] : handlers) {
        if (command == id) {
            (this->*handler)();
            return;
        }
    }
}

void CRichEditDlg::OnCut()
{
    if (RichEditBox *box = focusBox())
        box->cut();
}

void CRichEditDlg::OnCopy()
{
    if (RichEditBox *box = focusBox())
        box->copy();
}

void CRichEditDlg::OnPaste()
{
    if (RichEditBox *box = focusBox())
        box->paste();
}

void CRichEditDlg::OnFont()
{
    RichEditBox *box = focusBox();
    if (!box)
        return;
    QFont font = box->font();
    QColor color = box->textColor();
    if (Prompt::chooseFont(this, font, color))
        box->setLook(font, color);
}

void CRichEditDlg::OnBackColor()
{
    RichEditBox *box = focusBox();
    if (!box)
        return;
    QColor color(255, 255, 255);
    if (Prompt::chooseColor(this, color))
        box->setBackgroundColor(color);
}

void CRichEditDlg::showDisplayMode(int mode)
{
    const bool showsPointAgain = m_bPresent && mode == PresenterGeometry::ShowThird;
    if (showsPointAgain && !PointEditSettled())
        return;
    m_nDisplayMode = mode;
    if (!m_bPresent)
        return;
    placeBoxes(PresenterGeometry::presentation(Screen::size(), mode));
    if (showsPointAgain) {
        ShowInTop(m_strPoint, true);
        m_editMiddle->setPlainText(m_strQuestion);
        m_editBottom->clear();
    }
}

void CRichEditDlg::OnShowThird()
{
    showDisplayMode(PresenterGeometry::ShowThird);
}

void CRichEditDlg::OnShowTwoThirds()
{
    showDisplayMode(PresenterGeometry::ShowTwoThirds);
}

void CRichEditDlg::OnShowFull()
{
    showDisplayMode(PresenterGeometry::ShowFull);
}

void CRichEditDlg::reject()
{
    OnBnClickedCancel();
}

void CRichEditDlg::ShowInTop(const QString &text, bool point)
{
    m_editTop->setPlainText(text);
    m_bTopShowsPoint = point;
}

bool CRichEditDlg::PointEditSettled()
{
    if (!m_bPresent || !m_bTopShowsPoint || m_editTop->toPlainText() == m_strPoint)
        return true;
    switch (Prompt::box(this, QStringLiteral("当前知识点已修改，是否保存？"), QString(), Prompt::YesNoCancel,
                        Prompt::Question)) {
    case Prompt::Yes:
        return StorePoint();
    case Prompt::No:
        return true;
    default:
        return false;
    }
}

bool CRichEditDlg::StorePoint()
{
    if (!m_pPage)
        return true;
    const QString text = m_editTop->toPlainText();
    if (!m_pPage->SaveKnowledgePoint(text))
        return false;
    m_strPoint = text;
    return true;
}

bool CRichEditDlg::NewQuestionPending() const
{
    if (m_bNewQuestion)
        return true;
    return m_bNewQuestionLayout
        && (m_editMiddle->toPlainText() != m_strStoredQuestion || m_editBottom->toPlainText() != m_strStoredAnswer);
}

bool CRichEditDlg::StoreNewQuestion()
{
    if (!NewQuestionPending())
        return true;
    m_strQuestion = m_editMiddle->toPlainText();
    m_strAnswer = m_editBottom->toPlainText();
    if (m_strQuestion.isEmpty()) {
        Prompt::app(QStringLiteral("还没有添加问题，请添加问题"));
        return false;
    }
    if (m_strAnswer.isEmpty()) {
        Prompt::app(QStringLiteral("还没有未此问题添加答案,请添加答案"));
        return false;
    }
    // A failed store is reported by the page; the question stays pending and on screen.
    if (!m_pPage || !m_pPage->AddWenti(m_strQuestion, m_strAnswer))
        return false;
    m_bNewQuestion = false;
    m_strStoredQuestion = m_strQuestion;
    m_strStoredAnswer = m_strAnswer;
    return true;
}

bool CRichEditDlg::StoreEditedQuestion()
{
    m_strQuestion = m_editMiddle->toPlainText();
    m_strAnswer = m_editBottom->toPlainText();
    CKeshiWentiDlg *page = theApp().m_pWentiDlg;
    return page && page->SaveQuestion(m_strQuestion, m_strAnswer);
}

bool CRichEditDlg::MayClose()
{
    if (m_bPresent)
        return PointEditSettled();
    if (NewQuestionPending()) {
        // Boxes left empty hold nothing to lose.
        if (m_editMiddle->toPlainText().isEmpty() && m_editBottom->toPlainText().isEmpty())
            return true;
        return StoreNewQuestion();
    }
    // A failed write has been reported: the question is gone or the database refuses, and
    // closing again would meet the same failure.
    if (m_bEditQuestion)
        StoreEditedQuestion();
    return true;
}

// Every way out ends the window as its OK does, once nothing typed would be lost.
void CRichEditDlg::OnMenuClose()
{
    if (MayClose())
        accept();
}

void CRichEditDlg::OnBnClickedCancel()
{
    if (MayClose())
        accept();
}

void CRichEditDlg::StepPoint(void (CKeshiZhishidianPage::*step)(QString &, int &))
{
    if (!m_pPage || !PointEditSettled())
        return;
    int count = 0;
    (m_pPage->*step)(m_strPoint, count);
    ShowInTop(m_strPoint, true);
    m_strQuestion = m_pPage->Navigation().counterLine(count);
    m_editMiddle->setPlainText(m_strQuestion);
    m_editBottom->clear();
}

void CRichEditDlg::OnNextPoint()
{
    StepPoint(&CKeshiZhishidianPage::NextPoint);
}

void CRichEditDlg::OnPrevPoint()
{
    StepPoint(&CKeshiZhishidianPage::PrevPoint);
}

// In "全屏显示" the top box, the only one shown, takes the question.
void CRichEditDlg::StepQuestion(void (CKeshiZhishidianPage::*step)(QString &, QString &))
{
    const bool full = m_nDisplayMode == PresenterGeometry::ShowFull;
    if (!m_pPage || (full && !PointEditSettled()))
        return;
    (m_pPage->*step)(m_strQuestion, m_strAnswer);
    if (full)
        ShowInTop(m_strQuestion, false);
    m_editMiddle->setPlainText(m_strQuestion);
    m_editBottom->clear();
}

void CRichEditDlg::OnNextQuestion()
{
    StepQuestion(&CKeshiZhishidianPage::NextQuestion);
}

void CRichEditDlg::OnPrevQuestion()
{
    StepQuestion(&CKeshiZhishidianPage::PrevQuestion);
}

void CRichEditDlg::OnShowAnswer()
{
    switch (m_nDisplayMode) {
    case PresenterGeometry::ShowThird:
        m_editBottom->setPlainText(m_strAnswer);
        break;
    case PresenterGeometry::ShowTwoThirds:
        m_editMiddle->setPlainText(m_strAnswer);
        break;
    default:
        if (PointEditSettled())
            ShowInTop(m_strAnswer, false);
        break;
    }
}

// Only while the top box shows the point: a question or an answer there is no point's text.
void CRichEditDlg::OnSavePoint()
{
    if (m_bPresent && m_bTopShowsPoint)
        StorePoint();
}

void CRichEditDlg::OnSaveNewQuestion()
{
    StoreNewQuestion();
}

void CRichEditDlg::OnModify()
{
    m_bEditQuestion = true;
    m_editMiddle->setReadOnly(false);
    m_editBottom->setReadOnly(false);
}

void CRichEditDlg::OnSaveQuestion()
{
    StoreEditedQuestion();
}

void CRichEditDlg::OnCurrentPoint()
{
    if (PointEditSettled())
        ShowInTop(m_strPoint, true);
}

void CRichEditDlg::OnCurrentQuestion()
{
    if (m_nDisplayMode != PresenterGeometry::ShowFull)
        m_editMiddle->setPlainText(m_strQuestion);
    else if (PointEditSettled())
        ShowInTop(m_strQuestion, false);
}
