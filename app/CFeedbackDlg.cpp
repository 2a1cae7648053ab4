#include "CFeedbackDlg.h"

#include "LoadImageToBitmap.h"
#include "application/CPellorApp.h"

#include "platform/base/ProgramFolder.h"
#include "platform/gui/WindowPlacement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

CFeedbackDlg::CFeedbackDlg(int templateId, const QString &caption, int width, int height, int pointSize,
                           const QString &picture, QWidget *parent)
    : QDialog(parent)
    , m_template(this, QStringLiteral("黑体"), pointSize, width, height)
    , m_strPicture(picture)
{
    setObjectName(QStringLiteral("dialog%1").arg(templateId));
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    WindowPlacement::keepOnScreen(this);
}

QString CFeedbackDlg::picturePath() const
{
    return ProgramFolder::join(theApp().programFolder(), m_strPicture);
}

QLabel *CFeedbackDlg::addStatic(const QString &text, int x, int y, int w, int h, Qt::Alignment align)
{
    auto label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("static%1").arg(m_statics.size() + 1));
    label->setAlignment(align | Qt::AlignTop);
    // Red text with no box of its own, straight on the picture.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label->setPalette(palette);
    label->setAutoFillBackground(false);
    m_template.place(label, x, y, w, h);
    m_statics.append(label);
    return label;
}

QPushButton *CFeedbackDlg::addButton(int id, const QString &caption, int x, int y, int w, int h)
{
    auto button = new QPushButton(caption, this);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    // Enter is the dialog's OK whichever button has the focus.
    button->setAutoDefault(false);
    m_template.place(button, x, y, w, h);
    return button;
}

bool CFeedbackDlg::OnInitDialog()
{
    QPixmap bitmap;
    LoadImageToBitmap(this, bitmap, picturePath());
    m_brushBack = applyBackgroundBrush(this, bitmap);
    return true;
}

void CFeedbackDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
}

void CFeedbackDlg::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        return;
    case Qt::Key_Escape:
        OnCancel();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CFeedbackDlg::OnOK()
{
    done(IDOK);
}

void CFeedbackDlg::OnCancel()
{
    done(IDCANCEL);
}

void CFeedbackDlg::accept()
{
    OnOK();
}

void CFeedbackDlg::reject()
{
    OnCancel();
}
