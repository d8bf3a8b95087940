#pragma once

namespace w95::platform {

// Installs the real Win32 services as the current machine.
void InstallWin32Machine();
// The library is unloaded: the services' hidden windows and classes go.
void UninstallWin32Machine();

}  // namespace w95::platform
