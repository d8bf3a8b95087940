// Path routines shared by the explorer and the slide editor. They reach the
// file system through platform::Current().files.
#pragma once

#include <string>

namespace w95 {

// "\" alone becomes the current directory; then "\" is appended unless the
// path already ends with one.
std::string AddBackslash(const std::string& path);

// The short (8.3) form of an existing file or folder; the path unchanged
// when it does not exist or its short form would not fit 255 characters.
std::string ShortPathOf(const std::string& path);

// The long name (no folder) of an existing file or folder: its stored name,
// case kept, when it has an 8.3 alias, else its (short) name in lower case.
// For a path that does not exist: the part after the last ":" or "\", in
// lower case.
std::string LongNameOf(const std::string& path);

// The long form of a path, folder by folder ("c:\PHOTOS~1\LONGFI~1.JPE" ->
// "c:\Holiday Photos\Long File Name.jpeg"). A drive root ("c:\") is returned
// unchanged; a trailing "\" is dropped.
std::string LongPathOf(const std::string& path);

std::string TrimLeadingSpaces(const std::string& text);

// The part of a path after its last ":" or "\" (the name without folders).
std::string NamePart(const std::string& path);

}  // namespace w95
