// A deterministic simulated Windows machine for native tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace w95::platform::sim {

class SimDesktop final : public Desktop {
 public:
  ScreenSize screen{1024, 768};
  bool gdiFlushResult = true;
  uint64_t availPageFile = 64ull << 20;
  std::vector<unsigned> beeps;
  struct HelpCall {
    uintptr_t owner;
    std::string file;
    unsigned command;
    uintptr_t data;
  };
  std::vector<HelpCall> helpCalls;
  std::vector<std::string> execs;

  ScreenSize Screen() override { return screen; }
  bool GdiFlush() override { return gdiFlushResult; }
  void Beep(unsigned type) override { beeps.push_back(type); }
  bool Help(uintptr_t owner, const std::string& file, unsigned command,
            uintptr_t data) override {
    helpCalls.push_back({owner, file, command, data});
    return true;
  }
  bool Exec(const std::string& command, int) override {
    execs.push_back(command);
    return true;
  }
  uint64_t AvailPageFile() override { return availPageFile; }
};

// The whole simulated machine; Install() makes it current.
class SimMachine {
 public:
  SimDesktop desktop;
  void Install();
};

}  // namespace w95::platform::sim
