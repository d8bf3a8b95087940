// Pictures whose names the code page cannot hold, added and tested: the
// script the host plays names each by a name that opens it.
#include "editor_fixture.h"

#include <algorithm>

#include "editor/script_io.h"
#include "platform/code_page_text.h"
#include "settings/paths.h"

namespace editor_test {
namespace {

TEST_F(Editor, SlidesNamedInAnyScriptReachTheTestScriptByNamesThatOpenThem) {
  const std::vector<std::string> longNames = {"caf\xC3\xA9.bmp", "\xCE\xA9mega.bmp",
                                              "\xE5\x86\x99\xE7\x9C\x9F.bmp",
                                              "\xF0\x9F\x98\x80.bmp"};
  for (const std::string& name : longNames) machine.files.AddFileUtf8("c:\\world\\" + name, name);
  // What the explorer hands on for them: the names its listing shows.
  std::vector<std::string> listed;
  for (const auto& d : machine.files.Find("c:\\world\\*.bmp")) listed.push_back(d.name);
  ASSERT_EQ(listed.size(), 4u);
  ExplorerAdds("c:\\world\\", listed);
  Run([&](User& u, TEditorForm& f) {
    u.Click("BtnAdd");
    ASSERT_EQ(f.Grid.RowCount(), 5);
    // The grid shows each slide by its real name.
    std::vector<std::string> shown;
    for (int row = 1; row < 5; ++row) shown.push_back(f.Grid.Cell(w95::editor::kColName, row));
    for (const std::string& name : longNames)
      EXPECT_EQ(std::count(shown.begin(), shown.end(), w95::platform::ShownFromUtf8(name)), 1)
          << name;
    u.Click("BtnTest");
  });
  const w95::TIniFile script("c:\\viewer\\avltmp.avl");
  std::vector<std::string> opened;
  for (int i = 1; i <= 8; ++i) {
    const std::string entry = script.ReadText(std::to_string(i), "F", "");
    const size_t comma = entry.rfind(',');
    if (comma == std::string::npos) continue;  // the end marker, or past the end
    const std::string folder = script.ReadText("Directory", entry.substr(comma + 1), "");
    const auto data = machine.files.ReadFile(folder + entry.substr(0, comma));
    ASSERT_TRUE(data) << folder << entry << " opens nothing";
    opened.push_back(*data);
  }
  std::sort(opened.begin(), opened.end());
  std::vector<std::string> expected = longNames;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(opened, expected);
}

TEST_F(Editor, AScriptHoldingShortNamesShowsTheRealNamesOfItsSlidesAndItself) {
  const std::string photo = "\xE5\x86\x99\xE7\x9C\x9F";  // 写真
  machine.files.AddFileUtf8("c:\\world\\" + photo + ".bmp", "photo");
  machine.files.AddFileUtf8("c:\\world\\caf\xC3\xA9.bmp", "cafe");
  const std::string shortPhoto = machine.files.ShortPath("c:\\world\\" + photo + ".bmp");
  ASSERT_TRUE(w95::platform::CodePageFromShown(shortPhoto)) << shortPhoto;
  // A script the host made, by the names it has: short for the photo.
  const std::string script =
      "[Header]\r\nVer=6\r\nN=3\r\nCat=ABCDE\r\n"
      "[Directory]\r\n0=c:\\viewer\\\r\n1=c:\\world\\\r\n"
      "[1]\r\nF=" +
      w95::NamePart(shortPhoto) + ",1\r\n[2]\r\nF=caf\xE9.bmp,1\r\n";
  machine.files.AddFileUtf8("c:\\world\\" + photo + ".avl", script);
  const std::string shortScript = machine.files.ShortPath("c:\\world\\" + photo + ".avl");
  StartWith(shortScript);
  Run([&](User& u, TEditorForm& f) {
    u.Click("BtnQuit");
    ASSERT_GE(f.Grid.RowCount(), 3);
    EXPECT_EQ(f.Grid.Cell(w95::editor::kColName, 1), photo + ".bmp");
    EXPECT_EQ(f.Grid.Cell(w95::editor::kColName, 2), "caf\xE9.bmp");
    EXPECT_EQ(f.Caption(), w95::editor::EditorCaption(photo + ".avl"));
  });
}

}  // namespace
}  // namespace editor_test
