#include "CTimeJishiDlg.h"

#include "CMyStatic.h"
#include "core/Countdown.h"

#include "platform/gui/Screen.h"
#include "platform/gui/WindowPlacement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

CTimeJishiDlg::CTimeJishiDlg(QWidget *parent)
    : QDialog(parent)
    , m_template(this, QStringLiteral("MS Shell Dlg"), 8, 63, 17)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setModal(false);

    m_staticTime = new CMyStatic(this);
    m_staticTime->setObjectName(QStringLiteral("static%1").arg(IDC_TIME));
    m_staticTime->setText(QStringLiteral("倒计时"));
    m_template.place(m_staticTime, 3, 5, 25, 10);

    m_comboMinutes = new QComboBox(this);
    m_comboMinutes->setObjectName(QStringLiteral("combo%1").arg(IDC_MINUTES));
    m_comboMinutes->setEditable(true);
    m_comboMinutes->setInsertPolicy(QComboBox::NoInsert);
    m_template.place(m_comboMinutes, 37, 2, 24, 13);
    // Enter in the edit field, or the focus leaving it, would pick a matching entry; only
    // the list starts a count.
    m_comboMinutes->lineEdit()->installEventFilter(this);
    disconnect(m_comboMinutes->lineEdit(), &QLineEdit::editingFinished, m_comboMinutes, nullptr);

    connect(m_comboMinutes, &QComboBox::activated, this, &CTimeJishiDlg::OnCbnSelchangeMinutes);
}

CTimeJishiDlg::~CTimeJishiDlg()
{
    m_staticTime->Stop();
}

void CTimeJishiDlg::ShowCountdown()
{
    // The window is made once; the tool bar shows and hides it from then on. Made again, it
    // would empty the list under a running count and change the interval its worker reads.
    if (m_created)
        return;
    m_created = true;
    show();
    WindowPlacement::placeFrameAt(this, QPoint(Screen::size().width() - kRightOffset, 0));
    raise();
    m_staticTime->m_nInterval = kTickMs;
    m_comboMinutes->clear();
    for (int i = 0; i < Countdown::kLengthCount; ++i)
        m_comboMinutes->insertItem(i, QString::number(Countdown::kLengths[i]));
    m_comboMinutes->setCurrentIndex(-1);
    // The field is as wide as its longest length needs beside its arrow ("10" showed as
    // "l0" in the template's width); the window grows with it.
    m_comboMinutes->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int needed = m_comboMinutes->sizeHint().width();
    if (needed > m_comboMinutes->width()) {
        m_comboMinutes->resize(needed, m_comboMinutes->height());
        resize(m_comboMinutes->geometry().right() + 1 + m_template.toPixelsX(2), height());
    }
    setWindowOpacity(kAlpha / 255.0);
}

void CTimeJishiDlg::OnCbnSelchangeMinutes()
{
    const int index = m_comboMinutes->currentIndex();
    m_staticTime->Stop();
    g_nElapsedSeconds = 0;
    m_staticTime->m_nMinutes = Countdown::minutesForIndex(index, m_staticTime->m_nMinutes);
    m_staticTime->Start();
}

void CTimeJishiDlg::HideOnClose()
{
    hide();
}

void CTimeJishiDlg::closeEvent(QCloseEvent *event)
{
    event->ignore();
    HideOnClose();
}

void CTimeJishiDlg::reject()
{
    HideOnClose();
}

bool CTimeJishiDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == m_comboMinutes->lineEdit()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The window has no caption: it is dragged by its body.
void CTimeJishiDlg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QDialog::mousePressEvent(event);
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
    event->accept();
}

void CTimeJishiDlg::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        m_dragging = false;
        return QDialog::mouseMoveEvent(event);
    }
    move(event->globalPosition().toPoint() - m_dragOffset);
    event->accept();
}
