// The print protocol's entry points: the print setup window is opened by
// the host, reports whether it exists, and is ended with its print job.
#pragma once

#include <cstdint>

namespace w95::print {

// Shows the print setup window for an image of width x height pixels
// (nothing when a window exists already); noEnhance > 0 turns enhancement off.
void PrintDlg(uintptr_t hostWindow, int32_t width, int32_t height, int32_t noEnhance);
// 1 while a print setup window exists, else 0.
int32_t PrintCheck();
// Ends the page and the document of the open print job, if any, and closes
// the window; a printer that fails the end of the job is reported.
void PrintEnd();

}  // namespace w95::print
