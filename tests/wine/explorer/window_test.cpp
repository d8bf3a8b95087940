// The modeless explorer window through the real DLL, beside a real host
// window of this test: the host's window procedure records each request
// (message 0x911) with the keys and the exchange file as they are at that
// moment. The window runs in the test's own message loop, as in a host.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dll_loader.h"
#include "step_player.h"
#include "wine_keys.h"
#include "wine_windows.h"

namespace {

using wine_windows::Child;
using wine_windows::TextOf;

std::string Read(const char* key) { return wine_dll::ReadKey(key); }
void Write(const char* key, const char* value) { wine_dll::WriteKey(key, value); }
const char* kExchange = "c:\\w95win\\plimbo.tmp";

// A key of the exchange file the window writes for the host.
std::string ExchangeRead(const char* section, const char* key) {
  char buf[1024] = "";
  GetPrivateProfileStringA(section, key, "(none)", buf, sizeof buf, kExchange);
  return buf;
}

struct Request {
  HWND window;
  WPARAM wParam;
  LPARAM code;
  std::string longName, win95file, files, first;
};
std::vector<Request> requests;

LRESULT CALLBACK HostProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == 0x911) {
    requests.push_back({h, wp, lp, Read("LongName"), Read("Win95file"),
                        ExchangeRead("Directory", "Files"), ExchangeRead("1", "F")});
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

HWND MakeHost(const char* title) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "W95TestHost";
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowA("W95TestHost", title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                       GetModuleHandleA(nullptr), nullptr);
}

// The host's message loop for a while.
void Pump(int ms = 300) { wine_windows::Pump(static_cast<DWORD>(ms)); }

// The explorer window, shown or not: null once it is gone.
HWND ExplorerWindow() {
  return wine_windows::FindTopLevel({.text = "Plimbo Explorer", .hiddenToo = true});
}

void Shot(HWND window, const char* name) {
  if (!std::getenv("W95_SHOTS")) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  CreateDirectoryA("c:\\w95shots", nullptr);
  const std::string marker = std::string("c:\\w95shots\\") + name + ".ready";
  if (FILE* f = std::fopen(marker.c_str(), "w")) std::fclose(f);
  for (int i = 0; i < 100 && GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
    Pump(50);
}

void MakeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

// A click on a list entry as the list reports it to its window.
void ClickEntry(HWND list, int index) {
  SendMessageA(list, LB_SETSEL, FALSE, -1);
  SendMessageA(list, LB_SETSEL, TRUE, index);
  SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
  SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// A click on a list entry with the mouse, Ctrl held or not (MK_CONTROL), as
// the list itself handles it: its own selection and caret, and its notice.
void MouseClickEntry(HWND list, int index, WPARAM keys = 0) {
  RECT r{};
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
  SendMessageA(list, WM_LBUTTONUP, keys, at);
  Pump(100);
}

void PostKey(HWND target, int vk) {
  SetFocus(target);
  PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
  PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(vk), 0);
}

class ExplorerWindowDll : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lib);
    open = lib.RemoteWin95;
    update = lib.RemoteWinUpdate95;
    hide = lib.RemoteWinHide95;
    close = lib.RemoteWinClose95;
    ASSERT_TRUE(open && update && hide && close);
    CreateDirectoryA("c:\\w95win", nullptr);
    CreateDirectoryA("c:\\w95win\\pics", nullptr);
    CreateDirectoryA("c:\\w95win\\pics\\sub", nullptr);
    MakeFile("c:\\w95win\\pics\\A Long Name.bmp");
    MakeFile("c:\\w95win\\pics\\b.jpg");
    DeleteFileA("c:\\w95win\\pics\\added.jpg");
    wine_dll::ClearKeys();
    Write(W95_KEY_EXCHANGE_FILE, kExchange);
    Write(W95_KEY_LAST_DIR, "c:\\w95win\\pics\\");
    requests.clear();
    host = MakeHost("Host");
    ASSERT_NE(host, nullptr);
  }
  void TearDown() override {
    if (close) close();
    Pump(100);
    if (host) DestroyWindow(host);
    lib.Free();
  }
  HWND Open(HWND h, LONG remember = 0) {
    open(h, remember);
    Pump();
    HWND w = ExplorerWindow();
    EXPECT_NE(w, nullptr);
    return w;
  }

  wine_dll::Library lib;
  W95_PFN_RemoteWin95 open = nullptr;
  W95_PFN_RemoteWinUpdate95 update = nullptr;
  W95_PFN_RemoteWinHide95 hide = nullptr;
  W95_PFN_RemoteWinClose95 close = nullptr;
  HWND host = nullptr;
};

TEST_F(ExplorerWindowDll, WindowSendsEachRequestWithItsKeysWritten) {
  HWND w = Open(host);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(IsWindowVisible(w));
  RECT r;
  GetWindowRect(w, &r);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(r.right - r.left, sw / 2) << "the whole window is half the screen";
  EXPECT_EQ(r.bottom - r.top, sh / 2);
  EXPECT_EQ(r.left, sw / 4);
  EXPECT_EQ(r.top, sh / 4);
  EXPECT_NE(GetWindowLongPtrA(w, GWL_STYLE) & WS_THICKFRAME, 0) << "sizeable";
  HWND list = Child(w, "ListBox");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3) << "sub\\, the bitmap, the jpeg";
  EXPECT_NE(GetWindowLongPtrA(list, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL), 0);
  HWND edit = Child(w, "Edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_NE(GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY, 0);
  EXPECT_NE(Child(w, "Button", "Close"), nullptr);
  Shot(w, "explorer_window");

  ClickEntry(list, 1);
  Pump(100);
  EXPECT_EQ(TextOf(edit), "a long name.bmp");
  PostMessageA(Child(w, "Button", "&Open"), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].window, host);
  EXPECT_EQ(requests[0].wParam, 0u);
  EXPECT_EQ(requests[0].code, 0x909);
  EXPECT_EQ(requests[0].longName, "a long name.bmp");
  const std::string shortName = wine_dll::ShortPath("c:\\w95win\\pics\\A Long Name.bmp");
  EXPECT_EQ(_stricmp(requests[0].win95file.c_str(), shortName.c_str()), 0) << requests[0].win95file;

  // Enter on a file in the list: the same request, through the keyboard.
  PostKey(list, VK_RETURN);
  Pump();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].code, 0x909);

  // Several files marked: the exchange file holds them when the host hears.
  SendMessageA(list, LB_SETSEL, TRUE, -1);
  SendMessageA(w, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  PostMessageA(Child(w, "Button", "&Open"), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[2].code, 0x910);
  EXPECT_EQ(requests[2].files, "2") << "the folder is not a file";
  EXPECT_EQ(
      _stricmp(requests[2].first.c_str(), shortName.substr(shortName.rfind('\\') + 1).c_str()), 0);
  EXPECT_TRUE(IsWindowVisible(w)) << "the window stays open";

  // Escape closes it; the placement keys and the folder are written.
  PostKey(list, VK_ESCAPE);
  Pump();
  EXPECT_EQ(ExplorerWindow(), nullptr);
  EXPECT_EQ(Read("bWinL"), std::to_string(sw / 4));
  EXPECT_EQ(Read("bWinW"), std::to_string(sw / 2));
  EXPECT_EQ(Read("bWinH"), std::to_string(sh / 2));
  EXPECT_EQ(_stricmp(Read("LastDir").c_str(), "c:\\w95win\\pics\\"), 0) << Read("LastDir");
}

TEST_F(ExplorerWindowDll, HiddenOrMinimisedWindowComesBackForTheFirstHost) {
  HWND w = Open(host);
  ASSERT_NE(w, nullptr);
  hide();
  Pump(100);
  EXPECT_FALSE(IsWindowVisible(w));
  HWND other = MakeHost("Other");
  Open(other);
  EXPECT_TRUE(IsWindowVisible(w));
  ShowWindow(w, SW_MINIMIZE);
  Pump(100);
  ASSERT_TRUE(IsIconic(w));
  EXPECT_EQ(Open(other), w) << "the same window";
  EXPECT_FALSE(IsIconic(w)) << "restored";
  HWND list = Child(w, "ListBox");
  ASSERT_NE(list, nullptr);
  ClickEntry(list, 2);
  PostMessageA(Child(w, "Button", "&Open"), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].window, host) << "the host window given first";
  EXPECT_EQ(requests[0].longName, "b.jpg");
  DestroyWindow(other);
}

TEST_F(ExplorerWindowDll, UpdateListsAFileTheHostAddedKeepingTheSelection) {
  HWND w = Open(host);
  ASSERT_NE(w, nullptr);
  HWND list = Child(w, "ListBox");
  ASSERT_NE(list, nullptr);
  MouseClickEntry(list, 2);
  MouseClickEntry(list, 1, MK_CONTROL);
  ASSERT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 2);
  MakeFile("c:\\w95win\\pics\\added.jpg");
  update();
  Pump(100);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageA(list, LB_GETSEL, 0, 0), 0);
  EXPECT_GT(SendMessageA(list, LB_GETSEL, 1, 0), 0) << "a long name.bmp, still selected";
  EXPECT_EQ(SendMessageA(list, LB_GETSEL, 2, 0), 0) << "the file added";
  EXPECT_GT(SendMessageA(list, LB_GETSEL, 3, 0), 0) << "b.jpg, one further down";
  EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), 1);
  EXPECT_EQ(TextOf(Child(w, "Edit")), "a long name.bmp");
  // Nothing selected is left: the entry before the remembered one.
  ClickEntry(list, 2);
  DeleteFileA("c:\\w95win\\pics\\added.jpg");
  update();
  Pump(100);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 1);
  EXPECT_GT(SendMessageA(list, LB_GETSEL, 1, 0), 0);
}

// Runs a command line of the system's command interpreter in a process of
// its own and waits for it to end.
bool RunElsewhere(const std::string& command) {
  std::string line = "cmd.exe /c " + command;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &si, &pi))
    return false;
  const bool ended = WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ended;
}

// The host's loop runs until the list holds `count` entries (true), or
// for at most 20 seconds.
bool PumpUntilCount(HWND list, LRESULT count) {
  for (int i = 0; i < 400; ++i) {
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) == count) return true;
    Pump(50);
  }
  return SendMessageA(list, LB_GETCOUNT, 0, 0) == count;
}

TEST_F(ExplorerWindowDll, FilesAnotherProgramMakesAndDeletesShowByThemselves) {
  DeleteFileA("c:\\w95win\\pics\\ab.jpg");
  HWND w = Open(host);
  ASSERT_NE(w, nullptr);
  HWND list = Child(w, "ListBox");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
  MouseClickEntry(list, 2);
  MouseClickEntry(list, 1, MK_CONTROL);
  ASSERT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 2);
  const std::string box = TextOf(Child(w, "Edit"));

  ASSERT_TRUE(RunElsewhere("echo x> c:\\w95win\\pics\\ab.jpg"));
  ASSERT_NE(GetFileAttributesA("c:\\w95win\\pics\\ab.jpg"), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(PumpUntilCount(list, 4)) << "the new file never showed";
  char text[MAX_PATH] = "";
  SendMessageA(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "ab.jpg");
  EXPECT_GT(SendMessageA(list, LB_GETSEL, 1, 0), 0) << "a long name.bmp, still selected";
  EXPECT_EQ(SendMessageA(list, LB_GETSEL, 2, 0), 0) << "the new file";
  EXPECT_GT(SendMessageA(list, LB_GETSEL, 3, 0), 0) << "b.jpg, one further down";
  EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), 1);
  EXPECT_EQ(TextOf(Child(w, "Edit")), box);
  Shot(w, "explorer_window_live");

  ASSERT_TRUE(RunElsewhere("del c:\\w95win\\pics\\ab.jpg"));
  ASSERT_TRUE(PumpUntilCount(list, 3)) << "the deleted file stayed";
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 2);
  EXPECT_TRUE(requests.empty()) << "nothing asked of the host";
}

// Opens a popup menu with a right click on `target` and chooses the item
// captioned `caption` in it; the texts of the message boxes answered meanwhile.
std::vector<std::string> ChooseFromMenu(HWND target, const char* caption) {
  wine_steps::Player user;
  user.steps.push_back({"#32768", [caption](HWND menu) {
                          EXPECT_TRUE(wine_steps::ChooseMenuItem(menu, caption)) << caption;
                        }});
  user.Start(100);
  PostMessageA(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
  PostMessageA(target, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(user.PlayOut(5000)) << "no menu came for " << caption;
  Pump(300);
  user.Stop();
  return user.boxes;
}

TEST_F(ExplorerWindowDll, DeleteAndOpenNameOnlyTheSelectedFile) {
  HWND w = Open(host);
  ASSERT_NE(w, nullptr);
  HWND list = Child(w, "ListBox");
  ASSERT_NE(list, nullptr);
  MouseClickEntry(list, 1);
  MouseClickEntry(list, 2, MK_CONTROL);
  EXPECT_EQ(TextOf(Child(w, "Edit")), "b.jpg");
  MouseClickEntry(list, 2, MK_CONTROL);  // b.jpg let go again
  ASSERT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 1);
  EXPECT_EQ(TextOf(Child(w, "Edit")), "a long name.bmp") << "the box follows the selection";
  ChooseFromMenu(list, "&Delete");
  ASSERT_EQ(requests.size(), 1u) << "the file menu came up and Delete was chosen";
  EXPECT_EQ(requests[0].code, 0x904);
  EXPECT_EQ(requests[0].longName, "a long name.bmp");
  PostMessageA(Child(w, "Button", "&Open"), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].code, 0x909);
  EXPECT_EQ(requests[1].longName, "a long name.bmp");
}

TEST_F(ExplorerWindowDll, StoredPlacementIsAppliedAndCloseWritesItBack) {
  Write("bWinT", "100");
  Write("bWinL", "50");
  Write("bWinW", "700");
  Write("bWinH", "500");
  HWND w = Open(host, 1);
  ASSERT_NE(w, nullptr);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_EQ(r.bottom - r.top, 500);
  MoveWindow(w, 60, 70, 600, 400, TRUE);  // the user moves and sizes it
  Pump(100);
  close();
  Pump(100);
  EXPECT_EQ(ExplorerWindow(), nullptr);
  EXPECT_EQ(Read("bWinT"), "70");
  EXPECT_EQ(Read("bWinL"), "60");
  EXPECT_EQ(Read("bWinW"), "600");
  EXPECT_EQ(Read("bWinH"), "400");
  update();  // closed: nothing happens
  hide();
  close();
}

TEST_F(ExplorerWindowDll, PlacementOutOfReachComesBackAndResetUsesTheSizeRule) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  Write("bWinT", "100");
  Write("bWinL", "-2000");  // on a monitor that is gone
  Write("bWinW", "0");
  Write("bWinH", "0");
  HWND w = Open(host, 1);
  ASSERT_NE(w, nullptr);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, work.left);
  EXPECT_EQ(r.top, 100);
  EXPECT_GE(r.right - r.left, 300) << "a usable size";
  EXPECT_GE(r.bottom - r.top, 200);
  // "&Reset window" from the view menu: half the screen, centred.
  ChooseFromMenu(GetParent(Child(w, "ComboBox")), "&Reset window");
  GetWindowRect(w, &r);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(r.right - r.left, sw / 2);
  EXPECT_EQ(r.bottom - r.top, sh / 2);
  EXPECT_EQ(r.left, sw / 4);
  EXPECT_EQ(r.top, sh / 4);
  EXPECT_TRUE(IsWindowVisible(w));
}

TEST_F(ExplorerWindowDll, PreviewModeHandsTheFileToTheHostToPreview) {
  HWND w = Open(host);
  ASSERT_NE(w, nullptr);
  HWND list = Child(w, "ListBox");
  ASSERT_NE(list, nullptr);
  HWND panel = GetParent(Child(w, "ComboBox"));  // the top panel opens the view menu
  const std::vector<std::string> infoBoxes = ChooseFromMenu(panel, "&Preview mode");
  ASSERT_EQ(infoBoxes.size(), 1u);
  EXPECT_EQ(infoBoxes[0], "Preview mode enabled.");
  ClickEntry(list, 1);
  PostKey(list, VK_RETURN);
  Pump();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].code, 0x903) << "preview, not open";
  EXPECT_EQ(requests[0].longName, "a long name.bmp");
  EXPECT_TRUE(IsWindowVisible(w));
  Shot(w, "explorer_preview");
  if (std::getenv("W95_SHOTS")) {  // the Look-in list open: drives and folders with pictures
    HWND look = Child(w, "ComboBox");
    SendMessageA(look, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(look, &info);
    RedrawWindow(info.hwndList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    RECT area;  // the screen as the program has it (the open list included)
    GetWindowRect(w, &area);
    CreateDirectoryA("c:\\w95shots", nullptr);
    wine_windows::SaveScreenArea(area, "c:\\w95shots\\explorer_lookin.bmp");
    Shot(w, "explorer_lookin");
    SendMessageA(look, CB_SHOWDROPDOWN, FALSE, 0);
  }
}

}  // namespace

namespace {

// The window on the host's loop, worked with keys typed for real: Tab and
// Shift+Tab go round its controls in order, arrows move in the list, the
// accelerators reach their controls (a button's takes the focus with it),
// Enter opens and Escape closes.
TEST_F(ExplorerWindowDll, KeyboardUserWorksTheWindowOnTheHostsLoop) {
  HWND w = Open(host);
  ASSERT_NE(w, nullptr);
  SetForegroundWindow(w);
  HWND list = Child(w, "ListBox");
  ASSERT_NE(list, nullptr);
  SetFocus(list);
  Pump(100);
  using wine_keys::Focused;
  using wine_keys::Press;
  const std::string look = "ComboBox:" + TextOf(Child(w, "ComboBox"));
  const std::vector<std::string> ring = {"ComboBox:All validated formats", "Button:&Open",
                                         "Button:Close", look, "ListBox:"};
  EXPECT_EQ(wine_keys::Walk(VK_TAB, 5), ring);
  EXPECT_EQ(wine_keys::Walk(VK_TAB, 5, {VK_SHIFT}),
            (std::vector<std::string>{look, "Button:Close", "Button:&Open",
                                      "ComboBox:All validated formats", "ListBox:"}));

  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(TextOf(Child(w, "Edit")), "b.jpg") << "two entries on from sub\\";
  Press('I', {VK_MENU});
  EXPECT_EQ(Focused(), look) << "Look &in";
  Press('T', {VK_MENU});
  EXPECT_EQ(Focused(), "ComboBox:All validated formats") << "File &type";
  Press('N', {VK_MENU});
  EXPECT_EQ(Focused(), "Edit:b.jpg") << "File &name";
  Press(VK_RETURN);
  EXPECT_TRUE(requests.empty()) << "Enter in the name box opens nothing";
  EXPECT_EQ(Focused(), "Edit:b.jpg");
  Press('O', {VK_MENU});
  ASSERT_EQ(requests.size(), 1u) << "&Open";
  EXPECT_EQ(requests[0].longName, "b.jpg");
  EXPECT_EQ(Focused(), "Button:&Open");
  SetFocus(list);
  Press(VK_RETURN);
  EXPECT_EQ(requests.size(), 2u);
  Press(VK_ESCAPE);
  EXPECT_EQ(ExplorerWindow(), nullptr);
}

}  // namespace
