// The simulated profile store: file names, its parse cache, UTF-16 files.
#include "platform/sim/sim_profiles.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_files.h"
#include "text/code_page.h"

namespace w95::platform::sim {
namespace {

class SimProfilesTest : public ::testing::Test {
 protected:
  void SetUp() override { files.AddFolder("C:\\WINDOWS"); }
  SimFileSystem files;
  SimProfileStore store{&files};
};

TEST_F(SimProfilesTest, ReadsSeeFilesChangedBehindTheStoresBack) {
  files.AddFile("C:\\a.ini", "[s]\r\nk=1\r\n");
  EXPECT_EQ(store.GetString("c:\\A.INI", "s", "k", "", 100), "1");
  files.AddFile("C:\\a.ini", "[s]\r\nk=2\r\n");  // same size
  EXPECT_EQ(store.GetString("c:\\a.ini", "s", "k", "", 100), "2");
  files.DeleteFile("C:\\a.ini");
  EXPECT_EQ(store.GetString("c:\\a.ini", "s", "k", "gone", 100), "gone");
}

TEST_F(SimProfilesTest, NamesWithoutAFolderLiveInTheWindowsDirectory) {
  files.AddFolder("C:\\WORK");
  files.SetCurrentDirectory("C:\\WORK");
  EXPECT_TRUE(store.WriteString("plimbo.ini", "plimbo", "k", "v"));
  EXPECT_TRUE(files.Exists("C:\\WINDOWS\\PLIMBO.INI"));
  EXPECT_FALSE(files.Exists("C:\\WORK\\plimbo.ini"));
  EXPECT_FALSE(store.WriteString("sub\\x.ini", "s", "k", "v"));  // relative: no C:\WORK\sub
  files.AddFolder("C:\\WORK\\SUB");
  EXPECT_TRUE(store.WriteString("sub\\x.ini", "s", "k", "v"));
  EXPECT_TRUE(files.Exists("C:\\WORK\\SUB\\X.INI"));
  store.windowsDirectory = "D:\\WIN";
  EXPECT_EQ(store.Resolve("plimbo.ini"), "D:\\WIN\\plimbo.ini");
  EXPECT_FALSE(store.WriteString("", "s", "k", "v"));
}

TEST_F(SimProfilesTest, AWriteThatChangesNothingLeavesTheFileAlone) {
  files.AddFile("C:\\a.ini", "[s]\r\nk = v\r\n");
  const uint64_t stamp = files.Stat("C:\\a.ini")->writeTime;
  files.clock += 10'000'000;
  EXPECT_TRUE(store.WriteString("c:\\a.ini", "s", "k", "v"));
  EXPECT_TRUE(store.WriteString("c:\\a.ini", "s", "none", std::nullopt));
  EXPECT_EQ(files.Stat("C:\\a.ini")->writeTime, stamp);
  EXPECT_TRUE(store.WriteString("c:\\a.ini", "s", "k", "w"));
  EXPECT_NE(files.Stat("C:\\a.ini")->writeTime, stamp);
}

TEST_F(SimProfilesTest, Utf16FilesAreReadAndWrittenAsCodePage1252) {
  // "[s]\r\nk=€é\r\n" in UTF-16LE, then a key with a character 1252 lacks.
  const std::string euro = Utf16FromAnsi("[s]\r\nk=\x80\xe9\r\n");
  EXPECT_EQ(euro.substr(0, 2), "\xff\xfe");
  EXPECT_EQ(euro.substr(16, 2), std::string("\xac\x20", 2));
  EXPECT_EQ(AnsiFromUtf16(euro), "[s]\r\nk=\x80\xe9\r\n");
  EXPECT_EQ(AnsiFromUtf16(std::string("\xff\xfe\x3a\x04", 4)), "?");
  files.AddFile("C:\\u.ini", euro);
  EXPECT_EQ(store.GetString("c:\\u.ini", "s", "k", "", 100), "\x80\xe9");
  EXPECT_TRUE(store.WriteString("c:\\u.ini", "s", "j", "\x9f"));
  EXPECT_EQ(*files.ReadFile("C:\\u.ini"), Utf16FromAnsi("[s]\r\nk=\x80\xe9\r\nj=\x9f\r\n"));
}

}  // namespace
}  // namespace w95::platform::sim
