#include "CStudentPellorScorePage.h"

#include "CStudentEditScoreDlg.h"
#include "CStudentInfoDlg.h"
#include "CStudentPellorSetScoreDlg.h"
#include "PhotoCache.h"
#include "PhotoFrame.h"
#include "RecordsPage.h"

#include "application/CPellorApp.h"
#include "application/SettingsFile.h"
#include "controls/CListCtrlCl.h"
#include "platform/base/NumberText.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kNotSelected = QStringLiteral("未选择任何项");

// The page, the weights dialog and the application object name the six weights alike.
template <class From, class To>
void copyWeights(const From &from, To &to)
{
    to.m_fBasicScore = from.m_fBasicScore;
    to.m_fMaxScore = from.m_fMaxScore;
    to.m_fYouxiu = from.m_fYouxiu;
    to.m_fLiangScore = from.m_fLiangScore;
    to.m_fJiayouScore = from.m_fJiayouScore;
    to.m_fKuangkeScore = from.m_fKuangkeScore;
}

} // namespace

CStudentPellorScorePage::CStudentPellorScorePage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageScore"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 714, 311);
    m_listScores = new CListCtrlCl(this);
    m_listScores->setObjectName(QStringLiteral("list%1").arg(IDC_LIST));
    m_listScores->setSelectionMode(QAbstractItemView::SingleSelection);
    tmpl.place(m_listScores, 7, 7, 510, 268);
    m_staticPhoto = new PhotoFrame(m_picture, this);
    m_staticPhoto->setObjectName(QStringLiteral("static%1").arg(IDC_PHOTO));
    tmpl.place(m_staticPhoto, 520, 18, 192, 167);
    m_editInfo = new QPlainTextEdit(this);
    m_editInfo->setObjectName(QStringLiteral("edit%1").arg(IDC_INFO));
    m_editInfo->setReadOnly(true);
    tmpl.place(m_editInfo, 521, 195, 190, 65);
    // A little higher than the template: the records window's tab ends above their foot.
    QPushButton *rollCall = tmpl.addButton(this, IDC_ROLL_CALL, QStringLiteral("点名"), 13, 277, 50, 18);
    rollCall->setDefault(true);
    QPushButton *edit = tmpl.addButton(this, IDC_EDIT, QStringLiteral("编辑"), 198, 277, 50, 18);
    QPushButton *settings = tmpl.addButton(this, IDC_SETTINGS, QStringLiteral("设置"), 387, 277, 50, 18);
    tmpl.addButton(this, IDC_CANCEL, QStringLiteral("取消"), 288, 283, 50, 21)->hide();

    connect(rollCall, &QPushButton::clicked, this, &CStudentPellorScorePage::OnBnClickedRollCall);
    connect(edit, &QPushButton::clicked, this, &CStudentPellorScorePage::OnBnClickedEdit);
    connect(settings, &QPushButton::clicked, this, &CStudentPellorScorePage::OnBnClickedSettings);
    connect(m_listScores, &ReportListView::NMClick, this, &CStudentPellorScorePage::OnNMClickList);
}

bool CStudentPellorScorePage::OnInitDialog()
{
    copyWeights(theApp(), *this);
    CListCtrlCl &list = *m_listScores;
    const int width = list.GetClientRect().width();
    list.InsertColumn(ColNumber, QStringLiteral("学号"), ReportListView::LVCFMT_CENTER, 40);
    list.InsertColumn(ColName, QStringLiteral("姓名"), ReportListView::LVCFMT_CENTER, 80);
    list.InsertColumn(ColScore, QStringLiteral("分数"), ReportListView::LVCFMT_CENTER, 80);
    list.InsertColumn(ColYouxiu, QStringLiteral("优秀"), ReportListView::LVCFMT_CENTER, 120);
    list.InsertColumn(ColLiang, QStringLiteral("良"), ReportListView::LVCFMT_CENTER, 120);
    list.InsertColumn(ColYiban, QStringLiteral("加油"), ReportListView::LVCFMT_CENTER, 120);
    list.InsertColumn(ColKuangke, QStringLiteral("旷课"), ReportListView::LVCFMT_CENTER, width - 560);
    RecordsPage::applyListLook(list);
    ReloadScores();
    return true;
}

StudentStore CStudentPellorScorePage::store() const
{
    return StudentStore(RecordsPage::database(m_pConnection));
}

int CStudentPellorScorePage::groupId() const
{
    return m_pParentDlg ? m_pParentDlg->m_nGroupID : 0;
}

int CStudentPellorScorePage::classId() const
{
    return m_pParentDlg ? m_pParentDlg->m_nClassID : 0;
}

int CStudentPellorScorePage::numberAt(int item) const
{
    return static_cast<int>(m_listScores->GetItemData(item));
}

WeightedScore::Counts CStudentPellorScorePage::countsAt(int item) const
{
    const auto count = [&](int column) { return NumberText::toInt(m_listScores->GetItemText(item, column)); };
    return {count(ColYouxiu), count(ColLiang), count(ColYiban), count(ColKuangke)};
}

WeightedScore::Weights CStudentPellorScorePage::weights() const
{
    return {m_fBasicScore, m_fMaxScore, m_fYouxiu, m_fLiangScore, m_fJiayouScore, m_fKuangkeScore};
}

void CStudentPellorScorePage::ReloadScores()
{
    ++m_nReloadCount;
    QList<ScoreRecord> scores;
    if (classId() >= 1) {
        try {
            scores = store().scores(classId());
        } catch (const DbError &error) {
            m_listScores->SetRows({});
            Prompt::app(error.message());
            update();
            return;
        }
    }
    const WeightedScore::Weights w = weights();
    QList<ReportListModel::Row> rows;
    rows.reserve(scores.size());
    for (const ScoreRecord &student : scores) {
        // Number 0 is the row every score table starts with, no student.
        if (student.number == 0)
            continue;
        // Students copied into a new semester have no counts yet.
        const WeightedScore::Counts counts{student.excellent.value_or(0), student.good.value_or(0),
                                           student.fair.value_or(0), student.absent.value_or(0)};
        rows.append({{NumberText::fromInt(student.number), student.name.value_or(QString()),
                      WeightedScore::shownText(WeightedScore::score(w, counts)), NumberText::fromInt(counts.youxiu),
                      NumberText::fromInt(counts.liang), NumberText::fromInt(counts.yiban),
                      NumberText::fromInt(counts.kuangke)},
                     student.number});
    }
    m_listScores->SetRows(std::move(rows));
    update();

    // The student shown, as the list has it now: the counts edited, the photo of whoever holds
    // the number since a renumbering; nobody once the list lacks the number.
    const int shownRow = m_nShownGroup == groupId()
        ? RecordsPage::rowOfNumber(*m_listScores, m_nShownNumber)
        : -1;
    if (shownRow < 0) {
        ForgetShownStudent();
        return;
    }
    m_staticPhoto->ShowStudentPhoto(*m_photos, {groupId(), m_nShownNumber});
    m_strInfo = WeightedScore::infoText(countsAt(shownRow));
    showInfo();
}

void CStudentPellorScorePage::ForgetShownStudent()
{
    m_nShownGroup = 0;
    m_nShownNumber = 0;
    m_strInfo.clear();
    showInfo();
    m_staticPhoto->ShowNoPhoto();
}

void CStudentPellorScorePage::OnBnClickedRollCall()
{
    if (!RecordsPage::chosen(classId()))
        return;
    if (m_listScores->GetNextSelectedItem(-1) < 0) {
        Prompt::app(kNotSelected);
        return;
    }
    try {
        if (!store().semester(classId())) {
            Prompt::app(QStringLiteral("未找到学期ID：%1的信息").arg(classId()));
            return;
        }
    } catch (const DbError &error) {
        Prompt::app(error.message());
        return;
    }
    ReloadScores();
}

void CStudentPellorScorePage::OnNMClickList(int item)
{
    if (item < 0 || item >= m_listScores->GetItemCount())
        return;
    m_nShownGroup = groupId();
    m_nShownNumber = numberAt(item);
    // The counts are the list's own: they are shown whatever becomes of the photo.
    m_strInfo = WeightedScore::infoText(countsAt(item));
    showInfo();
    try {
        if (const std::optional<StudentRecord> student = store().studentDetails(groupId(), numberAt(item))) {
            ShowPhoto(*student);
            return;
        }
    } catch (const DbError &error) {
        Prompt::app(error.message());
    }
    // Gone from the roster, or not readable: no photo, rather than the one of the student before.
    m_staticPhoto->ShowNoPhoto();
}

void CStudentPellorScorePage::ShowPhoto(const StudentRecord &student)
{
    m_staticPhoto->ShowStudentPhoto(*m_photos, {groupId(), student.number});
}

void CStudentPellorScorePage::showInfo()
{
    m_editInfo->setPlainText(QString(m_strInfo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void CStudentPellorScorePage::OnBnClickedEdit()
{
    if (!RecordsPage::chosen(classId()))
        return;
    const int item = m_listScores->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(kNotSelected);
        return;
    }
    CStudentEditScoreDlg form(this);
    form.m_strNumber = m_listScores->GetItemText(item, ColNumber);
    form.m_strName = m_listScores->GetItemText(item, ColName);
    const WeightedScore::Counts counts = countsAt(item);
    form.m_nYouxiu = counts.youxiu;
    form.m_nLiang = counts.liang;
    form.m_nYiban = counts.yiban;
    form.m_nKuangke = counts.kuangke;
    if (form.exec() != QDialog::Accepted)
        return;
    try {
        store().updateCounts(classId(), numberAt(item), form.m_nYouxiu, form.m_nLiang, form.m_nYiban,
                             form.m_nKuangke);
    } catch (const DbError &error) {
        Prompt::app(error.message());
    }
    ReloadScores();
}

void CStudentPellorScorePage::OnBnClickedSettings()
{
    CStudentPellorSetScoreDlg form(this);
    copyWeights(*this, form);
    if (form.exec() != QDialog::Accepted)
        return;
    copyWeights(form, *this);
    CPellorApp &app = theApp();
    copyWeights(*this, app);
    const float written[6] = {m_fBasicScore, m_fMaxScore, m_fYouxiu, m_fLiangScore, m_fJiayouScore, m_fKuangkeScore};
    // The new weights count for this run whether or not they reached the file.
    const QString failure = SettingsFile::writeScoreWeights(app.SettingsPath(), written);
    if (!failure.isEmpty())
        Prompt::app(failure);
    ReloadScores();
}
