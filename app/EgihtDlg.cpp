#include "EgihtDlg.h"

FlashClipSpec EgihtDlg::clipSpec()
{
    FlashClipSpec spec;
    spec.templateId = IDD;
    spec.controlId = 1024;
    spec.folder = QStringLiteral("res/swf/未旷课");
    spec.clipCount = 35;
    spec.closeDelayMs = 6000;
    spec.width = 742;
    spec.height = 504;
    spec.clickThrough = true;
    spec.testClipFile = true;
    return spec;
}

EgihtDlg::EgihtDlg(QWidget *parent)
    : CFlashDlg(clipSpec(), parent)
{
}
