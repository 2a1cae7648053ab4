#include "TestMain.h"

#include "platform/base/BackgroundWorker.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Pause.h"

#include <QDir>
#include <QFile>

namespace TestSupport {

void prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/pellor-test-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
}

void initApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quorinde"));
    DialogTemplate::installFontSubstitutions();
    // No test waits in real time, nor for another thread.
    Pause::setHandler([](int) {});
    BackgroundWorker::setRunner([](const BackgroundWorker::Job &job) { job(); });
}

} // namespace TestSupport
