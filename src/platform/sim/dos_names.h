// File-name rules of Windows that the simulated file system follows: 8.3
// names and the aliases made for long names, and the wildcard matching of
// FindFirstFileA. Pure functions on text.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace w95::platform::sim {

// Upper case of ASCII letters; other bytes unchanged.
std::string Upper(std::string_view s);
bool SameName(std::string_view a, std::string_view b);  // case-insensitive

// True when `name` is already a valid 8.3 name (any case): a base of 1 to 8
// characters, at most one dot, an extension of at most 3, and no character
// that a short name cannot hold (space, "+,;=[]" ...). Such names get no alias.
bool IsShortName(std::string_view name);

// The 8.3 alias Windows makes for a long name: upper case, spaces and all
// dots but the last dropped, characters a short name cannot hold turned into
// "_", the base cut to 6 characters plus "~1" and the extension to 3
// ("Long File Name.txt" -> "LONGFI~1.TXT"). `taken` tells whether a
// candidate is already used in the folder; the number then counts up (~2,
// ..., ~9, then the base is cut shorter for ~10 and on).
std::string MakeAlias(std::string_view longName,
                      const std::function<bool(const std::string&)>& taken);

// FindFirstFileA's pattern matching on one name (case-insensitive): "*" any
// run of characters, "?" one character (or none before a dot or at the end),
// "*." and ".?"/".*" with the DOS meanings, and "*.*" everything.
bool MatchesPattern(std::string_view pattern, std::string_view name);

}  // namespace w95::platform::sim
