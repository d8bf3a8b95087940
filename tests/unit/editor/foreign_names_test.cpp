// Pictures whose names the code page cannot hold, added and tested: the
// script the host plays names each by a name that opens it.
#include "editor_fixture.h"

#include <algorithm>

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
  Run([](User& u, TEditorForm& f) {
    u.Click("BtnAdd");
    ASSERT_EQ(f.Grid.RowCount(), 5);
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

}  // namespace
}  // namespace editor_test
