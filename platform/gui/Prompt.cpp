#include "Prompt.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace Prompt {

namespace {

QMessageBox::StandardButtons standardButtons(Buttons buttons)
{
    switch (buttons) {
    case OkOnly:
        return QMessageBox::Ok;
    case OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

int resultOf(int standardButton)
{
    switch (standardButton) {
    case QMessageBox::Ok:
        return Ok;
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Retry:
        return Retry;
    default:
        return Cancel;
    }
}

QMessageBox::Icon messageIcon(Icon icon)
{
    switch (icon) {
    case NoIcon:
        return QMessageBox::NoIcon;
    case Information:
        return QMessageBox::Information;
    case Warning:
        return QMessageBox::Warning;
    case Question:
        return QMessageBox::Question;
    case Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::Warning;
}

class DialogHandler final : public Handler
{
public:
    int message(QWidget *owner, const Message &m) override
    {
        const QString caption = m.caption.isEmpty() ? QApplication::applicationName() : m.caption;
        QMessageBox box(messageIcon(m.icon), caption, m.text, standardButtons(m.buttons),
                        m.applicationBox ? nullptr : owner);
        return resultOf(box.exec());
    }

    QString fileName(QWidget *owner, const FileRequest &r) override
    {
        return r.save ? QFileDialog::getSaveFileName(owner, r.caption, r.directory, r.filter)
                      : QFileDialog::getOpenFileName(owner, r.caption, r.directory, r.filter);
    }

    bool font(QWidget *owner, QFont &font, QColor &) override
    {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, owner);
        if (ok)
            font = chosen;
        return ok;
    }

    bool color(QWidget *owner, QColor &color) override
    {
        const QColor chosen = QColorDialog::getColor(color, owner);
        if (!chosen.isValid())
            return false;
        color = chosen;
        return true;
    }
};

DialogHandler g_dialogs;
Handler *g_handler = nullptr;

Handler &handler()
{
    return g_handler ? *g_handler : g_dialogs;
}

} // namespace

int app(const QString &text)
{
    return handler().message(nullptr, Message{text, {}, OkOnly, Warning, true});
}

int box(QWidget *owner, const QString &text, const QString &caption, Buttons buttons, Icon icon)
{
    return handler().message(owner, Message{text, caption, buttons, icon, false});
}

QString openFileName(QWidget *owner, const QString &caption, const QString &directory,
                     const QString &filter)
{
    return handler().fileName(owner, FileRequest{caption, directory, filter, false});
}

QString saveFileName(QWidget *owner, const QString &caption, const QString &directory,
                     const QString &filter)
{
    return handler().fileName(owner, FileRequest{caption, directory, filter, true});
}

bool chooseFont(QWidget *owner, QFont &font, QColor &color)
{
    return handler().font(owner, font, color);
}

bool chooseColor(QWidget *owner, QColor &color)
{
    return handler().color(owner, color);
}

void setHandler(Handler *h)
{
    g_handler = h;
}

} // namespace Prompt
