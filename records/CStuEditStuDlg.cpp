#include "CStuEditStuDlg.h"

#include "core/StudentRenumbering.h"

namespace {

StudentForm::Layout editLayout()
{
    StudentForm::Layout layout;
    layout.caption = QStringLiteral("编辑学生");
    layout.size = {659, 282};
    layout.maxNumber = StudentRenumbering::kHighestNumber;
    layout.rangeCheckedAtOnce = false;
    layout.noteHeight = 33;
    layout.pathLabel = {0, 212, 44, 14};
    layout.path = {48, 211, 297, 14};
    layout.browse = {359, 212, 50, 14};
    layout.photo = {418, 7, 199, 180};
    layout.okCaption = QStringLiteral("确定");
    layout.cancelCaption = QStringLiteral("取消");
    layout.buttonY = 261;
    return layout;
}

} // namespace

CStuEditStuDlg::CStuEditStuDlg(QWidget *parent)
    : StudentForm(parent, editLayout())
{
    setObjectName(QStringLiteral("CStuEditStuDlg"));
}

QSize CStuEditStuDlg::photoRoom(const QWidget &window)
{
    return StudentForm::photoRoom(editLayout(), window.devicePixelRatioF());
}

void CStuEditStuDlg::OnInitDialog()
{
    selectGender(m_strGender == QStringLiteral("女") ? 1 : 0);
}
