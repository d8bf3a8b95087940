// The slide script file (".AVL") read into the grid and written from it.
// Three generations are read (told apart by "Header" / "Ver": below 4, 4
// and 5, 6); generation 6 is written. Reading goes through a ScriptSource
// (one pass over the parsed text, or key by key through the profile API);
// writing builds each section's text and hands it to a ScriptSink.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/string_grid.h"

namespace w95::platform {
class OutputFile;
}

namespace w95::editor {

inline constexpr std::string_view kBadScript = "Bad AVL file.";
inline constexpr int kManySlidesRows = 1600;  // a row count above this warns
inline constexpr std::string_view kManySlidesWarning =
    "Too many slides ?\nUp to 1800 slides are supported\ndepending on script complexity.";
// More rows than this are not a script but a damaged or hostile file.
inline constexpr int kMaxScriptRows = 100000;

// What reading needs of the file: the settings-file operations ReadText
// (a 1024-byte buffer) and ReadKeyNames (an 8192-byte buffer).
class ScriptSource {
 public:
  virtual ~ScriptSource() = default;
  virtual std::string ReadText(const std::string& section, const std::string& key,
                               const std::string& def) = 0;
  virtual std::vector<std::string> ReadKeyNames(const std::string& section) = 0;
};

// What loading and saving need of the machine: path forms and files.
class ScriptFiles {
 public:
  virtual ~ScriptFiles() = default;
  virtual std::string ShortPathOf(const std::string& path) = 0;
  virtual std::string LongNameOf(const std::string& path) = 0;
  // The name shown for a file: LongNameOf, except that a long name the code
  // page cannot hold is shown as it is (LongNameOf gives its alias, for the
  // host).
  virtual std::string ShownNameOf(const std::string& path) { return LongNameOf(path); }
  virtual std::string CurrentDirectory() = 0;
  virtual bool Exists(const std::string& path) = 0;
  // The whole file; nullopt when it cannot be read.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  virtual std::unique_ptr<platform::OutputFile> Create(const std::string& path) = 0;
  // Puts `from` in the place of `to`, replacing it.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;

  // The entries of a folder (given with its trailing "\"), so that a reader
  // finds the path forms of many files of one folder with one search;
  // nullopt where the files are to be asked one by one.
  struct FolderEntry {
    std::string name;       // long name
    std::string alternate;  // 8.3 alias; empty when the name is already 8.3
    std::string shown;      // the long name as shown, when `name` is the alias
  };
  virtual std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
    (void)folder;
    return std::nullopt;
  }
  // The file the profile functions would use for a script of this name (a
  // name without a folder lives in the Windows directory), so that reading
  // and writing a script whole finds the file they find.
  virtual std::string ProfileFileOf(const std::string& name) { return name; }
};

// Gauge of a long load or save: Begin(max), then Step(1..max), then End().
class ScriptProgress {
 public:
  virtual ~ScriptProgress() = default;
  virtual void Begin(int max) = 0;
  virtual void Step(int position) = 0;
  virtual void End() = 0;
};

// ---- reading ---------------------------------------------------------------

struct ReadResult {
  bool fileOk = false;    // header and row count were read
  int badRow = 0;         // the row that failed, 0 when none did
  int rowCount = 0;       // the grid's row count as read (slides + 1)
  int generation = 0;     // "Ver"
  std::string catalogId;  // "Cat"
  bool Ok() const { return fileOk && badRow == 0; }
  bool TooMany() const { return rowCount > kManySlidesRows; }
};

// Reads a script into `grid` (16 columns; row count set from the file). Rows
// read before a bad row stay; later rows stay empty.
ReadResult ReadScript(ScriptSource& source, ui::StringGrid& grid, ScriptFiles& files,
                      ScriptProgress* progress = nullptr);

// ---- writing ---------------------------------------------------------------

struct KeyValue {
  std::string_view key;
  std::string value;
};

// Receives the sections of a script in file order; false stops the save.
class ScriptSink {
 public:
  virtual ~ScriptSink() = default;
  virtual bool Section(std::string_view name, const std::vector<KeyValue>& keys) = 0;
};

// Formats sections as the profile API would have written them key by key
// into a new file ("[name]\r\nkey=value\r\n") and passes each section's text
// to `out` at once.
class TextSink final : public ScriptSink {
 public:
  explicit TextSink(platform::OutputFile& out) : out_(out) {}
  bool Section(std::string_view name, const std::vector<KeyValue>& keys) override;
  static void Append(std::string& text, std::string_view name, const std::vector<KeyValue>& keys);

 private:
  platform::OutputFile& out_;
  std::string text_;
};

struct ScriptHeader {
  int screenWidth = 0;
  int screenHeight = 0;
  std::string catalogId;
  std::string appDir;  // "Directory" / "0", ending in "\"
};

struct WriteResult {
  bool ok = true;
  int slide = 0;  // the slide being written when it failed; 0 = the header
  enum class Fault {
    None,
    Full,    // a write failed on the way (SaveAbortedMessage)
    Disk,    // the file on disk could not be written to its end (full, read-only, gone)
    Target,  // the file could not be made or put in place at all
    Slide,   // the slide holds what a script cannot store: see `problem`
  };
  Fault fault = Fault::None;
  std::string problem;  // Slide: "its gamma "FF" is not a number"
};

// Writes the grid as generation 6: "Header", "Directory" (entry 0 = AppDir,
// then the other folders in order of first use), then one section per slide.
// `folders` receives the directory list.
WriteResult WriteScript(const ui::StringGrid& grid, const ScriptHeader& header, ScriptFiles& files,
                        ScriptSink& sink, std::vector<std::string>* folders = nullptr,
                        ScriptProgress* progress = nullptr);

// Writes the script into a new file beside `target` and puts it in the
// target's place only when all was written; on failure the target is left
// as it was and the new file is removed.
WriteResult SaveScriptFile(const ui::StringGrid& grid, const ScriptHeader& header,
                           ScriptFiles& files, const std::string& target,
                           std::vector<std::string>* folders = nullptr,
                           ScriptProgress* progress = nullptr);

// "Save aborted at slide #k\nToo many slides or features." (k is the slide,
// less 8 when above 10).
std::string SaveAbortedMessage(int slide);
// What the user is told about a failed save to `target`: "Unable to write to"
// the file when it could not be written at all; that the disk is full or
// cannot be written when writing it stopped on the way; the slide and its
// offending value when a slide cannot be stored; otherwise SaveAbortedMessage.
std::string SaveErrorMessage(const WriteResult& result, const std::string& target);

// Where two grids hold different slides: "" when rows 1 on are the same,
// else the first slide and column that differ and both cells.
std::string SlideDifference(const ui::StringGrid& a, const ui::StringGrid& b);

// ---- number forms ------------------------------------------------------------

// 8-digit upper-case hexadecimal without leading zeros ("0" for 0).
std::string HexText(uint32_t value);
// 1 to 8 hexadecimal digits; nullopt for anything else.
std::optional<int32_t> ParseHex(std::string_view text);
// Optional sign and decimal digits within 32 bits; nullopt for anything else.
std::optional<int32_t> ParseDecimal(std::string_view text);

}  // namespace w95::editor
