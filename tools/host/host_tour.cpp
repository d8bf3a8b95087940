// "tour DIR": opens every window of the library through the real DLL, acts
// in it as a person would, photographs each step into DIR (NN-name.bmp) and
// writes DIR\tour.txt, one line per step: picture, the window's rectangle on
// it, window, what was done, what the host received (tab-separated). scripts/run-host.sh turns that
// into build/tour/index.html and a contact sheet.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "avi_writer.h"
#include "file_printer.h"
#include "host.h"
#include "tour_driver.h"
#include "wine_keys.h"

namespace w95host {

namespace {

using tour::Step;

struct TourLog {
  std::string dir;
  int shots = 0;
  int faults = 0;
  FILE* lines = nullptr;

  // Photographs the screen now; returns the picture's file name followed by
  // a tab and the rectangle of `window` on it (WxH+X+Y), for cropping.
  std::string Shot(const std::string& name, HWND window, HWND also = nullptr) {
    tour::Pump(150);  // let the last changes paint
    char file[128];
    std::snprintf(file, sizeof file, "%02d-%s.bmp", ++shots, name.c_str());
    if (!tour::SaveScreen(dir + "\\" + file)) {
      std::printf("  !! could not save the screenshot %s\n", file);
      ++faults;
    }
    RECT r{}, r2{};
    GetWindowRect(window, &r);
    if (also && GetWindowRect(also, &r2)) UnionRect(&r, &r, &r2);
    char crop[64];
    std::snprintf(crop, sizeof crop, "\t%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top,
                  r.left, r.top);
    return file + std::string(crop);
  }
  // One line of tour.txt: picture, crop, window, what was done, what the host received.
  void Line(const std::string& picture, const std::string& window, const std::string& did,
            const std::string& received) {
    if (lines)
      std::fprintf(lines, "%s\t%s\t%s\t%s\n", picture.c_str(), window.c_str(), did.c_str(),
                   received.c_str());
    HostLog(window + ": " + did);
    HostLog("    " + received);
  }
  // One line of the summary; a fault when `ok` is false.
  void Summary(const std::string& window, bool ok, const std::string& text) {
    std::printf("  %-22s %s %s\n", window.c_str(), ok ? "ok  " : "FAIL", text.c_str());
    if (!ok) ++faults;
  }
  void Missing(const tour::Outcome& o, const std::string& window) {
    for (const auto& m : o.missing) Summary(window, false, "window \"" + m + "\" did not appear");
  }
};

// A small picture file of our own: a w x h gradient, 24 bits.
void WriteBitmap(const std::string& path, int w, int h, int r, int g, int b) {
  const int stride = (w * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
      p[0] = static_cast<unsigned char>(b * x / w);
      p[1] = static_cast<unsigned char>(g * y / h);
      p[2] = static_cast<unsigned char>(r * (x + y) / (w + h));
    }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info, sizeof info, 1, f);
    std::fwrite(pixels.data(), pixels.size(), 1, f);
    std::fclose(f);
  }
}

std::string ShortOf(const std::string& path) {
  char buf[MAX_PATH] = "";
  return GetShortPathNameA(path.c_str(), buf, sizeof buf) ? buf : path;
}

const char kRoot[] = "C:\\PlimboTour";
const char kPictures[] = "C:\\PlimboTour\\Pictures";
const char kClip[] = "C:\\PlimboTour\\Harbour Clip.avi";  // 8-bit palettised, 2 s

void MakeMaterial() {
  CreateDirectoryA(kRoot, nullptr);
  CreateDirectoryA(kPictures, nullptr);
  CreateDirectoryA("C:\\PlimboTour\\Shows", nullptr);
  const struct {
    const char* name;
    int r, g, b;
  } pictures[] = {{"Harbour at Dawn.bmp", 255, 160, 60},
                  {"forest.bmp", 40, 200, 80},
                  {"Lake in Winter.bmp", 80, 140, 255},
                  {"portrait.bmp", 220, 90, 160}};
  for (const auto& p : pictures)
    WriteBitmap(std::string(kPictures) + "\\" + p.name, 160, 120, p.r, p.g, p.b);
  WriteKey(W95_KEY_EXCHANGE_FILE, std::string(kRoot) + "\\plimbo.tmp");
  video_wine::WriteAvi(kClip, 160, 120, 24, 12);
}

// The visible glyph buttons (buttons without a caption) of a window, from
// left to right.
std::vector<HWND> GlyphButtons(HWND window) {
  std::vector<std::pair<LONG, HWND>> found;
  for (HWND h : wine_windows::Descendants(window)) {
    char text[8] = "";
    GetWindowTextA(h, text, sizeof text);
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof cls);
    RECT r;
    GetWindowRect(h, &r);
    if (_stricmp(cls, "Button") == 0 && !text[0] && IsWindowVisible(h))
      found.push_back({r.left, h});
  }
  std::sort(found.begin(), found.end());
  std::vector<HWND> out;
  for (const auto& f : found) out.push_back(f.second);
  return out;
}

// Clicks a button as it tells its parent of a click (BM_CLICK needs the
// window active).
void PressButton(HWND button) {
  if (button)
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

// A static text of the window that reads exactly `text`.
HWND StaticWithText(HWND window, const std::string& text) {
  for (HWND h : wine_windows::Descendants(window))
    if (tour::ClassOf(h) == "Static" && tour::TextOf(h) == text && IsWindowVisible(h)) return h;
  return nullptr;
}

// The explorer dialog: saving a picture at 24 bits per pixel, then adding
// slides, as the viewer and the slide editor call it.
void ExplorerDialog(Host& host, TourLog& log) {
  auto remoteDlg = host.Export<W95_PFN_RemoteDlg95>("RemoteDlg95");
  if (!remoteDlg) return;

  WriteKey(W95_KEY_SAVE_PATH, ShortOf(kPictures) + "\\");
  std::string picture, compression;
  LONG result = 0;
  auto outcome = tour::Play({{"Save File",
                              [&](HWND d) {
                                tour::SetEditText(d, "Sunset");
                                picture = log.Shot("explorer-save", d);
                              }},
                             // The JPEG compression button, the rightmost glyph of the top row.
                             {"Save File",
                              [](HWND d) {
                                const auto glyphs = GlyphButtons(d);
                                if (!glyphs.empty()) PressButton(glyphs.back());
                              }},
                             {"Compression Setting",
                              [&](HWND c) {
                                compression = log.Shot("explorer-compression", c);
                                tour::Click(c, "Cancel");
                              }},
                             {"Save File", [](HWND d) { tour::Click(d, "&Save"); }}},
                            [&] { result = remoteDlg(24, 0); });
  log.Missing(outcome, "explorer dialog");
  const std::string saved = ReadKey(W95_KEY_LONG_NAME);
  log.Line(picture, "Explorer dialog, save at 24 bits (RemoteDlg95(24, 0))",
           "typed \"Sunset\" and pressed Save",
           "result " + std::to_string(result) + ", Savename=" + ReadKey("Savename") +
               ", LongName=" + saved + ", SaveExt=" + ReadKey(W95_KEY_SAVE_EXT));
  log.Line(compression, "Compression setting (the JPEG button of the save dialog)",
           "pressed the JPEG compression button, then Cancel", "nothing: the settings stay");
  log.Summary(
      "explorer dialog",
      outcome.missing.empty() && result >= 0 && saved == "Sunset.JPG" && !compression.empty(),
      "save at 24 bits: format code " + std::to_string(result) + ", " + saved +
          ", compression dialog shown");

  WriteKey(W95_KEY_LAST_DIR, std::string(kPictures) + "\\");
  outcome =
      tour::Play({{"Add Multiple Slides",
                   [&](HWND d) {
                     if (HWND list = tour::Child(d, "ListBox")) {
                       SendMessageA(list, LB_SETSEL, TRUE, -1);  // marks every picture
                       SendMessageA(d, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                                    reinterpret_cast<LPARAM>(list));
                     }
                     picture = log.Shot("explorer-add", d);
                   }},
                  {"Add Multiple Slides", [](HWND d) { tour::Click(d, "&Open"); }}},
                 [&] { result = remoteDlg(253, 0); });
  log.Missing(outcome, "explorer dialog");
  char count[16] = "";
  const std::string exchange = std::string(kRoot) + "\\plimbo.tmp";
  GetPrivateProfileStringA("Directory", "Files", "0", count, sizeof count, exchange.c_str());
  log.Line(picture, "Explorer dialog, add slides (RemoteDlg95(253, 0))",
           "marked every picture and pressed Open",
           "result " + std::to_string(result) + ", exchange file lists " + count + " files");
  log.Summary("explorer dialog",
              outcome.missing.empty() && result == 0 && std::string(count) == "4",
              std::string("add slides: ") + count + " files in the exchange file");
}

// Marks entry `index` of the file list (all entries for -1) as a click would.
void MarkEntries(HWND window, int index) {
  HWND list = tour::Child(window, "ListBox");
  if (!list) return;
  if (index >= 0) SendMessageA(list, LB_SETSEL, FALSE, -1);
  SendMessageA(list, LB_SETSEL, TRUE, index);
  SendMessageA(list, LB_SETCARETINDEX, index < 0 ? 0 : index, FALSE);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// The index of the first list entry that is a file ("name.ext", not "sub\").
int FirstFile(HWND window) {
  HWND list = tour::Child(window, "ListBox");
  const int n = list ? static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) : 0;
  for (int i = 0; i < n; ++i) {
    char text[MAX_PATH] = "";
    if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < MAX_PATH)
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    if (text[0] && text[std::char_traits<char>::length(text) - 1] != '\\') return i;
  }
  return 0;
}

// The leftmost glyph button of the top row (the view's switch in the window).
void ClickViewButton(HWND window) {
  HWND best = nullptr;
  LONG left = 0;
  for (HWND h : wine_windows::Descendants(window)) {
    char text[8] = "";
    GetWindowTextA(h, text, sizeof text);
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof cls);
    RECT r;
    GetWindowRect(h, &r);
    if (_stricmp(cls, "Button") != 0 || text[0] || !IsWindowVisible(h) || (best && r.left >= left))
      continue;
    best = h;
    left = r.left;
  }
  // As the button tells its parent of a click (BM_CLICK needs the window active).
  if (best)
    PostMessageA(GetParent(best), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(best), BN_CLICKED),
                 reinterpret_cast<LPARAM>(best));
}

// A click on a title of the details view's header.
void ClickColumn(HWND window, int column) {
  HWND header = tour::Child(window, "SysHeader32");
  if (!header) return;
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(header, WM_LBUTTONUP, 0, at);
}

bool Received(size_t from, const std::string& message) {
  const auto& all = HostMessages();
  for (size_t i = from; i < all.size(); ++i)
    if (all[i] == message) return true;
  return false;
}

// The explorer window beside the host: the user opens one picture, then all
// of them; each time the host hears of it through 0x911.
void ExplorerWindow(Host& host, TourLog& log, HWND hostWindow) {
  auto open = host.Export<W95_PFN_RemoteWin95>("RemoteWin95");
  auto close = host.Export<W95_PFN_RemoteWinClose95>("RemoteWinClose95");
  if (!open || !close) return;
  WriteKey(W95_KEY_LAST_DIR, std::string(kPictures) + "\\");
  const size_t before = HostMessages().size();
  std::string first, all, details, preview;
  bool pane = false;
  auto outcome =
      tour::Play({{"Plimbo Explorer",
                   [&](HWND w) {
                     MarkEntries(w, FirstFile(w));
                     first = log.Shot("explorer-window", w);
                   }},
                  {"Plimbo Explorer", [](HWND w) { tour::Click(w, "&Open"); }},
                  {"Plimbo Explorer",
                   [&](HWND w) {
                     MarkEntries(w, -1);
                     all = log.Shot("explorer-window-all", w);
                   }},
                  {"Plimbo Explorer", [](HWND w) { tour::Click(w, "&Open"); }},
                  // The details view, sorted by size, largest first.
                  {"Plimbo Explorer", [](HWND w) { ClickViewButton(w); }},
                  {"Plimbo Explorer", [](HWND w) { ClickColumn(w, 1); }},
                  {"Plimbo Explorer", [](HWND w) { ClickColumn(w, 1); }},
                  {"Plimbo Explorer",
                   [&](HWND w) {
                     MarkEntries(w, FirstFile(w));
                     details = log.Shot("explorer-window-details", w);
                   }},
                  // The picture pane, from the view menu of the
                  // menu button (the third glyph from the left).
                  {"Plimbo Explorer",
                   [](HWND w) {
                     const auto glyphs = GlyphButtons(w);
                     if (glyphs.size() > 2) PressButton(glyphs[2]);
                   }},
                  {tour::kPopupMenu, [](HWND m) { tour::ChooseMenuItem(m, "Picture pa&ne"); }},
                  {"Plimbo Explorer",
                   [&](HWND w) {
                     MarkEntries(w, FirstFile(w));
                     // The picture is decoded once the selection rests.
                     for (int i = 0; i < 100 && !StaticWithText(w, "160 x 120 pixels"); ++i)
                       tour::Pump(50);
                     pane = StaticWithText(w, "160 x 120 pixels") != nullptr;
                     preview = log.Shot("explorer-window-preview", w);
                   }},
                  {"Plimbo Explorer", [](HWND) {}}},
                 [&] { open(hostWindow, 0); });
  log.Missing(outcome, "explorer window");
  const bool one = Received(before, "0x911 " + std::to_string(W95_REQ_ONE_FILE));
  const bool several = Received(before, "0x911 " + std::to_string(W95_REQ_SEVERAL_FILES));
  log.Line(
      first, "Explorer window (RemoteWin95(host, 0))", "chose one picture and pressed Open",
      one ? "0x911 with 2313 (one file), LongName=" + ReadKey(W95_KEY_LONG_NAME) : "no 0x911 2313");
  log.Line(all, "Explorer window", "marked every picture and pressed Open",
           several ? "0x911 with 2320 (several files) and the exchange file" : "no 0x911 2320");
  const bool bySize =
      ReadKey("ExpView") == "1" && ReadKey("ExpSort") == "1" && ReadKey("ExpSortDesc") == "1";
  log.Line(details, "Explorer window, details view",
           "pressed the view button, then clicked the Size title twice",
           bySize ? "ExpView=1, ExpSort=1, ExpSortDesc=1" : "the view or sort was not remembered");
  const bool paneKept = ReadKey("ExpPreview") == "1";
  log.Line(preview, "Explorer window, picture pane",
           "chose \"Picture pane\" in the view menu and picked a picture",
           pane ? std::string("the pane shows the picture, 160 x 120 pixels") +
                      (paneKept ? ", ExpPreview=1" : ", ExpPreview NOT written")
                : "the pane did not show the picture's size");
  // The rest of the tour shows the list as it always was.
  for (const char* key : {"ExpView", "ExpSort", "ExpSortDesc", "ExpPreview"})
    WritePrivateProfileStringA(kSection, key, nullptr, kIni);
  close();
  tour::Pump(200);
  const bool closed = tour::FindWindowStarting("Plimbo Explorer") == nullptr;
  log.Summary("explorer window",
              outcome.missing.empty() && one && several && closed && bySize && pane && paneKept,
              std::string("requests 2313 and 2320 received, picture pane shown") +
                  (closed ? ", closed by the host" : ", NOT closed"));
}

// The slide editor on a new script: four pictures added through the nested
// explorer, then Test hands the script to the host (result -1).
void SlideEditor(Host& host, TourLog& log) {
  auto editor = host.Export<W95_PFN_EditorWin95>("EditorWin95");
  if (!editor) return;
  const std::string test = std::string(kRoot) + "\\test.avl";
  DeleteFileA(test.c_str());
  WriteKey(W95_KEY_SCRIPT, "*");
  WriteKey(W95_KEY_TEST_SCRIPT, test);
  WriteKey(W95_KEY_APP_DIR, std::string(kRoot) + "\\");
  WriteKey(W95_KEY_LAST_DIR, std::string(kPictures) + "\\");
  std::string adding, filled;
  LONG result = 0;
  auto outcome = tour::Play({{"Plimbo Slide Editor", [](HWND e) { tour::Click(e, "&Add"); }},
                             {"Add Multiple Slides",
                              [&](HWND d) {
                                MarkEntries(d, -1);
                                adding = log.Shot("editor-add", d);
                              }},
                             {"Add Multiple Slides", [](HWND d) { tour::Click(d, "&Open"); }},
                             {"Plimbo Slide Editor",
                              [&](HWND e) {
                                filled = log.Shot("editor", e);
                                tour::Click(e, "&Test");
                              }}},
                            [&] { result = editor(); });
  log.Missing(outcome, "slide editor");
  // Slides are the numbered sections [1] ... of the script.
  int count = 0;
  for (char f[MAX_PATH]; count < 100; ++count)
    if (!GetPrivateProfileStringA(std::to_string(count + 1).c_str(), "F", "", f, sizeof f,
                                  test.c_str()))
      break;
  const std::string slides = std::to_string(count);
  log.Line(adding, "Slide editor (EditorWin95()), Add",
           "marked every picture in the nested explorer",
           "the explorer's list came back to the editor");
  log.Line(filled, "Slide editor", "pressed Test",
           "result " + std::to_string(result) + ", the test script " + test + " holds " + slides +
               " slides");
  log.Summary("slide editor", outcome.missing.empty() && result == -1 && count == 4,
              slides + " slides added, Test returned " + std::to_string(result) +
                  " with the script for the host");
}

// The editor's grid: the tallest of the library's windows with a sunken edge.
BOOL CALLBACK MatchGrid(HWND h, LPARAM p) {
  HWND& best = *reinterpret_cast<HWND*>(p);
  if (!IsWindowVisible(h) || tour::ClassOf(h) != "W95Window" ||
      !(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE))
    return TRUE;
  RECT a{}, b{};
  GetWindowRect(h, &a);
  if (best) GetWindowRect(best, &b);
  if (!best || a.bottom - a.top > b.bottom - b.top) best = h;
  return TRUE;
}

// Clicks the editor's second tab; returns where the grid was, which the
// thumbnail page then covers.
RECT ShowThumbnailPage(HWND editor) {
  RECT grid{};
  HWND g = nullptr;
  EnumChildWindows(editor, MatchGrid, reinterpret_cast<LPARAM>(&g));
  if (g) GetWindowRect(g, &grid);
  if (HWND tabs = tour::Child(editor, "SysTabControl32")) {
    RECT r{};
    SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tabs, WM_LBUTTONUP, 0, at);
  }
  return grid;
}

// A click on thumbnail `cell` of the first row (cells are 74 pixels wide).
void ClickThumbnail(const RECT& page, int cell) {
  HWND image = WindowFromPoint(POINT{page.left + 40, page.top + 40});
  if (!image) return;
  const LPARAM at = MAKELPARAM(cell * 74 + 36, 36);
  SendMessageA(image, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(image, WM_LBUTTONUP, 0, at);
}

// The slide editor's thumbnails: the test script becomes a saved slideshow
// through Update (result 1), the host makes its thumbnails, the editor shows
// them; two slides tagged and View hands them over (result 2).
void SlideEditorThumbnails(Host& host, TourLog& log) {
  auto editor = host.Export<W95_PFN_EditorWin95>("EditorWin95");
  if (!editor) return;
  const std::string appDir = std::string(kRoot) + "\\";
  const std::string show = std::string(kRoot) + "\\Shows\\Harbour Show.avl";
  DeleteFileA(show.c_str());
  DeleteFileA((appDir + W95_TAG_LIST).c_str());
  WriteKey(W95_KEY_SCRIPT, std::string(kRoot) + "\\test.avl");
  WriteKey(W95_KEY_SAVE_PATH, ShortOf(std::string(kRoot) + "\\Shows") + "\\");
  std::string saving;
  LONG result = 0;
  auto outcome = tour::Play({{"Plimbo Slide Editor", [](HWND e) { ShowThumbnailPage(e); }},
                             {"Plimbo Slide Editor", [](HWND e) { tour::Click(e, "&Update"); }},
                             {"Save File",
                              [&](HWND d) {
                                tour::SetEditText(d, "Harbour Show");
                                saving = log.Shot("editor-update-save", d);
                              }},
                             {"Save File", [](HWND d) { tour::Click(d, "&Save"); }}},
                            [&] { result = editor(); });
  log.Missing(outcome, "slide editor");
  const std::string saved = ReadKey(W95_KEY_SCRIPT_NOW);
  const int built = result == W95_EDITOR_BUILD_THUMBS ? BuildThumbnails(saved, appDir) : 0;
  log.Line(saving, "Slide editor, Update (EditorWin95())",
           "opened the test script, pressed Update and saved it as \"Harbour Show\"",
           "result " + std::to_string(result) + ", AVLNOW=" + saved + "; the host built " +
               std::to_string(built) + " thumbnails");

  WriteKey(W95_KEY_SCRIPT, saved);
  RECT page{};
  std::string thumbs, tagged;
  LONG viewed = 0;
  auto second = tour::Play(
      {{"Plimbo Slide Editor", [&](HWND e) { page = ShowThumbnailPage(e); }},
       {"Plimbo Slide Editor", [&](HWND e) { thumbs = log.Shot("editor-thumbnails", e); }},
       {"Plimbo Slide Editor", [&](HWND) { ClickThumbnail(page, 0); }},
       {"Plimbo Slide Editor", [](HWND e) { tour::Click(e, "&Tag"); }},
       {"Plimbo Slide Editor", [&](HWND) { ClickThumbnail(page, 2); }},
       {"Plimbo Slide Editor", [](HWND e) { tour::Click(e, "&Tag"); }},
       {"Plimbo Slide Editor", [&](HWND e) { tagged = log.Shot("editor-tagged", e); }},
       {"Plimbo Slide Editor", [](HWND e) { tour::Click(e, "Vie&w"); }}},
      [&] { viewed = editor(); });
  log.Missing(second, "slide editor");
  const auto tags =
      viewed == W95_EDITOR_SHOW_TAGGED ? TaggedSlides(appDir) : std::vector<std::string>{};
  std::string names;
  for (const auto& t : tags)
    names += (names.empty() ? "" : ", ") + t.substr(t.find_last_of('\\') + 1);
  log.Line(thumbs, "Slide editor, thumbnail page",
           "opened the saved slideshow and chose Thumbnails",
           "the page shows the host's thumbnails");
  log.Line(tagged, "Slide editor, tags", "tagged slides 1 and 3, pressed View",
           "result " + std::to_string(viewed) + ", tag.lst lists " + std::to_string(tags.size()) +
               " slides: " + names);
  log.Summary("slide editor",
              outcome.missing.empty() && second.missing.empty() && result == 1 && built == 4 &&
                  viewed == 2 && tags.size() == 2,
              "Update returned " + std::to_string(result) + ", " + std::to_string(built) +
                  " thumbnails built; View returned " + std::to_string(viewed) + " with " +
                  std::to_string(tags.size()) + " tagged slides");
}

// Keys typed for real into the editor's grid (they reach it through the
// editor's own loop).
void TypeInGrid(HWND editor, std::initializer_list<WORD> keys,
                std::initializer_list<WORD> held = {}) {
  HWND g = nullptr;
  EnumChildWindows(editor, MatchGrid, reinterpret_cast<LPARAM>(&g));
  if (g) SetFocus(g);
  for (WORD k : keys) wine_keys::Press(k, held, 0);
}

// The right mouse button on the editor's grid: the menu of the current cell.
void RightClickGrid(HWND editor) {
  HWND g = nullptr;
  EnumChildWindows(editor, MatchGrid, reinterpret_cast<LPARAM>(&g));
  if (!g) return;
  PostMessageA(g, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  PostMessageA(g, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
}

// The slide editor on a script whose second picture was moved away: the
// slide is marked missing and found again in the folder it went to; a
// global modify is taken back with Ctrl+Z; a wait is typed into the value
// dialog. Nothing is saved.
void SlideEditorMissingAndUndo(Host& host, TourLog& log) {
  auto editor = host.Export<W95_PFN_EditorWin95>("EditorWin95");
  if (!editor) return;
  const std::string moved = std::string(kRoot) + "\\Moved";
  CreateDirectoryA(moved.c_str(), nullptr);
  WriteBitmap(moved + "\\meadow.bmp", 160, 120, 120, 220, 40);
  DeleteFileA((std::string(kPictures) + "\\meadow.bmp").c_str());
  const std::string script = std::string(kRoot) + "\\Shows\\Spring.avl";
  if (FILE* f = std::fopen(script.c_str(), "wb")) {
    std::fprintf(f,
                 "[Header]\r\nVer=5\r\nN=4\r\nCat=ABCDE\r\n[Directory]\r\n0=%s\\\r\n1=%s\\\r\n"
                 "[1]\r\nF=forest.bmp,1\r\nX=0\r\n[2]\r\nF=meadow.bmp,1\r\nX=0\r\n"
                 "[3]\r\nF=portrait.bmp,1\r\nX=0\r\n",
                 ShortOf(kRoot).c_str(), ShortOf(kPictures).c_str());
    std::fclose(f);
  }
  WriteKey(W95_KEY_SCRIPT, script);
  WriteKey(W95_KEY_SCRIPT_NOW, script);
  WriteKey(W95_KEY_LAST_DIR, ShortOf(moved) + "\\");
  std::string missing, folder, relinked, global, undone, value;
  LONG result = -2;
  auto outcome = tour::Play(
      {{"Plimbo Slide Editor",
        [&](HWND e) {
          missing = log.Shot("editor-missing", e);
          TypeInGrid(e, {VK_DOWN});
        }},
       // The slide menu from the keyboard: "Find missing files...".
       {"Plimbo Slide Editor", [](HWND e) { TypeInGrid(e, {VK_APPS}); }},
       {tour::kPopupMenu, [](HWND m) { tour::ChooseMenuItem(m, "Find missing fi&les..."); }},
       // The dialog fills its list after it first shows: a tick later.
       {"Search Folder", [](HWND) {}},
       {"Search Folder",
        [&](HWND d) {
          folder = log.Shot("editor-search-folder", d);
          tour::Click(d, "&Search");
        }},
       // Global: every slide waits 10 seconds.
       {"Plimbo Slide Editor",
        [&](HWND e) {
          relinked = log.Shot("editor-relinked", e);
          TypeInGrid(e, {VK_RIGHT, VK_RIGHT, VK_RIGHT});
        }},
       {"Plimbo Slide Editor", [](HWND e) { tour::Click(e, "&Global"); }},
       {tour::kPopupMenu, [](HWND m) { tour::ChooseMenuItem(m, "10 seconds"); }},
       {"Plimbo Slide Editor",
        [&](HWND e) {
          global = log.Shot("editor-global", e);
          TypeInGrid(e, {'Z'}, {VK_CONTROL});
        }},
       // The wait menu's "User": the value dialog.
       {"Plimbo Slide Editor",
        [&](HWND e) {
          undone = log.Shot("editor-undo", e);
          RightClickGrid(e);
        }},
       {tour::kPopupMenu, [](HWND m) { tour::ChooseMenuItem(m, "User"); }},
       {"Slide Delay/Wait (secs)",
        [&](HWND d) {
          tour::SetEditText(d, "45");
          value = log.Shot("editor-value-dialog", d);
        }},
       {"Slide Delay/Wait (secs)", [](HWND d) { tour::Click(d, "&Ok"); }},
       {"Plimbo Slide Editor", [](HWND e) { PostMessageA(e, WM_CLOSE, 0, 0); }}},
      [&] { result = editor(); }, 30000, {IDOK, IDYES});
  log.Missing(outcome, "slide editor");
  const std::string found = outcome.boxes.empty() ? "(no box)" : outcome.boxes[0];
  log.Line(missing, "Slide editor, a missing file",
           "opened a script whose second picture was moved to another folder",
           "the slide is marked (glyph, grey text), the path line says 1 missing");
  log.Line(folder, "Slide editor, Find missing files...",
           "chose Find missing files... from the slide menu", "the folder to search in");
  log.Line(relinked, "Slide editor, relinked", "pressed Search", "\"" + found + "\"");
  log.Line(global, "Slide editor, Global", "chose Global on the Wait column, then 10 seconds",
           "every slide waits 10 seconds");
  log.Line(undone, "Slide editor, undo", "pressed Ctrl+Z", "the waits are back as they were");
  log.Line(value, "Slide editor, value dialog", "chose User on the Wait column, typed 45",
           "closed without saving: result " + std::to_string(result));
  log.Summary("slide editor",
              outcome.missing.empty() && result == 0 &&
                  found.find("Found 1 of 1 missing files.") != std::string::npos,
              "missing file found again: " + found + "; closed with " + std::to_string(result));
}

// The buttons of the video window's media bar: the visible push buttons that
// share a parent with another one (the menu button stands alone).
std::vector<HWND> MediaButtons(HWND form) {
  std::vector<HWND> shown, bar;
  for (HWND h : tour::Descendants(form))
    if (IsWindowVisible(h) && tour::ClassOf(h) == "Button") shown.push_back(h);
  for (HWND h : shown)
    for (HWND o : shown)
      if (o != h && GetParent(o) == GetParent(h)) {
        bar.push_back(h);
        break;
      }
  return bar;
}

HWND MenuButton(HWND form) {
  const auto bar = MediaButtons(form);
  for (HWND h : tour::Descendants(form))
    if (IsWindowVisible(h) && tour::ClassOf(h) == "Button" &&
        std::find(bar.begin(), bar.end(), h) == bar.end())
      return h;
  return nullptr;
}

// The video window: the clip plays, a frame is grabbed through the window's
// menu (the host copies it on 0x913), and the host closes the window (0x905).
void VideoWindow(Host& host, TourLog& log, HWND hostWindow) {
  auto player = host.Export<W95_PFN_VideoWinPlayer95>("VideoWinPlayer95");
  auto status = host.Export<W95_PFN_VideoWinStatus95>("VideoWinStatus95");
  auto close = host.Export<W95_PFN_VideoWinClose95>("VideoWinClose95");
  if (!player || !status || !close) return;
  WriteKey(W95_KEY_SAVE_NAME, ShortOf(kClip));
  const size_t before = HostMessages().size();
  LONG opened = 0;
  std::string playing, options, menu;
  auto outcome = tour::Play({{"Harbour Clip.avi",
                              [&](HWND w) {
                                const auto bar = MediaButtons(w);
                                if (!bar.empty()) SendMessageA(bar[0], BM_CLICK, 0, 0);  // Play
                                tour::Pump(900);
                                playing = log.Shot("video-playing", w);
                              }}},
                            [&] { opened = player(hostWindow, 0, 0); });
  // The menu, as the menu button opens it (it returns when the menu closes).
  HWND form = tour::FindWindowStarting("Harbour Clip.avi");
  // The playback options, from the menu, left with Cancel.
  if (HWND button = form ? MenuButton(form) : nullptr) {
    auto shown = tour::Play(
        {{tour::kPopupMenu, [&](HWND m) { tour::ChooseMenuItem(m, "Playbac&k Options"); }},
         {"Playback Options",
          [&](HWND d) {
            options = log.Shot("video-options", d);
            tour::Click(d, "Cancel");
          }}},
        [&] { SendMessageA(button, BM_CLICK, 0, 0); }, 8000);
    outcome.missing.insert(outcome.missing.end(), shown.missing.begin(), shown.missing.end());
    tour::Pump(200);
  }
  if (HWND button = form ? MenuButton(form) : nullptr) {
    auto chosen = tour::Play(
        {{tour::kPopupMenu,
          [&](HWND m) {
            menu = log.Shot("video-menu", form, m);
            tour::ChooseMenuItem(m, "&Grab Frame");
          }}},
        [&] { SendMessageA(button, BM_CLICK, 0, 0); }, 8000);
    outcome.missing.insert(outcome.missing.end(), chosen.missing.begin(), chosen.missing.end());
    tour::Pump(200);
  }
  log.Missing(outcome, "video window");
  const bool grabbed = Received(before, "0x913");
  log.Line(playing, "Video window (VideoWinPlayer95(host, 0, 0))", "pressed Play",
           "result " + std::to_string(opened) + ", status " + std::to_string(status()));
  log.Line(options, "Video window, Playback Options", "chose it in the menu, then Cancel",
           "the clip paused under it; nothing changed");
  log.Line(menu, "Video window, its menu", "chose \"&Grab Frame\"",
           grabbed ? "0x913 with the window's DC; prL/prT/prW/prH = " +
                         ReadKey(W95_KEY_IMAGE_LEFT) + "/" + ReadKey(W95_KEY_IMAGE_TOP) + "/" +
                         ReadKey(W95_KEY_IMAGE_WIDTH) + "/" + ReadKey(W95_KEY_IMAGE_HEIGHT)
                   : "no 0x913");
  // The host asks the window to close; it goes at its next tick.
  for (int i = 0; i < 40 && status() != 0; ++i) {
    if (i % 10 == 0) close();
    tour::Pump(100);
  }
  const bool closed = status() == 0 && Received(before, "0x905");
  log.Summary("video window", outcome.missing.empty() && opened == 1 && grabbed && closed,
              std::string("opened (") + std::to_string(opened) + "), " +
                  (grabbed ? "frame grabbed (0x913)" : "NO 0x913") +
                  (closed ? ", closed with the 0x905 broadcast" : ", NOT closed or no 0x905"));
}

// Finds the print setup window's photo size list (it reads "Any size").
BOOL CALLBACK FindPhotoSizeList(HWND c, LPARAM out) {
  char cls[32] = "", text[64] = "";
  GetClassNameA(c, cls, sizeof cls);
  GetWindowTextA(c, text, sizeof text);
  if (lstrcmpiA(cls, "ComboBox") != 0 || lstrcmpA(text, "Any size") != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = c;
  return FALSE;
}

// Collects the print setup window's glyph buttons without a caption: the
// portrait and the landscape button, in that order.
BOOL CALLBACK CollectPaperButtons(HWND c, LPARAM out) {
  char cls[32] = "", text[8] = "";
  GetClassNameA(c, cls, sizeof cls);
  GetWindowTextA(c, text, sizeof text);
  if (lstrcmpiA(cls, "Button") == 0 && text[0] == 0)
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(c);
  return TRUE;
}

// The print setup window: a picture of 640 x 480 with its preview, printed
// on a PostScript printer that writes into the tour's folder. The host draws
// the picture on 0x912 and ends the job with PrintEnd95.
void PrintWindow(Host& host, TourLog& log, HWND hostWindow) {
  auto printDlg = host.Export<W95_PFN_PrintDlg95>("PrintDlg95");
  auto check = host.Export<W95_PFN_PrintCheck95>("PrintCheck95");
  if (!printDlg || !check) return;
  const std::string page = log.dir + "\\printed-page.ps";
  DeleteFileA(page.c_str());
  wine_print::FilePrinter printer(page);
  if (!printer.error.empty()) {
    log.Summary("print window", false, "no file printer to print on: " + printer.error);
    return;
  }
  WriteKey(W95_KEY_PREVIEW_BMP, std::string(kPictures) + "\\Harbour at Dawn.bmp");
  const size_t before = HostMessages().size();
  std::string setup;
  auto outcome = tour::Play(
      {{"Plimbo Print Setup",
        [&](HWND w) {
          setup = log.Shot("print-setup", w);
          // Then a photo size from the size list under the preview.
          HWND photo = nullptr;
          EnumChildWindows(w, &FindPhotoSizeList, reinterpret_cast<LPARAM>(&photo));
          if (photo) {
            SendMessageA(photo, CB_SETCURSEL, 1, 0);
            SendMessageA(GetParent(photo), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(photo), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(photo));
            tour::Pump(100);
            log.Line(log.Shot("print-setup-photo-size", w), "Print setup window",
                     "chose the photo size 10 x 15 cm / 4 x 6 in", "(nothing until Print It)");
          }
          // The paper turned on its side with the landscape button.
          std::vector<HWND> paper;
          EnumChildWindows(w, &CollectPaperButtons, reinterpret_cast<LPARAM>(&paper));
          if (paper.size() == 2) {
            SendMessageA(GetParent(paper[1]), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(paper[1]), BN_CLICKED),
                         reinterpret_cast<LPARAM>(paper[1]));
            tour::Pump(100);
            log.Line(log.Shot("print-setup-landscape", w), "Print setup window",
                     "pressed the landscape button",
                     "the printer's paper turned; the page follows");
          }
          tour::Click(w, "&Print It");
        }}},
      [&] { printDlg(hostWindow, 640, 480, 0); });
  log.Missing(outcome, "print window");
  // The host ends the job just after its 0x912 handler; the window then goes.
  for (int i = 0; i < 50 && (check() != 0 || tour::FindWindowStarting("Plimbo Print Setup")); ++i)
    tour::Pump(100);
  const bool ready = Received(before, "0x912");
  WIN32_FILE_ATTRIBUTE_DATA data{};
  const bool printed = GetFileAttributesExA(page.c_str(), GetFileExInfoStandard, &data) &&
                       (data.nFileSizeLow > 0 || data.nFileSizeHigh > 0);
  log.Line(setup, "Print setup window (PrintDlg95(host, 640, 480, 0))", "pressed Print It",
           ready ? "0x912 with the printer's DC; prL/prT/prW/prH = " + ReadKey(W95_KEY_IMAGE_LEFT) +
                       "/" + ReadKey(W95_KEY_IMAGE_TOP) + "/" + ReadKey(W95_KEY_IMAGE_WIDTH) + "/" +
                       ReadKey(W95_KEY_IMAGE_HEIGHT) +
                       "; the host drew the picture there and called PrintEnd95"
                 : "no 0x912");
  if (printed)
    log.Line("printed-page.ps\t-", "The printed page", "the file printer's output (PostScript)",
             std::to_string(data.nFileSizeLow) + " bytes");
  const bool closed = check() == 0;
  log.Summary("print window", outcome.missing.empty() && ready && printed && closed,
              std::string(ready ? "0x912 received" : "NO 0x912") +
                  (printed ? ", the page printed to printed-page.ps" : ", NOTHING printed") +
                  (closed ? ", window closed" : ", window NOT closed"));
}

}  // namespace

int Tour(Host& host, const Args& args) {
  TourLog log;
  log.dir = args.empty() ? std::string(kRoot) + "\\Tour" : args[0];
  CreateDirectoryA(log.dir.c_str(), nullptr);
  log.lines = std::fopen((log.dir + "\\tour.txt").c_str(), "w");
  if (!log.lines) {
    std::printf("plimbo-host: cannot write into %s\n", log.dir.c_str());
    return 1;
  }
  MakeMaterial();
  std::printf("The tour (screenshots into %s):\n", log.dir.c_str());
  HWND hostWindow = CreateHostWindow(host);
  HostLog("The tour: every window of the library, driven through the DLL.");
  ExplorerDialog(host, log);
  ExplorerWindow(host, log, hostWindow);
  SlideEditor(host, log);
  SlideEditorThumbnails(host, log);
  SlideEditorMissingAndUndo(host, log);
  VideoWindow(host, log, hostWindow);
  PrintWindow(host, log, hostWindow);
  tour::Pump(100);
  log.Line(log.Shot("host", hostWindow), "The sample host's window",
           "the log of the calls the tour made",
           std::to_string(HostMessages().size()) + " messages from the library");
  DestroyWindow(hostWindow);
  std::fclose(log.lines);
  std::printf("  %d screenshots\n", log.shots);
  host.failures += log.faults;
  return 0;
}

}  // namespace w95host
