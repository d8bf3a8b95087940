// Text between the system code page and UTF-16. The host's keys, exchange
// files, scripts and tag lists hold names in the code page; the file system
// and the windows hold them in UTF-16. Every conversion between the two in
// the library goes through these functions, and none of them maps a
// character to a look-alike: a name the code page cannot hold exactly is
// reported as such ("Ωmega.bmp" never becomes "omega.bmp", a full-width "／"
// never becomes "/").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace w95::platform {

// The code-page bytes of wide text, or nothing when one of its characters has
// no exact counterpart (checked by converting back).
std::optional<std::string> CodePageFromWide(std::u16string_view text);
// As above, but each character the code page cannot hold becomes "?" (which
// no file name contains), for text that is shown rather than handed on.
std::string CodePageOrMarks(std::u16string_view text);
// The wide text of code-page bytes, or nothing when they are not valid in the
// code page.
std::optional<std::u16string> WideFromCodePage(std::string_view text);

// The same between the code page and UTF-8.
std::optional<std::string> CodePageFromUtf8(std::string_view text);
std::string CodePageOrMarksFromUtf8(std::string_view text);
std::string Utf8FromCodePage(std::string_view text);  // invalid bytes become U+FFFD

}  // namespace w95::platform
