#pragma once

#include <QString>

#include <cmath>

// The whole numbers a setting may hold: the settings dialog refuses any other, and the
// settings reader holds a hand-edited value at the nearer end.
struct SettingRange
{
    int lowest;
    int highest;

    // A number the dialog takes as whole points, truncated toward zero.
    bool holds(double value) const
    {
        const double whole = std::trunc(value);
        return whole >= lowest && whole <= highest;
    }
    int clamped(double value) const
    {
        const double whole = std::trunc(value);
        if (!(whole > lowest)) // NaN too
            return lowest;
        return whole >= highest ? highest : static_cast<int>(whole);
    }
};

// The main window's own settings, with their built-in defaults.
struct RollCallSettings
{
    // The base score and the three grades: points a teacher gives in one lesson. Within these,
    // no sum of a lesson comes near the limits of a score.
    static constexpr SettingRange kScoreRange{-100, 100};
    // The groups the roll-call holds.
    static constexpr SettingRange kGroupsRange{1, 8};
    // Beats of one drum run, 200 ms each: at least one draw, at most 40 seconds.
    static constexpr SettingRange kBeatsRange{1, 200};

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
