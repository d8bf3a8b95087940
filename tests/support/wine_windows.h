// Finding and photographing the real windows a Wine test drives: the visible
// windows of this process by caption or class, their descendants, waiting
// for one to appear, and a picture of a screen area as the program sees it.
// The callbacks are named stdcall functions: the 32-bit build takes no
// lambda as a window enumeration callback.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace wine_windows {

inline std::string TextOf(HWND h) {
  char buf[512] = "";
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

inline std::string ClassOf(HWND h) {
  char buf[64] = "";
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

struct WindowQuery {
  std::string cls = {};   // class, any case; empty: any class
  std::string text = {};  // caption: whole, or its start when `prefix`; empty: any
  bool prefix = false;
  bool hiddenToo = false;  // hidden windows match too
  HWND found = nullptr;

  bool Matches(HWND h) const {
    if (!hiddenToo && !IsWindowVisible(h)) return false;
    if (!cls.empty() && _stricmp(ClassOf(h).c_str(), cls.c_str()) != 0) return false;
    if (text.empty()) return true;
    const std::string t = TextOf(h);
    return prefix ? t.rfind(text, 0) == 0 : t == text;
  }
};

inline BOOL CALLBACK MatchWindow(HWND h, LPARAM p) {
  auto* query = reinterpret_cast<WindowQuery*>(p);
  if (!query->Matches(h)) return TRUE;
  query->found = h;
  return FALSE;
}

inline BOOL CALLBACK MatchOwnWindow(HWND h, LPARAM p) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  return pid == GetCurrentProcessId() ? MatchWindow(h, p) : TRUE;
}

inline BOOL CALLBACK CollectWindow(HWND h, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

// The first descendant of `parent` that the query matches, e.g.
// Find(form, {.cls = "Button", .text = "&Open"}).
inline HWND Find(HWND parent, WindowQuery q) {
  EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// The first visible descendant of `parent` of class `cls` (any case) whose
// caption is `text` (any caption when empty).
inline HWND Child(HWND parent, const std::string& cls, const std::string& text = {}) {
  return Find(parent, {.cls = cls, .text = text});
}

// Every descendant of `parent`, visible or not, parents before children.
inline std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}

// The first top-level window of this process that the query matches.
inline HWND FindTopLevel(WindowQuery q) {
  EnumWindows(MatchOwnWindow, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// A visible top-level window of this process whose caption starts with
// `caption`, or, when `caption` starts with "#", whose class is `caption`
// ("#32770" a dialog box, "#32768" an open pop-up menu).
inline HWND TopLevel(const std::string& caption) {
  if (!caption.empty() && caption[0] == '#') return FindTopLevel({.cls = caption});
  return FindTopLevel({.text = caption, .prefix = true});
}

// As TopLevel, with the whole caption and, when given, the class.
inline HWND TopLevelExactly(const std::string& cls, const std::string& caption) {
  return FindTopLevel({.cls = cls, .text = caption});
}

// A message box of this program that was answered: its title and text.
struct AnsweredBox {
  std::string title, text;
};

// Answers the first message box of this program titled "Error", "Warning",
// "Confirm" or "Information" with the next of `answers` (`otherwise` when
// none are left); nothing when no such box is up.
inline std::optional<AnsweredBox> AnswerMessageBox(std::deque<int>& answers, int otherwise = IDOK) {
  for (const char* title : {"Error", "Warning", "Confirm", "Information"}) {
    HWND box = TopLevelExactly("#32770", title);
    if (!box) continue;
    std::string shown;
    for (HWND h = GetWindow(box, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
      if (ClassOf(h) == "Static" && !TextOf(h).empty()) shown = TextOf(h);
    const int answer = answers.empty() ? otherwise : answers.front();
    if (!answers.empty()) answers.pop_front();
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    return AnsweredBox{title, shown};
  }
  return std::nullopt;
}

// Lets this thread's messages run for about `ms` milliseconds.
inline void Pump(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    Sleep(10);
  } while (static_cast<LONG>(until - GetTickCount()) > 0);
}

// Waits, letting messages run, until TopLevel(caption) is there; null after
// `ms` milliseconds without it.
inline HWND WaitForWindow(const std::string& caption, DWORD ms = 5000) {
  const DWORD until = GetTickCount() + ms;
  for (;;) {
    if (HWND h = TopLevel(caption)) return h;
    if (static_cast<LONG>(until - GetTickCount()) <= 0) return nullptr;
    Pump(20);
  }
}

// Writes the area `r` of the device context `dc` as a 24-bit BMP file.
inline bool SaveDcArea(HDC dc, const RECT& r, const std::string& bmpFile) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !bits) {
    if (bmp) DeleteObject(bmp);
    return false;
  }
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
  GdiFlush();
  SelectObject(mem, old);
  DeleteDC(mem);
  const DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + size;
  bool ok = false;
  if (FILE* f = std::fopen(bmpFile.c_str(), "wb")) {
    ok = std::fwrite(&file, sizeof file, 1, f) == 1 &&
         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f) == 1 &&
         std::fwrite(bits, size, 1, f) == 1;
    ok = std::fclose(f) == 0 && ok;
  }
  DeleteObject(bmp);
  return ok;
}

// Writes the area `r` of the screen, as this program's screen device context
// has it, as a 24-bit BMP file.
inline bool SaveScreenArea(const RECT& r, const std::string& bmpFile) {
  HDC screen = GetDC(nullptr);
  const bool ok = SaveDcArea(screen, r, bmpFile);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace wine_windows
