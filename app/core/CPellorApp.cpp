#include "CPellorApp.h"

#include "SettingsFile.h"

#include "platform/base/ProgramFolder.h"

CPellorApp::CPellorApp()
    : m_fBasicScore(kDefaultWeights[0])
    , m_fMaxScore(kDefaultWeights[1])
    , m_fYouxiu(kDefaultWeights[2])
    , m_fLiangScore(kDefaultWeights[3])
    , m_fJiayouScore(kDefaultWeights[4])
    , m_fKuangkeScore(kDefaultWeights[5])
{
}

CPellorApp::~CPellorApp() = default;

QString CPellorApp::SettingsPath() const
{
    const QString folder = m_strAppDir.isEmpty() ? ProgramFolder::executableFolder() : m_strAppDir;
    return SettingsFile::pathIn(folder);
}

void CPellorApp::ReadScoreWeights(const QString &settingsPath)
{
    SettingsFile::readScoreWeights(settingsPath, *this);
}

int CPellorApp::ExitInstance()
{
    for (DatabaseConnection *connection : {&m_pConnection, &m_pStudentConnection}) {
        if (*connection && (*connection)->isOpen())
            (*connection)->close();
    }
    return 0;
}

CPellorApp &theApp()
{
    static CPellorApp app;
    return app;
}
