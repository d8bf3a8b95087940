// The slide editor through the real DLL: the host writes the keys and calls
// EditorWin95; a timer on the host's thread plays the user in the real
// windows (the editor, its pop-up menus, the nested explorer, message boxes).
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/pictures.h"

#include "dll_loader.h"
#include "step_player.h"
#include "wine_keys.h"
#include "wine_windows.h"

namespace {

using wine_windows::Child;
using wine_windows::ClassOf;
using wine_windows::TextOf;
using wine_windows::TopLevel;

// The user, played in the editor's windows (the editor, its pop-up menus,
// the nested explorer, message boxes).
wine_steps::Player player;
std::deque<wine_steps::Step>& steps = player.steps;  // what the user does, in order
std::vector<std::string>& boxes = player.boxes;      // texts of the message boxes seen
std::deque<int>& boxAnswers = player.boxAnswers;     // button ids to answer them with

// The editor lets messages run once while it opens, before it reads the
// script it was given (or sets up a new one): what a step did then would be
// done to a window not yet ready. It is ready once its path line names a
// slide ("[1 of 3]"), or once a message box said the script cannot be read.
bool awaitEditor = false;
size_t boxesBefore = 0;  // boxes answered before the editor was opened
bool NamesASlide(HWND editor) {
  for (HWND h : wine_windows::Descendants(editor)) {
    const std::string text = TextOf(h);
    const size_t open = text.rfind(" [");
    if (open != std::string::npos && text.find(" of ", open) != std::string::npos) return true;
  }
  return false;
}
// Holds once the editor's path line counts `n` slides ("[1 of n]"): the
// slides added through the nested explorer are all in (the editor lets
// messages run while it makes room for them).
std::function<bool()> SlidesShown(int n) {
  const std::string count = " of " + std::to_string(n) + "]";
  return [count] {
    HWND editor = TopLevel("Plimbo Slide Editor");
    if (!editor) return false;
    for (HWND h : wine_windows::Descendants(editor))
      if (TextOf(h).find(count) != std::string::npos) return true;
    return false;
  };
}

HWND FindWindowOfStep(const std::string& wanted) {
  HWND window = TopLevel(wanted);
  if (window && awaitEditor && TextOf(window).rfind("Plimbo Slide Editor", 0) == 0) {
    if (!NamesASlide(window) && boxes.size() == boxesBefore) return nullptr;
    awaitEditor = false;
  }
  return window;
}

// With W95_SHOTS set, asks for a picture of the window's area of the screen:
// c:\w95shots\<name>.ready holds its geometry; the shell that takes the shot
// answers with <name>.done. The test goes on ticking meanwhile. A pop-up
// menu paints inside its own loop and reaches the X display only in part:
// its area is taken from the screen as this program has it, into <name>.bmp,
// which the shell takes instead.
void Shot(HWND window, const char* name) {
  if (!std::getenv("W95_SHOTS")) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r;
  GetWindowRect(window, &r);
  CreateDirectoryA("c:\\w95shots", nullptr);
  const std::string base = std::string("c:\\w95shots\\") + name;
  DeleteFileA((base + ".done").c_str());
  if (ClassOf(window) == "#32768") wine_windows::SaveScreenArea(r, base + ".bmp");
  if (FILE* f = std::fopen((base + ".ready").c_str(), "w")) {
    std::fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    std::fclose(f);
  }
}

// Holds once the shot asked for is taken (or when no shots are taken).
std::function<bool()> ShotTaken(const char* name) {
  const std::string done = std::string("c:\\w95shots\\") + name + ".done";
  return [done] {
    return !std::getenv("W95_SHOTS") || GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES;
  };
}

void Press(HWND window, const char* caption) {
  HWND button = Child(window, "Button", caption);
  ASSERT_NE(button, nullptr) << "no button " << caption;
  PostMessageA(button, BM_CLICK, 0, 0);
}

// The grid: the tallest of the library's windows with a sunken edge (its
// scroll bar, and so WS_VSCROLL, is there only when the rows overflow).
BOOL CALLBACK MatchGrid(HWND h, LPARAM p) {
  HWND& best = *reinterpret_cast<HWND*>(p);
  if (!IsWindowVisible(h) || ClassOf(h) != "W95Window" ||
      !(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE))
    return TRUE;
  RECT r, b;
  GetWindowRect(h, &r);
  if (best) GetWindowRect(best, &b);
  if (!best || r.bottom - r.top > b.bottom - b.top) best = h;
  return TRUE;
}

HWND GridOf(HWND editor) {
  HWND found = nullptr;
  EnumChildWindows(editor, MatchGrid, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Where a cell is, by the editor's column widths (units of width / 634,
// column 4 taking the rest, one-pixel lines between columns).
LPARAM CellPoint(HWND editor, int col, int row) {
  HWND grid = GridOf(editor);
  RECT outer;
  GetWindowRect(grid, &outer);
  RECT client;
  GetClientRect(editor, &client);
  const double u = (client.right - client.left) / 634.0;
  const int units[16] = {35, 0, 0, 0, 0, 30, 100, 45, 35, 35, 45, 35, 35, 35, 0, 30};
  int w[16];
  int sum = 0;
  for (int c = 0; c < 16; ++c) {
    w[c] = units[c] ? static_cast<int>(std::lround(units[c] * u)) : 1;
    sum += w[c];
  }
  w[4] = (outer.right - outer.left) - sum - GetSystemMetrics(SM_CXHTHUMB) - 14;
  int x = 0;
  for (int c = 0; c < col; ++c) x += w[c] + 1;
  return MAKELPARAM(x + w[col] / 2, row * 25 + 12);
}

// `held`: MK_SHIFT, MK_CONTROL as the mouse reports the keys held.
void ClickCell(HWND editor, int col, int row, WPARAM held = 0) {
  HWND grid = GridOf(editor);
  const LPARAM at = CellPoint(editor, col, row);
  SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON | held, at);
  SendMessageA(grid, WM_LBUTTONUP, held, at);
}

// Opens the cell's menu as the right mouse button does (posted: the menu
// runs its own loop).
void RightClickCell(HWND editor, int col, int row) {
  ClickCell(editor, col, row);
  HWND grid = GridOf(editor);
  const LPARAM at = CellPoint(editor, col, row);
  PostMessageA(grid, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageA(grid, WM_RBUTTONUP, 0, at);
}

// Chooses the item captioned `caption` in an open pop-up menu.
void Choose(HWND menu, const char* caption) {
  std::string shown;
  EXPECT_TRUE(wine_steps::ChooseMenuItem(menu, caption, &shown))
      << "no item " << caption << " in " << shown;
}

// The nested explorer fills its list and its file name box after letting
// messages run once while it opens, so what a step did in it before then
// is undone. These steps look again at a later round and do it once more
// until it has held (a few times at most, then they go on).
constexpr int kRetries = 20;

// Types `name` into the save dialog's file name box and presses Save once
// the box still holds it.
wine_steps::Step SaveAs(std::string name, int tries = 0) {
  return {"Save File", [name, tries](HWND d) {
            HWND edit = Child(d, "Edit");
            ASSERT_NE(edit, nullptr);
            if (tries > 0 && (TextOf(edit) == name || tries >= kRetries)) return Press(d, "&Save");
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            steps.push_front(SaveAs(name, tries + 1));
          }};
}

// Marks every entry of the add dialog's list and presses Open once the
// marks have held.
wine_steps::Step OpenAllMarked(LRESULT marked = -1, int tries = 0) {
  return {"Add Multiple Slides", [marked, tries](HWND d) {
            HWND list = Child(d, "ListBox");
            ASSERT_NE(list, nullptr);
            const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
            if ((count > 0 && count == marked && SendMessageA(list, LB_GETSELCOUNT, 0, 0) > 0) ||
                tries >= kRetries)
              return Press(d, "&Open");
            if (count > 0) {
              SendMessageA(list, LB_SETSEL, TRUE, -1);
              SendMessageA(GetParent(list), WM_COMMAND,
                           MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list));
            }
            steps.push_front(OpenAllMarked(count, tries + 1));
          }};
}

std::string HostRead(const char* key) { return wine_dll::ReadKey(key); }
void HostWrite(const char* key, const char* value) { wine_dll::WriteKey(key, value); }

std::string ReadAll(const std::string& path) {
  std::string text;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return "<missing>";
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  return text;
}

void WriteAll(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

const char kFolder[] = "c:\\w95ed";
const char kScript[] = "c:\\w95ed\\trip.avl";
const char kTemp[] = "c:\\w95ed\\avltmp.avl";

// Generation 5: decimal colour and gamma.
const char kGen5[] =
    "[Header]\r\nVer=5\r\nN=4\r\nCat=ABCDE\r\n"
    "[Directory]\r\n0=c:\\w95ed\\app\\\r\n1=c:\\w95ed\\pics\\\r\n"
    "[1]\r\nF=sunset.bmp,1\r\nB=255\r\nX=19\r\nW=5\r\nG=64\r\n"
    "[2]\r\nF=clip.avi,1\r\nX=2\r\nL=80\r\n"
    "[3]\r\nF=beach.jpg,1\r\nX=3\r\n";

class EditorDll : public ::testing::Test {
 protected:
  void SetUp() override {
    dll = std::make_unique<wine_dll::Library>();
    ASSERT_TRUE(*dll);
    ASSERT_NE(dll->EditorWin95, nullptr);
    CreateDirectoryA(kFolder, nullptr);
    CreateDirectoryA("c:\\w95ed\\app", nullptr);
    CreateDirectoryA("c:\\w95ed\\pics", nullptr);
    for (const char* f :
         {"c:\\w95ed\\pics\\sunset.bmp", "c:\\w95ed\\pics\\clip.avi", "c:\\w95ed\\pics\\beach.jpg"})
      WriteAll(f, "data");
    WriteAll(kScript, kGen5);
    DeleteFileA(kTemp);
    DeleteFileA("c:\\w95ed\\edited.avl");
    steps.clear();
    boxes.clear();
    boxAnswers.clear();
    wine_dll::ClearKeys();
    HostWrite(W95_KEY_EXCHANGE_FILE, "c:\\w95ed\\plimbo.tmp");
    HostWrite(W95_KEY_SCRIPT, kScript);
    HostWrite(W95_KEY_SCRIPT_NOW, kScript);
    HostWrite(W95_KEY_TEST_SCRIPT, kTemp);
    HostWrite(W95_KEY_APP_DIR, "c:\\w95ed\\app");
    player.find = FindWindowOfStep;
    player.timeoutMs = 60000;
    player.missing.clear();
    player.Start(150);
  }
  void TearDown() override {
    player.Stop();
    dll.reset();
  }
  LONG Run() {
    // Safety: whatever is left closes the editor without saving.
    for (int i = 0; i < 3; ++i)
      steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
    for (int i = 0; i < 3; ++i) boxAnswers.push_back(IDYES);
    awaitEditor = true;
    boxesBefore = boxes.size();
    const LONG r = dll->EditorWin95();
    steps.clear();
    EXPECT_TRUE(player.missing.empty()) << "a step's window never came: " << player.missing[0];
    player.missing.clear();
    return r;
  }
  std::unique_ptr<wine_dll::Library> dll;
};

TEST_F(EditorDll, Generation5ScriptIsShownAndTestLeavesGeneration6ForTheHost) {
  std::string caption;
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     caption = TextOf(e);
                     Shot(e, "editor_loaded");
                   }});
  steps.push_back(
      {"Plimbo Slide Editor", [](HWND e) { Press(e, "&Test"); }, ShotTaken("editor_loaded")});
  EXPECT_EQ(Run(), -1);
  EXPECT_EQ(caption, "Plimbo Slide Editor [trip.avl]");
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  char sw[16], sh[16];
  std::snprintf(sw, sizeof sw, "%d", GetSystemMetrics(SM_CXSCREEN));
  std::snprintf(sh, sizeof sh, "%d", GetSystemMetrics(SM_CYSCREEN));
  const std::string expected = std::string("[Header]\r\nVer=6\r\nScreenW=") + sw +
                               "\r\nScreenH=" + sh +
                               "\r\nN=4\r\nCat=ABCDE\r\n"
                               "[Directory]\r\n0=c:\\w95ed\\app\\\r\n1=c:\\w95ed\\pics\\\r\n"
                               "[1]\r\nF=sunset.bmp,1\r\nB=FF\r\nX=19\r\nW=5\r\nG=40\r\n"
                               "[2]\r\nF=clip.avi,1\r\nX=2\r\nL=80\r\n"
                               "[3]\r\nF=beach.jpg,1\r\nX=3\r\n";
  EXPECT_EQ(ReadAll(kTemp), expected);
}

TEST_F(EditorDll, AddingTwoFilesThroughTheNestedExplorer) {
  CreateDirectoryA("c:\\w95ed\\add", nullptr);
  WriteAll("c:\\w95ed\\add\\one.bmp", "1");
  WriteAll("c:\\w95ed\\add\\two.wav", "2");
  HostWrite("LastDir", "c:\\w95ed\\add\\");
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Add"); }});
  steps.push_back(OpenAllMarked());
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Test"); }, SlidesShown(5)});
  EXPECT_EQ(Run(), -1);
  const std::string text = ReadAll(kTemp);
  EXPECT_NE(text.find("N=6\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[4]\r\nF=one.bmp,2\r\nB=0\r\nX=0\r\n[5]\r\nF=two.wav,2\r\nX=1\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("2=c:\\w95ed\\add\\"), std::string::npos) << text;
}

TEST_F(EditorDll, MenuChoiceAndGlobalModifyThenSavedThroughTheNestedDialog) {
  HostWrite("SavePath", "c:\\w95ed\\");
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { RightClickCell(e, 6, 3); }});
  steps.push_back({"#32768", [](HWND m) { Shot(m, "editor_popup"); }});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "Rnd Pix"); }, ShotTaken("editor_popup")});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) {
                     ClickCell(e, 7, 1);
                     Press(e, "&Global");
                   }});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "1 minute"); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Shot(e, "editor_global"); }});
  steps.push_back(
      {"Plimbo Slide Editor", [](HWND e) { Press(e, "&Save"); }, ShotTaken("editor_global")});
  steps.push_back(SaveAs("edited.avl"));
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  char sw[16], sh[16];
  std::snprintf(sw, sizeof sw, "%d", GetSystemMetrics(SM_CXSCREEN));
  std::snprintf(sh, sizeof sh, "%d", GetSystemMetrics(SM_CYSCREEN));
  const std::string expected = std::string("[Header]\r\nVer=6\r\nScreenW=") + sw +
                               "\r\nScreenH=" + sh +
                               "\r\nN=4\r\nCat=ABCDE\r\n"
                               "[Directory]\r\n0=c:\\w95ed\\app\\\r\n1=c:\\w95ed\\pics\\\r\n"
                               "[1]\r\nF=sunset.bmp,1\r\nB=FF\r\nX=19\r\nW=60\r\nG=40\r\n"
                               "[2]\r\nF=clip.avi,1\r\nX=2\r\nW=60\r\nL=80\r\n"
                               "[3]\r\nF=beach.jpg,1\r\nX=5\r\nW=60\r\n";
  EXPECT_EQ(ReadAll("c:\\w95ed\\edited.avl"), expected);
  EXPECT_EQ(_stricmp(HostRead("AVLNOW").c_str(), "c:\\w95ed\\edited.avl"), 0) << HostRead("AVLNOW");
}

TEST_F(EditorDll, CloseQuerySavesOnNoAndStaysWhenThatSaveIsCancelled) {
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { RightClickCell(e, 7, 2); }});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "5 seconds"); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
  steps.push_back({"Save File", [](HWND d) { Press(d, "Cancel"); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
  boxAnswers = {IDNO, IDYES};
  EXPECT_EQ(Run(), 0);
  ASSERT_GE(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], "Discard changes?");
  EXPECT_EQ(boxes[1], "Discard changes?");
  EXPECT_EQ(ReadAll(kScript), kGen5) << "nothing was saved";
}

TEST_F(EditorDll, SavingOverAReadOnlyScriptSaysSoKeepsItAndKeepsTheEdits) {
  SetFileAttributesA(kScript, FILE_ATTRIBUTE_READONLY);
  HostWrite("SavePath", "c:\\w95ed\\");
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { RightClickCell(e, 7, 2); }});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "5 seconds"); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Save"); }});
  steps.push_back(SaveAs("trip.avl"));
  // Still open, the change still there: closing asks about it.
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
  boxAnswers = {IDYES, IDOK, IDYES};
  EXPECT_EQ(Run(), 0);
  SetFileAttributesA(kScript, FILE_ATTRIBUTE_NORMAL);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0], "trip.avl\nin use.  Overwrite?");
  EXPECT_EQ(_stricmp(boxes[1].c_str(), "Unable to write to c:\\w95ed\\trip.avl"), 0) << boxes[1];
  EXPECT_EQ(boxes[2], "Discard changes?");
  EXPECT_EQ(ReadAll(kScript), kGen5);
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA("c:\\w95ed\\~*.tmp", &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << found.cFileName;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(EditorDll, AScriptWithAHeaderItCannotReadIsNotOfferedForSavingOverIt) {
  // "N" unreadable: the grid stays empty while the file holds three slides.
  std::string damaged = kGen5;
  damaged.replace(damaged.find("N=4"), 3, "N=four");
  WriteAll(kScript, damaged);
  HostWrite("SavePath", "c:\\w95ed\\");
  std::string caption;
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     caption = TextOf(e);
                     Shot(e, "editor_unread");
                   }});
  // The empty script is not written at all: no save dialog, and closing has
  // nothing to ask.
  steps.push_back(
      {"Plimbo Slide Editor", [](HWND e) { Press(e, "&Save"); }, ShotTaken("editor_unread")});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
  boxAnswers = {IDOK, IDOK};
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], "Bad AVL file.");
  EXPECT_EQ(boxes[1], "Nothing to save!");
  EXPECT_EQ(caption, "Plimbo Slide Editor [*New*]");
  EXPECT_EQ(ReadAll(kScript), damaged);
}

// A new script: two pictures added through the nested explorer fill the
// placeholder; the host gets exactly two slides (the header counts the rows,
// slides plus one).
TEST_F(EditorDll, TwoPicturesAddedToANewScriptAreTheWholeScript) {
  CreateDirectoryA("c:\\w95ed\\two", nullptr);
  WriteAll("c:\\w95ed\\two\\one.bmp", "1");
  WriteAll("c:\\w95ed\\two\\two.bmp", "2");
  HostWrite("LastDir", "c:\\w95ed\\two\\");
  HostWrite("AVLFIL", "*");
  HostWrite("AVLNOW", "");
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Add"); }});
  steps.push_back(OpenAllMarked());
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Test"); }, SlidesShown(2)});
  EXPECT_EQ(Run(), -1);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  const std::string text = ReadAll(kTemp);
  EXPECT_NE(text.find("N=3\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[1]\r\nF=one.bmp,1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[2]\r\nF=two.bmp,1\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("[3]"), std::string::npos) << text;
}

// A picture named in Japanese, added to a new script: the editor's path line
// shows its real name, and the test script names it by a name that opens it.
TEST_F(EditorDll, APictureNamedOutsideTheCodePageIsShownByItsNameAndOpensFromTheScript) {
  CreateDirectoryW(L"c:\\w95ed\\names", nullptr);
  const std::wstring photo = L"c:\\w95ed\\names\\\u5199\u771f.bmp";
  HANDLE h = CreateFileW(photo.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD done = 0;
  WriteFile(h, "photo", 5, &done, nullptr);
  CloseHandle(h);
  HostWrite("LastDir", "c:\\w95ed\\names\\");
  HostWrite("AVLFIL", "*");
  HostWrite("AVLNOW", "");
  std::wstring pathLine;
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Add"); }});
  steps.push_back(OpenAllMarked());
  steps.push_back({"Plimbo Slide Editor",
                   [&](HWND e) {
                     for (HWND c : wine_windows::Descendants(e)) {
                       wchar_t text[512] = L"";
                       GetWindowTextW(c, text, 512);
                       if (std::wstring(text).find(L" of 1]") != std::wstring::npos)
                         pathLine = text;
                     }
                     Shot(e, "editor_names");
                   },
                   SlidesShown(1)});
  steps.push_back(
      {"Plimbo Slide Editor", [](HWND e) { Press(e, "&Test"); }, ShotTaken("editor_names")});
  EXPECT_EQ(Run(), -1);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  EXPECT_NE(pathLine.find(L"\u5199\u771f.bmp"), std::wstring::npos);
  // The script's slide opens the picture.
  const std::string text = ReadAll(kTemp);
  const std::string slide = "[1]\r\nF=";
  const size_t at = text.find(slide);
  ASSERT_NE(at, std::string::npos) << text;
  const size_t start = at + slide.size(), comma = text.find(',', start);
  const std::string name = text.substr(start, comma - start);
  const std::string folderKey = text.substr(comma + 1, text.find("\r\n", comma) - comma - 1);
  const size_t folderAt = text.find("\r\n" + folderKey + "=");
  ASSERT_NE(folderAt, std::string::npos) << text;
  const size_t folderStart = folderAt + 3 + folderKey.size();
  const std::string folder = text.substr(folderStart, text.find("\r\n", folderStart) - folderStart);
  EXPECT_EQ(ReadAll(folder + name), "photo") << folder << name;
}

// The erase button: the first glyph button of the top row.
HWND EraseButton(HWND editor) {
  HWND best = nullptr;
  RECT b{};
  for (HWND h : wine_windows::Descendants(editor)) {
    if (ClassOf(h) != "Button" || !TextOf(h).empty() || !IsWindowVisible(h)) continue;
    RECT r;
    GetWindowRect(h, &r);
    if (!best || r.top < b.top || (r.top == b.top && r.left < b.left)) {
      best = h;
      b = r;
    }
  }
  return best;
}

// A one-slide script, edited: New asks before dropping it. Its only slide
// erased, the empty script has nothing to save, and closing asks nothing.
TEST_F(EditorDll, OneSlideScriptIsAskedAboutAndEmptiedWithoutASave) {
  WriteAll(kScript,
           "[Header]\r\nVer=6\r\nN=2\r\nCat=ABCDE\r\n"
           "[Directory]\r\n0=c:\\w95ed\\app\\\r\n1=c:\\w95ed\\pics\\\r\n"
           "[1]\r\nF=sunset.bmp,1\r\nX=0\r\n");
  bool saveEnabled = true, testEnabled = true;
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { RightClickCell(e, 7, 1); }});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "5 seconds"); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "Ne&w"); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) {
                     HWND erase = EraseButton(e);
                     ASSERT_NE(erase, nullptr);
                     PostMessageA(erase, BM_CLICK, 0, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     saveEnabled = IsWindowEnabled(Child(e, "Button", "&Save"));
                     testEnabled = IsWindowEnabled(Child(e, "Button", "&Test"));
                     PostMessageA(e, WM_CLOSE, 0, 0);
                   }});
  boxAnswers = {IDNO};
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(boxes.size(), 1u) << (boxes.size() > 1 ? boxes[1] : "no question");
  EXPECT_EQ(boxes[0], "Discard script?");
  EXPECT_FALSE(saveEnabled);
  EXPECT_FALSE(testEnabled);
}

// Real keys: a menu choice taken back with Ctrl+Z and done again with
// Ctrl+Y; Ctrl+Shift+Z with nothing left to redo does nothing, and Ctrl+Z
// takes it back once more: the host gets the script as it was.
TEST_F(EditorDll, CtrlZAndCtrlYTakeAChangeBackAndDoItAgain) {
  std::string afterUndo, afterRedo;
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { RightClickCell(e, 7, 2); }});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "5 seconds"); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) {
                     SetFocus(GridOf(e));
                     wine_keys::Press('Z', {VK_CONTROL}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [](HWND) { wine_keys::Press('Y', {VK_CONTROL}, 0); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND) {
                     wine_keys::Press('Z', {VK_CONTROL, VK_SHIFT}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [](HWND) { wine_keys::Press('Z', {VK_CONTROL}, 0); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Test"); }});
  EXPECT_EQ(Run(), -1);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  const std::string text = ReadAll(kTemp);
  EXPECT_NE(text.find("[2]\r\nF=clip.avi,1\r\nX=2\r\nL=80\r\n"), std::string::npos) << text;

  // Once more without the last Ctrl+Z: the change is there.
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { RightClickCell(e, 7, 2); }});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "5 seconds"); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) {
                     SetFocus(GridOf(e));
                     wine_keys::Press('Z', {VK_CONTROL}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [](HWND) { wine_keys::Press('Y', {VK_CONTROL}, 0); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Test"); }});
  EXPECT_EQ(Run(), -1);
  EXPECT_NE(ReadAll(kTemp).find("[2]\r\nF=clip.avi,1\r\nX=2\r\nW=5\r\nL=80\r\n"), std::string::npos)
      << ReadAll(kTemp);
}

// ---- the thumbnail page ---------------------------------------------------------

// A 24-bit bitmap file of one colour (0x00RRGGBB) with a darker border.
std::string Bitmap(int w, int h, unsigned colour) {
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, colour);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
        pixels[static_cast<size_t>(y) * w + x] = (colour >> 1) & 0x7F7F7F;
  return w95::platform::EncodeBmp24(w, h, pixels);
}

// A generation-6 script of n graphics p1.bmp ... in catalog W95TH, slide r
// with thumbnail index r (base 32) when `indexed`.
std::string ThumbScript(int n, bool indexed) {
  std::string s = "[Header]\r\nVer=6\r\nN=" + std::to_string(n + 1) + "\r\nCat=W95TH\r\n" +
                  "[Directory]\r\n0=c:\\w95ed\\app\\\r\n1=c:\\w95ed\\pics\\\r\n";
  const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
  for (int r = 1; r <= n; ++r) {
    const std::string row = std::to_string(r);
    s.append("[").append(row).append("]\r\nF=p").append(row).append(".bmp,1\r\nX=0\r\n");
    if (indexed) {
      std::string index = r >= 32 ? std::string(1, digits[r / 32]) : "";
      index += digits[r % 32];
      s.append("T=").append(index).append("\r\n");
    }
  }
  return s;
}

const unsigned kColours[] = {0xE04040, 0x40B040, 0x4060E0, 0xE0C040, 0xC040C0, 0x40C0C0};

class ThumbsDll : public EditorDll {
 protected:
  void WriteScript(int n, bool indexed) {
    for (int r = 1; r <= n; ++r)
      WriteAll("c:\\w95ed\\pics\\p" + std::to_string(r) + ".bmp", "data");
    WriteAll(kScript, ThumbScript(n, indexed));
    if (!indexed) return;
    const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
    for (int r = 1; r <= n; ++r) {
      if (r % 10 == 5) continue;  // no thumbnail: "No Preview"
      std::string index = r >= 32 ? std::string(1, digits[r / 32]) : "";
      index += digits[r % 32];
      // Sizes a host makes keeping the aspect: 64 wide or 64 high.
      const int w = r % 3 == 0 ? 48 : 64, h = r % 3 == 1 ? 40 : 64;
      WriteAll("c:\\w95ed\\app\\W95TH" + index + ".BMP", Bitmap(w, h, kColours[r % 6]));
    }
  }
};

RECT pageArea{};  // where the grid was before the page covered it

// The second tab, clicked where it is.
void ShowThumbnails(HWND editor) {
  GetWindowRect(GridOf(editor), &pageArea);
  HWND tabs = Child(editor, "SysTabControl32");
  ASSERT_NE(tabs, nullptr);
  RECT r{};
  SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(tabs, WM_LBUTTONUP, 0, at);
}

// Once the editor has loaded trip.avl (the caption names it), the second
// tab is chosen; the next step waits until the page covers the grid.
HWND pageGrid = nullptr;
void ShowThumbnailsStep() {
  pageGrid = nullptr;
  steps.push_back({"Plimbo Slide Editor [trip.avl]", [](HWND e) {
                     pageGrid = GridOf(e);
                     ShowThumbnails(e);
                   }});
  steps.push_back(
      {"Plimbo Slide Editor", [](HWND) {}, [] { return pageGrid && !IsWindowVisible(pageGrid); }});
}

// The thumbnail image: the window where the grid was.
HWND PageImage(HWND) {
  const POINT p{pageArea.left + 40, pageArea.top + 40};
  return WindowFromPoint(p);
}

// The mouse on the page, in the image's own coordinates.
void PageMouse(HWND image, UINT msg, int x, int y) {
  SendMessageA(image, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

unsigned PixelAt(HWND h, int x, int y) {
  UpdateWindow(h);
  HDC dc = GetDC(h);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(h, dc);
  return static_cast<unsigned>(GetRValue(c)) << 16 | static_cast<unsigned>(GetGValue(c)) << 8 |
         GetBValue(c);
}

TEST_F(ThumbsDll, FortyThumbnailsShownAndASlideDraggedTwoCellsOn) {
  WriteScript(40, true);
  HWND image = nullptr;
  unsigned first = 0, noPreviewCell = 0, background = 0;
  ShowThumbnailsStep();
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     image = PageImage(e);
                     ASSERT_NE(image, nullptr);
                     ASSERT_FALSE(IsWindowVisible(GridOf(e)) && GridOf(e) == image);
                     first = PixelAt(image, 36, 36);                   // slide 1's picture
                     noPreviewCell = PixelAt(image, 4 * 74 + 36, 20);  // slide 5: text only
                     background = PixelAt(image, 2, 75);
                     Shot(e, "editor_thumbnails");
                   }});
  steps.push_back({"Plimbo Slide Editor",
                   [&](HWND) {
                     // Slide 2 dragged onto slide 4.
                     PageMouse(image, WM_LBUTTONDOWN, 74 + 36, 36);
                     PageMouse(image, WM_MOUSEMOVE, 2 * 74 + 36, 36);
                     PageMouse(image, WM_MOUSEMOVE, 3 * 74 + 36, 36);
                     PageMouse(image, WM_LBUTTONUP, 3 * 74 + 36, 36);
                   },
                   ShotTaken("editor_thumbnails")});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Test"); }});
  EXPECT_EQ(Run(), -1);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  EXPECT_EQ(first, kColours[1]);
  EXPECT_EQ(noPreviewCell, 0xFFFFFFu);
  EXPECT_EQ(background, 0xFFFFFFu);
  const std::string text = ReadAll(kTemp);
  // Slide 2 now lands directly before slide 4, with its thumbnail index.
  const size_t second = text.find("[2]\r\nF=p3.bmp,1"), third = text.find("[3]\r\nF=p2.bmp,1");
  ASSERT_NE(second, std::string::npos) << text;
  ASSERT_NE(third, std::string::npos) << text;
  EXPECT_NE(text.find("T=2\r\n", third), std::string::npos);
  EXPECT_LT(text.find("T=2\r\n", third), text.find("[4]\r\nF=p4.bmp", third)) << text;
}

TEST_F(ThumbsDll, TaggedSlidesAreHandedToTheHostWithTwo) {
  WriteScript(6, true);
  DeleteFileA("c:\\w95ed\\app\\tag.lst");
  ShowThumbnailsStep();
  for (int cell : {4, 1}) {
    steps.push_back({"Plimbo Slide Editor", [cell](HWND e) {
                       HWND image = PageImage(e);
                       ASSERT_NE(image, nullptr);
                       PageMouse(image, WM_LBUTTONDOWN, cell * 74 + 36, 36);
                       PageMouse(image, WM_LBUTTONUP, cell * 74 + 36, 36);
                     }});
    steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Tag"); }});
  }
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Shot(e, "editor_tagged"); }});
  steps.push_back(
      {"Plimbo Slide Editor", [](HWND e) { Press(e, "Vie&w"); }, ShotTaken("editor_tagged")});
  EXPECT_EQ(Run(), 2);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  const std::string list = ReadAll("c:\\w95ed\\app\\tag.lst");
  EXPECT_NE(list.find("p2.bmp"), std::string::npos) << list;
  EXPECT_NE(list.find("p5.bmp"), std::string::npos) << list;
  EXPECT_LT(list.find("p2.bmp"), list.find("p5.bmp")) << list;
  EXPECT_EQ(list.find("p1.bmp"), std::string::npos) << list;
}

TEST_F(ThumbsDll, UpdateNumbersTheGraphicsAndReturnsOneAfterTheSave) {
  WriteScript(3, false);
  HostWrite("AVLidx", "500");
  HostWrite("SavePath", "c:\\w95ed\\");
  DeleteFileA("c:\\w95ed\\numbered.avl");
  ShowThumbnailsStep();
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Update"); }});
  steps.push_back(SaveAs("numbered.avl"));
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  EXPECT_EQ(HostRead("AVLidx"), "504");
  const std::string text = ReadAll("c:\\w95ed\\numbered.avl");
  EXPECT_LT(text.find("F=p1.bmp,1"), text.find("T=FL\r\n")) << text;
  EXPECT_LT(text.find("T=FL\r\n"), text.find("F=p2.bmp,1")) << text;
  EXPECT_LT(text.find("F=p3.bmp,1"), text.find("T=FN\r\n")) << text;
  EXPECT_NE(text.find("T=FN\r\n"), std::string::npos) << text;
  EXPECT_EQ(_stricmp(HostRead("AVLNOW").c_str(), "c:\\w95ed\\numbered.avl"), 0)
      << HostRead("AVLNOW");
}

// The sample host's half: after an update it builds the thumbnails from the
// slides' bitmaps (64 x 64 at most, shape kept), which the editor then shows.
TEST_F(ThumbsDll, TheSampleHostBuildsThumbnailsThatThePageShows) {
  const unsigned red = 0xD03030, blue = 0x3050D0, green = 0x30A040;
  WriteAll("c:\\w95ed\\pics\\wide.bmp", Bitmap(200, 100, red));
  WriteAll("c:\\w95ed\\pics\\tall.bmp", Bitmap(50, 120, blue));
  WriteAll("c:\\w95ed\\pics\\small.bmp", Bitmap(30, 30, green));
  WriteAll("c:\\w95ed\\pics\\photo.jpg", "not a bitmap");
  WriteAll(kScript,
           "[Header]\r\nVer=6\r\nN=5\r\nCat=W95HB\r\n"
           "[Directory]\r\n0=c:\\w95ed\\app\\\r\n1=c:\\w95ed\\pics\\\r\n"
           "[1]\r\nF=wide.bmp,1\r\nX=0\r\nT=1\r\n[2]\r\nF=tall.bmp,1\r\nX=0\r\nT=2\r\n"
           "[3]\r\nF=small.bmp,1\r\nX=0\r\nT=3\r\n[4]\r\nF=photo.jpg,1\r\nX=0\r\nT=4\r\n");
  for (const char* f : {"c:\\w95ed\\app\\W95HB1.BMP", "c:\\w95ed\\app\\W95HB2.BMP",
                        "c:\\w95ed\\app\\W95HB3.BMP", "c:\\w95ed\\app\\W95HB4.BMP"})
    DeleteFileA(f);

  char exe[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string command = exe;
  command.erase(command.find_last_of('\\') + 1);
  command = "\"" + command + "plimbo-host.exe\" thumbs " + kScript + " c:\\w95ed\\app";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi))
      << command;
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(code, 0u);

  // Sizes from the header of each thumbnail.
  auto size = [](const char* path) {
    const std::string b = ReadAll(path);
    if (b.size() < 54 || b.compare(0, 2, "BM") != 0) return std::string("none");
    int32_t w, h;
    std::memcpy(&w, b.data() + 18, 4);
    std::memcpy(&h, b.data() + 22, 4);
    return std::to_string(w) + "x" + std::to_string(h);
  };
  EXPECT_EQ(size("c:\\w95ed\\app\\W95HB1.BMP"), "64x32");
  EXPECT_EQ(size("c:\\w95ed\\app\\W95HB2.BMP"), "27x64");
  EXPECT_EQ(size("c:\\w95ed\\app\\W95HB3.BMP"), "30x30");
  EXPECT_EQ(size("c:\\w95ed\\app\\W95HB4.BMP"), "none") << "other formats are skipped";

  unsigned wide = 0, tall = 0, small = 0;
  ShowThumbnailsStep();
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     HWND image = PageImage(e);
                     ASSERT_NE(image, nullptr);
                     wide = PixelAt(image, 36, 36);
                     tall = PixelAt(image, 74 + 36, 36);
                     small = PixelAt(image, 2 * 74 + 36, 36);
                     Shot(e, "editor_host_thumbnails");
                   }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); },
                   ShotTaken("editor_host_thumbnails")});
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(wide, red);
  EXPECT_EQ(tall, blue);
  EXPECT_EQ(small, green);
}

// ---- slides whose file is missing ------------------------------------------------

// The editor's path line: the library's window whose text tells the slide
// number ("[2 of 3]").
std::string PathLine(HWND editor) {
  for (HWND h : wine_windows::Descendants(editor)) {
    const std::string text = TextOf(h);
    if (text.find(" of 3]") != std::string::npos) return text;
  }
  return "<no path line>";
}

// Two of the script's files have gone to another folder (one a level down):
// they are marked, found again through the nested explorer, the change is
// taken back and done again with real keys, and the saved script names the
// new places.
TEST_F(EditorDll, MissingFilesAreMarkedAndFoundAgainInAFolderAsOneStep) {
  CreateDirectoryA("c:\\w95ed\\moved", nullptr);
  CreateDirectoryA("c:\\w95ed\\moved\\sub", nullptr);
  DeleteFileA("c:\\w95ed\\pics\\clip.avi");
  DeleteFileA("c:\\w95ed\\pics\\beach.jpg");
  WriteAll("c:\\w95ed\\moved\\clip.avi", "data");
  WriteAll("c:\\w95ed\\moved\\sub\\beach.jpg", "data");
  DeleteFileA("c:\\w95ed\\relinked.avl");
  HostWrite("LastDir", "c:\\w95ed\\moved\\");
  HostWrite("SavePath", "c:\\w95ed\\");
  std::string marked, relinked, undone, redone;
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     marked = PathLine(e);
                     Shot(e, "editor_missing");
                   }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { RightClickCell(e, 4, 2); },
                   ShotTaken("editor_missing")});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "Find missing fi&les..."); }});
  steps.push_back({"Search Folder", [](HWND d) { Press(d, "&Search"); }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     relinked = PathLine(e);
                     SetFocus(GridOf(e));
                     wine_keys::Press('Z', {VK_CONTROL}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     undone = PathLine(e);
                     wine_keys::Press('Y', {VK_CONTROL}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     redone = PathLine(e);
                     Press(e, "&Save");
                   }});
  steps.push_back(SaveAs("relinked.avl"));
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
  boxAnswers = {IDOK};
  EXPECT_EQ(Run(), 0);
  ASSERT_GE(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Found 2 of 2 missing files.");
  EXPECT_EQ(boxes.size(), 1u) << boxes.back();
  EXPECT_NE(marked.find("[1 of 3] - 2 missing"), std::string::npos) << marked;
  EXPECT_NE(relinked.find("[2 of 3]"), std::string::npos) << relinked;
  EXPECT_EQ(relinked.find("missing"), std::string::npos) << relinked;
  EXPECT_NE(undone.find("- 2 missing"), std::string::npos) << undone;
  EXPECT_EQ(redone.find("missing"), std::string::npos) << redone;
  const std::string text = ReadAll("c:\\w95ed\\relinked.avl");
  EXPECT_NE(text.find("=c:\\w95ed\\moved\\\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("=c:\\w95ed\\moved\\sub\\\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("F=clip.avi,"), std::string::npos) << text;
  EXPECT_NE(text.find("F=beach.jpg,"), std::string::npos) << text;
}

// Undo brings the marks back with the old places.
TEST_F(EditorDll, UndoingARelinkBringsTheMarksBack) {
  CreateDirectoryA("c:\\w95ed\\moved", nullptr);
  DeleteFileA("c:\\w95ed\\pics\\clip.avi");
  WriteAll("c:\\w95ed\\moved\\clip.avi", "data");
  HostWrite("LastDir", "c:\\w95ed\\moved\\");
  std::string relinked, undone;
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { RightClickCell(e, 4, 2); }});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "Fin&d this file..."); }});
  steps.push_back({"Search Folder", [](HWND d) { Press(d, "&Search"); }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     relinked = PathLine(e);
                     SetFocus(GridOf(e));
                     wine_keys::Press('Z', {VK_CONTROL}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     undone = PathLine(e);
                     PostMessageA(e, WM_CLOSE, 0, 0);
                   }});
  boxAnswers = {IDOK};
  EXPECT_EQ(Run(), 0);
  ASSERT_GE(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Found 1 of 1 missing files.");
  EXPECT_NE(relinked.find("[2 of 3]"), std::string::npos) << relinked;
  EXPECT_EQ(relinked.find("missing"), std::string::npos) << relinked;
  EXPECT_NE(undone.find("- 1 missing"), std::string::npos) << undone;
  EXPECT_EQ(ReadAll(kScript), kGen5) << "nothing saved";
}

// The path line, whatever the slide count.
std::string StatusLine(HWND editor) {
  for (HWND h : wine_windows::Descendants(editor)) {
    const std::string text = TextOf(h);
    if (text.find(" of ") != std::string::npos && text.find(']') != std::string::npos) return text;
  }
  return "<no path line>";
}

// Several slides at once: Shift+Down picks two, Ctrl+D copies them below,
// Ctrl+click adds the last slide, the slide menu erases the three, Ctrl+Z
// brings them back, Ctrl+Y erases them again and Ctrl+Z once more; the
// script saved holds the copies.
TEST_F(EditorDll, SeveralSlidesPickedWithShiftAndCtrlAreCopiedErasedAndComeBack) {
  HostWrite("SavePath", "c:\\w95ed\\");
  DeleteFileA("c:\\w95ed\\multi.avl");
  std::string two, copied, three, erased, undone, redone, again;
  steps.push_back({"Plimbo Slide Editor", [](HWND e) {
                     ClickCell(e, 4, 1);
                     SetFocus(GridOf(e));
                     wine_keys::Press(VK_DOWN, {VK_SHIFT}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     two = StatusLine(e);
                     wine_keys::Press('D', {VK_CONTROL}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     copied = StatusLine(e);
                     ClickCell(e, 4, 5, MK_CONTROL);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     three = StatusLine(e);
                     Shot(e, "editor_multi");
                   }});
  steps.push_back({"Plimbo Slide Editor",
                   [](HWND e) {
                     // The right button opens the slide menu on the selection.
                     const LPARAM at = CellPoint(e, 4, 5);
                     PostMessageA(GridOf(e), WM_RBUTTONDOWN, MK_RBUTTON, at);
                     PostMessageA(GridOf(e), WM_RBUTTONUP, 0, at);
                   },
                   ShotTaken("editor_multi")});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "&Erase slide"); }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     erased = StatusLine(e);
                     SetFocus(GridOf(e));
                     wine_keys::Press('Z', {VK_CONTROL}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     undone = StatusLine(e);
                     wine_keys::Press('Y', {VK_CONTROL}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     redone = StatusLine(e);
                     wine_keys::Press('Z', {VK_CONTROL}, 0);
                   }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) {
                     again = StatusLine(e);
                     Press(e, "&Save");
                   }});
  steps.push_back(SaveAs("multi.avl"));
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  EXPECT_NE(two.find("[2 of 3] - 2 selected"), std::string::npos) << two;
  EXPECT_NE(copied.find("[3 of 5] - 2 selected"), std::string::npos) << copied;
  EXPECT_NE(three.find("[5 of 5] - 3 selected"), std::string::npos) << three;
  EXPECT_NE(erased.find("[2 of 2]"), std::string::npos) << erased;
  EXPECT_NE(undone.find(" of 5]"), std::string::npos) << undone;
  EXPECT_NE(redone.find(" of 2]"), std::string::npos) << redone;
  EXPECT_NE(again.find(" of 5]"), std::string::npos) << again;
  const std::string text = ReadAll("c:\\w95ed\\multi.avl");
  const auto at = [&](const char* part) { return text.find(part); };
  EXPECT_NE(at("N=6\r\n"), std::string::npos) << text;
  const size_t s1 = at("[1]\r\nF=sunset.bmp,"), s2 = at("[2]\r\nF=clip.avi,"),
               s3 = at("[3]\r\nF=sunset.bmp,"), s4 = at("[4]\r\nF=clip.avi,"),
               s5 = at("[5]\r\nF=beach.jpg,");
  EXPECT_TRUE(s1 != std::string::npos && s2 != std::string::npos && s3 != std::string::npos &&
              s4 != std::string::npos && s5 != std::string::npos)
      << text;
  // A copy keeps its slide's settings.
  const auto section = [&](const char* name) {
    const size_t from = text.find(name);
    if (from == std::string::npos) return std::string("<none>");
    const size_t to = text.find("\r\n[", from);
    return text.substr(from + std::strlen(name),
                       to == std::string::npos ? to : to - from - std::strlen(name));
  };
  EXPECT_EQ(section("[3]"), section("[1]"));
  EXPECT_EQ(section("[4]"), section("[2]"));
  EXPECT_NE(section("[1]").find("W=5"), std::string::npos) << text;
}

}  // namespace

namespace {

// The editor worked with keys typed for real, through its own modal loop
// (each key is pressed at one tick and its outcome read at the next): Tab
// goes round the buttons, the tabs and the grid and back; Ctrl+E puts the
// focus on the grid; the accelerators of the two tabs choose them; Escape
// closes the editor, which has nothing to ask with nothing changed.
TEST_F(EditorDll, KeyboardUserTabsRoundChoosesTabsAndCloses) {
  const char* editor = "Plimbo Slide Editor";
  std::vector<std::string> ring;
  bool thumbsShown = false, editorShownAgain = false;
  std::string afterCtrlE, afterAltU;
  steps.push_back({editor, [](HWND e) {
                     SetFocus(Child(e, "Button", "&Add"));
                     wine_keys::Press(VK_TAB, {}, 0);
                   }});
  for (int i = 0; i < 20; ++i)
    steps.push_back({editor, [&](HWND) {
                       ring.push_back(wine_keys::Focused());
                       wine_keys::Press(VK_TAB, {}, 0);
                     }});
  steps.push_back({editor, [](HWND) { wine_keys::Press('E', {VK_CONTROL}, 0); }});
  steps.push_back({editor, [&](HWND) {
                     afterCtrlE = wine_keys::Focused();
                     wine_keys::Press('U', {VK_MENU}, 0);
                   }});
  steps.push_back({editor, [&](HWND e) {
                     afterAltU = wine_keys::Focused();
                     thumbsShown =
                         Child(e, "Button", "&Update") != nullptr && !Child(e, "Button", "&Global");
                     wine_keys::Press('E', {VK_MENU}, 0);
                   }});
  steps.push_back({editor, [&](HWND e) {
                     editorShownAgain = Child(e, "Button", "&Global") != nullptr;
                     wine_keys::Press(VK_ESCAPE, {}, 0);
                   }});
  Run();
  const std::vector<std::string> expected = {
      "Button:&Insert",   "Button:",        "Button:",        "Button:",      "Button:",
      "Button:&Tag",      "Button:",        "Button:",        "Button:&Open", "Button:Ne&w",
      "Button:&Save",     "Button:Vie&w",   "Button:&Test",   "Button:",      "Button:",
      "SysTabControl32:", "Button:&Global", "Button:C&D trk", "W95Window:",   "Button:&Add"};
  EXPECT_EQ(ring, expected);
  EXPECT_EQ(afterCtrlE, "W95Window:") << "the grid";
  EXPECT_EQ(afterAltU, "SysTabControl32:");
  EXPECT_TRUE(thumbsShown) << "Alt+U: Th&umbnails";
  EXPECT_TRUE(editorShownAgain) << "Alt+E: &Editor (text)";
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  EXPECT_EQ(TopLevel(editor), nullptr);
}

// The nested explorer, opened and left from the keyboard: the editor is the
// active window again, with the focus where it was, so that the next keys
// reach it.
TEST_F(EditorDll, KeyboardUserComesBackToTheEditorFromTheNestedExplorer) {
  const char* editor = "Plimbo Slide Editor";
  bool active = false;
  std::string focus;
  steps.push_back({editor, [](HWND e) {
                     SetFocus(Child(e, "Button", "&Insert"));
                     wine_keys::Press('A', {VK_MENU}, 0);
                   }});
  steps.push_back({"Add Multiple Slides", [](HWND) { wine_keys::Press(VK_ESCAPE, {}, 0); }});
  steps.push_back({editor, [&](HWND e) {
                     active = GetActiveWindow() == e;
                     focus = wine_keys::Focused();
                     wine_keys::Press(VK_ESCAPE, {}, 0);
                   }});
  Run();
  EXPECT_TRUE(active);
  EXPECT_EQ(focus, "Button:&Add") << "the button its accelerator pressed";
  EXPECT_TRUE(boxes.empty()) << boxes.front();
}

}  // namespace

namespace {

// Letters two buttons share, with real keys: each Alt+T or Alt+W moves the
// focus to the next button with that letter and presses nothing (neither
// "&Test" nor "Ne&w" nor "Vie&w" acts); Return then presses the one with
// the focus: "&Test" hands the slideshow to the host.
TEST_F(EditorDll, KeyboardUserReachesBothButtonsOfASharedLetter) {
  const char* editor = "Plimbo Slide Editor";
  std::vector<std::string> focus;
  steps.push_back({editor, [](HWND e) {
                     SetFocus(Child(e, "Button", "&Add"));
                     wine_keys::Press('T', {VK_MENU}, 0);
                   }});
  for (WORD key : {'T', 'W', 'W', 'W', 'T'})
    steps.push_back({editor, [&focus, key](HWND) {
                       focus.push_back(wine_keys::Focused());
                       wine_keys::Press(key, {VK_MENU}, 0);
                     }});
  steps.push_back({editor, [&](HWND) {
                     focus.push_back(wine_keys::Focused());
                     wine_keys::Press(VK_RETURN, {}, 0);
                   }});
  EXPECT_EQ(Run(), -1) << "Return pressed Test";
  const std::vector<std::string> expected = {"Button:&Tag",  "Button:&Test", "Button:Ne&w",
                                             "Button:Vie&w", "Button:Ne&w",  "Button:&Test"};
  EXPECT_EQ(focus, expected);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
}

}  // namespace

namespace {

// A drive with no space left, mounted for this test only (W95_FULL_FOLDER
// names the folder it is mounted on; editor/full_drive.sh sets it up and
// takes it away).
// Test and Save onto it say that the disk is full, the editor stays open
// with its slides, the host gets no -1, and the files there stay whole.
class FullDriveDll : public EditorDll {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("W95_FULL_FOLDER");
    if (!folder || !*folder) GTEST_SKIP() << "run by editor/full_drive.sh on a drive it mounts";
    drive = std::string(folder) + "\\";
    EditorDll::SetUp();
    WriteAll(drive + "avltmp.avl", kOld);
    WriteAll(drive + "show.avl", kOld);
    // Whatever space is left goes to a filler, down to the last byte.
    FILE* f = std::fopen((drive + "filler").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::setvbuf(f, nullptr, _IONBF, 0);
    const std::string block(4096, 'x');
    for (size_t size = block.size(); size > 0; size /= 2)
      while (std::fwrite(block.data(), 1, size, f) == size) {}
    std::fclose(f);
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(drive.c_str(), &free, nullptr, nullptr));
    ASSERT_EQ(free.QuadPart, 0u) << "the drive is full";
  }
  void TearDown() override {
    if (drive.empty()) return;
    EditorDll::TearDown();
    for (const char* name : {"avltmp.avl", "show.avl", "filler"})
      DeleteFileA((drive + name).c_str());
  }
  // No half-written file is left beside the old ones.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((drive + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != ".." && name != "avltmp.avl" && name != "show.avl" &&
          name != "filler")
        names.push_back(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
  }
  static constexpr char kOld[] = "[Header]\r\nVer=6\r\nN=2\r\n[1]\r\nF=old.bmp,0\r\nX=0\r\n";
  std::string drive;
};

// The editor after the failure: still there (its changes are asked about
// when it closes).
void ExpectStillEditing(HWND e, bool& checked) {
  checked = true;
  EXPECT_TRUE(IsWindowVisible(e));
  EXPECT_EQ(TextOf(e).rfind("Plimbo Slide Editor [", 0), 0u) << TextOf(e);
}

TEST_F(FullDriveDll, TestOntoAFullDriveSaysSoAndKeepsTheEditorOpen) {
  HostWrite("AVLTMP", (drive + "avltmp.avl").c_str());
  bool checked = false;
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Test"); }});
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) { ExpectStillEditing(e, checked); },
                   [] { return !boxes.empty(); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
  boxAnswers = {IDOK};
  EXPECT_NE(Run(), -1) << "nothing for the host to play";
  EXPECT_TRUE(checked) << "the editor stayed open after the message";
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(_stricmp(boxes[0].c_str(), ("Unable to write to " + drive +
                                        "avltmp.avl\nThe disk is full or cannot be written.")
                                           .c_str()),
            0)
      << boxes[0];
  EXPECT_EQ(ReadAll(drive + "avltmp.avl"), kOld);
  EXPECT_TRUE(Leftovers().empty()) << Leftovers().front();
}

TEST_F(FullDriveDll, SaveOntoAFullDriveSaysSoAndKeepsTheEdits) {
  bool checked = false;
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { RightClickCell(e, 7, 2); }});
  steps.push_back({"#32768", [](HWND m) { Choose(m, "5 seconds"); }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { Press(e, "&Save"); }});
  steps.push_back(SaveAs(drive + "show.avl"));
  steps.push_back({"Plimbo Slide Editor", [&](HWND e) { ExpectStillEditing(e, checked); },
                   [] { return boxes.size() >= 2; }});
  steps.push_back({"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }});
  // Overwrite: yes; the failure: OK; discard the change on closing: yes.
  boxAnswers = {IDYES, IDOK, IDYES};
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(checked) << "the editor stayed open after the message";
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(_stricmp(boxes[1].c_str(), ("Unable to write to " + drive +
                                        "show.avl\nThe disk is full or cannot be written.")
                                           .c_str()),
            0)
      << boxes[1];
  EXPECT_EQ(boxes[2], "Discard changes?") << "the change was kept";
  EXPECT_EQ(ReadAll(drive + "show.avl"), kOld);
  EXPECT_EQ(ReadAll(kScript), kGen5);
  EXPECT_TRUE(Leftovers().empty()) << Leftovers().front();
}

}  // namespace
