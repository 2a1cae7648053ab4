#pragma once

#include "CFeedbackDlg.h"

// "未旷课": asks for the grade of the answer and returns it. Enter is "加油" (1), Esc "好"
// (2), "非常好" 255, and the close box 5, which grades nothing.
class WeiKuangKe : public CFeedbackDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 129;
    static constexpr int kVeryGood = 255;
    static constexpr int kClosed = 5;

    explicit WeiKuangKe(QWidget *parent = nullptr);

    QPushButton *m_btnJiayou = nullptr;
    QPushButton *m_btnHao = nullptr;
    QPushButton *m_btnFeichanghao = nullptr;

    void OnBnClickedVeryGood();
    void OnClose();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};
