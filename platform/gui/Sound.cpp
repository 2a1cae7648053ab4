#include "Sound.h"

#include "Pause.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace Sound {

namespace {

class EffectPlayer final : public Player
{
public:
    void play(const QString &path, Mode mode) override
    {
        stop();
        if (!QFileInfo(path).isFile() || QMediaDevices::defaultAudioOutput().isNull())
            return;
        if (!m_effect)
            m_effect = new QSoundEffect(QCoreApplication::instance());
        m_effect->setSource(QUrl::fromLocalFile(path));
        m_effect->setLoopCount(mode == Mode::Looped ? QSoundEffect::Infinite : 1);
        m_effect->play();
    }

    void stop() override
    {
        if (m_effect)
            m_effect->stop();
    }

private:
    QPointer<QSoundEffect> m_effect;
};

Player *g_player = nullptr;

Player &player()
{
    static EffectPlayer real;
    return g_player ? *g_player : real;
}

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 le16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

// The header is all that is needed; clips are short but a data chunk may be large.
constexpr qint64 kHeaderBytes = 4096;

} // namespace

void play(const QString &path, Mode mode)
{
    player().play(path, mode);
    if (mode == Mode::ToEnd) {
        const int ms = wavDurationMs(path);
        if (ms > 0)
            Pause::pause(ms);
    }
}

void stop()
{
    player().stop();
}

void setPlayer(Player *p)
{
    g_player = p;
}

int wavDurationMs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return wavDurationMs(file.read(kHeaderBytes), file.size());
}

int wavDurationMs(const QByteArray &bytes, qint64 fileSize)
{
    if (fileSize < 0)
        fileSize = bytes.size();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return 0;
    quint32 byteRate = 0;
    qint64 pos = 12;
    while (pos + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(pos, 4);
        const quint32 size = le32(bytes.constData() + pos + 4);
        const qint64 body = pos + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > bytes.size())
                return 0;
            const quint16 channels = le16(bytes.constData() + body + 2);
            const quint32 sampleRate = le32(bytes.constData() + body + 4);
            const quint16 bits = le16(bytes.constData() + body + 14);
            // The block size from the format itself; the stored byte rate may be wrong.
            byteRate = sampleRate * channels * ((bits + 7u) / 8u);
        } else if (id == "data") {
            if (byteRate == 0)
                return 0;
            const qint64 present = qMin<qint64>(size, qMax<qint64>(0, fileSize - body));
            return static_cast<int>(qMin<qint64>(present * 1000 / byteRate, 0x7fffffff));
        }
        pos = body + size + (size & 1u);
    }
    return 0;
}

} // namespace Sound
