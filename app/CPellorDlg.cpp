#include "CPellorDlg.h"

#include "core/CPellorApp.h"
#include "core/GroupScoreFile.h"
#include "core/SettingsFile.h"

#include "platform/base/ProgramFolder.h"
#include "platform/base/RandomSource.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel *makeLabel(QWidget *parent, const QString &text)
{
    auto label = new QLabel(text, parent);
    return label;
}

} // namespace

CPellorDlg::CPellorDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Marlowen"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    createControls();
    OnInitDialog();
}

CPellorDlg::~CPellorDlg() = default;

void CPellorDlg::createControls()
{
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 16, 325, 185);
    auto button = [&](QPushButton *&member, int id, const QString &caption, int x, int y, int w, int h) {
        member = new QPushButton(caption, this);
        member->setObjectName(QStringLiteral("button%1").arg(id));
        member->setAutoDefault(false);
        tmpl.place(member, x, y, w, h);
    };
    button(m_btnSettings, IDC_SETTINGS, QStringLiteral("设置"), 0, 0, 31, 8);
    button(m_btnLessonPlan, IDC_LESSON_PLAN, QStringLiteral("教案"), 31, 0, 30, 8);
    button(m_btnPPT, IDC_PPT, QStringLiteral("PPT放映助手"), 61, 0, 44, 8);
    button(m_btnStudentInfo, IDC_STUDENT_INFO, QStringLiteral("学生信息"), 105, 0, 32, 8);
    // Shown so the lesson content, the tool bar and the records can be reached; each stays
    // disabled until its window exists.
    for (QPushButton *companion : {m_btnLessonPlan, m_btnPPT, m_btnStudentInfo})
        companion->setEnabled(false);
    button(m_btnRandom, IDC_RANDOM, QStringLiteral("随机提问"), 132, 8, 67, 20);

    tmpl.place(makeLabel(this, QStringLiteral("小组：")), 0, 48, 32, 18);
    m_comboGroup = new QComboBox(this);
    m_comboGroup->setObjectName(QStringLiteral("combo1011"));
    tmpl.place(m_comboGroup, 33, 46, 33, 14);
    tmpl.place(makeLabel(this, QStringLiteral("学号：")), 64, 48, 41, 30);
    m_comboNumber = new QComboBox(this);
    m_comboNumber->setObjectName(QStringLiteral("combo1030"));
    m_comboNumber->setEditable(true);
    tmpl.place(m_comboNumber, 111, 46, 48, 14);
    tmpl.place(makeLabel(this, QStringLiteral("姓名：")), 190, 48, 38, 18);
    m_editName = new QLineEdit(this);
    m_editName->setObjectName(QStringLiteral("edit1001"));
    tmpl.place(m_editName, 228, 45, 56, 17);
    tmpl.place(makeLabel(this, QStringLiteral("小组成绩：")), 0, 78, 108, 36);
    m_editGroup = new QLineEdit(this);
    m_editGroup->setObjectName(QStringLiteral("edit1004"));
    tmpl.place(m_editGroup, 109, 72, 49, 17);
    tmpl.place(makeLabel(this, QStringLiteral("个人成绩：")), 166, 78, 61, 49);
    m_editPersonal = new QLineEdit(this);
    m_editPersonal->setObjectName(QStringLiteral("edit1002"));
    tmpl.place(m_editPersonal, 228, 72, 56, 17);

    button(m_btnPresent, IDC_PRESENT, QStringLiteral("未旷课"), 113, 104, 36, 19);
    m_btnPresent->setDefault(true);
    button(m_btnAbsent, IDC_ABSENT, QStringLiteral("旷课"), 209, 104, 36, 19);
    button(m_btnSaveExit, IDC_SAVE_EXIT, QStringLiteral("保存并退出"), 132, 140, 67, 20);

    connect(m_btnRandom, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedRandom);
    connect(m_btnPresent, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedPresent);
    connect(m_btnAbsent, &QPushButton::clicked, this, &CPellorDlg::OnAbsent);
    connect(m_btnSaveExit, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedSaveExit);
    connect(m_btnSettings, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedSettings);
    connect(m_btnLessonPlan, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedLessonPlan);
    connect(m_btnPPT, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedPPT);
    connect(m_btnStudentInfo, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedStudentInfo);
    connect(m_comboGroup, &QComboBox::activated, this, &CPellorDlg::OnCbnSelchangeGroup);
    connect(m_comboNumber, &QComboBox::activated, this, &CPellorDlg::OnCbnSelchangeStudent);
}

bool CPellorDlg::OnInitDialog()
{
    m_strAppDir = ProgramFolder::executableFolder();
    theApp().m_strAppDir = m_strAppDir;
    m_strScoreDir = ProgramFolder::join(m_strAppDir, QStringLiteral("成绩")) + u'/';
    RandomSource::seedFromClock();
    m_strStuNumber = QStringLiteral("0");
    LoadSettings();
    if (LoadGroupScores(m_strScoreDir, m_nNumOfClass)) {
        setWindowTitle(QStringLiteral("Quorinde"));
        fillNumberCombo(m_comboGroup->currentIndex());
    }
    UpdateData(false);
    m_initialised = true;
    return true;
}

void CPellorDlg::LoadSettings()
{
    SettingsFile::readRollCallSettings(SettingsFile::pathIn(m_strAppDir), *this);
}

bool CPellorDlg::LoadGroupScores(const QString &scoreDir, int numOfClass)
{
    const auto result = GroupScoreFile::load(scoreDir, numOfClass, m_nBasicScore, *this);
    if (result.status == GroupScoreFile::LoadStatus::BadGroupCount) {
        Prompt::app(result.message);
        return false;
    }
    m_comboGroup->clear();
    m_comboNumber->clear();
    for (int n = 1; n <= numOfClass && n <= result.groupsLoaded + 1; ++n)
        m_comboGroup->addItem(QString::number(n));
    if (result.status == GroupScoreFile::LoadStatus::OpenFailed) {
        Prompt::app(result.message);
        return false;
    }
    m_comboGroup->setCurrentIndex(0);
    m_comboNumber->setCurrentIndex(0);
    return true;
}

void CPellorDlg::fillNumberCombo(int group)
{
    m_comboNumber->clear();
    if (group < 0 || group >= kMaxGroups)
        return;
    for (int n = 1; n <= m_nGroupCount[group]; ++n)
        m_comboNumber->addItem(QString::number(n));
}

void CPellorDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_strStuNumber = m_comboNumber->currentText();
        m_strStuName = m_editName->text();
        m_strStuScore = m_editPersonal->text();
        m_strGroupScore = m_editGroup->text();
    } else {
        m_comboNumber->setEditText(m_strStuNumber);
        m_editName->setText(m_strStuName);
        m_editPersonal->setText(m_strStuScore);
        m_editGroup->setText(m_strGroupScore);
    }
}

void CPellorDlg::OnCbnSelchangeGroup()
{
    const int g = m_comboGroup->currentIndex();
    if (g < 0 || g >= kMaxGroups)
        return;
    fillNumberCombo(g);
    m_strGroupScore = QString::number(m_nGroupScore[g]);
    UpdateData(false);
}

void CPellorDlg::OnCbnSelchangeStudent()
{
    UpdateData(true);
    const int g = m_comboGroup->currentIndex();
    const int s = m_comboNumber->currentIndex();
    if (!hasStudent(g, s + 1))
        return;
    m_strStuNumber = QString::number(s + 1);
    m_strStuName = m_vecNames[g].at(s);
    m_strStuScore = QString::number(m_vecTotalScore[g].at(s));
    m_strGroupScore = QString::number(m_nGroupScore[g]);
    UpdateData(false);
}

void CPellorDlg::OnBnClickedSaveExit()
{
    const QStringList failures = GroupScoreFile::save(m_strScoreDir, m_nNumOfClass, *this);
    if (!failures.isEmpty()) {
        // Nothing is lost: the window stays open so the teacher can mend the folder and save again.
        Prompt::app(GroupScoreFile::saveFailureMessage(failures));
        return;
    }
    UpdateData(true);
    done(QDialog::Accepted);
    if (m_nShowDonghua != 0)
        PlayGoodbyeClip();
}

void CPellorDlg::OnRefreshFields()
{
    UpdateData(false);
    repaint();
}

bool CPellorDlg::LoadBackground(const QString &)
{
    return false;
}

void CPellorDlg::keyPressEvent(QKeyEvent *event)
{
    // Escape never closes the roll-call.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPellorDlg::reject()
{
    // The title-bar close ends the window without saving.
    done(QDialog::Rejected);
}
