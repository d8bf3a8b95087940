// Test support for the toolkit on real windows: installs the real machine with
// a desktop that counts beeps and help calls (and still performs them).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_machine.h"

namespace wine_ui {

class RecordingDesktop final : public w95::platform::Desktop {
 public:
  explicit RecordingDesktop(w95::platform::Desktop* real) : real_(real) {}
  std::vector<unsigned> beeps;
  struct HelpCall {
    uintptr_t owner;
    std::string file;
    unsigned command;
    uintptr_t data;
  };
  std::vector<HelpCall> helpCalls;

  w95::platform::ScreenSize Screen() override { return real_->Screen(); }
  bool GdiFlush() override { return real_->GdiFlush(); }
  void Beep(unsigned type) override {
    beeps.push_back(type);
    real_->Beep(type);
  }
  bool Help(uintptr_t owner, const std::string& file, unsigned command, uintptr_t data) override {
    helpCalls.push_back({owner, file, command, data});
    return real_->Help(owner, file, command, data);
  }
  bool Exec(const std::string& command, int show) override { return real_->Exec(command, show); }
  uint64_t AvailPageFile() override { return real_->AvailPageFile(); }
  w95::platform::ScreenPoint CursorPos() override { return real_->CursorPos(); }
  uint32_t Ticks() override { return real_->Ticks(); }
  std::string ShortDateTime(uint64_t fileTime) override { return real_->ShortDateTime(fileTime); }

 private:
  w95::platform::Desktop* real_;
};

// Installs the Win32 machine with the recording desktop for one test.
class RealMachine {
 public:
  RealMachine() {
    w95::platform::InstallWin32Machine();
    machine_ = w95::platform::Current();
    desktop = std::make_unique<RecordingDesktop>(machine_.desktop);
    w95::platform::Machine m = machine_;
    m.desktop = desktop.get();
    w95::platform::Install(m);
  }
  ~RealMachine() { w95::platform::Install(machine_); }
  std::unique_ptr<RecordingDesktop> desktop;

 private:
  w95::platform::Machine machine_;
};

// With W95_SHOTS set to a folder, announces "<name>.ready" there and keeps
// the windows alive until "<name>.done" appears (a shell takes the shot).
void WaitForScreenshot(const std::string& name);

}  // namespace wine_ui
