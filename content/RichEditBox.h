#pragma once

#include <QColor>
#include <QFont>
#include <QTextEdit>

// A text box of the knowledge-point dialog and the presenter. It holds plain text only:
// what is pasted or dropped arrives as plain text in the box's own look, and the look
// ("宋体" 20 points, black on a soft green, or what "字体" and "背景色" chose) belongs to
// the whole box and is never stored. Lines wrap at the box's width.
//
// A right-button press does not move the keyboard focus (the window's menu is for the box
// that has it); a left press does.
class RichEditBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit RichEditBox(QWidget *parent = nullptr);

    static QFont defaultFont();
    static QColor defaultTextColor();
    static QColor defaultBackground();

    QColor textColor() const;
    // The font and text colour of the whole box.
    void setLook(const QFont &font, const QColor &color);
    QColor backgroundColor() const;
    void setBackgroundColor(const QColor &color);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void mousePressEvent(QMouseEvent *event) override;
};
