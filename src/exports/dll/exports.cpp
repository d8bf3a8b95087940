// The 15 entry points of w95ZOK56.dll: thin __stdcall shims over the library.
// Names and ordinals come from the generated .def file.
//
// No C++ exception may unwind into the host: one that reaches an entry point
// is shown in the standard error box, and the export returns the result that
// means "nothing done" (-1 for the explorer dialog, 0 otherwise).
#include <windows.h>

#include <exception>

#include "exports/library.h"

namespace {

void ShowError(const char* text) {
  MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

template <typename R, typename Fn>
R Guarded(R fallback, Fn fn) noexcept {
  try {
    return fn();
  } catch (const std::exception& e) {
    ShowError(e.what());
  } catch (...) {
    ShowError("Unexpected error.");
  }
  return fallback;
}

template <typename Fn>
void Guarded(Fn fn) noexcept {
  Guarded(0, [&] {
    fn();
    return 0;
  });
}

}  // namespace

extern "C" {

DWORD WINAPI GetFreePageMem95() {
  return Guarded(0u, [] { return w95::GetFreePageMem(); });
}
LONG WINAPI VideoWinStatus95() {
  return Guarded(0, [] { return w95::VideoWinStatus(); });
}
void WINAPI VideoWinClose95() {
  Guarded([] { w95::VideoWinClose(); });
}
LONG WINAPI VideoWinPlayer95(HWND host, LONG hostMode, LONG kind) {
  return Guarded(0, [&] {
    return w95::VideoWinPlayer(reinterpret_cast<w95::HostWindow>(host), hostMode,
                               static_cast<int>(kind & 0xFFFF));
  });
}
void WINAPI PrintEnd95() {
  Guarded([] { w95::PrintEnd(); });
}
void WINAPI PrintDlg95(HWND host, LONG width, LONG height, LONG noEnhance) {
  Guarded(
      [&] { w95::PrintDlg(reinterpret_cast<w95::HostWindow>(host), width, height, noEnhance); });
}
LONG WINAPI PrintCheck95() {
  return Guarded(0, [] { return w95::PrintCheck(); });
}
LONG WINAPI EditorWin95() {
  return Guarded(0, [] { return w95::EditorWin(); });
}
LONG WINAPI RemoteDlg95(LONG kind, LONG restrictFormats) {
  return Guarded(-1, [&] { return w95::RemoteDlg(kind, restrictFormats); });
}
void WINAPI ShortToLongName95() {
  Guarded([] { w95::ShortToLongName(); });
}
void WINAPI RemoteWinUpdate95() {
  Guarded([] { w95::RemoteWinUpdate(); });
}
void WINAPI RemoteWinHide95() {
  Guarded([] { w95::RemoteWinHide(); });
}
void WINAPI RemoteWinClose95() {
  Guarded([] { w95::RemoteWinClose(); });
}
void WINAPI RemoteWin95(HWND host, LONG restorePlacement) {
  Guarded([&] { w95::RemoteWin(reinterpret_cast<w95::HostWindow>(host), restorePlacement); });
}
LONG WINAPI GDIflush95() {
  return Guarded(0, [] { return w95::GDIflush(); });
}

}  // extern "C"
