#include "PellorStartup.h"

#include "CPellorDlg.h"

#include "core/CPellorApp.h"
#include "core/SettingsFile.h"

#include "platform/base/ProgramFolder.h"
#include "platform/gui/DialogTemplate.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

namespace PellorStartup {

void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Pellor"));
    QApplication::setApplicationVersion(QStringLiteral("3.1"));
    DialogTemplate::installFontSubstitutions();
}

QIcon programIcon()
{
    QImageReader reader(QStringLiteral(":/icons/pellor.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

} // namespace PellorStartup

bool CPellorApp::InitInstance()
{
    // The settings file is read from the program folder, wherever the program was started.
    CPellorDlg dlg;
    ReadScoreWeights(SettingsFile::pathIn(ProgramFolder::executableFolder()));
    dlg.exec();
    return false;
}
