// "print WIDTH HEIGHT [NOENHANCE]": the host's side of the print protocol.
// Calls PrintDlg95 with its own window and an image of WIDTH x HEIGHT pixels
// (NOENHANCE > 0 turns enhancement off), stays in its message loop while
// PrintCheck95 says the window exists, and on 0x912 draws a test picture
// into the rectangle of the placement keys on the printer's device context
// and calls PrintEnd95. Closing the window with Cancel ends it without a job.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host.h"

namespace w95host {

namespace {

Host* printHost = nullptr;
int printed = 0;

// Colour bands with a frame and a diagonal, so that placement and scaling
// can be seen on paper.
void DrawTestPicture(HDC dc, int l, int t, int w, int h) {
  for (int band = 0; band < 8; ++band) {
    HBRUSH b = CreateSolidBrush(RGB(band * 32, 255 - band * 32, 128));
    RECT r{l + w * band / 8, t, l + w * (band + 1) / 8, t + h};
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  HPEN pen = CreatePen(PS_SOLID, (w + h) / 200 + 1, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc, pen);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, l, t, l + w, t + h);
  MoveToEx(dc, l, t, nullptr);
  LineTo(dc, l + w, t + h);
  SelectObject(dc, old);
  DeleteObject(pen);
}

LRESULT CALLBACK PrintHostProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != W95_MSG_PRINT_READY) return DefWindowProcA(h, msg, wp, lp);
  HDC dc = reinterpret_cast<HDC>(lp);
  const int l = std::atoi(ReadKey(W95_KEY_IMAGE_LEFT).c_str());
  const int t = std::atoi(ReadKey(W95_KEY_IMAGE_TOP).c_str());
  const int w = std::atoi(ReadKey(W95_KEY_IMAGE_WIDTH).c_str());
  const int hh = std::atoi(ReadKey(W95_KEY_IMAGE_HEIGHT).c_str());
  std::printf("  0x912 print ready: page %d x %d at %d dpi\n", GetDeviceCaps(dc, HORZRES),
              GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, LOGPIXELSX));
  std::printf("    prL %d, prT %d, prW %d, prH %d, prN %s, prC %s, prD %s\n", l, t, w, hh,
              ReadKey(W95_KEY_PRINT_ENHANCE).c_str(), ReadKey(W95_KEY_PRINT_COLOUR).c_str(),
              ReadKey(W95_KEY_PRINT_DITHER).c_str());
  DrawTestPicture(dc, l, t, w, hh);
  ++printed;
  if (auto end = printHost->Export<W95_PFN_PrintEnd95>("PrintEnd95")) {
    end();
    std::printf("  PrintEnd95(): page and document ended\n");
  }
  return 0;
}

}  // namespace

int Print(Host& host, const Args& args) {
  if (args.size() < 2) {
    std::printf("usage: print WIDTH HEIGHT [NOENHANCE]\n");
    return 2;
  }
  const LONG width = std::atol(args[0].c_str()), height = std::atol(args[1].c_str());
  const LONG noEnhance = args.size() > 2 ? std::atol(args[2].c_str()) : 0;
  auto printDlg = host.Export<W95_PFN_PrintDlg95>("PrintDlg95");
  auto printCheck = host.Export<W95_PFN_PrintCheck95>("PrintCheck95");
  if (!printDlg || !printCheck) return 1;
  printHost = &host;

  WNDCLASSA wc{};
  wc.lpfnWndProc = &PrintHostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "PlimboPrintHost";
  RegisterClassA(&wc);
  HWND self = CreateWindowExA(0, wc.lpszClassName, "Plimbo print host", WS_OVERLAPPEDWINDOW, 0, 0,
                              200, 100, nullptr, nullptr, wc.hInstance, nullptr);

  std::printf("PrintDlg95(host, %ld, %ld, %ld)\n", width, height, noEnhance);
  printDlg(self, width, height, noEnhance);
  std::printf("  PrintCheck95() -> %ld\n", printCheck());
  // The host's message loop, while the print setup window exists.
  MSG msg;
  while (printCheck() == 1) {
    if (!GetMessageA(&msg, nullptr, 0, 0)) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // Let the window's own release run.
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  std::printf("  the print setup window has closed; %s\n",
              printed ? "one page printed" : "nothing printed");
  DestroyWindow(self);
  return 0;
}

}  // namespace w95host
