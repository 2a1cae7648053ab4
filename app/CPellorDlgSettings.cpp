#include "CPellorDlg.h"

#include "CSetDlg.h"
#include "PellorStartup.h"
#include "application/CPellorApp.h"
#include "core/RollCallLesson.h"

#include "platform/gui/Prompt.h"

#include <QComboBox>

void CPellorDlg::OnBnClickedSettings()
{
    CSetDlg dlg(this);
    dlg.FillFrom(m_lesson->settings());
    // Not taken here, but shown as the tool bar last set it.
    dlg.m_nShowScore = theApp().m_bShowScore;
    // A chosen picture shows on this window at once, before the dialog is closed.
    connect(&dlg, &CSetDlg::pictureChosen, this, &CPellorDlg::PreviewBackground);
    // A reload drops the lesson's grades, so it asks before anything is taken. 否 keeps the
    // dialog open with the teacher's edits: the lesson and the file stay as they were until
    // the teacher changes the edits or cancels.
    dlg.setAcceptCheck([this, &dlg] {
        RollCallSettings edited = m_lesson->settings();
        dlg.TakeInto(edited);
        return !m_lesson->WantsReload(edited) || !m_lesson->hasUnsavedGrades()
            || Prompt::box(&dlg, QStringLiteral("本节课的成绩尚未保存，重新读取成绩文件会丢失这些成绩。是否继续？"), {},
                           Prompt::YesNo, Prompt::Question)
            == Prompt::Yes;
    });

    if (dlg.exec() == QDialog::Accepted) {
        RollCallSettings edited = m_lesson->settings();
        const bool othersChanged = dlg.TakeInto(edited);
        const RollCallLesson::SettingsTaken taken = m_lesson->TakeSettings(edited, othersChanged);
        // The window runs with the new values; the teacher learns they will not survive a restart.
        if (!taken.writeError.isEmpty())
            Prompt::app(taken.writeError);
        // The picture is on the window already, from the preview.
        if (taken.reloadWanted)
            LoadGroupScores(m_lesson->settings().m_strScoreDir, m_lesson->settings().m_nNumOfClass);
    }
    setWindowTitle(PellorStartup::kProductName + QStringLiteral("2.6版"));
}
