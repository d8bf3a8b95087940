// The explorer dialog entry: runs the explorer modally in the mode that
// `kind` selects and returns -1, or what the mode hands back on OK.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace w95::explorer {

int32_t RunRemoteDlg(int32_t kind, int32_t restrictFormats);

// The explorer dialog choosing a folder: the folder it is in when the user
// confirms (long form, ending in "\"), nothing when cancelled.
std::optional<std::string> RunFolderDlg();

}  // namespace w95::explorer
