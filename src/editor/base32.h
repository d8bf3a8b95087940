// Base-32 text of catalog identifiers and thumbnail indices: digits "0" to
// "9", then "A" to "V" for 10 to 31.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace w95::editor {

// The low 30 bits as 6 digits, most significant first, with every leading
// "0" removed: 32 gives "10", 32760 gives "VVO", 0 gives "".
std::string ToBase32(uint32_t value);
// The first 5 characters, padded on the left with "0" to 5 and evaluated: a
// character below ":" counts as its digit value, any other as its code less 55.
int32_t FromBase32(std::string_view text);

}  // namespace w95::editor
