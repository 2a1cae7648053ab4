#pragma once

// The program's start-up, shared by main(), the start-up benchmark and the tests.
class CPellorApp;
class QIcon;

#include <QString>

namespace PellorStartup {

// The program's name as its title bar shows it, and every message box and the About box.
inline const QString kProductName = QStringLiteral("Quorinde");

// The program icon. Decoded with its format named, so that no image plugin is loaded to guess it.
QIcon programIcon();

// Application name and version, Qt's own texts in Chinese, the template font substitutions.
void prepareApplication();

// Loads Qt's Chinese translation once; false when the translation file is not installed.
bool installQtTranslation();

// Reads the weights, runs the main window modally and returns once it has closed. Always
// false: the program ends with its main window.
bool InitInstance(CPellorApp &app);

// The whole run: the QApplication, the application object, the main window, the exit.
// The application object and its connections end before the QApplication does.
int run(int argc, char *argv[]);

} // namespace PellorStartup
