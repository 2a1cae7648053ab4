#include "CPellorDlg.h"

#include "CJiguDlg.h"
#include "CSetDlg.h"
#include "PellorStartup.h"
#include "application/SettingsFile.h"

#include "platform/gui/Prompt.h"

#include <QComboBox>

#include <climits>
#include <cmath>

namespace {

// Whole points, truncated toward zero; a value beyond int is held at int's limit rather
// than wrapped.
int truncatedScore(float value)
{
    const double whole = std::trunc(static_cast<double>(value));
    if (whole >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (whole <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(whole);
}

// Takes the dialog's value when it differs; true when it did.
bool takeOver(int &member, int value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

bool takeOverScore(int &member, float value)
{
    if (static_cast<float>(member) == value)
        return false;
    member = truncatedScore(value);
    return true;
}

} // namespace

void CPellorDlg::OnBnClickedSettings()
{
    CSetDlg dlg(this);
    dlg.m_strBackBrush = m_strBackBrush;
    dlg.m_fBasicScore = static_cast<float>(m_nBasicScore);
    dlg.m_fWrongScore = static_cast<float>(m_nWrongScore);
    dlg.m_fZhuDongFen = static_cast<float>(m_nZhuDongFen);
    dlg.m_fRightScore = static_cast<float>(m_nRightScore);
    dlg.m_fQuiteRightScore = static_cast<float>(m_nQuiteRightScore);
    dlg.m_nVoice = m_nVoice;
    dlg.m_nShowDonghua = m_nShowDonghua;
    dlg.m_nSelectClass = m_nSelectClass;
    dlg.m_nNumOfJiGu = m_nNumOfJiGu;
    dlg.m_nNumOfClass = m_nNumOfClass;

    if (dlg.exec() == QDialog::Accepted) {
        m_strBackBrush = dlg.m_strBackBrush;
        const bool groupsChanged = takeOver(m_nNumOfClass, dlg.m_nNumOfClass);
        bool changed = groupsChanged;
        changed |= takeOver(m_nVoice, dlg.m_nVoice);
        changed |= takeOver(m_nSelectClass, dlg.m_nSelectClass);
        changed |= takeOver(m_nShowDonghua, dlg.m_nShowDonghua);
        const bool creditChanged = takeOverScore(m_nBasicScore, dlg.m_fBasicScore);
        changed |= creditChanged;
        changed |= takeOverScore(m_nZhuDongFen, dlg.m_fZhuDongFen);
        changed |= takeOverScore(m_nWrongScore, dlg.m_fWrongScore);
        changed |= takeOverScore(m_nRightScore, dlg.m_fRightScore);
        changed |= takeOverScore(m_nQuiteRightScore, dlg.m_fQuiteRightScore);
        if (takeOver(m_nNumOfJiGu, dlg.m_nNumOfJiGu)) {
            changed = true;
            if (m_dlgJigu)
                m_dlgJigu->m_nBeats = m_nNumOfJiGu;
        }

        const QString error = SettingsFile::writeRollCallSettings(SettingsFile::pathIn(m_strAppDir), *this, changed);
        // The window runs with the new values; the teacher learns they will not survive a restart.
        if (!error.isEmpty())
            Prompt::app(error);

        // Only another number of groups, or another base score that the load credits every
        // student with, needs the group files read again (the score folder is set in the file
        // alone); a reload drops the lesson's grades, so it asks first. Kept, the lesson goes
        // on with the credit it was given. The picture is on the window already, from the
        // chooser's preview.
        if ((groupsChanged || creditChanged)
            && (!m_bUnsaved
                || Prompt::box(this,
                               QStringLiteral("本节课的成绩尚未保存，重新读取成绩文件会丢失这些成绩。是否继续？"),
                               {}, Prompt::YesNo, Prompt::Question)
                       == Prompt::Yes)) {
            LoadGroupScores(m_strScoreDir, m_nNumOfClass);
            fillNumberCombo(m_comboGroup->currentIndex());
        }
    }
    setWindowTitle(PellorStartup::kProductName + QStringLiteral("2.6版"));
}
