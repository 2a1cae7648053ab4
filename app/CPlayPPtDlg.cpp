#include "CPlayPPtDlg.h"

#include "CMyStatic.h"
#include "CSetDlg.h"
#include "CTimeJishiDlg.h"
#include "core/Countdown.h"
#include "core/RollCallLesson.h"

#include "application/CPellorApp.h"
#include "application/SettingsFile.h"
#include "records/CStudentInfoDlg.h"

#include "platform/gui/Prompt.h"
#include "platform/gui/Screen.h"
#include "platform/gui/WindowPlacement.h"

#include <QCloseEvent>
#include <QCursor>
#include <QEnterEvent>
#include <QHideEvent>
#include <QMouseEvent>
#include <QPushButton>

using ToolBarGeometry::DockSide;
using ToolBarGeometry::Rect;

CPlayPPtDlg::CPlayPPtDlg(RollCallLesson &lesson)
    : QDialog(nullptr)
    , m_timers(this, [this](int id) { OnTimer(id); })
    , m_lesson(lesson)
    , m_template(this, QStringLiteral("MS Shell Dlg"), 8, 338, 28)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    // No caption, above every window, no button in the task bar.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setModal(false);
    // Every move over the bar is a hover, not only the first.
    setMouseTracking(true);

    struct Button
    {
        int id;
        const char *caption;
        int x;
    };
    static const Button buttons[] = {
        {IDC_EXIT, "退出", 7},        {IDC_SETTINGS, "设置", 62},   {IDC_COUNTDOWN, "倒计时", 121},
        {IDC_LESSON_PLAN, "教案", 174}, {IDC_ROLL_CALL, "课堂点名", 228}, {IDC_STUDENT_INFO, "学生信息", 281},
    };
    for (const Button &b : buttons) {
        QPushButton *button = m_template.addButton(this, b.id, QString::fromUtf8(b.caption), b.x, 3, 50, 21);
        switch (b.id) {
        case IDC_EXIT:
            connect(button, &QPushButton::clicked, this, &CPlayPPtDlg::OnBnClickedExit);
            break;
        case IDC_SETTINGS:
            connect(button, &QPushButton::clicked, this, &CPlayPPtDlg::OnBnClickedSettings);
            break;
        case IDC_COUNTDOWN:
            connect(button, &QPushButton::clicked, this, &CPlayPPtDlg::OnBnClickedCountdown);
            break;
        case IDC_LESSON_PLAN:
            connect(button, &QPushButton::clicked, this, &CPlayPPtDlg::OnBnClickedLessonPlan);
            break;
        case IDC_ROLL_CALL:
            connect(button, &QPushButton::clicked, this, &CPlayPPtDlg::OnBnClickedRollCall);
            break;
        case IDC_STUDENT_INFO:
            // Enter opens the records, as the default button.
            button->setDefault(true);
            connect(button, &QPushButton::clicked, this, &CPlayPPtDlg::OnBnClickedStudentInfo);
            break;
        default:
            break;
        }
    }
}

CPlayPPtDlg::~CPlayPPtDlg() = default;

ToolBarGeometry::Measures CPlayPPtDlg::measures() const
{
    return {Screen::size(), m_nTaskbarHeight, m_nEdgeHeight, m_nFrameWidth};
}

void CPlayPPtDlg::ShowToolBar()
{
    m_created = true;
    WindowPlacement::setToolBar(this);
    show();
    move(ToolBarGeometry::topCentre(Screen::size(), size()));
    m_nTaskbarHeight = ToolBarGeometry::taskbarHeight(Screen::taskbarHeight());
    m_nEdgeHeight = ToolBarGeometry::kEdgeHeight;
    m_nFrameWidth = ToolBarGeometry::kFrameWidth;
}

void CPlayPPtDlg::OnNcHitTest(QPoint point)
{
    if (!ToolBarGeometry::hoverSlidesIn(m_nDockSide, m_bShown, point, Screen::size().width()))
        return;
    m_timers.SetTimer(kCursorWatchTimer, kCursorWatchMs);
    m_bShown = true;
    m_bSlideDone = false;
    m_bSlidingOut = false;
    m_timers.SetTimer(kSlideTimer, kSlideMs);
}

void CPlayPPtDlg::OnTimer(int nIDEvent)
{
    if (nIDEvent == kCursorWatchTimer) {
        if (!ToolBarGeometry::cursorHasLeft(QCursor::pos(), Rect::fromQRect(geometry())))
            return;
        m_timers.KillTimer(kCursorWatchTimer);
        m_bShown = false;
        m_bSlideDone = false;
        m_bSlidingOut = true;
        m_timers.SetTimer(kSlideTimer, kSlideMs);
    } else if (nIDEvent == kSlideTimer) {
        if (m_bSlideDone)
            m_timers.KillTimer(kSlideTimer);
        else if (m_bSlidingOut)
            SlideOut();
        else
            SlideIn();
    }
}

void CPlayPPtDlg::OnMoving(QPoint cursor, QRect &rect)
{
    const ToolBarGeometry::Docking before{m_nDockSide, m_bStretched, m_nSavedHeight};
    const auto placed = ToolBarGeometry::dock(cursor, Rect::fromQRect(rect), height(), before, measures());
    rect = placed.rect.toQRect();
    m_nDockSide = placed.docking.side;
    m_bStretched = placed.docking.stretched;
    m_nSavedHeight = placed.docking.savedHeight;
    // Undocked, the bar no longer slides: the cursor watch ends.
    if (m_nDockSide == DockSide::None && m_bShown && m_timers.KillTimer(kCursorWatchTimer))
        m_bShown = false;
}

void CPlayPPtDlg::OnSizing(ToolBarGeometry::SizingEdge edge, QRect &rect)
{
    rect = ToolBarGeometry::keepMinimumSize(edge, Rect::fromQRect(rect)).toQRect();
}

void CPlayPPtDlg::SlideOut()
{
    applySlide(ToolBarGeometry::slideOut(m_nDockSide, Rect::fromQRect(geometry()), measures()));
}

void CPlayPPtDlg::SlideIn()
{
    applySlide(ToolBarGeometry::slideIn(m_nDockSide, Rect::fromQRect(geometry()), measures()));
}

void CPlayPPtDlg::applySlide(const ToolBarGeometry::Step &step)
{
    if (step.done)
        m_bSlideDone = true;
    if (m_nDockSide == DockSide::None)
        return;
    setGeometry(step.rect.toQRect());
    show();
    raise();
}

void CPlayPPtDlg::OnBnClickedExit()
{
    // The roll-call window decides: it asks about a lesson not yet saved, and ends the bar
    // when the program ends.
    emit exitRequested();
}

void CPlayPPtDlg::EndToolBar()
{
    // The countdown's worker paints into its window: it ends before the window goes.
    if (m_dlgCountdown) {
        m_dlgCountdown->m_staticTime->Stop();
        g_nElapsedSeconds = 0;
        m_dlgCountdown.reset();
    }
    QDialog::done(QDialog::Rejected);
}

void CPlayPPtDlg::OnBnClickedSettings()
{
    CPellorApp &app = theApp();
    CSetDlg dlg(this);
    // The fields show the settings in effect; only the three switches are taken back.
    dlg.setTaken(CSetDlg::Taken::ToolBarSwitches);
    dlg.FillFrom(m_lesson.settings());
    dlg.m_nShowScore = app.m_bShowScore;
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_lesson.UseEffects(dlg.m_nVoice, dlg.m_nShowDonghua);
    app.m_bShowScore = dlg.m_nShowScore;
    const QString error = SettingsFile::writeToolBarSettings(m_lesson.settingsPath(), dlg.m_nVoice,
                                                             dlg.m_nShowDonghua, dlg.m_nShowScore);
    // The new switches hold for this run; the teacher learns they will not survive a restart.
    if (!error.isEmpty())
        Prompt::app(error);
}

void CPlayPPtDlg::OnBnClickedCountdown()
{
    if (!m_dlgCountdown) {
        m_dlgCountdown = std::make_unique<CTimeJishiDlg>();
        m_dlgCountdown->ShowCountdown();
        g_bCountdownVisible = 1;
        return;
    }
    // The record, not the window, decides: after the countdown hid itself one press only
    // puts the record right.
    m_dlgCountdown->setVisible(g_bCountdownVisible == 0);
    g_bCountdownVisible = g_bCountdownVisible == 0 ? 1 : 0;
}

void CPlayPPtDlg::OnBnClickedLessonPlan()
{
    emit lessonPlanRequested();
}

void CPlayPPtDlg::OnBnClickedRollCall()
{
    emit rollCallRequested();
}

void CPlayPPtDlg::OnBnClickedStudentInfo()
{
    // Owned by the bar, so that it opens above it.
    CStudentInfoDlg dlg(this);
    dlg.exec();
}

void CPlayPPtDlg::reject()
{
    OnBnClickedExit();
}

void CPlayPPtDlg::closeEvent(QCloseEvent *event)
{
    // The bar goes only when the program does.
    event->ignore();
    OnBnClickedExit();
}

void CPlayPPtDlg::hideEvent(QHideEvent *event)
{
    m_timers.KillTimer(kCursorWatchTimer);
    m_timers.KillTimer(kSlideTimer);
    m_bShown = false;
    QDialog::hideEvent(event);
}

void CPlayPPtDlg::enterEvent(QEnterEvent *event)
{
    OnNcHitTest(event->globalPosition().toPoint());
    QDialog::enterEvent(event);
}

// The bar has no caption: it is dragged by its body, and every place it is dragged to goes
// through the docking zones.
void CPlayPPtDlg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QDialog::mousePressEvent(event);
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
    event->accept();
}

void CPlayPPtDlg::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint cursor = event->globalPosition().toPoint();
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        QRect proposed(cursor - m_dragOffset, size());
        OnMoving(cursor, proposed);
        setGeometry(proposed);
        event->accept();
        return;
    }
    m_dragging = false;
    OnNcHitTest(cursor);
    QDialog::mouseMoveEvent(event);
}

void CPlayPPtDlg::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return QDialog::mouseReleaseEvent(event);
    m_dragging = false;
    // Dropped at an edge, the bar under the cursor counts as hovered.
    OnNcHitTest(event->globalPosition().toPoint());
    event->accept();
}
