// The explorer dialog through the real DLL: the host calls RemoteDlg95 and a
// timer on the host's thread plays the user, pressing keys and buttons in the
// real windows while the dialog's modal loop runs.
#include <windows.h>
// windows.h first
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dll_loader.h"
#include "step_player.h"
#include "wine_keys.h"
#include "wine_windows.h"

namespace {

using wine_windows::Child;
using wine_windows::ClassOf;
using wine_windows::TextOf;
using wine_windows::TopLevelExactly;

using Step = std::function<void(HWND dialog)>;

// The user, played in whichever of the explorer's dialogs is up (and, in it,
// once its list is filled: see ListFilled).
wine_steps::Player player;
bool ListFilled();
struct Acts {
  void push_back(Step act) { player.steps.push_back({"", std::move(act), ListFilled}); }
  void push_front(Step act) { player.steps.push_front({"", std::move(act), ListFilled}); }
  void clear() { player.steps.clear(); }
  bool empty() const { return player.steps.empty(); }
} steps;                                          // what the user does, in order
std::vector<std::string>& boxes = player.boxes;   // texts of the message boxes seen
std::deque<int>& boxAnswers = player.boxAnswers;  // button ids to answer them with

// While W95_SHOTS is set, shows the window for a screenshot: writes
// c:\w95shots\<name>.ready and waits until the shell taking the shot deletes it.
void Shot(HWND dialog, const char* name) {
  if (!std::getenv("W95_SHOTS")) return;
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  CreateDirectoryA("c:\\w95shots", nullptr);
  const std::string marker = std::string("c:\\w95shots\\") + name + ".ready";
  FILE* f = std::fopen(marker.c_str(), "w");
  if (f) std::fclose(f);
  for (int i = 0; i < 100 && GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);  // lets Wine draw
  }
}

HWND ExplorerDialog(const std::string&) {
  for (const char* caption : {"Save File", "Add Multiple Slides", "Open Slideshow",
                              "Convert Multiple Files", "Move File to", "Replace Slide"})
    if (HWND dialog = TopLevelExactly("", caption)) return dialog;
  return nullptr;
}

// The dialog lets pending messages run while it opens, before it lists the
// folder, so a round can come while the list is still empty however slow the
// machine is. Wait for the list; a folder that stays empty is acted on after
// a number of rounds (counted, not timed).
HWND waitedFor = nullptr;
int emptyRounds = 0;
// While a folder takes its time to read, a line under the list counts its
// entries; the list is complete once the line has gone.
bool StillReading(HWND list) {
  for (HWND c = list ? GetWindow(GetParent(list), GW_CHILD) : nullptr; c;
       c = GetWindow(c, GW_HWNDNEXT))
    if (_stricmp(ClassOf(c).c_str(), "Static") == 0 && TextOf(c).rfind("Reading", 0) == 0 &&
        IsWindowVisible(c))
      return true;
  return false;
}
int readingRounds = 0;
bool ListFilled() {
  HWND dialog = ExplorerDialog({});
  if (dialog != waitedFor) {
    waitedFor = dialog;
    emptyRounds = readingRounds = 0;
  }
  HWND list = dialog ? Child(dialog, "ListBox") : nullptr;
  if (list && StillReading(list) && ++readingRounds < 600) return false;
  return !list || SendMessageA(list, LB_GETCOUNT, 0, 0) > 0 || ++emptyRounds >= 20;
}

void Type(HWND dialog, const char* text) {
  HWND edit = Child(dialog, "Edit");
  ASSERT_NE(edit, nullptr) << "no file name box";
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Press(HWND dialog, const char* caption) {
  HWND button = Child(dialog, "Button", caption);
  ASSERT_NE(button, nullptr) << "no button " << caption;
  PostMessageA(button, BM_CLICK, 0, 0);
}

void Key(HWND dialog, int vk) {
  HWND list = Child(dialog, "ListBox");
  HWND target = list ? list : dialog;
  SetFocus(target);
  PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
  PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(vk), 0);
}

std::string HostRead(const char* key) { return wine_dll::ReadKey(key); }
void HostWrite(const char* key, const char* value) { wine_dll::WriteKey(key, value); }

// A key of the exchange file the dialog writes for the host.
std::string ExchangeRead(const std::string& file, const char* section, const char* key) {
  char buf[1024] = "";
  GetPrivateProfileStringA(section, key, "(none)", buf, sizeof buf, file.c_str());
  return buf;
}

// The host's whole section, its entries separated by "|".
std::string Section() {
  char buf[4096] = "";
  const DWORD n = GetPrivateProfileSectionA(W95_SECTION, buf, sizeof buf, W95_SETTINGS_FILE);
  std::string out;
  for (DWORD i = 0; i < n; ++i) out += buf[i] ? buf[i] : '|';
  return out;
}

void MakeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

using wine_dll::ShortPath;

class ExplorerDll : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lib);
    ASSERT_NE(lib.RemoteDlg95, nullptr);
    CreateDirectoryA("c:\\w95exp", nullptr);
    CreateDirectoryA("c:\\w95exp\\Holiday Pictures", nullptr);
    steps.clear();
    boxes.clear();
    boxAnswers.clear();
    wine_dll::ClearKeys();
    HostWrite(W95_KEY_EXCHANGE_FILE, "c:\\w95exp\\plimbo.tmp");
    player.find = ExplorerDialog;
    player.Start(150);
  }
  void TearDown() override {
    player.Stop();
    lib.Free();
  }
  // Runs the dialog; the steps must close it (a safety step cancels).
  LONG Run(LONG kind, LONG restrict = 0) {
    for (int i = 0; i < 3; ++i) steps.push_back([](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });
    waitedFor = nullptr;
    const LONG result = lib.RemoteDlg95(kind, restrict);
    steps.clear();
    return result;
  }
  wine_dll::Library lib;
};

TEST_F(ExplorerDll, Depth24SaveStoresTheChosenNameAndLeavesNoFile) {
  const std::string folder = "c:\\w95exp\\Holiday Pictures";
  HostWrite("SavePath", (ShortPath(folder) + "\\").c_str());
  steps.push_back([](HWND d) {
    RECT r;
    GetWindowRect(d, &r);  // the whole window, frame and caption included
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN) / 2);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 4);
    Shot(d, "save24");
    Type(d, "photo");
  });
  steps.push_back([](HWND d) { Press(d, "&Save"); });
  EXPECT_EQ(Run(24), 99) << "JPG JPEG/JFIF(Enhanced), the default position";
  EXPECT_EQ(HostRead("LongName"), "photo.JPG");
  EXPECT_EQ(_stricmp(HostRead("Savename").c_str(), (ShortPath(folder) + "\\photo.JPG").c_str()), 0)
      << HostRead("Savename");
  EXPECT_EQ(_stricmp(HostRead("SavePath").c_str(), (ShortPath(folder) + "\\").c_str()), 0)
      << HostRead("SavePath");
  EXPECT_EQ(HostRead("SaveExt"), ".JPG");
  EXPECT_EQ(HostRead("MultiBPP"), "24");
  EXPECT_EQ(HostRead("Save24"), "5") << Section();
  EXPECT_EQ(GetFileAttributesA((folder + "\\photo.JPG").c_str()), INVALID_FILE_ATTRIBUTES)
      << "no placeholder left behind";
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ExplorerDll, CancelAndEscapeReturnMinusOneAndWriteLastDir) {
  HostWrite("LastDir", "c:\\w95exp\\");
  steps.push_back([](HWND d) { Press(d, "Cancel"); });
  EXPECT_EQ(Run(253), -1);
  EXPECT_EQ(_stricmp(HostRead("LastDir").c_str(), "c:\\w95exp\\"), 0) << HostRead("LastDir");
  HostWrite(W95_KEY_LAST_DIR, nullptr);
  HostWrite("SavePath", "c:\\w95exp\\");
  steps.push_back([](HWND d) { Key(d, VK_ESCAPE); });
  EXPECT_EQ(Run(0), -1);
  EXPECT_EQ(_stricmp(HostRead("LastDir").c_str(), "c:\\w95exp\\"), 0) << HostRead("LastDir");
  EXPECT_EQ(HostRead("Savename"), "(none)");
}

TEST_F(ExplorerDll, AddWritesTheExchangeFileOfTheMarkedFiles) {
  CreateDirectoryA("c:\\w95exp\\add", nullptr);
  MakeFile("c:\\w95exp\\add\\one.bmp");
  MakeFile("c:\\w95exp\\add\\Second Picture.jpg");
  CreateDirectoryA("c:\\w95exp\\add\\sub", nullptr);
  HostWrite("LastDir", "c:\\w95exp\\add\\");
  steps.push_back([](HWND d) {
    Shot(d, "add253");
    HWND list = Child(d, "ListBox");
    ASSERT_NE(list, nullptr);
    const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    ASSERT_EQ(n, 3);
    SendMessageA(list, LB_SETSEL, TRUE, -1);  // the user marks everything
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  });
  steps.push_back([](HWND d) { Press(d, "&Open"); });
  EXPECT_EQ(Run(253), 0);
  const char* ex = "c:\\w95exp\\plimbo.tmp";
  EXPECT_EQ(ExchangeRead(ex, "Directory", "Files"), "2") << "the folder is not a file";
  EXPECT_EQ(ExchangeRead(ex, "1", "F"), "one.bmp");
  const std::string second = ShortPath("c:\\w95exp\\add\\Second Picture.jpg");
  EXPECT_EQ(ExchangeRead(ex, "2", "F"), second.substr(second.rfind('\\') + 1));
  EXPECT_EQ(_stricmp(ExchangeRead(ex, "Directory", "Name").c_str(), "c:\\w95exp\\add\\"), 0);
}

// Pictures named in Latin with an accent, Greek and Japanese, picked together:
// every name the host receives opens its own file, never a look-alike.
TEST_F(ExplorerDll, AddHandsOnNamesOutsideTheCodePageByNamesThatOpenThem) {
  const std::wstring folder = L"c:\\w95exp\\names\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const wchar_t* names[] = {L"caf\u00e9.bmp", L"\u03a9mega.bmp", L"\u5199\u771f.bmp"};
  auto write = [](const std::wstring& path, const std::string& data) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &done, nullptr);
    CloseHandle(h);
  };
  for (int i = 0; i < 3; ++i) write(folder + names[i], "picture " + std::to_string(i));
  write(folder + L"omega.bmp", "a look-alike");  // what best fit would have named
  HostWrite("LastDir", "c:\\w95exp\\names\\");
  // A dialog of the test before may still be on its way out: the step waits
  // for the list of this folder.
  int waited = 0;
  Step mark = [&](HWND d) {
    HWND list = Child(d, "ListBox");
    const LRESULT count = list ? SendMessageA(list, LB_GETCOUNT, 0, 0) : -1;
    if (count != 4 && ++waited < 50) {
      steps.push_front(mark);
      return;
    }
    ASSERT_EQ(count, 4);
    Shot(d, "names253");
    // Listed by the names the file system has.
    std::vector<std::wstring> listed;
    for (int i = 0; i < 4; ++i) {
      std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      listed.push_back(text);
    }
    for (const wchar_t* want : {names[0], names[1], names[2], L"omega.bmp"})
      EXPECT_EQ(std::count(listed.begin(), listed.end(), want), 1) << listed.size();
    SendMessageA(list, LB_SETSEL, TRUE, -1);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  };
  steps.push_back(mark);
  steps.push_back([](HWND d) { Press(d, "&Open"); });
  EXPECT_EQ(Run(253), 0);
  EXPECT_TRUE(boxes.empty());
  const char* ex = "c:\\w95exp\\plimbo.tmp";
  ASSERT_EQ(ExchangeRead(ex, "Directory", "Files"), "4");
  const std::string dir = ExchangeRead(ex, "Directory", "Name");
  std::vector<std::string> opened;
  for (int i = 1; i <= 4; ++i) {
    const std::string name = ExchangeRead(ex, std::to_string(i).c_str(), "F");
    HANDLE h = CreateFileA((dir + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << name << " opens nothing";
    char buf[64] = "";
    DWORD got = 0;
    ReadFile(h, buf, sizeof buf, &got, nullptr);
    CloseHandle(h);
    opened.emplace_back(buf, got);
  }
  for (const char* want : {"picture 0", "picture 1", "picture 2", "a look-alike"})
    EXPECT_EQ(std::count(opened.begin(), opened.end(), want), 1) << want;
}

TEST_F(ExplorerDll, OpenSlideshowFindsTheScriptOrSaysFileNotFound) {
  CreateDirectoryA("c:\\w95exp\\shows", nullptr);
  MakeFile("c:\\w95exp\\shows\\trip.avl");
  HostWrite("LastDir", "c:\\w95exp\\shows\\");
  boxAnswers.push_back(IDOK);
  steps.push_back([](HWND d) { Type(d, "missing"); });
  steps.push_back([](HWND d) { Press(d, "&Open"); });
  steps.push_back([](HWND d) { Type(d, "trip"); });
  steps.push_back([](HWND d) { Press(d, "&Open"); });
  EXPECT_EQ(Run(254), 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "File not found.");
  EXPECT_EQ(HostRead("LongName"), "trip.AVL");
  EXPECT_EQ(_stricmp(HostRead("Savename").c_str(), "c:\\w95exp\\shows\\trip.AVL"), 0)
      << HostRead("Savename");
}

TEST_F(ExplorerDll, ConvertAndMoveModesShowTheirButtons) {
  HostWrite("SavePath", "c:\\w95exp\\");
  steps.push_back([](HWND d) {
    Shot(d, "convert108");
    EXPECT_NE(Child(d, "Button", "Con&vert"), nullptr);
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(108), -1);
  MakeFile("c:\\w95exp\\moved.bmp");
  HostWrite("SaveAs", "c:\\w95exp\\moved.bmp");
  steps.push_back([](HWND d) {
    Shot(d, "move102");
    Press(d, "Mo&ve");
  });
  EXPECT_EQ(Run(102), 0);
  EXPECT_EQ(_stricmp(HostRead("Savename").c_str(), "c:\\w95exp\\moved.bmp"), 0)
      << HostRead("Savename");
}

// Every file of a large folder is listed (how fast: bench_explorer_open).
TEST_F(ExplorerDll, ListsTenThousandFiles) {
  const std::string big = "c:\\w95exp\\big";
  CreateDirectoryA(big.c_str(), nullptr);
  if (GetFileAttributesA((big + "\\f09999.bmp").c_str()) == INVALID_FILE_ATTRIBUTES)
    for (int i = 0; i < 10000; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "%s\\f%05d.bmp", big.c_str(), i);
      MakeFile(name);
    }
  HostWrite("LastDir", (big + "\\").c_str());
  LRESULT count = -1;
  std::string first, last;
  steps.push_back([&](HWND d) {
    HWND list = Child(d, "ListBox");
    ASSERT_NE(list, nullptr);
    count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    char text[64] = "";
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    first = text;
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(text));
    last = text;
    Shot(d, "list10000");
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(252), -1);
  EXPECT_EQ(count, 10000);
  EXPECT_EQ(first, "f00000.bmp");
  EXPECT_EQ(last, "f09999.bmp");
}

// A hundred thousand files: every one listed in order, however the folder
// was read (at once, or on as the entries came); all of them selected by
// the user; a range of several thousand handed to the host (how fast:
// bench_explorer_open). The folder is made by explorer/huge_folder.sh from
// outside Wine (W95_HUGE_FOLDER names it): Wine makes a new file in a
// folder only after looking through the folder for the name in another
// case, so a hundred thousand made here would take most of an hour.
class HugeFolderDll : public ExplorerDll {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("W95_HUGE_FOLDER");
    if (!folder || !*folder)
      GTEST_SKIP() << "run by explorer/huge_folder.sh, which makes the folder";
    huge = folder;
    ExplorerDll::SetUp();
  }
  std::string huge;
};

TEST_F(HugeFolderDll, ListsAHundredThousandFilesSelectsThemAllAndHandsOnThousands) {
  ASSERT_NE(GetFileAttributesA((huge + "\\f099999.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
  HostWrite("LastDir", (huge + "\\").c_str());
  LRESULT count = -1, all = -1;
  std::string first, last;
  // Waits for the whole list (the player waits while the line under it
  // counts what is read; this waits on for the count).
  int rounds = 0;
  Step whole = [&](HWND d) {
    HWND list = Child(d, "ListBox");
    const bool done =
        list && SendMessageA(list, LB_GETCOUNT, 0, 0) == 100000 && !StillReading(list);
    if (!done && ++rounds < 600) {
      steps.push_front(whole);
      return;
    }
    ASSERT_NE(list, nullptr);
    count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    char text[64] = "";
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    first = text;
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(text));
    last = text;
    Shot(d, "list100000");
    auto changed = [list] {
      SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    };
    SendMessageA(list, LB_SETSEL, TRUE, -1);  // the user marks everything
    changed();
    all = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    // ... and then a run of 3,000 in the middle.
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SendMessageA(list, LB_SELITEMRANGEEX, 40000, 42999);
    changed();
  };
  steps.push_back(whole);
  steps.push_back([](HWND d) { Press(d, "&Open"); });
  EXPECT_EQ(Run(253), 0);
  EXPECT_EQ(count, 100000);
  EXPECT_EQ(first, "f000000.bmp");
  EXPECT_EQ(last, "f099999.bmp");
  EXPECT_EQ(all, 100000);
  const char* ex = "c:\\w95exp\\plimbo.tmp";
  EXPECT_EQ(ExchangeRead(ex, "Directory", "Files"), "3000");
  EXPECT_EQ(ExchangeRead(ex, "1", "F"), "f040000.bmp");
  EXPECT_EQ(ExchangeRead(ex, "1500", "F"), "f041499.bmp");
  EXPECT_EQ(ExchangeRead(ex, "3000", "F"), "f042999.bmp");
  EXPECT_EQ(_stricmp(ExchangeRead(ex, "Directory", "Name").c_str(), ShortPath(huge + "\\").c_str()),
            0)
      << ExchangeRead(ex, "Directory", "Name");
}

}  // namespace

namespace {

// Holds Shift down (for the key handler's GetKeyState) or lets it go.
void HoldShift(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

// Tab as the user presses it: through the dialog's message loop.
void PostTab(HWND focused) {
  PostMessageA(focused, WM_KEYDOWN, VK_TAB, 0);
  PostMessageA(focused, WM_KEYUP, VK_TAB, 0);
}

TEST_F(ExplorerDll, TabRingPassesOverTheDisabledTypeBox) {
  HostWrite("SavePath", "c:\\w95exp\\");
  std::string afterList, afterBack;
  steps.push_back([](HWND d) {
    HWND list = Child(d, "ListBox");
    ASSERT_NE(list, nullptr);
    SetFocus(list);
    PostTab(list);
  });
  steps.push_back([&](HWND) {
    afterList = TextOf(GetFocus());
    HoldShift(true);
    PostTab(GetFocus());
  });
  steps.push_back([&](HWND d) {
    HoldShift(false);
    afterBack = ClassOf(GetFocus());
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(0), -1);
  EXPECT_EQ(afterList, "&Open") << "kind 0 disables the file type box: Tab goes to OK";
  EXPECT_EQ(afterBack, "ListBox");
}

}  // namespace

namespace {

TEST_F(ExplorerDll, EnterInTheNameBoxSavesOnce) {
  HostWrite("SavePath", "c:\\w95exp\\");
  MakeFile("c:\\w95exp\\twice.JPG");
  boxAnswers.push_back(IDYES);
  steps.push_back([](HWND d) {
    Type(d, "twice");
    HWND edit = Child(d, "Edit");
    SetFocus(edit);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(edit, WM_CHAR, '\r', 0);
    PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
  });
  EXPECT_EQ(Run(24), 99);
  ASSERT_EQ(boxes.size(), 1u) << "one question, one OK work";
  EXPECT_EQ(boxes[0], "twice.JPG\nin use.  Overwrite?");
  EXPECT_NE(GetFileAttributesA("c:\\w95exp\\twice.JPG"), INVALID_FILE_ATTRIBUTES)
      << "the existing file is left for the host";
}

}  // namespace

namespace {

TEST_F(ExplorerDll, EnterOnAFileOpensIt) {
  CreateDirectoryA("c:\\w95exp\\enter", nullptr);
  MakeFile("c:\\w95exp\\enter\\first.avl");
  MakeFile("c:\\w95exp\\enter\\second.avl");
  HostWrite("LastDir", "c:\\w95exp\\enter\\");
  steps.push_back([](HWND d) {
    HWND list = Child(d, "ListBox");
    ASSERT_NE(list, nullptr);
    SetFocus(list);
    PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(list, WM_KEYUP, VK_DOWN, 0);
  });
  steps.push_back([](HWND d) {
    HWND list = Child(d, "ListBox");
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(list, WM_KEYUP, VK_RETURN, 0);
  });
  EXPECT_EQ(Run(254), 0);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(HostRead("LongName"), "second.avl") << "the entry the arrow key moved to";
}

}  // namespace

namespace {

BOOL CALLBACK MatchTypeBox(HWND h, LPARAM p) {
  if (ClassOf(h) != "ComboBox" || SendMessageA(h, CB_GETCOUNT, 0, 0) != 15) return TRUE;
  *reinterpret_cast<HWND*>(p) = h;
  return FALSE;
}

BOOL CALLBACK RightmostGlyphButton(HWND h, LPARAM p) {
  if (!IsWindowVisible(h) || ClassOf(h) != "Button" || !TextOf(h).empty()) return TRUE;
  auto* best = reinterpret_cast<HWND*>(p);
  RECT r, b;
  GetWindowRect(h, &r);
  if (*best) GetWindowRect(*best, &b);
  if (!*best || r.left > b.left) *best = h;
  return TRUE;
}

// The compression button: the last of the glyph buttons by the Look-in box.
void PressCompression(HWND dialog) {
  HWND button = nullptr;
  EnumChildWindows(dialog, RightmostGlyphButton, reinterpret_cast<LPARAM>(&button));
  ASSERT_NE(button, nullptr);
  PostMessageA(button, BM_CLICK, 0, 0);
}

// Picks a save format as the user does: the box's selection and its notice.
void PickFormat(HWND dialog, int index) {
  HWND box = nullptr;
  EnumChildWindows(dialog, MatchTypeBox, reinterpret_cast<LPARAM>(&box));
  ASSERT_NE(box, nullptr) << "no file type box of depth 24";
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box));
}

BOOL CALLBACK CollectEdits(HWND h, LPARAM p) {
  if (IsWindowVisible(h) && ClassOf(h) == "Edit")
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

std::vector<HWND> Edits(HWND dialog) {
  std::vector<HWND> out;
  EnumChildWindows(dialog, CollectEdits, reinterpret_cast<LPARAM>(&out));
  return out;
}

// Under Xvfb a dialog opened from a button of the save dialog stays black on
// the screen until it is moved or uncovered, though it paints: it is moved
// aside for its photograph.
void ShotMoved(HWND dialog, const char* name) {
  RECT r;
  GetWindowRect(dialog, &r);
  MoveWindow(dialog, 40, 40, r.right - r.left, r.bottom - r.top, TRUE);
  Shot(dialog, name);
}

TEST_F(ExplorerDll, CompressionSettingsFromTheSaveDialog) {
  HostWrite("SavePath", "c:\\w95exp\\");
  std::string luma, color, typedColor, typedLuma, leftLuma;
  // Digits typed one key at a time into a box emptied first; the caret stays
  // where the typing leaves it.
  auto typeInto = [](HWND edit, const char* digits) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    wine_keys::Press(VK_DELETE, {}, 0);
    for (const char* k = digits; *k; ++k) wine_keys::Press(static_cast<WORD>(*k), {}, 0);
  };
  steps.push_back([](HWND d) { PressCompression(d); });
  steps.push_back([](HWND) {});  // the dialog settles
  steps.push_back([&](HWND) {
    HWND c = TopLevelExactly("", "Compression Setting");
    ASSERT_NE(c, nullptr) << "the compression dialog is up";
    const std::vector<HWND> edits = Edits(c);
    ASSERT_EQ(edits.size(), 2u) << "code 99: luminance and colour rows";
    luma = TextOf(edits[0]);
    color = TextOf(edits[1]);
    typeInto(edits[1], "150");
  });
  steps.push_back([&](HWND) {
    HWND c = TopLevelExactly("", "Compression Setting");
    ASSERT_NE(c, nullptr);
    const std::vector<HWND> edits = Edits(c);
    typedColor = TextOf(edits[1]);
    typeInto(edits[0], "300");
  });
  steps.push_back([&](HWND) {
    HWND c = TopLevelExactly("", "Compression Setting");
    ASSERT_NE(c, nullptr);
    typedLuma = TextOf(Edits(c)[0]);
    wine_keys::Press(VK_TAB, {}, 0);  // leaves the box
  });
  steps.push_back([&](HWND) {
    HWND c = TopLevelExactly("", "Compression Setting");
    ASSERT_NE(c, nullptr);
    leftLuma = TextOf(Edits(c)[0]);
    ShotMoved(c, "compress99");
    Press(c, "&Ok");
  });
  steps.push_back([](HWND d) {
    EXPECT_EQ(HostRead("SaveJPG"), "255") << "OK writes the keys";
    EXPECT_EQ(HostRead("SavePIC"), "150") << "as typed";
    EXPECT_EQ(HostRead("SaveYUV"), "0");
    EXPECT_EQ(HostRead("SaveCMP"), "0") << "code 99 sets no preset";
    HostWrite("SaveCMP", "3");
    PickFormat(d, 2);  // CMP, format code 0
  });
  steps.push_back([](HWND d) { PressCompression(d); });
  steps.push_back([](HWND) {});
  steps.push_back([](HWND) {
    HWND c = TopLevelExactly("", "Compression Setting");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(Edits(c).size(), 1u) << "code 0: the preset box in place of the colour row";
    EXPECT_FALSE(IsWindowEnabled(Edits(c)[0])) << "preset 3 decides the quality";
    ShotMoved(c, "compress0");
    PostMessageA(c, WM_CLOSE, 0, 0);
  });
  steps.push_back([](HWND d) {
    EXPECT_EQ(HostRead("SaveJPG"), "255") << "closing writes nothing";
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(24), -1);
  EXPECT_EQ(luma, "6");
  EXPECT_EQ(color, "12");
  EXPECT_EQ(typedColor, "150") << "a first 1 is not corrected while typing";
  EXPECT_EQ(typedLuma, "300") << "still being typed";
  EXPECT_EQ(leftLuma, "255") << "brought into range once left";
}

}  // namespace

namespace {

TEST_F(ExplorerDll, RightClickMenuOpensAtTheClick) {
  HostWrite("LastDir", "c:\\w95exp\\");
  POINT click{40, 30};
  RECT menu{};
  steps.push_back([&](HWND d) {
    HWND list = Child(d, "ListBox");
    ASSERT_NE(list, nullptr);
    PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(click.x, click.y));
    PostMessageA(list, WM_RBUTTONUP, 0, MAKELPARAM(click.x, click.y));
    ClientToScreen(list, &click);
  });
  steps.push_back([&](HWND) {
    HWND popup = TopLevelExactly("#32768", "");
    ASSERT_NE(popup, nullptr) << "the file menu is up";
    GetWindowRect(popup, &menu);
    EndMenu();
  });
  steps.push_back([](HWND d) { Press(d, "Cancel"); });
  EXPECT_EQ(Run(252), -1);
  EXPECT_EQ(menu.left, click.x);
  EXPECT_EQ(menu.top, click.y);
}

// Single selection outside the add-slides mode, and "Singl&e column" chosen
// from the real menu, reach the real list box.
TEST_F(ExplorerDll, SingleSelectionAndSingleColumnReachTheRealList) {
  HostWrite("LastDir", "c:\\w95exp\\");
  for (const char* name : {"c:\\w95exp\\one.bmp", "c:\\w95exp\\two.bmp"}) MakeFile(name);
  LONG_PTR styles = -1;
  RECT item{}, client{};
  steps.push_back([&](HWND d) {
    HWND list = Child(d, "ListBox");
    ASSERT_NE(list, nullptr);
    styles = GetWindowLongPtrA(list, GWL_STYLE);
    HWND panel = GetParent(Child(d, "ComboBox"));  // the top panel opens the view menu
    PostMessageA(panel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    PostMessageA(panel, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
  });
  steps.push_back([](HWND) {
    HWND popup = TopLevelExactly("#32768", "");
    ASSERT_NE(popup, nullptr) << "the view menu is up";
    PostMessageA(popup, WM_CHAR, 'e', 0);  // "Singl&e column"
  });
  steps.push_back([&](HWND d) {
    HWND list = Child(d, "ListBox");
    ASSERT_NE(list, nullptr);
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    GetClientRect(list, &client);
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(252), -1);
  EXPECT_EQ(styles & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL), 0) << "single selection";
  EXPECT_GE(item.right - item.left, client.right - 8) << "one column as wide as the list";
}

}  // namespace

namespace {

// The save dialog worked with keys typed for real, through its modal loop
// (a key pressed at one tick, its outcome read at the next): Tab goes round
// the ring, the accelerators of the labels reach their controls, a name
// typed ahead (all its keys queued at once) arrives in its order, and Enter
// saves.
TEST_F(ExplorerDll, KeyboardUserTabsTypesANameAheadAndSaves) {
  HostWrite("SavePath", "c:\\w95exp\\");
  std::vector<std::string> seen;
  auto note = [&seen] { seen.push_back(wine_keys::Focused()); };
  steps.push_back([](HWND d) {
    SetFocus(Child(d, "ListBox"));
    wine_keys::Press(VK_TAB, {}, 0);
  });
  for (int i = 0; i < 4; ++i)
    steps.push_back([note](HWND) {
      note();
      wine_keys::Press(VK_TAB, {}, 0);
    });
  steps.push_back([note](HWND) {
    note();
    wine_keys::Press('T', {VK_MENU}, 0);
  });
  steps.push_back([note](HWND) {
    note();
    wine_keys::Press('I', {VK_MENU}, 0);
  });
  steps.push_back([note](HWND) {
    note();
    wine_keys::Press('N', {VK_MENU}, 0);
  });
  steps.push_back([note](HWND) {
    note();
    for (char c : std::string("KEYED")) wine_keys::Press(static_cast<WORD>(c), {}, 0);
  });
  std::string typed;
  steps.push_back([&typed](HWND d) {
    typed = TextOf(Child(d, "Edit"));
    wine_keys::Press(VK_RETURN, {}, 0);
  });
  EXPECT_EQ(Run(24), 99);
  const std::string look = "ComboBox: \\w95exp";
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "ComboBox:JPG JPEG/JFIF(Enhanced)", "Button:&Open", "Button:Cancel", look,
                      "ListBox:", "ComboBox:JPG JPEG/JFIF(Enhanced)", look, "Edit:"}));
  EXPECT_EQ(typed, "keyed");
  EXPECT_EQ(HostRead("LongName"), "keyed.JPG");
  EXPECT_TRUE(boxes.empty()) << boxes.front();
}

}  // namespace

namespace {

// Types text with real keys, all queued at once, then Enter.
void TypeKeys(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    ASSERT_NE(scan, -1) << "no key for " << c;
    if (HIBYTE(scan) & 1)
      wine_keys::Press(LOBYTE(scan), {VK_SHIFT}, 0);
    else
      wine_keys::Press(LOBYTE(scan), {}, 0);
  }
  wine_keys::Press(VK_RETURN, {}, 0);
}

std::vector<std::string> Listed(HWND dialog) {
  std::vector<std::string> out;
  HWND list = Child(dialog, "ListBox");
  const int n = list ? static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) : 0;
  for (int i = 0; i < n; ++i) {
    char buf[MAX_PATH] = "";
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    out.emplace_back(buf);
  }
  return out;
}

// A folder, "..", a filter and an invalid name typed into the name box with
// real keys; Enter is the dialog's OK.
TEST_F(ExplorerDll, TypedFoldersAndFiltersChangeTheList) {
  CreateDirectoryA("c:\\w95exp\\typed", nullptr);
  CreateDirectoryA("c:\\w95exp\\typed\\Sub Folder", nullptr);
  MakeFile("c:\\w95exp\\typed\\Sub Folder\\x.bmp");
  MakeFile("c:\\w95exp\\typed\\a.bmp");
  MakeFile("c:\\w95exp\\typed\\b.jpg");
  HostWrite("LastDir", "c:\\w95exp\\typed\\");
  boxAnswers.push_back(IDOK);
  std::vector<std::vector<std::string>> lists;
  std::vector<std::string> names;
  auto type = [](const char* text) {
    return [text](HWND d) {
      HWND edit = Child(d, "Edit");
      SetFocus(edit);
      SendMessageA(edit, EM_SETSEL, 0, -1);  // what was there is typed over
      TypeKeys(text);
    };
  };
  auto note = [&](HWND d) {
    lists.push_back(Listed(d));
    names.push_back(TextOf(Child(d, "Edit")));
  };
  steps.push_back(type("sub folder"));
  steps.push_back([&](HWND d) {
    note(d);
    type("..")(d);
  });
  steps.push_back([&](HWND d) {
    note(d);
    type("*.jpg")(d);
  });
  steps.push_back([&](HWND d) {
    note(d);
    Shot(d, "typed_filter252");
    type("ab.c.jpg")(d);
  });
  steps.push_back([&](HWND d) {
    note(d);
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(252), -1);
  using L = std::vector<std::string>;
  ASSERT_EQ(lists.size(), 4u);
  EXPECT_EQ(lists[0], (L{"x.bmp"}));
  EXPECT_EQ(lists[1], (L{"sub folder\\", "a.bmp", "b.jpg"}));
  EXPECT_EQ(lists[2], (L{"sub folder\\", "b.jpg"}));
  EXPECT_EQ(lists[3], lists[2]) << "an invalid name changes nothing";
  EXPECT_EQ(names[2], "*.jpg") << "the filter stays in view";
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Invalid filename.\nPlease reenter.");
  EXPECT_EQ(_stricmp(HostRead("LastDir").c_str(), "c:\\w95exp\\typed\\"), 0) << HostRead("LastDir");
}

// A key pressed for real, stamped with the time given.
void KeyAt(WORD vk, DWORD time) {
  INPUT in[2] = {};
  for (int i = 0; i < 2; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wVk = vk;
    in[i].ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in[i].ki.dwFlags = i ? KEYEVENTF_KEYUP : 0;
    in[i].ki.time = time;
  }
  SendInput(2, in, sizeof(INPUT));
}

// Letters typed in the list find the file by its first letters, where the
// list's own search would stop at the first letter; a pause starts over.
// The keys carry their own time stamps, so the pause is the test's.
TEST_F(ExplorerDll, LettersTypedInTheListFindTheFile) {
  CreateDirectoryA("c:\\w95exp\\fruit", nullptr);
  for (const char* n : {"apple.bmp", "apricot.bmp", "banana.bmp", "berry.bmp"})
    MakeFile(std::string("c:\\w95exp\\fruit\\") + n);
  HostWrite("LastDir", "c:\\w95exp\\fruit\\");
  std::vector<std::string> found;
  const DWORD t0 = GetTickCount();
  auto note = [&found](HWND d) {
    HWND list = Child(d, "ListBox");
    const int i = static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0));
    char buf[MAX_PATH] = "";
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    found.push_back(std::string(buf) + "|" + TextOf(Child(d, "Edit")) + "|" +
                    std::to_string(SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0)));
  };
  steps.push_back([t0](HWND d) {
    SetFocus(Child(d, "ListBox"));
    KeyAt('B', t0 + 10);
    KeyAt('E', t0 + 200);
  });
  steps.push_back([&, t0](HWND d) {
    note(d);
    KeyAt('A', t0 + 5000);  // after a pause
    KeyAt('P', t0 + 5300);
    KeyAt('R', t0 + 5600);
  });
  steps.push_back([&](HWND d) {
    note(d);
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(253), -1);
  EXPECT_EQ(found,
            (std::vector<std::string>{"berry.bmp|berry.bmp|1", "apricot.bmp|apricot.bmp|1"}));
}

// A file another program makes while the dialog is open shows in its list
// by itself, the name box as the user left it.
TEST_F(ExplorerDll, AFileMadeElsewhereShowsInTheOpenDialog) {
  CreateDirectoryA("c:\\w95exp\\live", nullptr);
  DeleteFileA("c:\\w95exp\\live\\b.bmp");
  MakeFile("c:\\w95exp\\live\\a.bmp");
  HostWrite("LastDir", "c:\\w95exp\\live\\");
  std::string box, listed;
  steps.push_back([&](HWND d) {
    box = TextOf(Child(d, "Edit"));
    std::string line = "cmd.exe /c echo x> c:\\w95exp\\live\\b.bmp";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  });
  // Played once the list holds both files (or given up on after a while).
  const DWORD start = GetTickCount();
  player.steps.push_back({"",
                          [&](HWND d) {
                            HWND list = Child(d, "ListBox");
                            for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
                              char buf[MAX_PATH] = "";
                              SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                           reinterpret_cast<LPARAM>(buf));
                              listed += std::string(listed.empty() ? "" : " ") + buf;
                            }
                            EXPECT_EQ(TextOf(Child(d, "Edit")), box);
                            Press(d, "Cancel");
                          },
                          [start] {
                            HWND d = ExplorerDialog({});
                            HWND list = d ? Child(d, "ListBox") : nullptr;
                            return GetTickCount() - start > 20000 ||
                                   (list && SendMessageA(list, LB_GETCOUNT, 0, 0) == 2);
                          }});
  EXPECT_EQ(Run(253), -1);
  EXPECT_EQ(listed, "a.bmp b.bmp");
  DeleteFileA("c:\\w95exp\\live\\b.bmp");
}

// The save dialog's New folder button: the name is asked for, the folder is
// made and chosen; a fixed drive's label shows in the Look-in list.
TEST_F(ExplorerDll, NewFolderButtonAndDriveLabel) {
  RemoveDirectoryA("c:\\w95exp\\made\\New Folder");
  CreateDirectoryA("c:\\w95exp\\made", nullptr);
  MakeFile("c:\\w95exp\\made\\kept.jpg");
  HostWrite("SavePath", "c:\\w95exp\\made\\");
  char oldLabel[MAX_PATH + 1] = "";
  GetVolumeInformationA("c:\\", oldLabel, sizeof oldLabel, nullptr, nullptr, nullptr, nullptr, 0);
  // The label is looked at only where this machine reads it back.
  char newLabel[MAX_PATH + 1] = "";
  const bool labelled = SetVolumeLabelA("c:\\", "PLIMBOTEST") != 0 &&
                        GetVolumeInformationA("c:\\", newLabel, sizeof newLabel, nullptr, nullptr,
                                              nullptr, nullptr, 0) &&
                        std::string(newLabel) == "PLIMBOTEST";
  std::string lookIn, chosen;
  int buttons = 0;
  steps.push_back([&](HWND d) {
    HWND look = Child(d, "ComboBox");
    char buf[MAX_PATH] = "";
    for (int i = 0; i < static_cast<int>(SendMessageA(look, CB_GETCOUNT, 0, 0)); ++i) {
      SendMessageA(look, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
      if (buf[0] == 'c' && buf[1] == ':') lookIn = buf;
    }
    // The glyph buttons of the top row, the leftmost is New folder.
    HWND leftmost = nullptr;
    RECT best{};
    for (HWND h : wine_windows::Descendants(d)) {
      if (ClassOf(h) != "Button" || !TextOf(h).empty() || !IsWindowVisible(h)) continue;
      RECT r;
      GetWindowRect(h, &r);
      ++buttons;
      if (!leftmost || r.left < best.left) leftmost = h, best = r;
    }
    ASSERT_NE(leftmost, nullptr);
    Shot(d, "newfolder24");
    PostMessageA(leftmost, BM_CLICK, 0, 0);
  });
  steps.push_back([](HWND) {
    HWND box = TopLevelExactly("", "New Folder");
    ASSERT_NE(box, nullptr) << "the name is asked for";
    PostMessageA(Child(box, "Button", "OK"), BM_CLICK, 0, 0);
  });
  steps.push_back([&](HWND d) {
    HWND list = Child(d, "ListBox");
    const int i = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    char buf[MAX_PATH] = "";
    if (i >= 0)
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    chosen = buf;
    // Drive c: chosen in the Look-in list, as the user picks it.
    HWND look = Child(d, "ComboBox");
    const LRESULT at =
        SendMessageA(look, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("c:"));
    SendMessageA(look, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    SendMessageA(GetParent(look), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(look), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(look));
  });
  std::string shown;
  steps.push_back([&](HWND d) {
    shown = TextOf(Child(d, "ComboBox"));
    Shot(d, "lookin_label24");
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(24), -1);
  if (labelled) SetVolumeLabelA("c:\\", oldLabel);
  EXPECT_EQ(buttons, 6) << "New folder, Details, Up, Goodies, Help, JPEG compression";
  EXPECT_EQ(chosen, "new folder\\");
  const DWORD made = GetFileAttributesA("c:\\w95exp\\made\\New Folder");
  EXPECT_TRUE(made != INVALID_FILE_ATTRIBUTES && (made & FILE_ATTRIBUTE_DIRECTORY));
  if (labelled) {
    EXPECT_EQ(lookIn, "c: [PLIMBOTEST]");
    EXPECT_EQ(shown, "c: [PLIMBOTEST]") << "the drive chosen shows its label";
  } else {
    EXPECT_EQ(lookIn.substr(0, 2), "c:") << "no label could be set here";
  }
  EXPECT_TRUE(boxes.empty());
}

void MakeSizedFile(const std::string& path, size_t bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  const std::string data(bytes, 'x');
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
}

// A click of the mouse's left button on a window, at a point of its client area.
void ClickAt(HWND h, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageA(h, WM_LBUTTONUP, 0, where);
}

// A click on a column's title in the list's header.
void ClickColumn(HWND header, int column) {
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
  ClickAt(header, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// The details view: the glyph button switches to it; the header's titles
// sort by size both ways with the folder first; the selection, type-ahead
// and Open work as in the list; the choice is remembered.
TEST_F(ExplorerDll, DetailsViewSortsBySizeAndIsRemembered) {
  const std::string folder = "c:\\w95exp\\details";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
  MakeSizedFile(folder + "\\big.bmp", 50000);
  MakeSizedFile(folder + "\\mid.bmp", 20000);
  MakeSizedFile(folder + "\\small.jpg", 10);
  HostWrite("LastDir", "c:\\w95exp\\details\\");
  std::vector<std::vector<std::string>> lists;
  std::vector<std::string> titles;
  LONG_PTR listStyle = 0, listStyleAfter = 0;
  std::string chosen;
  RECT headerRect{}, listRect{};
  steps.push_back([&](HWND d) {
    // The glyph buttons of the top row: without New folder, the leftmost
    // switches the view.
    HWND leftmost = nullptr;
    RECT best{};
    for (HWND h : wine_windows::Descendants(d)) {
      if (ClassOf(h) != "Button" || !TextOf(h).empty() || !IsWindowVisible(h)) continue;
      RECT r;
      GetWindowRect(h, &r);
      if (!leftmost || r.left < best.left) leftmost = h, best = r;
    }
    ASSERT_NE(leftmost, nullptr);
    listStyle = GetWindowLongPtrA(Child(d, "ListBox"), GWL_STYLE);
    lists.push_back(Listed(d));
    PostMessageA(leftmost, BM_CLICK, 0, 0);
  });
  steps.push_back([&](HWND d) {
    HWND header = Child(d, "SysHeader32");
    ASSERT_NE(header, nullptr) << "a header over the list";
    for (int i = 0; i < static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)); ++i) {
      char buf[64] = "";
      HDITEMA item{};
      item.mask = HDI_TEXT;
      item.pszText = buf;
      item.cchTextMax = sizeof buf;
      SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      titles.push_back(buf);
    }
    listStyleAfter = GetWindowLongPtrA(Child(d, "ListBox"), GWL_STYLE);
    GetWindowRect(header, &headerRect);
    GetWindowRect(Child(d, "ListBox"), &listRect);
    lists.push_back(Listed(d));
    ClickColumn(header, 1);
  });
  steps.push_back([&](HWND d) {
    lists.push_back(Listed(d));
    ClickColumn(Child(d, "SysHeader32"), 1);
  });
  steps.push_back([&](HWND d) {
    lists.push_back(Listed(d));
    Shot(d, "details253");
    SetFocus(Child(d, "ListBox"));
    KeyAt('M', GetTickCount());
  });
  steps.push_back([&](HWND d) {
    chosen = TextOf(Child(d, "Edit"));
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(253), -1);
  using L = std::vector<std::string>;
  ASSERT_EQ(lists.size(), 4u);
  EXPECT_EQ(lists[0], (L{"sub\\", "big.bmp", "mid.bmp", "small.jpg"}));
  EXPECT_EQ(lists[1], lists[0]) << "by name at first";
  EXPECT_EQ(lists[2], (L{"sub\\", "small.jpg", "mid.bmp", "big.bmp"}));
  EXPECT_EQ(lists[3], (L{"sub\\", "big.bmp", "mid.bmp", "small.jpg"}));
  EXPECT_EQ(titles, (L{"Name", "Size", "Type", "Date modified"}));
  EXPECT_TRUE(listStyle & LBS_MULTICOLUMN) << "the list in columns";
  EXPECT_FALSE(listStyleAfter & LBS_MULTICOLUMN) << "one entry per row";
  EXPECT_LE(headerRect.bottom, listRect.top + 1) << "the header above the rows";
  EXPECT_EQ(chosen, "mid.bmp") << "type-ahead in the details view";
  EXPECT_EQ(HostRead("ExpView"), "1");
  EXPECT_EQ(HostRead("ExpSort"), "1");
  EXPECT_EQ(HostRead("ExpSortDesc"), "1");

  // Opened again: details, sorted as left; Open takes the selected file.
  lists.clear();
  steps.push_back([&](HWND d) {
    lists.push_back(Listed(d));
    EXPECT_NE(Child(d, "SysHeader32"), nullptr);
    HWND list = Child(d, "ListBox");
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const LPARAM where = MAKELPARAM(item.left + 30, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
  });
  EXPECT_EQ(Run(252), 0);
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(lists[0], (L{"sub\\", "big.bmp", "mid.bmp", "small.jpg"}));
  EXPECT_EQ(HostRead("LongName"), "mid.bmp") << "a double-click opens the file";
}

// A JPEG of 40 x 30 pixels (a red to blue gradient), written byte for byte.
const unsigned char kJpeg40x30[] = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x0D, 0x09, 0x0A, 0x0B, 0x0A, 0x08, 0x0D,
    0x0B, 0x0A, 0x0B, 0x0E, 0x0E, 0x0D, 0x0F, 0x13, 0x20, 0x15, 0x13, 0x12, 0x12, 0x13, 0x27, 0x1C,
    0x1E, 0x17, 0x20, 0x2E, 0x29, 0x31, 0x30, 0x2E, 0x29, 0x2D, 0x2C, 0x33, 0x3A, 0x4A, 0x3E, 0x33,
    0x36, 0x46, 0x37, 0x2C, 0x2D, 0x40, 0x57, 0x41, 0x46, 0x4C, 0x4E, 0x52, 0x53, 0x52, 0x32, 0x3E,
    0x5A, 0x61, 0x5A, 0x50, 0x60, 0x4A, 0x51, 0x52, 0x4F, 0xFF, 0xDB, 0x00, 0x43, 0x01, 0x0E, 0x0E,
    0x0E, 0x13, 0x11, 0x13, 0x26, 0x15, 0x15, 0x26, 0x4F, 0x35, 0x2D, 0x35, 0x4F, 0x4F, 0x4F, 0x4F,
    0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F,
    0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F,
    0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0xFF, 0xC0,
    0x00, 0x11, 0x08, 0x00, 0x1E, 0x00, 0x28, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xFF, 0xC4, 0x00, 0x16, 0x00, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x06, 0xFF, 0xC4, 0x00, 0x15, 0x10, 0x01, 0x01,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12,
    0xFF, 0xC4, 0x00, 0x16, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x01, 0xFF, 0xC4, 0x00, 0x17, 0x11, 0x00, 0x03, 0x01,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x14,
    0x61, 0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00, 0xCE,
    0x59, 0x69, 0xEC, 0xB6, 0xC1, 0x85, 0x9D, 0xBA, 0x51, 0x65, 0xA7, 0xB2, 0xC8, 0x30, 0x5B, 0xA5,
    0x16, 0x27, 0xB0, 0x83, 0x05, 0xBA, 0x4F, 0x65, 0xA7, 0xA2, 0x96, 0x90, 0xA2, 0x46, 0xC6, 0x51,
    0x65, 0xA7, 0xA2, 0x88, 0x50, 0xB1, 0x94, 0x58, 0x9E, 0x82, 0x14, 0x2C, 0x67, 0xFF, 0xD9,
};

// The static text of the dialog that reads exactly `text`, if any.
HWND StaticWithText(HWND dialog, const std::string& text) {
  for (HWND h : wine_windows::Descendants(dialog))
    if (ClassOf(h) == "Static" && TextOf(h) == text && IsWindowVisible(h)) return h;
  return nullptr;
}

// A click on the list entry of that text.
void ClickEntry(HWND dialog, const std::string& text) {
  HWND list = Child(dialog, "ListBox");
  const int n = list ? static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) : 0;
  for (int i = 0; i < n; ++i) {
    char buf[MAX_PATH] = "";
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    if (text != buf) continue;
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    ClickAt(list, {item.left + 10, (item.top + item.bottom) / 2});
    return;
  }
  ADD_FAILURE() << text << " is not listed";
}

// The picture pane (switched on by its key): a real JPEG is decoded by the
// platform and shown with its pixel size; another file shows its type and
// size; the list keeps the room left of the pane.
TEST_F(ExplorerDll, PicturePaneShowsARealJpegWithItsPixelSize) {
  const std::string folder = "c:\\w95exp\\preview";
  CreateDirectoryA(folder.c_str(), nullptr);
  FILE* f = std::fopen((folder + "\\photo.jpg").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(kJpeg40x30, 1, sizeof kJpeg40x30, f);
  std::fclose(f);
  MakeSizedFile(folder + "\\tune.mid", 3000);
  HostWrite("LastDir", "c:\\w95exp\\preview\\");
  HostWrite("ExpPreview", "1");
  bool sized = false, depth = false, typed = false;
  RECT listRect{}, sizeRect{};
  int rounds = 0;
  steps.push_back([&](HWND d) { ClickEntry(d, "photo.jpg"); });
  // Waits (counted rounds, not time) for the decoding done on its own thread.
  player.steps.push_back({"",
                          [&](HWND d) {
                            HWND size = StaticWithText(d, "40 x 30 pixels");
                            sized = size != nullptr;
                            depth = StaticWithText(d, "24 bits per pixel") != nullptr;
                            if (size) GetWindowRect(size, &sizeRect);
                            GetWindowRect(Child(d, "ListBox"), &listRect);
                            Shot(d, "preview253");
                            ClickEntry(d, "tune.mid");
                          },
                          [&] {
                            HWND d = ExplorerDialog({});
                            return (d && StaticWithText(d, "40 x 30 pixels")) || ++rounds > 150;
                          }});
  steps.push_back([&](HWND d) {
    typed = StaticWithText(d, "MID (MIDI music)") != nullptr && StaticWithText(d, "3 KB");
    Press(d, "Cancel");
  });
  EXPECT_EQ(Run(253), -1);
  EXPECT_TRUE(sized) << "the pixel size beneath the picture";
  EXPECT_TRUE(depth);
  EXPECT_TRUE(typed) << "another file: its type and size";
  EXPECT_LE(listRect.right, sizeRect.left + 1) << "the pane right of the list";
  EXPECT_EQ(HostRead("ExpPreview"), "1");
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
