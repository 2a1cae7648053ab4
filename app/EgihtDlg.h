#pragma once

#include "CFlashDlg.h"

// The celebration after "基本正确".
class EgihtDlg : public CFlashDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 138;
    explicit EgihtDlg(QWidget *parent = nullptr);
    static FlashClipSpec clipSpec();
};
