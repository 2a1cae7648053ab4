#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program icon, the product title with its version, and OK.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget *parent = nullptr);

    static QString productLine(); // "Quorinde, Version 3.1"

    QLabel *m_staticIcon = nullptr;
    QLabel *m_staticTitle = nullptr;
    QPushButton *m_btnOk = nullptr;
};
