// The settings-file object, exchange file and tag list on the real machine:
// kernel32's profile functions and real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/error.h"
#include "platform/platform.h"
#include "platform/win32/win32_machine.h"
#include "settings/exchange.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

#undef DeleteFile

namespace w95 {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class RealSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallWin32Machine();
    char buf[MAX_PATH];
    GetTempPathA(MAX_PATH, buf);
    work = std::string(buf) + "w95set" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(work.c_str(), nullptr);
    GetWindowsDirectoryA(buf, MAX_PATH);
    settingsPath = std::string(buf) + "\\plimbo.ini";
    DeleteFileA(settingsPath.c_str());
  }
  void TearDown() override {
    DeleteFileA(settingsPath.c_str());
    for (const char* name : {"plimbo.tmp", "tag.lst", "script.avl"})
      DeleteFileA((work + name).c_str());
    RemoveDirectoryA(work.c_str());
  }
  std::string work, settingsPath;
  TIniFile ini{keys::kSettingsFile};
};

TEST_F(RealSettings, NumbersTextsAndOneKeyForBothSpellings) {
  WritePrivateProfileStringA("plimbo", "Save8", "0x1F", "plimbo.ini");
  EXPECT_EQ(ini.ReadNumber(keys::kSection, keys::kSave8, 911), 31);
  WritePrivateProfileStringA("plimbo", "Save8", "0x", "PLIMBO.INI");
  EXPECT_EQ(ini.ReadNumber(keys::kSection, keys::kSave8, 911), 911);
  EXPECT_EQ(ini.ReadNumber(keys::kSection, keys::kSave24, 911), 911);

  const std::string long1500(1500, 'L');
  ini.WriteText(keys::kSection, keys::kBmp, long1500);
  EXPECT_EQ(ini.ReadText(keys::kSection, keys::kBmp, ""), long1500.substr(0, 1023));

  ini.WriteText(keys::kSection, keys::kSavename, "C:\\A.BMP");
  char buf[64];
  GetPrivateProfileStringA("plimbo", "SaveName", "ERROR", buf, sizeof buf, "plimbo.ini");
  EXPECT_STREQ(buf, "C:\\A.BMP");
  WritePrivateProfileStringA("plimbo", "SAVENAME", "C:\\B.BMP", "plimbo.ini");
  EXPECT_EQ(ini.ReadText(keys::kSection, keys::kSaveName, "ERROR"), "C:\\B.BMP");
  EXPECT_EQ(Slurp(settingsPath).find("SAVENAME"), std::string::npos);
}

TEST_F(RealSettings, AFailedWriteRaisesUnableToWrite) {
  const std::string file = work + "nofolder\\x.ini";
  try {
    TIniFile(file).WriteText("s", "k", "v");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
  }
}

TEST_F(RealSettings, KeyNamesAndValuesOfAScript) {
  const std::string script = work + "script.avl";
  std::ofstream(script, std::ios::binary) << "[Header]\r\nVer=6\r\n[1]\r\nF=a.bmp,0\r\nB=FF\r\n";
  std::vector<std::string> list;
  TIniFile(script).ReadKeyNames("1", list);
  EXPECT_EQ(list, (std::vector<std::string>{"F", "B"}));
  TIniFile(script).ReadKeyValues("1", list);
  EXPECT_EQ(list, (std::vector<std::string>{"F=a.bmp,0", "B=FF"}));
}

TEST_F(RealSettings, ExchangeFileAndTagListRoundTrip) {
  const std::string exchange = work + "plimbo.tmp";
  std::ofstream(exchange, std::ios::binary) << "[9]\r\nF=OLD.BMP\r\n";
  const FileList list{"C:\\PHOTOS\\", {"SUNSET.BMP", "BEACHH~1.JPG"}};
  WriteFileList(exchange, list);
  EXPECT_EQ(Slurp(exchange),
            "[Directory]\r\nFiles=2\r\nName=C:\\PHOTOS\\\r\n[1]\r\nF=SUNSET.BMP\r\n"
            "[2]\r\nF=BEACHH~1.JPG\r\n");
  EXPECT_EQ(ReadFileList(exchange, kAddSlidesDefaults).files, list.files);

  WriteInstantSlideshow(exchange, list);
  EXPECT_EQ(Slurp(exchange),
            "[Header]\r\nVer=4\r\nN=3\r\n[1]\r\nF=SUNSET.BMP,0\r\n[2]\r\nF=BEACHH~1.JPG,0\r\n"
            "[Directory]\r\n0=C:\\PHOTOS\\\r\n");
  EXPECT_EQ(ReadInstantSlideshow(exchange).files, list.files);

  WriteTagList(work, {"C:\\A.BMP"});
  EXPECT_EQ(Slurp(work + "tag.lst"), "[Count]\r\nN=1\r\n[1]\r\nF=C:\\A.BMP\r\n");
  EXPECT_EQ(ReadTagList(work), std::vector<std::string>{"C:\\A.BMP"});

  EXPECT_EQ(ExchangeFileName(), "c:\\plimbo.tmp");
  ini.WriteText(keys::kSection, keys::kWin95Tmp, exchange);
  EXPECT_EQ(ExchangeFileName(), exchange);
}

}  // namespace
}  // namespace w95
