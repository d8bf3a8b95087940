// Exchange file and tag list on the simulated machine.
#include "settings/exchange.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/sim/sim_machine.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

namespace w95 {
namespace {

class ExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.Install();
    machine.files.AddFolder("C:\\PLIMBO");
  }
  std::string Bytes(const std::string& path) {
    return machine.files.ReadFile(path).value_or("<none>");
  }

  platform::sim::SimMachine machine;
  const FileList photos{"C:\\PHOTOS\\", {"SUNSET.BMP", "BEACHH~1.JPG"}};
};

TEST_F(ExchangeTest, FileListReplacesTheOldFileInItsLayout) {
  machine.files.AddFile("C:\\plimbo.tmp", "[Directory]\r\nFiles=3\r\n[3]\r\nF=OLD.BMP\r\n");
  WriteFileList("c:\\plimbo.tmp", photos);
  EXPECT_EQ(Bytes("C:\\plimbo.tmp"),
            "[Directory]\r\nFiles=2\r\nName=C:\\PHOTOS\\\r\n[1]\r\nF=SUNSET.BMP\r\n"
            "[2]\r\nF=BEACHH~1.JPG\r\n");
  const FileList back = ReadFileList("C:\\PLIMBO.TMP", kAddSlidesDefaults);
  EXPECT_EQ(back.folder, photos.folder);
  EXPECT_EQ(back.files, photos.files);
}

TEST_F(ExchangeTest, FileListReadersTakeTheirOwnDefaults) {
  const FileList add = ReadFileList("c:\\plimbo.tmp", kAddSlidesDefaults);
  EXPECT_EQ(add.folder, "c:\\");
  EXPECT_TRUE(add.files.empty());
  const FileList view = ReadFileList("c:\\plimbo.tmp", kViewInputDefaults);
  EXPECT_EQ(view.files, std::vector<std::string>{"[ERROR]"});
  machine.files.AddFile("C:\\x.tmp", "[Directory]\r\nFiles=2\r\n[1]\r\nF=A.BMP\r\n");
  EXPECT_EQ(ReadFileList("c:\\x.tmp", kAddSlidesDefaults).files,
            (std::vector<std::string>{"A.BMP", "ERROR"}));
}

TEST_F(ExchangeTest, ADamagedCountReadsNoMoreEntriesThanSections) {
  machine.files.AddFile("C:\\x.tmp", "[Directory]\r\nFiles=2000000000\r\n[1]\r\nF=A.BMP\r\n");
  EXPECT_EQ(ReadFileList("c:\\x.tmp", kAddSlidesDefaults).files,
            (std::vector<std::string>{"A.BMP", "ERROR"}));
  machine.files.AddFile("C:\\x.tmp", "[Directory]\r\nFiles=-4\r\n");
  EXPECT_TRUE(ReadFileList("c:\\x.tmp", kViewInputDefaults).files.empty());
}

TEST_F(ExchangeTest, InstantSlideshowIsAGeneration4Script) {
  machine.files.AddFile("C:\\plimbo.tmp", "[Directory]\r\nFiles=1\r\nName=C:\\\r\n");
  WriteInstantSlideshow("c:\\plimbo.tmp", photos);
  EXPECT_EQ(Bytes("C:\\plimbo.tmp"),
            "[Header]\r\nVer=4\r\nN=3\r\n[1]\r\nF=SUNSET.BMP,0\r\n[2]\r\nF=BEACHH~1.JPG,0\r\n"
            "[Directory]\r\n0=C:\\PHOTOS\\\r\n");
  const FileList back = ReadInstantSlideshow("c:\\plimbo.tmp");
  EXPECT_EQ(back.folder, photos.folder);
  EXPECT_EQ(back.files, photos.files);
}

TEST_F(ExchangeTest, TagListLivesInTheApplicationFolder) {
  machine.files.AddFile("C:\\PLIMBO\\tag.lst", "[Count]\r\nN=9\r\n[9]\r\nF=C:\\OLD.BMP\r\n");
  WriteTagList("C:\\PLIMBO\\", {"C:\\PHOTOS\\SUNSET.BMP", "C:\\A.PCX"});
  EXPECT_EQ(Bytes("C:\\PLIMBO\\TAG.LST"),
            "[Count]\r\nN=2\r\n[1]\r\nF=C:\\PHOTOS\\SUNSET.BMP\r\n[2]\r\nF=C:\\A.PCX\r\n");
  EXPECT_EQ(ReadTagList("c:\\plimbo\\"),
            (std::vector<std::string>{"C:\\PHOTOS\\SUNSET.BMP", "C:\\A.PCX"}));
  EXPECT_TRUE(ReadTagList("c:\\nowhere\\").empty());
}

TEST_F(ExchangeTest, ExchangeFileNameComesFromWin95Tmp) {
  EXPECT_EQ(ExchangeFileName(), "c:\\plimbo.tmp");
  TIniFile(keys::kSettingsFile).WriteText(keys::kSection, keys::kWin95Tmp, "C:\\TEMP\\PL.TMP");
  EXPECT_EQ(ExchangeFileName(), "C:\\TEMP\\PL.TMP");
}

TEST_F(ExchangeTest, ANameWithoutFolderIsTheFileInTheWindowsDirectory) {
  // The old file the profile functions would add to is the one deleted,
  // whatever the current folder holds.
  machine.files.AddFile("C:\\WINDOWS\\plimbo.tmp", "[9]\r\nF=OLD.BMP\r\n");
  machine.files.AddFile("C:\\plimbo.tmp", "kept");
  machine.files.SetCurrentDirectory("C:\\");
  WriteFileList("plimbo.tmp", photos);
  EXPECT_EQ(Bytes("C:\\WINDOWS\\plimbo.tmp").find("OLD"), std::string::npos);
  EXPECT_EQ(Bytes("C:\\plimbo.tmp"), "kept");
  EXPECT_EQ(ReadFileList("plimbo.tmp", kAddSlidesDefaults).files, photos.files);
}

TEST_F(ExchangeTest, AWriteThatFailsRaisesTheError) {
  try {
    WriteFileList("c:\\nofolder\\plimbo.tmp", photos);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unable to write to c:\\nofolder\\plimbo.tmp");
  }
}

}  // namespace
}  // namespace w95
