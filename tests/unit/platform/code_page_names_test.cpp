// Names the code page cannot hold: exact conversions only, and what the
// simulated file system reports for such names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/code_page_text.h"
#include "platform/sim/sim_files.h"
#include "text/code_page.h"

namespace {

using namespace w95::platform;
using namespace w95::platform::sim;

// Latin with accents fits code page 1252; Greek, CJK and an emoji do not.
constexpr const char* kCafe = "caf\xC3\xA9.bmp";                // café.bmp
constexpr const char* kOmega = "\xCE\xA9mega.bmp";              // Ωmega.bmp
constexpr const char* kPhoto = "\xE5\x86\x99\xE7\x9C\x9F.bmp";  // 写真.bmp
constexpr const char* kSmile = "\xF0\x9F\x98\x80.bmp";          // an emoji, two UTF-16 units

TEST(CodePageText, OnlyExactConversionsAndMarksForWhatDoesNotFit) {
  EXPECT_EQ(CodePageFromUtf8(kCafe), "caf\xE9.bmp");
  EXPECT_EQ(Utf8FromCodePage("caf\xE9.bmp"), kCafe);
  EXPECT_EQ(Utf8FromCodePage("\x80"), "\xE2\x82\xAC") << "the euro sign of 1252";
  for (const char* name : {kOmega, kPhoto, kSmile})
    EXPECT_FALSE(CodePageFromUtf8(name)) << name << " has no exact form, no look-alike";
  // Look-alikes of separators and quotes must never become the real ones.
  EXPECT_FALSE(
      CodePageFromUtf8("a\xEF\xBC\x8F"
                       "b"));                      // full-width solidus
  EXPECT_FALSE(CodePageFromUtf8("\xE2\x88\x95"));  // division slash
  EXPECT_EQ(CodePageOrMarksFromUtf8(kOmega), "?mega.bmp");
  EXPECT_EQ(CodePageOrMarksFromUtf8(kPhoto), "??.bmp");
  EXPECT_EQ(CodePageOrMarksFromUtf8(kSmile), "?.bmp") << "one mark per character";
}

TEST(CodePageText, ShownTextKeepsTheCodePageAndTellsUtf8FromIt) {
  // What the code page holds stays in it; each other character is in UTF-8.
  EXPECT_EQ(ShownFromUtf8(kCafe), "caf\xE9.bmp");
  EXPECT_EQ(ShownFromUtf8(kPhoto), kPhoto);
  EXPECT_EQ(ShownFromUtf8("caf\xC3\xA9 \xCE\xA9"), "caf\xE9 \xCE\xA9") << "per character";
  for (const char* name : {kCafe, kOmega, kPhoto, kSmile}) {
    const std::string shown = ShownFromUtf8(name);
    EXPECT_EQ(Utf8FromShown(shown), name) << "round trip of " << name;
    EXPECT_EQ(CodePageFromShown(shown).has_value(), CodePageFromUtf8(name).has_value()) << name;
  }
  // Code-page text that happens to be well-formed UTF-8 ("Ã©") is still
  // code page: its UTF-8 reading would be a character the code page holds.
  EXPECT_EQ(Utf8FromShown("\xC3\xA9"), "\xC3\x83\xC2\xA9");
  EXPECT_EQ(CodePageFromShown("\xC3\xA9"), "\xC3\xA9");
  // Pieces joined: a folder in the code page, a name in UTF-8, and a whole
  // path straight from the file system.
  EXPECT_EQ(Utf8FromShown(std::string("c:\\caf\xE9\\") + kPhoto),
            std::string("c:\\caf\xC3\xA9\\") + kPhoto);
  EXPECT_EQ(Utf8FromShown(std::string("c:\\caf\xC3\xA9\\") + kPhoto),
            std::string("c:\\caf\xC3\xA9\\") + kPhoto);
  EXPECT_EQ(WideFromShown(kSmile).size(), 6u) << "a surrogate pair and \".bmp\"";
}

TEST(SimFiles, PathsInShownTextReachTheFilesAndShortFormsAreForTheHost) {
  SimFileSystem fs;
  fs.AddFileUtf8(std::string("C:\\") + kPhoto + "\\" + kCafe, "inside");
  const std::string folder = ShownFromUtf8(kPhoto);
  EXPECT_EQ(fs.ReadFile("c:\\" + folder + "\\caf\xE9.bmp").value_or(""), "inside");
  const std::string shortPath = fs.ShortPath("c:\\" + folder + "\\caf\xE9.bmp");
  ASSERT_TRUE(CodePageFromShown(shortPath)) << shortPath;
  EXPECT_EQ(fs.ReadFile(shortPath).value_or(""), "inside");
  // The current folder is held as the system gives it: in the code page.
  ASSERT_TRUE(fs.SetCurrentDirectory("c:\\" + folder));
  EXPECT_TRUE(CodePageFromShown(fs.CurrentDirectory())) << fs.CurrentDirectory();
  EXPECT_EQ(fs.ReadFile("caf\xE9.bmp").value_or(""), "inside");
  // Without aliases there is no short form to give.
  fs.AddDrive('D');
  fs.SetShortNames('D', false);
  fs.AddFileUtf8(std::string("D:\\") + kOmega, "omega");
  EXPECT_EQ(fs.ShortPath("d:\\" + ShownFromUtf8(kOmega)), "");
}

TEST(CodePageText, Utf8AndUtf16RoundTripAndMalformedUtf8IsRefused) {
  for (const char* name : {kCafe, kOmega, kPhoto, kSmile}) {
    const auto wide = w95::Utf16FromUtf8(name);
    ASSERT_TRUE(wide) << name;
    EXPECT_EQ(w95::Utf8FromUtf16(*wide), name);
  }
  EXPECT_EQ(w95::Utf16FromUtf8(kSmile)->size(), 6u);
  for (const char* bad :
       {"caf\xE9", "\xC0\xAF", "\xED\xA0\x80", "\xE5\x86", "\xF8\x88\x80\x80\x80"})
    EXPECT_FALSE(w95::Utf16FromUtf8(bad)) << "malformed or overlong";
  EXPECT_EQ(w95::Utf8FromUtf16(u"\xD800x"), "\xEF\xBF\xBDx") << "a lone surrogate";
}

// Every conversion between the code page and UTF-16 goes through the one
// helper that never maps to look-alikes; no other file calls the API.
TEST(CodePageText, NoOtherSourceCallsTheConversionApi) {
  namespace fs = std::filesystem;
  const fs::path src = fs::path(W95_TESTDATA).parent_path().parent_path() / "src";
  ASSERT_TRUE(fs::is_directory(src)) << src;
  int scanned = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".cpp" && ext != ".h") continue;
    ++scanned;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string body = text.str();
    const bool calls = body.find("WideCharToMultiByte") != std::string::npos ||
                       body.find("MultiByteToWideChar") != std::string::npos;
    if (entry.path().filename() == "win32_code_page_text.cpp")
      EXPECT_TRUE(calls) << "the helper itself";
    else
      EXPECT_FALSE(calls) << entry.path() << " converts on its own";
  }
  EXPECT_GT(scanned, 100);
}

TEST(SimFiles, NamesOutsideTheCodePageAreReportedByTheirAlias) {
  SimFileSystem fs;
  for (const char* name : {kCafe, kOmega, kPhoto, kSmile})
    fs.AddFileUtf8(std::string("C:\\Pics\\") + name, name);
  std::vector<FindData> found = fs.Find("C:\\Pics\\*.bmp");
  ASSERT_EQ(found.size(), 4u);
  int aliased = 0;
  for (const FindData& d : found) {
    EXPECT_FALSE(d.nameless);
    const bool fits = CodePageFromUtf8(d.longName).has_value();
    if (!fits) {
      ++aliased;
      EXPECT_NE(d.name.find('~'), std::string::npos) << d.longName << " is handed on by its alias";
      EXPECT_EQ(d.alternate, "");
    }
    // Whatever name is reported opens the file it stands for.
    EXPECT_EQ(fs.ReadFile("C:\\Pics\\" + d.name), d.longName);
    EXPECT_EQ(fs.Stat("c:\\pics\\" + d.name)->longName, d.longName);
    EXPECT_EQ(fs.ShortPath("C:\\Pics\\" + d.name).find_first_of("?*"), std::string::npos);
  }
  EXPECT_EQ(aliased, 3);
  EXPECT_EQ(fs.Stat("C:\\Pics\\caf\xE9.bmp")->name, "caf\xE9.bmp");
  EXPECT_FALSE(fs.Stat("C:\\Pics\\omega.bmp")) << "no look-alike reaches the Greek name";
  EXPECT_FALSE(fs.Stat("C:\\Pics\\??.bmp"));
}

TEST(SimFiles, AVolumeWithoutShortNamesReportsSuchNamesAsNameless) {
  SimFileSystem fs;
  fs.AddDrive('D');
  fs.SetShortNames('D', false);
  fs.AddFileUtf8(std::string("D:\\Pics\\") + kPhoto, "x");
  fs.AddFileUtf8(std::string("D:\\Pics\\") + kCafe, "y");
  fs.AddFile("D:\\Pics\\Long File Name.bmp", "z");
  const auto found = fs.Find("D:\\Pics\\*.bmp");
  ASSERT_EQ(found.size(), 3u);
  auto entry = [&](const std::string& longName) {
    for (const FindData& d : found)
      if (d.longName == longName) return d;
    ADD_FAILURE() << longName << " not listed";
    return FindData{};
  };
  const FindData photo = entry(kPhoto);
  EXPECT_EQ(photo.name, "??.bmp");
  EXPECT_TRUE(photo.nameless);
  EXPECT_FALSE(fs.ReadFile("D:\\Pics\\" + photo.name)) << "the stand-in opens nothing";
  EXPECT_FALSE(entry(kCafe).nameless);
  EXPECT_EQ(entry(kCafe).name, "caf\xE9.bmp");
  EXPECT_EQ(entry("Long File Name.bmp").alternate, "") << "no aliases on this volume";
}

}  // namespace
