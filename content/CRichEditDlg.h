#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class CKeshiZhishidianPage;
class QMenu;
class RichEditBox;

namespace PresenterGeometry {
struct Layout;
}

// The presenter: three text boxes as wide as the screen, and no buttons; every command is
// an item of the pop-up menu that a right-button press opens, chosen by the mode and by the
// box that has the keyboard focus. Three modes, set by the opener before DoModal():
// presentation of a knowledge point full screen (m_bPresent), editing a question with its
// answer (m_bEditQuestion), and entering a new question for a point (neither).
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

    explicit CRichEditDlg(QWidget *pParent = nullptr);
    ~CRichEditDlg() override;

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
    bool m_bNewQuestion = false;
    bool m_bPresent = true;
    bool m_bEditQuestion = false;
    // The knowledge-points page, from the application object; null when there is none.
    CKeshiZhishidianPage *m_pPage = nullptr;
    RichEditBox *m_editTop = nullptr;
    RichEditBox *m_editMiddle = nullptr;
    int m_nFocusBox = NoBox;
    QString m_strPoint;
    QString m_strQuestion;
    QString m_strAnswer;
    int m_nCount = 0;
    RichEditBox *m_editBottom = nullptr;

protected:
    void reject() override;

private:
    // The point's text into the top box, or a question or answer over it.
    void ShowInTop(const QString &text, bool point);
    // Before a command replaces the top box's point text: when the teacher changed it, asks
    // whether to store it. False when the command must not go on (cancelled, or the store
    // failed).
    bool PointEditSettled();
    bool StorePoint();
    // The new question of the middle and bottom boxes; false, with its message, when a box
    // is empty or the store failed, the question staying pending.
    bool StoreNewQuestion();
    // In the new-question layout, once a question is stored, whatever the teacher types over it
    // is the next new question, pending until it is stored in turn.
    bool NewQuestionPending() const;
    // The edited question's changed texts, through the questions page.
    bool StoreEditedQuestion();
    // Whether a close may end the window, storing what it would lose.
    bool MayClose();
    void StepPoint(void (CKeshiZhishidianPage::*step)(QString &, int &));
    void StepQuestion(void (CKeshiZhishidianPage::*step)(QString &, QString &));

    bool m_bNewQuestionLayout = false;
    QString m_strStoredQuestion;
    QString m_strStoredAnswer;

    RichEditBox *focusBox() const;
    void applyLayout(const PresenterGeometry::Layout &layout);
    void placeBoxes(const PresenterGeometry::Layout &layout);
    // The display mode's boxes, in presentation only.
    void showDisplayMode(int mode);
    std::unique_ptr<QMenu> newMenu();
    void addCommand(QMenu *menu, const QString &text, int id);
    // From "当前知识点" (or "上一个知识点") to the end of the presentation menus.
    void addNavigation(QMenu *menu);

    // Whether the top box shows the point (and not a question or an answer).
    bool m_bTopShowsPoint = false;
};
