// The video window through the real DLL and the real media control
// interface: the host opens a clip the test writes itself, plays it to its
// end, pauses and steps, seeks with the bar, grabs a frame into its own
// window and closes; and the open errors reach the user.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "avi_writer.h"
#include "dll_loader.h"
#include "step_player.h"
#include "wine_keys.h"
#include "wine_windows.h"

namespace {

using namespace video_wine;
using wine_windows::Child;
using wine_windows::ClassOf;
using wine_windows::Descendants;
using wine_windows::TextOf;
using wine_windows::TopLevelExactly;

// The buttons the media bar shows, left to right (the bar's buttons are
// the visible push buttons that have a visible sibling button).
std::vector<HWND> BarButtons(HWND form) {
  std::vector<HWND> shown;
  for (HWND h : Descendants(form))
    if (IsWindowVisible(h) && ClassOf(h) == "Button") shown.push_back(h);
  std::vector<HWND> bar;
  for (HWND h : shown)
    for (HWND o : shown)
      if (o != h && GetParent(o) == GetParent(h)) {
        bar.push_back(h);
        break;
      }
  std::sort(bar.begin(), bar.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return bar;
}
HWND MenuButtonOf(HWND form) {
  const auto bar = BarButtons(form);
  for (HWND h : Descendants(form))
    if (IsWindowVisible(h) && ClassOf(h) == "Button" &&
        std::find(bar.begin(), bar.end(), h) == bar.end())
      return h;
  return nullptr;
}
// The status line: the panel whose text ends a mode or seek report.
std::string StatusOf(HWND form) {
  for (HWND h : Descendants(form)) {
    const std::string t = TextOf(h);
    if (t == "Ready" || t.find("Frame:") != std::string::npos) return t;
  }
  return "(none)";
}
// A status without the time that follows the frame number.
std::string FramePart(const std::string& status) { return status.substr(0, status.find("  ")); }
HWND ScrollBarOf(HWND form) {
  for (HWND h : Descendants(form))
    if (ClassOf(h) == "ScrollBar") return h;
  return nullptr;
}

// ---- The host's side: its window, a second top-level window, the loop.

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::string keys;  // prL prT prW prH as read when the message arrived
  bool dcValid;
};
std::vector<Received> hostGot, otherGot;
std::vector<UINT> notifications;  // MM_MCINOTIFY codes that passed the loop

int Key(const char* key) { return wine_dll::ReadKeyInt(key, -999); }

LRESULT CALLBACK HostProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == 0x0913 || msg == 0x0905) {
    Received r{msg, wp, lp, {}, false};
    if (msg == 0x0913) {
      r.keys = std::to_string(Key(W95_KEY_IMAGE_LEFT)) + "," +
               std::to_string(Key(W95_KEY_IMAGE_TOP)) + "," +
               std::to_string(Key(W95_KEY_IMAGE_WIDTH)) + "," +
               std::to_string(Key(W95_KEY_IMAGE_HEIGHT));
      r.dcValid = GetObjectType(reinterpret_cast<HGDIOBJ>(lp)) == OBJ_DC;
    }
    (GetWindowLongPtrA(h, GWLP_USERDATA) ? otherGot : hostGot).push_back(r);
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

HWND MakeTopLevel(const char* title, bool other) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "W95VideoHost";
    RegisterClassA(&wc);
    registered = true;
  }
  // Hidden top-level windows: a broadcast reaches them too.
  HWND h = CreateWindowExA(WS_EX_TOOLWINDOW, "W95VideoHost", title, WS_OVERLAPPEDWINDOW, 0, 0, 100,
                           100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(h, GWLP_USERDATA, other ? 1 : 0);
  return h;
}

// The user: answers the library's message boxes with OK (their texts are
// kept) and plays the steps the cases give it, in whatever loop is running
// (the pop-up menu's, a dialog's, the host's).
wine_steps::Player user;
const std::vector<std::string>& boxes = user.boxes;

// Lets this thread's messages run for `ms`, noting the media notifications
// that pass the host's loop.
void PumpFor(int ms) {
  const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == MM_MCINOTIFY) notifications.push_back(static_cast<UINT>(m.wParam));
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    Sleep(10);
  } while (static_cast<LONG>(until - GetTickCount()) > 0);
}
bool PumpUntil(const std::function<bool()>& done, int ms = 5000) {
  const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
  while (!done()) {
    if (static_cast<LONG>(until - GetTickCount()) <= 0) return false;
    PumpFor(20);
  }
  return true;
}

// While W95_SHOTS is set, holds the window on screen for a screenshot (see
// scripts/shots.sh); the picture is not repainted first, so that the frame
// the device drew stays.
void Shot(const char* name) {
  if (!std::getenv("W95_SHOTS")) return;
  CreateDirectoryA("c:\\w95shots", nullptr);
  const std::string marker = std::string("c:\\w95shots\\") + name + ".ready";
  if (FILE* f = std::fopen(marker.c_str(), "w")) std::fclose(f);
  for (int i = 0; i < 100 && GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
    PumpFor(50);
}

// A step that chooses the pop-up menu's item captioned `caption`.
wine_steps::Step Choose(std::string caption, const char* shot = nullptr) {
  return {"#32768", [caption, shot](HWND menu) {
            if (shot) Shot(shot);
            std::string shown;
            EXPECT_TRUE(wine_steps::ChooseMenuItem(menu, caption, &shown))
                << "no item " << caption << " in " << shown;
          }};
}

// Opens the window's menu with its button; returns once the menu is gone.
void OpenMenu(HWND form) {
  HWND button = MenuButtonOf(form);
  ASSERT_NE(button, nullptr);
  SendMessageA(button, BM_CLICK, 0, 0);
}

constexpr char kOptions[] = "Playback Options";

class VideoDll : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lib);
    ASSERT_TRUE(lib.VideoWinPlayer95 && lib.VideoWinStatus95 && lib.VideoWinClose95);
    CreateDirectoryA("c:\\w95vid", nullptr);
    clip = "c:\\w95vid\\Video Clip.avi";
    ASSERT_TRUE(WriteAvi(clip, 160, 120, 24, 12));
    wine_dll::ClearKeys();
    wine_dll::WriteKey(W95_KEY_SAVE_NAME, wine_dll::ShortPath(clip));
    host = MakeTopLevel("host", false);
    other = MakeTopLevel("other", true);
    hostGot.clear();
    otherGot.clear();
    notifications.clear();
    user.steps.clear();
    user.boxes.clear();
    user.boxTitles.clear();
    user.missing.clear();
    user.timeoutMs = 20000;
    user.Start(100);
  }
  void TearDown() override {
    if (lib.VideoWinStatus95 && lib.VideoWinStatus95() != 0) {
      lib.VideoWinClose95();
      lib.VideoWinClose95();
      PumpFor(100);
    }
    user.Stop();
    EXPECT_TRUE(user.steps.empty()) << user.steps.size() << " steps not played";
    EXPECT_TRUE(user.missing.empty()) << "a step's window never came: " << user.missing[0];
    DestroyWindow(host);
    DestroyWindow(other);
    PumpFor(50);
    lib.Free();
  }
  void Click(HWND form, size_t index) {
    const auto bar = BarButtons(form);
    ASSERT_GT(bar.size(), index);
    SendMessageA(bar[index], BM_CLICK, 0, 0);
  }
  LONG player(HWND h, LONG mode, LONG kind) { return lib.VideoWinPlayer95(h, mode, kind); }
  LONG status() { return lib.VideoWinStatus95(); }
  void closeFn() { lib.VideoWinClose95(); }

  wine_dll::Library lib;
  std::string clip;
  HWND host = nullptr, other = nullptr;
};

TEST_F(VideoDll, PlaysPausesStepsSeeksGrabsAndCloses) {
  ASSERT_EQ(player(host, 0, 0), 1);
  EXPECT_EQ(status(), 256);
  HWND form = TopLevelExactly("", "Video Clip.avi");
  ASSERT_NE(form, nullptr) << "the caption is the long name";
  EXPECT_TRUE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT rc;
  GetClientRect(form, &rc);
  EXPECT_EQ(rc.right, 160);
  EXPECT_EQ(rc.bottom, 120 + 17 + 23);
  EXPECT_EQ(BarButtons(form).size(), 2u);  // Play, Stop
  EXPECT_EQ(StatusOf(form), "Ready");
  HDC screen = GetDC(nullptr);
  const bool paletteScreen = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
  ReleaseDC(nullptr, screen);
  const HWND listening = paletteScreen
                             ? FindWindowA("w95MediaNotify", nullptr)
                             : FindWindowExA(HWND_MESSAGE, nullptr, "w95MediaNotify", nullptr);
  EXPECT_NE(listening, nullptr) << "the device's listening window";

  // Play to the end: the completion notification passes the host's loop.
  Click(form, 0);
  PumpFor(700);
  Shot("video_frame");
  // The last position is the last frame (23 here) or the length, by device.
  EXPECT_TRUE(PumpUntil([&] { return StatusOf(form).rfind("Stopped Frame:2", 0) == 0; }, 6000))
      << StatusOf(form);
  EXPECT_NE(std::find(notifications.begin(), notifications.end(), MCI_NOTIFY_SUCCESSFUL),
            notifications.end());
  EXPECT_EQ(BarButtons(form).size(), 2u);  // Stop, Prev

  // Back to the start, play a little, pause: the pause holds and steps go on
  // from where it stopped.
  Click(form, 1);  // Prev
  EXPECT_EQ(StatusOf(form), "Ready");
  Click(form, 0);  // Play
  PumpFor(500);
  Click(form, 0);  // Pause
  PumpFor(300);
  ASSERT_EQ(BarButtons(form).size(), 3u);  // Play, Step, step back
  Click(form, 1);                          // Step: the status shows the frame before the step
  const std::string before = StatusOf(form);
  ASSERT_EQ(before.rfind("PausedFrame:", 0), 0u) << before;
  const int frame = std::atoi(before.c_str() + 12);
  EXPECT_GT(frame, 0);
  EXPECT_LT(frame, 24);
  PumpFor(100);
  Click(form, 1);
  EXPECT_EQ(FramePart(StatusOf(form)), "PausedFrame:" + std::to_string(frame + 1));

  // The seek bar: a click on its page area moves it on; the seek follows
  // the release.
  HWND bar = ScrollBarOf(form);
  ASSERT_NE(bar, nullptr);
  RECT br;
  GetClientRect(bar, &br);
  const LPARAM at = MAKELPARAM(br.right - GetSystemMetrics(SM_CXHSCROLL) - 3, br.bottom / 2);
  PostMessageA(bar, WM_LBUTTONUP, 0, at);
  SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PumpFor(100);
  const std::string seek = StatusOf(form);
  ASSERT_EQ(seek.rfind("Seek Frame:", 0), 0u) << seek;
  const int target = std::atoi(seek.c_str() + 11);
  EXPECT_GT(target, frame);
  Click(form, 1);  // Step shows where the seek went
  EXPECT_EQ(FramePart(StatusOf(form)), "StoppedFrame:" + std::to_string(target));

  // Grab: the keys are in the settings file when the host gets the message.
  user.steps.push_back(Choose("&Grab Frame", "video_menu"));
  OpenMenu(form);
  EXPECT_TRUE(user.steps.empty());
  PumpFor(100);
  ASSERT_EQ(hostGot.size(), 1u);
  EXPECT_EQ(hostGot[0].message, 0x0913u);
  EXPECT_EQ(hostGot[0].wParam, 0u);
  EXPECT_TRUE(hostGot[0].dcValid);
  EXPECT_EQ(hostGot[0].keys, "-1,0,161,120");

  // Close: the first request waits for a tick, the second closes at once;
  // every top-level window hears of it.
  closeFn();
  EXPECT_EQ(status(), 0 | 256);
  closeFn();
  EXPECT_EQ(status(), 0);
  PumpFor(100);
  EXPECT_EQ(TopLevelExactly("", "Video Clip.avi"), nullptr);
  // The device's listening window is the library's, not the video window's:
  // it stays, one of it, for the next opening and goes when the library is
  // unloaded (Lifetime.FreeLibraryLeavesNothingOfTheLibraryBehind).
  EXPECT_TRUE(IsWindow(listening));
  EXPECT_EQ(
      FindWindowExA(paletteScreen ? nullptr : HWND_MESSAGE, listening, "w95MediaNotify", nullptr),
      nullptr);
  ASSERT_EQ(otherGot.size(), 1u);
  EXPECT_EQ(otherGot[0].message, 0x0905u);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
}

// Frame number of a "Playing Frame:n" status, or -1.
int PlayingFrame(HWND form) {
  const std::string s = StatusOf(form);
  return s.rfind("Playing Frame:", 0) == 0 ? std::atoi(s.c_str() + 14) : -1;
}

TEST_F(VideoDll, LoopPlaybackStartsTheClipAgainFromItsStart) {
  ASSERT_EQ(player(host, 0, 0), 1);
  HWND form = TopLevelExactly("", "Video Clip.avi");
  ASSERT_NE(form, nullptr);
  user.steps.push_back(Choose("&Loop Playback"));
  OpenMenu(form);
  ASSERT_TRUE(user.steps.empty());
  Click(form, 0);  // Play
  EXPECT_TRUE(PumpUntil([&] { return PlayingFrame(form) >= 16; }, 5000)) << StatusOf(form);
  EXPECT_TRUE(PumpUntil([&] { return PlayingFrame(form) >= 0 && PlayingFrame(form) < 8; }, 5000))
      << StatusOf(form);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(VideoDll, OptionsDialogOpensFromTheMenuAndCancels) {
  ASSERT_EQ(player(host, 0, 0), 1);
  HWND form = TopLevelExactly("", "Video Clip.avi");
  ASSERT_NE(form, nullptr);
  std::string speed;
  user.steps.push_back(Choose("Playbac&k Options"));
  user.steps.push_back({kOptions, [&](HWND dialog) {
                          Shot("video_options");
                          for (HWND h : Descendants(dialog))
                            if (TextOf(h).rfind("&Speed", 0) == 0) speed = TextOf(h);
                          PostMessageA(Child(dialog, "Button", "Cancel"), BM_CLICK, 0, 0);
                        }});
  OpenMenu(form);
  EXPECT_TRUE(PumpUntil([&] { return user.steps.empty() && !TopLevelExactly("", kOptions); }));
  EXPECT_EQ(speed, "&Speed: 100%");
  EXPECT_NE(TopLevelExactly("", "Video Clip.avi"), nullptr);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(VideoDll, FilesThatWillNotOpenAreReportedAndReturnZero) {
  if (FILE* f = std::fopen("c:\\w95vid\\notes.avi", "w")) {
    std::fputs("not a clip", f);
    std::fclose(f);
  }
  struct Case {
    const char* file;
    const char* expected;
  } cases[] = {
      {"c:\\w95vid\\missing.avi", "ErrCode=275"},
      {"c:\\w95vid\\clip.xyz", "\r\nPlease see README file."},
      {"c:\\w95vid\\notes.avi", "ErrCode="},
  };
  for (const Case& c : cases) {
    wine_dll::WriteKey(W95_KEY_SAVE_NAME, c.file);
    user.boxes.clear();
    EXPECT_EQ(player(host, 2, 0), 0) << c.file;
    ASSERT_EQ(boxes.size(), 1u) << c.file;
    EXPECT_NE(boxes[0].find(c.expected), std::string::npos) << boxes[0];
    EXPECT_EQ(status(), 2);  // no window; the host mode stays readable
  }
  closeFn();  // no window: ignored, and the next window is not closed by it
  EXPECT_EQ(status(), 0);
  wine_dll::WriteKey(W95_KEY_SAVE_NAME, clip);
  ASSERT_EQ(player(host, 0, 0), 1);
  PumpFor(1200);
  EXPECT_EQ(status(), 256);
}

// A clip from another encoder, copied to a Windows path.
std::string ClipFromData(const char* name) {
  std::string from = std::string(W95_TESTDATA) + "/clips/" + name;
  if (!from.empty() && from[0] == '/') from = "Z:" + from;  // the Unix root under Wine
  const std::string to = std::string("c:\\w95vid\\") + name;
  CopyFileA(from.c_str(), to.c_str(), FALSE);
  return to;
}

// The picture area: the window of ours without children that covers most.
HWND PictureOf(HWND form) {
  HWND best = nullptr;
  long bestArea = 0;
  for (HWND h : Descendants(form)) {
    RECT r;
    if (ClassOf(h) != "W95Window" || GetWindow(h, GW_CHILD) || !IsWindowVisible(h)) continue;
    GetClientRect(h, &r);
    if (long(r.right) * r.bottom > bestArea) {
      bestArea = long(r.right) * r.bottom;
      best = h;
    }
  }
  return best;
}
// The share in per cent of the picture's pixels, as they are on the screen,
// that are not black.
int LitShare(HWND picture) {
  RECT r;
  GetClientRect(picture, &r);
  if (r.right <= 0 || r.bottom <= 0) return 0;
  HDC dc = GetDC(picture);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(mem, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  long lit = 0, all = 0;
  for (int y = 0; y < r.bottom; y += 2)
    for (int x = 0; x < r.right; x += 2, ++all) lit += (GetPixel(mem, x, y) & 0xFFFFFF) != 0;
  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);
  ReleaseDC(picture, dc);
  return static_cast<int>(lit * 100 / all);
}

// A clip from a common encoder shows its frame before it is played: once
// open, after a seek, after a resize and after being covered and uncovered.
TEST_F(VideoDll, PictureShowsTheFrameBeforePlay) {
  const std::string bars = ClipFromData("bars-msvideo1.avi");
  wine_dll::WriteKey(W95_KEY_SAVE_NAME, bars);
  ASSERT_EQ(player(host, 0, 0), 1);
  HWND form = TopLevelExactly("", "bars-msvideo1.avi");
  ASSERT_NE(form, nullptr);
  PumpFor(300);
  HWND picture = PictureOf(form);
  ASSERT_NE(picture, nullptr);
  // "Ready" until the status timer's first tick, which a slow machine may
  // already have seen.
  const std::string status = StatusOf(form);
  EXPECT_TRUE(status == "Ready" || FramePart(status) == "Stopped Frame:0") << status;
  EXPECT_GT(LitShare(picture), 50) << "once open";

  HWND bar = ScrollBarOf(form);
  ASSERT_NE(bar, nullptr);
  SendMessageA(GetParent(bar), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20),
               reinterpret_cast<LPARAM>(bar));
  PumpFor(200);
  EXPECT_NE(StatusOf(form).find("Frame:20"), std::string::npos) << StatusOf(form);
  EXPECT_GT(LitShare(picture), 50) << "after a seek";

  RECT wr;
  GetWindowRect(form, &wr);
  SetWindowPos(form, nullptr, 0, 0, wr.right - wr.left + 100, wr.bottom - wr.top + 80,
               SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(300);
  picture = PictureOf(form);
  EXPECT_GT(LitShare(picture), 50) << "after a resize";
  InvalidateRect(picture, nullptr, TRUE);
  UpdateWindow(picture);
  EXPECT_GT(LitShare(picture), 50) << "after a repaint";
  Shot("video_still");

  // Wider than the clip: the picture fills the height of an area a pixel
  // larger than the room above the strip; the extra row is above the window's
  // edge. It lies under the strip and the status line, which keep their faces
  // while a smaller window waits for its picture to be fitted again.
  SetWindowPos(form, nullptr, 0, 0, wr.right - wr.left + 200, wr.bottom - wr.top,
               SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(300);
  picture = PictureOf(form);
  HWND strip = GetParent(bar);
  RECT pr, sr, barRect;
  GetWindowRect(picture, &pr);
  GetWindowRect(strip, &sr);
  GetWindowRect(bar, &barRect);
  POINT origin{0, 0};
  ClientToScreen(form, &origin);
  EXPECT_EQ(pr.top, origin.y - 1);
  EXPECT_EQ(pr.bottom, sr.top);
  int under = 0;
  for (HWND h = GetWindow(picture, GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV))
    under += h == strip || TextOf(h) == StatusOf(form);
  EXPECT_EQ(under, 2) << "the strip and the status line are above the picture";
  HDC screen = GetDC(nullptr);
  int face = 0, seen = 0;
  for (int x = barRect.left; x < barRect.right; x += 3, ++seen)
    face += GetPixel(screen, x, sr.top) == GetSysColor(COLOR_BTNFACE);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(face, seen);
  EXPECT_GT(LitShare(picture), 50);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
}

// This machine's device accepts a volume and a speed and keeps neither
// (reading them back is refused, or gives the normal speed): the user who
// chose them with the keys hears why once, not at every choice.
TEST_F(VideoDll, VolumeAndSpeedTheDeviceDoesNotTakeAreNamedOnce) {
  ASSERT_EQ(player(host, 0, 0), 1);
  HWND form = TopLevelExactly("", "Video Clip.avi");
  ASSERT_NE(form, nullptr);
  SetForegroundWindow(form);
  PumpFor(100);
  for (int round = 0; round < 2; ++round) {
    bool dialogUp = false;
    user.steps.push_back(Choose("Playbac&k Options"));
    user.steps.push_back({kOptions, [&](HWND) {
                            dialogUp = true;
                            // The speed bar has the focus: to its end; then the volume bar
                            // to its start (or one step up on the second round); Enter is OK.
                            wine_keys::Press(round == 0 ? VK_END : VK_LEFT, {}, 0);
                            wine_keys::Press(VK_TAB, {}, 0);
                            wine_keys::Press(round == 0 ? VK_HOME : VK_RIGHT, {}, 0);
                            wine_keys::Press(VK_RETURN, {}, 0);
                          }});
    wine_keys::Press('M', {VK_CONTROL}, 0);
    EXPECT_TRUE(PumpUntil([&] { return user.steps.empty() && !TopLevelExactly("", kOptions); }));
    PumpFor(300);
    EXPECT_TRUE(dialogUp) << round;
  }
  uint32_t speedBoxes = 0, volumeBoxes = 0;
  for (const std::string& b : boxes) {
    speedBoxes += b == "This device cannot change the speed.";
    volumeBoxes += b == "This device cannot change the volume.";
  }
  std::printf("boxes: %zu\n", boxes.size());
  for (const std::string& b : boxes) std::printf("  %s\n", b.c_str());
  EXPECT_EQ(volumeBoxes, 1u);
  EXPECT_EQ(speedBoxes, 1u);
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_NE(TopLevelExactly("", "Video Clip.avi"), nullptr) << "the window stays";
}

// A clip this machine has no decoder for: the message says that the file
// cannot be played and gives the code, even where the device has no text.
TEST_F(VideoDll, ClipWithoutADecoderIsReportedWithItsCode) {
  const std::string mjpeg = ClipFromData("bars-mjpeg.avi");
  wine_dll::WriteKey(W95_KEY_SAVE_NAME, mjpeg);
  const LONG opened = player(host, 0, 0);
  PumpFor(500);
  ASSERT_EQ(boxes.size(), 1u) << "opened " << opened;
  EXPECT_NE(boxes[0].find_first_not_of(" \r\n"), std::string::npos) << "an empty box";
  EXPECT_TRUE(boxes[0].find("ErrCode=") != std::string::npos ||
              boxes[0].find("(error ") != std::string::npos)
      << boxes[0];
  EXPECT_EQ(status() & 256, 0);
}

// The host asks to close while the window is still being opened (its
// timer runs in the opening's message loop): the window closes at its first
// tick instead of playing on.
LONG(WINAPI* statusWhileOpening)() = nullptr;
void(WINAPI* closeWhileOpening)() = nullptr;
LONG statusAtClose = -1;
int closeCalls = 0;
void CALLBACK CloseWhileOpening(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  ++closeCalls;
  statusAtClose = statusWhileOpening();
  closeWhileOpening();
  closeWhileOpening();
}

TEST_F(VideoDll, CloseAskedWhileOpeningClosesTheWindowAtItsFirstTick) {
  statusWhileOpening = lib.VideoWinStatus95;
  closeWhileOpening = lib.VideoWinClose95;
  closeCalls = 0;
  SetTimer(nullptr, 0, 1, &CloseWhileOpening);
  Sleep(20);  // due at the opening's first look at the queue
  EXPECT_EQ(player(host, 0, 0), 1);
  ASSERT_EQ(closeCalls, 1);
  EXPECT_EQ(statusAtClose, 0) << "asked before the window was open";
  PumpFor(1000);
  EXPECT_EQ(status(), 0);
  EXPECT_TRUE(boxes.empty());
}

// The host calls again from its own window while the first window is still
// being opened (a second double click): the second call is refused, the first
// window opens as usual and closes when asked.
LONG(WINAPI* playAgain)(HWND, LONG, LONG) = nullptr;
HWND playHost = nullptr;
LONG innerResult = -5;
void CALLBACK PlayWhileOpening(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  innerResult = playAgain(playHost, 0, 0);
}

TEST_F(VideoDll, PlayAskedAgainWhileOpeningIsRefusedAndTheFirstWindowStays) {
  playAgain = lib.VideoWinPlayer95;
  playHost = host;
  innerResult = -5;
  SetTimer(nullptr, 0, 1, &PlayWhileOpening);
  Sleep(20);
  EXPECT_EQ(player(host, 0, 0), 1);
  EXPECT_EQ(innerResult, 0);
  PumpFor(500);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  EXPECT_EQ(status(), 256);
  closeFn();
  closeFn();
  PumpFor(100);
  EXPECT_EQ(status(), 0) << "the window the host knows is the one it closes";
}

TEST_F(VideoDll, ClipLargerThanTheScreenKeepsTheWindowCaptionOnTheScreen) {
  const std::string big = "c:\\w95vid\\big.avi";
  ASSERT_TRUE(WriteAvi(big, GetSystemMetrics(SM_CXSCREEN) + 400,
                       GetSystemMetrics(SM_CYSCREEN) + 300, 2, 12));
  wine_dll::WriteKey(W95_KEY_SAVE_NAME, big);
  ASSERT_EQ(player(host, 0, 0), 1);
  PumpFor(200);
  HWND form = TopLevelExactly("", "big.avi");
  ASSERT_NE(form, nullptr);
  RECT r;
  GetWindowRect(form, &r);
  EXPECT_GE(r.left, 0);
  EXPECT_GE(r.top, 0);
  EXPECT_TRUE(boxes.empty());
  closeFn();
  closeFn();
  PumpFor(100);
  EXPECT_EQ(status(), 0);
}

}  // namespace

namespace {

// The window and its options dialog worked with keys typed for real: the
// window's own keys zoom and play; in the dialog Tab goes round its
// controls and Escape cancels it; then the window is active again, so that
// its keys still work: Escape twice closes it.
TEST_F(VideoDll, KeyboardUserZoomsPlaysUsesTheOptionsAndCloses) {
  ASSERT_EQ(player(host, 0, 0), 1);
  HWND form = TopLevelExactly("", "Video Clip.avi");
  ASSERT_NE(form, nullptr);
  SetForegroundWindow(form);
  PumpFor(100);
  RECT rc;
  wine_keys::Press('2', {VK_CONTROL}, 300);
  GetClientRect(form, &rc);
  EXPECT_EQ(rc.right, 320) << "Ctrl+2";
  wine_keys::Press('1', {VK_CONTROL}, 300);
  GetClientRect(form, &rc);
  EXPECT_EQ(rc.right, 160) << "Ctrl+1";
  wine_keys::Press(VK_INSERT, {VK_SHIFT}, 0);
  EXPECT_TRUE(PumpUntil([&] { return StatusOf(form).rfind("Playing", 0) == 0; }, 1000))
      << "Shift+Ins";

  std::vector<std::string> ring;
  bool dialogUp = false;
  user.steps.push_back(Choose("Playbac&k Options"));
  user.steps.push_back({kOptions, [&](HWND) {
                          dialogUp = true;
                          wine_keys::Press(VK_TAB, {}, 0);
                        }});
  for (int i = 0; i < 5; ++i)
    user.steps.push_back({kOptions, [&](HWND) {
                            ring.push_back(wine_keys::Focused());
                            wine_keys::Press(VK_TAB, {}, 0);
                          }});
  user.steps.push_back({kOptions, [](HWND) { wine_keys::Press(VK_ESCAPE, {}, 0); }});
  wine_keys::Press('M', {VK_CONTROL}, 0);
  EXPECT_TRUE(PumpUntil([&] { return user.steps.empty() && !TopLevelExactly("", kOptions); }));
  EXPECT_TRUE(dialogUp) << "Ctrl+M and the menu's options item";
  // From the speed bar: the volume bar, the three buttons, the speed bar.
  EXPECT_EQ(ring, (std::vector<std::string>{"ScrollBar:", "Button:&Default", "Button:Ok",
                                            "Button:Cancel", "ScrollBar:"}));
  EXPECT_EQ(GetActiveWindow(), form) << "the window is active again once the dialog is gone";
  wine_keys::Press(VK_ESCAPE, {}, 50);
  wine_keys::Press(VK_ESCAPE, {}, 300);
  EXPECT_EQ(TopLevelExactly("", "Video Clip.avi"), nullptr)
      << "the second Escape closes it at once";
  EXPECT_TRUE(boxes.empty());
}

}  // namespace

namespace {

// The window's moves with real keys, the time beside the frame, and full
// screen by double click, left with Escape before Escape closes.
TEST_F(VideoDll, KeysMoveTheClipAndDoubleClickFillsTheScreen) {
  ASSERT_EQ(player(host, 0, 0), 1);
  HWND form = TopLevelExactly("", "Video Clip.avi");
  ASSERT_NE(form, nullptr);
  SetForegroundWindow(form);
  PumpFor(100);
  struct Row {
    WORD key;
    const char* status;  // what the status line then starts with
  } rows[] = {
      {VK_RIGHT, "Stopped Frame:1  0:00 / 0:02"}, {VK_END, "Stopped Frame:23  0:01 / 0:02"},
      {VK_HOME, "Stopped Frame:0  0:00 / 0:02"},  {VK_NEXT, "Stopped Frame:2  0:00 / 0:02"},
      {VK_LEFT, "Stopped Frame:1  0:00 / 0:02"},  {VK_SPACE, "Playing Frame:"},
  };
  for (const Row& r : rows) {
    wine_keys::Press(r.key, {}, 100);
    EXPECT_TRUE(PumpUntil([&] { return StatusOf(form).rfind(r.status, 0) == 0; }, 2000))
        << r.key << ": " << StatusOf(form);
  }
  wine_keys::Press(VK_SPACE, {}, 200);
  PumpFor(300);
  EXPECT_EQ(BarButtons(form).size(), 3u) << "paused by Space: Play, Step, step back";

  RECT normal, full;
  GetWindowRect(form, &normal);
  HWND picture = PictureOf(form);
  ASSERT_NE(picture, nullptr);
  PostMessageA(picture, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  PumpFor(400);
  GetWindowRect(form, &full);
  EXPECT_EQ(full.right - full.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(full.bottom - full.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GT(LitShare(PictureOf(form)), 30) << "the frame, at full screen";
  Shot("video_full_screen");
  SetForegroundWindow(form);
  wine_keys::Press(VK_ESCAPE, {}, 300);
  GetWindowRect(form, &full);
  EXPECT_EQ(full.right - full.left, normal.right - normal.left) << "Escape leaves full screen";
  EXPECT_EQ(full.bottom - full.top, normal.bottom - normal.top);
  EXPECT_EQ(status(), 256) << "and asks nothing else";
  // The black around the picture is the window's own and takes the double
  // click too.
  PostMessageA(form, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
  PumpFor(400);
  GetWindowRect(form, &full);
  EXPECT_EQ(full.right - full.left, GetSystemMetrics(SM_CXSCREEN));
  SetForegroundWindow(form);
  wine_keys::Press(VK_ESCAPE, {}, 300);
  GetWindowRect(form, &full);
  EXPECT_EQ(full.right - full.left, normal.right - normal.left);
  wine_keys::Press(VK_ESCAPE, {}, 50);
  wine_keys::Press(VK_ESCAPE, {}, 300);
  EXPECT_EQ(TopLevelExactly("", "Video Clip.avi"), nullptr);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
}

}  // namespace
