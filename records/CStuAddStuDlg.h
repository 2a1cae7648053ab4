#pragma once

#include "StudentForm.h"

// "增加学生": one student at a time; the roster page shows it again for the next one until
// the teacher presses "关闭".
class CStuAddStuDlg : public StudentForm
{
    Q_OBJECT

public:
    static constexpr int kMaxNumber = 100000;

    explicit CStuAddStuDlg(QWidget *parent = nullptr);

    // Puts the members back into the fields, dropping what was typed since.
    int OnRefreshFields();

protected:
    // "男" and an empty preview each time; the typed texts stay.
    void OnInitDialog() override;
};
