#include "ScriptedPrompt.h"

ScriptedPrompt::ScriptedPrompt()
{
    Prompt::setHandler(this);
}

ScriptedPrompt::~ScriptedPrompt()
{
    Prompt::setHandler(nullptr);
}

void ScriptedPrompt::fontNext(const QFont &font, const QColor &color)
{
    m_fonts.enqueue({font, color});
}

QStringList ScriptedPrompt::texts() const
{
    QStringList out;
    for (const Shown &s : shown)
        out << s.text;
    return out;
}

int ScriptedPrompt::message(QWidget *, const Prompt::Message &m)
{
    shown.append({m.text, m.caption, m.buttons, m.applicationBox});
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    switch (m.buttons) {
    case Prompt::YesNo:
    case Prompt::YesNoCancel:
        return Prompt::Yes;
    case Prompt::RetryCancel:
        return Prompt::Retry;
    default:
        return Prompt::Ok;
    }
}

QString ScriptedPrompt::fileName(QWidget *, const Prompt::FileRequest &request)
{
    fileRequests.append(request);
    return m_fileNames.isEmpty() ? QString() : m_fileNames.dequeue();
}

bool ScriptedPrompt::font(QWidget *, QFont &font, QColor &color)
{
    if (m_cancelChooser || m_fonts.isEmpty()) {
        m_cancelChooser = false;
        return false;
    }
    const auto next = m_fonts.dequeue();
    font = next.first;
    color = next.second;
    return true;
}

bool ScriptedPrompt::color(QWidget *, QColor &color)
{
    if (m_cancelChooser || m_colors.isEmpty()) {
        m_cancelChooser = false;
        return false;
    }
    color = m_colors.dequeue();
    return true;
}
