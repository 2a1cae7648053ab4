#pragma once

#include "platform/gui/DialogTemplate.h"

#include <QBrush>
#include <QDialog>
#include <QTimer>

class QLabel;
class RollCallLesson;
class QPushButton;

// "击鼓传花": while the drum loops, a student is drawn on every beat, 200 ms apart, and shown
// here and in the main window; the last draw is the pick. Created on the first pick with
// the drum effect, hidden rather than destroyed when closed, and run again by later picks.
// Each draw is the lesson's: it puts the student on call, and the main window shows it.
class CJiguDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 152;
    static constexpr int kStartTimer = 1;
    static constexpr int kStartDelayMs = 50;
    static constexpr int kBeatPauseMs = 200;

    // The main window is the owner: the game takes input while that window runs modally,
    // and goes with it.
    CJiguDlg(QWidget *owner, RollCallLesson &lesson);
    ~CJiguDlg() override;

    QBrush m_brushBack;
    int m_nGroup = 0;
    QString m_strName;
    int m_nRemaining = 0;
    int m_nBeats = 0;
    QString m_strScore;
    QString m_strRemainLabel;
    QString m_strGroup;

    // Whether every beat draws a group: the random group choice in effect, read from the
    // lesson at each beat, so that a change in "设置" counts from the next run on.
    int m_bRandomGroup() const;

    // The next run: the beats in effect, and the group picked.
    void PrepareRun(int group);
    // Creates the window, shows it at the screen's top-left corner and starts the first run
    // shortly after.
    void ShowJigu();
    // One run of the drum.
    void StartJigu();
    // "重新选择": another run with the current settings.
    void OnBnClickedRepick();
    void OnTimer(int nIDEvent);
    // "确定", the close box and Esc: hides the window, and ends a run at its next beat.
    void HideOnClose();
    // Members into the statics (false) or back.
    void UpdateData(bool saveAndValidate);

    bool isCreated() const { return m_created; }
    const QTimer &startTimer() const { return m_startTimer; }
    QLabel *staticControl(int id) const;

protected:
    bool OnInitDialog();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    void accept() override;

private:
    QLabel *addStatic(int id, int x, int y, int w, int h);
    // Delivers what waits for the game's own window; the other windows' input is dropped.
    void TakeOwnInput();
    // The group a run draws in is gone or empty since: the group the main window shows stands
    // in for it. False, after saying why, when no draw is possible at all.
    bool CanRun();
    // The last draw while it is on call, its score as it stands; nothing once it is not.
    void ShowDrawOnCall();
    QString scoreText(int group, int number) const;

    RollCallLesson &m_lesson;
    DialogTemplate m_template;
    QTimer m_startTimer;
    QLabel *m_staticName = nullptr;
    QLabel *m_staticScore = nullptr;
    QLabel *m_staticGroup = nullptr;
    QLabel *m_staticRemainLabel = nullptr;
    QLabel *m_staticRemaining = nullptr;
    QPushButton *m_btnRepick = nullptr;
    QPushButton *m_btnOk = nullptr;
    bool m_created = false;
    bool m_running = false;
    bool m_bStopRun = false;
    // The draw the statics show, number 0 for none.
    int m_nDrawGroup = -1;
    int m_nDrawNumber = 0;
};
