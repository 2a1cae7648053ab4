#pragma once

#include "app/core/RollCallLesson.h"
#include "platform/base/RandomSource.h"
#include "platform/gui/Sound.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <memory>

// Stands in for the sound device while it lives: records every request as
// "<file name> once|looped|to end" and every stop as "stop".
class RecordingSound final : public Sound::Player
{
public:
    RecordingSound() { Sound::setPlayer(this); }
    ~RecordingSound() override { Sound::setPlayer(nullptr); }

    void play(const QString &path, Sound::Mode mode) override
    {
        paths << path;
        const char *how = mode == Sound::Mode::Once ? "once" : mode == Sound::Mode::Looped ? "looped" : "to end";
        log << QFileInfo(path).fileName() + u' ' + QLatin1String(how);
    }
    void stop() override { log << QStringLiteral("stop"); }

    QStringList log;
    QStringList paths;
};

// The random source gives these values in turn, then 0.
inline void fixRandom(const QList<int> &values)
{
    auto queue = std::make_shared<QQueue<int>>();
    for (int v : values)
        queue->enqueue(v);
    RandomSource::setGenerator([queue] { return queue->isEmpty() ? 0 : queue->dequeue(); });
}

// The headless platform cannot raise always-on-top windows and says so on every show.
inline void quietenHeadlessRaise()
{
    static QtMessageHandler previous = nullptr;
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (text.contains(QLatin1String("does not support raise()")))
            return;
        if (previous)
            previous(type, context, text);
    });
}

// Records every dialog window shown and hidden, in order ("show GuLi", "hide GuLi"), apart
// from the one given. With autoClose set it also closes each dialog it sees shown, so that a
// dialog that should not have opened fails the test instead of blocking it.
class DialogWatcher : public QObject
{
public:
    explicit DialogWatcher(QWidget *except = nullptr)
        : m_except(except)
    {
        qApp->installEventFilter(this);
    }
    ~DialogWatcher() override { qApp->removeEventFilter(this); }

    QStringList events;
    bool autoClose = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto dialog = qobject_cast<QDialog *>(watched);
        if (!dialog || dialog == m_except || !dialog->isWindow()
            || (event->type() != QEvent::Show && event->type() != QEvent::Hide))
            return false;
        events << QLatin1String(event->type() == QEvent::Show ? "show " : "hide ")
                + QLatin1String(dialog->metaObject()->className());
        if (autoClose && event->type() == QEvent::Show)
            QTimer::singleShot(0, dialog, [dialog] { dialog->done(0); });
        return false;
    }

private:
    QWidget *m_except;
};

// Changes the settings in effect of a lesson, as a settings run would (nothing is written).
inline void changeSettings(RollCallLesson &lesson, const std::function<void(RollCallSettings &)> &edit)
{
    RollCallSettings settings = lesson.settings();
    edit(settings);
    lesson.UseSettings(settings);
}
