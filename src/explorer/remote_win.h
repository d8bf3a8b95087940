// The explorer as a modeless window beside the host's own: opened or shown
// again, refreshed after the host changed files, hidden, closed. Each user
// action in it is handed to the host at once (message 2321 with a request
// code), while the window stays open. One window at a time.
#pragma once

#include <cstdint>

namespace w95::explorer {

class TFileForm;

// Opens the window, or shows an open one again (restored from minimised,
// the first host window kept). `rememberPlacement` asks for the stored
// placement keys.
void RunRemoteWin(uintptr_t hostWindow, bool rememberPlacement);
// Each does nothing unless the window is open.
void RemoteWinUpdate();
void RemoteWinHide();
void RemoteWinClose();

// The open window, or nullptr.
TFileForm* ExplorerWindow();

}  // namespace w95::explorer
