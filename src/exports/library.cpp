#include "exports/library.h"

#include <cstdint>

#include "editor/editor_form.h"
#include "explorer/remote_dlg.h"
#include "explorer/remote_win.h"
#include "exports/module_state.h"
#include "platform/platform.h"
#include "video/video_form.h"
#include "print/print_dlg.h"

namespace w95 {

void LibraryStart(void* /*moduleHandle*/) { InitialiseModules(); }

void LibraryEnd() {}

int32_t RemoteDlg(int32_t kind, int32_t restrictFormats) {
  return explorer::RunRemoteDlg(kind, restrictFormats);
}
void RemoteWin(HostWindow host, int32_t restorePlacement) {
  explorer::RunRemoteWin(host, restorePlacement != 0);
}
void RemoteWinUpdate() { explorer::RemoteWinUpdate(); }
void RemoteWinHide() { explorer::RemoteWinHide(); }
void RemoteWinClose() { explorer::RemoteWinClose(); }
int32_t EditorWin() { return editor::RunEditorWin(); }
int32_t VideoWinPlayer(HostWindow host, int32_t hostMode, int kind) {
  return video::VideoWinPlayer(host, hostMode, kind);
}
int32_t VideoWinStatus() { return video::VideoWinStatus(); }
void VideoWinClose() { video::VideoWinClose(); }
void PrintDlg(HostWindow host, int32_t width, int32_t height, int32_t noEnhance) {
  print::PrintDlg(host, width, height, noEnhance);
}
int32_t PrintCheck() { return print::PrintCheck(); }
void PrintEnd() { print::PrintEnd(); }
// ShortToLongName, GetFreePageMem and GDIflush: services.cpp.

}  // namespace w95
