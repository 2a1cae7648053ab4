#pragma once

#include "platform/base/Database.h"
#include "platform/base/ProfileFile.h"

#include <QString>

class CKeshiZhishidianPage;
class CKeshiWentiDlg;

// The program's single process-wide object: the program folder, the two database
// connections, the current lesson-content selection and the grading weights.
// main() owns it, after the QApplication and so released before it: the connections must
// go while Qt's SQL registry still exists. While one lives, theApp() reaches it.
class CPellorApp
{
public:
    CPellorApp();
    ~CPellorApp();
    CPellorApp(const CPellorApp &) = delete;
    CPellorApp &operator=(const CPellorApp &) = delete;

    // Closes whichever connections are open.
    int ExitInstance();

    // The six grading weights of section Score of res/set.ini; a missing file keeps them.
    void ReadScoreWeights(const QString &settingsPath);
    void ReadScoreWeights(const ProfileFile::Contents &settings);
    QString SettingsPath() const;
    // The program folder: m_strAppDir, or the executable's folder before the main window has
    // set it.
    QString programFolder() const;

    QString m_strAppDir;
    DatabaseConnection m_pConnection;
    DatabaseConnection m_pStudentConnection;
    int m_nKemuID = 0;
    int m_nKeshiID = 0;
    int m_nZhishidianID = 0;
    CKeshiZhishidianPage *m_pZhishidianPage = nullptr;
    CKeshiWentiDlg *m_pWentiDlg = nullptr;
    bool m_bConnectionOpen = false;
    bool m_bStudentConnectionOpen = false;
    // The tool bar's score-display switch; the effect mode and the animation switch are the
    // roll-call's settings.
    int m_bShowScore = 1;
    float m_fBasicScore;
    float m_fMaxScore;
    float m_fYouxiu;
    float m_fLiangScore;
    float m_fJiayouScore;
    float m_fKuangkeScore;

    static constexpr float kDefaultWeights[6] = {0.0f, 100.0f, 2.0f, 1.0f, 0.5f, -2.0f};
};

// The application object that lives now; there must be one.
CPellorApp &theApp();
