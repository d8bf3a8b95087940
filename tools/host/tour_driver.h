// The tour's hands and eyes: finds the library's windows as they appear,
// acts in them as a person would (through the same messages a person's
// clicks and keys produce), answers message boxes, and photographs the
// screen into bitmap files.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "wine_windows.h"

namespace w95host::tour {

// --- finding windows (shared with the Wine tests) -----------------------------
using wine_windows::Child;  // a visible descendant of a class (and caption)
using wine_windows::ClassOf;
using wine_windows::Descendants;  // every descendant, in creation order
using wine_windows::Pump;         // lets this thread's windows run for `ms`
using wine_windows::TextOf;
// A visible top-level window of this thread whose caption starts with
// `caption`; for kPopupMenu, the popup menu on screen.
inline constexpr char kPopupMenu[] = "#menu";
HWND FindWindowStarting(const std::string& caption);

// --- acting ------------------------------------------------------------------
void Click(HWND window, const std::string& buttonCaption);
void SetEditText(HWND window, const std::string& text);  // the first edit box
void Key(HWND target, int vk);
// Chooses the item captioned `caption` in the open pop-up menu `menu` with
// the keyboard; when it has none, says so and closes the menu.
void ChooseMenuItem(HWND menu, const std::string& caption);

// --- seeing ------------------------------------------------------------------
// Saves the whole screen as a 24-bit bitmap file; false when it could not.
bool SaveScreen(const std::string& bmpFile);

// --- steps ---------------------------------------------------------------------
// A step waits for a window whose caption starts with `caption` and acts on
// it once it has settled (see wine_steps::Player).
struct Step {
  std::string caption;
  std::function<void(HWND)> act;
};

// Runs `call` (an export that shows a modal window, or that opens a modeless
// one) while a wine_steps::Player plays the steps. Message boxes that appear are
// answered with OK (or the next of `answers`) and their texts collected.
// Steps not played within `timeoutMs` are reported as missing windows and the
// window in front is closed so that the tour never hangs.
struct Outcome {
  std::vector<std::string> boxes;    // texts of the message boxes answered
  std::vector<std::string> missing;  // captions of windows that never appeared
};
Outcome Play(std::vector<Step> steps, const std::function<void()>& call, DWORD timeoutMs = 20000,
             std::vector<int> answers = {});

}  // namespace w95host::tour
