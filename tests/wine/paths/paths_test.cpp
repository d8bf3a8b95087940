// The file-system service and the path routines on the real kernel32.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../unit/platform/file_cases.h"
#include "platform/code_page_text.h"
#include "platform/platform.h"
#include "platform/win32/win32_machine.h"
#include "settings/paths.h"

namespace {

using namespace w95::platform;

const std::string kRoot = "C:\\W95 Path Test";
const std::string kFolder = kRoot + "\\Long Folder Name";
const std::string kFile = kFolder + "\\Long File Name.jpeg";

bool IsShort(const std::string& name) {
  const size_t dot = name.find('.');
  const size_t base = dot == std::string::npos ? name.size() : dot;
  return base >= 1 && base <= 8 && (dot == std::string::npos || name.size() - dot - 1 <= 3) &&
         name.find(' ') == std::string::npos;
}

class WinFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallWin32Machine(); }
  void SetUp() override {
    Clean();
    ASSERT_TRUE(fs().CreateDirectory(kRoot)) << fs().LastError();
    ASSERT_TRUE(fs().CreateDirectory(kFolder));
    ASSERT_TRUE(fs().WriteFile(kFile, "jpeg data"));
    ASSERT_TRUE(fs().WriteFile(kFolder + "\\README.TXT", "text"));
  }
  void TearDown() override { Clean(); }
  static FileSystem& fs() { return *Current().files; }
  static void Clean() {
    for (const char* sub : {"\\Long Folder Name", ""}) {
      for (const auto& e : fs().Find(kRoot + sub + "\\*")) {
        if (e.IsDirectory()) continue;
        fs().SetAttributes(kRoot + sub + "\\" + e.name, kAttrNormal);
        fs().DeleteFile(kRoot + sub + "\\" + e.name);
      }
      RemoveDirectoryA((kRoot + sub).c_str());
    }
  }
};

TEST_F(WinFiles, ShortPathOpensTheSameFileAndLongPathComesBack) {
  const std::string shortPath = w95::ShortPathOf(kFile);
  ASSERT_NE(shortPath, kFile);
  EXPECT_TRUE(IsShort(w95::NamePart(shortPath))) << shortPath;
  EXPECT_EQ(w95::LongPathOf(shortPath), kFile);
  EXPECT_EQ(fs().ReadFile(shortPath), "jpeg data");
  EXPECT_EQ(w95::LongNameOf(shortPath), "Long File Name.jpeg");
  EXPECT_EQ(w95::LongNameOf(kFolder + "\\readme.txt"), "readme.txt");
  EXPECT_EQ(w95::LongNameOf(kFolder + "\\Not There.TXT"), "not there.txt");
  EXPECT_EQ(w95::LongPathOf("c:\\"), "c:\\");
  EXPECT_EQ(w95::ShortPathOf(kFolder + "\\missing.bmp"), kFolder + "\\missing.bmp");
}

TEST_F(WinFiles, FindSeesLongAndShortNamesAndDotEntries) {
  auto found = fs().Find(kFolder + "\\*.*");
  std::vector<std::string> names;
  for (const auto& e : found) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "Long File Name.jpeg", "README.TXT"}));
  auto jpeg = fs().Find(kFolder + "\\*.jpeg");
  ASSERT_EQ(jpeg.size(), 1u);
  EXPECT_TRUE(IsShort(jpeg[0].alternate)) << jpeg[0].alternate;
  EXPECT_EQ(jpeg[0].size, 9u);
  EXPECT_TRUE(fs().Find(kFolder + "\\*.gif").empty());
  EXPECT_EQ(fs().LastError(), kErrFileNotFound);
  EXPECT_TRUE(fs().Find(kRoot + "\\Nowhere\\*.*").empty());
  EXPECT_EQ(fs().LastError(), kErrPathNotFound);
}

TEST_F(WinFiles, MoveDeleteAndWriteErrors) {
  const std::string readme = kFolder + "\\README.TXT";
  EXPECT_FALSE(fs().MoveFile(kFile, readme));
  EXPECT_EQ(fs().LastError(), kErrAlreadyExists);
  EXPECT_FALSE(fs().MoveFile(kFolder + "\\none.txt", kFolder + "\\x.txt"));
  EXPECT_EQ(fs().LastError(), kErrFileNotFound);
  EXPECT_FALSE(fs().MoveFile(readme, kRoot + "\\No Folder\\x.txt"));
  EXPECT_EQ(fs().LastError(), kErrPathNotFound);
  ASSERT_TRUE(fs().SetAttributes(readme, kAttrReadOnly));
  EXPECT_FALSE(fs().DeleteFile(readme));
  EXPECT_EQ(fs().LastError(), kErrAccessDenied);
  ASSERT_TRUE(fs().SetAttributes(readme, kAttrNormal));
  EXPECT_TRUE(fs().ReplaceFile(readme, kFile));
  EXPECT_EQ(fs().ReadFile(kFile), "text");
  EXPECT_FALSE(fs().Stat(readme));
  EXPECT_FALSE(fs().CreateDirectory(kFolder));
  EXPECT_EQ(fs().LastError(), kErrAlreadyExists);
  auto out = fs().CreateOutput(kRoot + "\\pieces.txt");
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("one "));
  EXPECT_TRUE(out->Write("two"));
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(fs().ReadFile(kRoot + "\\pieces.txt"), "one two");
}

TEST_F(WinFiles, DrivesCurrentDirectoryAndFreeSpace) {
  EXPECT_NE(fs().Drives().find('C'), std::string::npos);
  EXPECT_EQ(fs().DriveType('C'), 3u);
  EXPECT_TRUE(fs().DriveReady('C'));
  const std::string unused = "Q";  // no such drive in a test prefix
  EXPECT_EQ(fs().DriveType(unused[0]), 1u);
  EXPECT_FALSE(fs().DriveReady(unused[0]));
  EXPECT_FALSE(fs().FreeSpace(unused + ":\\"));
  auto free = fs().FreeSpace("C:\\");
  ASSERT_TRUE(free);
  EXPECT_GT(*free, 0u);
  const std::string before = fs().CurrentDirectory();
  ASSERT_TRUE(fs().SetCurrentDirectory(kFolder));
  EXPECT_EQ(w95::AddBackslash("\\"), kFolder + "\\");
  EXPECT_EQ(fs().FullPath("README.TXT"), kFolder + "\\README.TXT");
  ASSERT_TRUE(fs().SetCurrentDirectory(before));
  auto root = fs().Stat("C:\\");
  ASSERT_TRUE(root);
  EXPECT_TRUE(root->IsDirectory());
}

// No conversion maps a character to a look-alike: what the code page cannot
// hold exactly is refused, or marked with "?" where text is only shown.
TEST(WinCodePage, ConversionsAreExactOrRefused) {
  EXPECT_EQ(CodePageFromWide(u"plain.bmp"), "plain.bmp");
  for (const char16_t* wide : {u"\u03a9mega.bmp", u"\u5199\u771f.bmp", u"a\uff0fb", u"\u2215",
                               u"\uff02q\uff02", u"\U0001F600.bmp"})
    EXPECT_FALSE(CodePageFromWide(wide)) << "no best-fit look-alike";
  EXPECT_EQ(CodePageOrMarks(u"\u03a9mega.bmp"), "?mega.bmp");
  EXPECT_EQ(CodePageOrMarks(u"\U0001F600.bmp"), "?.bmp");
  const auto back = WideFromCodePage(*CodePageFromWide(u"plain.bmp"));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, u"plain.bmp");
}

// Names outside the code page on the real file system: each entry is
// handed on by a name that opens it, the alias where the long name does not fit.
TEST(WinForeignNames, EveryListedNameOpensItsOwnFile) {
  InstallWin32Machine();
  FileSystem& fs = *Current().files;
  const std::wstring root = L"C:\\W95 Foreign Names";
  const std::wstring names[] = {L"\u03a9mega.bmp", L"\u5199\u771f.bmp", L"omega.bmp"};
  auto clean = [&] {
    for (const auto& n : names) DeleteFileW((root + L"\\" + n).c_str());
    RemoveDirectoryW((root + L"\\\u5199\u771f").c_str());
    RemoveDirectoryW(root.c_str());
  };
  clean();
  ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((root + L"\\\u5199\u771f").c_str(), nullptr));
  for (const auto& n : names) {
    HANDLE h = CreateFileW((root + L"\\" + n).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    const std::string data = std::to_string(&n - names);
    WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &done, nullptr);
    CloseHandle(h);
  }
  const std::string folder = "C:\\W95 Foreign Names\\";
  std::vector<std::string> opened;
  for (const FindData& d : fs.Find(folder + "*.bmp")) {
    EXPECT_FALSE(d.nameless) << d.longName;
    EXPECT_EQ(d.name.find_first_of("?*"), std::string::npos) << d.name;
    const auto data = fs.ReadFile(folder + d.name);
    ASSERT_TRUE(data) << d.name << " opens nothing";
    opened.push_back(*data);
    EXPECT_EQ(fs.Stat(folder + d.name)->longName, d.longName);
  }
  std::sort(opened.begin(), opened.end());
  EXPECT_EQ(opened, (std::vector<std::string>{"0", "1", "2"}));
  // A folder whose name does not fit is reached and reported by its alias.
  const auto sub = fs.Find(folder + "*.");
  std::string subName;
  for (const FindData& d : sub)
    if (d.IsDirectory() && d.name != "." && d.name != "..") subName = d.name;
  ASSERT_FALSE(subName.empty());
  ASSERT_TRUE(fs.SetCurrentDirectory(folder + subName));
  const std::string here = fs.CurrentDirectory();
  EXPECT_EQ(here.find_first_of("?*"), std::string::npos) << here;
  EXPECT_TRUE(fs.Stat(here)) << here;
  fs.SetCurrentDirectory("C:\\");
  clean();
}

// The cases the simulated file system is held to, on the real one.
TEST(WinFileCases, SharedCasesHoldOnKernel32) {
  InstallWin32Machine();
  FileSystem& fs = *Current().files;
  const std::string root = "C:\\W95 File Cases";
  auto clean = [&] {
    for (const char* f : {"\\a.txt", "\\b.txt", "\\ro.txt", "\\Dir\\Long Name.txt"}) {
      SetFileAttributesA((root + f).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((root + f).c_str());
    }
    RemoveDirectoryA((root + "\\Dir").c_str());
    RemoveDirectoryA(root.c_str());
  };
  clean();
  ASSERT_TRUE(w95::test::MakeCaseFiles(fs, root)) << fs.LastError();
  for (const auto& c : w95::test::FileCases()) {
    EXPECT_EQ(c.call(fs, root), c.ok) << c.what;
    if (!c.ok) {
      EXPECT_EQ(fs.LastError(), c.error) << c.what;
    }
  }
  clean();
  // The watches, whose notices come a little later than the change.
  ASSERT_TRUE(w95::test::MakeCaseFiles(fs, root)) << fs.LastError();
  EXPECT_EQ(w95::test::WatchCases(fs, root,
                                  [](w95::platform::FolderWatch& w) {
                                    for (int i = 0; i < 500; ++i) {
                                      if (w.Changed()) return true;
                                      Sleep(20);
                                    }
                                    return false;
                                  }),
            "");
  RemoveDirectoryA((root + "\\Made").c_str());
  clean();
}

}  // namespace
