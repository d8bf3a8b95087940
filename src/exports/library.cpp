#include "exports/library.h"

#include <cstdint>
#include <limits>

#include "explorer/remote_dlg.h"
#include "platform/platform.h"

namespace w95 {

namespace {
// Module state of the windows that later exports ask about.
struct ModuleState {
  bool videoOpen = false;
  int32_t videoHostMode = 0;
  bool printOpen = false;
};
ModuleState state;
}  // namespace

void LibraryStart(void* /*moduleHandle*/) {
  state = ModuleState{};
}

void LibraryEnd() {}

int32_t RemoteDlg(int32_t kind, int32_t restrictFormats) {
  return explorer::RunRemoteDlg(kind, restrictFormats);
}
void RemoteWin(HostWindow /*host*/, int32_t /*restorePlacement*/) {}
void RemoteWinUpdate() {}
void RemoteWinHide() {}
void RemoteWinClose() {}
int32_t EditorWin() { return 0; }
int32_t VideoWinPlayer(HostWindow /*host*/, int32_t /*hostMode*/, int /*kind*/) { return 0; }
int32_t VideoWinStatus() { return state.videoOpen ? (256 | state.videoHostMode) : 0; }
void VideoWinClose() {}
void PrintDlg(HostWindow /*host*/, int32_t /*width*/, int32_t /*height*/, int32_t /*enhance*/) {}
int32_t PrintCheck() { return state.printOpen ? 1 : 0; }
void PrintEnd() {}
void ShortToLongName() {}

uint32_t GetFreePageMem() {
  const uint64_t avail = platform::Current().desktop->AvailPageFile();
  return avail > std::numeric_limits<uint32_t>::max() ? 0xFFFFFFFFu
                                                      : static_cast<uint32_t>(avail);
}

int32_t GDIflush() { return platform::Current().desktop->GdiFlush() ? 1 : 0; }

}  // namespace w95
