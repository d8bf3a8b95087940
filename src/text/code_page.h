// Profile files in UTF-16LE: a file that starts with the byte order mark
// FF FE is read and written as UTF-16LE, and its text seen as ANSI (code
// page 1252) by the A profile functions. Any other file is ANSI bytes.
#pragma once

#include <optional>
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

// Code page 1252 one character at a time: the UTF-16 unit of a byte, and the
// byte of a unit when the code page holds it exactly.
char16_t UnitOf1252(unsigned char byte);
std::optional<char> ByteOf1252(char16_t unit);

// UTF-8 and UTF-16 (surrogate pairs for characters beyond the first plane).
// Utf16FromUtf8 gives nothing for bytes that are not well-formed UTF-8;
// Utf8FromUtf16 writes an unpaired surrogate as U+FFFD.
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace w95
