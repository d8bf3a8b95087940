// The explorer dialog entry: runs the explorer modally in the mode that
// `kind` selects and returns -1, or what the mode hands back on OK.
#pragma once

#include <cstdint>

namespace w95::explorer {

int32_t RunRemoteDlg(int32_t kind, int32_t restrictFormats);

}  // namespace w95::explorer
