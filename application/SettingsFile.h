#pragma once

#include "RollCallSettings.h"

#include "platform/base/ProfileFile.h"

#include <QString>

class CPellorApp;

// The sections and keys of res/set.ini and who reads and writes them.
namespace SettingsFile {

// folder + "/res/set.ini"
QString pathIn(const QString &programFolder);

// The main window's reader: every key present and not empty replaces the member;
// a missing file reads nothing. The five integer scores are truncated toward zero. Paths
// come back with '/' separators, the score folder always ending with one; a relative picture
// path is read against the program folder that holds res/set.ini.
// Each reader also takes the file as read once, so that start-up reads it once for both.
void readRollCallSettings(const QString &path, RollCallSettings &settings);
void readRollCallSettings(const ProfileFile::Contents &file, RollCallSettings &settings);

// The application object's reader of the six grading weights.
void readScoreWeights(const QString &path, CPellorApp &app);
void readScoreWeights(const ProfileFile::Contents &file, CPellorApp &app);

// Each writer sets its keys in one replacement of the file: all of them or, with the reason
// returned, none. An empty string means written.

// The settings dialog's write: the picture always, the other keys only when othersChanged. A
// picture inside the program folder is written relative to it.
QString writeRollCallSettings(const QString &path, const RollCallSettings &settings, bool othersChanged);

// The tool bar's write of its three switches.
QString writeToolBarSettings(const QString &path, int voice, int showDongHua, int showScore);

// The score-weights dialog's write, each as text that reads back to the same value.
QString writeScoreWeights(const QString &path, const float weights[6]);

} // namespace SettingsFile
