// Writing the grid as a generation-6 slide script.
#include <cctype>
#include <string>
#include <unordered_map>

#include "editor/script_file.h"
#include "editor/script_model.h"
#include "platform/platform.h"

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

// The folder part of column 1 (up to and including the last "\" or ":"),
// lower case, ending in "\".
std::string FolderOf(const std::string& path, ScriptFiles& files) {
  const size_t sep = path.find_last_of("\\:");
  std::string folder = Lower(sep == std::string::npos ? std::string() : path.substr(0, sep + 1));
  if (folder == "\\") folder = Lower(files.CurrentDirectory());
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string FileNameOf(const std::string& path) {
  const size_t sep = path.find_last_of("\\:");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

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

// The keys of one slide in their order; false when a cell that must be a
// number is not one.
bool SlideKeys(const StringGrid& grid, int r, const std::string& fileValue,
               std::vector<KeyValue>& keys) {
  keys.clear();
  keys.push_back({"F", fileValue});
  const auto& cell = [&](int col) -> const std::string& { return grid.Cell(col, r); };
  if (cell(kColHasColour) == kYes && !cell(kColColour).empty()) {
    const auto colour = ParseDecimal(cell(kColColour));
    if (!colour) return false;
    keys.push_back({"B", HexText(static_cast<uint32_t>(*colour))});
  }
  if (cell(kColValue) != kNotApplicable) keys.push_back({"X", cell(kColValue)});
  if (Writable(cell(kColWait), "0")) keys.push_back({"W", cell(kColWait)});
  if (Writable(cell(kColHorz), kMid) && Writable(cell(kColVert), kMid))
    keys.push_back({"P", cell(kColHorz) + "," + cell(kColVert)});
  if (Writable(cell(kColGamma), "100")) {
    const auto gamma = ParseDecimal(cell(kColGamma));
    if (!gamma) return false;
    keys.push_back({"G", HexText(static_cast<uint32_t>(*gamma))});
  }
  if (Writable(cell(kColZoom), "100")) keys.push_back({"Z", cell(kColZoom)});
  if (Writable(cell(kColVolume), "100")) keys.push_back({"L", cell(kColVolume)});
  if (Writable(cell(kColSpeed), "100")) keys.push_back({"S", cell(kColSpeed)});
  const std::string& thumb = cell(kColThumb);
  if (thumb != kNoThumb && !thumb.empty()) keys.push_back({"T", thumb});
  return true;
}

}  // namespace

void TextSink::Append(std::string& text, std::string_view name,
                      const std::vector<KeyValue>& keys) {
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

WriteResult WriteScript(const StringGrid& grid, const ScriptHeader& header, ScriptFiles& files,
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
    } else {
      fileValues[static_cast<size_t>(r)] =
          FileNameOf(path) + "," + std::to_string(folders.Number(FolderOf(path, files)));
    }
  }
  if (folderList) *folderList = folders.List();

  std::vector<KeyValue> keys = {{"Ver", "6"},
                                {"ScreenW", std::to_string(header.screenWidth)},
                                {"ScreenH", std::to_string(header.screenHeight)},
                                {"N", std::to_string(rows)},
                                {"Cat", header.catalogId}};
  if (!sink.Section("Header", keys)) return {false, 0};
  std::vector<std::string> numbers;  // the keys of "Directory" must outlive `keys`
  for (size_t i = 0; i < folders.List().size(); ++i) numbers.push_back(std::to_string(i));
  keys.clear();
  for (size_t i = 0; i < numbers.size(); ++i) keys.push_back({numbers[i], folders.List()[i]});
  if (!sink.Section("Directory", keys)) return {false, 0};

  if (progress) progress->Begin(rows - 1);
  WriteResult result;
  for (int r = 1; r < rows; ++r) {
    if (progress) progress->Step(r);
    if (!SlideKeys(grid, r, fileValues[static_cast<size_t>(r)], keys) ||
        !sink.Section(std::to_string(r), keys)) {
      result = {false, r};
      break;
    }
  }
  if (progress) progress->End();
  return result;
}

}  // namespace w95::editor
