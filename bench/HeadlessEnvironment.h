#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

// A benchmark's windows run headless, with a private runtime folder of mode 0700, unless the
// environment says otherwise. Made before the QApplication; lives as long as the run.
class HeadlessEnvironment
{
public:
    HeadlessEnvironment()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
    }

private:
    QTemporaryDir m_runtime;
};
