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

// Names the code page cannot hold (see platform/code_page_text.h): the
// library shows them as the file system has them, the host gets them by
// their short names.
//
// The name (no folder) of an existing file or folder as the user sees it:
// the name part of the path unchanged, unless the file's long name is one
// the code page cannot hold (the path may name it by its alias): that long
// name, as shown text.
std::string ShownNameOf(const std::string& path);
// The same for each folder of a path and its name ("c:\PICS\XIE~1.BMP" ->
// "c:\PICS\写真.bmp"); a trailing "\" is kept.
std::string ShownPathOf(const std::string& path);
// The name the slide editor shows for a file: LongNameOf, or the long name
// as shown text where the code page cannot hold it.
std::string LongShownNameOf(const std::string& path);
// A path for the host: unchanged when the code page holds it, else its
// short form; empty when it has none (a volume without short names).
std::string HostPathOf(const std::string& path);

std::string TrimLeadingSpaces(const std::string& text);

// The part of a path after its last ":" or "\" (the name without folders).
std::string NamePart(const std::string& path);

}  // namespace w95
