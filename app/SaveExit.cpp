#include "SaveExit.h"

FlashClipSpec SaveExit::clipSpec()
{
    FlashClipSpec spec;
    spec.templateId = IDD;
    spec.controlId = 1024;
    spec.folder = QStringLiteral("res/swf/再见");
    spec.clipCount = 4;
    spec.closeDelayMs = 7000;
    spec.width = 742;
    spec.height = 504;
    spec.clickThrough = true;
    spec.testClipFile = false;
    return spec;
}

SaveExit::SaveExit(QWidget *parent)
    : CFlashDlg(clipSpec(), parent)
{
}
