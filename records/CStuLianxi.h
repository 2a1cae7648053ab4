#pragma once

#include "core/StudentStore.h"

#include "controls/CPicture.h"
#include "controls/CTabSheet.h"
#include "platform/base/Database.h"

#include <QWidget>

#include <functional>

class CListCtrlCl;
class CStuEditStuDlg;
class CStudentInfoDlg;
class PhotoFrame;
class QPlainTextEdit;

// The roster page of the records window: the students of the current group, the note and
// photo of the one clicked, and the adding, editing, renumbering and deleting of students.
// Each of these is one operation on the database: it is written whole or, after a failure
// that has been shown, not at all.
class CStuLianxi : public QWidget, public CTabPage
{
    Q_OBJECT

public:
    enum ControlId { IDC_ADD = 1, IDC_DELETE = 2, IDC_NOTE = 1000, IDC_EDIT = 1003, IDC_LIST = 1051, IDC_PHOTO = 1057 };

    explicit CStuLianxi(QWidget *parent = nullptr);

    bool OnInitDialog() override;

    // Fills the list with the roster of the records window's current group. The student
    // shown stays shown only while still listed.
    void LoadStudentList();
    // Shows the note and photo of the row's student. A click by the teacher on the row that
    // is shown already does nothing; `again` shows it all the same (after an edit).
    void OnNMClickStudentList(int item, bool again = false);
    void ShowPhoto(const StudentRecord &student);
    // Clears the note and the photo: the student shown is gone from the page.
    void ForgetShownStudent();

    // "删除": the student leaves the roster and every score table of the group.
    void OnBnClickedDeleteStudent();
    bool DeleteScoreRows(int number);
    bool DeleteScoreRow(int classId, int number);

    // "添加学生": the form again and again, each student with a zero row in every score table.
    void OnBnClickedAddStudent();
    bool AddStudentRecord(const StudentRecord &student, const QString &photoPath);
    bool AddScoreRows(int number, const QString &name);
    bool EnsureScoreRow(int classId, int number, const QString &name);

    // "编辑学生信息": the selected student's form; its save carries a new name into every
    // score table and a confirmed new number through the renumbering.
    void OnBnClickedEditStudent();
    void GetStudentInfo(const StudentRecord &student, QString &name, QString &gender, QString &address,
                        QString &contact, QString &note) const;
    void LoadPhotoToDialog(const StudentRecord &student, CStuEditStuDlg &form) const;
    // Returns the number the student has afterwards.
    int SaveStudentEdit(int oldNumber, const QString &oldName, const StudentRecord &edited, const QString &photoPath);
    bool UpdateStudentRecord(bool &numberChangeConfirmed, int oldNumber, const StudentRecord &edited,
                             const QString &photoPath);
    bool UpdateScoreNames(int oldNumber, const QString &newName);
    bool UpdateScoreName(int classId, int oldNumber, const QString &newName);

    enum class Renumbered { Done, Refused, Failed };
    // The student numbered `from` gets `to`, the others follow (StudentRenumbering), in the
    // roster and in every score table of the group.
    Renumbered RenumberStudents(int from, int to);
    bool RenumberScoreTables();
    bool RenumberScoreTable(int classId);

    static QString renumberQuestion(); // "修改学号会导致其他学生的学号也会发生变动，确定要修改此学生的学号吗 "

    DatabaseConnection m_pConnection;
    CStudentInfoDlg *m_pParentDlg = nullptr;
    int m_nLastClickedItem = -1; // the row whose student is shown, -1 for none
    CListCtrlCl *m_listStudents = nullptr;
    CPicture m_picture;
    PhotoFrame *m_staticPhoto = nullptr;
    QString m_strNote;
    // How often the roster was loaded, for the window's reload rules.
    int m_nLoadCount = 0;

private:
    const Database &database() const;
    StudentStore store() const { return StudentStore(database()); }
    int groupId() const;
    int numberAt(int item) const;
    int rowOfNumber(int number) const;
    // Runs the step on every score table of the group until one fails; false then, or when
    // the semesters could not be listed (shown).
    bool forEachSemester(const std::function<bool(int classId)> &step);
    void showNote();

    QPlainTextEdit *m_editNote = nullptr;
    // Whose note and photo are shown: the group and number, 0 for nobody.
    int m_nShownGroup = 0;
    int m_nShownNumber = 0;
};
