#pragma once

#include <QString>

// Paths of the program folder. A path read from a file may use '\'; it is normalised.
namespace ProgramFolder {

// The executable's folder without a trailing separator (or the folder set in its place).
QString executableFolder();

// Tests run the program on a folder of their own; an empty path restores the real one.
void setExecutableFolder(const QString &folder);

// '\' becomes '/'.
QString normalised(const QString &path);

// A folder path that ends with exactly one '/'; an empty path stays empty.
QString asFolder(const QString &path);

// folder + "/" + relative, with either side's separators normalised.
QString join(const QString &folder, const QString &relative);

} // namespace ProgramFolder
