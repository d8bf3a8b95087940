// Profile (INI) text with the rules of the Windows kernel32 profile functions:
// parse once, look up many times, edit single lines the way Windows does and
// keep every other byte. Serves the simulated machine's profile store and the
// one-pass reading and writing of large slide scripts.
//
// The text is held as a list of lines (each keeps its own bytes and line
// break) with an index of sections and keys: names are compared without
// regard to ASCII case, the first section of a name is the one that counts,
// and within it the first key of a name. Edits touch single lines, so writing
// a whole script key by key costs one index lookup and one append per key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace w95 {

class ProfileText {
 public:
  ProfileText() = default;
  explicit ProfileText(std::string text);

  // The whole text, as it would be written back to the file.
  const std::string& Text() const;
  // Goes up by one with every change of the text.
  uint64_t Revision() const { return revision_; }

  // GetPrivateProfileStringA: the characters the caller's buffer of bufSize
  // bytes receives (at most bufSize-1); `def` when section or key is missing.
  std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                        size_t bufSize) const;
  // True when the key exists in the first section of that name.
  bool HasKey(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // NULL-key listing through a buffer of bufSize bytes: the names that lie
  // whole in the first bufSize-2 characters (Windows keeps that much of a list
  // that does not fit; a name it cuts is left out here).
  std::vector<std::string> KeyNames(std::string_view section, size_t bufSize) const;
  // NULL-section listing, the same way.
  std::vector<std::string> SectionNames(size_t bufSize) const;
  // GetPrivateProfileSectionA lines ("key=value" or the bare name).
  std::vector<std::string> SectionLines(std::string_view section, size_t bufSize) const;

  // A list call as the caller's buffer sees it: the bytes written (names each
  // followed by NUL, the list closed by one more NUL) and the count returned.
  struct Listing {
    std::string bytes;
    size_t ret = 0;
  };
  Listing KeyList(std::string_view section, size_t bufSize) const;
  Listing SectionList(size_t bufSize) const;
  Listing SectionData(std::string_view section, size_t bufSize) const;
  // The names of a listing, up to the first empty one.
  static std::vector<std::string> Split(const Listing& listing);

  // WritePrivateProfileStringA on the text: key nullopt deletes the section,
  // value nullopt deletes the key. Returns false where Windows fails.
  bool Write(std::string_view section, const std::optional<std::string_view>& key,
             const std::optional<std::string_view>& value);

 private:
  enum class Kind : uint8_t { Blank, Comment, Section, Key, Bare };
  struct Line {
    uint32_t off = 0, len = 0;          // content, without the line break
    uint32_t nameOff = 0, nameLen = 0;  // trimmed name, relative to off
    uint32_t valueOff = 0, valueLen = 0;
    int32_t prev = -1, next = -1;
    int32_t section = -1;  // the section the line lies in (-1: before any)
    Kind kind = Kind::Blank;
    uint8_t eol = 0;  // kEol* below
    bool inExtra = false;
  };
  struct Section {
    int32_t header = -1;
    int32_t last = -1;  // last line that is not a comment or blank
  };
  // Open-addressing table of ids (lines or sections) by folded name.
  class Table {
   public:
    void Reset(size_t expected);
    template <class Eq>
    int32_t Find(uint64_t hash, Eq eq) const;
    void Insert(uint64_t hash, int32_t id);
    // Inserts unless an equal entry is there already.
    template <class Eq>
    void InsertFirst(uint64_t hash, int32_t id, Eq eq);
    void Erase(uint64_t hash, int32_t id);

   private:
    struct Slot {
      uint32_t hash = 0;
      int32_t id = -1;  // -1 empty, -2 erased
    };
    void Grow();
    std::vector<Slot> slots_;
    size_t used_ = 0;
  };

  void Parse();
  void Classify(Line& line) const;
  std::string_view Content(const Line& line) const;
  std::string_view Name(const Line& line) const;
  std::string_view Value(const Line& line) const;
  int32_t FindSection(std::string_view name) const;
  int32_t FindKey(int32_t section, std::string_view name) const;
  void IndexLine(int32_t id);
  int32_t AddLine(std::string_view content, uint8_t eol, int32_t after);
  void Unlink(int32_t id);
  void EnsureBreak(int32_t id);
  void Rebuild();
  bool WriteValue(std::string_view section, std::string_view key, std::string_view value);
  bool DeleteKey(std::string_view section, std::string_view key);
  bool DeleteSection(std::string_view section);

  mutable std::string text_;   // original bytes, or the rebuilt text
  mutable std::string extra_;  // bytes of lines written since
  mutable std::vector<Line> lines_;
  mutable bool dirty_ = false;
  int32_t first_ = -1, lastLine_ = -1;
  std::vector<Section> sections_;
  Table sectionIndex_, keyIndex_;
  uint64_t revision_ = 0;
};

}  // namespace w95
