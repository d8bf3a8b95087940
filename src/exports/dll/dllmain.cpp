#include <windows.h>

#include "exports/library.h"
#include "platform/win32/win32_machine.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      w95::platform::InstallWin32Machine();
      w95::LibraryStart(reinterpret_cast<void*>(instance));
      break;
    case DLL_PROCESS_DETACH:
      // FreeLibrary: our windows, classes, timers and hooks go with us. At
      // the end of the process (reserved set) the system takes them.
      if (!reserved) {
        w95::LibraryEnd();
        w95::platform::UninstallWin32Machine();
      }
      break;
    default:  // thread attach and detach do nothing
      break;
  }
  return TRUE;
}
