#pragma once

// Start-up steps that run before the application object takes over, shared by main()
// and the start-up benchmark.
namespace PellorStartup {

// Application name and version, the template font substitutions.
void prepareApplication();

} // namespace PellorStartup
