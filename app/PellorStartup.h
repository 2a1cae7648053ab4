#pragma once

// Start-up steps that run before the application object takes over, shared by main()
// and the start-up benchmark.
class QIcon;

namespace PellorStartup {

// The program icon. Decoded with its format named, so that no image plugin is loaded to guess it.
QIcon programIcon();

// Application name and version, the template font substitutions.
void prepareApplication();

} // namespace PellorStartup
