// The explorer's file types: the browse list with its patterns, the save
// formats per pixel depth with the host's format codes, the saved position
// per depth, the pixel-depth box, the expected extension of an entry and the
// rule that shows the compression button.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace w95::explorer {

inline constexpr int kBrowseCount = 27;
inline constexpr int kAllValidated = 1;   // "All validated formats"
inline constexpr int kSlideshowType = 5;  // "AVL (AV List Slideshow)"
inline constexpr int32_t kNothingStored = 911;
inline constexpr int kFormatCodeRoom = 64;

struct BrowseType {
  const char* entry;
  const char* mask;
};
// The 27 entries of the file type box as built into the window.
const BrowseType* BrowseList();
std::vector<std::string> BrowseEntries();
// The pattern list of a browse position; "*.*" outside 1 to 26.
std::string BrowseMask(int position);

// The type column of the details view: the description of the first entry
// of the browse list that names the file's extension first among its
// patterns, else of the first that lists it at all ("PIC (Pegasus 'JPEG')"
// for "a.pic", "JPEG (JFIF compliant)" for "a.jpg"); "XYZ file" for an
// extension the list does not know, "File" for a name without one, "Folder"
// for a folder.
std::string TypeDescription(std::string_view name, bool folder);
// The same with what was found kept per extension: one per list.
class TypeNamer {
 public:
  const std::string& Of(std::string_view name, bool folder);

 private:
  std::map<std::string, std::string> known_;  // by extension; what it gives stays in place
  std::string folder_ = "Folder";
};

struct SaveFormat {
  std::string entry;
  int32_t code;
};
// The save formats of a depth in box order; empty for any other depth. With
// `restricted`, the entries the host may not write there are left out.
std::vector<SaveFormat> SaveFormats(int depth, bool restricted);

// 1, 4, 8, 16 or 24.
bool IsPixelDepth(int mode);
// "Save24" ... "Save1"; empty for other depths.
std::string SaveKey(int depth);
// The position used when nothing is stored (5, 2, 9, 0, 5 for 24 ... 1).
int DefaultSavedPosition(int depth);
// The stored value, with 911 (stored or absent) meaning the default.
int SavedPositionFrom(int depth, int32_t stored);
// With restricted formats, the position that replaces the saved one (-1 when
// the depth's list is not restricted).
int RestrictedSavedPosition(int depth);
// The position to select in a list of `count` entries: the saved one, or the
// first entry when the saved one lies outside the list.
int PositionToSelect(int saved, int count);

// The five saved positions, one per depth.
class SavedPositions {
 public:
  int& At(int depth) { return pos_[Slot(depth)]; }
  int Get(int depth) const { return pos_[Slot(depth)]; }

 private:
  static int Slot(int depth);
  int pos_[6] = {5, 2, 9, 0, 5, 0};  // 24, 16, 8, 4, 1, any other
};

struct DepthChoice {
  const char* entry;
  int depth;
  int savedPosition;
};
inline constexpr int kDepthChoiceCount = 5;
// The entries of the pixel-depth box of the convert family.
const DepthChoice* DepthChoices();
std::vector<std::string> DepthEntries();

// The three characters that stand for an entry's type: its first three, but
// "CMP" for the grey Lead entry, which begins with no extension and whose
// writer is that of the CMP format.
std::string TypeLetters(std::string_view entry);
// "*." + the type letters: the file pattern of a save format.
std::string SaveMask(std::string_view entry);
// "." + the type letters: the extension a name of that type should carry.
std::string ExpectedExtension(std::string_view entry);

// Compression settings exist for codes below 7 (signed), 98 and 99.
bool ShowsCompressionButton(int32_t code);

// The first step of the extension check on a name for the selected type: the
// name (with the expected extension appended when it has none), and whether
// the user must be asked because the extension differs.
struct ExtensionCheck {
  std::string name;
  std::string expected;
  std::string actual;  // upper-cased A to Z
  bool ask = false;
};
ExtensionCheck CheckExtensionOf(std::string_view name, std::string_view entry);

}  // namespace w95::explorer
