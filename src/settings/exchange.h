// The files through which explorer, slide editor and host pass lists of
// files: the exchange file (named by "Win95Tmp") in its two layouts, and the
// tag list "tag.lst" in the host's application folder. Every writer deletes
// the old file first and then writes key by key through TIniFile, so a failed
// write raises "Unable to write to <file>".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace w95 {

// The exchange file's name: "Win95Tmp" of the settings file, or "c:\plimbo.tmp"
// when the key is missing (the explorer's rule).
std::string ExchangeFileName();

// File-list layout: section "Directory" with "Files" (the count) and "Name"
// (the folder), and sections "1".."n" with "F" (a short file name).
struct FileList {
  std::string folder;              // short path ending in "\"
  std::vector<std::string> files;  // short names without folder, in list order
};
void WriteFileList(const std::string& exchangeFile, const FileList& list);

// What a reader takes when a key is missing.
struct FileListDefaults {
  std::string folder;
  int32_t count;
  std::string file;
};
// The slide editor's "Add": "Name" "c:\", "Files" 0, "F" "ERROR".
extern const FileListDefaults kAddSlidesDefaults;
// The explorer's "&View input files": "Files" 1, "F" "[ERROR]".
extern const FileListDefaults kViewInputDefaults;
FileList ReadFileList(const std::string& exchangeFile, const FileListDefaults& defaults);

// Instant-slideshow layout (a slide script of generation 4): "Header" with
// "Ver" 4 and "N" (entries + 1), sections "1".."n" with "F" = "<name>,0", and
// "Directory" with "0" = the folder.
void WriteInstantSlideshow(const std::string& exchangeFile, const FileList& list);
// Reads that layout back ("N" 0, "F" "ERROR" and folder "c:\" when missing);
// the ",0" folder numbers are taken off the names.
FileList ReadInstantSlideshow(const std::string& exchangeFile);

// The tag list: "<AppDir>tag.lst" with section "Count", key "N", and sections
// "1".."N" with "F" = the short path of a tagged slide.
std::string TagListFileName(const std::string& appDir);
void WriteTagList(const std::string& appDir, const std::vector<std::string>& shortPaths);
// Reads it back ("N" 0 and "F" "ERROR" when missing).
std::vector<std::string> ReadTagList(const std::string& appDir);

}  // namespace w95
