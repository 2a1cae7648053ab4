#include "YongQi.h"

#include "fiveScore.h"

#include <QPushButton>

YongQi::YongQi(QWidget *parent)
    : CFeedbackDlg(IDD, QStringLiteral("回答错误"), 119, 55, 36, QStringLiteral("res/photo/3.jpg"), parent)
{
    addStatic(QStringLiteral(" 继续努力呀~~"), 28, 19, 52, 8);
    QPushButton *ok = addButton(IDC_OK, QStringLiteral("确定"), 40, 42, 27, 9);
    connect(ok, &QPushButton::clicked, this, &YongQi::OnBnClickedOk);
}

void YongQi::OnBnClickedOk()
{
    OnOK();
    fiveScore dlg(parentWidget());
    dlg.exec();
}
