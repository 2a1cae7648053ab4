#include "CStuAddStuDlg.h"

namespace {

StudentForm::Layout addLayout()
{
    StudentForm::Layout layout;
    layout.caption = QStringLiteral("增加学生");
    layout.size = {653, 281};
    layout.maxNumber = CStuAddStuDlg::kMaxNumber;
    layout.rangeCheckedAtOnce = true;
    layout.noteHeight = 28;
    layout.pathLabel = {0, 209, 44, 14};
    layout.path = {47, 207, 297, 14};
    layout.browse = {359, 208, 50, 14};
    layout.photo = {423, 7, 200, 182};
    layout.okCaption = QStringLiteral("添加");
    layout.cancelCaption = QStringLiteral("关闭");
    layout.buttonY = 260;
    return layout;
}

} // namespace

CStuAddStuDlg::CStuAddStuDlg(QWidget *parent)
    : StudentForm(parent, addLayout())
{
    setObjectName(QStringLiteral("CStuAddStuDlg"));
}

int CStuAddStuDlg::OnRefreshFields()
{
    UpdateData(false);
    return 0;
}

void CStuAddStuDlg::OnInitDialog()
{
    selectGender(0);
    m_picture.FreePicture();
}
