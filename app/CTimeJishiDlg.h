#pragma once

#include "platform/gui/DialogTemplate.h"

#include <QDialog>
#include <QPoint>

class CMyStatic;
class QComboBox;

// The countdown: a small, semi-transparent window at the top right of the screen that
// counts a lesson segment down. Created on first use by the tool bar and hidden, not
// destroyed, by a close request; the count goes on while it is hidden.
class CTimeJishiDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 182;
    static constexpr int IDC_TIME = 1058;
    static constexpr int IDC_MINUTES = 1011;
    static constexpr int kTickMs = 1000;
    static constexpr int kAlpha = 190;
    static constexpr int kRightOffset = 200;

    explicit CTimeJishiDlg(QWidget *parent = nullptr);
    ~CTimeJishiDlg() override;

    CMyStatic *m_staticTime = nullptr;
    QComboBox *m_comboMinutes = nullptr;

    // Shows the window topmost at the top right of the screen with the lengths offered;
    // nothing is counted until a length is chosen. Once the window is made, a further call
    // changes nothing, whether a count runs or not.
    void ShowCountdown();
    // A length chosen from the list: the count starts again from its full length.
    void OnCbnSelchangeMinutes();
    void HideOnClose();

    bool isCreated() const { return m_created; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    DialogTemplate m_template;
    QPoint m_dragOffset;
    bool m_dragging = false;
    bool m_created = false;
};
