#pragma once

#include <QByteArray>
#include <QString>

// Whole-file writes that never leave a half-written file: the bytes go to a temporary
// file beside the target, which replaces the target only once everything is on disk.
namespace AtomicTextFile {

// Returns an empty string on success, otherwise a text that names the failure.
QString write(const QString &path, const QByteArray &bytes);

} // namespace AtomicTextFile
