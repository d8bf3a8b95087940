#include <windows.h>

#include "exports/library.h"
#include "platform/win32/win32_machine.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      w95::platform::InstallWin32Machine();
      w95::LibraryStart(reinterpret_cast<void*>(instance));
      break;
    case DLL_PROCESS_DETACH:
      w95::LibraryEnd();
      break;
    default:  // thread attach and detach do nothing
      break;
  }
  return TRUE;
}
