// The library behind the 15 exports: start-up, module state and one function
// per export. The DLL's __stdcall shims (exports/dll) call these; native tests
// call them directly.
#pragma once

#include <cstdint>

namespace w95 {

using HostWindow = uintptr_t;

void LibraryStart(void* moduleHandle);
void LibraryEnd();

int32_t RemoteDlg(int32_t kind, int32_t restrictFormats);
void RemoteWin(HostWindow host, int32_t restorePlacement);
void RemoteWinUpdate();
void RemoteWinHide();
void RemoteWinClose();
int32_t EditorWin();
int32_t VideoWinPlayer(HostWindow host, int32_t hostMode, int kind);
int32_t VideoWinStatus();
void VideoWinClose();
void PrintDlg(HostWindow host, int32_t width, int32_t height, int32_t noEnhance);
int32_t PrintCheck();
void PrintEnd();
void ShortToLongName();
uint32_t GetFreePageMem();
int32_t GDIflush();

}  // namespace w95
