#pragma once

#include "platform/gui/Prompt.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Stands in for every message box and file dialog while it lives: records what was
// shown and answers from a script (OK, Yes or Retry, an empty file name, when none).
class ScriptedPrompt final : public Prompt::Handler
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        Prompt::Buttons buttons;
        bool applicationBox;
    };

    ScriptedPrompt();
    ~ScriptedPrompt() override;

    void answerNext(int result) { m_answers.enqueue(result); }
    void fileNameNext(const QString &path) { m_fileNames.enqueue(path); }
    void fontNext(const QFont &font, const QColor &color);
    void colorNext(const QColor &color) { m_colors.enqueue(color); }
    void cancelNextChooser() { m_cancelChooser = true; }

    QList<Shown> shown;
    QList<Prompt::FileRequest> fileRequests;

    QStringList texts() const;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); fileRequests.clear(); }

    int message(QWidget *owner, const Prompt::Message &message) override;
    QString fileName(QWidget *owner, const Prompt::FileRequest &request) override;
    bool font(QWidget *owner, QFont &font, QColor &color) override;
    bool color(QWidget *owner, QColor &color) override;

private:
    QQueue<int> m_answers;
    QQueue<QString> m_fileNames;
    QQueue<QPair<QFont, QColor>> m_fonts;
    QQueue<QColor> m_colors;
    bool m_cancelChooser = false;
};
