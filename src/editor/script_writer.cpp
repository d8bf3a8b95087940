// Writing the grid as a generation-6 slide script.
#include <cctype>
#include <optional>
#include <string>
#include <unordered_map>

#include "editor/script_file.h"
#include "editor/script_model.h"
#include "platform/platform.h"
#include "settings/ini_file.h"

namespace w95::editor {

namespace {

using ui::StringGrid;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool Writable(const std::string& cell, std::string_view unset) {
  return cell != kNotApplicable && cell != unset;
}

// The folder part of column 1: up to and including the last "\" or ":",
// lower case. A folder that ends in neither gets a "\". A drive-relative
// folder ("c:") and a path without folder (empty) are stored as they stand,
// so that they read back as the same path.
std::string FolderOf(const std::string& path) {
  const size_t sep = path.find_last_of("\\:");
  return sep == std::string::npos ? std::string() : Lower(path.substr(0, sep + 1));
}

std::string FileNameOf(const std::string& path) {
  const size_t sep = path.find_last_of("\\:");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

// The longest value a reader gets back whole (a 1024-byte buffer).
constexpr size_t kLongestValue = 1023;

// Why `value` cannot be stored as a profile value and read back the same;
// nullptr when it can.
const char* Unstorable(std::string_view value) {
  if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
    return "holds a line break";
  if (value.size() > kLongestValue) return "is longer than 1023 characters";
  return nullptr;
}

// The value as the file must hold it: the profile functions trim blanks
// around a value and take off a pair of quotes enclosing it, so a value that
// would lose either is put in quotes of its own.
std::string Stored(std::string value) {
  const bool padded = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (padded || quoted) value = '"' + value + '"';
  return value;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

// The directory list: AppDir as entry 0, then each other folder at its first
// use; folders are compared without regard to case.
class Folders {
 public:
  explicit Folders(const std::string& appDir) { Number(appDir); }
  int Number(const std::string& folder) {
    auto [it, added] = index_.try_emplace(Lower(folder), static_cast<int>(list_.size()));
    if (added) list_.push_back(folder);
    return it->second;
  }
  const std::vector<std::string>& List() const { return list_; }

 private:
  std::vector<std::string> list_;
  std::unordered_map<std::string, int> index_;
};

// What a cell holds, as the message about it names it.
const char* Attribute(int col) {
  switch (col) {
    case kColValue:
      return "effect, loop or track value";
    case kColColour:
      return "background colour";
    case kColWait:
      return "wait";
    case kColHorz:
    case kColVert:
      return "position";
    case kColGamma:
      return "gamma";
    case kColZoom:
      return "zoom";
    case kColVolume:
      return "volume";
    case kColSpeed:
      return "speed";
    case kColThumb:
      return "thumbnail index";
    default:
      return "file name";
  }
}

// Builds the keys of one slide in their order. Returns what stops the slide
// from being written (empty when nothing does): a cell that must be a number
// and is not, or a value the file cannot hold.
class SlideWriter {
 public:
  SlideWriter(const StringGrid& grid, int row, std::vector<KeyValue>& keys)
      : grid_(grid), row_(row), keys_(keys) {}

  std::string Keys(const std::string& fileValue) {
    keys_.clear();
    keys_.push_back({"F", Stored(fileValue)});
    if (Cell(kColHasColour) == kYes && !Cell(kColColour).empty()) {
      const auto colour = ParseDecimal(Cell(kColColour));
      if (!colour) return NotANumber(kColColour);
      keys_.push_back({"B", HexText(static_cast<uint32_t>(*colour))});
    }
    if (Cell(kColValue) != kNotApplicable) {
      int32_t x = 0;
      if (!ParseProfileNumber(Cell(kColValue), x)) return NotANumber(kColValue);
      if (!Text("X", kColValue)) return problem_;
    }
    if (Writable(Cell(kColWait), "0") && !Text("W", kColWait)) return problem_;
    if (Writable(Cell(kColHorz), kMid) && Writable(Cell(kColVert), kMid)) {
      // The reader splits at the first comma.
      if (Cell(kColHorz).find(',') != std::string::npos) return Problem(kColHorz, "holds a comma");
      if (!Text("P", kColHorz, Cell(kColHorz) + "," + Cell(kColVert))) return problem_;
    }
    if (Writable(Cell(kColGamma), "100")) {
      const auto gamma = ParseDecimal(Cell(kColGamma));
      if (!gamma) return NotANumber(kColGamma);
      keys_.push_back({"G", HexText(static_cast<uint32_t>(*gamma))});
    }
    if (Writable(Cell(kColZoom), "100") && !Text("Z", kColZoom)) return problem_;
    if (Writable(Cell(kColVolume), "100") && !Text("L", kColVolume)) return problem_;
    if (Writable(Cell(kColSpeed), "100") && !Text("S", kColSpeed)) return problem_;
    const std::string& thumb = Cell(kColThumb);
    if (thumb != kNoThumb && !thumb.empty() && !Text("T", kColThumb)) return problem_;
    return {};
  }

 private:
  const std::string& Cell(int col) const { return grid_.Cell(col, row_); }

  // Adds a text key: the cell itself, or `value` made of it.
  bool Text(std::string_view key, int col, std::optional<std::string> value = std::nullopt) {
    std::string text = value ? std::move(*value) : Cell(col);
    if (const char* why = Unstorable(text)) {
      problem_ = Problem(col, why);
      return false;
    }
    keys_.push_back({key, Stored(std::move(text))});
    return true;
  }
  std::string NotANumber(int col) { return Problem(col, "is not a number"); }
  std::string Problem(int col, const char* why) {
    return std::string("its ") + Attribute(col) + " " + Quote(Cell(col)) + " " + why;
  }

  const StringGrid& grid_;
  int row_;
  std::vector<KeyValue>& keys_;
  std::string problem_;
};

}  // namespace

void TextSink::Append(std::string& text, std::string_view name, const std::vector<KeyValue>& keys) {
  text += '[';
  text += name;
  text += "]\r\n";
  for (const auto& kv : keys) {
    text += kv.key;
    text += '=';
    text += kv.value;
    text += "\r\n";
  }
}

bool TextSink::Section(std::string_view name, const std::vector<KeyValue>& keys) {
  text_.clear();
  Append(text_, name, keys);
  return out_.Write(text_);
}

WriteResult WriteScript(const StringGrid& grid, const ScriptHeader& header, ScriptFiles&,
                        ScriptSink& sink, std::vector<std::string>* folderList,
                        ScriptProgress* progress) {
  const int rows = grid.RowCount();
  // The folders are numbered before anything is written, so that the
  // "Directory" section stands where key-by-key writing would have put it.
  Folders folders(header.appDir);
  std::vector<std::string> fileValues(static_cast<size_t>(rows));
  for (int r = 1; r < rows; ++r) {
    const std::string& path = grid.Cell(kColPath, r);
    if (path.empty() || path == kNotApplicable) {
      fileValues[static_cast<size_t>(r)] = std::string(kNotApplicable);
      continue;
    }
    const std::string folder = FolderOf(path);
    std::string value = FileNameOf(path) + "," + std::to_string(folders.Number(folder));
    const char* why = Unstorable(folder);
    if (!why) why = Unstorable(value);
    if (why) {
      return {false, r, WriteResult::Fault::Slide, "its file name " + Quote(path) + " " + why};
    }
    fileValues[static_cast<size_t>(r)] = std::move(value);
  }
  if (folderList) *folderList = folders.List();

  std::vector<KeyValue> keys = {{"Ver", "6"},
                                {"ScreenW", std::to_string(header.screenWidth)},
                                {"ScreenH", std::to_string(header.screenHeight)},
                                {"N", std::to_string(rows)},
                                {"Cat", Stored(header.catalogId)}};
  if (!sink.Section("Header", keys)) return {false, 0, WriteResult::Fault::Full, {}};
  std::vector<std::string> numbers;  // the keys of "Directory" must outlive `keys`
  for (size_t i = 0; i < folders.List().size(); ++i) numbers.push_back(std::to_string(i));
  keys.clear();
  for (size_t i = 0; i < numbers.size(); ++i)
    keys.push_back({numbers[i], Stored(folders.List()[i])});
  if (!sink.Section("Directory", keys)) return {false, 0, WriteResult::Fault::Full, {}};

  if (progress) progress->Begin(rows - 1);
  WriteResult result;
  for (int r = 1; r < rows; ++r) {
    if (progress) progress->Step(r);
    std::string problem = SlideWriter(grid, r, keys).Keys(fileValues[static_cast<size_t>(r)]);
    if (!problem.empty()) {
      result = {false, r, WriteResult::Fault::Slide, std::move(problem)};
      break;
    }
    if (!sink.Section(std::to_string(r), keys)) {
      result = {false, r, WriteResult::Fault::Full, {}};
      break;
    }
  }
  if (progress) progress->End();
  return result;
}

}  // namespace w95::editor
