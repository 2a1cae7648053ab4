#pragma once

#include <QString>

// The main window's own settings, with their built-in defaults.
struct RollCallSettings
{
    QString m_strScoreDir;
    QString m_strBackBrush;
    int m_nNumOfClass = 1;
    int m_nBasicScore = 2;
    int m_nZhuDongFen = 0;
    int m_nWrongScore = 1;
    int m_nRightScore = 2;
    int m_nQuiteRightScore = 3;
    int m_nNumOfJiGu = 20;
    int m_nVoice = 0;
    int m_nShowDonghua = 1;
    int m_nSelectClass = 0;
};
