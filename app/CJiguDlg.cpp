#include "CJiguDlg.h"

#include "CPellorDlg.h"
#include "LoadImageToBitmap.h"
#include "application/CPellorApp.h"
#include "core/RollCallPick.h"

#include "platform/base/ProgramFolder.h"
#include "platform/gui/Pause.h"
#include "platform/gui/Sound.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

CJiguDlg::CJiguDlg(CPellorDlg *owner)
    : QDialog(owner)
    , m_strRemainLabel(QStringLiteral("剩余："))
    , m_template(this, QStringLiteral("MS Shell Dlg"), 8, 251, 297)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    setWindowTitle(QStringLiteral("击鼓传花"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    setModal(false);

    m_staticName = addStatic(1038, 7, 7, 147, 53);
    m_staticScore = addStatic(1035, 159, 7, 85, 57);
    m_staticGroup = addStatic(1042, 7, 63, 227, 69);
    m_staticRemainLabel = addStatic(1037, 7, 128, 128, 54);
    m_staticRemaining = addStatic(1034, 155, 128, 96, 54);

    m_btnRepick = new QPushButton(QStringLiteral("重新选择"), this);
    m_btnRepick->setObjectName(QStringLiteral("button2"));
    m_btnRepick->setAutoDefault(false);
    m_template.place(m_btnRepick, 33, 273, 57, 17);
    m_btnOk = new QPushButton(QStringLiteral("确定"), this);
    m_btnOk->setObjectName(QStringLiteral("button1"));
    m_btnOk->setDefault(true);
    m_template.place(m_btnOk, 143, 273, 53, 17);

    m_startTimer.setObjectName(QStringLiteral("startTimer"));
    m_startTimer.setSingleShot(true);
    connect(&m_startTimer, &QTimer::timeout, this, [this] { OnTimer(kStartTimer); });
    connect(m_btnRepick, &QPushButton::clicked, this, &CJiguDlg::OnBnClickedRepick);
    connect(m_btnOk, &QPushButton::clicked, this, &CJiguDlg::HideOnClose);
}

CJiguDlg::~CJiguDlg() = default;

QLabel *CJiguDlg::addStatic(int id, int x, int y, int w, int h)
{
    auto label = new QLabel(this);
    label->setObjectName(QStringLiteral("static%1").arg(id));
    QFont font = label->font();
    font.setPixelSize(50);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label->setPalette(palette);
    label->setAutoFillBackground(false);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_template.place(label, x, y, w, h);
    return label;
}

QLabel *CJiguDlg::staticControl(int id) const
{
    return findChild<QLabel *>(QStringLiteral("static%1").arg(id));
}

void CJiguDlg::ShowJigu(CPellorDlg *parent)
{
    m_pParentDlg = parent;
    OnInitDialog();
    m_created = true;
    show();
    move(0, 0);
}

bool CJiguDlg::OnInitDialog()
{
    UpdateData(false);
    QString appDir = theApp().m_strAppDir;
    if (appDir.isEmpty())
        appDir = ProgramFolder::executableFolder();
    QPixmap bitmap;
    LoadImageToBitmap(this, bitmap, ProgramFolder::join(appDir, QStringLiteral("res/photo/4.jpg")),
                      PictureOpenFailure::Report);
    m_brushBack = applyBackgroundBrush(this, bitmap);
    m_startTimer.start(kStartDelayMs);
    return true;
}

void CJiguDlg::OnTimer(int nIDEvent)
{
    if (nIDEvent != kStartTimer)
        return;
    m_startTimer.stop();
    StartJigu();
}

void CJiguDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate)
        return; // the statics are only shown, never edited
    m_staticName->setText(m_strName);
    m_staticScore->setText(m_strScore);
    m_staticGroup->setText(m_strGroup);
    m_staticRemainLabel->setText(m_strRemainLabel);
    m_staticRemaining->setText(QString::number(m_nRemaining));
}

void CJiguDlg::StartJigu()
{
    // A beat pauses with repainting; a timer must not start a second run inside the first.
    if (m_running || !m_pParentDlg)
        return;
    m_running = true;
    CPellorDlg &main = *m_pParentDlg;
    m_nRemaining = m_nBeats;

    QString appDir = theApp().m_strAppDir;
    if (appDir.isEmpty())
        appDir = main.m_strAppDir;
    Sound::play(ProgramFolder::join(appDir, QStringLiteral("res/声音/gu.wav")), Sound::Mode::Looped);

    // Without beats nothing is drawn and the group selection stays as it is.
    int g = m_nGroup;
    for (int i = 0; i < m_nBeats; ++i) {
        if (m_bRandomGroup)
            g = RollCallPick::randomGroupWithStudents(main, main.m_nNumOfClass);
        else
            g = m_nGroup;
        if (g < 0 || g >= RollCallTables::kMaxGroups || main.m_nGroupCount[g] <= 0)
            break; // no student to call anywhere
        m_strGroup = QStringLiteral("小组：   %1").arg(g + 1);
        Pause::pause(kBeatPauseMs);

        const RollCallPick::Draw draw = RollCallPick::drawStudent(main, g);
        main.m_strStuNumber = QString::number(draw.number);
        main.m_strStuName = draw.name;
        main.m_strStuScore = QString::number(draw.total);
        main.m_strGroupScore = QString::number(draw.groupScore);
        m_strName = main.m_strStuName;
        m_strScore = main.m_nSelectClass != 0 ? main.m_strGroupScore : main.m_strStuScore;
        m_nRemaining = m_nBeats - i - 1;

        UpdateData(false);
        repaint();
        main.OnRefreshFields();
    }
    if (g >= 0 && g < RollCallTables::kMaxGroups && g != m_nGroup) {
        // Only the selection moves: the main window's number list stays as it is.
        if (g < main.m_comboGroup->count()) {
            main.m_comboGroup->setCurrentIndex(g);
            main.m_comboGroup->repaint();
        }
        m_nGroup = g;
    }
    Sound::stop();
    m_running = false;
}

void CJiguDlg::OnBnClickedRepick()
{
    StartJigu();
}

void CJiguDlg::HideOnClose()
{
    hide();
}

void CJiguDlg::closeEvent(QCloseEvent *event)
{
    HideOnClose();
    event->ignore();
}

void CJiguDlg::reject()
{
    HideOnClose();
}

void CJiguDlg::accept()
{
    HideOnClose();
}
