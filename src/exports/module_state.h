// State that lives beside the library's windows for the library's lifetime:
// set at library start, read by later exports (the open flags), and by each
// window when it is next built.
#pragma once

#include <cstdint>
#include <string>

#include "exports/library.h"
#include "print/print_state.h"

namespace w95 {

// The explorer: one instance at a time; the modeless window's flags.
struct ExplorerModule {
  bool windowOpen = false;
  bool modal = false;
  int32_t explorerMode = 0;
  HostWindow hostWindow = 0;
  bool rememberPlacement = false;
};

// The print setup window's state lives with the window (print/print_state.h).
using PrintModule = print::PrintModule;

// The slide editor's defaults.
struct EditorModule {
  std::string caption = "Plimbo Slide Editor";
  std::string separator = std::string(30, '-');  // the not-applicable cell text
  int32_t thumbColumns = 8;
  int32_t thumbRows = 4;
  int32_t thumbPageSize = 32;
};

struct ModuleState {
  ExplorerModule explorer;
  PrintModule& print = ::w95::print::State();
  EditorModule editor;
};

ModuleState& Module();

// The library's own start-up, in this order: explorer state reset, print
// setup state, slide editor defaults.
void InitialiseModules();

}  // namespace w95
