#pragma once

#include "CFlashDlg.h"

// The clip after an absence.
class KuangKeMofa : public CFlashDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 144;
    explicit KuangKeMofa(QWidget *parent = nullptr);
    static FlashClipSpec clipSpec();
};
