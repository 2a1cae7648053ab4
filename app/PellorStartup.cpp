#include "PellorStartup.h"

#include "CPellorDlg.h"

#include "application/CPellorApp.h"
#include "application/SettingsFile.h"

#include "platform/base/ProgramFolder.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Picture.h"
#include "platform/gui/Prompt.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLockFile>
#include <QPixmap>
#include <QTranslator>

namespace PellorStartup {

namespace {
// Long enough for a copy that is just ending to let go of the lock.
constexpr int kLockWaitMs = 500;
}

void prepareApplication()
{
    QApplication::setApplicationName(kProductName);
    QApplication::setApplicationVersion(QStringLiteral("3.1"));
    DialogTemplate::installFontSubstitutions();
    installQtTranslation();
    Picture::prepareDecoding();
}

bool installQtTranslation()
{
    // Qt's own buttons and dialogs (确定, 取消, the file dialog) speak the program's language,
    // whatever the system's locale. Without the translation file they stay in English.
    static QTranslator *translator = nullptr;
    if (translator)
        return true;
    auto candidate = new QTranslator(qApp);
    if (!candidate->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete candidate;
        return false;
    }
    QCoreApplication::installTranslator(candidate);
    translator = candidate;
    return true;
}

QIcon programIcon()
{
    QImageReader reader(QStringLiteral(":/icons/pellor.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

bool InitInstance(CPellorApp &app)
{
    // The settings file is read once, from the program folder wherever the program was
    // started: the main window's settings and the weights both come from that read.
    const ProfileFile::Contents settings
        = ProfileFile(SettingsFile::pathIn(ProgramFolder::executableFolder())).contents();
    CPellorDlg dlg(settings);
    app.ReadScoreWeights(settings);
    dlg.exec();
    return false;
}

int run(int argc, char *argv[])
{
    QApplication qtApplication(argc, argv);
    prepareApplication();
    // One program per program folder, taken before any of its files is read: a second copy
    // would save over the first one's lesson. A lock left by a crashed copy is taken over
    // (its process is gone); a folder that cannot hold the lock runs unlocked.
    QLockFile lock(ProgramFolder::join(ProgramFolder::executableFolder(), QStringLiteral("Pellor.lock")));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kLockWaitMs) && lock.error() == QLockFile::LockFailedError) {
        Prompt::app(QStringLiteral("程序已经在运行"));
        return 1;
    }
    CPellorApp app;
    InitInstance(app);
    return app.ExitInstance();
}

} // namespace PellorStartup
