#include "CRichEditDlg.h"

#include "ContextMenu.h"
#include "RichEditBox.h"
#include "core/PlainText.h"
#include "core/PresenterGeometry.h"

#include "platform/gui/Prompt.h"
#include "platform/gui/Screen.h"
#include "platform/gui/WindowPlacement.h"

#include <QMenu>
#include <QResizeEvent>

namespace {

QString correctOrNewText()
{
    return QStringLiteral("刚才保存的问题已改动。\n选“是”：更正刚才保存的问题；\n选“否”：另存为一个新问题。");
}

QString giveUpQuestionText()
{
    return QStringLiteral("这个问题还没有保存。是否放弃它并关闭窗口？");
}

QString giveUpEditText()
{
    return QStringLiteral("对问题的修改还没有保存。是否放弃修改并关闭窗口？");
}

void showFailure(QWidget *owner, const DbError &error, const QString &caption)
{
    Prompt::box(owner, error.message(), caption, Prompt::OkOnly, Prompt::NoIcon);
}

} // namespace

CRichEditDlg::CRichEditDlg(QWidget *pParent, Mode mode)
    : QDialog(pParent)
    , m_mode(mode)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    // An empty title would show the program's name in the caption: a blank shows nothing.
    setWindowTitle(QStringLiteral(" "));
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
    // A presenter starts on the first question of its point, whatever an earlier one left.
    if (m_pNavigator)
        m_pNavigator->ResetQuestionCursor();
    switch (m_mode) {
    case Presentation:
        LayOutPresentation();
        break;
    case NewQuestion:
        LayOutNewQuestion();
        break;
    case EditQuestion:
        LayOutEditQuestion();
        break;
    }
}

std::unique_ptr<QMenu> CRichEditDlg::CreatePopupMenu()
{
    QWidget *focus = focusWidget();
    const int box = focus == m_editTop ? TopBox
        : focus == m_editMiddle        ? MiddleBox
        : focus == m_editBottom        ? BottomBox
                                       : NoBox;
    if (m_mode == EditQuestion) {
        m_nFocusBox = box == NoBox ? BottomBox : box;
        return EditMenu();
    }
    if (box == NoBox)
        return nullptr;
    m_nFocusBox = box;
    return m_mode == Presentation ? PresentationMenu(box) : NewQuestionMenu(box);
}

bool CRichEditDlg::MayClose()
{
    switch (m_mode) {
    case Presentation:
        return PointEditSettled();
    case NewQuestion:
        return NewQuestionSettled();
    case EditQuestion:
        return EditedQuestionSettled();
    }
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
    OnMenuClose();
}

void CRichEditDlg::reject()
{
    OnBnClickedCancel();
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

// --- presentation ---

void CRichEditDlg::LayOutPresentation()
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    applyLayout(PresenterGeometry::presentation(Screen::size(this), m_nDisplayMode));
    ShowInTop(m_strPoint, true);
    m_strQuestion = m_pNavigator ? m_pNavigator->counterLine(m_nCount) : LessonNavigator::counterLine(m_nCount, 0, 0);
    m_strAnswer.clear();
    m_editMiddle->setPlainText(m_strQuestion);
    m_editBottom->clear();
    m_editTop->setFocus(Qt::OtherFocusReason);
}

std::unique_ptr<QMenu> CRichEditDlg::PresentationMenu(int box)
{
    std::unique_ptr<QMenu> menu = newMenu();
    if (box == TopBox)
        addCommand(menu.get(), QStringLiteral("保存"), ID_SAVE_POINT);
    addCommand(menu.get(), QStringLiteral("关闭"), ID_CLOSE);
    menu->addSeparator();
    addNavigation(menu.get());
    return menu;
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

void CRichEditDlg::ShowInTop(const QString &text, bool point)
{
    m_editTop->setPlainText(text);
    m_bTopShowsPoint = point;
}

bool CRichEditDlg::PointEditSettled()
{
    if (!IsPresent() || !m_bTopShowsPoint || PlainText::same(m_editTop->toPlainText(), m_strPoint))
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
    if (!m_pNavigator)
        return true;
    const QString text = m_editTop->toPlainText();
    try {
        m_pNavigator->SaveKnowledgePoint(text);
    } catch (const DbError &error) {
        showFailure(this, error, QStringLiteral("编辑数据失败"));
        return false;
    }
    m_strPoint = text;
    return true;
}

int CRichEditDlg::CountQuestions()
{
    const int row = m_pNavigator->CurrentPointRow();
    if (row < 0)
        return 0;
    try {
        return m_pNavigator->CountWenti(m_pNavigator->points().at(row).number);
    } catch (const DbError &error) {
        showFailure(this, error, QStringLiteral("获取答案失败"));
        return 0;
    }
}

void CRichEditDlg::StepPoint(LessonNavigator::Direction direction)
{
    if (!m_pNavigator || !PointEditSettled())
        return;
    const int row = direction == LessonNavigator::Next ? m_pNavigator->NextPoint() : m_pNavigator->PrevPoint();
    m_strPoint = m_pNavigator->PointText(row);
    ShowInTop(m_strPoint, true);
    m_strQuestion = m_pNavigator->counterLine(CountQuestions());
    // The answer was that of a question of the point left.
    m_strAnswer.clear();
    m_editMiddle->setPlainText(m_strQuestion);
    m_editBottom->clear();
}

void CRichEditDlg::OnNextPoint()
{
    StepPoint(LessonNavigator::Next);
}

void CRichEditDlg::OnPrevPoint()
{
    StepPoint(LessonNavigator::Previous);
}

// In "全屏显示" the top box, the only one shown, takes the question.
void CRichEditDlg::StepQuestion(LessonNavigator::Direction direction)
{
    const bool full = m_nDisplayMode == PresenterGeometry::ShowFull;
    if (!m_pNavigator || (full && !PointEditSettled()))
        return;
    std::optional<LessonNavigator::QuestionTexts> shown;
    try {
        shown = direction == LessonNavigator::Next ? m_pNavigator->NextQuestion() : m_pNavigator->PrevQuestion();
    } catch (const DbError &error) {
        showFailure(this, error, QStringLiteral("获取答案失败"));
        return;
    }
    if (shown) {
        m_strQuestion = shown->question;
        m_strAnswer = shown->answer;
    }
    if (full)
        ShowInTop(m_strQuestion, false);
    m_editMiddle->setPlainText(m_strQuestion);
    m_editBottom->clear();
}

void CRichEditDlg::OnNextQuestion()
{
    StepQuestion(LessonNavigator::Next);
}

void CRichEditDlg::OnPrevQuestion()
{
    StepQuestion(LessonNavigator::Previous);
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
    if (IsPresent() && m_bTopShowsPoint)
        StorePoint();
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

void CRichEditDlg::showDisplayMode(int mode)
{
    const bool showsPointAgain = IsPresent() && mode == PresenterGeometry::ShowThird;
    if (showsPointAgain && !PointEditSettled())
        return;
    m_nDisplayMode = mode;
    if (!IsPresent())
        return;
    placeBoxes(PresenterGeometry::presentation(Screen::size(this), mode));
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

// --- new question ---

void CRichEditDlg::LayOutNewQuestion()
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    applyLayout(PresenterGeometry::newQuestion(Screen::size(), Screen::captionHeight()));
    // What is typed over the point here is not stored.
    m_editTop->setPlainText(m_strPoint);
    m_strQuestion.clear();
    m_strAnswer.clear();
    m_editMiddle->clear();
    m_editBottom->clear();
    m_editTop->setFocus(Qt::OtherFocusReason);
}

std::unique_ptr<QMenu> CRichEditDlg::NewQuestionMenu(int box)
{
    if (box == TopBox)
        return nullptr;
    std::unique_ptr<QMenu> menu = newMenu();
    addCommand(menu.get(), QStringLiteral("复制"), ID_COPY);
    addCommand(menu.get(), QStringLiteral("剪切"), ID_CUT);
    addCommand(menu.get(), QStringLiteral("粘贴"), ID_PASTE);
    menu->addSeparator();
    addCommand(menu.get(), QStringLiteral("保存问题"), ID_SAVE_NEW_QUESTION);
    menu->addSeparator();
    menu->addSeparator();
    addCommand(menu.get(), QStringLiteral("字体"), ID_FONT);
    addCommand(menu.get(), QStringLiteral("背景色"), ID_BACK_COLOR);
    return menu;
}

bool CRichEditDlg::IsNewQuestion() const
{
    return m_mode == NewQuestion && (m_nStoredQuestionID < 0 || BoxesDifferFromStored());
}

bool CRichEditDlg::StoreNewQuestion()
{
    if (!IsNewQuestion())
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
    if (!m_pNavigator)
        return false;
    // Texts changed after a store are a correction of that question or a question of their
    // own: only the teacher knows which.
    bool correct = false;
    if (m_nStoredQuestionID >= 0) {
        switch (Prompt::box(this, correctOrNewText(), QString(), Prompt::YesNoCancel, Prompt::Question)) {
        case Prompt::Yes:
            correct = true;
            break;
        case Prompt::No:
            break;
        default:
            return false;
        }
    }
    try {
        if (correct)
            m_pNavigator->CorrectWenti(m_nStoredQuestionID, m_strQuestion, m_strAnswer);
        else
            m_nStoredQuestionID = m_pNavigator->AddWenti(m_strQuestion, m_strAnswer);
    } catch (const DbError &error) {
        m_bStoreFailed = true;
        showFailure(this, error, QStringLiteral("添加数据失败"));
        return false;
    }
    m_bStoreFailed = false;
    m_strStoredQuestion = m_strQuestion;
    m_strStoredAnswer = m_strAnswer;
    return true;
}

bool CRichEditDlg::NewQuestionSettled()
{
    if (!IsNewQuestion())
        return true;
    const bool noQuestion = m_editMiddle->toPlainText().isEmpty();
    const bool noAnswer = m_editBottom->toPlainText().isEmpty();
    // Boxes left empty hold nothing to lose.
    if (noQuestion && noAnswer)
        return true;
    // Half a question cannot be stored, and the window can always be closed: the teacher
    // says whether to give it up.
    if (noQuestion || noAnswer || m_bStoreFailed)
        return MayGiveUp(giveUpQuestionText());
    return StoreNewQuestion();
}

void CRichEditDlg::OnSaveNewQuestion()
{
    StoreNewQuestion();
}

// --- edit ---

void CRichEditDlg::LayOutEditQuestion()
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    applyLayout(PresenterGeometry::editQuestion(Screen::size(), Screen::captionHeight()));
    m_editMiddle->setPlainText(m_strQuestion);
    m_editBottom->setPlainText(m_strAnswer);
    m_editMiddle->setReadOnly(true);
    m_editBottom->setReadOnly(true);
    m_strStoredQuestion = m_strQuestion;
    m_strStoredAnswer = m_strAnswer;
    m_editMiddle->setFocus(Qt::OtherFocusReason);
}

std::unique_ptr<QMenu> CRichEditDlg::EditMenu()
{
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

// Only the texts the teacher changed are written, so one changed elsewhere meanwhile stays.
bool CRichEditDlg::StoreEditedQuestion()
{
    if (!IsEditQuestion())
        return true;
    m_strQuestion = m_editMiddle->toPlainText();
    m_strAnswer = m_editBottom->toPlainText();
    auto changed = [](const QString &text, const QString &stored) {
        return PlainText::same(text, stored) ? std::nullopt : std::optional<QString>(text);
    };
    const std::optional<QString> question = changed(m_strQuestion, m_strStoredQuestion);
    const std::optional<QString> answer = changed(m_strAnswer, m_strStoredAnswer);
    if (!question && !answer)
        return true;
    if (!m_saveQuestion || !m_saveQuestion(question, answer)) {
        m_bStoreFailed = true;
        return false;
    }
    m_bStoreFailed = false;
    m_strStoredQuestion = m_strQuestion;
    m_strStoredAnswer = m_strAnswer;
    return true;
}

bool CRichEditDlg::EditedQuestionSettled()
{
    if (!BoxesDifferFromStored())
        return true;
    if (m_bStoreFailed)
        return MayGiveUp(giveUpEditText());
    return StoreEditedQuestion();
}

void CRichEditDlg::OnModify()
{
    m_editMiddle->setReadOnly(false);
    m_editBottom->setReadOnly(false);
}

void CRichEditDlg::OnSaveQuestion()
{
    StoreEditedQuestion();
}

// --- shared ---

bool CRichEditDlg::BoxesDifferFromStored() const
{
    return !PlainText::same(m_editMiddle->toPlainText(), m_strStoredQuestion)
        || !PlainText::same(m_editBottom->toPlainText(), m_strStoredAnswer);
}

// No store is tried again here: a file another program holds would keep the window waiting
// at every close.
bool CRichEditDlg::MayGiveUp(const QString &giveUpText)
{
    return Prompt::box(this, giveUpText, QString(), Prompt::YesNo, Prompt::Question) == Prompt::Yes;
}

void CRichEditDlg::applyLayout(const PresenterGeometry::Layout &layout)
{
    if (layout.caption) {
        resize(layout.client);
        WindowPlacement::placeFrameAt(this, layout.window.topLeft());
    } else {
        WindowPlacement::coverScreen(this);
    }
    placeBoxes(layout);
}

void CRichEditDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // Fitted inside the screen with its frame, a strip is narrower than the screen: its boxes
    // span what it has.
    for (RichEditBox *edit : {m_editTop, m_editMiddle, m_editBottom})
        edit->resize(width(), edit->height());
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
