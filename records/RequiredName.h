#pragma once

#include <QString>

class QWidget;

// The names a teacher types for a group, a semester or a student: they must hold more than
// blanks. The forms check them when OK is pressed and stay open otherwise.
namespace RequiredName {

QString groupMessage();    // "小组名称不能为空，请输入小组名称。"
QString semesterMessage(); // "学期名称不能为空，请输入学期名称。"
QString studentMessage();  // "学生姓名不能为空，请输入学生姓名。"

// Empty, or nothing but spaces (full-width ones too), tabs and line breaks.
bool isBlank(const QString &text);

// A blank text is refused: the message is shown and the field gets the focus. True then.
bool refused(QWidget *field, const QString &text, const QString &message);

} // namespace RequiredName
