// A deterministic simulated Windows machine for native tests.
//
//   SimMachine m;                   // drive C: with C:\WINDOWS, 1024x768, 64 MB page file
//   m.files.AddFile("C:\\Photos\\Long File Name.jpeg", "data");
//   m.files.AddDrive('A', /*ready=*/false);
//   m.desktop.SetScreen(800, 600);
//   m.printer.Install({SimPrinter::A4()});
//   m.host.onSend = [](const SentMessage&) { return 1; };
//   m.Install();                                    // platform::Current() is now m
//   ... m.host.sent, m.desktop.beeps, m.desktop.helpCalls record what happened
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_media.h"
#include "platform/sim/sim_previews.h"
#include "platform/sim/sim_printer.h"
#include "platform/sim/sim_profiles.h"

namespace w95::platform::sim {

class SimDesktop final : public Desktop {
 public:
  ScreenSize screen{1024, 768};
  bool gdiFlushResult = true;
  uint64_t availPageFile = 64ull << 20;  // GlobalMemoryStatus dwAvailPageFile
  bool execResult = true;
  std::vector<unsigned> beeps;
  struct HelpCall {
    uintptr_t owner;
    std::string file;
    unsigned command;
    uintptr_t data;
  };
  std::vector<HelpCall> helpCalls;
  std::vector<std::string> execs;
  std::vector<int> execShows;  // the window state of each

  void SetScreen(int width, int height) { screen = {width, height}; }

  ScreenSize Screen() override { return screen; }
  bool GdiFlush() override { return gdiFlushResult; }
  void Beep(unsigned type) override { beeps.push_back(type); }
  bool Help(uintptr_t owner, const std::string& file, unsigned command, uintptr_t data) override {
    helpCalls.push_back({owner, file, command, data});
    return true;
  }
  bool Exec(const std::string& command, int show) override {
    execs.push_back(command);
    execShows.push_back(show);
    return execResult;
  }
  uint64_t AvailPageFile() override { return availPageFile; }
  // The machine's clock: it moves only when a test moves it.
  uint32_t ticks = 0;
  uint32_t Ticks() override { return ticks; }
};

// A message the library sent to the host (or broadcast to all windows).
struct SentMessage {
  uintptr_t window = 0;  // 0 for a broadcast
  unsigned message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
  bool broadcast = false;
};

// Records every message; `onSend`, when set, plays the host's window
// procedure: it runs before Send returns and gives its result.
class SimHostLink final : public HostLink {
 public:
  std::vector<SentMessage> sent;
  std::function<intptr_t(const SentMessage&)> onSend;
  // Handles of windows that were destroyed: not windows any more.
  std::vector<uintptr_t> destroyed;

  intptr_t Send(uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) override {
    sent.push_back({window, message, wParam, lParam, false});
    return onSend ? onSend(sent.back()) : 0;
  }
  void Broadcast(unsigned message, uintptr_t wParam, intptr_t lParam) override {
    sent.push_back({0, message, wParam, lParam, true});
    if (onSend) onSend(sent.back());
  }
  bool IsWindow(uintptr_t window) override {
    return window != 0 && std::find(destroyed.begin(), destroyed.end(), window) == destroyed.end();
  }
};

// Bitmaps read from the simulated files with our own reader; counts the
// files it was asked for.
class SimPictures final : public PictureLoader {
 public:
  explicit SimPictures(FileSystem& files) : files_(files) {}
  int loads = 0;
  PicturePtr LoadBitmap(const std::string& path) override {
    ++loads;
    const std::optional<std::string> bytes = files_.ReadFile(path);
    return bytes ? DecodeBmp(*bytes) : nullptr;
  }

 private:
  FileSystem& files_;
};

// The whole simulated machine. Install() makes it the current machine; the
// destructor uninstalls it if it is still current.
class SimMachine {
 public:
  SimMachine();
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;
  ~SimMachine();

  SimFileSystem files;               // drive C: with the Windows directory C:\WINDOWS
  SimProfileStore profiles{&files};  // "plimbo.ini" is C:\WINDOWS\plimbo.ini
  SimDesktop desktop;
  SimHostLink host;
  SimMedia media{&files};
  SimPrinter printer;  // no printer until a test installs some
  SimPictures pictures{files};
  SimPreviews previews{files};

  void Install();
};

}  // namespace w95::platform::sim
