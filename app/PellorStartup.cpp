#include "CPellorDlg.h"

#include "core/CPellorApp.h"
#include "core/SettingsFile.h"

#include "platform/base/ProgramFolder.h"

bool CPellorApp::InitInstance()
{
    // The settings file is read from the program folder, wherever the program was started.
    CPellorDlg dlg;
    ReadScoreWeights(SettingsFile::pathIn(ProgramFolder::executableFolder()));
    dlg.exec();
    return false;
}
