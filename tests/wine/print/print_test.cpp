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
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dll_loader.h"
#include "file_printer.h"
#include "step_player.h"
#include "wine_keys.h"
#include "wine_windows.h"

namespace {

using wine_windows::TextOf;

wine_dll::Library& Lib() {
  static wine_dll::Library lib;
  return lib;
}

std::string Key(const char* key) { return wine_dll::ReadKey(key); }
void SetKey(const char* key, const char* value) { wine_dll::WriteKey(key, value); }

void Pump(int ms) { wine_windows::Pump(static_cast<DWORD>(ms)); }

// ---- The user: the library's message boxes answered with OK and recorded;
// the printer's setup dialog, when a test opens it, answered by a step.
wine_steps::Player user;
struct Box {
  std::string title, text;
};
struct AnsweredBoxes {
  size_t size() const { return user.boxes.size(); }
  bool empty() const { return user.boxes.empty(); }
  Box operator[](size_t i) const {
    return i < size() ? Box{user.boxTitles[i], user.boxes[i]} : Box{"", "(no box)"};
  }
  void clear() {
    user.boxes.clear();
    user.boxTitles.clear();
  }
} boxes;

// Lets messages run until `n` boxes have been answered (or a generous limit).
void WaitForBoxes(size_t n) {
  for (int i = 0; i < 1500 && boxes.size() < n; ++i) Pump(20);
}

// The printer's setup dialog: the dialog with a "Landscape" button (rad2).
constexpr int kLandscapeButton = 0x421;
constexpr char kPrinterSetup[] = "(printer setup)";
BOOL CALLBACK MatchPrinterSetup(HWND h, LPARAM found) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(h) || wine_windows::ClassOf(h) != "#32770" ||
      !GetDlgItem(h, kLandscapeButton))
    return TRUE;
  *reinterpret_cast<HWND*>(found) = h;
  return FALSE;
}
HWND FindWindowOfStep(const std::string& wanted) {
  if (wanted != kPrinterSetup) return wine_windows::TopLevel(wanted);
  HWND found = nullptr;
  EnumWindows(MatchPrinterSetup, reinterpret_cast<LPARAM>(&found));
  return found;
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
  SendMessageA(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED),
               reinterpret_cast<LPARAM>(b));
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
  for (int i = 0; i < 600 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    Pump(50);
}

// ---- The host window.
struct Received {
  int messages = 0;
  std::map<std::string, std::string> keys;
  bool windowDisabled = false;
  bool windowMinimised = false;
  LONG checkDuring = -1;
  int horzRes = 0, vertRes = 0, offsetX = 0, offsetY = 0, dpiX = 0, dpiY = 0;

  int Number(const char* key) { return std::atoi(keys[key].c_str()); }
  // For the page check: the printer's figures and where the rectangle must
  // be, in device pixels, as check_page.py reads them.
  void WritePlacement(const std::string& file, int l, int t, int w, int h) const {
    std::ofstream(file) << dpiX << " " << dpiY << " " << offsetX << " " << offsetY << " " << horzRes
                        << " " << vertRes << " " << l << " " << t << " " << w << " " << h << "\n";
  }
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
  received.checkDuring = Lib().PrintCheck95();
  received.horzRes = GetDeviceCaps(dc, HORZRES);
  received.vertRes = GetDeviceCaps(dc, VERTRES);
  received.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  received.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  received.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  received.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  const int l = std::atoi(received.keys["prL"].c_str()),
            t = std::atoi(received.keys["prT"].c_str());
  RECT r{l, t, l + std::atoi(received.keys["prW"].c_str()),
         t + std::atoi(received.keys["prH"].c_str())};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  Lib().PrintEnd95();
  return 0;
}

HWND HostWindow() {
  static HWND host = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "W95PrintTestHost";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "W95PrintTestHost", "Print test host", WS_OVERLAPPEDWINDOW, 10, 10,
                           200, 100, nullptr, nullptr, wc.hInstance, nullptr);
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
    wine_print::RemoveFilePrinter();  // left over from an interrupted run
  }
  static void TearDownTestSuite() { wine_print::RemoveFilePrinter(); }
  void SetUp() override {
    ASSERT_NE(Lib().PrintDlg95, nullptr);
    user.find = FindWindowOfStep;
    user.timeoutMs = 30000;
    user.missing.clear();
    user.Start(100);
    ASSERT_NE(HostWindow(), nullptr);
    boxes.clear();
    received = {};
    SetKey("BMP", "");
    // Choices the window keeps for the next opening would carry over from
    // one case to the next: every case starts without them.
    for (const char* k : {"PrtUnit", "PrtStyle", "PrtColor", "PrtEnhance", "PrtZoom", "PrtPhoto",
                          "PrtWidth", "PrtFill", "PrtPaper", "PrtRotate"})
      wine_dll::WriteKey(k, nullptr);
  }
  void TearDown() override {
    if (HWND f = SetupWindow()) SendMessageA(f, WM_CLOSE, 0, 0);
    Pump(50);
    user.Stop();
    EXPECT_TRUE(user.missing.empty()) << "a step's window never came: " << user.missing[0];
  }
};

TEST_F(PrintOnWine, WithoutAPrinterTheWindowSaysSoAndPrintItSaysCheckPrinter) {
  if (wine_print::AnyPrinterInstalled()) GTEST_SKIP() << "this prefix has a printer";
  Lib().PrintDlg95(HostWindow(), 640, 480, 0);
  Pump(100);
  WaitForBoxes(1);
  ASSERT_EQ(boxes.size(), 1u) << "one box, not one per activation";
  EXPECT_EQ(boxes[0].title, "Error");
  EXPECT_EQ(boxes[0].text, "There is no default printer currently selected");
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Lib().PrintCheck95(), 1);
  // Nothing was laid out, so there is nothing to print.
  EXPECT_FALSE(IsWindowEnabled(Child(form, "&Print It", "Button")));
  Click(form, "&Print It");  // a click that reaches it anyway
  Pump(50);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(received.messages, 0);
  EXPECT_TRUE(IsWindowEnabled(form));
  Click(form, "Cancel");
  Pump(50);
  EXPECT_EQ(Lib().PrintCheck95(), 0);
  EXPECT_EQ(SetupWindow(), nullptr);
}

TEST_F(PrintOnWine, ImageWithoutSizeIsRefused) {
  Lib().PrintDlg95(HostWindow(), 0, 480, 0);
  Pump(50);
  WaitForBoxes(1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Error");
  EXPECT_EQ(SetupWindow(), nullptr);
  EXPECT_EQ(Lib().PrintCheck95(), 0);
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

  Lib().PrintDlg95(HostWindow(), 640, 480, 0);
  Pump(100);
  EXPECT_TRUE(boxes.empty()) << boxes[0].text;
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Lib().PrintCheck95(), 1);
  // A second call while the window exists does nothing.
  Lib().PrintDlg95(HostWindow(), 100, 100, 1);
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
  SendMessageA(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(units), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(units));
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
  EXPECT_EQ(pixels.substr(0, pixels.find("  (")).find('.'), std::string::npos)
      << "whole pixels: " << pixels;
  EXPECT_EQ(TextStarting(form, "Width : ").find('.'), std::string::npos);
  Screenshot("print_pixels");

  Click(form, "&Print It");
  // PrintEnd95 ran inside the host's handler: job ended, window going away.
  EXPECT_EQ(Lib().PrintCheck95(), 0);
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
  const int w = received.Number("prW"), h = received.Number("prH");
  const int l = received.Number("prL"), t = received.Number("prT");
  EXPECT_NEAR(w, received.horzRes * 6 / 10, 1);
  EXPECT_NEAR(h * 4, w * 3, 4);
  EXPECT_NEAR(l, (received.horzRes - w) / 2, 1);
  EXPECT_NEAR(t, (received.vertRes - h) / 2, 1);

  received.WritePlacement(dir + "\\placement.txt", l, t, w, h);
  WIN32_FILE_ATTRIBUTE_DATA info{};
  ASSERT_TRUE(GetFileAttributesExA(ps.c_str(), GetFileExInfoStandard, &info)) << ps;
  EXPECT_GT(info.nFileSizeLow, 1000u);
}

// A size typed with real keys: 6 inches wide for a 3:2 image is 6 x 4 in,
// in the middle of the page; the host is given it to the device pixel, and
// check_page.py finds it there on the rendered page.
TEST_F(PrintOnWine, TypedSixByFourInchesPrintsToTheDevicePixel) {
  const std::string dir = OutputFolder();
  const std::string ps = dir + "\\photo.ps";
  DeleteFileA(ps.c_str());
  DeleteFileA((dir + "\\photo_placement.txt").c_str());
  wine_print::FilePrinter printer(ps);
  ASSERT_EQ(printer.error, "");
  Lib().PrintDlg95(HostWindow(), 600, 400, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  SetForegroundWindow(form);
  Pump(100);
  wine_keys::Press('W', {VK_MENU});
  ASSERT_EQ(wine_keys::Focused().rfind("Edit:", 0), 0u) << "Alt+W: " << wine_keys::Focused();
  wine_keys::Press(VK_HOME);
  wine_keys::Press(VK_END, {VK_SHIFT});
  wine_keys::Press('6');
  wine_keys::Press(VK_RETURN);
  EXPECT_EQ(wine_keys::Focused(), "Edit:6.00");
  EXPECT_NE(TextStarting(form, "4.00"), "") << "the height follows";
  Screenshot("print_typed_size");
  Click(form, "&Print It");
  Pump(100);
  ASSERT_EQ(received.messages, 1);
  const int w = received.Number("prW"), h = received.Number("prH");
  const int l = received.Number("prL"), t = received.Number("prT");
  EXPECT_EQ(w, 6 * received.dpiX);
  EXPECT_EQ(h, 4 * received.dpiY);
  EXPECT_NEAR(l, (received.horzRes - w) / 2, 1);
  EXPECT_NEAR(t, (received.vertRes - h) / 2, 1);
  received.WritePlacement(dir + "\\photo_placement.txt", l, t, w, h);
}

// A photo size filled with real keys: a 2:1 picture covers 6 x 4 inches as
// 8 x 4, the host draws those 8 inches as it draws anything, and the page
// keeps only the 6 x 4 in the middle (check_page.py finds just that box).
TEST_F(PrintOnWine, FilledPhotoSizeIsCroppedOnThePage) {
  const std::string dir = OutputFolder();
  const std::string ps = dir + "\\fill.ps";
  DeleteFileA(ps.c_str());
  DeleteFileA((dir + "\\fill_placement.txt").c_str());
  wine_print::FilePrinter printer(ps);
  ASSERT_EQ(printer.error, "");
  Lib().PrintDlg95(HostWindow(), 800, 400, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  SetForegroundWindow(form);
  Pump(100);
  wine_keys::Press('O', {VK_MENU});
  ASSERT_EQ(wine_keys::Focused(), "ComboBox:Any size");
  wine_keys::Press(VK_DOWN);
  EXPECT_EQ(wine_keys::Focused(), "ComboBox:10 x 15 cm / 4 x 6 in");
  wine_keys::Press('I', {VK_MENU});
  HWND fill = Child(form, "F&ill", "Button");
  ASSERT_NE(fill, nullptr);
  EXPECT_EQ(SendMessageA(fill, BM_GETCHECK, 0, 0), BST_CHECKED);
  Click(form, "&Print It");
  Pump(100);
  ASSERT_EQ(received.messages, 1);
  const int w = received.Number("prW"), h = received.Number("prH");
  const int l = received.Number("prL"), t = received.Number("prT");
  EXPECT_EQ(w, 8 * received.dpiX) << "the covering rectangle";
  EXPECT_EQ(h, 4 * received.dpiY);
  const int boxW = 6 * received.dpiX, boxL = l + (w - boxW) / 2;
  EXPECT_NEAR(boxL, (received.horzRes - boxW) / 2, 1);
  received.WritePlacement(dir + "\\fill_placement.txt", boxL, t, boxW, h);
}

}  // namespace

namespace {

// Sets the zoom bar as a drag to `percent` does.
void Zoom(HWND form, int percent) {
  HWND zoom = nullptr;
  for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (wine_windows::ClassOf(c) == "ScrollBar") zoom = c;
  ASSERT_NE(zoom, nullptr);
  SendMessageA(form, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, percent),
               reinterpret_cast<LPARAM>(zoom));
  SendMessageA(form, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(zoom));
  Pump(50);
}

// A host window whose handler of the print-ready message returns without
// ending the job (and never ends it).
int silentMessages = 0;
LRESULT CALLBACK SilentHostProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == 0x0912) {
    ++silentMessages;
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}
HWND MakeWindow(WNDPROC proc, const char* cls) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = cls;
  RegisterClassA(&wc);
  return CreateWindowExA(0, cls, cls, WS_OVERLAPPEDWINDOW, 20, 20, 200, 100, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

class PrintOnWineWithPrinter : public PrintOnWine {
 protected:
  void SetUp() override {
    PrintOnWine::SetUp();
    ps_ = OutputFolder() + "\\sound.ps";
    printer_ = std::make_unique<wine_print::FilePrinter>(ps_);
    ASSERT_EQ(printer_->error, "");
  }
  void TearDown() override {
    PrintOnWine::TearDown();
    printer_.reset();
  }
  std::string ps_;
  std::unique_ptr<wine_print::FilePrinter> printer_;
};

// The window worked from the keyboard, with keys typed for real: the form's
// own Tab ring visits every control of it once, both ways (Fill only with a
// photo size); the accelerator of a check box toggles it and puts the focus
// on it, where the next Tab starts; Escape closes the window. With a
// printer, so that a layout has succeeded and "&Print It" takes its turn.
TEST_F(PrintOnWineWithPrinter, KeyboardUserTabsThroughEveryControlAndUsesTheAccelerators) {
  Lib().PrintDlg95(HostWindow(), 640, 480, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  SetForegroundWindow(form);
  HWND reset = Child(form, "Cen&ter", "Button");
  ASSERT_NE(reset, nullptr);
  SetFocus(reset);
  Pump(100);
  using wine_keys::Walk;
  // The style list shows the printer's name, the boxes the layout's
  // figures: only their kinds are compared.
  auto kinds = [](std::vector<std::string> seen) {
    for (std::string& s : seen) {
      if (s.rfind("ComboBox:", 0) == 0 && s != "ComboBox:Inches" && s != "ComboBox:Any size")
        s = "ComboBox:";
      if (s.rfind("Edit:", 0) == 0) s = "Edit:";
    }
    return seen;
  };
  const std::vector<std::string> forward = {"Button:&Setup",
                                            "Button:&Print It",
                                            "Button:Cancel",
                                            "Button:&Help",
                                            "ComboBox:",
                                            "ComboBox:Any size",
                                            "Button:",
                                            "Button:",
                                            "Button:&Auto-rotate",
                                            "Edit:",
                                            "Edit:",
                                            "Edit:",
                                            "Edit:",
                                            "ScrollBar:",
                                            "ScrollBar:",
                                            "ScrollBar:",
                                            "Button:Co&lor",
                                            "Button:E&nhance",
                                            "ComboBox:Inches",
                                            "Button:Cen&ter"};
  const int n = static_cast<int>(forward.size());
  EXPECT_EQ(kinds(Walk(VK_TAB, n)), forward)
      << "the horizontal bar takes its turn even with nothing to scroll";
  std::vector<std::string> backward(forward.rbegin() + 1, forward.rend());
  backward.push_back(forward.back());
  EXPECT_EQ(kinds(Walk(VK_TAB, n, {VK_SHIFT})), backward);

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
  EXPECT_EQ(Lib().PrintCheck95(), 0);
}

// A preview picture that cannot be read is reported, and the window is laid
// out for this image all the same: what the host is given is this image's
// placement, never the last window's.
TEST_F(PrintOnWineWithPrinter, UnreadablePreviewStillPrintsThisImagesPlacement) {
  Lib().PrintDlg95(HostWindow(), 640, 320, 0);
  Pump(100);
  Click(SetupWindow(), "&Print It");
  Pump(100);
  ASSERT_EQ(received.messages, 1);
  ASSERT_EQ(SetupWindow(), nullptr);

  const std::string broken = OutputFolder() + "\\broken.bmp";
  std::ofstream(broken, std::ios::binary) << "not a bitmap";
  SetKey("BMP", broken.c_str());
  boxes.clear();
  Lib().PrintDlg95(HostWindow(), 4000, 100, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  WaitForBoxes(1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Error");
  HWND printIt = Child(form, "&Print It", "Button");
  ASSERT_TRUE(IsWindowEnabled(printIt));
  Click(form, "&Print It");
  Pump(100);
  ASSERT_EQ(received.messages, 2);
  const double w = std::atof(received.keys["prW"].c_str()),
               h = std::atof(received.keys["prH"].c_str());
  ASSERT_GT(h, 0);
  EXPECT_NEAR(w / h, 40.0, 1.0);
  EXPECT_EQ(boxes.size(), 1u);
}

// Activations (the host's window and back; the printer setup dialog closing)
// keep the size, unit and style the user chose; turning the page to
// landscape in Setup lays the image out on the new page at the chosen size.
TEST_F(PrintOnWineWithPrinter, ActivationAndLandscapeInSetupKeepTheChosenSize) {
  Lib().PrintDlg95(HostWindow(), 640, 480, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  ASSERT_NE(TextStarting(form, "Portrait : "), "");
  Zoom(form, 60);
  HWND units = Child(form, "Inches", "ComboBox");
  ASSERT_NE(units, nullptr);
  SendMessageA(units, CB_SETCURSEL, 2, 0);
  SendMessageA(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(units), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(units));
  ASSERT_EQ(TextStarting(form, "  Si&ze"), "  Si&ze : 60%");

  SetForegroundWindow(HostWindow());
  Pump(100);
  SetForegroundWindow(form);
  Pump(100);
  EXPECT_EQ(GetForegroundWindow(), form);
  EXPECT_EQ(TextStarting(form, "  Si&ze"), "  Si&ze : 60%");
  EXPECT_EQ(SendMessageA(units, CB_GETCURSEL, 0, 0), 2) << "centimetres stay";

  int setupDialogs = 0;
  user.steps.push_back({kPrinterSetup, [&](HWND d) {
                          ++setupDialogs;
                          PostMessageA(GetDlgItem(d, kLandscapeButton), BM_CLICK, 0, 0);
                          PostMessageA(d, WM_COMMAND, IDOK, 0);
                        }});
  Click(form, "&Setup");  // returns once the dialog is closed
  Pump(200);
  ASSERT_EQ(setupDialogs, 1);
  EXPECT_NE(TextStarting(form, "Landscape: "), "") << "the page turned";
  EXPECT_EQ(TextStarting(form, "  Si&ze"), "  Si&ze : 60%");
  EXPECT_EQ(SendMessageA(units, CB_GETCURSEL, 0, 0), 2);
  Click(form, "&Print It");
  Pump(100);
  ASSERT_EQ(received.messages, 1);
  EXPECT_GT(received.horzRes, received.vertRes);
  const int w = std::atoi(received.keys["prW"].c_str()),
            h = std::atoi(received.keys["prH"].c_str());
  // 4:3 fitted to the landscape page's height, at 60 %.
  EXPECT_NEAR(h, received.vertRes * 6 / 10, 2);
  EXPECT_NEAR(w * 3, h * 4, 4);
}

// A host that closes every window before it lets the library go calls
// PrintEnd95 with no job open: the window goes.
TEST_F(PrintOnWine, PrintEndWithoutAJobClosesTheWindow) {
  Lib().PrintDlg95(HostWindow(), 640, 480, 0);
  Pump(100);
  ASSERT_NE(SetupWindow(), nullptr);
  Lib().PrintEnd95();
  Pump(100);
  EXPECT_EQ(SetupWindow(), nullptr);
  EXPECT_EQ(Lib().PrintCheck95(), 0);
}

// A host handle that is no window (0, or a window since destroyed): no job
// is started, the user is told, and the window stays usable.
TEST_F(PrintOnWineWithPrinter, HostThatIsNotAWindowGetsNoJob) {
  HWND gone = MakeWindow(&DefWindowProcA, "W95PrintGoneHost");
  DestroyWindow(gone);
  for (HWND host : {static_cast<HWND>(nullptr), gone}) {
    boxes.clear();
    Lib().PrintDlg95(host, 640, 480, 0);
    Pump(100);
    HWND form = SetupWindow();
    ASSERT_NE(form, nullptr);
    Click(form, "&Print It");
    Pump(100);
    WaitForBoxes(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Warning");
    EXPECT_TRUE(IsWindowEnabled(form));
    EXPECT_FALSE(IsIconic(form));
    EXPECT_EQ(Lib().PrintCheck95(), 1);
    Click(form, "Cancel");
    Pump(100);
    EXPECT_EQ(Lib().PrintCheck95(), 0);
  }
  // The printer is free: the next job prints.
  Lib().PrintDlg95(HostWindow(), 640, 480, 0);
  Pump(100);
  Click(SetupWindow(), "&Print It");
  Pump(100);
  EXPECT_EQ(received.messages, 1);
  EXPECT_EQ(Lib().PrintCheck95(), 0);
}

// A host that takes the job and never ends it: the window waits minimised;
// restored, its Cancel drops the job, and the next job prints.
TEST_F(PrintOnWineWithPrinter, UserCancelsAJobTheHostNeverEnds) {
  HWND silent = MakeWindow(&SilentHostProc, "W95PrintSilentHost");
  silentMessages = 0;
  Lib().PrintDlg95(silent, 640, 480, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  Click(form, "&Print It");
  Pump(100);
  ASSERT_EQ(silentMessages, 1);
  EXPECT_TRUE(IsIconic(form));
  EXPECT_EQ(Lib().PrintCheck95(), 1);
  ShowWindow(form, SW_RESTORE);
  Pump(100);
  HWND cancel = Child(form, "Cancel", "Button");
  EXPECT_TRUE(IsWindowEnabled(form));
  EXPECT_TRUE(IsWindowEnabled(cancel));
  EXPECT_FALSE(IsWindowEnabled(Child(form, "&Print It", "Button")));
  SendMessageA(cancel, BM_CLICK, 0, 0);
  Pump(100);
  EXPECT_EQ(SetupWindow(), nullptr);
  EXPECT_EQ(Lib().PrintCheck95(), 0);
  Lib().PrintEnd95();  // late, and harmless
  DestroyWindow(silent);

  boxes.clear();
  Lib().PrintDlg95(HostWindow(), 640, 480, 0);
  Pump(100);
  Click(SetupWindow(), "&Print It");
  Pump(100);
  EXPECT_TRUE(boxes.empty()) << boxes[0].text;
  EXPECT_EQ(received.messages, 1);
}

// The position bars with real keys: an arrow moves the image by a tenth of
// the unit, which the label shows.
TEST_F(PrintOnWineWithPrinter, ArrowKeysMoveTheImageByATenthOfAnInch) {
  Lib().PrintDlg95(HostWindow(), 640, 240, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  SetForegroundWindow(form);
  Pump(100);
  const std::string before = TextStarting(form, "&Y pos : ");
  ASSERT_NE(before, "");
  wine_keys::Press('Y', {VK_MENU});
  ASSERT_EQ(wine_keys::Focused(), "ScrollBar:");
  wine_keys::Press(VK_DOWN);
  const std::string after = TextStarting(form, "&Y pos : ");
  const double moved = std::atof(after.substr(8).c_str()) - std::atof(before.substr(8).c_str());
  EXPECT_NEAR(moved, 0.1, 0.051) << before << " -> " << after;
}

BOOL CALLBACK CollectVisible(HWND h, LPARAM out) {
  if (IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
  return TRUE;
}

// The exports called as a careless host might, in a random order with odd
// arguments, with the user clicking in between: when every window of the
// program has been sent WM_CLOSE, no print window or job is left behind,
// and the next window prints.
TEST_F(PrintOnWineWithPrinter, RandomExportCallsLeaveNothingBehind) {
  using Fn0 = LONG(WINAPI*)();
  const auto Proc = [](const char* name) { return Lib().Export<Fn0>(name); };
  const std::vector<std::pair<const char*, Fn0>> plain = {
      {"PrintCheck95", Proc("PrintCheck95")},
      {"PrintEnd95", Proc("PrintEnd95")},
      {"GDIflush95", Proc("GDIflush95")},
      {"GetFreePageMem95", Proc("GetFreePageMem95")},
      {"VideoWinStatus95", Proc("VideoWinStatus95")},
      {"VideoWinClose95", Proc("VideoWinClose95")},
      {"RemoteWinHide95", Proc("RemoteWinHide95")},
      {"RemoteWinClose95", Proc("RemoteWinClose95")},
      {"RemoteWinUpdate95", Proc("RemoteWinUpdate95")}};
  for (const auto& [name, fn] : plain) ASSERT_NE(fn, nullptr) << name;
  HWND silent = MakeWindow(&SilentHostProc, "W95PrintSilentHost");
  HWND gone = MakeWindow(&DefWindowProcA, "W95PrintGoneHost");
  DestroyWindow(gone);
  const HWND hosts[] = {HostWindow(), silent, nullptr, gone,
                        reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234))};
  const std::pair<LONG, LONG> sizes[] = {{640, 480},  {0, 0},     {-5, 10},
                                         {1, 100000}, {40000, 1}, {3, 2}};

  std::mt19937 random(18026);
  std::string log;
  for (int call = 0; call < 250; ++call) {
    const unsigned what = random() % 14;
    HWND form = SetupWindow();
    if (what < 9) {
      log += std::string(plain[what].first) + " ";
      plain[what].second();
    } else if (what == 9 || what == 10) {
      const HWND host = hosts[random() % std::size(hosts)];
      const auto [w, h] = sizes[random() % std::size(sizes)];
      log += "PrintDlg95(" + std::to_string(reinterpret_cast<uintptr_t>(host)) + "," +
             std::to_string(w) + "," + std::to_string(h) + ") ";
      Lib().PrintDlg95(host, w, h, static_cast<LONG>(random() % 3) - 1);
    } else if (form && what == 11) {
      log += "[Print It] ";
      SendMessageA(Child(form, "&Print It", "Button"), BM_CLICK, 0, 0);
    } else if (form && what == 12) {
      log += "[Cancel] ";
      ShowWindow(form, SW_RESTORE);
      SendMessageA(Child(form, "Cancel", "Button"), BM_CLICK, 0, 0);
    } else if (form) {
      log += "[WM_CLOSE] ";
      SendMessageA(form, WM_CLOSE, 0, 0);
    }
    Pump(10);
  }
  // Every window of the program is asked to close, as the user would.
  for (int round = 0; round < 3; ++round) {
    std::vector<HWND> visible;
    EnumThreadWindows(GetCurrentThreadId(), &CollectVisible, reinterpret_cast<LPARAM>(&visible));
    for (HWND h : visible)
      if (h != HostWindow() && h != silent) SendMessageA(h, WM_CLOSE, 0, 0);
    Pump(50);
  }
  EXPECT_EQ(Lib().PrintCheck95(), 0) << log;
  EXPECT_EQ(SetupWindow(), nullptr) << log;
  DestroyWindow(silent);

  // The printer is free for the next job.
  received = {};
  boxes.clear();
  SetKey("BMP", "");
  Lib().PrintDlg95(HostWindow(), 640, 480, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr) << log;
  Click(form, "&Print It");
  Pump(100);
  EXPECT_EQ(received.messages, 1) << log;
  EXPECT_EQ(Lib().PrintCheck95(), 0) << log;
  for (size_t i = 0; i < boxes.size(); ++i)
    ADD_FAILURE() << boxes[i].title << ": " << boxes[i].text;
}

// The landscape button with real keys turns the printer's own paper: the
// page laid out on, the device context the host is given and the printed
// page are all landscape, and check_page.py finds the rectangle where the
// keys put it on it. Auto-rotate then turns it back for an upright picture.
TEST_F(PrintOnWine, LandscapeButtonPrintsOnTurnedPaper) {
  const std::string dir = OutputFolder();
  const std::string ps = dir + "\\turned.ps";
  DeleteFileA(ps.c_str());
  DeleteFileA((dir + "\\turned_placement.txt").c_str());
  wine_print::FilePrinter printer(ps);
  ASSERT_EQ(printer.error, "");
  Lib().PrintDlg95(HostWindow(), 600, 400, 0);
  Pump(100);
  HWND form = SetupWindow();
  ASSERT_NE(form, nullptr);
  ASSERT_NE(TextStarting(form, "Portrait : "), "");
  SetForegroundWindow(form);
  Pump(100);
  wine_keys::Press('O', {VK_MENU});
  ASSERT_EQ(wine_keys::Focused(), "ComboBox:Any size");
  wine_keys::Press(VK_TAB);  // Fill waits for a photo size
  wine_keys::Press(VK_TAB);
  ASSERT_EQ(wine_keys::Focused(), "Button:") << "the landscape button";
  wine_keys::Press(VK_SPACE);
  Pump(100);
  EXPECT_NE(TextStarting(form, "Landscape: "), "") << "the page turned";
  // Typed for real: 5 inches wide in the top left corner of the turned
  // page, so that the page check sees which way the sheet was turned.
  auto typeInto = [](int tabs, char digit) {
    for (int i = 0; i < tabs; ++i) wine_keys::Press(VK_TAB);
    ASSERT_EQ(wine_keys::Focused().rfind("Edit:", 0), 0u) << wine_keys::Focused();
    wine_keys::Press(VK_HOME);
    wine_keys::Press(VK_END, {VK_SHIFT});
    wine_keys::Press(digit);
    wine_keys::Press(VK_RETURN);
  };
  typeInto(2, '5');  // past Auto-rotate to W
  typeInto(2, '0');  // past H to X
  typeInto(1, '0');  // Y
  Screenshot("print_landscape");
  Click(form, "&Print It");
  Pump(100);
  ASSERT_EQ(received.messages, 1);
  EXPECT_GT(received.horzRes, received.vertRes) << "the host draws on a landscape page";
  EXPECT_EQ(Key("PrtPaper"), "1");
  const int w = received.Number("prW"), h = received.Number("prH");
  const int l = received.Number("prL"), t = received.Number("prT");
  EXPECT_EQ(w, 5 * received.dpiX);
  EXPECT_NEAR(w * 2, h * 3, 3);
  EXPECT_EQ(l, 0);
  EXPECT_EQ(t, 0);
  received.WritePlacement(dir + "\\turned_placement.txt", l, t, w, h);

  // The next opening keeps the paper; Auto-rotate (Alt+A) turns it the way
  // of an upright picture at once.
  received = {};
  Lib().PrintDlg95(HostWindow(), 400, 600, 0);
  Pump(100);
  form = SetupWindow();
  ASSERT_NE(form, nullptr);
  EXPECT_NE(TextStarting(form, "Landscape: "), "");
  SetForegroundWindow(form);
  Pump(100);
  wine_keys::Press('A', {VK_MENU});
  EXPECT_EQ(wine_keys::Focused(), "Button:&Auto-rotate");
  EXPECT_NE(TextStarting(form, "Portrait : "), "") << "turned the picture's way";
  EXPECT_EQ(Key("PrtRotate"), "1");
  Click(form, "Cancel");  // the turned page stays the one printed above
  Pump(100);
  EXPECT_EQ(SetupWindow(), nullptr);
}

}  // namespace
