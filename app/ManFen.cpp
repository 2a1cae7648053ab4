#include "ManFen.h"

#include "TenScore.h"

#include <QPushButton>

ManFen::ManFen(QWidget *parent)
    : CFeedbackDlg(IDD, QStringLiteral("满分"), 132, 55, 36, QStringLiteral("res/photo/2.jpg"), parent)
{
    addStatic(QStringLiteral("恭喜，您此次回答得了满分"), 9, 16, 114, 14);
    QPushButton *ok = addButton(IDC_OK, QStringLiteral("确定"), 51, 38, 32, 10);
    connect(ok, &QPushButton::clicked, this, &ManFen::OnBnClickedOk);
}

void ManFen::OnBnClickedOk()
{
    OnOK();
    TenScore dlg(parentWidget());
    dlg.exec();
}
