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

// Text as the library shows and names it inside ("shown text"): each
// character the code page holds in the code page, each other one in UTF-8
// ("写真.bmp", "Ωmega.bmp"; "café" stays in the code page). Text the code
// page holds is thus unchanged, pieces joined or cut at "\" stay in this
// form, and a UTF-8 sequence is told from code-page bytes because it stands
// for a character the code page lacks. Windows, the file service and the
// lists take and give text in this form; what goes to the host stays in the
// code page (a name it cannot hold goes by its short name).
std::string ShownFromWide(std::u16string_view text);
std::string ShownFromUtf8(std::string_view text);  // not well-formed: taken as code page
std::u16string WideFromShown(std::string_view text);
std::string Utf8FromShown(std::string_view text);
// The code-page form of shown text, or nothing when the code page cannot
// hold it.
std::optional<std::string> CodePageFromShown(std::string_view text);

}  // namespace w95::platform
