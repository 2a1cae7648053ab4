#include "TestMain.h"
#include "TempProgramFolder.h"

#include "platform/gui/Pause.h"
#include "platform/gui/Sound.h"

#include <QtEndian>

namespace {

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A PCM WAV; dataSize is what the header claims, dataBytes what follows it.
QByteArray wav(int rate, int channels, int bits, quint32 dataSize, int dataBytes, const QByteArray &extra = {})
{
    QByteArray fmt = le16(1) + le16(channels) + le32(rate) + le32(12345) + le16(channels * bits / 8) + le16(bits);
    QByteArray body = "WAVE" + QByteArray("fmt ") + le32(fmt.size()) + fmt + extra + "data" + le32(dataSize)
        + QByteArray(dataBytes, '\x80');
    return "RIFF" + le32(body.size()) + body;
}

class Recorder final : public Sound::Player
{
public:
    void play(const QString &path, Sound::Mode) override { played << path; }
    void stop() override { ++stops; }
    QStringList played;
    int stops = 0;
};

} // namespace

class TestSound : public QObject
{
    Q_OBJECT

private slots:
    void durationFromTheHeader()
    {
        QCOMPARE(Sound::wavDurationMs(wav(8000, 1, 8, 4000, 4000)), 500);
        QCOMPARE(Sound::wavDurationMs(wav(44100, 2, 16, 176400, 176400)), 1000);
        // A chunk before the data, of odd size with its pad byte.
        QCOMPARE(Sound::wavDurationMs(wav(8000, 1, 16, 1600, 1600, "LIST" + le32(3) + QByteArray("abc\0", 4))), 100);
        // A data chunk cut short counts the bytes present.
        QCOMPARE(Sound::wavDurationMs(wav(8000, 1, 8, 100000, 800)), 100);
        QCOMPARE(Sound::wavDurationMs(QByteArray("RIFF\0\0\0\0WAVEdata")), 0);
        QCOMPARE(Sound::wavDurationMs(QByteArray("not a sound at all")), 0);
        QCOMPARE(Sound::wavDurationMs(wav(0, 1, 8, 100, 100)), 0);

        TempProgramFolder folder;
        folder.writeFile("a.wav", wav(11025, 1, 16, 22050, 22050));
        QCOMPARE(Sound::wavDurationMs(folder.file("a.wav")), 1000);
        QCOMPARE(Sound::wavDurationMs(folder.file("missing.wav")), 0);
    }

    void toItsEndWaitsTheSoundsLength()
    {
        TempProgramFolder folder;
        folder.writeFile("a.wav", wav(8000, 1, 8, 2400, 2400));
        QList<int> pauses;
        Pause::setHandler([&pauses](int ms) { pauses << ms; });
        Recorder recorder;
        Sound::setPlayer(&recorder);
        Sound::play(folder.file("a.wav"), Sound::Mode::Once);
        Sound::play(folder.file("a.wav"), Sound::Mode::Looped);
        QCOMPARE(pauses, QList<int>());
        Sound::play(folder.file("a.wav"), Sound::Mode::ToEnd);
        QCOMPARE(pauses, QList<int>({300}));
        Sound::play(folder.file("missing.wav"), Sound::Mode::ToEnd);
        QCOMPARE(pauses, QList<int>({300}));
        Sound::stop();
        QCOMPARE(recorder.played.size(), 4);
        QCOMPARE(recorder.stops, 1);

        // The real player is silent for a missing file, and nothing waits; without an audio
        // device it is silent too, and "to its end" still waits the sound's length.
        Sound::setPlayer(nullptr);
        Sound::play(folder.file("missing.wav"), Sound::Mode::ToEnd);
        Sound::stop();
        QCOMPARE(pauses, QList<int>({300}));
        Sound::play(folder.file("a.wav"), Sound::Mode::Looped);
        Sound::play(folder.file("a.wav"), Sound::Mode::ToEnd);
        Sound::stop();
        QCOMPARE(pauses, QList<int>({300, 300}));
        Pause::setHandler([](int) {});
    }
};

PELLOR_UNIT_TEST_MAIN(TestSound)
#include "tst_sound.moc"
