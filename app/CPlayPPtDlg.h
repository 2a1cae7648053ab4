#pragma once

#include "WindowTimers.h"
#include "core/ToolBarGeometry.h"

#include "platform/gui/DialogTemplate.h"

#include <QDialog>
#include <QPoint>

#include <memory>

class CTimeJishiDlg;
class RollCallLesson;
class QPushButton;

// The presentation tool bar: a thin, always-on-top strip of six buttons that stands in for
// the main window while the teacher presents. Moved with the cursor to a screen edge it
// docks there; docked, it slides out of sight when the cursor leaves it, leaving a strip,
// and slides back when the cursor comes over the strip. Created on first use and kept. What
// belongs to the roll-call window (its return, the lesson plans, the way out) it asks for
// with a signal; the effect switches of its settings it gives to the lesson.
class CPlayPPtDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 160;

    enum ControlId {
        IDC_EXIT = 2,
        IDC_SETTINGS = 1014,
        IDC_COUNTDOWN = 1007,
        IDC_LESSON_PLAN = 1004,
        IDC_ROLL_CALL = 1003,
        IDC_STUDENT_INFO = 1,
    };

    enum TimerId { kCursorWatchTimer = 1, kSlideTimer = 2 };
    static constexpr int kCursorWatchMs = 200;
    static constexpr int kSlideMs = 50;

    explicit CPlayPPtDlg(RollCallLesson &lesson);
    ~CPlayPPtDlg() override;

    // Docked at a side edge, the height stretched to the screen's.
    bool m_bStretched = false;
    // Slid in; the cursor watch runs.
    bool m_bShown = false;
    int m_nSavedHeight = ToolBarGeometry::kDefaultSavedHeight;
    int m_nTaskbarHeight = ToolBarGeometry::kDefaultTaskbarHeight;
    int m_nEdgeHeight = 0;
    int m_nFrameWidth = 0;
    ToolBarGeometry::DockSide m_nDockSide = ToolBarGeometry::DockSide::Top;
    bool m_bSlideDone = false;
    // The slide timer slides out (true) or in.
    bool m_bSlidingOut = true;
    // The countdown, created by the first "倒计时".
    std::unique_ptr<CTimeJishiDlg> m_dlgCountdown;
    WindowTimers m_timers;

    // Shows the bar at the top centre of the screen and measures the screen's edges.
    void ShowToolBar();
    bool isCreated() const { return m_created; }
    // The program ends: the countdown stops before its window goes, then the bar.
    void EndToolBar();

    // The cursor over the bar: a docked bar that has slid out slides back in and the cursor
    // watch starts.
    void OnNcHitTest(QPoint point);
    void OnTimer(int nIDEvent);
    // A move's proposed rectangle, docked by the cursor's position.
    void OnMoving(QPoint cursor, QRect &rect);
    // A resize's proposed rectangle, kept at the minimum size. The bar offers no sizing
    // border; this is what a resize by the window manager would go through.
    void OnSizing(ToolBarGeometry::SizingEdge edge, QRect &rect);
    void SlideOut();
    void SlideIn();

    void OnBnClickedExit();
    void OnBnClickedSettings();
    void OnBnClickedCountdown();
    void OnBnClickedLessonPlan();
    void OnBnClickedRollCall();
    void OnBnClickedStudentInfo();

signals:
    void exitRequested();
    void lessonPlanRequested();
    void rollCallRequested();

protected:
    // Esc and the window manager's close are "退出".
    void reject() override;
    void closeEvent(QCloseEvent *event) override;
    // Hidden, the bar neither watches the cursor nor slides: a slide step would show it again.
    void hideEvent(QHideEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ToolBarGeometry::Measures measures() const;
    void applySlide(const ToolBarGeometry::Step &step);

    RollCallLesson &m_lesson;
    DialogTemplate m_template;
    QPoint m_dragOffset;
    bool m_dragging = false;
    bool m_created = false;
};
