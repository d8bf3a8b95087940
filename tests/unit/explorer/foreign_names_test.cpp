// Pictures named in any script, chosen in the explorer: every name the host
// receives opens its own file, and a name that cannot be handed on is
// refused plainly.
#include "explorer_fixture.h"

#include <algorithm>

#include "explorer/messages.h"

namespace explorer_test {
namespace {

using w95::ui::mrOk;

constexpr const char* kNames[] = {
    "caf\xC3\xA9.bmp",               // café.bmp: fits the code page
    "\xCE\xA9mega.bmp",              // Ωmega.bmp
    "\xE5\x86\x99\xE7\x9C\x9F.bmp",  // 写真.bmp
    "\xF0\x9F\x98\x80.bmp",          // an emoji
};

TEST_F(Explorer, AddedPicturesWithNamesInAnyScriptReachTheHostByNamesThatOpenThem) {
  for (const char* name : kNames) machine.files.AddFileUtf8(std::string("C:\\Show\\") + name, name);
  machine.files.AddFile("C:\\Show\\omega.bmp", "a different file");
  SetKey("LastDir", "c:\\show\\");
  const int32_t r = Run(253, 0, [](User& u, TFileForm& f) {
    ASSERT_EQ(f.XFiles.Count(), 5);
    for (int i = 0; i < f.XFiles.Count(); ++i)
      EXPECT_EQ(f.XFiles.Item(i).find_first_of("?*"), std::string::npos) << f.XFiles.Item(i);
    f.FileMenuClick(*f.MarkDirectory);
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 0);
  ASSERT_EQ(Exchange("Directory", "Files"), "5");
  const std::string folder = Exchange("Directory", "Name");
  std::vector<std::string> opened;
  for (int i = 1; i <= 5; ++i) {
    const std::string name = Exchange(std::to_string(i), "F");
    const auto data = machine.files.ReadFile(folder + name);
    ASSERT_TRUE(data) << name << " opens nothing";
    opened.push_back(*data);
  }
  for (const char* name : kNames)
    EXPECT_EQ(std::count(opened.begin(), opened.end(), name), 1) << name;
  EXPECT_EQ(std::count(opened.begin(), opened.end(), "a different file"), 1);
}

TEST_F(Explorer, ANameWithNoFormForTheHostIsRefusedAndNothingIsHandedOn) {
  machine.files.AddDrive('D');
  machine.files.SetShortNames('D', false);
  machine.files.AddFileUtf8(std::string("D:\\Show\\") + kNames[2], "photo");
  machine.files.AddFile("D:\\Show\\plain.bmp", "plain");
  SetKey("LastDir", "d:\\show\\");
  const std::string refused = w95::explorer::NameCannotBePassedOn("??.bmp");
  // Several chosen (add-slides list), then one chosen (the name box).
  session.ExpectMessage(MsgKind::Error, refused, mrOk);
  session.ExpectMessage(MsgKind::Error, refused, mrOk);
  const int32_t r = Run(253, 0, [](User& u, TFileForm& f) {
    ASSERT_EQ(f.XFiles.Count(), 2);
    f.FileMenuClick(*f.MarkDirectory);
    u.Click("BtnOK");
    EXPECT_TRUE(f.Showing()) << "the dialog stays for another choice";
    u.Click("BtnExit");
  });
  EXPECT_EQ(r, -1);
  EXPECT_FALSE(machine.files.Exists("C:\\plimbo.tmp"));
  Run(252, 0, [](User& u, TFileForm& f) {
    f.Edit1.SetText("??.bmp");
    u.Click("BtnOK");
    u.Click("BtnExit");
  });
  EXPECT_EQ(Key("Savename"), "ERROR");
}

}  // namespace
}  // namespace explorer_test
