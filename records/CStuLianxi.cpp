#include "CStuLianxi.h"

#include "CStuAddStuDlg.h"
#include "CStuEditStuDlg.h"
#include "CStudentInfoDlg.h"
#include "PhotoCache.h"
#include "PhotoFrame.h"
#include "RecordsPage.h"
#include "core/StudentRenumbering.h"

#include "controls/CListCtrlCl.h"
#include "platform/base/NumberText.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <limits>

namespace {

enum Column { ColNumber = 0, ColName = 1, ColAddress = 2, ColContact = 3 };

const QString kNotSelected = QStringLiteral("未选择任何项");

// A box of the page with the driver's text and no caption of its own.
void pageBox(QWidget *page, const QString &text)
{
    Prompt::box(page, text, QString(), Prompt::OkOnly, Prompt::NoIcon);
}

} // namespace

CStuLianxi::CStuLianxi(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageRoster"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 766, 316);
    m_listStudents = new CListCtrlCl(this);
    m_listStudents->setObjectName(QStringLiteral("list%1").arg(IDC_LIST));
    m_listStudents->setSelectionMode(QAbstractItemView::SingleSelection);
    tmpl.place(m_listStudents, 7, 7, 535, 268);
    m_staticPhoto = new PhotoFrame(m_picture, this);
    m_staticPhoto->setObjectName(QStringLiteral("static%1").arg(IDC_PHOTO));
    // The photo frame and the note box end inside the records window's tab, which is
    // narrower than this page's template.
    tmpl.place(m_staticPhoto, 546, 19, 186, 171);
    m_editNote = new QPlainTextEdit(this);
    m_editNote->setObjectName(QStringLiteral("edit%1").arg(IDC_NOTE));
    m_editNote->setReadOnly(true);
    tmpl.place(m_editNote, 547, 212, 185, 63);
    QPushButton *add = tmpl.addButton(this, IDC_ADD, QStringLiteral("添加学生"), 59, 281, 58, 14);
    add->setDefault(true);
    QPushButton *edit = tmpl.addButton(this, IDC_EDIT, QStringLiteral("编辑学生信息"), 248, 281, 52, 14);
    QPushButton *remove = tmpl.addButton(this, IDC_DELETE, QStringLiteral("删除"), 425, 281, 60, 14);

    connect(add, &QPushButton::clicked, this, &CStuLianxi::OnBnClickedAddStudent);
    connect(edit, &QPushButton::clicked, this, &CStuLianxi::OnBnClickedEditStudent);
    connect(remove, &QPushButton::clicked, this, &CStuLianxi::OnBnClickedDeleteStudent);
    connect(m_listStudents, &ReportListView::NMClick, this, [this](int item) { OnNMClickStudentList(item); });
}

bool CStuLianxi::OnInitDialog()
{
    return true;
}

QString CStuLianxi::renumberQuestion()
{
    return QStringLiteral("修改学号会导致其他学生的学号也会发生变动，确定要修改此学生的学号吗 ");
}

const Database &CStuLianxi::database() const
{
    return RecordsPage::database(m_pConnection);
}

int CStuLianxi::groupId() const
{
    return m_pParentDlg ? m_pParentDlg->m_nGroupID : 0;
}

int CStuLianxi::numberAt(int item) const
{
    return static_cast<int>(m_listStudents->GetItemData(item));
}

StudentChange CStuLianxi::apply(const std::function<StudentChange(const StudentStore &)> &operation) const
{
    const StudentChange change = StudentStore::outcomeOf([&] { return operation(store()); });
    // A student added, deleted, renumbered or given a new photo: no photo kept of the group
    // is sure to be its student's.
    m_photos->forgetGroup(groupId());
    return change;
}

int CStuLianxi::nextNumber(int n)
{
    return n < std::numeric_limits<int>::max() ? n + 1 : n;
}

// --- The roster ---

void CStuLianxi::LoadStudentList()
{
    ++m_nLoadCount;
    CListCtrlCl &list = *m_listStudents;
    // Made once with the look; every load gives the columns their widths again, the last as
    // wide as the rest of an empty list.
    if (list.GetColumnCount() == 0) {
        list.InsertColumn(ColNumber, QStringLiteral("学号"), ReportListView::LVCFMT_CENTER, 40);
        list.InsertColumn(ColName, QStringLiteral("姓名"), ReportListView::LVCFMT_CENTER, 80);
        list.InsertColumn(ColAddress, QStringLiteral("地址"), ReportListView::LVCFMT_CENTER, 400);
        list.InsertColumn(ColContact, QStringLiteral("联系"), ReportListView::LVCFMT_CENTER, 0);
        RecordsPage::applyListLook(list);
    }
    const int emptyWidth = list.width() - 2 * list.frameWidth();
    const int widths[] = {40, 80, 400, emptyWidth - 520};
    for (int column = ColNumber; column <= ColContact; ++column)
        list.SetColumnWidth(column, widths[column]);

    QList<StudentRecord> students;
    if (groupId() > 0) {
        try {
            students = store().listedStudents(groupId());
        } catch (const DbError &error) {
            Prompt::app(error.message());
        }
    }
    QList<ReportListModel::Row> rows;
    rows.reserve(students.size());
    for (const StudentRecord &student : students) {
        // A row without a number is no student.
        if (student.number == 0)
            continue;
        rows.append({{NumberText::fromInt(student.number), student.name.value_or(QString()),
                      student.address.value_or(QString()), student.contact.value_or(QString())},
                     student.number});
    }
    // In one step: the list repaints itself, and nothing else of the page needs to.
    list.SetRows(std::move(rows));

    const int shownRow = m_nShownGroup == groupId()
        ? RecordsPage::rowOfNumber(*m_listStudents, m_nShownNumber)
        : -1;
    if (shownRow < 0)
        ForgetShownStudent();
    else
        m_nLastClickedItem = shownRow;
}

void CStuLianxi::ForgetShownStudent()
{
    m_nLastClickedItem = -1;
    m_nShownGroup = 0;
    m_nShownNumber = 0;
    m_strNote.clear();
    showNote();
    m_staticPhoto->ShowNoPhoto();
}

void CStuLianxi::showNote()
{
    m_editNote->setPlainText(QString(m_strNote).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void CStuLianxi::OnNMClickStudentList(int item, bool again)
{
    if (item < 0 || item >= m_listStudents->GetItemCount() || (!again && item == m_nLastClickedItem))
        return;
    const int number = numberAt(item);
    std::optional<StudentRecord> student;
    try {
        student = store().studentDetails(groupId(), number);
    } catch (const DbError &error) {
        Prompt::app(error.message());
        return;
    }
    // Gone from the database meanwhile: what is shown stays.
    if (!student)
        return;
    m_nLastClickedItem = item;
    m_nShownGroup = groupId();
    m_nShownNumber = number;
    m_strNote = student->note.value_or(QString());
    showNote();
    ShowPhoto(*student);
}

void CStuLianxi::ShowPhoto(const StudentRecord &student)
{
    m_staticPhoto->ShowStudentPhoto(*m_photos, {groupId(), student.number});
}

// --- Deleting ---

void CStuLianxi::OnBnClickedDeleteStudent()
{
    if (!RecordsPage::chosen(groupId()))
        return;
    if (Prompt::box(this, QStringLiteral("确定要删除此学生吗？"), QString(), Prompt::OkCancel, Prompt::NoIcon)
        != Prompt::Ok)
        return;
    const int item = m_listStudents->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(kNotSelected);
        return;
    }
    const int number = numberAt(item);
    const StudentChange change
        = apply([&](const StudentStore &students) { return students.DeleteStudentRecord(groupId(), number); });
    if (change.outcome == StudentChange::Outcome::Failed)
        pageBox(this, change.error);
    LoadStudentList();
}

// --- Adding ---

void CStuLianxi::OnBnClickedAddStudent()
{
    if (!RecordsPage::chosen(groupId()))
        return;
    CStuAddStuDlg form(this);
    const int rows = m_listStudents->GetItemCount();
    // The list is ordered by number: one more than the highest listed.
    int suggestion = rows > 0 ? nextNumber(numberAt(rows - 1)) : 1;
    form.m_nNumber = suggestion;
    // The suggestion counts on, one per showing, whatever was typed and whether it was added.
    while (form.exec() == QDialog::Accepted) {
        AddStudentRecord(form.record(), form.m_chosenPhoto);
        suggestion = nextNumber(suggestion);
        form.m_nNumber = suggestion;
        form.m_strPhotoPath.clear();
        form.m_chosenPhoto.clear();
    }
}

bool CStuLianxi::AddStudentRecord(const StudentRecord &student, const QByteArray &photo)
{
    StudentRecord row = student;
    row.photo = photo;
    const StudentChange change
        = apply([&](const StudentStore &students) { return students.AddStudentRecord(groupId(), row); });
    switch (change.outcome) {
    case StudentChange::Outcome::NumberTaken:
        Prompt::app(QStringLiteral("已经存在此学号，请输入下一个学生的学号"));
        return false;
    case StudentChange::Outcome::Failed:
        Prompt::box(this, change.error, QStringLiteral("添加学生失败"), Prompt::OkOnly, Prompt::NoIcon);
        return false;
    default:
        break;
    }
    LoadStudentList();
    return true;
}

// --- Editing ---

void CStuLianxi::OnBnClickedEditStudent()
{
    if (!RecordsPage::chosen(groupId()))
        return;
    const int item = m_listStudents->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(kNotSelected);
        return;
    }
    const int oldNumber = numberAt(item);
    int number = oldNumber;
    std::optional<StudentRecord> student;
    try {
        student = store().studentDetails(groupId(), oldNumber);
    } catch (const DbError &error) {
        // What the database says (a file held by another program, say), under the
        // operation's name; the row stays selected and shown as it was.
        Prompt::box(this, error.message(), QStringLiteral("GetStudentInfo error"), Prompt::OkOnly, Prompt::NoIcon);
        return;
    }
    if (!student) {
        Prompt::app(QStringLiteral("GetStudentInfo error"));
    } else {
        CStuEditStuDlg form(this);
        QString name;
        GetStudentInfo(*student, name, form.m_strGender, form.m_strAddress, form.m_strContact, form.m_strNote);
        form.m_nNumber = oldNumber;
        form.m_strName = name;
        LoadPhotoToDialog(*student, form);
        // An edit the database refused (the file held by another program, say) shows the form
        // again with what was typed, to be saved once more or cancelled.
        while (form.exec() == QDialog::Accepted) {
            const StudentRecord edited = form.record();
            // Asked before anything is written: Cancel drops only the number change.
            const bool confirmed = edited.number != oldNumber
                && Prompt::box(this, renumberQuestion(), QString(), Prompt::OkCancel, Prompt::NoIcon) == Prompt::Ok;
            const std::optional<int> saved = SaveStudentEdit(oldNumber, edited, form.m_chosenPhoto, confirmed);
            if (saved) {
                number = *saved;
                break;
            }
        }
    }
    // The edited student again, at whichever row holds the number it has now.
    const int row = RecordsPage::rowOfNumber(*m_listStudents, number);
    m_listStudents->clearSelection();
    if (row >= 0) {
        m_listStudents->SetItemSelected(row, true);
        OnNMClickStudentList(row, true);
    }
}

void CStuLianxi::GetStudentInfo(const StudentRecord &student, QString &name, QString &gender, QString &address,
                                QString &contact, QString &note) const
{
    name = student.name.value_or(QString());
    // Students imported without a gender have always opened as boys.
    gender = student.gender.value_or(QStringLiteral("男"));
    address = student.address.value_or(QString());
    contact = student.contact.value_or(QString());
    note = student.note.value_or(QString());
}

void CStuLianxi::LoadPhotoToDialog(const StudentRecord &student, CStuEditStuDlg &form) const
{
    form.m_staticPhoto->ShowStudentPhoto(*m_photos, {groupId(), student.number});
}

std::optional<int> CStuLianxi::SaveStudentEdit(int oldNumber, const StudentRecord &edited,
                                               const QByteArray &chosenPhoto, bool numberChangeConfirmed)
{
    const std::optional<QByteArray> photo
        = chosenPhoto.isEmpty() ? std::nullopt : std::optional<QByteArray>(chosenPhoto);
    const StudentChange change = apply([&](const StudentStore &students) {
        return students.SaveStudentEdit(groupId(), oldNumber, edited, photo, numberChangeConfirmed);
    });
    switch (change.outcome) {
    case StudentChange::Outcome::NotFound:
        Prompt::app(QStringLiteral("未找到此学生"));
        return oldNumber;
    case StudentChange::Outcome::Failed:
        Prompt::box(this, change.error, QStringLiteral("添加学生失败"), Prompt::OkOnly, Prompt::NoIcon);
        return std::nullopt;
    default:
        break;
    }
    for (const int classId : change.semestersWithoutRow)
        Prompt::app(QStringLiteral("在课堂成绩表%1中,未找到要修改的学生").arg(classId));
    // A refused number keeps the rest of the edit, as a cancelled question does.
    if (change.outcome == StudentChange::Outcome::NumberTaken)
        Prompt::app(QStringLiteral("已存在此学号的学生,请重新设置学号"));
    else if (change.outcome == StudentChange::Outcome::BeyondRange)
        Prompt::app(QStringLiteral("其他学生的学号将超过%1,请重新设置学号").arg(StudentRenumbering::kHighestNumber));
    LoadStudentList();
    return change.number;
}
