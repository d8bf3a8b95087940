// Reading a slide script of any generation into the grid.
#include <algorithm>
#include <cctype>
#include <string>
#include <unordered_map>
#include <utility>

#include "editor/script_file.h"
#include "editor/script_model.h"
#include "settings/ini_file.h"

namespace w95::editor {

namespace {

using ui::StringGrid;

const std::string kMarker(kNotApplicable);

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Short form and display name of the slide files. A run of slides from one
// folder costs one search of that folder instead of a few calls a slide.
class PathForms {
 public:
  explicit PathForms(ScriptFiles& files) : files_(files) {}

  // Column 1 (before lower-casing) and column 4 of `path`.
  std::pair<std::string, std::string> Of(const std::string& path) {
    const size_t sep = path.rfind('\\');
    const std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
    Folder* folder = nullptr;
    if (sep != std::string::npos && !name.empty() &&
        name.find_first_of(":*?") == std::string::npos) {
      folder = &Listed(path.substr(0, sep + 1));
    }
    if (!folder || !folder->listed) return {files_.ShortPathOf(path), files_.ShownNameOf(path)};
    const auto found = folder->byName.find(Lower(name));
    if (found == folder->byName.end()) return {path, Lower(name)};  // no such file
    const ScriptFiles::FolderEntry& entry = folder->entries[found->second];
    const bool isShort = entry.alternate.empty();
    std::string shortPath = folder->shortForm + (isShort ? entry.name : entry.alternate);
    if (shortPath.size() > kMaxShortPath) shortPath = path;
    if (!entry.shown.empty()) return {std::move(shortPath), entry.shown};
    return {std::move(shortPath), isShort ? Lower(entry.name) : entry.name};
  }

 private:
  static constexpr size_t kMaxShortPath = 255;
  struct Folder {
    bool listed = false;
    std::string shortForm;  // ends in "\"
    std::vector<ScriptFiles::FolderEntry> entries;
    std::unordered_map<std::string, size_t> byName;  // long and 8.3 names, lower case
  };

  Folder& Listed(const std::string& folderPath) {
    auto [it, added] = folders_.try_emplace(Lower(folderPath));
    Folder& folder = it->second;
    if (!added) return folder;
    auto entries = files_.ListFolder(folderPath);
    if (!entries) return folder;
    folder.listed = true;
    folder.entries = std::move(*entries);
    for (size_t i = 0; i < folder.entries.size(); ++i) {
      folder.byName.try_emplace(Lower(folder.entries[i].name), i);
      if (!folder.entries[i].alternate.empty())
        folder.byName.try_emplace(Lower(folder.entries[i].alternate), i);
    }
    if (folderPath.size() <= 3 || folder.entries.empty()) {
      folder.shortForm = folderPath;  // a drive root, or nothing will be found
    } else {
      folder.shortForm = files_.ShortPathOf(folderPath.substr(0, folderPath.size() - 1)) + "\\";
    }
    return folder;
  }

  ScriptFiles& files_;
  std::unordered_map<std::string, Folder> folders_;
};

class Reader {
 public:
  Reader(ScriptSource& source, StringGrid& grid, ScriptFiles& files)
      : src_(source), grid_(grid), forms_(files) {}

  ReadResult Run(ScriptProgress* progress);

 private:
  std::string Text(const std::string& section, const char* key, const char* def) {
    return src_.ReadText(section, key, def);
  }
  // An attribute's text. The not-applicable marker is no value a file can
  // give an attribute that applies: it reads as the key's default.
  std::string Value(const std::string& section, const char* key, const char* def) {
    std::string text = src_.ReadText(section, key, def);
    if (text == kNotApplicable) text = def;
    return text;
  }
  int32_t Number(const std::string& section, const char* key, int32_t def) {
    int32_t value = def;
    return ParseProfileNumber(src_.ReadText(section, key, ""), value) ? value : def;
  }
  void Set(int row, int col, std::string text) { grid_.SetCell(col, row, std::move(text)); }
  int ProbeCount();
  bool ReadRow(int row);
  bool ReadPath(const std::string& section, std::string& path);
  std::string FolderNumbered(const std::string& number);

  ScriptSource& src_;
  StringGrid& grid_;
  PathForms forms_;
  int generation_ = 0;
  std::vector<std::pair<std::string, std::string>> folders_;
  std::string lastNumber_ = "-1";
  std::string lastFolder_;
};

int Reader::ProbeCount() {
  int n = 1;
  while (n < kMaxScriptRows && Text(std::to_string(n), "File", "\x01") != "\x01") ++n;
  return n;
}

std::string Reader::FolderNumbered(const std::string& number) {
  if (number != lastNumber_) {
    lastNumber_ = number;
    lastFolder_.clear();
    bool found = false;
    for (const auto& [key, value] : folders_) {
      if (EqualNoCase(key, number)) {
        lastFolder_ = value;
        found = true;
        break;
      }
    }
    // The key list is read through a limited buffer; a script with very many
    // folders has numbers past its end, which are asked for one by one.
    if (!found && !number.empty() && number.find_first_not_of("0123456789") == std::string::npos) {
      lastFolder_ = src_.ReadText("Directory", number, "");
    }
  }
  return lastFolder_;
}

bool Reader::ReadPath(const std::string& section, std::string& path) {
  if (generation_ < 4) {
    path = Text(section, "File", "ERROR");
    return !path.empty();
  }
  const std::string f = Text(section, "F", "");
  if (f == kNotApplicable) {
    path = f;
    return true;
  }
  // The folder number follows the last comma: a long file name may hold
  // commas of its own, a number never does.
  const size_t comma = f.rfind(',');
  std::string name = f.substr(0, comma);
  std::string number = comma == std::string::npos ? std::string() : f.substr(comma + 1);
  if (number.empty()) number.assign(1, '0');
  // "F" missing or empty is damage, not a slide: it fails its row. An empty
  // name before the comma stands for the folder itself.
  if (f.empty()) return false;
  path = FolderNumbered(number) + name;
  return !path.empty();
}

bool Reader::ReadRow(int row) {
  const std::string section = std::to_string(row);
  const bool old = generation_ < 4;
  Set(row, kColNumber, section);

  std::string path;
  if (!ReadPath(section, path)) return false;
  const bool cd = path == kNotApplicable;
  if (cd) {
    Set(row, kColPath, kMarker);
  } else {
    auto [shortPath, displayName] = forms_.Of(path);
    Set(row, kColPath, Lower(std::move(shortPath)));
    Set(row, kColName, std::move(displayName));
  }

  const std::string colourText = Text(section, old ? "Color" : "B", "");
  std::string colour;
  if (!colourText.empty()) {
    const auto value = generation_ >= 6 ? ParseHex(colourText) : ParseDecimal(colourText);
    if (!value) return false;
    colour = std::to_string(*value);
  }
  Set(row, kColHasColour, std::string(colour.empty() ? kNo : kYes));
  Set(row, kColColour, std::move(colour));

  int32_t x = Number(section, old ? "FX" : "X", 1);
  Set(row, kColWait, Value(section, old ? "Wait" : "W", "0"));
  if (cd) {
    // The track number as written: tracks go up to 99, past the effects.
    Set(row, kColValue, std::to_string(x));
  } else {
    x = std::clamp<int32_t>(x, 0, kEffectCount);
    if (x >= kEffectCount) return false;  // no effect of that number
    Set(row, kColValue, std::to_string(x));
    Set(row, kColEffect, std::string(EffectNames()[static_cast<size_t>(x)]));
  }
  std::string thumb = Text(section, "T", "");
  if (thumb == kNoThumb) thumb.clear();  // only kinds without thumbnails have "-"
  Set(row, kColThumb, std::move(thumb));

  if (cd) {
    Set(row, kColName, std::string(kCdTrackPrefix) + std::to_string(x));
    ValidateCD(grid_, row);
    return true;
  }

  if (HasLoopCount(path)) Set(row, kColEffect, LoopText(x + 1));
  std::string horz(kMid), vert(kMid);
  if (old) {
    horz = Value(section, "Hpos", "Mid");
    vert = Value(section, "Vpos", "Mid");
  } else {
    const std::string p = Value(section, "P", "");
    if (const size_t comma = p.find(','); comma != std::string::npos) {
      horz = p.substr(0, comma);
      vert = p.substr(comma + 1);
    }
  }
  // "Mid" is a setting of both axes at once, as the editor makes it.
  if (horz == kMid || vert == kMid || horz == kNotApplicable || vert == kNotApplicable)
    horz = vert = kMid;
  Set(row, kColHorz, std::move(horz));
  Set(row, kColVert, std::move(vert));

  const SlideKind kind = KindByLists(path);
  if (kind == SlideKind::Graphic) {
    std::string gamma = Value(section, "G", old ? "100" : "0");
    if (generation_ >= 6) {
      const auto value = ParseHex(gamma);
      if (!value) return false;
      gamma = std::to_string(*value);
    } else if (const auto value = ParseDecimal(gamma)) {
      gamma = std::to_string(*value);  // "0100" is 100; other text stays as it is
    }
    // 0 is no gamma a slide can have: the later generations store "no
    // correction" as 0, and the oldest means nothing else by it.
    if (gamma == "0") gamma = "100";
    Set(row, kColGamma, std::move(gamma));
    ValidateGraphic(grid_, row);
    return true;
  }
  Set(row, kColGamma, kMarker);
  Set(row, kColZoom, Value(section, old ? "Vid" : "Z", "100"));
  Set(row, kColVolume, Value(section, old ? "Vol" : "L", "100"));
  Set(row, kColSpeed, Value(section, old ? "Spd" : "S", "100"));
  Set(row, kColThumb, std::string(kNoThumb));
  Set(row, kColTag, kMarker);
  switch (kind) {
    case SlideKind::Audio:
      ValidateAudio(grid_, row);
      break;
    case SlideKind::Animation:
      ValidateFLI(grid_, row);
      break;
    case SlideKind::Script:
      ValidateAVL(grid_, row);
      break;
    default:
      break;  // video kinds keep what they read
  }
  return true;
}

ReadResult Reader::Run(ScriptProgress* progress) {
  ReadResult result;
  generation_ = Number("Header", "Ver", 0);
  result.generation = generation_;
  result.catalogId = Text("Header", "Cat", "");
  if (generation_ >= 4) {
    for (auto& key : src_.ReadKeyNames("Directory")) {
      std::string value = src_.ReadText("Directory", key, "");
      folders_.emplace_back(std::move(key), std::move(value));
    }
  }
  const int count = generation_ < 4 ? ProbeCount() : Number("Header", "N", 0);
  if (count <= 1 || count > kMaxScriptRows) return result;
  result.fileOk = true;
  result.rowCount = count;

  if (grid_.ColCount() < kColumnCount) grid_.SetColCount(kColumnCount);
  // The rows get the file's content only: nothing of an earlier script stays.
  grid_.SetRowCount(1);
  grid_.SetRowCount(count);
  if (progress) progress->Begin(count - 1);
  for (int r = 1; r < count; ++r) {
    if (progress) progress->Step(r);
    bool ok = false;
    try {
      ok = ReadRow(r);
    } catch (const std::exception&) {
      ok = false;
    }
    if (!ok) {
      result.badRow = r;
      break;
    }
  }
  if (progress) progress->End();
  return result;
}

}  // namespace

ReadResult ReadScript(ScriptSource& source, StringGrid& grid, ScriptFiles& files,
                      ScriptProgress* progress) {
  return Reader(source, grid, files).Run(progress);
}

}  // namespace w95::editor
