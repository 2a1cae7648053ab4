#pragma once

#include "controls/CMyButton.h"
#include "platform/base/ProfileFile.h"

#include <QBrush>
#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QList>

class CJiguDlg;
class CPlayPPtDlg;
class CQuestionDlg;
class QComboBox;
class QLabel;
class QLineEdit;
class QPixmap;
class QPushButton;
class RollCallLesson;

// The main roll-call window: the groups and the student on call over a background
// picture, with the classroom commands. It owns the lesson (tables, settings, the student
// on call), shows it, and turns its buttons into the lesson's operations.
class CPellorDlg : public QDialog
{
    Q_OBJECT

public:
    // Control IDs of the window's template.
    enum ControlId {
        IDC_SETTINGS = 1014,
        IDC_LESSON_PLAN = 1043,
        IDC_PPT = 1044,
        IDC_STUDENT_INFO = 1045,
        IDC_RANDOM = 1003,
        IDC_GROUP = 1011,
        IDC_NUMBER = 1030,
        IDC_NAME = 1001,
        IDC_GROUP_SCORE = 1004,
        IDC_PERSONAL_SCORE = 1002,
        IDC_PRESENT = 1,
        IDC_ABSENT = 3,
        IDC_SAVE_EXIT = 4,
    };
    // The About item of the window's menu.
    static constexpr int IDM_ABOUTBOX = 0x10;
    static constexpr int kDefaultFontHeight = 30;

    // Reads its settings from res/set.ini in the program folder.
    explicit CPellorDlg(QWidget *parent = nullptr);
    // Takes its settings from the file as start-up read it.
    explicit CPellorDlg(const ProfileFile::Contents &settings, QWidget *parent = nullptr);
    ~CPellorDlg() override;

    // Runs the window until it ends, also through the time the presentation tool bar stands
    // in for it hidden.
    int exec() override;

    RollCallLesson &lesson() const { return *m_lesson; }

    // Puts the lesson's settings from res/set.ini in effect.
    void LoadSettings(const ProfileFile::Contents &settings);
    // Loads every group file and refills the group list; false (after telling the teacher)
    // when the number of groups is unusable or a file could not be read.
    bool LoadGroupScores(const QString &scoreDir, int numOfClass);

    // Texts exchanged with the fields: the student on call and the group score shown.
    QString m_strStuName;
    QString m_strStuNumber;
    QString m_strStuScore;
    QString m_strGroupScore;

    // Pulls the field texts into the members (true) or pushes the members into them.
    void UpdateData(bool saveAndValidate);
    // Pushes the member texts into the fields and repaints at once.
    void OnRefreshFields();

    // The background picture: falls back to res/photo/1.bmp (and takes that path); false
    // when neither loads.
    bool LoadBackground(const QString &path);
    // Shows a picture as LoadBackground does but keeps the stored path, whatever shows.
    bool PreviewBackground(const QString &path);
    // The background picture's path in effect.
    QString backBrush() const;

    // The drum game, created on first use and hidden, not destroyed, when closed.
    CJiguDlg *m_dlgJigu = nullptr;
    CQuestionDlg *m_dlgQuestion = nullptr;
    CPlayPPtDlg *m_dlgPPT = nullptr;

    QComboBox *m_comboGroup = nullptr;
    QComboBox *m_comboNumber = nullptr;
    QLineEdit *m_editName = nullptr;
    QLineEdit *m_editPersonal = nullptr;
    QLineEdit *m_editGroup = nullptr;
    CMyButton *m_btnRandom = nullptr;
    CMyButton *m_btnPresent = nullptr;
    CMyButton *m_btnAbsent = nullptr;
    CMyButton *m_btnSaveExit = nullptr;
    CMyButton *m_btnSettings = nullptr;
    CMyButton *m_btnLessonPlan = nullptr;
    CMyButton *m_btnPPT = nullptr;
    QPushButton *m_btnStudentInfo = nullptr;

    // Client size at the previous resize and the ratios of the last one.
    int m_nOldCx = 0;
    int m_nOldCy = 0;
    float m_fScaleX = 1.0f;
    float m_fScaleY = 1.0f;
    // Height in pixels of the big bold font of the fields; follows the window's width, the
    // default height at the template's width.
    int m_nFontHeight = kDefaultFontHeight;
    int m_nTemplateWidth = 0;
    QIcon m_hIcon;
    // The background picture at its own size, drawn stretched over screen-sized tiles
    // repeated from the window's top-left corner.
    QBrush m_brushBack;

    // The big bold font at the given height.
    static QFont BigFont(int height);

public slots:
    // Random pick, grading and absence (CPellorDlgPick.cpp).
    void OnBnClickedRandom();
    void OnBnClickedPresent();
    virtual void OnAbsent();

    void OnBnClickedSaveExit();
    // "保存并退出": writes the group files and ends the window; false (after telling the
    // teacher) when nothing could be saved, and the window stays open.
    bool SaveAndExit();
    // Every way out but "保存并退出" (the close box, Alt+F4, the tool bar's "退出"): with a
    // lesson begun and not saved it asks whether to save first. True when the window ended,
    // false when it stays open.
    bool ExitProgram();
    void OnBnClickedSettings();
    void OnBnClickedLessonPlan();
    void OnBnClickedPPT();
    // The tool bar's "课堂点名": the window comes back as it was, and the bar steps aside.
    void OnToolBarRollCall();
    void OnBnClickedStudentInfo();
    void OnCbnSelchangeGroup();
    void OnCbnSelchangeStudent();

    // The window's menu commands; IDM_ABOUTBOX opens the About box.
    void OnSysCommand(int nID);

protected:
    bool OnInitDialog(const ProfileFile::Contents &settings);
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

    // The fonts follow the window's width; the controls keep their places.
    void OnSize(int cx, int cy);
    // Colours and fonts of the controls: red labels straight on the picture, blue-on-green fields.
    void OnCtlColor();
    // Reads a picture file into a bitmap of its own size, to be drawn stretched over the
    // screen; false (after telling the teacher, unless the file cannot be opened) when it cannot.
    bool LoadPictureFile(QPixmap &bitmap, const QString &path);

    // The goodbye clip after a save, when animations are on (CPellorDlgPick.cpp).
    void PlayGoodbyeClip();

private:
    void createControls();
    void fillNumberCombo(int group);
    QString defaultBackground() const;
    // The lists and fields show the lesson as it is: the group shown with its numbers and
    // score, the student on call with theirs, or nobody. Nothing else writes them.
    void ShowLesson();
    // Shows the picture, or the default one when it does not load (its path then given back).
    bool showBackground(const QString &path, QString *fallback);

    RollCallLesson *m_lesson = nullptr;

    // The group whose numbers the number list holds.
    int m_nNumbersGroup = -1;
    QList<QLabel *> m_labels;
    QList<int> m_labelWidths;
    // Hidden while the presentation tool bar is up.
    bool m_bStandingAside = false;
};
