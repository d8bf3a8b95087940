// Number forms of the script file and the safe save.
#include "editor/script_file.h"

#include <algorithm>
#include <charconv>

#include "platform/platform.h"

namespace w95::editor {

std::string HexText(uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value != 0);
  return text;
}

std::optional<int32_t> ParseHex(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string SaveAbortedMessage(int slide) {
  const int k = slide > 10 ? slide - 8 : slide;
  return "Save aborted at slide #" + std::to_string(k) + "\nToo many slides or features.";
}

std::string SaveErrorMessage(const WriteResult& result, const std::string& target) {
  switch (result.fault) {
    case WriteResult::Fault::Target:
      return "Unable to write to " + target;
    case WriteResult::Fault::Disk:
      return "Unable to write to " + target + "\nThe disk is full or cannot be written.";
    case WriteResult::Fault::Slide:
      return "Slide " + std::to_string(result.slide) + " cannot be saved: " + result.problem + ".";
    default:
      return SaveAbortedMessage(result.slide);
  }
}

std::string SlideDifference(const ui::StringGrid& a, const ui::StringGrid& b) {
  if (a.RowCount() != b.RowCount()) {
    return std::to_string(a.RowCount() - 1) + " slides against " + std::to_string(b.RowCount() - 1);
  }
  const int cols = std::min(a.ColCount(), b.ColCount());
  for (int r = 1; r < a.RowCount(); ++r) {
    for (int c = 0; c < cols; ++c) {
      if (a.Cell(c, r) != b.Cell(c, r)) {
        return "slide " + std::to_string(r) + ", column " + std::to_string(c) + ": \"" +
               a.Cell(c, r) + "\" against \"" + b.Cell(c, r) + "\"";
      }
    }
  }
  return {};
}

namespace {

// A name in the target's folder that no file has yet.
std::string TemporaryBeside(const std::string& target, ScriptFiles& files) {
  const size_t sep = target.find_last_of("\\:/");
  const std::string folder = sep == std::string::npos ? std::string() : target.substr(0, sep + 1);
  for (int n = 0;; ++n) {
    if (n == 9999) return folder + "~avl.tmp";
    std::string name = folder + "~avl" + std::to_string(n) + ".tmp";
    if (!files.Exists(name)) return name;
  }
}

}  // namespace

WriteResult SaveScriptFile(const ui::StringGrid& grid, const ScriptHeader& header,
                           ScriptFiles& files, const std::string& target,
                           std::vector<std::string>* folders, ScriptProgress* progress) {
  const std::string temp = TemporaryBeside(target, files);
  const int last = grid.RowCount() - 1;
  auto out = files.Create(temp);
  if (!out) return {false, 0, WriteResult::Fault::Target, {}};
  TextSink sink(*out);
  WriteResult result = WriteScript(grid, header, files, sink, folders, progress);
  // Closing can still fail (the last pieces may only reach the disk now).
  const bool closed = out->Close();
  out.reset();
  // A write into a file on disk that fails is the disk's doing (full, gone,
  // read-only), not the script's size: the user must look at the disk.
  if (result.fault == WriteResult::Fault::Full) result.fault = WriteResult::Fault::Disk;
  if (result.ok && !closed) result = {false, last, WriteResult::Fault::Disk, {}};
  if (result.ok && !files.Replace(temp, target))
    result = {false, last, WriteResult::Fault::Target, {}};
  if (!result.ok) files.Remove(temp);
  return result;
}

}  // namespace w95::editor
