#include "tour_driver.h"

#include <cstdio>

#include "step_player.h"

namespace w95host::tour {

HWND FindWindowStarting(const std::string& caption) {
  return wine_windows::TopLevel(caption == kPopupMenu ? "#32768" : caption);
}

namespace {

// The window of a step, once it is ready. The library's file dialogs let
// messages run once while they open, before they list the folder and fill
// in the file name (what a step typed then is lost): a window with a file
// list is ready once the list has entries, or after a number of rounds
// (counted, not timed) for a folder that stays empty. The slide editor too
// lets messages run while it opens, before it reads its script: it is ready
// once its path line names a slide ("[1 of 4]"), or once a box has come.
bool NamesASlide(HWND editor) {
  for (HWND h : Descendants(editor)) {
    const std::string text = TextOf(h);
    const size_t open = text.rfind(" [");
    if (open != std::string::npos && text.find(" of ", open) != std::string::npos) return true;
  }
  return false;
}

HWND ReadyWindow(const std::string& caption) {
  static HWND waitedFor = nullptr;
  static int emptyRounds = 0;
  HWND window = FindWindowStarting(caption);
  if (window && TextOf(window).rfind("Plimbo Slide Editor", 0) == 0 && !NamesASlide(window) &&
      !wine_windows::TopLevel("#32770"))
    return nullptr;
  HWND list = window ? Child(window, "ListBox") : nullptr;
  if (!list || SendMessageA(list, LB_GETCOUNT, 0, 0) > 0) return window;
  if (window != waitedFor) {
    waitedFor = window;
    emptyRounds = 0;
  }
  return ++emptyRounds >= 20 ? window : nullptr;
}

}  // namespace

void Click(HWND window, const std::string& buttonCaption) {
  if (HWND button = Child(window, "Button", buttonCaption)) {
    PostMessageA(button, BM_CLICK, 0, 0);
  } else {
    std::printf("  (tour) no button \"%s\" in \"%s\"\n", buttonCaption.c_str(),
                TextOf(window).c_str());
    for (HWND h : Descendants(window))
      if (ClassOf(h) == "Button" && IsWindowVisible(h))
        std::printf("    it has \"%s\"\n", TextOf(h).c_str());
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

void ChooseMenuItem(HWND menu, const std::string& caption) {
  std::string shown;
  if (!wine_steps::ChooseMenuItem(menu, caption, &shown))
    std::printf("  (tour) no menu item \"%s\" in %s\n", caption.c_str(), shown.c_str());
}

bool SaveScreen(const std::string& bmpFile) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return wine_windows::SaveScreenArea(screen, bmpFile);
}

Outcome Play(std::vector<Step> steps, const std::function<void()>& call, DWORD timeoutMs,
             std::vector<int> answers) {
  wine_steps::Player player;
  for (Step& step : steps) player.steps.push_back({step.caption, std::move(step.act)});
  player.boxAnswers.assign(answers.begin(), answers.end());
  player.timeoutMs = timeoutMs;
  player.find = ReadyWindow;
  player.Start(150);
  player.callRunning = true;
  call();
  player.callRunning = false;
  // A modeless window lives on: play on until the steps are done (or given up).
  while (!player.steps.empty()) Pump(50);
  player.Stop();
  Outcome out;
  for (size_t i = 0; i < player.boxes.size(); ++i)
    out.boxes.push_back(player.boxTitles[i] + ": " + player.boxes[i]);
  out.missing = player.missing;
  return out;
}

}  // namespace w95host::tour
