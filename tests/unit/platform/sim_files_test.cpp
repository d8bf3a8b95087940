#include "platform/sim/sim_files.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/sim/sim_machine.h"
#include "platform/file_cases.h"

namespace {

using namespace w95::platform;
using namespace w95::platform::sim;

std::vector<std::string> Names(const std::vector<FindData>& found) {
  std::vector<std::string> out;
  for (const auto& f : found) out.push_back(f.name);
  return out;
}

using Strings = std::vector<std::string>;

TEST(SimFiles, NamesKeepTheirCaseAndMatchWithoutIt) {
  SimFileSystem fs;
  fs.AddFile("C:\\Photos\\Long File Name.jpeg", "data");
  auto e = fs.Stat("c:\\PHOTOS\\long file NAME.JPEG");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->name, "Long File Name.jpeg");
  EXPECT_EQ(e->alternate, "LONGFI~1.JPE");
  EXPECT_EQ(e->size, 4u);
  EXPECT_EQ(fs.ReadFile("c:/photos/longfi~1.jpe"), "data");  // by alias, with slashes
  EXPECT_EQ(fs.Stat("C:\\Photos")->alternate, "");           // already 8.3
  EXPECT_TRUE(fs.Stat("C:\\Photos")->IsDirectory());
}

TEST(SimFiles, SecondLongNameWithTheSameStartGetsTilde2) {
  SimFileSystem fs;
  fs.AddFile("C:\\d\\Long File Name One.txt");
  fs.AddFile("C:\\d\\Long File Name Two.txt");
  EXPECT_EQ(fs.Stat("C:\\d\\Long File Name One.txt")->alternate, "LONGFI~1.TXT");
  EXPECT_EQ(fs.Stat("C:\\d\\Long File Name Two.txt")->alternate, "LONGFI~2.TXT");
  EXPECT_EQ(fs.ShortPath("C:\\d\\Long File Name Two.txt"), "C:\\d\\LONGFI~2.TXT");
}

TEST(SimFiles, FindMatchesLongAndAliasNamesWithDotEntriesBelowTheRoot) {
  SimFileSystem fs;
  fs.AddFile("C:\\Pics\\b.bmp");
  fs.AddFile("C:\\Pics\\Sunset.jpeg");
  fs.AddFile("C:\\Pics\\A.TXT");
  fs.AddFolder("C:\\Pics\\Sub Folder");
  fs.AddFile("C:\\Pics\\noext");
  struct Row {
    const char* pattern;
    Strings names;
  } rows[] = {
      {"C:\\Pics\\*.*", {".", "..", "A.TXT", "b.bmp", "noext", "Sub Folder", "Sunset.jpeg"}},
      {"c:\\pics\\*.bmp", {"b.bmp"}},
      {"C:\\Pics\\*.jpe", {"Sunset.jpeg"}},  // through the alias SUNSET~1.JPE
      {"C:\\Pics\\*.???", {".", "..", "A.TXT", "b.bmp", "noext", "Sub Folder", "Sunset.jpeg"}},
      {"C:\\Pics\\*.", {".", "..", "noext", "Sub Folder"}},
      {"C:\\Pics\\sub*", {"Sub Folder"}},
      {"C:\\Pics\\SUBFOL~1", {"Sub Folder"}},
      {"C:\\*.*", {"Pics"}},  // no dot entries at a root
  };
  for (const auto& r : rows) EXPECT_EQ(Names(fs.Find(r.pattern)), r.names) << r.pattern;
  auto inSub = fs.Find("C:\\Pics\\Sub Folder\\*");
  ASSERT_EQ(inSub.size(), 2u);
  EXPECT_TRUE(inSub[0].IsDirectory());
  EXPECT_EQ(inSub[0].alternate, "");  // "." has no alias of its own
}

TEST(SimFiles, FindReportsWhyNothingWasFound) {
  SimFileSystem fs;
  fs.AddFolder("C:\\Empty");
  fs.AddDrive('A', /*ready=*/false);
  struct Row {
    const char* pattern;
    uint32_t error;
  } rows[] = {
      {"C:\\Empty\\*.bmp", kErrFileNotFound},
      {"C:\\Missing\\*.*", kErrPathNotFound},
      {"A:\\*.*", kErrNotReady},
      {"Q:\\*.*", kErrPathNotFound},
  };
  for (const auto& r : rows) {
    EXPECT_TRUE(fs.Find(r.pattern).empty()) << r.pattern;
    EXPECT_EQ(fs.LastError(), r.error) << r.pattern;
  }
}

TEST(SimFiles, ShortAndFullPathsAgainstTheCurrentDirectory) {
  SimFileSystem fs;
  fs.AddFile("C:\\Program Files\\My App\\Read Me Now.txt");
  ASSERT_TRUE(fs.SetCurrentDirectory("c:\\program files"));
  EXPECT_EQ(fs.CurrentDirectory(), "c:\\program files");
  struct Row {
    const char* path;
    const char* full;
    const char* shortPath;
  } rows[] = {
      {"My App\\Read Me Now.txt", "c:\\program files\\My App\\Read Me Now.txt",
       "MYAPP~1\\README~1.TXT"},
      {"C:\\Program Files\\My App\\", "C:\\Program Files\\My App\\", "C:\\PROGRA~1\\MYAPP~1\\"},
      {"\\Program Files\\..\\Program Files", "c:\\Program Files", "\\PROGRA~1\\..\\PROGRA~1"},
      {"c:\\", "c:\\", "c:\\"},
      {"..", "c:\\", ".."},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(fs.FullPath(r.path), r.full) << r.path;
    EXPECT_EQ(fs.ShortPath(r.path), r.shortPath) << r.path;
  }
  EXPECT_EQ(fs.ShortPath("C:\\nothing.txt"), "");
  EXPECT_EQ(fs.LastError(), kErrFileNotFound);
  EXPECT_FALSE(fs.SetCurrentDirectory("C:\\Program Files\\My App\\Read Me Now.txt"));
  EXPECT_FALSE(fs.SetCurrentDirectory("C:\\nowhere"));
  EXPECT_EQ(fs.CurrentDirectory(), "c:\\program files");
}

TEST(SimFiles, RefusedChangesGiveTheWin32ErrorsAndChangeNothing) {
  SimFileSystem fs;
  fs.AddFile("C:\\a.txt", "A");
  fs.AddFile("C:\\b.txt", "B");
  fs.AddFile("C:\\ro.txt", "R", kAttrReadOnly);
  fs.AddFolder("C:\\Dir");
  struct Row {
    const char* what;
    std::function<bool()> call;
    uint32_t error;
  } rows[] = {
      {"move onto an existing file", [&] { return fs.MoveFile("C:\\a.txt", "C:\\B.TXT"); },
       kErrAlreadyExists},
      {"move a missing file", [&] { return fs.MoveFile("C:\\none.txt", "C:\\c.txt"); },
       kErrFileNotFound},
      {"move into a missing folder", [&] { return fs.MoveFile("C:\\a.txt", "C:\\No\\a.txt"); },
       kErrPathNotFound},
      {"delete a read-only file", [&] { return fs.DeleteFile("C:\\ro.txt"); }, kErrAccessDenied},
      {"write a read-only file", [&] { return fs.WriteFile("C:\\ro.txt", "x"); }, kErrAccessDenied},
      {"replace a read-only file", [&] { return fs.ReplaceFile("C:\\a.txt", "C:\\ro.txt"); },
       kErrAccessDenied},
      {"delete a folder as a file", [&] { return fs.DeleteFile("C:\\Dir"); }, kErrAccessDenied},
      {"delete a missing file", [&] { return fs.DeleteFile("C:\\none.txt"); }, kErrFileNotFound},
      {"make an existing folder", [&] { return fs.CreateDirectory("C:\\DIR"); }, kErrAlreadyExists},
      {"write into a missing folder", [&] { return fs.WriteFile("C:\\No\\x.txt", "x"); },
       kErrPathNotFound},
      {"move a folder into itself", [&] { return fs.MoveFile("C:\\Dir", "C:\\Dir\\Sub"); },
       kErrAccessDenied},
  };
  for (const auto& r : rows) {
    EXPECT_FALSE(r.call()) << r.what;
    EXPECT_EQ(fs.LastError(), r.error) << r.what;
  }
  EXPECT_EQ(fs.ReadFile("C:\\a.txt"), "A");
  EXPECT_EQ(fs.ReadFile("C:\\b.txt"), "B");
  EXPECT_EQ(fs.ReadFile("C:\\ro.txt"), "R");
  EXPECT_EQ(Names(fs.Find("C:\\*.*")), (Strings{"a.txt", "b.txt", "Dir", "ro.txt"}));
}

TEST(SimFiles, MovingRenamesWithAFreshAliasAndKeepsTheContents) {
  SimFileSystem fs;
  fs.AddFile("C:\\In\\Holiday Picture.bmp", "pixels");
  fs.AddFile("C:\\Out\\Holiday Notes.txt");
  fs.AddFile("C:\\Out\\Holiday Snaps.bmp");  // HOLIDA~1.BMP is taken there
  ASSERT_TRUE(fs.MoveFile("C:\\In\\HOLIDA~1.BMP", "C:\\Out\\Holiday Pictures.bmp"));
  EXPECT_FALSE(fs.Exists("C:\\In\\Holiday Picture.bmp"));
  auto e = fs.Stat("C:\\Out\\Holiday Pictures.bmp");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->alternate, "HOLIDA~2.BMP");
  EXPECT_EQ(fs.ReadFile("C:\\Out\\Holiday Pictures.bmp"), "pixels");
  // A change of case only is a rename of the same file.
  ASSERT_TRUE(fs.MoveFile("C:\\Out\\holiday pictures.bmp", "C:\\Out\\HOLIDAY PICTURES.bmp"));
  EXPECT_EQ(fs.Stat("C:\\Out\\Holiday Pictures.bmp")->name, "HOLIDAY PICTURES.bmp");
  // Replace overwrites an existing target.
  fs.AddFile("C:\\new.txt", "new");
  ASSERT_TRUE(fs.ReplaceFile("C:\\new.txt", "C:\\Out\\Holiday Notes.txt"));
  EXPECT_EQ(fs.ReadFile("C:\\Out\\Holiday Notes.txt"), "new");
  EXPECT_FALSE(fs.Exists("C:\\new.txt"));
}

TEST(SimFiles, DrivesReadinessFreeSpaceAndTypes) {
  SimFileSystem fs;
  fs.AddDrive('A', /*ready=*/false);
  fs.AddDrive('E', true, 5);
  fs.SetFreeSpace('C', 5ull << 30);  // more than 32 bits hold
  EXPECT_EQ(fs.Drives(), "ACE");
  EXPECT_EQ(fs.DriveType('a'), 2u);
  EXPECT_EQ(fs.DriveType('C'), 3u);
  EXPECT_EQ(fs.DriveType('E'), 5u);
  EXPECT_EQ(fs.DriveType('Z'), 1u);
  EXPECT_FALSE(fs.DriveReady('A'));
  EXPECT_EQ(fs.FreeSpace("c:\\"), 5ull << 30);
  EXPECT_EQ(fs.FreeSpace("A:\\"), std::nullopt);
  EXPECT_EQ(fs.LastError(), kErrNotReady);
  EXPECT_FALSE(fs.WriteFile("A:\\x.txt", "x"));
  EXPECT_EQ(fs.LastError(), kErrNotReady);
  fs.SetDriveReady('A', true);
  EXPECT_TRUE(fs.WriteFile("A:\\x.txt", "x"));
}

TEST(SimFiles, WritesUseUpFreeSpaceAndFailWhenItRunsOut) {
  SimFileSystem fs;
  fs.SetFreeSpace('C', 10);
  EXPECT_TRUE(fs.WriteFile("C:\\a.bin", "123456"));
  EXPECT_EQ(fs.FreeSpace("C:\\"), 4u);
  EXPECT_FALSE(fs.WriteFile("C:\\b.bin", "123456"));
  EXPECT_EQ(fs.LastError(), kErrDiskFull);
  auto out = fs.CreateOutput("C:\\c.bin");
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("1234"));
  EXPECT_FALSE(out->Write("5"));  // seen at the write that failed
  EXPECT_TRUE(fs.DeleteFile("C:\\a.bin"));
  EXPECT_EQ(fs.FreeSpace("C:\\"), 6u);
}

TEST(SimFiles, AttributesAndTimes) {
  SimFileSystem fs;
  fs.clock = 1000;
  fs.AddFile("C:\\f.txt", "x", 0);
  EXPECT_EQ(fs.Stat("C:\\f.txt")->attributes, kAttrNormal);
  EXPECT_EQ(fs.Stat("C:\\f.txt")->writeTime, 1000u);
  ASSERT_TRUE(fs.SetAttributes("C:\\f.txt", kAttrReadOnly | kAttrHidden));
  EXPECT_EQ(fs.Stat("C:\\f.txt")->attributes, kAttrReadOnly | kAttrHidden);
  ASSERT_TRUE(fs.SetAttributes("C:\\f.txt", kAttrNormal));
  fs.clock = 2000;
  ASSERT_TRUE(fs.WriteFile("C:\\f.txt", "yy"));
  EXPECT_EQ(fs.Stat("C:\\f.txt")->writeTime, 2000u);
  EXPECT_EQ(fs.Stat("C:\\f.txt")->attributes, kAttrArchive);
  fs.SetWriteTime("C:\\f.txt", 42);
  EXPECT_EQ(fs.Find("C:\\f.txt").at(0).writeTime, 42u);
  EXPECT_FALSE(fs.SetAttributes("C:\\none", kAttrNormal));
}

TEST(SimMachine, InstallsItsServicesAndRecordsHostMessages) {
  SimMachine m;
  m.files.AddFile("C:\\x.txt", "x");
  m.desktop.SetScreen(640, 480);
  m.host.onSend = [](const SentMessage& s) { return static_cast<intptr_t>(s.lParam + 1); };
  m.Install();
  EXPECT_TRUE(Current().files->Stat("C:\\x.txt"));
  EXPECT_EQ(Current().desktop->Screen().width, 640);
  EXPECT_EQ(Current().host->Send(77, 2321, 0, 2305), 2306);
  Current().host->Broadcast(2309, 0, 0);
  ASSERT_EQ(m.host.sent.size(), 2u);
  EXPECT_EQ(m.host.sent[0].window, 77u);
  EXPECT_EQ(m.host.sent[0].message, 2321u);
  EXPECT_TRUE(m.host.sent[1].broadcast);
}

TEST(SimMachine, LeavesNoDanglingMachineBehind) {
  {
    SimMachine m;
    m.Install();
  }
  EXPECT_EQ(Current().files, nullptr);
}

}  // namespace

namespace {

TEST(SimFiles, SharedCasesHoldOnTheSimulation) {
  SimFileSystem fs;
  const std::string root = "C:\\Cases";
  ASSERT_TRUE(w95::test::MakeCaseFiles(fs, root));
  for (const auto& c : w95::test::FileCases()) {
    EXPECT_EQ(c.call(fs, root), c.ok) << c.what;
    if (!c.ok) {
      EXPECT_EQ(fs.LastError(), c.error) << c.what;
    }
  }
}

TEST(SimFiles, FolderWatchesSeeTheirOwnEntriesOnly) {
  SimFileSystem fs;
  const std::string root = "C:\\Cases";
  ASSERT_TRUE(w95::test::MakeCaseFiles(fs, root));
  EXPECT_EQ(
      w95::test::WatchCases(fs, root, [](w95::platform::FolderWatch& w) { return w.Changed(); }),
      "");
  auto watch = fs.WatchFolder(root);
  ASSERT_TRUE(watch);
  EXPECT_FALSE(watch->Changed());
  // Contents, attributes and the folders below are no change of its entries.
  ASSERT_TRUE(fs.WriteFile(root + "\\a.txt", "longer"));
  ASSERT_TRUE(fs.SetAttributes(root + "\\b.txt", w95::platform::kAttrHidden));
  ASSERT_TRUE(fs.WriteFile(root + "\\Dir\\below.txt", "B"));
  EXPECT_FALSE(watch->Changed());
  // The folder moved away (with the one above it), then its drive gone.
  fs.AddFile("D:\\Top\\Shown\\x.txt");
  auto shown = fs.WatchFolder("d:\\top\\shown");
  ASSERT_TRUE(shown);
  EXPECT_EQ(fs.WatchedFolders(), (std::vector<std::string>{root, "d:\\top\\shown"}));
  ASSERT_TRUE(fs.MoveFile("d:\\top", "d:\\moved"));
  EXPECT_TRUE(shown->Changed());
  EXPECT_FALSE(shown->Lost());
  fs.SetDriveReady('D', false);
  EXPECT_TRUE(shown->Changed());
  EXPECT_TRUE(shown->Lost());
  EXPECT_FALSE(shown->Changed()) << "reported once";
  EXPECT_EQ(fs.WatchedFolders(), std::vector<std::string>{root});
  EXPECT_EQ(fs.WatchFolder("d:\\moved\\shown"), nullptr) << "not ready";
  EXPECT_EQ(fs.LastError(), w95::platform::kErrNotReady);
  watch.reset();
  EXPECT_TRUE(fs.WatchedFolders().empty());
}

}  // namespace
