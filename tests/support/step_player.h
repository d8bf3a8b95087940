// Plays a user through the library's real windows: a list of steps, each
// waiting for a window of this program (by the start of its caption, or a
// class such as "#32768" for an open pop-up menu) and then acting in it.
//
// Waiting is by event: a CBT hook on this thread sees every window being
// created or activated and wakes the player at once; the player acts from a
// thread timer, whose message the system delivers only once the thread's
// queue is empty, so the window has been shown and painted by then, and only
// on a window it has seen settle (see Round); a pop-up menu, once its own
// loop has gone idle (the menu tells its owner, which a hook on sent
// messages sees). A slower timer covers what
// raises no event (a condition a step waits for, a window settling). Message boxes titled "Error",
// "Warning", "Confirm" or "Information" are answered between steps with the next of `boxAnswers`
// (`boxOtherwise`, OK unless set, when none are left) and their texts collected.
//
// Thread timers and the hook run inside whatever loop is running (a modal
// window's, a message box's, a menu's), so the steps play while the export
// that shows the window has not yet returned. One player per thread at a
// time; it must outlive Stop().
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "wine_windows.h"

namespace wine_steps {

struct Step {
  std::string window;               // caption start, or "#class"
  std::function<void(HWND)> act;    // what the user does in it
  std::function<bool()> when = {};  // when given, also waits until it holds
};

class Player {
 public:
  std::deque<Step> steps;
  std::deque<int> boxAnswers;          // button ids for the next message boxes
  int boxOtherwise = IDOK;             // and for boxes once those are used up
  bool answerBoxes = true;             // false: boxes are left to the steps
  std::vector<std::string> boxes;      // texts of the boxes answered
  std::vector<std::string> boxTitles;  // and their titles
  std::vector<std::string> missing;    // captions given up on (see timeoutMs)
  DWORD timeoutMs = 0;                 // > 0: a step not played in time (or one that does not
                                       // return) is dropped with the rest; see GiveUpWhenLate
  // Set while the call that shows the windows has not returned: once every
  // step has been played, a window still open after `timeoutMs` is closed
  // (and noted in `missing`) instead of waiting for a user who is not there.
  bool callRunning = false;
  // How a step's window is found (by default wine_windows::TopLevel).
  std::function<HWND(const std::string& window)> find = {};

  void Start(UINT pollMs = 100) {
    Stop();
    current_ = this;
    waitingSince_ = GetTickCount();
    hook_ = SetWindowsHookExA(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId());
    menuHook_ = SetWindowsHookExA(WH_CALLWNDPROC, &OnSent, nullptr, GetCurrentThreadId());
    menuIdle_ = false;
    poll_ = SetTimer(nullptr, 0, pollMs, &OnTimer);
  }
  void Stop() {
    if (current_ != this) return;
    if (hook_) UnhookWindowsHookEx(hook_);
    if (menuHook_) UnhookWindowsHookEx(menuHook_);
    if (poll_) KillTimer(nullptr, poll_);
    if (wake_) KillTimer(nullptr, wake_);
    hook_ = menuHook_ = nullptr;
    poll_ = wake_ = 0;
    current_ = nullptr;
  }
  ~Player() { Stop(); }

  // Lets messages run until every step has been played (or dropped); false
  // when `ms` passed first.
  bool PlayOut(DWORD ms = 30000) {
    const DWORD until = GetTickCount() + ms;
    while (!steps.empty()) {
      if (static_cast<LONG>(until - GetTickCount()) <= 0) return false;
      wine_windows::Pump(20);
    }
    return true;
  }

  // Runs one round now: answers a box or plays the next step if its window
  // is ready. Called by the timers; a step may call it from a loop of its own.
  void Round() {
    if (auto box =
            answerBoxes ? wine_windows::AnswerMessageBox(boxAnswers, boxOtherwise) : std::nullopt) {
      boxes.push_back(box->text);
      boxTitles.push_back(box->title);
      return;
    }
    // A step that runs a loop of its own (a menu, a dialog it opened) plays
    // no other step until it returns; it too is given up on when late.
    if (inStep_) return GiveUpWhenLate();
    if (steps.empty()) {
      if (!idle_) waitingSince_ = GetTickCount();
      idle_ = true;
      if (callRunning) GiveUpWhenLate();
      return;
    }
    if (idle_) {  // steps were added since the last round: the wait starts now
      idle_ = false;
      waitingSince_ = GetTickCount();
    }
    const std::string& wanted = steps.front().window;
    HWND window = find ? find(wanted) : wine_windows::TopLevel(wanted);
    if (!window || (steps.front().when && !steps.front().when())) {
      seen_ = nullptr;
      return GiveUpWhenLate();
    }
    // A window is acted on once it has settled: seen at an earlier round,
    // with no window created or activated since (a window that lets
    // messages run while it opens is seen there first, and acted on once it
    // is back in its own loop).
    if (window != seen_ || windowEvent_) {
      seen_ = window;
      windowEvent_ = false;
      return GiveUpWhenLate();
    }
    // A pop-up menu takes its keys only in its own loop; until that loop
    // has said it is idle, this round may run inside a loop of someone
    // else's that the menu let run (a handler of a message it dispatched),
    // where the keys posted to it would be taken and lost.
    if (!menuIdle_ && wine_windows::ClassOf(window) == "#32768") return GiveUpWhenLate();
    seen_ = nullptr;
    Step step = std::move(steps.front());
    steps.pop_front();
    waitingSince_ = GetTickCount();
    inStep_ = true;
    step.act(window);
    inStep_ = false;
    waitingSince_ = GetTickCount();
  }

 private:
  // Past `timeoutMs` without progress: the steps left are dropped (the
  // caption awaited is kept in `missing`), an open menu is ended and the
  // window in front is asked to close, so that whatever loop runs returns.
  void GiveUpWhenLate() {
    if (timeoutMs == 0 || GetTickCount() - waitingSince_ <= timeoutMs) return;
    missing.push_back(inStep_         ? "(a step that did not return)"
                      : steps.empty() ? "(the call did not return after the last step)"
                                      : steps.front().window);
    steps.clear();
    waitingSince_ = GetTickCount();
    EndMenu();
    if (HWND front = GetActiveWindow()) PostMessageA(front, WM_CLOSE, 0, 0);
  }

  // A window came or was activated: play soon, once the queue is empty.
  static LRESULT CALLBACK OnCbt(int code, WPARAM wp, LPARAM lp) {
    if ((code == HCBT_ACTIVATE || code == HCBT_CREATEWND) && current_) {
      current_->windowEvent_ = true;
      if (!current_->wake_) current_->wake_ = SetTimer(nullptr, 0, 10, &OnTimer);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  // A menu's loop starts, ends, or has nothing left to do (it tells its
  // owner so each time it would wait for a message).
  static LRESULT CALLBACK OnSent(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && current_) {
      const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
      if (sent->message == WM_ENTERMENULOOP || sent->message == WM_EXITMENULOOP) {
        current_->menuIdle_ = false;
      } else if (sent->message == WM_ENTERIDLE && sent->wParam == MSGF_MENU) {
        current_->menuIdle_ = true;
        if (!current_->wake_) current_->wake_ = SetTimer(nullptr, 0, 10, &OnTimer);
      }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    Player* p = current_;
    if (!p) return;
    if (id == p->wake_) {
      KillTimer(nullptr, p->wake_);
      p->wake_ = 0;
    }
    p->Round();
  }

  static inline Player* current_ = nullptr;
  HHOOK hook_ = nullptr, menuHook_ = nullptr;
  UINT_PTR poll_ = 0, wake_ = 0;
  DWORD waitingSince_ = 0;
  HWND seen_ = nullptr;       // the next step's window, seen at the last round
  bool windowEvent_ = false;  // a window was created or activated since
  bool menuIdle_ = false;     // the running menu loop has been idle
  bool inStep_ = false;
  bool idle_ = true;  // no steps at the last round
};

// --- menus ---------------------------------------------------------------------

// The caption of a menu item as shown, without its "&" marks and the
// shortcut text after a tab.
inline std::string PlainMenuText(const std::string& text) {
  std::string plain;
  for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
    if (text[i] == '&' && i + 1 < text.size() && text[i + 1] != '&') continue;
    plain += text[i];
  }
  return plain;
}

// The letter marked with "&" in a menu caption (lower case), or 0.
inline char MnemonicOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size() && text[i] != '\t'; ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    const char c = text[i + 1];
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return 0;
}

// Chooses the item captioned `caption` (with or without its "&" marks and
// shortcut text) in the open pop-up menu `menuWindow` with the keyboard, as a
// user does: its underlined letter when no other item has it, or else
// Home, Down to it, then Enter. Enter on an item with a submenu opens it: its window is
// the next
// "#32768". False when the menu has no such item; `shown` then lists the
// captions it has, and the menu is closed (a menu left open would keep the
// call that opened it waiting).
inline bool ChooseMenuItem(HWND menuWindow, const std::string& caption,
                           std::string* shown = nullptr) {
  constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, kGetMenu, 0, 0));
  if (shown) *shown = menu ? "" : "(no menu)";
  if (!menu) {
    EndMenu();
    return false;
  }
  const int count = GetMenuItemCount(menu);
  // The keyboard moves over every item but separators, wrapping round.
  std::vector<int> stops;
  std::vector<std::string> texts;
  int target = -1;
  for (int i = 0; i < count; ++i) {
    // The item's type and state (GetMenuState gives a submenu's item count
    // in its high byte instead, which can read as a separator).
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.fType & MFT_SEPARATOR) continue;
    char text[256] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (shown) *shown += std::string(shown->empty() ? "" : "|") + text;
    if (target < 0 && (caption == text || PlainMenuText(caption) == PlainMenuText(text)))
      target = static_cast<int>(stops.size());
    stops.push_back(i);
    texts.push_back(text);
  }
  if (target < 0) {
    EndMenu();
    return false;
  }
  // An item with a letter of its own is chosen by typing that letter.
  const char letter = MnemonicOf(texts[static_cast<size_t>(target)]);
  int sharing = 0;
  for (const std::string& t : texts) sharing += letter && MnemonicOf(t) == letter;
  if (sharing == 1) {
    PostMessageA(menuWindow, WM_CHAR, static_cast<WPARAM>(letter), 0);
    return true;
  }
  // Otherwise Home highlights the first item whatever was highlighted
  // before; Down then moves item by item.
  PostMessageA(menuWindow, WM_KEYDOWN, VK_HOME, 0);
  for (int i = 0; i < target; ++i) PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
  return true;
}

}  // namespace wine_steps
