#include "RichEditBox.h"

#include "platform/gui/DialogTemplate.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QTextCharFormat>
#include <QTextCursor>

RichEditBox::RichEditBox(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFocusPolicy(Qt::TabFocus);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setLook(defaultFont(), defaultTextColor());
    setBackgroundColor(defaultBackground());
}

QFont RichEditBox::defaultFont()
{
    return DialogTemplate::templateFont(QStringLiteral("宋体"), 20);
}

QColor RichEditBox::defaultTextColor()
{
    return QColor(0, 0, 0);
}

QColor RichEditBox::defaultBackground()
{
    return QColor(199, 237, 204);
}

QColor RichEditBox::textColor() const
{
    return palette().color(QPalette::Text);
}

void RichEditBox::setLook(const QFont &font, const QColor &color)
{
    setFont(font);
    QPalette colors = palette();
    colors.setColor(QPalette::Text, color);
    setPalette(colors);
}

QColor RichEditBox::backgroundColor() const
{
    return palette().color(QPalette::Base);
}

void RichEditBox::setBackgroundColor(const QColor &color)
{
    QPalette colors = palette();
    colors.setColor(QPalette::Base, color);
    setPalette(colors);
}

bool RichEditBox::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void RichEditBox::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText() || isReadOnly())
        return;
    // A blank format: the text takes the box's look, not that of the text beside the caret.
    textCursor().insertText(source->text(), QTextCharFormat());
    ensureCursorVisible();
}

void RichEditBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    QTextEdit::mousePressEvent(event);
}
