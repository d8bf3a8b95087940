// Profile files in UTF-16LE: a file that starts with the byte order mark
// FF FE is read and written as UTF-16LE, and its text seen as ANSI (code
// page 1252) by the A profile functions. Any other file is ANSI bytes.
#pragma once

#include <string>
#include <string_view>

namespace w95 {

bool IsUtf16Text(std::string_view bytes);  // starts with FF FE
// The ANSI text of UTF-16LE bytes after their byte order mark; characters
// outside code page 1252 become "?".
std::string AnsiFromUtf16(std::string_view bytes);
// The UTF-16LE bytes, byte order mark first, of ANSI text.
std::string Utf16FromAnsi(std::string_view text);
// The text the profile functions see in a file's bytes.
std::string ProfileTextOf(std::string bytes);

}  // namespace w95
