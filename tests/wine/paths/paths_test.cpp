// The file-system service and the path routines on the real kernel32.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "../unit/platform/file_cases.h"
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
}

}  // namespace
