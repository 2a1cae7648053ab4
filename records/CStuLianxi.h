#pragma once

#include "core/StudentStore.h"

#include "controls/CPicture.h"
#include "controls/CTabSheet.h"
#include "platform/base/Database.h"

#include <QWidget>

#include <functional>
#include <optional>

class CListCtrlCl;
class CStuEditStuDlg;
class CStudentInfoDlg;
class PhotoCache;
class PhotoFrame;
class QPlainTextEdit;

// The roster page of the records window: the students of the current group, the note and
// photo of the one clicked, and the adding, editing, renumbering and deleting of students.
// Each change is one operation of the store: the page asks its questions before and shows
// what became of it after.
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

    // "添加学生": the form again and again, each student with a zero row in every score table.
    void OnBnClickedAddStudent();
    // One student of the form, with the photo the form showed (none when empty).
    bool AddStudentRecord(const StudentRecord &student, const QByteArray &photo);

    // "编辑学生信息": the selected student's form; a new number is confirmed before anything
    // is written. Its save carries a new name into every score table and a confirmed new
    // number through the renumbering.
    void OnBnClickedEditStudent();
    void GetStudentInfo(const StudentRecord &student, QString &name, QString &gender, QString &address,
                        QString &contact, QString &note) const;
    void LoadPhotoToDialog(const StudentRecord &student, CStuEditStuDlg &form) const;
    // Returns the number the student has afterwards; none when the database refused the
    // edit, which wrote nothing of it then.
    // A photo chosen in the form (empty for none, and the stored one stays) is stored as shown.
    std::optional<int> SaveStudentEdit(int oldNumber, const StudentRecord &edited,
                                       const QByteArray &chosenPhoto, bool numberChangeConfirmed);

    static QString renumberQuestion(); // "修改学号会导致其他学生的学号也会发生变动，确定要修改此学生的学号吗 "
    // The number after n that the add form suggests; the largest number has none after it.
    static int nextNumber(int n);

    DatabaseConnection m_pConnection;
    // The records window's photos, handed over with the connection.
    PhotoCache *m_photos = nullptr;
    CStudentInfoDlg *m_pParentDlg = nullptr;
    int m_nLastClickedItem = -1; // the row whose student is shown, -1 for none
    CListCtrlCl *m_listStudents = nullptr;
    CPicture m_picture;
    PhotoFrame *m_staticPhoto = nullptr;
    QString m_strNote;
    // How often the roster was loaded; read only to check the window's reload rules.
    int m_nLoadCount = 0;

private:
    const Database &database() const;
    StudentStore store() const { return StudentStore(database()); }
    int groupId() const;
    // A group is current; otherwise the teacher is told to choose or import one first.
    int numberAt(int item) const;
    // A change through the store; a page without a database gets its failure. Whatever
    // became of it, the photos kept of the group are dropped.
    StudentChange apply(const std::function<StudentChange(const StudentStore &)> &operation) const;
    void showNote();

    QPlainTextEdit *m_editNote = nullptr;
    // Whose note and photo are shown: the group and number, 0 for nobody.
    int m_nShownGroup = 0;
    int m_nShownNumber = 0;
};
