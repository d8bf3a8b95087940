#include "explorer/formats.h"

#include <algorithm>

#include "explorer/listing.h"
#include "explorer/names.h"

namespace w95::explorer {

namespace {

const BrowseType kBrowse[kBrowseCount] = {
    {"*.* any file (No validation)", "*.*"},
    {"All validated formats",
     "*.pc?;*.tga;*.ras;*.dib;*.cal;*.cmp;*.av?;*.mid;*.fl?;*.?pg;*.dcx;*.pic;*.kqp;*.wav;"
     "*.mov;*.tif;*.bmp;*.png;*.dat"},
    {"All graphics formats",
     "*.jif;*.cmp;*.dib;*.cal;*.ras;*.wpg;*.pc?;*.mac;*.dcx;*.pic;*.kqp;*.bmp;*.tif;*.tga;"
     "*.jpg;*.png"},
    {"All multimedia formats", "*.mid;*.fl?;*.mpg;*.mov;*.avi;*.wav;*.dat"},
    {"AVI (Video for Windows)", "*.avi"},
    {"AVL (AV List Slideshow)", "*.avl"},
    {"BMP,DIB (Windows,OS/2)", "*.bmp;*.dib"},
    {"CAL (CALS Group 4 B/W)", "*.cal"},
    {"CMP (LEAD 'JPEG')", "*.cmp"},
    {"DCX (Intel MultiPage PCX)", "*.dcx"},
    {"FLI,FLC,FLX (Autodesk)", "*.fl?"},
    {"JPEG (JFIF compliant)", "*.jpg;*.jif"},
    {"KQP (Konica Quality Photo)", "*.kqp;*.pic"},
    {"MID (MIDI music)", "*.mid"},
    {"MAC (Apple B&W)", "*.mac"},
    {"MOV (Apple Quicktime)", "*.mov"},
    {"MPG (MPEG)", "*.mpg;*.dat"},
    {"PIC (Pegasus 'JPEG')", "*.pic;*.kqp"},
    {"PCD Kodak PhotoCD", "*.pcd"},
    {"PCT (Mac PiCT)", "*.pct"},
    {"PCX (ZSoft Paintbrush)", "*.pcx;*.pcc"},
    {"PNG (Portable Network Graphics)", "*.png"},
    {"RAS (Sun RASter)", "*.ras;*.rs"},
    {"TIF (Aldus TIFF)", "*.tif;*.mpt"},
    {"TGA (Truevision TarGA)", "*.tga"},
    {"WAV (Wavform Audio)", "*.wav"},
    {"WPG (WordPerfect Graphic)", "*.wpg"},
};

// The browse entries that name formats (not the "any" and "all" ones).
constexpr int kFirstFormatEntry = 4;

std::string ExtensionPart(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return std::string(name.substr(dot + 1));
}

struct Row {
  const char* entry;
  int32_t code;
  bool keptWhenRestricted;
};

const Row kBmp{"BMP Windows BitMaP", 7, true};
const Row kBmpOs2{"BMP OS/2 BitMaP", 8, true};
const Row kCmp{"CMP Lead \"JPEG\"", 0, false};
const Row kDib{"DIB Windows Bitmap", 7, true};
const Row kJpgNormal{"JPG JPEG/JFIF(Normal)", 1, false};
const Row kJpgEnhanced{"JPG JPEG/JFIF(Enhanced)", 99, true};
const Row kKqp{"KQP Konica Quality Photo", 98, true};
const Row kPic{"PIC Pegasus \"JPEG\"", 98, true};
const Row kPct{"PCT Mac PICTure", 20, true};
const Row kPcx{"PCX ZSoft Paintbrush", 12, true};
const Row kPng{"PNG Portable Network Graphics", 37, true};
const Row kPsd{"PSD Adobe PhotoShop", 38, true};
const Row kRas{"RAS Sun RASter", 18, true};
const Row kTga{"TGA Truevision TarGA", 11, true};
const Row kTif{"TIF Aldus TIFF", 9, true};
const Row kWpg{"WPG WordPerfect Graphic", 17, true};

std::vector<Row> RowsOf(int depth) {
  switch (depth) {
    case 24:
      return {kBmp, kBmpOs2, kCmp, kDib, kJpgNormal, kJpgEnhanced, kKqp, kPic,
              kPct, kPcx,    kPng, kPsd, kRas,       kTga,         kTif};
    case 16:
      return {kCmp, kJpgNormal, kJpgEnhanced, kKqp, kPic, kTga};
    case 8:
      return {kBmp,
              kBmpOs2,
              kDib,
              {"Lead \"JPEG\" [gray]", -10, false},
              {"JPG JPEG/JFIF [gray]", -11, false},
              kKqp,
              kPic,
              kPct,
              kPcx,
              kPng,
              kRas,
              kTga,
              kTif,
              kWpg};
    case 4:
      return {kBmp, kBmpOs2, kDib, kPcx, kPng, kWpg};
    case 1:
      return {kBmp,
              kBmpOs2,
              {"CAL C.A.L.S", 15, true},
              kDib,
              kPct,
              kPcx,
              kPng,
              kRas,
              kTif,
              {"TIF Aldus TIFF CCITT", 24, true},
              {"TIF Aldus TIFF G3 1d", 25, true},
              {"TIF Aldus TIFF G3 2d", 26, true},
              {"TIF Aldus TIFF G4", 27, true},
              kWpg};
    default:
      return {};
  }
}

const DepthChoice kDepths[kDepthChoiceCount] = {
    {"16M Colors (24 bits)", 24, 5}, {"64K Colors (16 bits)", 16, 5}, {"256 Colors (8 bits)", 8, 9},
    {"16 Colors (4-bits)", 4, 0},    {"Black & White (1 bit)", 1, 5},
};

}  // namespace

const BrowseType* BrowseList() { return kBrowse; }

std::vector<std::string> BrowseEntries() {
  std::vector<std::string> out;
  for (const auto& b : kBrowse) out.emplace_back(b.entry);
  return out;
}

std::string BrowseMask(int position) {
  if (position < 1 || position >= kBrowseCount) return "*.*";
  return kBrowse[position].mask;
}

std::vector<SaveFormat> SaveFormats(int depth, bool restricted) {
  std::vector<SaveFormat> out;
  for (const Row& r : RowsOf(depth))
    if (!restricted || r.keptWhenRestricted) out.push_back({r.entry, r.code});
  return out;
}

bool IsPixelDepth(int mode) {
  return mode == 1 || mode == 4 || mode == 8 || mode == 16 || mode == 24;
}

std::string SaveKey(int depth) {
  return IsPixelDepth(depth) ? "Save" + std::to_string(depth) : std::string();
}

int DefaultSavedPosition(int depth) {
  switch (depth) {
    case 24:
      return 5;
    case 16:
      return 2;
    case 8:
      return 9;
    case 4:
      return 0;
    case 1:
      return 5;
    default:
      return 0;
  }
}

int SavedPositionFrom(int depth, int32_t stored) {
  return stored == kNothingStored ? DefaultSavedPosition(depth) : stored;
}

int RestrictedSavedPosition(int depth) {
  switch (depth) {
    case 24:
      return 3;
    case 16:
      return 0;
    case 8:
      return 7;
    default:
      return -1;
  }
}

int PositionToSelect(int saved, int count) { return saved >= 0 && saved < count ? saved : 0; }

int SavedPositions::Slot(int depth) {
  switch (depth) {
    case 24:
      return 0;
    case 16:
      return 1;
    case 8:
      return 2;
    case 4:
      return 3;
    case 1:
      return 4;
    default:
      return 5;
  }
}

const DepthChoice* DepthChoices() { return kDepths; }

std::vector<std::string> DepthEntries() {
  std::vector<std::string> out;
  for (const auto& d : kDepths) out.emplace_back(d.entry);
  return out;
}

std::string TypeLetters(std::string_view entry) {
  if (entry.substr(0, 4) == "Lead") return "CMP";
  return std::string(entry.substr(0, 3));
}

std::string SaveMask(std::string_view entry) {
  return std::string("*.").append(TypeLetters(entry));
}

std::string ExpectedExtension(std::string_view entry) {
  return std::string(".").append(TypeLetters(entry));
}

bool ShowsCompressionButton(int32_t code) { return code < 7 || code == 98 || code == 99; }

ExtensionCheck CheckExtensionOf(std::string_view name, std::string_view entry) {
  ExtensionCheck r;
  r.name = std::string(name);
  r.expected = ExpectedExtension(entry);
  r.actual = UpperAZ(ExtensionOf(name));
  if (r.actual.empty()) {
    r.name += r.expected;
    r.actual = r.expected;
  }
  r.ask = r.actual != r.expected;
  return r;
}

std::string TypeDescription(std::string_view name, bool folder) {
  if (folder) return "Folder";
  const std::string ext = ExtensionPart(name);
  if (ext.empty()) return "File";
  const std::string probe = "x." + ext;
  int any = -1;
  for (int i = kFirstFormatEntry; i < kBrowseCount; ++i) {
    const auto patterns = SplitPatterns(kBrowse[i].mask);
    for (size_t k = 0; k < patterns.size(); ++k) {
      if (!MatchesMask(probe, patterns[k])) continue;
      if (k == 0) return kBrowse[i].entry;
      if (any < 0) any = i;
    }
  }
  if (any >= 0) return kBrowse[any].entry;
  return UpperAZ(ext) + " file";
}

const std::string& TypeNamer::Of(std::string_view name, bool folder) {
  if (folder) return folder_;
  std::string ext = LowerAZ(ExtensionPart(name));
  const auto at = known_.find(ext);
  if (at != known_.end()) return at->second;
  return known_.emplace(std::move(ext), TypeDescription(name, false)).first->second;
}

}  // namespace w95::explorer
