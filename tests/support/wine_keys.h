// Keys as the user presses them: through the system's input queue to the
// window with the keyboard focus, so that the message loop of whoever owns
// that window (a dialog's own loop or the host's) sees them as typed, and a
// description of where the focus is, for following it around a window.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "wine_windows.h"

namespace wine_keys {

// Presses and releases `vk` while the keys in `held` (VK_SHIFT, VK_CONTROL,
// VK_MENU) are down, then lets this thread's messages run for `ms`. A window
// on a modal loop of the library must get its keys through that loop: give
// 0 there and look at the outcome once the loop has run.
inline void Press(WORD vk, std::initializer_list<WORD> held = {}, DWORD ms = 150) {
  std::vector<INPUT> in;
  auto add = [&](WORD key, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD h : held) add(h, false);
  add(vk, false);
  add(vk, true);
  for (auto it = std::rbegin(held); it != std::rend(held); ++it) add(*it, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  if (ms > 0) wine_windows::Pump(ms);
}

// The focused window as "Class:caption" ("Button:&Open", "ListBox:").
inline std::string Focused() {
  HWND f = GetFocus();
  if (!f) return "(none)";
  return wine_windows::ClassOf(f) + ":" + wine_windows::TextOf(f);
}

// Where the focus goes on `n` presses of `vk` (with `held`), one entry a press.
inline std::vector<std::string> Walk(WORD vk, int n, std::initializer_list<WORD> held = {}) {
  std::vector<std::string> seen;
  for (int i = 0; i < n; ++i) {
    Press(vk, held);
    seen.push_back(Focused());
  }
  return seen;
}

}  // namespace wine_keys
