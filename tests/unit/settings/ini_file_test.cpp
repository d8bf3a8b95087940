// The settings-file object over the simulated profile store.
#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/sim/sim_machine.h"
#include "settings/keys.h"

namespace w95 {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override { machine.Install(); }
  // What the host wrote into plimbo.ini.
  void HostWrites(const std::string& key, const std::string& value) {
    store.WriteString(keys::kSettingsFile, keys::kSection, key, value);
  }

  platform::sim::SimMachine machine;
  platform::sim::SimFileSystem& files = machine.files;
  platform::sim::SimProfileStore& store = machine.profiles;
  TIniFile ini{keys::kSettingsFile};
};

TEST_F(IniFileTest, ReadNumberTakesDecimalOrHexAndOtherwiseTheDefault) {
  const struct {
    const char* text;
    int32_t want;
  } cases[] = {
      {"0x1F", 31},
      {"0X1f", 31},
      {"0x", 911},
      {"0X", 911},
      {"42", 42},
      {"-5", -5},
      {"+7", 7},
      {"", 911},
      {"12abc", 911},
      {"abc", 911},
      {"1F", 911},
      {"0xG1", 911},
      {"2147483647", 2147483647},
      {"2147483648", 911},
      {"-2147483648", INT32_MIN},
      {"0xFFFFFFFF", -1},
      {"0x100000000", 911},
      {"\"9\"", 9},
      {"0x-1", 911},
      {"+-1", 911},
      {"12.5", 911},
  };
  for (const auto& c : cases) {
    HostWrites("Save8", c.text);
    EXPECT_EQ(ini.ReadNumber(keys::kSection, keys::kSave8, 911), c.want) << c.text;
  }
  EXPECT_EQ(ini.ReadNumber(keys::kSection, "NoSuchKey", -1), -1);
  EXPECT_EQ(TIniFile("c:\\missing.ini").ReadNumber("s", "k", 5), 5);
}

TEST_F(IniFileTest, ReadTextGetsAtMost1023CharactersOrTheDefault) {
  const std::string value(1500, 'v');
  HostWrites("BMP", value);
  EXPECT_EQ(ini.ReadText(keys::kSection, keys::kBmp, ""), value.substr(0, 1023));
  EXPECT_EQ(ini.ReadText(keys::kSection, keys::kAvlTmp, keys::kAbsent), "ERROR");
  HostWrites("AVLTMP", "");
  EXPECT_EQ(ini.ReadText(keys::kSection, keys::kAvlTmp, keys::kAbsent), "");
}

TEST_F(IniFileTest, SavenameAndSaveNameAreOneKey) {
  HostWrites("SaveName", "C:\\OLD.BMP");
  ini.WriteText(keys::kSection, keys::kSavename, "C:\\PHOTOS\\SUNSET.BMP");
  EXPECT_EQ(TIniFile("PLIMBO.INI").ReadText(keys::kSection, keys::kSaveName, "ERROR"),
            "C:\\PHOTOS\\SUNSET.BMP");
  EXPECT_EQ(*files.ReadFile("C:\\WINDOWS\\plimbo.ini"),
            "[plimbo]\r\nSaveName=C:\\PHOTOS\\SUNSET.BMP\r\n");
}

TEST_F(IniFileTest, EveryReadSeesWhatTheHostWroteLast) {
  HostWrites("AVLidx", "7");
  EXPECT_EQ(ini.ReadNumber(keys::kSection, keys::kAvlIdx, 0), 7);
  HostWrites("AVLidx", "8");
  EXPECT_EQ(ini.ReadNumber(keys::kSection, keys::kAvlIdx, 0), 8);
  ini.WriteNumber(keys::kSection, keys::kAvlIdx, -12);
  EXPECT_EQ(store.GetString("plimbo.ini", "plimbo", "avlidx", "", 1024), "-12");
}

TEST_F(IniFileTest, AFailedWriteRaisesUnableToWrite) {
  HostWrites("prL", "1");
  files.SetAttributes("C:\\WINDOWS\\plimbo.ini", platform::kAttrReadOnly);
  try {
    ini.WriteNumber(keys::kSection, keys::kPrLeft, 2);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unable to write to plimbo.ini");
  }
  EXPECT_THROW(TIniFile("c:\\nofolder\\x.ini").WriteText("s", "k", "v"), Error);
  EXPECT_EQ(ini.ReadNumber(keys::kSection, keys::kPrLeft, 0), 1);
}

TEST_F(IniFileTest, ReadsKeyNamesAndKeyValuesOfASection) {
  files.AddFile("C:\\show.avl", "[Header]\r\nVer=6\r\n[1]\r\nF=a.bmp,0\r\n;c\r\nB=FF\r\nf=dup\r\n");
  TIniFile script("c:\\SHOW.AVL");
  std::vector<std::string> list = {"stale"};
  script.ReadKeyNames("1", list);
  EXPECT_EQ(list, (std::vector<std::string>{"F", "B", "f"}));
  script.ReadKeyValues("1", list);
  EXPECT_EQ(list, (std::vector<std::string>{"F=a.bmp,0", "B=FF", "f=a.bmp,0"}));
  script.ReadKeyNames("2", list);
  EXPECT_TRUE(list.empty());
}

TEST_F(IniFileTest, KeyNamesComeThroughAn8192ByteBuffer) {
  std::string text = "[big]\r\n";
  for (int i = 0; i < 1200; ++i) text += "key" + std::to_string(1000 + i) + "=1\r\n";
  files.AddFile("C:\\big.ini", text);
  std::vector<std::string> list;
  TIniFile("c:\\big.ini").ReadKeyNames("big", list);
  // 8190 characters of "keyNNNN\0" names: 1023 whole names, and "key202"
  // of the next, which is left out.
  ASSERT_EQ(list.size(), 1023u);
  EXPECT_EQ(list.back(), "key2022");
}

// The window reads its remembered choices as one section; each value must be
// what the key's own read gives (the profile vectors hold the rules' corner
// cases: ProfileVectors.ASectionReadFindsWhatEachKeyReadFinds).
TEST_F(IniFileTest, ASectionReadOnceGivesWhatEachKeyReadGives) {
  files.AddFile("C:\\WINDOWS\\plimbo.ini",
                "[plimbo]\r\n  vidzoom =  3 \r\nVidZoom=4\r\nVidLoop\r\nVidTime=\"0\"\r\n"
                ";VidQuiet=1\r\nSaveName= 'C:\\A B.AVI' \r\nSafePLAY=0x10\r\n"
                "[other]\r\nVidStatusBar=0\r\n[PLIMBO]\r\nVidQuiet=1\r\n");
  const TIniSection section(ini, keys::kSection);
  EXPECT_TRUE(section.ReadWhole());
  for (const char* key : {keys::kVidZoom, keys::kVidLoop, keys::kVidTime, keys::kVidQuiet,
                          keys::kSaveName, keys::kSafePlay, keys::kVidStatusBar}) {
    SCOPED_TRACE(key);
    EXPECT_EQ(section.ReadText(key, keys::kAbsent),
              ini.ReadText(keys::kSection, key, keys::kAbsent));
    EXPECT_EQ(section.ReadNumber(key, -7), ini.ReadNumber(keys::kSection, key, -7));
  }
  EXPECT_EQ(section.ReadNumber(keys::kVidZoom, 1), 3);
  EXPECT_EQ(section.ReadText(keys::kSaveName, ""), "C:\\A B.AVI");
  EXPECT_EQ(section.ReadText("Missing", "ERROR  "), "ERROR");
  // Read once: the host's later change is for the next reading.
  HostWrites("VidZoom", "2");
  EXPECT_EQ(section.ReadNumber(keys::kVidZoom, 1), 3);
  EXPECT_EQ(TIniSection(ini, keys::kSection).ReadNumber(keys::kVidZoom, 1), 2);
}

TEST_F(IniFileTest, ASectionTooLargeToReadWholeIsReadKeyByKey) {
  std::string text = "[plimbo]\r\n";
  for (int i = 0; i < 3000; ++i) text += "Host" + std::to_string(i) + "=value\r\n";
  files.AddFile("C:\\WINDOWS\\plimbo.ini", text + "VidZoom=2\r\n");
  const TIniSection section(ini, keys::kSection);
  EXPECT_FALSE(section.ReadWhole());
  EXPECT_EQ(section.ReadNumber(keys::kVidZoom, 1), 2);
  EXPECT_EQ(section.ReadText("Host2999", ""), "value");
  EXPECT_EQ(section.ReadNumber(keys::kVidLoop, 5), 5);
  // A section named with blanks at its ends is found by a key's read.
  EXPECT_FALSE(TIniSection(ini, " plimbo").ReadWhole());
  EXPECT_EQ(TIniSection(ini, " plimbo").ReadNumber(keys::kVidZoom, 1), 2);
  // No file at all: every default.
  const TIniSection none(TIniFile("c:\\nothing.ini"), "s");
  EXPECT_TRUE(none.ReadWhole());
  EXPECT_EQ(none.ReadText("k", "d"), "d");
}

}  // namespace
}  // namespace w95
