// "explorer-window [FOLDER [SECONDS]]": the host's side of the modeless
// explorer window. Opens it with RemoteWin95 beside a window of its own
// (starting in FOLDER when given, through "LastDir"), stays in its message
// loop until the explorer window has closed (or SECONDS have passed, when
// RemoteWinClose95 closes it), and prints every request (message 0x911) with
// what came with it: the keys of a one-file request, the exchange file of a
// list, a slideshow or a conversion.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host.h"

namespace w95host {

namespace {

constexpr char kCaption[] = "Plimbo Explorer";

const char* RequestName(LPARAM code) {
  switch (code) {
    case W95_REQ_INFO:
      return "information on a file";
    case W95_REQ_PREVIEW:
      return "preview of a file";
    case W95_REQ_DELETED:
      return "delete a file";
    case W95_REQ_SLIDESHOW:
      return "instant slideshow";
    case W95_REQ_CONVERT:
      return "convert files";
    case W95_REQ_ONE_FILE:
      return "open one file";
    case W95_REQ_SEVERAL_FILES:
      return "open several files";
    default:
      return "unknown request";
  }
}

// The exchange file as it is now, line by line (at most 60 lines).
void PrintExchangeFile() {
  const std::string path = ReadKey(W95_KEY_EXCHANGE_FILE);
  const std::string file = path == "(absent)" ? "c:\\plimbo.tmp" : path;
  std::printf("    exchange file %s:\n", file.c_str());
  FILE* f = std::fopen(file.c_str(), "r");
  if (!f) {
    std::printf("      (cannot be read)\n");
    return;
  }
  char line[1024];
  int n = 0;
  while (std::fgets(line, sizeof line, f)) {
    if (++n > 60) {
      std::printf("      ...\n");
      break;
    }
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    std::printf("      %s\n", text.c_str());
  }
  std::fclose(f);
}

int requests = 0;

LRESULT CALLBACK ExplorerHostProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == W95_MSG_EXPLORER) {
    ++requests;
    std::printf("  0x911 request %ld (%s)\n", static_cast<long>(lp), RequestName(lp));
    switch (lp) {
      case W95_REQ_SLIDESHOW:
      case W95_REQ_CONVERT:
      case W95_REQ_SEVERAL_FILES:
        PrintExchangeFile();
        break;
      default:
        for (const char* key : {W95_KEY_LONG_NAME, "Win95file", W95_KEY_SAVE_NAME})
          std::printf("    %-10s = %s\n", key, ReadKey(key).c_str());
    }
    std::fflush(stdout);
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

BOOL CALLBACK FindExplorer(HWND h, LPARAM p) {
  char text[64] = "";
  GetWindowTextA(h, text, sizeof text);
  if (std::string(text) != kCaption) return TRUE;
  *reinterpret_cast<HWND*>(p) = h;
  return FALSE;
}

HWND ExplorerWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindExplorer, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

int ExplorerWindowCommand(Host& host, const Args& args) {
  auto open = host.Export<W95_PFN_RemoteWin95>("RemoteWin95");
  auto close = host.Export<W95_PFN_RemoteWinClose95>("RemoteWinClose95");
  if (!open || !close) return 1;
  if (!args.empty()) {
    std::string folder = args[0];
    if (folder.back() != '\\') folder += '\\';
    WriteKey(W95_KEY_LAST_DIR, folder);
  }
  const int seconds = args.size() > 1 ? std::atoi(args[1].c_str()) : 0;

  WNDCLASSA wc{};
  wc.lpfnWndProc = ExplorerHostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "PlimboExplorerHost";
  RegisterClassA(&wc);
  HWND hostWindow = CreateWindowA(wc.lpszClassName, "Plimbo host (explorer requests)",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 120, nullptr,
                                  nullptr, wc.hInstance, nullptr);
  std::printf("  RemoteWin95(host, 0)   LastDir = %s\n", ReadKey(W95_KEY_LAST_DIR).c_str());
  open(hostWindow, 0);
  HWND explorer = ExplorerWindow();
  host.Check(explorer != nullptr, "the explorer window is open");
  if (!explorer) {
    DestroyWindow(hostWindow);
    return 1;
  }
  std::printf("  the explorer window is open; its requests follow%s\n",
              seconds > 0 ? "" : " until it is closed");
  std::fflush(stdout);

  // The host's own message loop; the explorer window lives in it.
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  SetTimer(hostWindow, 1, 100, nullptr);
  MSG m;
  while (IsWindow(explorer) && IsWindow(hostWindow) && GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    if (seconds > 0 && static_cast<int>(GetTickCount() - end) >= 0 && IsWindow(explorer)) {
      std::printf("  RemoteWinClose95()     after %d s\n", seconds);
      close();
    }
  }
  if (IsWindow(explorer)) close();
  std::printf("  the explorer window has closed after %d request(s); LastDir = %s\n", requests,
              ReadKey(W95_KEY_LAST_DIR).c_str());
  if (IsWindow(hostWindow)) DestroyWindow(hostWindow);
  return host.failures == 0 ? 0 : 1;
}

}  // namespace w95host
