#include "KuangKe.h"

#include <QPushButton>

KuangKe::KuangKe(QWidget *parent)
    : CFeedbackDlg(IDD, QStringLiteral("旷课"), 136, 58, 36, QStringLiteral("res/photo/2.jpg"), parent)
{
    addStatic(QStringLiteral("很抱歉，因为您旷课"), 33, 5, 81, 8);
    addStatic(QStringLiteral("此节成绩为零（0）"), 39, 18, 76, 10);
    addStatic(QStringLiteral("望诸位同学，以此为鉴"), 30, 32, 89, 10);
    QPushButton *ok = addButton(IDOK, QStringLiteral("确定"), 58, 44, 26, 8);
    connect(ok, &QPushButton::clicked, this, &KuangKe::OnOK);
}
