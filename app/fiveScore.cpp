#include "fiveScore.h"

FlashClipSpec fiveScore::clipSpec()
{
    FlashClipSpec spec;
    spec.templateId = IDD;
    spec.controlId = 1023;
    spec.folder = QStringLiteral("res/swf/5Fen");
    spec.clipCount = 22;
    spec.closeDelayMs = 6000;
    spec.width = 742;
    spec.height = 504;
    spec.clickThrough = true;
    spec.testClipFile = true;
    return spec;
}

fiveScore::fiveScore(QWidget *parent)
    : CFlashDlg(clipSpec(), parent)
{
}
