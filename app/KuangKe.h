#pragma once

#include "CFeedbackDlg.h"

// "旷课": tells an absent student that this lesson's score is zero. "确定" and Enter
// confirm (1); Esc and the close box return 2.
class KuangKe : public CFeedbackDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 130;
    explicit KuangKe(QWidget *parent = nullptr);
};
