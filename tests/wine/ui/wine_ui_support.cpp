#include "wine_ui_support.h"

#include <windows.h>

#include <cstdlib>

#include "ui/win32/win32_internal.h"

namespace wine_ui {

void WaitForScreenshot(const std::string& name) {
  const char* dir = std::getenv("W95_SHOTS");
  if (!dir) return;
  const std::string ready = std::string(dir) + "\\" + name + ".ready";
  const std::string done = std::string(dir) + "\\" + name + ".done";
  CloseHandle(CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  for (int i = 0; i < 600 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
    w95::ui::win32::PumpPending();
    Sleep(50);
  }
}

}  // namespace wine_ui
