#include "CPellorApp.h"

#include "SettingsFile.h"

#include "platform/base/ProgramFolder.h"

#include <cstdio>
#include <cstdlib>

namespace {
CPellorApp *g_app = nullptr;
}

CPellorApp::CPellorApp()
    : m_fBasicScore(kDefaultWeights[0])
    , m_fMaxScore(kDefaultWeights[1])
    , m_fYouxiu(kDefaultWeights[2])
    , m_fLiangScore(kDefaultWeights[3])
    , m_fJiayouScore(kDefaultWeights[4])
    , m_fKuangkeScore(kDefaultWeights[5])
{
    if (g_app) {
        std::fputs("CPellorApp: a second application object\n", stderr);
        std::abort();
    }
    g_app = this;
}

CPellorApp::~CPellorApp()
{
    ExitInstance();
    // The pages' copies are gone with their windows; these are the last owners.
    m_pConnection.reset();
    m_pStudentConnection.reset();
    g_app = nullptr;
}

QString CPellorApp::programFolder() const
{
    return m_strAppDir.isEmpty() ? ProgramFolder::executableFolder() : m_strAppDir;
}

QString CPellorApp::SettingsPath() const
{
    return SettingsFile::pathIn(programFolder());
}

void CPellorApp::ReadScoreWeights(const QString &settingsPath)
{
    SettingsFile::readScoreWeights(settingsPath, *this);
}

void CPellorApp::ReadScoreWeights(const ProfileFile::Contents &settings)
{
    SettingsFile::readScoreWeights(settings, *this);
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
    if (!g_app) {
        std::fputs("theApp(): no application object lives\n", stderr);
        std::abort();
    }
    return *g_app;
}
