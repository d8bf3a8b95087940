#include "exports/library.h"

#include <cstdint>

#include "editor/editor_form.h"
#include "explorer/remote_dlg.h"
#include "explorer/remote_win.h"
#include "exports/module_state.h"
#include "platform/platform.h"
#include "video/video_form.h"
#include "print/print_dlg.h"
#include "ui/application.h"

namespace w95 {

void LibraryStart(void* /*moduleHandle*/) { InitialiseModules(); }

// The host frees the library: nothing of it may stay behind to be called later.
void LibraryEnd() { ui::Application().Shutdown(); }

// Each export that opens, shows or closes a window runs as a handler does: a
// window it closes (or that the user closes while it lets messages run) is
// destroyed after it has returned, never under it (ui::HandlerScope).
using Running = ui::HandlerScope;

int32_t RemoteDlg(int32_t kind, int32_t restrictFormats) {
  const Running running;
  return explorer::RunRemoteDlg(kind, restrictFormats);
}
void RemoteWin(HostWindow host, int32_t restorePlacement) {
  const Running running;
  explorer::RunRemoteWin(host, restorePlacement != 0);
}
void RemoteWinUpdate() {
  const Running running;
  explorer::RemoteWinUpdate();
}
void RemoteWinHide() {
  const Running running;
  explorer::RemoteWinHide();
}
void RemoteWinClose() {
  const Running running;
  explorer::RemoteWinClose();
}
int32_t EditorWin() {
  const Running running;
  return editor::RunEditorWin();
}
int32_t VideoWinPlayer(HostWindow host, int32_t hostMode, int kind) {
  const Running running;
  return video::VideoWinPlayer(host, hostMode, kind);
}
int32_t VideoWinStatus() { return video::VideoWinStatus(); }
void VideoWinClose() {
  const Running running;
  video::VideoWinClose();
}
void PrintDlg(HostWindow host, int32_t width, int32_t height, int32_t noEnhance) {
  const Running running;
  print::PrintDlg(host, width, height, noEnhance);
}
int32_t PrintCheck() { return print::PrintCheck(); }
void PrintEnd() {
  const Running running;
  print::PrintEnd();
}
// ShortToLongName, GetFreePageMem and GDIflush: services.cpp.

}  // namespace w95
