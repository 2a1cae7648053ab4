#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Whole-file writes that never leave a half-written file: the bytes go to a temporary
// file beside the target, which replaces the target only once everything is on disk.
namespace AtomicTextFile {

// Returns an empty string on success, otherwise a text that names the failure.
QString write(const QString &path, const QByteArray &bytes);

// Told the path of every file replaced, so that tests can count the writes; an empty
// function stops it.
void setReplaceObserver(std::function<void(const QString &path)> observer);

} // namespace AtomicTextFile
