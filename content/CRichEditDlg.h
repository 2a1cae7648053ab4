#pragma once

#include "core/LessonNavigator.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
class RichEditBox;

namespace PresenterGeometry {
struct Layout;
}

// The presenter: three text boxes as wide as the screen, and no buttons; every command is
// an item of the pop-up menu that a right-button press opens, chosen by the mode and by the
// box that has the keyboard focus. The opener fixes the mode: presentation of a knowledge
// point full screen, a new question for a point, or editing a question with its answer.
// The mode decides what the window lays out, what its menus offer and what closing it does.
//
// It reaches the lesson only through what its opener hands it: the lesson navigator of the
// knowledge-points page (presentation and new question), or the questions page's store of
// the edited question.
class CRichEditDlg : public QDialog
{
    Q_OBJECT

public:
    enum ControlId { IDD = 183, IDC_TOP = 1059, IDC_MIDDLE = 1060, IDC_BOTTOM = 1061 };
    enum Command {
        ID_CLOSE = 101,
        ID_NEXT_POINT = 102,
        ID_PREV_POINT = 103,
        ID_NEXT_QUESTION = 104,
        ID_PREV_QUESTION = 105,
        ID_SHOW_ANSWER = 106,
        ID_SAVE_POINT = 107,
        ID_FONT = 108,
        ID_BACK_COLOR = 109,
        ID_SAVE_NEW_QUESTION = 111,
        ID_MODIFY = 112,
        ID_SAVE_QUESTION = 113,
        ID_CUT = 118,
        ID_COPY = 119,
        ID_PASTE = 120,
        ID_SHOW_THIRD = 121,
        ID_SHOW_TWO_THIRDS = 122,
        ID_SHOW_FULL = 123,
        ID_CURRENT_POINT = 124,
        ID_CURRENT_QUESTION = 125,
    };
    // m_nFocusBox: the box of the last pop-up menu.
    enum FocusBox { NoBox = 0, TopBox = 1, MiddleBox = 2, BottomBox = 3 };
    enum Mode { Presentation, NewQuestion, EditQuestion };

    // Writes the texts of the edited question that are given (nullopt: unchanged); false after
    // a failure it has shown.
    using QuestionSaver
        = std::function<bool(const std::optional<QString> &question, const std::optional<QString> &answer)>;

    explicit CRichEditDlg(QWidget *pParent = nullptr, Mode mode = Presentation);
    ~CRichEditDlg() override;

    // The presentation flag and the edit flag: the mode.
    bool IsPresent() const { return m_mode == Presentation; }
    bool IsEditQuestion() const { return m_mode == EditQuestion; }
    // Whether a new question is typed and not stored: from the new-question layout until it
    // is stored, and again once the boxes differ from the question stored.
    bool IsNewQuestion() const;

    // Lays the window out for its mode, then runs it modally.
    int DoModal();
    // The layout of the mode, the boxes' look and texts.
    void OnInitDialog();

    // The menu of a right-button press now, for the box that has the keyboard focus (which
    // becomes m_nFocusBox); nullptr when that box has none.
    std::unique_ptr<QMenu> CreatePopupMenu();
    void OnCommand(int id);

    // Editing, look and display modes.
    void OnCut();
    void OnCopy();
    void OnPaste();
    void OnFont();
    void OnBackColor();
    void OnShowThird();
    void OnShowTwoThirds();
    void OnShowFull();

    // Navigation, saving and closing.
    void OnMenuClose();
    void OnNextPoint();
    void OnPrevPoint();
    void OnNextQuestion();
    void OnPrevQuestion();
    void OnShowAnswer();
    void OnSavePoint();
    void OnSaveNewQuestion();
    void OnModify();
    void OnSaveQuestion();
    void OnCurrentPoint();
    void OnCurrentQuestion();
    // Esc and the close box.
    void OnBnClickedCancel();

    int m_nDisplayMode = 1;
    // The lesson being presented, or the one the new question belongs to; none in the edit
    // layout.
    LessonNavigator *m_pNavigator = nullptr;
    // Where the edit layout stores the question.
    QuestionSaver m_saveQuestion;
    RichEditBox *m_editTop = nullptr;
    RichEditBox *m_editMiddle = nullptr;
    int m_nFocusBox = NoBox;
    QString m_strPoint;
    QString m_strQuestion;
    // The answer of the question on screen; none after a step to another point.
    QString m_strAnswer;
    int m_nCount = 0;
    RichEditBox *m_editBottom = nullptr;

protected:
    void reject() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Whether a close may end the window, storing what it would lose.
    bool MayClose();

    // --- presentation: the point full screen, stepping through points and questions ---
    void LayOutPresentation();
    std::unique_ptr<QMenu> PresentationMenu(int box);
    // Before a command replaces the top box's point text, and at closing: when the teacher
    // changed it, asks whether to store it. False when the command must not go on.
    bool PointEditSettled();
    bool StorePoint();
    void StepPoint(LessonNavigator::Direction direction);
    void StepQuestion(LessonNavigator::Direction direction);
    // The point's text into the top box, or a question or answer over it.
    void ShowInTop(const QString &text, bool point);
    // The number of the current point's questions; 0 after a failure it has shown.
    int CountQuestions();

    // --- new question: typed under the point, stored as a question of it ---
    void LayOutNewQuestion();
    std::unique_ptr<QMenu> NewQuestionMenu(int box);
    // The question of the middle and bottom boxes, new or, once one was stored and the
    // teacher says so, as a correction of that one; false, with its message, when a box is
    // empty, the teacher turns back or the store failed.
    bool StoreNewQuestion();
    bool NewQuestionSettled();

    // --- edit: one question and its answer, written back through the questions page ---
    void LayOutEditQuestion();
    std::unique_ptr<QMenu> EditMenu();
    bool StoreEditedQuestion();
    bool EditedQuestionSettled();

    // Whether the middle and bottom boxes hold other texts than those stored.
    bool BoxesDifferFromStored() const;
    // After a refused store, or with half a new question typed, closing asks whether to give
    // up what is typed (giveUpText).
    bool MayGiveUp(const QString &giveUpText);
    RichEditBox *focusBox() const;
    void applyLayout(const PresenterGeometry::Layout &layout);
    void placeBoxes(const PresenterGeometry::Layout &layout);
    // The display mode's boxes, in presentation only.
    void showDisplayMode(int mode);
    std::unique_ptr<QMenu> newMenu();
    void addCommand(QMenu *menu, const QString &text, int id);
    // From "当前知识点" (or "上一个知识点") to the end of the presentation menus.
    void addNavigation(QMenu *menu);

    const Mode m_mode;
    // Whether the top box shows the point (and not a question or an answer).
    bool m_bTopShowsPoint = false;
    // What the database holds of the question in the middle and bottom boxes: the question
    // being edited, or the new question this window stored last (m_nStoredQuestionID).
    QString m_strStoredQuestion;
    QString m_strStoredAnswer;
    qint64 m_nStoredQuestionID = -1;
    // The last store of the boxes' question was refused.
    bool m_bStoreFailed = false;
};
