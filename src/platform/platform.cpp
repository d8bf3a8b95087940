#include "platform/platform.h"

namespace w95::platform {

namespace {
Machine current;
}

Machine& Current() { return current; }
void Install(const Machine& machine) { current = machine; }

}  // namespace w95::platform
