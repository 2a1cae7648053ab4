#pragma once

#include "core/StudentStore.h"
#include "core/WeightedScore.h"

#include "controls/CPicture.h"
#include "controls/CTabSheet.h"
#include "platform/base/Database.h"

#include <QWidget>

class CListCtrlCl;
class CStudentInfoDlg;
class PhotoCache;
class PhotoFrame;
class QPlainTextEdit;

// The classroom score page of the records window: the answer counts of the current semester
// with each student's weighted score, the photo and a summary of the student clicked, and
// the editing of a student's counts and of the six weights.
class CStudentPellorScorePage : public QWidget, public CTabPage
{
    Q_OBJECT

public:
    enum ControlId {
        IDC_ROLL_CALL = 1,
        IDC_CANCEL = 2,
        IDC_EDIT = 3,
        IDC_SETTINGS = 4,
        IDC_INFO = 1000,
        IDC_LIST = 1053,
        IDC_PHOTO = 1057,
    };
    enum Column { ColNumber = 0, ColName, ColScore, ColYouxiu, ColLiang, ColYiban, ColKuangke };

    explicit CStudentPellorScorePage(QWidget *parent = nullptr);

    // Takes the weights of the application object, sets up the list and loads it.
    bool OnInitDialog() override;
    // Shows the counts of the records window's current semester, each with its score.
    void ReloadScores();

    // "点名": with a row selected and the semester still there, the list is read again.
    void OnBnClickedRollCall();
    // Shows the photo and the counts of the row's student; a click below the rows does nothing.
    // A photo that cannot be read leaves the frame empty beside the counts: never another's.
    void OnNMClickList(int item);
    void ShowPhoto(const StudentRecord &student);
    // The photo and counts shown follow the student's row through each reload, and go with it.
    void ForgetShownStudent();
    // "编辑": the selected student's four counts.
    void OnBnClickedEdit();
    // "设置": the six weights, for this page, the application object and res/set.ini.
    void OnBnClickedSettings();

    WeightedScore::Weights weights() const;

    CListCtrlCl *m_listScores = nullptr;
    CStudentInfoDlg *m_pParentDlg = nullptr;
    // The records window's student connection, handed over before the page is created.
    DatabaseConnection m_pConnection;
    // The records window's photos, handed over with the connection.
    PhotoCache *m_photos = nullptr;
    float m_fBasicScore = 0.0f;
    float m_fMaxScore = 100.0f;
    float m_fYouxiu = 2.0f;
    float m_fLiangScore = 1.0f;
    float m_fJiayouScore = 0.5f;
    float m_fKuangkeScore = -2.0f;
    CPicture m_picture;
    PhotoFrame *m_staticPhoto = nullptr;
    QString m_strInfo;
    // How often the list was loaded, for the window's reload rules.
    int m_nReloadCount = 0;

private:
    StudentStore store() const;
    int groupId() const;
    int classId() const;
    // A semester is current; otherwise the teacher is told to choose or import a group first.
    int numberAt(int item) const;
    WeightedScore::Counts countsAt(int item) const;
    void showInfo();

    QPlainTextEdit *m_editInfo = nullptr;
    // Whose photo and counts are shown: the group and number, 0 for nobody.
    int m_nShownGroup = 0;
    int m_nShownNumber = 0;
};
