#include "RequiredName.h"

#include "platform/gui/Prompt.h"

#include <QLineEdit>

namespace RequiredName {

QString groupMessage()
{
    return QStringLiteral("小组名称不能为空，请输入小组名称。");
}

QString semesterMessage()
{
    return QStringLiteral("学期名称不能为空，请输入学期名称。");
}

QString studentMessage()
{
    return QStringLiteral("学生姓名不能为空，请输入学生姓名。");
}

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

bool refused(QWidget *field, const QString &text, const QString &message)
{
    if (!isBlank(text))
        return false;
    Prompt::app(message);
    if (field) {
        field->setFocus(Qt::OtherFocusReason);
        if (auto edit = qobject_cast<QLineEdit *>(field))
            edit->selectAll();
    }
    return true;
}

} // namespace RequiredName
