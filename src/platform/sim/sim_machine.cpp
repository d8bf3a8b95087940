#include "platform/sim/sim_machine.h"

namespace w95::platform::sim {

SimMachine::SimMachine() {
  files.AddFolder(profiles.windowsDirectory);
  files.ticks = &desktop.ticks;
}

void SimMachine::Install() {
  Machine m;
  m.profiles = &profiles;
  m.files = &files;
  m.desktop = &desktop;
  m.host = &host;
  m.media = &media;
  m.printer = &printer;
  m.pictures = &pictures;
  m.previews = &previews;
  platform::Install(m);
}

SimMachine::~SimMachine() {
  if (platform::Current().desktop == &desktop) platform::Install(Machine{});
}

}  // namespace w95::platform::sim
