#pragma once

#include "CFlashDlg.h"

// The encouragement after a wrong answer.
class fiveScore : public CFlashDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 137;
    explicit fiveScore(QWidget *parent = nullptr);
    static FlashClipSpec clipSpec();
};
