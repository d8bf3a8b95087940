// "video FILE [MODE [KIND]]": the host's side of the video window. Writes
// SaveName, calls VideoWinPlayer95 with its own window, stays in its message
// loop polling VideoWinStatus95 until the window has closed, saves each
// grabbed frame as a bitmap file, and prints the messages it received.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host.h"
#include "wine_windows.h"

namespace w95host {

namespace {

constexpr UINT kVideoClosed = 0x0905;
constexpr UINT kGrabFrame = 0x0913;

int grabs = 0;
bool closedHeard = false;

// Copies the picture out of the video window's device context into a
// 24-bit bitmap file.
bool SaveGrab(HDC dc, const std::string& path) {
  const int l = std::atoi(ReadKey(W95_KEY_IMAGE_LEFT).c_str());
  const int t = std::atoi(ReadKey(W95_KEY_IMAGE_TOP).c_str());
  const int w = std::atoi(ReadKey(W95_KEY_IMAGE_WIDTH).c_str());
  const int h = std::atoi(ReadKey(W95_KEY_IMAGE_HEIGHT).c_str());
  std::printf("  0x913 grab frame: %d x %d at %d, %d\n", w, h, l, t);
  return wine_windows::SaveDcArea(dc, RECT{l, t, l + w, t + h}, path);
}

LRESULT CALLBACK VideoHostProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kGrabFrame) {
    const std::string path = "grab" + std::to_string(++grabs) + ".bmp";
    const bool saved = SaveGrab(reinterpret_cast<HDC>(lp), path);
    std::printf("    %s %s\n", saved ? "saved as" : "could not save", path.c_str());
    return 0;
  }
  if (msg == kVideoClosed) {
    closedHeard = true;
    std::printf("  0x905 the video window has closed\n");
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

int Video(Host& host, const Args& args) {
  if (args.empty()) {
    std::printf("usage: plimbo-host.exe video FILE [MODE [KIND]]\n");
    return 2;
  }
  const LONG mode = args.size() > 1 ? std::atol(args[1].c_str()) : 0;
  const LONG kind = args.size() > 2 ? std::atol(args[2].c_str()) : 0;
  auto player = host.Export<W95_PFN_VideoWinPlayer95>("VideoWinPlayer95");
  auto status = host.Export<W95_PFN_VideoWinStatus95>("VideoWinStatus95");
  if (!player || !status) return 1;

  WNDCLASSA wc{};
  wc.lpfnWndProc = &VideoHostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "PlimboHostVideo";
  RegisterClassA(&wc);
  // Hidden: the video window is what the person sees.
  HWND self = CreateWindowExA(0, wc.lpszClassName, "Plimbo host (video)", WS_OVERLAPPEDWINDOW, 0, 0,
                              200, 100, nullptr, nullptr, wc.hInstance, nullptr);

  char shortName[MAX_PATH] = "";
  if (!GetShortPathNameA(args[0].c_str(), shortName, sizeof shortName))
    std::snprintf(shortName, sizeof shortName, "%s", args[0].c_str());
  WriteKey("SaveName", shortName);
  const LONG opened = player(self, mode, kind);
  std::printf("  VideoWinPlayer95(host, %ld, %ld) on %s -> %ld\n", mode, kind, shortName, opened);
  std::printf("  VideoWinStatus95()     -> %ld\n", status());
  if (opened != 1) {
    DestroyWindow(self);
    return 1;
  }
  // The host's own loop; the window lives on it until it closes.
  LONG last = status();
  SetTimer(self, 1, 200, nullptr);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    if (m.message == WM_TIMER && m.hwnd == self) {
      const LONG now = status();
      if (now != last) std::printf("  VideoWinStatus95()     -> %ld\n", now);
      last = now;
      if (now == 0) break;
    }
  }
  KillTimer(self, 1);
  DestroyWindow(self);
  std::printf("  frames grabbed: %d; closing message %s\n", grabs,
              closedHeard ? "received" : "NOT received");
  host.Check(closedHeard, "the video window should broadcast 0x905 when it closes");
  return 0;
}

}  // namespace w95host
