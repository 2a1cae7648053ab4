#include "CPellorDlg.h"

#include "CJiguDlg.h"
#include "GuLi.h"
#include "KuangKe.h"
#include "KuangKeMofa.h"
#include "ManFen.h"
#include "SaveExit.h"
#include "WeiKuangKe.h"
#include "YongQi.h"
#include "application/CPellorApp.h"
#include "core/GroupScoreFile.h"
#include "core/RollCallLesson.h"
#include "core/RollCallPick.h"
#include "core/RollCallScoring.h"

#include "platform/base/ProgramFolder.h"
#include "platform/gui/Pause.h"
#include "platform/gui/Prompt.h"
#include "platform/gui/Sound.h"

#include <QComboBox>

namespace {

QString soundPath(const QString &name)
{
    return ProgramFolder::join(theApp().programFolder(), QStringLiteral("res/声音/") + name);
}

void tell(QWidget *owner, const QString &text)
{
    Prompt::box(owner, text, {}, Prompt::OkOnly, Prompt::NoIcon);
}

const QString kNobodyOnCall = QStringLiteral("还未挑选回答问题的学生！");

} // namespace

void CPellorDlg::OnBnClickedRandom()
{
    const RollCallLesson::PickStart start = m_lesson->StartPick();
    const int g = start.group;
    if (start.refusal == RollCallLesson::PickRefusal::BadGroupCount) {
        Prompt::app(RollCallLesson::refusalText(start.refusal));
        return;
    }
    if (start.refusal != RollCallLesson::PickRefusal::None) {
        tell(this, RollCallLesson::refusalText(start.refusal));
        return;
    }

    switch (m_lesson->settings().m_nVoice) {
    case 0:
        Sound::play(soundPath(RollCallPick::pickSoundName()), Sound::Mode::Once);
        for (int i = 0; i < RollCallPick::kSoundDraws - 1; ++i) {
            Pause::pause(RollCallPick::kDrawPauseMs);
            m_lesson->Draw(g);
        }
        m_lesson->Draw(g);
        break;
    case 1:
        if (m_dlgJigu) {
            m_dlgJigu->PrepareRun(g);
            m_dlgJigu->show();
            m_dlgJigu->StartJigu();
        } else {
            m_dlgJigu = new CJiguDlg(this, *m_lesson);
            m_dlgJigu->PrepareRun(g);
            m_dlgJigu->ShowJigu();
        }
        break;
    case 2:
        m_lesson->Draw(g);
        break;
    default:
        break;
    }
}

void CPellorDlg::OnBnClickedPresent()
{
    if (m_lesson->StudentOnCall() == 0) {
        tell(this, kNobodyOnCall);
        ShowLesson();
        return;
    }

    WeiKuangKe grading(this);
    const int result = grading.exec();
    if (const auto rule = RollCallScoring::gradeRule(result, m_lesson->settings())) {
        if (!rule->firstSound.isEmpty())
            Sound::play(soundPath(rule->firstSound), Sound::Mode::ToEnd);
        Sound::play(soundPath(rule->applause), Sound::Mode::Looped);
        m_lesson->Grade(rule->score);

        if (m_lesson->settings().m_nShowDonghua != 0) {
            switch (rule->feedback) {
            case RollCallScoring::Feedback::ManFen: {
                ManFen feedback(this);
                feedback.exec();
                break;
            }
            case RollCallScoring::Feedback::GuLi: {
                GuLi feedback(this);
                feedback.exec();
                break;
            }
            case RollCallScoring::Feedback::YongQi: {
                YongQi feedback(this);
                feedback.exec();
                break;
            }
            }
        }
        Sound::stop();
    }
    ShowLesson();
}

void CPellorDlg::OnAbsent()
{
    if (m_lesson->StudentOnCall() == 0) {
        tell(this, kNobodyOnCall);
        ShowLesson();
        return;
    }

    KuangKe absence(this);
    if (absence.exec() == RollCallScoring::kAbsenceConfirmed)
        m_lesson->Absent();
    if (m_lesson->settings().m_nShowDonghua != 0) {
        KuangKeMofa clip(this);
        clip.exec();
    }
    ShowLesson();
}

void CPellorDlg::PlayGoodbyeClip()
{
    SaveExit clip(this);
    clip.exec();
}
