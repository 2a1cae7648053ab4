#pragma once

#include "CFeedbackDlg.h"

// "基本正确": the answer was good; "确定" celebrates with a clip.
class GuLi : public CFeedbackDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 131;
    static constexpr int IDC_OK = 1003;
    explicit GuLi(QWidget *parent = nullptr);

    // Closes the dialog, then plays the follow-on clip; the caller regains control only
    // after the clip window has closed. Enter and Esc close without it.
    void OnBnClickedOk();
};
