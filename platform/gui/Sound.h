#pragma once

#include <QByteArray>
#include <QString>

// Feedback sounds (.wav), one at a time: a new sound replaces the one playing. A missing
// file or a machine without an audio device stays silent, never an error box or a hang.
// Tests put a recording player in place of the real one.
namespace Sound {

enum class Mode {
    Once,   // asynchronously, once
    Looped, // asynchronously, until stopped or replaced
    ToEnd,  // once, and the caller waits for the sound's length
};

class Player
{
public:
    virtual ~Player() = default;
    virtual void play(const QString &path, Mode mode) = 0;
    virtual void stop() = 0;
};

// Plays through the current player. With Mode::ToEnd the wait is the WAV's own length read
// from its header, through the pause seam: without an audio device nothing would ever
// report the end of the sound.
void play(const QString &path, Mode mode);
void stop();

// Installs a player (not owned); nullptr restores the real one.
void setPlayer(Player *player);

// Length in milliseconds of a PCM WAV from its "fmt " and "data" chunks; 0 when the file is
// missing or is not such a file. A data chunk cut short counts only the bytes present.
int wavDurationMs(const QString &path);
int wavDurationMs(const QByteArray &bytes, qint64 fileSize = -1);

} // namespace Sound
