#pragma once

#include "core/RollCallSettings.h"
#include "core/RollCallTables.h"

#include <QDialog>

class CJiguDlg;
class CPlayPPtDlg;
class CQuestionDlg;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The main roll-call window: the groups and the student on call over a background
// picture, with the classroom commands. It owns the roll-call tables and settings.
class CPellorDlg : public QDialog, public RollCallSettings, public RollCallTables
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

    explicit CPellorDlg(QWidget *parent = nullptr);
    ~CPellorDlg() override;

    // Reads the window's settings from res/set.ini in the program folder.
    void LoadSettings();
    // Loads every group file; false (after telling the teacher) when one could not be read.
    bool LoadGroupScores(const QString &scoreDir, int numOfClass);

    // Texts exchanged with the fields.
    QString m_strStuName;
    QString m_strStuNumber;
    QString m_strStuScore;
    QString m_strGroupScore;
    QString m_strAppDir;

    // Pulls the field texts into the members (true) or pushes the members into them.
    void UpdateData(bool saveAndValidate);
    // Pushes the member texts into the fields and repaints at once.
    void OnRefreshFields();

    // The background picture: falls back to res/photo/1.bmp; false when neither loads.
    bool LoadBackground(const QString &path);

    // The drum game, created on first use and hidden, not destroyed, when closed.
    CJiguDlg *m_dlgJigu = nullptr;
    CQuestionDlg *m_dlgQuestion = nullptr;
    CPlayPPtDlg *m_dlgPPT = nullptr;

    QComboBox *m_comboGroup = nullptr;
    QComboBox *m_comboNumber = nullptr;
    QLineEdit *m_editName = nullptr;
    QLineEdit *m_editPersonal = nullptr;
    QLineEdit *m_editGroup = nullptr;
    QPushButton *m_btnRandom = nullptr;
    QPushButton *m_btnPresent = nullptr;
    QPushButton *m_btnAbsent = nullptr;
    QPushButton *m_btnSaveExit = nullptr;
    QPushButton *m_btnSettings = nullptr;
    QPushButton *m_btnLessonPlan = nullptr;
    QPushButton *m_btnPPT = nullptr;
    QPushButton *m_btnStudentInfo = nullptr;

public slots:
    // Random pick, grading and absence (CPellorDlgPick.cpp).
    void OnBnClickedRandom();
    void OnBnClickedPresent();
    virtual void OnAbsent();

    void OnBnClickedSaveExit();
    void OnBnClickedSettings();
    void OnBnClickedLessonPlan();
    void OnBnClickedPPT();
    void OnBnClickedStudentInfo();
    void OnCbnSelchangeGroup();
    void OnCbnSelchangeStudent();

protected:
    bool OnInitDialog();
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

    // The goodbye clip after a save, when animations are on (CPellorDlgPick.cpp).
    void PlayGoodbyeClip();

private:
    void createControls();
    void fillNumberCombo(int group);

    bool m_initialised = false;
};
