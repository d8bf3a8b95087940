#include "tour_driver.h"

#include <cstdio>
#include <deque>

namespace w95host::tour {

namespace {

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
  if (auto box = wine_windows::AnswerMessageBox(player.answers)) {
    player.outcome.boxes.push_back(box->title + ": " + box->text);
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
  return wine_windows::TopLevel(caption == kPopupMenu ? "#32768" : caption);
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

bool SaveScreen(const std::string& bmpFile) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return wine_windows::SaveScreenArea(screen, bmpFile);
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
