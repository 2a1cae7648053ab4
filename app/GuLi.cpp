#include "GuLi.h"

#include "EgihtDlg.h"

#include <QPushButton>

GuLi::GuLi(QWidget *parent)
    : CFeedbackDlg(IDD, QStringLiteral("基本正确"), 129, 50, 36, QStringLiteral("res/photo/3.jpg"), parent)
{
    addStatic(QStringLiteral("恭喜，此次回答基本正确"), 18, 15, 90, 8, Qt::AlignHCenter);
    QPushButton *ok = addButton(IDC_OK, QStringLiteral("确定"), 47, 37, 29, 9);
    connect(ok, &QPushButton::clicked, this, &GuLi::OnBnClickedOk);
}

void GuLi::OnBnClickedOk()
{
    OnOK();
    EgihtDlg dlg(parentWidget());
    dlg.exec();
}
