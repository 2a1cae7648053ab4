#pragma once

#include "CFeedbackDlg.h"

// "回答错误": encouragement after a wrong answer; "确定" plays a clip.
class YongQi : public CFeedbackDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 132;
    static constexpr int IDC_OK = 1003;
    explicit YongQi(QWidget *parent = nullptr);

    // Closes the dialog, then plays the follow-on clip; the caller regains control only
    // after the clip window has closed. Enter and Esc close without it.
    void OnBnClickedOk();
};
