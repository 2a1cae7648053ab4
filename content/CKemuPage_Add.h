#pragma once

#include "platform/gui/ExchangeDialog.h"

class QLineEdit;

// "课目": the name of a subject. Any name is taken, an empty one too.
class CKemuPage_Add : public ExchangeDialog
{
    Q_OBJECT

public:
    enum ControlId { IDD = 192, IDC_NAME = 1000, IDOK_BUTTON = 1, IDCANCEL_BUTTON = 2 };

    explicit CKemuPage_Add(QWidget *parent = nullptr);
    ~CKemuPage_Add() override;

    void OnBnClickedOk();

    QString m_strKemu;

protected:
    void DoDataExchange(DataExchange &dx) override;

private:
    QLineEdit *m_editName = nullptr;
};
