#include "CJiguDlg.h"

#include "LoadImageToBitmap.h"
#include "application/CPellorApp.h"
#include "core/RollCallLesson.h"

#include "platform/base/ProgramFolder.h"
#include "platform/gui/Pause.h"
#include "platform/gui/Prompt.h"
#include "platform/gui/Sound.h"
#include "platform/gui/WindowPlacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWindow>
#include <QLabel>
#include <QPushButton>

CJiguDlg::CJiguDlg(QWidget *owner, RollCallLesson &lesson)
    : QDialog(owner)
    , m_strRemainLabel(QStringLiteral("剩余："))
    , m_lesson(lesson)
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
    // Beats set anew in the settings count from the next run on.
    connect(&m_lesson, &RollCallLesson::settingsChanged, this,
            [this] { m_nBeats = m_lesson.settings().m_nNumOfJiGu; });
    connect(&m_lesson, &RollCallLesson::studentOnCallChanged, this, &CJiguDlg::ShowDrawOnCall);
    connect(&m_lesson, &RollCallLesson::scoresChanged, this, &CJiguDlg::ShowDrawOnCall);
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

int CJiguDlg::m_bRandomGroup() const
{
    return m_lesson.settings().m_nSelectClass;
}

void CJiguDlg::PrepareRun(int group)
{
    m_nBeats = m_lesson.settings().m_nNumOfJiGu;
    m_nRemaining = m_nBeats;
    m_nGroup = group;
}

void CJiguDlg::ShowJigu()
{
    OnInitDialog();
    m_created = true;
    show();
    WindowPlacement::placeFrameAt(this, QPoint(0, 0));
}

bool CJiguDlg::OnInitDialog()
{
    UpdateData(false);
    QPixmap bitmap;
    LoadImageToBitmap(this, bitmap, ProgramFolder::join(theApp().programFolder(), QStringLiteral("res/photo/4.jpg")),
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

bool CJiguDlg::CanRun()
{
    using Refusal = RollCallLesson::PickRefusal;
    Refusal refusal = Refusal::None;
    if (m_bRandomGroup()) {
        if (!m_lesson.HasGroupWithStudents())
            refusal = Refusal::NoGroupWithStudents;
    } else {
        if (!m_lesson.HasStudents(m_nGroup))
            m_nGroup = m_lesson.currentGroup();
        if (!m_lesson.HasStudents(m_nGroup))
            refusal = Refusal::EmptyGroup;
    }
    if (refusal == Refusal::None)
        return true;
    Prompt::box(this, RollCallLesson::refusalText(refusal), {}, Prompt::OkOnly, Prompt::NoIcon);
    return false;
}

QString CJiguDlg::scoreText(int group, int number) const
{
    const RollCallTables &tables = m_lesson.tables();
    if (!tables.hasStudent(group, number))
        return {};
    return QString::number(m_bRandomGroup() != 0 ? tables.m_nGroupScore[group]
                                                  : tables.m_vecTotalScore[group].at(number - 1));
}

void CJiguDlg::ShowDrawOnCall()
{
    // During a run each beat shows its own draw.
    if (m_running)
        return;
    const bool onCall = m_nDrawNumber != 0 && m_lesson.currentGroup() == m_nDrawGroup
        && m_lesson.StudentOnCall() == m_nDrawNumber;
    if (onCall) {
        m_strScore = scoreText(m_nDrawGroup, m_nDrawNumber);
    } else {
        m_nDrawNumber = 0;
        m_strName.clear();
        m_strScore.clear();
        m_strGroup.clear();
    }
    UpdateData(false);
}

void CJiguDlg::StartJigu()
{
    // A beat pauses with repainting; a timer must not start a second run inside the first.
    if (m_running || !m_created || !CanRun())
        return;
    m_running = true;
    m_nRemaining = m_nBeats;

    Sound::play(ProgramFolder::join(theApp().programFolder(), QStringLiteral("res/声音/gu.wav")),
                Sound::Mode::Looped);

    // Without beats nothing is drawn and the group selection stays as it is.
    m_bStopRun = false;
    int g = m_nGroup;
    for (int i = 0; i < m_nBeats; ++i) {
        const int beatGroup = m_bRandomGroup() ? m_lesson.DrawGroup() : m_nGroup;
        if (!m_lesson.HasStudents(beatGroup))
            break; // no student to call anywhere
        m_strGroup = QStringLiteral("小组：   %1").arg(beatGroup + 1);
        Pause::pause(kBeatPauseMs);
        // The pause keeps the teacher's input back; between beats the game takes its own
        // close box and Esc, so that a long run can be ended.
        TakeOwnInput();
        if (m_bStopRun)
            break;
        g = beatGroup;

        // On call at once: the main window shows the draw, in the group list too.
        const RollCallPick::Draw draw = m_lesson.Draw(g);
        m_nDrawGroup = g;
        m_nDrawNumber = draw.number;
        m_strName = draw.name;
        m_strScore = scoreText(g, draw.number);
        m_nRemaining = m_nBeats - i - 1;

        UpdateData(false);
        repaint();
    }
    // "重新选择" in random-group mode starts from the group of the last draw.
    m_nGroup = g;
    Sound::stop();
    m_running = false;
}

void CJiguDlg::OnBnClickedRepick()
{
    StartJigu();
}

void CJiguDlg::HideOnClose()
{
    m_bStopRun = true;
    hide();
}

void CJiguDlg::TakeOwnInput()
{
    qApp->installEventFilter(this);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(this);
}

bool CJiguDlg::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Close:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
        break;
    default:
        return false;
    }
    // Input for the other windows waits no more than it did in the pause: it is dropped.
    if (auto widget = qobject_cast<QWidget *>(watched))
        return widget->window() != this;
    if (auto window = qobject_cast<QWindow *>(watched))
        return window != windowHandle();
    return false;
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
