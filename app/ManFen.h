#pragma once

#include "CFeedbackDlg.h"

// "满分": full marks; "确定" celebrates with a clip.
class ManFen : public CFeedbackDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 133;
    static constexpr int IDC_OK = 1003;
    explicit ManFen(QWidget *parent = nullptr);

    // Closes the dialog, then plays the follow-on clip; the caller regains control only
    // after the clip window has closed. Enter and Esc close without it.
    void OnBnClickedOk();
};
