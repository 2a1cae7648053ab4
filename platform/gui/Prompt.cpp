#include "Prompt.h"

#include "WindowPlacement.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QVBoxLayout>

#include <utility>

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

// The text colours a font chooser offers, as Windows' own does.
const std::pair<const char16_t *, QRgb> kTextColors[] = {
    {u"黑色", qRgb(0, 0, 0)},         {u"褐红色", qRgb(128, 0, 0)},     {u"绿色", qRgb(0, 128, 0)},
    {u"橄榄色", qRgb(128, 128, 0)},   {u"藏青色", qRgb(0, 0, 128)},     {u"紫色", qRgb(128, 0, 128)},
    {u"蓝绿色", qRgb(0, 128, 128)},   {u"灰色", qRgb(128, 128, 128)},   {u"银色", qRgb(192, 192, 192)},
    {u"红色", qRgb(255, 0, 0)},       {u"酸橙色", qRgb(0, 255, 0)},     {u"黄色", qRgb(255, 255, 0)},
    {u"蓝色", qRgb(0, 0, 255)},       {u"紫红色", qRgb(255, 0, 255)},   {u"水绿色", qRgb(0, 255, 255)},
    {u"白色", qRgb(255, 255, 255)},
};

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// Font and text colour in one dialog: Qt's font dialog has no colour of its own, so a colour
// list goes beneath it ("fontChooser", with "fontChooserColor").
bool chooseFontAndColor(QWidget *owner, QFont &font, QColor &color)
{
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("fontChooser"));
    dialog.setWindowTitle(QStringLiteral("字体"));
    WindowPlacement::keepOnScreen(&dialog);
    // A face that is not installed ("宋体") is drawn with its substitute: the list shows that
    // one, and the font keeps its own name unless the teacher picks another face.
    const QString shownFamily = QFontInfo(font).family();
    QFont shown = font;
    shown.setFamily(shownFamily);
    auto fonts = new QFontDialog(shown, &dialog);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setWindowFlags(Qt::Widget);
    auto colors = new QComboBox(&dialog);
    colors->setObjectName(QStringLiteral("fontChooserColor"));
    for (const auto &[name, rgb] : kTextColors)
        colors->addItem(swatch(QColor(rgb)), QString::fromUtf16(name), QColor(rgb));
    int current = colors->findData(color);
    if (current < 0) {
        colors->addItem(swatch(color), QStringLiteral("当前颜色"), color);
        current = colors->count() - 1;
    }
    colors->setCurrentIndex(current);
    auto label = new QLabel(QStringLiteral("颜色(&C)："), &dialog);
    label->setBuddy(colors);
    auto buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto colorRow = new QHBoxLayout;
    colorRow->addWidget(label);
    colorRow->addWidget(colors);
    colorRow->addStretch();
    auto layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QFont chosen = fonts->currentFont();
    if (chosen.family() == shownFamily)
        chosen.setFamily(font.family());
    font = chosen;
    color = colors->currentData().value<QColor>();
    return true;
}

class DialogHandler final : public Handler
{
public:
    int message(QWidget *owner, const Message &m) override
    {
        const QString caption = m.caption.isEmpty() ? QApplication::applicationName() : m.caption;
        QMessageBox box(messageIcon(m.icon), caption, m.text, standardButtons(m.buttons),
                        m.applicationBox ? nullptr : owner);
        WindowPlacement::keepOnScreen(&box);
        return resultOf(box.exec());
    }

    QString fileName(QWidget *owner, const FileRequest &r) override
    {
        return r.save ? QFileDialog::getSaveFileName(owner, r.caption, r.directory, r.filter)
                      : QFileDialog::getOpenFileName(owner, r.caption, r.directory, r.filter);
    }

    bool font(QWidget *owner, QFont &font, QColor &color) override
    {
        return chooseFontAndColor(owner, font, color);
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
