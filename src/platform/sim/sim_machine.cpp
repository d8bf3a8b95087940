#include "platform/sim/sim_machine.h"

namespace w95::platform::sim {

void SimMachine::Install() {
  Machine m;
  m.desktop = &desktop;
  platform::Install(m);
}

}  // namespace w95::platform::sim
