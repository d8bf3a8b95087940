// The print protocol through the real DLL under Wine, as a host does it: a
// host window receives 0x912, reads the seven keys, fills a rectangle at
// "prL", "prT", "prW", "prH" on the printer's device context and calls
// PrintEnd95. The job goes to a file printer set up for this test; the
// placement is saved beside the PostScript for the page check
// (check_page.py renders it with Ghostscript). Before the printer exists
// the window meets a machine without a printer.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "file_printer.h"
#include "wine_keys.h"
#include "wine_windows.h"

namespace {

using wine_windows::TextOf;

using PrintDlgFn = void(WINAPI*)(HWND, LONG, LONG, LONG);
using LongFn = LONG(WINAPI*)();
using VoidFn = void(WINAPI*)();

template <typename F>
F Proc(HMODULE dll, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(dll, name)));
}

struct Library {
  HMODULE dll = LoadLibraryA("w95ZOK56.dll");
  PrintDlgFn printDlg = Proc<PrintDlgFn>(dll, "PrintDlg95");
  LongFn printCheck = Proc<LongFn>(dll, "PrintCheck95");
  VoidFn printEnd = Proc<VoidFn>(dll, "PrintEnd95");
};
Library& Lib() {
  static Library lib;
  return lib;
}

std::string Key(const char* key) {
  char buf[256] = "";
  GetPrivateProfileStringA("plimbo", key, "(none)", buf, sizeof buf, "plimbo.ini");
  return buf;
}
void SetKey(const char* key, const char* value) { WritePrivateProfileStringA("plimbo", key, value, "plimbo.ini"); }

void Pump(int ms) { wine_windows::Pump(static_cast<DWORD>(ms)); }

// ---- Message boxes of the library: recorded and answered with OK.
struct Box {
  std::string title, text;
};
std::vector<Box> boxes;
HHOOK cbt = nullptr;

LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE) {
    HWND h = reinterpret_cast<HWND>(wp);
    char cls[32] = "";
    GetClassNameA(h, cls, sizeof cls);
    HWND text = GetDlgItem(h, 0xFFFF);
    if (std::string(cls) == "#32770" && text) {
      boxes.push_back({TextOf(h), TextOf(text)});
      PostMessageA(h, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(cbt, code, wp, lp);
}

// ---- The print setup window and its controls.
HWND SetupWindow() { return FindWindowA(nullptr, "Plimbo Print Setup"); }

// A control, shown or not, by its text and, when given, its class.
HWND Child(HWND form, const std::string& text, const std::string& cls = {}) {
  return wine_windows::Find(form, {.cls = cls, .text = text, .hiddenToo = true});
}
void Click(HWND form, const std::string& caption) {
  HWND b = Child(form, caption, "Button");
  ASSERT_NE(b, nullptr) << caption;
  SendMessageA(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED), reinterpret_cast<LPARAM>(b));
}
// The text of the label or panel whose text starts with `start`.
std::string TextStarting(HWND form, const std::string& start) {
  HWND h = wine_windows::Find(form, {.text = start, .prefix = true, .hiddenToo = true});
  return h ? TextOf(h) : std::string();
}

// With W95_SHOTS set to a folder, announces "<name>.ready" there and waits
// for "<name>.done" while the windows run (a shell takes the shot).
void Screenshot(const std::string& name) {
  const char* dir = std::getenv("W95_SHOTS");
  if (!dir) return;
  const std::string ready = std::string(dir) + "\\" + name + ".ready";
  const std::string done = std::string(dir) + "\\" + name + ".done";
  CloseHandle(CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  for (int i = 0; i < 600 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Pump(50);
}

// ---- The host window.
struct Received {
  int messages = 0;
  std::map<std::string, std::string> keys;
  bool windowDisabled = false;
  bool windowMinimised = false;
  LONG checkDuring = -1;
  int horzRes = 0, vertRes = 0, offsetX = 0, offsetY = 0, dpiX = 0, dpiY = 0;
};
Received received;

LRESULT CALLBACK HostProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != 0x0912) return DefWindowProcA(h, msg, wp, lp);
  ++received.messages;
  HDC dc = reinterpret_cast<HDC>(lp);
  for (const char* k : {"prT", "prL", "prW", "prH", "prN", "prC", "prD"}) received.keys[k] = Key(k);
  HWND form = SetupWindow();
  received.windowDisabled = form && !IsWindowEnabled(form);
  received.windowMinimised = form && IsIconic(form);
  received.checkDuring = Lib().printCheck();
  received.horzRes = GetDeviceCaps(dc, HORZRES);
  received.vertRes = GetDeviceCaps(dc, VERTRES);
  received.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  received.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  received.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  received.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  const int l = std::atoi(received.keys["prL"].c_str()), t = std::atoi(received.keys["prT"].c_str());
  RECT r{l, t, l + std::atoi(received.keys["prW"].c_str()), t + std::atoi(received.keys["prH"].c_str())};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  Lib().printEnd();
  return 0;
}

HWND HostWindow() {
  static HWND host = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "W95PrintTestHost";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "W95PrintTestHost", "Print test host", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                           nullptr, nullptr, wc.hInstance, nullptr);
  }();
  return host;
}

// The folder for this run's output (a Windows path).
std::string OutputFolder() {
  const char* out = std::getenv("W95_PRINT_OUT");
  std::string dir;
  if (out && *out) {
    dir = out;
    if (dir[0] == '/') dir = "Z:" + dir;
    for (char& c : dir)
      if (c == '/') c = '\\';
  } else {
    char tmp[MAX_PATH] = "";
    GetTempPathA(sizeof tmp, tmp);
    dir = std::string(tmp) + "w95print";
  }
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

// A 64 x 48 bitmap with colour bands, for the preview.
void WritePreviewBitmap(const std::string& path) {
  const int w = 64, h = 48;
  std::string bmp = "BM";
  auto le = [&](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) bmp.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  le(54 + w * h * 3, 4), le(0, 4), le(54, 4), le(40, 4), le(w, 4), le(h, 4), le(1, 2), le(24, 2);
  le(0, 4), le(w * h * 3, 4), le(2835, 4), le(2835, 4), le(0, 4), le(0, 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bmp.push_back(static_cast<char>(255 - y * 5));  // blue
      bmp.push_back(static_cast<char>(x * 4));        // green
      bmp.push_back(static_cast<char>(y < h / 2 ? 230 : 60));
    }
  std::ofstream(path, std::ios::binary) << bmp;
}

class PrintOnWine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    cbt = SetWindowsHookExA(WH_CBT, &CbtProc, nullptr, GetCurrentThreadId());
    wine_print::RemoveFilePrinter();  // left over from an interrupted run
  }
  static void TearDownTestSuite() {
    UnhookWindowsHookEx(cbt);
    wine_print::RemoveFilePrinter();
  }
  void SetUp() override {
    ASSERT_NE(Lib().printDlg, nullptr);
    ASSERT_NE(HostWindow(), nullptr);
    boxes.clear();
    received = {};
    SetKey("BMP", "");
  }
  void TearDown() override {
    if (HWND f = SetupWindow()) SendMessageA(f, WM_CLOSE, 0, 0);
    Pump(50);
  }
};

TEST_F(PrintOnWine, WithoutAPrinterTheWindowSaysSoAndPrintItSaysCheckPrinter) {
  if (wine_print::AnyPrinterInstalled()) GTEST_SKIP() << "this prefix has a printer";
  Lib().printDlg(HostWindow(), 640, 480, 0);
  Pump(100);
  ASSERT_EQ(boxes.size(), 1u) << "one box, not one per activation";
  EXPECT_EQ(boxes[0].title, "Error");
  EXPECT_EQ(boxes[0].text, "There is no default printer currently selected");
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Lib().printCheck(), 1);
  Click(form, "&Print It");
  Pump(50);
  // "Check printer."; closing it activates the window again, which asks the
  // printer again (once: not again for its own box).
  ASSERT_GE(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].title, "Warning");
  EXPECT_EQ(boxes[1].text, "Check printer.");
  EXPECT_LE(boxes.size(), 3u);
  if (boxes.size() == 3) {
    EXPECT_EQ(boxes[2].text, "There is no default printer currently selected");
  }
  EXPECT_EQ(received.messages, 0);
  EXPECT_TRUE(IsWindowEnabled(form));
  Click(form, "Cancel");
  Pump(50);
  EXPECT_EQ(Lib().printCheck(), 0);
  EXPECT_EQ(SetupWindow(), nullptr);
}

TEST_F(PrintOnWine, ImageWithoutSizeIsRefused) {
  Lib().printDlg(HostWindow(), 0, 480, 0);
  Pump(50);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Error");
  EXPECT_EQ(SetupWindow(), nullptr);
  EXPECT_EQ(Lib().printCheck(), 0);
}

TEST_F(PrintOnWine, PrintsTheRectangleWhereTheKeysPutIt) {
  const std::string dir = OutputFolder();
  const std::string ps = dir + "\\page.ps";
  DeleteFileA(ps.c_str());
  wine_print::FilePrinter printer(ps);
  ASSERT_EQ(printer.error, "");
  const std::string bmp = dir + "\\preview.bmp";
  WritePreviewBitmap(bmp);
  SetKey("BMP", bmp.c_str());

  Lib().printDlg(HostWindow(), 640, 480, 0);
  Pump(100);
  EXPECT_TRUE(boxes.empty()) << boxes[0].text;
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Lib().printCheck(), 1);
  // A second call while the window exists does nothing.
  Lib().printDlg(HostWindow(), 100, 100, 1);
  Pump(20);
  EXPECT_EQ(SetupWindow(), form);
  EXPECT_TRUE(IsWindowEnabled(Child(form, "E&nhance", "Button")));

  const std::string summary = TextStarting(form, "Portrait : ");
  EXPECT_NE(summary.find(" dpi)"), std::string::npos) << summary;
  EXPECT_EQ(TextStarting(form, "Width : ").find("Width : "), 0u);
  Screenshot("print_inches");

  // Pixels, then 60 % of the largest size.
  HWND units = Child(form, "Inches", "ComboBox");
  ASSERT_NE(units, nullptr);
  SendMessageA(units, CB_SETCURSEL, 0, 0);
  SendMessageA(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(units), CBN_SELCHANGE), reinterpret_cast<LPARAM>(units));
  HWND zoom = nullptr;
  {
    // The zoom bar is the form's own horizontal scroll bar (the others sit on panels).
    for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      char cls[32] = "";
      GetClassNameA(c, cls, sizeof cls);
      if (lstrcmpiA(cls, "ScrollBar") == 0) zoom = c;
    }
  }
  ASSERT_NE(zoom, nullptr);
  SendMessageA(form, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 60), reinterpret_cast<LPARAM>(zoom));
  SendMessageA(form, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(zoom));
  Pump(50);
  EXPECT_EQ(TextStarting(form, "  Si&ze"), "  Si&ze : 60%");
  const std::string pixels = TextStarting(form, "Portrait : ");
  EXPECT_EQ(pixels.substr(0, pixels.find("  (")).find('.'), std::string::npos) << "whole pixels: " << pixels;
  EXPECT_EQ(TextStarting(form, "Width : ").find('.'), std::string::npos);
  Screenshot("print_pixels");

  Click(form, "&Print It");
  // PrintEnd95 ran inside the host's handler: job ended, window going away.
  EXPECT_EQ(Lib().printCheck(), 0);
  Pump(100);
  EXPECT_EQ(SetupWindow(), nullptr);
  ASSERT_EQ(received.messages, 1);
  EXPECT_TRUE(received.windowDisabled);
  EXPECT_TRUE(received.windowMinimised);
  EXPECT_EQ(received.checkDuring, 1);
  EXPECT_EQ(received.keys["prN"], "1");
  EXPECT_EQ(received.keys["prC"], "1");  // the PostScript printer has colour
  EXPECT_EQ(received.keys["prD"], "4");
  // 640 x 480 fitted to the printable area at 60 %, in the middle.
  const int w = std::atoi(received.keys["prW"].c_str()), h = std::atoi(received.keys["prH"].c_str());
  const int l = std::atoi(received.keys["prL"].c_str()), t = std::atoi(received.keys["prT"].c_str());
  EXPECT_NEAR(w, received.horzRes * 6 / 10, 1);
  EXPECT_NEAR(h * 4, w * 3, 4);
  EXPECT_NEAR(l, (received.horzRes - w) / 2, 1);
  EXPECT_NEAR(t, (received.vertRes - h) / 2, 1);

  // For the page check: where the rectangle must be, in device pixels.
  std::ofstream(dir + "\\placement.txt") << received.dpiX << " " << received.dpiY << " " << received.offsetX << " "
                                         << received.offsetY << " " << received.horzRes << " " << received.vertRes
                                         << " " << l << " " << t << " " << w << " " << h << "\n";
  WIN32_FILE_ATTRIBUTE_DATA info{};
  ASSERT_TRUE(GetFileAttributesExA(ps.c_str(), GetFileExInfoStandard, &info)) << ps;
  EXPECT_GT(info.nFileSizeLow, 1000u);
}

}  // namespace

namespace {

// The window worked from the keyboard, with keys typed for real: the form's
// own Tab cycle visits every control of it once, both ways; the accelerator
// of a check box toggles it and puts the focus on it, where the next Tab
// starts; Escape closes the window.
TEST_F(PrintOnWine, KeyboardUserTabsThroughEveryControlAndUsesTheAccelerators) {
  Lib().printDlg(HostWindow(), 640, 480, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  SetForegroundWindow(form);
  HWND reset = Child(form, "Cen&ter", "Button");
  ASSERT_NE(reset, nullptr);
  SetFocus(reset);
  Pump(100);
  using wine_keys::Walk;
  const std::vector<std::string> forward = {
      "Button:&Setup", "Button:&Print It", "Button:Cancel", "Button:&Help", "ComboBox:", "ScrollBar:",
      "ScrollBar:", "ScrollBar:", "Button:Co&lor", "Button:E&nhance", "ComboBox:Inches", "Button:Cen&ter"};
  std::vector<std::string> seen = Walk(VK_TAB, 12);
  for (std::string& s : seen)  // the style list shows the printer's name
    if (s.rfind("ComboBox:", 0) == 0 && s != "ComboBox:Inches") s = "ComboBox:";
  EXPECT_EQ(seen, forward) << "the horizontal bar takes its turn even with nothing to scroll";
  std::vector<std::string> backward(forward.rbegin() + 1, forward.rend());
  backward.push_back(forward.back());
  seen = Walk(VK_TAB, 12, {VK_SHIFT});
  for (std::string& s : seen)
    if (s.rfind("ComboBox:", 0) == 0 && s != "ComboBox:Inches") s = "ComboBox:";
  EXPECT_EQ(seen, backward);

  HWND color = Child(form, "Co&lor", "Button");
  ASSERT_NE(color, nullptr);
  const LRESULT before = SendMessageA(color, BM_GETCHECK, 0, 0);
  wine_keys::Press('L', {VK_MENU});
  EXPECT_NE(SendMessageA(color, BM_GETCHECK, 0, 0), before) << "Alt+L toggles Colour";
  EXPECT_EQ(wine_keys::Focused(), "Button:Co&lor") << "and the focus is on it";
  wine_keys::Press(VK_TAB);
  EXPECT_EQ(wine_keys::Focused(), "Button:E&nhance") << "Tab goes on from there";
  wine_keys::Press('M', {VK_MENU});
  EXPECT_EQ(wine_keys::Focused(), "ComboBox:Inches") << "a label's accelerator";

  wine_keys::Press(VK_ESCAPE);
  EXPECT_EQ(SetupWindow(), nullptr);
  EXPECT_EQ(Lib().printCheck(), 0);
}

}  // namespace
