#include "PellorStartup.h"

#include "CPellorDlg.h"

#include "core/CPellorApp.h"
#include "core/SettingsFile.h"

#include "platform/base/ProgramFolder.h"
#include "platform/gui/DialogTemplate.h"

#include <QApplication>

namespace PellorStartup {

void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Pellor"));
    QApplication::setApplicationVersion(QStringLiteral("3.1"));
    DialogTemplate::installFontSubstitutions();
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
