#pragma once

#include "CFlashDlg.h"

// The celebration after full marks; it takes clicks, the others let them through.
class TenScore : public CFlashDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 143;
    explicit TenScore(QWidget *parent = nullptr);
    static FlashClipSpec clipSpec();
};
