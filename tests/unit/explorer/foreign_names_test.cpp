// Pictures named in any script, chosen in the explorer: every name the host
// receives opens its own file, and a name that cannot be handed on is
// refused plainly.
#include "explorer_fixture.h"

#include <algorithm>

#include "explorer/messages.h"
#include "platform/code_page_text.h"
#include "settings/paths.h"

namespace explorer_test {
namespace {

using w95::ui::mrOk;

constexpr const char* kNames[] = {
    "caf\xC3\xA9.bmp",               // café.bmp: fits the code page
    "\xCE\xA9mega.bmp",              // Ωmega.bmp
    "\xE5\x86\x99\xE7\x9C\x9F.bmp",  // 写真.bmp
    "\xF0\x9F\x98\x80.bmp",          // an emoji
};

// What the windows show of a name: code page where it can, else UTF-8.
std::string Shown(const std::string& utf8) { return w95::platform::ShownFromUtf8(utf8); }

TEST_F(Explorer, AddedPicturesWithNamesInAnyScriptReachTheHostByNamesThatOpenThem) {
  for (const char* name : kNames) machine.files.AddFileUtf8(std::string("C:\\Show\\") + name, name);
  machine.files.AddFile("C:\\Show\\omega.bmp", "a different file");
  SetKey("LastDir", "c:\\show\\");
  const int32_t r = Run(253, 0, [](User& u, TFileForm& f) {
    ASSERT_EQ(f.XFiles.Count(), 5);
    // Listed by their real names, "omega.bmp" beside "Ωmega.bmp".
    for (const char* name : kNames) EXPECT_GE(f.XFiles.IndexOf(Shown(name)), 0) << name;
    EXPECT_GE(f.XFiles.IndexOf("omega.bmp"), 0);
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
  const std::string refused = w95::explorer::NameCannotBePassedOn(kNames[2]);
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
    f.Edit1.SetText(kNames[2]);
    u.Click("BtnOK");
    u.Click("BtnExit");
  });
  EXPECT_EQ(Key("Savename"), "ERROR");
}

TEST_F(Explorer, TheNameBoxShowsTheRealNameAndOneChosenReachesTheHostByItsShortName) {
  for (const char* name : kNames) machine.files.AddFileUtf8(std::string("C:\\Show\\") + name, name);
  SetKey("LastDir", "c:\\show\\");
  for (const char* name : kNames) {
    Run(252, 0, [&](User& u, TFileForm& f) {
      const int i = f.XFiles.IndexOf(Shown(name));
      ASSERT_GE(i, 0) << name;
      u.Select("XFiles", i);
      EXPECT_EQ(u.TextOf("Edit1"), Shown(name));
      u.Click("BtnOK");
    });
    const std::string chosen = Key("Savename");
    EXPECT_TRUE(w95::platform::CodePageFromShown(chosen)) << chosen;
    EXPECT_EQ(machine.files.ReadFile(chosen).value_or("nothing"), name) << chosen;
    const std::string longName = Key("LongName");
    EXPECT_TRUE(w95::platform::CodePageFromShown(longName)) << longName;
    EXPECT_EQ(machine.files.ReadFile("c:\\show\\" + longName).value_or("nothing"), name);
  }
}

TEST_F(Explorer, ShortNamesFromTheHostAreShownByTheRealNamesOfTheirFolderAndFile) {
  machine.files.AddFileUtf8("C:\\\xE5\x86\x99\xE7\x9C\x9F\\\xCE\xA9mega.bmp", "omega");
  const std::string folder = machine.files.ShortPath("C:\\\xE5\x86\x99\xE7\x9C\x9F");
  const std::string file =
      machine.files.ShortPath("C:\\\xE5\x86\x99\xE7\x9C\x9F\\\xCE\xA9mega.bmp");
  ASSERT_FALSE(folder.empty());
  SetKey("SavePath", folder + "\\");
  SetKey("SaveAs", w95::NamePart(file));
  Run(24, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.CurrentFolder(), "C:\\\xE5\x86\x99\xE7\x9C\x9F");
    EXPECT_NE(f.LookBox.Items().back().find("\\\xE5\x86\x99\xE7\x9C\x9F"), std::string::npos)
        << f.LookBox.Items().back();
    EXPECT_EQ(u.TextOf("Edit1"), "\xCE\xA9mega.bmp");
    u.Click("BtnExit");
  });
  EXPECT_EQ(Key("LastDir"), folder + "\\") << "the host keeps the short form";
}

TEST_F(Explorer, ANameTypedInAnyScriptIsSavedUnderThatName) {
  machine.files.AddFolder("C:\\Out");
  SetKey("SavePath", "c:\\out\\");
  for (const char* name : kNames) {
    session.ExpectMessage(MsgKind::Warning, w95::ui::mrYes);  // a picture saved as .bmp
    const int32_t r = Run(8, 0, [&](User& u, TFileForm&) {
      u.Type("Edit1", Shown(name));
      u.Click("BtnOK");
    });
    ASSERT_GE(r, 0) << name;
    // The host writes its picture where it was told.
    const std::string target = Key("Savename");
    ASSERT_TRUE(w95::platform::CodePageFromShown(target)) << target;
    machine.files.WriteFile(target, std::string("picture ") + name);
  }
  for (const char* name : kNames)
    EXPECT_EQ(machine.files.ReadFile(std::string("c:\\out\\") + Shown(name)).value_or(""),
              std::string("picture ") + name)
        << name;
}

}  // namespace
}  // namespace explorer_test
