// "window": the sample host as a person uses it. A main window whose menu
// calls every export with the host's arguments, writes the input keys a host
// writes, and logs what each export returned, the keys and files it wrote,
// and every message the library sent. It also does the host's half of each
// protocol: it prints a test picture on 0x912, copies a grabbed frame on
// 0x913, and reads back the test script, the tag list and the exchange file.
#include "host.h"

#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace w95host {

namespace {

// Menu commands.
enum : UINT {
  kExplorerSave24 = 100,
  kExplorerSaveShow,
  kExplorerConvert,
  kExplorerMove,
  kExplorerAdd,
  kExplorerOpenShow,
  kExplorerRestricted,
  kWinOpen = 200,
  kWinOpenPlaced,
  kWinUpdate,
  kWinHide,
  kWinClose,
  kEditorNew = 300,
  kEditorOpen,
  kVideoPlay = 400,
  kVideoPlayMode1,
  kVideoPlayMode2,
  kVideoStatus,
  kVideoClose,
  kPrint640 = 500,
  kPrintNoEnhance,
  kPrintCheck,
  kPrintEnd,
  kLongName = 600,
  kFreeMem,
  kFlush,
  kClearLog,
};

// Posted to ourselves: end the print job once the 0x912 handler has returned.
constexpr UINT kMsgEndPrint = WM_APP + 1;

Host* theHost = nullptr;
HWND logPane = nullptr;
bool restricted = false;
std::vector<std::string> received;

void Log(const std::string& line) {
  if (!logPane) return;
  const int end = GetWindowTextLengthA(logPane);
  SendMessageA(logPane, EM_SETSEL, end, end);
  const std::string text = line + "\r\n";
  SendMessageA(logPane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void LogKeys(std::initializer_list<const char*> keys) {
  std::string line = "    keys:";
  for (const char* k : keys) line += std::string(" ") + k + "=" + ReadKey(k);
  Log(line);
}

// The list a library window left in the exchange file.
void LogExchangeFile() {
  const std::string file = ReadKey(W95_KEY_EXCHANGE_FILE);
  if (file == "(absent)") return;
  char buf[MAX_PATH] = "";
  GetPrivateProfileStringA("Directory", "Files", "0", buf, sizeof buf, file.c_str());
  const int n = atoi(buf);
  GetPrivateProfileStringA("Directory", "Name", "", buf, sizeof buf, file.c_str());
  Log("    exchange file " + file + ": " + std::to_string(n) + " file(s) in " + buf);
  for (int i = 1; i <= n && i <= 20; ++i) {
    GetPrivateProfileStringA(std::to_string(i).c_str(), "F", "", buf, sizeof buf, file.c_str());
    Log(std::string("      ") + buf);
  }
}

std::string ChooseFile(HWND owner, const char* filter) {
  char name[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  return GetOpenFileNameA(&ofn) ? name : "";
}

std::string AppDir() {
  char dir[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, dir, sizeof dir);
  std::string s = dir;
  return s.substr(0, s.rfind('\\') + 1);
}

void RunExplorer(LONG kind) {
  auto remoteDlg = theHost->Export<W95_PFN_RemoteDlg95>("RemoteDlg95");
  if (!remoteDlg) return;
  WriteKey(W95_KEY_SAVE_AS, "C:\\Picture.bmp");
  const LONG r = remoteDlg(kind, restricted ? 1 : 0);
  Log("RemoteDlg95(" + std::to_string(kind) + ", " + (restricted ? "1" : "0") + ") -> " +
      std::to_string(r));
  LogKeys({"Savename", W95_KEY_LONG_NAME, W95_KEY_SAVE_PATH, W95_KEY_SAVE_EXT, W95_KEY_MULTI_BPP,
           W95_KEY_LAST_DIR});
  if (kind == W95_KIND_ADD_SLIDES && r != -1) LogExchangeFile();
}

void RunEditor(const std::string& script) {
  auto editor = theHost->Export<W95_PFN_EditorWin95>("EditorWin95");
  if (!editor) return;
  WriteKey(W95_KEY_SCRIPT, script);
  WriteKey(W95_KEY_TEST_SCRIPT, AppDir() + "test.avl");
  WriteKey(W95_KEY_APP_DIR, AppDir());
  const LONG r = editor();
  Log("EditorWin95() with AVLFIL=" + script + " -> " + std::to_string(r));
  switch (r) {
    case W95_EDITOR_PLAY_TEST: {
      const std::string test = ReadKey(W95_KEY_TEST_SCRIPT);
      char buf[64] = "";
      GetPrivateProfileStringA("Slideshow", "Slides", "?", buf, sizeof buf, test.c_str());
      Log("    play the test script " + test + " (" + buf + " slides)");
      break;
    }
    case W95_EDITOR_BUILD_THUMBS: {
      const int built = BuildThumbnails(ReadKey(W95_KEY_SCRIPT_NOW), AppDir());
      Log("    built " + std::to_string(built) + " thumbnail(s) of " + ReadKey(W95_KEY_SCRIPT_NOW) +
          " in " + AppDir());
      break;
    }
    case W95_EDITOR_SHOW_TAGGED: {
      const std::vector<std::string> slides = TaggedSlides(AppDir());
      Log("    show the " + std::to_string(slides.size()) + " tagged slide(s) of " + AppDir() +
          W95_TAG_LIST);
      for (size_t i = 0; i < slides.size() && i < 20; ++i) Log("      " + slides[i]);
      break;
    }
    default:
      break;
  }
}

void RunVideo(HWND self, LONG mode) {
  auto player = theHost->Export<W95_PFN_VideoWinPlayer95>("VideoWinPlayer95");
  if (!player) return;
  const std::string file = ChooseFile(self, "Video (*.avi)\0*.avi\0All files\0*.*\0");
  if (file.empty()) return;
  char shortName[MAX_PATH] = "";
  GetShortPathNameA(file.c_str(), shortName, sizeof shortName);
  WriteKey(W95_KEY_SAVE_NAME, shortName);
  const LONG r = player(self, mode, 0);
  Log("VideoWinPlayer95(host, " + std::to_string(mode) + ", 0) on " + file + " -> " +
      std::to_string(r));
}

// The fourth argument switches enhancement off when it is greater than 0.
void RunPrint(HWND self, LONG noEnhance) {
  auto print = theHost->Export<W95_PFN_PrintDlg95>("PrintDlg95");
  if (!print) return;
  WriteKey(W95_KEY_PREVIEW_BMP, "");
  print(self, 640, 480, noEnhance);
  Log("PrintDlg95(host, 640, 480, " + std::to_string(noEnhance) + ")");
}

// 0x912: the document and page are open on `dc`; draw a test picture into
// the rectangle of the keys, then end the job once this handler returned.
void PrintTestPicture(HWND self, HDC dc) {
  const int l = atoi(ReadKey(W95_KEY_IMAGE_LEFT).c_str());
  const int t = atoi(ReadKey(W95_KEY_IMAGE_TOP).c_str());
  const int w = atoi(ReadKey(W95_KEY_IMAGE_WIDTH).c_str());
  const int h = atoi(ReadKey(W95_KEY_IMAGE_HEIGHT).c_str());
  Log("0x912 print ready: DC " + std::to_string(reinterpret_cast<UINT_PTR>(dc)));
  LogKeys({W95_KEY_IMAGE_LEFT, W95_KEY_IMAGE_TOP, W95_KEY_IMAGE_WIDTH, W95_KEY_IMAGE_HEIGHT,
           W95_KEY_PRINT_ENHANCE, W95_KEY_PRINT_COLOUR, W95_KEY_PRINT_DITHER});
  for (int band = 0; band < 8; ++band) {
    HBRUSH b = CreateSolidBrush(RGB(band * 32, 255 - band * 32, 128));
    RECT r{l + w * band / 8, t, l + w * (band + 1) / 8, t + h};
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  PostMessageA(self, kMsgEndPrint, 0, 0);
}

// 0x913: the frame lies on the video window's DC at the keys' rectangle.
void CopyGrabbedFrame(HDC dc) {
  const int l = atoi(ReadKey(W95_KEY_IMAGE_LEFT).c_str());
  const int t = atoi(ReadKey(W95_KEY_IMAGE_TOP).c_str());
  const int w = atoi(ReadKey(W95_KEY_IMAGE_WIDTH).c_str());
  const int h = atoi(ReadKey(W95_KEY_IMAGE_HEIGHT).c_str());
  Log("0x913 grab frame: " + std::to_string(w) + " x " + std::to_string(h) + " at " +
      std::to_string(l) + ", " + std::to_string(t));
  if (w <= 0 || h <= 0) return;
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, dc, l, t, SRCCOPY);
  SelectObject(mem, old);
  // The host would now keep or save the picture; this one shows it was taken.
  BITMAP info{};
  GetObjectA(bmp, sizeof info, &info);
  Log("    copied into a " + std::to_string(info.bmWidth) + " x " + std::to_string(info.bmHeight) +
      " bitmap");
  DeleteObject(bmp);
  DeleteDC(mem);
}

const char* RequestName(LPARAM code) {
  switch (code) {
    case W95_REQ_INFO:
      return "file information";
    case W95_REQ_PREVIEW:
      return "preview";
    case W95_REQ_DELETED:
      return "after a delete";
    case W95_REQ_SLIDESHOW:
      return "instant slideshow";
    case W95_REQ_CONVERT:
      return "batch conversion";
    case W95_REQ_ONE_FILE:
      return "one file chosen";
    case W95_REQ_SEVERAL_FILES:
      return "several files chosen";
    default:
      return "unknown request";
  }
}

void Command(HWND self, UINT id) {
  auto call0 = [](const char* name) {
    if (auto f = theHost->Export<void(WINAPI*)()>(name)) {
      f();
      Log(std::string(name) + "()");
    }
  };
  switch (id) {
    case kExplorerSave24:
      RunExplorer(24);
      break;
    case kExplorerSaveShow:
      RunExplorer(W95_KIND_SAVE_SLIDESHOW);
      break;
    case kExplorerConvert:
      RunExplorer(108);
      break;
    case kExplorerMove:
      RunExplorer(W95_KIND_MOVE_FILE);
      break;
    case kExplorerAdd:
      RunExplorer(W95_KIND_ADD_SLIDES);
      break;
    case kExplorerOpenShow:
      RunExplorer(W95_KIND_OPEN_SLIDESHOW);
      break;
    case kExplorerRestricted:
      restricted = !restricted;
      CheckMenuItem(GetMenu(self), kExplorerRestricted, restricted ? MF_CHECKED : MF_UNCHECKED);
      break;
    case kWinOpen:
    case kWinOpenPlaced:
      if (auto win = theHost->Export<W95_PFN_RemoteWin95>("RemoteWin95")) {
        win(self, id == kWinOpenPlaced ? 1 : 0);
        Log(std::string("RemoteWin95(host, ") + (id == kWinOpenPlaced ? "1" : "0") + ")");
      }
      break;
    case kWinUpdate:
      call0("RemoteWinUpdate95");
      break;
    case kWinHide:
      call0("RemoteWinHide95");
      break;
    case kWinClose:
      call0("RemoteWinClose95");
      break;
    case kEditorNew:
      RunEditor("*");
      break;
    case kEditorOpen: {
      const std::string script = ChooseFile(self, "Slide scripts (*.avl)\0*.avl\0");
      if (!script.empty()) RunEditor(script);
      break;
    }
    case kVideoPlay:
      RunVideo(self, 0);
      break;
    case kVideoPlayMode1:
      RunVideo(self, 1);
      break;
    case kVideoPlayMode2:
      RunVideo(self, 2);
      break;
    case kVideoStatus:
      if (auto status = theHost->Export<W95_PFN_VideoWinStatus95>("VideoWinStatus95"))
        Log("VideoWinStatus95() -> " + std::to_string(status()));
      break;
    case kVideoClose:
      call0("VideoWinClose95");
      break;
    case kPrint640:
      RunPrint(self, 0);
      break;
    case kPrintNoEnhance:
      RunPrint(self, 1);
      break;
    case kPrintCheck:
      if (auto check = theHost->Export<W95_PFN_PrintCheck95>("PrintCheck95"))
        Log("PrintCheck95() -> " + std::to_string(check()));
      break;
    case kPrintEnd:
      call0("PrintEnd95");
      break;
    case kLongName: {
      const std::string file = ChooseFile(self, "All files\0*.*\0");
      if (file.empty()) break;
      char shortName[MAX_PATH] = "";
      GetShortPathNameA(file.c_str(), shortName, sizeof shortName);
      WriteKey(W95_KEY_SAVE_NAME, shortName);
      call0("ShortToLongName95");
      LogKeys({W95_KEY_SAVE_NAME, W95_KEY_LONG_NAME});
      break;
    }
    case kFreeMem:
      if (auto f = theHost->Export<W95_PFN_GetFreePageMem95>("GetFreePageMem95"))
        Log("GetFreePageMem95() -> " + std::to_string(f()));
      break;
    case kFlush:
      if (auto f = theHost->Export<W95_PFN_GDIflush95>("GDIflush95"))
        Log("GDIflush95() -> " + std::to_string(f()));
      break;
    case kClearLog:
      SetWindowTextA(logPane, "");
      break;
    default:
      break;
  }
}

LRESULT CALLBACK HostProc(HWND self, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      MoveWindow(logPane, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_COMMAND:
      if (lp == 0) Command(self, LOWORD(wp));
      return 0;
    case W95_MSG_EXPLORER:
      received.push_back("0x911 " + std::to_string(lp));
      Log("0x911 from the explorer window: " + std::to_string(lp) + " (" + RequestName(lp) + ")");
      LogKeys({"Savename", W95_KEY_LONG_NAME});
      if (lp == W95_REQ_SEVERAL_FILES || lp == W95_REQ_CONVERT || lp == W95_REQ_SLIDESHOW)
        LogExchangeFile();
      return 0;
    case W95_MSG_PRINT_READY:
      received.push_back("0x912");
      PrintTestPicture(self, reinterpret_cast<HDC>(lp));
      return 0;
    case kMsgEndPrint:
      if (auto end = theHost->Export<W95_PFN_PrintEnd95>("PrintEnd95")) {
        end();
        Log("PrintEnd95(): the page is printed");
      }
      return 0;
    case W95_MSG_GRAB_FRAME:
      received.push_back("0x913");
      CopyGrabbedFrame(reinterpret_cast<HDC>(lp));
      return 0;
    case W95_MSG_VIDEO_CLOSED:
      received.push_back("0x905");
      Log("0x905: the video window has closed");
      return 0;
    case WM_CLOSE:
      // Modeless windows of the library are closed before it is unloaded.
      for (const char* close : {"RemoteWinClose95", "VideoWinClose95"})
        if (auto f = theHost->library->Export<void(WINAPI*)()>(close)) f();
      if (auto check = theHost->Export<W95_PFN_PrintCheck95>("PrintCheck95"))
        if (check())
          if (auto end = theHost->Export<W95_PFN_PrintEnd95>("PrintEnd95")) end();
      DestroyWindow(self);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(self, msg, wp, lp);
  }
}

HMENU BuildMenu() {
  HMENU bar = CreateMenu();
  auto popup = [&](const char* title, std::initializer_list<std::pair<UINT, const char*>> items) {
    HMENU m = CreatePopupMenu();
    for (const auto& [id, text] : items) AppendMenuA(m, id ? MF_STRING : MF_SEPARATOR, id, text);
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m), title);
  };
  popup("&Explorer", {{kExplorerSave24, "&Save picture at 24 bits (kind 24)"},
                      {kExplorerSaveShow, "Save &slideshow (kind 0)"},
                      {kExplorerConvert, "&Convert files (kind 108)"},
                      {kExplorerMove, "&Move file (kind 102)"},
                      {kExplorerAdd, "&Add slides (kind 253)"},
                      {kExplorerOpenShow, "&Open slideshow (kind 254)"},
                      {0, nullptr},
                      {kExplorerRestricted, "&Restricted formats"},
                      {0, nullptr},
                      {kWinOpen, "Explorer &window"},
                      {kWinOpenPlaced, "Explorer window at its stored &place"},
                      {kWinUpdate, "&Update window"},
                      {kWinHide, "&Hide window"},
                      {kWinClose, "C&lose window"}});
  popup("E&ditor", {{kEditorNew, "&New slideshow"}, {kEditorOpen, "&Open slideshow..."}});
  popup("&Video", {{kVideoPlay, "&Play a file..."},
                   {kVideoPlayMode1, "Play in host mode &1..."},
                   {kVideoPlayMode2, "Play in host mode &2..."},
                   {kVideoStatus, "&Status"},
                   {kVideoClose, "&Close"}});
  popup("&Print", {{kPrint640, "&Print setup for 640 x 480"},
                   {kPrintNoEnhance, "Print setup, &no enhancement"},
                   {kPrintCheck, "&Check"},
                   {kPrintEnd, "&End job"}});
  popup("&Services", {{kLongName, "&Long name of a file..."},
                      {kFreeMem, "&Free paging memory"},
                      {kFlush, "&GDI flush"},
                      {0, nullptr},
                      {kClearLog, "&Clear log"}});
  return bar;
}

}  // namespace

void HostLog(const std::string& line) { Log(line); }

const std::vector<std::string>& HostMessages() { return received; }

HWND CreateHostWindow(Host& host) {
  theHost = &host;
  WNDCLASSA wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "PlimboSampleHost";
  RegisterClassA(&wc);
  HWND self = CreateWindowA(wc.lpszClassName, "Plimbo sample host", WS_OVERLAPPEDWINDOW, 20, 20,
                            720, 480, nullptr, BuildMenu(), wc.hInstance, nullptr);
  logPane = CreateWindowExA(
      WS_EX_CLIENTEDGE, "EDIT", "",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0, 0,
      self, nullptr, wc.hInstance, nullptr);
  SendMessageA(logPane, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)),
               FALSE);
  ShowWindow(self, SW_SHOW);
  return self;
}

int HostWindow(Host& host, const Args&) {
  CreateHostWindow(host);
  Log("Choose a window of the library from the menu; what each call returns and writes,");
  Log("and every message the library sends, appear here.");
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  logPane = nullptr;
  return 0;
}

}  // namespace w95host
