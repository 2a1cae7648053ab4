#include "KuangKeMofa.h"

FlashClipSpec KuangKeMofa::clipSpec()
{
    FlashClipSpec spec;
    spec.templateId = IDD;
    spec.controlId = 1024;
    spec.folder = QStringLiteral("res/swf/旷课");
    spec.clipCount = 42;
    spec.closeDelayMs = 6000;
    spec.width = 742;
    spec.height = 504;
    spec.clickThrough = true;
    spec.testClipFile = true;
    return spec;
}

KuangKeMofa::KuangKeMofa(QWidget *parent)
    : CFlashDlg(clipSpec(), parent)
{
}
