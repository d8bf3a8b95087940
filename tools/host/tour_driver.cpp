#include "tour_driver.h"

#include <cstdio>
#include <deque>

namespace w95host::tour {

std::string TextOf(HWND h) {
  char buf[512] = "";
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

std::string ClassOf(HWND h) {
  char buf[64] = "";
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

namespace {

struct Query {
  std::string cls, text;
  HWND found = nullptr;
};

// Enumeration callbacks are stdcall in the 32-bit build: named functions.
BOOL CALLBACK MatchChild(HWND h, LPARAM p) {
  auto* q = reinterpret_cast<Query*>(p);
  if (!IsWindowVisible(h) || lstrcmpiA(ClassOf(h).c_str(), q->cls.c_str()) != 0) return TRUE;
  if (!q->text.empty() && TextOf(h) != q->text) return TRUE;
  q->found = h;
  return FALSE;
}

BOOL CALLBACK MatchTopLevel(HWND h, LPARAM p) {
  auto* q = reinterpret_cast<Query*>(p);
  if (!IsWindowVisible(h)) return TRUE;
  if (!q->cls.empty() && ClassOf(h) != q->cls) return TRUE;
  if (TextOf(h).rfind(q->text, 0) != 0) return TRUE;
  q->found = h;
  return FALSE;
}

BOOL CALLBACK CollectChild(HWND h, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

HWND FindTopLevel(const std::string& cls, const std::string& caption) {
  Query q{cls, caption};
  EnumThreadWindows(GetCurrentThreadId(), MatchTopLevel, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// The state of the steps being played (one Play at a time).
struct Player {
  std::deque<Step> steps;
  std::deque<int> answers;
  Outcome outcome;
  HWND seen = nullptr;
  DWORD waitingSince = 0;
  DWORD timeoutMs = 0;
  bool inStep = false;
} player;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (player.inStep) return;
  for (const char* title : {"Error", "Warning", "Confirm", "Information"}) {
    HWND box = FindTopLevel("#32770", title);
    if (!box) continue;
    std::string shown;
    for (HWND h = GetWindow(box, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
      if (ClassOf(h) == "Static" && !TextOf(h).empty()) shown = TextOf(h);
    player.outcome.boxes.push_back(std::string(title) + ": " + shown);
    const int answer = player.answers.empty() ? IDOK : player.answers.front();
    if (!player.answers.empty()) player.answers.pop_front();
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    return;
  }
  if (player.steps.empty()) return;
  const Step& next = player.steps.front();
  HWND window = FindWindowStarting(next.caption);
  if (!window) {
    if (GetTickCount() - player.waitingSince > player.timeoutMs) {
      player.outcome.missing.push_back(next.caption);
      player.steps.clear();
      // Whatever is in front (a window the tour did not expect) is closed.
      if (HWND front = GetActiveWindow()) PostMessageA(front, WM_CLOSE, 0, 0);
    }
    player.seen = nullptr;
    return;
  }
  if (window != player.seen) {  // act at the next tick, once it has settled
    player.seen = window;
    return;
  }
  Step step = next;
  player.steps.pop_front();
  player.seen = nullptr;
  player.waitingSince = GetTickCount();
  player.inStep = true;
  step.act(window);
  player.inStep = false;
}

}  // namespace

HWND FindWindowStarting(const std::string& caption) {
  if (caption == kPopupMenu) {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
  }
  return FindTopLevel("", caption);
}

HWND Child(HWND parent, const std::string& cls, const std::string& text) {
  Query q{cls, text};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

void Click(HWND window, const std::string& buttonCaption) {
  if (HWND button = Child(window, "Button", buttonCaption)) {
    PostMessageA(button, BM_CLICK, 0, 0);
  } else {
    std::printf("  (tour) no button \"%s\" in \"%s\"\n", buttonCaption.c_str(),
                TextOf(window).c_str());
  }
}

void SetEditText(HWND window, const std::string& text) {
  if (HWND edit = Child(window, "Edit"))
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Key(HWND target, int vk) {
  SetFocus(target);
  PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
  PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(vk), 0);
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    Sleep(10);
  } while (GetTickCount() - start < ms);
}

bool SaveScreen(const std::string& bmpFile) {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bmp && bits) {
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + size;
    if (FILE* f = std::fopen(bmpFile.c_str(), "wb")) {
      ok = std::fwrite(&file, sizeof file, 1, f) == 1 &&
           std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f) == 1 &&
           std::fwrite(bits, size, 1, f) == 1;
      ok = std::fclose(f) == 0 && ok;
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

Outcome Play(std::vector<Step> steps, const std::function<void()>& call, DWORD timeoutMs,
             std::vector<int> answers) {
  player = Player{};
  player.steps.assign(steps.begin(), steps.end());
  player.answers.assign(answers.begin(), answers.end());
  player.timeoutMs = timeoutMs;
  player.waitingSince = GetTickCount();
  const UINT_PTR timer = SetTimer(nullptr, 0, 150, &Tick);
  call();
  // A modeless window lives on: play on until the steps are done.
  while (!player.steps.empty()) Pump(50);
  KillTimer(nullptr, timer);
  Outcome out = player.outcome;
  player = Player{};
  return out;
}

}  // namespace w95host::tour
