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
#include "core/RollCallPick.h"
#include "core/RollCallScoring.h"

#include "platform/base/ProgramFolder.h"
#include "platform/base/RandomSource.h"
#include "platform/gui/Pause.h"
#include "platform/gui/Prompt.h"
#include "platform/gui/Sound.h"

#include <QComboBox>

namespace {

QString soundPath(const QString &appDir, const QString &name)
{
    return ProgramFolder::join(appDir, QStringLiteral("res/声音/") + name);
}

// The number of groups the tables can hold of those the settings ask for.
int usableGroups(int numOfClass)
{
    return qMin(numOfClass, RollCallTables::kMaxGroups);
}

void tell(QWidget *owner, const QString &text)
{
    Prompt::box(owner, text, {}, Prompt::OkOnly, Prompt::NoIcon);
}

const QString kNobodyOnCall = QStringLiteral("还未挑选回答问题的学生！");

// The program folder the sounds are read from: the application's, as the windows know it.
QString programFolder(const CPellorDlg &dlg)
{
    return theApp().m_strAppDir.isEmpty() ? dlg.m_strAppDir : theApp().m_strAppDir;
}

} // namespace

void CPellorDlg::OnBnClickedRandom()
{
    RandomSource::seedFromClock();

    int g = 0;
    if (m_nSelectClass != 0) {
        if (m_nNumOfClass < 1) {
            Prompt::app(GroupScoreFile::badGroupCountMessage());
            return;
        }
        g = RollCallPick::randomGroup(usableGroups(m_nNumOfClass));
        if (g != m_comboGroup->currentIndex() && g < m_comboGroup->count()) {
            // Only the selection moves; the number list still belongs to the previous group.
            m_comboGroup->setCurrentIndex(g);
            m_comboGroup->repaint();
        }
    } else {
        g = m_comboGroup->currentIndex();
        if (g < 0) {
            tell(this, QStringLiteral("还未选择小组"));
            return;
        }
    }
    if (g >= RollCallTables::kMaxGroups || m_nGroupCount[g] == 0) {
        tell(this, QStringLiteral("小组人数为0，请查看所选小组是否正确"));
        return;
    }

    auto drawOnce = [this, g] {
        const RollCallPick::Draw draw = RollCallPick::drawStudent(*this, g);
        m_strStuNumber = QString::number(draw.number);
        m_nGroupOnCall = g;
        m_strStuName = draw.name;
        m_strStuScore = QString::number(draw.total);
        m_strGroupScore = QString::number(draw.groupScore);
        OnRefreshFields();
    };

    switch (m_nVoice) {
    case 0:
        Sound::play(soundPath(programFolder(*this), RollCallPick::pickSoundName()), Sound::Mode::Once);
        for (int i = 0; i < RollCallPick::kSoundDraws - 1; ++i) {
            Pause::pause(RollCallPick::kDrawPauseMs);
            drawOnce();
        }
        drawOnce();
        break;
    case 1: {
        const bool exists = m_dlgJigu != nullptr;
        if (!exists)
            m_dlgJigu = new CJiguDlg(this);
        m_dlgJigu->m_nBeats = m_nNumOfJiGu;
        m_dlgJigu->m_nRemaining = m_nNumOfJiGu;
        m_dlgJigu->m_nGroup = g;
        m_dlgJigu->m_bRandomGroup = m_nSelectClass;
        if (exists) {
            m_dlgJigu->show();
            m_dlgJigu->StartJigu();
        } else {
            m_dlgJigu->ShowJigu(this);
        }
        break;
    }
    case 2:
        drawOnce();
        break;
    default:
        break;
    }
}

void CPellorDlg::OnBnClickedPresent()
{
    const int g = m_comboGroup->currentIndex();
    const int k = g == m_nGroupOnCall ? RollCallPick::studentOnCall(*this, g, m_strStuNumber) : 0;
    if (k == 0) {
        tell(this, kNobodyOnCall);
        return;
    }

    WeiKuangKe grading(this);
    const int result = grading.exec();
    if (const auto rule = RollCallScoring::gradeRule(result, *this)) {
        const QString appDir = programFolder(*this);
        if (!rule->firstSound.isEmpty())
            Sound::play(soundPath(appDir, rule->firstSound), Sound::Mode::ToEnd);
        Sound::play(soundPath(appDir, rule->applause), Sound::Mode::Looped);

        RollCallScoring::applyGrade(*this, g, k, rule->score, m_nCreditedScore[g]);
        m_strStuScore = QString::number(m_vecTotalScore[g].at(k - 1));
        m_strGroupScore = QString::number(m_nGroupScore[g]);

        if (m_nShowDonghua != 0) {
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
    UpdateData(false);
}

void CPellorDlg::OnAbsent()
{
    const int g = m_comboGroup->currentIndex();
    const int k = g == m_nGroupOnCall ? RollCallPick::studentOnCall(*this, g, m_strStuNumber) : 0;
    if (k == 0) {
        tell(this, kNobodyOnCall);
        return;
    }

    KuangKe absence(this);
    if (absence.exec() == RollCallScoring::kAbsenceConfirmed
        && RollCallScoring::applyAbsence(*this, g, k, m_nCreditedScore[g])) {
        m_strStuScore = QString::number(m_vecTotalScore[g].at(k - 1));
        m_strGroupScore = QString::number(m_nGroupScore[g]);
    }
    if (m_nShowDonghua != 0) {
        KuangKeMofa clip(this);
        clip.exec();
    }
    UpdateData(false);
}

void CPellorDlg::PlayGoodbyeClip()
{
    SaveExit clip(this);
    clip.exec();
}
