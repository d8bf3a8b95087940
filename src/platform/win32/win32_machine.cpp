// The real machine: each service calls the Win32 API directly.
#include <windows.h>

#include <vector>

#include "platform/pause_keeper.h"
#include "platform/platform.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/win32_printer.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_profiles.h"

namespace w95::platform {

MediaService& Win32MediaService();  // win32_media.cpp
void ShutdownWin32Media();

namespace {

class Win32Desktop final : public Desktop {
 public:
  ScreenSize Screen() override {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  bool GdiFlush() override { return ::GdiFlush() != 0; }
  void Beep(unsigned type) override { MessageBeep(type); }
  bool Help(uintptr_t owner, const std::string& file, unsigned command, uintptr_t data) override {
    return WinHelpA(reinterpret_cast<HWND>(owner), file.c_str(), command, data) != 0;
  }
  bool Exec(const std::string& command, int show) override {
    return WinExec(command.c_str(), static_cast<UINT>(show)) > 31;
  }
  uint32_t Ticks() override { return GetTickCount(); }
  uint64_t AvailPageFile() override {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return status.dwAvailPageFile;
  }
  ScreenPoint CursorPos() override {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
  }
  std::string ShortDateTime(uint64_t fileTime) override {
    FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    FILETIME local{};
    SYSTEMTIME st{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st))
      return Desktop::ShortDateTime(fileTime);
    char date[64] = "";
    char time[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
  }
};

class Win32HostLink final : public HostLink {
  static BOOL CALLBACK Collect(HWND h, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(h);
    return TRUE;
  }

 public:
  intptr_t Send(uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) override {
    return SendMessageA(reinterpret_cast<HWND>(window), message, wParam, lParam);
  }
  // Sent to each top-level window in turn, as a broadcast is: Wine passes
  // only registered messages on to HWND_BROADCAST. The windows of this thread
  // (the host's own) have it handled before we go on; those of other threads
  // and programs get it queued: one hung program on the desktop must not
  // hang the close that broadcasts, and so the host.
  void Broadcast(unsigned message, uintptr_t wParam, intptr_t lParam) override {
    std::vector<HWND> windows;
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
    const DWORD self = GetCurrentThreadId();
    for (HWND h : windows) {
      if (!::IsWindow(h)) continue;
      if (GetWindowThreadProcessId(h, nullptr) == self)
        SendMessageA(h, message, wParam, lParam);
      else
        SendNotifyMessageA(h, message, wParam, lParam);
    }
  }
  bool IsWindow(uintptr_t window) override {
    return ::IsWindow(reinterpret_cast<HWND>(window)) != 0;
  }
};

}  // namespace

void InstallWin32Machine() {
  static Win32Desktop desktop;
  static Win32HostLink host;
  Machine m;
  m.profiles = &Win32Profiles();
  m.files = &Win32Files();
  m.desktop = &desktop;
  m.host = &host;
  static PauseKeeper media(Win32MediaService());
  m.media = &media;
  m.printer = &Win32Printer();
  m.pictures = &Win32Pictures();
  m.previews = &Win32Previews();
  Install(m);
}

void UninstallWin32Machine() { ShutdownWin32Media(); }

}  // namespace w95::platform
