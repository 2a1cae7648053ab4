#include "TenScore.h"

FlashClipSpec TenScore::clipSpec()
{
    FlashClipSpec spec;
    spec.templateId = IDD;
    spec.controlId = 1023;
    spec.folder = QStringLiteral("res/swf/未旷课");
    spec.clipCount = 35;
    spec.closeDelayMs = 6000;
    spec.width = 765;
    spec.height = 473;
    spec.clickThrough = false;
    spec.testClipFile = true;
    return spec;
}

TenScore::TenScore(QWidget *parent)
    : CFlashDlg(clipSpec(), parent)
{
}
