#include "exports/module_state.h"

namespace w95 {

ModuleState& Module() {
  static ModuleState state;
  return state;
}

void InitialiseModules() {
  ModuleState& m = Module();
  m.explorer = ExplorerModule{};
  m.print = PrintModule{};
  m.editor = EditorModule{};
}

}  // namespace w95
