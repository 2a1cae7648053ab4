#pragma once

#include "platform/gui/ExchangeDialog.h"

class DataExchange;
class QLineEdit;

// "分数设置": the six weights of the classroom score. Each is a number whose whole part
// lies from 0 to 100 (旷课 from -100 to 100); the fields are checked from the top left.
class CStudentPellorSetScoreDlg : public ExchangeDialog
{
    Q_OBJECT

public:
    enum ControlId {
        IDOK_BUTTON = 1,
        IDCANCEL_BUTTON = 2,
        IDC_BASIC = 1000,
        IDC_YOUXIU = 1001,
        IDC_LIANG = 1002,
        IDC_JIAYOU = 1003,
        IDC_KUANGKE = 1004,
        IDC_MAX = 1005,
    };

    explicit CStudentPellorSetScoreDlg(QWidget *parent = nullptr);
    ~CStudentPellorSetScoreDlg() override;

    float m_fBasicScore = 0.0f;
    float m_fMaxScore = 0.0f;
    float m_fYouxiu = 0.0f;
    float m_fLiangScore = 0.0f;
    float m_fJiayouScore = 0.0f;
    float m_fKuangkeScore = 0.0f;

protected:
    void DoDataExchange(DataExchange &dx) override;

private:
    QLineEdit *m_editBasic = nullptr;
    QLineEdit *m_editMax = nullptr;
    QLineEdit *m_editYouxiu = nullptr;
    QLineEdit *m_editLiang = nullptr;
    QLineEdit *m_editJiayou = nullptr;
    QLineEdit *m_editKuangke = nullptr;
};
