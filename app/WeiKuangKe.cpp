#include "WeiKuangKe.h"

#include <QCloseEvent>
#include <QPushButton>

WeiKuangKe::WeiKuangKe(QWidget *parent)
    : CFeedbackDlg(IDD, QStringLiteral("未旷课"), 93, 125, 22, QStringLiteral("res/photo/1.jpg"), parent)
{
    m_btnJiayou = addButton(1, QStringLiteral("加油"), 28, 12, 37, 14);
    m_btnHao = addButton(2, QStringLiteral("好"), 28, 56, 37, 14);
    m_btnFeichanghao = addButton(3, QStringLiteral("非常好"), 28, 99, 37, 14);
    connect(m_btnJiayou, &QPushButton::clicked, this, &WeiKuangKe::OnOK);
    connect(m_btnHao, &QPushButton::clicked, this, &WeiKuangKe::OnCancel);
    connect(m_btnFeichanghao, &QPushButton::clicked, this, &WeiKuangKe::OnBnClickedVeryGood);
}

void WeiKuangKe::OnBnClickedVeryGood()
{
    done(kVeryGood);
}

void WeiKuangKe::OnClose()
{
    done(kClosed);
}

void WeiKuangKe::showEvent(QShowEvent *event)
{
    CFeedbackDlg::showEvent(event);
    raise();
    activateWindow();
}

void WeiKuangKe::closeEvent(QCloseEvent *event)
{
    OnClose();
    event->accept();
}
