// The catalog identifier that names a script's set of thumbnails.
#pragma once

#include <string>
#include <string_view>

namespace w95::editor {

// The identifier that follows the last one handed out (`lastId`, the
// settings key "THMidx"); when none was handed out yet, one made of the date
// and time `now` (days since 30 December 1899, with the time of day as the
// fraction). Always at least 5 characters.
std::string NextCatalogId(std::string_view lastId, double now);

// The local date and time as days since 30 December 1899.
double NowAsDayNumber();

// Hands out a new identifier: reads "THMidx" from the settings file, writes
// the new value back and returns it. Throws w95::Error when it cannot write.
std::string NewCatalogId(double now);

}  // namespace w95::editor
