#pragma once

#include "StudentForm.h"

// "编辑学生": the selected student's data and photo; the stored photo stays unless another
// file is chosen.
class CStuEditStuDlg : public StudentForm
{
    Q_OBJECT

public:
    explicit CStuEditStuDlg(QWidget *parent = nullptr);

    // The most room its photo frame has over that window's screen.
    static QSize photoRoom(const QWidget &window);

protected:
    // "女" when the student is recorded so, "男" otherwise; the photo the page put in.
    void OnInitDialog() override;
};
