// The 15 entry points of w95ZOK56.dll: thin __stdcall shims over the library.
// Names and ordinals come from the generated .def file.
#include <windows.h>

#include "exports/library.h"

extern "C" {

DWORD WINAPI GetFreePageMem95() { return w95::GetFreePageMem(); }
LONG WINAPI VideoWinStatus95() { return w95::VideoWinStatus(); }
void WINAPI VideoWinClose95() { w95::VideoWinClose(); }
LONG WINAPI VideoWinPlayer95(HWND host, LONG hostMode, LONG kind) {
  return w95::VideoWinPlayer(reinterpret_cast<w95::HostWindow>(host), hostMode,
                             static_cast<int>(kind & 0xFFFF));
}
void WINAPI PrintEnd95() { w95::PrintEnd(); }
void WINAPI PrintDlg95(HWND host, LONG width, LONG height, LONG enhance) {
  w95::PrintDlg(reinterpret_cast<w95::HostWindow>(host), width, height, enhance);
}
LONG WINAPI PrintCheck95() { return w95::PrintCheck(); }
LONG WINAPI EditorWin95() { return w95::EditorWin(); }
LONG WINAPI RemoteDlg95(LONG kind, LONG restrictFormats) {
  return w95::RemoteDlg(kind, restrictFormats);
}
void WINAPI ShortToLongName95() { w95::ShortToLongName(); }
void WINAPI RemoteWinUpdate95() { w95::RemoteWinUpdate(); }
void WINAPI RemoteWinHide95() { w95::RemoteWinHide(); }
void WINAPI RemoteWinClose95() { w95::RemoteWinClose(); }
void WINAPI RemoteWin95(HWND host, LONG restorePlacement) {
  w95::RemoteWin(reinterpret_cast<w95::HostWindow>(host), restorePlacement);
}
LONG WINAPI GDIflush95() { return w95::GDIflush(); }

}  // extern "C"
