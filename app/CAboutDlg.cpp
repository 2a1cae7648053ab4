#include "CAboutDlg.h"

#include "PellorStartup.h"

#include "platform/gui/DialogTemplate.h"
#include "platform/gui/WindowPlacement.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About ") + PellorStartup::kProductName);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 170, 62);

    m_staticIcon = new QLabel(this);
    m_staticIcon->setObjectName(QStringLiteral("iconAbout"));
    const QRect iconRect = tmpl.toPixels(14, 14, 21, 20);
    m_staticIcon->setGeometry(iconRect);
    m_staticIcon->setPixmap(PellorStartup::programIcon().pixmap(32, 32));
    m_staticIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_staticTitle = new QLabel(productLine(), this);
    m_staticTitle->setObjectName(QStringLiteral("staticTitle"));
    tmpl.place(m_staticTitle, 42, 14, 114, 8);

    m_btnOk = new QPushButton(QStringLiteral("OK"), this);
    m_btnOk->setObjectName(QStringLiteral("button1"));
    m_btnOk->setDefault(true);
    tmpl.place(m_btnOk, 113, 41, 50, 14);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    WindowPlacement::keepOnScreen(this);
}

QString CAboutDlg::productLine()
{
    return PellorStartup::kProductName + QStringLiteral(", Version 3.1");
}
