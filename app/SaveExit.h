#pragma once

#include "CFlashDlg.h"

// The goodbye after "保存并退出". It loads without looking for the file first; a clip
// that is missing or cannot be played still closes it at once.
class SaveExit : public CFlashDlg
{
    Q_OBJECT

public:
    static constexpr int IDD = 145;
    explicit SaveExit(QWidget *parent = nullptr);
    static FlashClipSpec clipSpec();
};
