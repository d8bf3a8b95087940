#include <gtest/gtest.h>

#include "exports/library.h"
#include "exports/module_state.h"
#include "platform/sim/sim_machine.h"
#include "settings/ini_file.h"

namespace {

using w95::platform::sim::SimMachine;

std::string Ini(const std::string& key, const std::string& def = "(none)") {
  return w95::TIniFile("plimbo.ini").ReadText("plimbo", key, def);
}
void SetIni(const std::string& key, const std::string& value) {
  w95::TIniFile("plimbo.ini").WriteText("plimbo", key, value);
}

TEST(GetFreePageMem, SaturatesInsteadOfWrappingAbove4GB) {
  SimMachine m;
  m.Install();
  struct Row {
    uint64_t avail;
    uint32_t result;
  } rows[] = {
      {123456789, 123456789u},
      {0xFFFFFFFFull, 0xFFFFFFFFu},
      {0x100000000ull, 0xFFFFFFFFu},
      {5ull << 30, 0xFFFFFFFFu},
      {0, 0},
  };
  for (const auto& r : rows) {
    m.desktop.availPageFile = r.avail;
    EXPECT_EQ(w95::GetFreePageMem(), r.result) << r.avail;
  }
}

TEST(GDIflush, ReportsOneOrZero) {
  SimMachine m;
  m.Install();
  m.desktop.gdiFlushResult = true;
  EXPECT_EQ(w95::GDIflush(), 1);
  m.desktop.gdiFlushResult = false;
  EXPECT_EQ(w95::GDIflush(), 0);
}

TEST(ShortToLongName, WritesTheLongNameOfTheFileInSaveName) {
  SimMachine m;
  m.files.AddFile("C:\\Holiday Photos\\Long File Name.jpeg");
  m.files.AddFile("C:\\PICS\\README.TXT");
  m.Install();
  struct Row {
    const char* saveName;  // nullptr: key absent
    const char* longName;
  } rows[] = {
      {"C:\\HOLIDA~1\\LONGFI~1.JPE", "Long File Name.jpeg"},
      {"c:\\holiday photos\\long file name.jpeg", "Long File Name.jpeg"},
      {"C:\\PICS\\readme.txt", "README.TXT"},                 // the name as stored
      {"C:\\Nowhere\\Missing File.BMP", "Missing File.BMP"},  // missing: name part as given
      {"a:SLIDE.AVL", "SLIDE.AVL"},
      {nullptr, "ERROR"},
  };
  for (const auto& r : rows) {
    if (r.saveName)
      SetIni("Savename", r.saveName);  // the explorer's spelling: the same key
    else
      w95::TIniFile("plimbo.ini").DeleteKey("plimbo", "SaveName");
    w95::ShortToLongName();
    EXPECT_EQ(Ini("LongName"), r.longName) << (r.saveName ? r.saveName : "(absent)");
  }
}

TEST(LibraryStart, SetsTheModuleStateOfEachWindow) {
  SimMachine m;
  m.Install();
  w95::Module().print.PrintOpen = 1;
  w95::Module().print.Zoom = 2.5;
  w95::LibraryStart(nullptr);
  const auto& s = w95::Module();
  EXPECT_EQ(s.print.Zoom, 1.0);
  EXPECT_EQ(s.print.MeasureUnit, 1);
  EXPECT_EQ(s.print.PrintOpen, 0);
  EXPECT_EQ(s.editor.caption, "Plimbo Slide Editor");
  EXPECT_EQ(s.editor.separator, "------------------------------");
  EXPECT_FALSE(s.explorer.windowOpen);
  EXPECT_EQ(w95::PrintCheck(), 0);
  EXPECT_EQ(w95::VideoWinStatus(), 0);
}

}  // namespace
