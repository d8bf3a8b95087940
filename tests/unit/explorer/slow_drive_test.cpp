// Folders on a slow drive: the window goes back to the user at once, the
// entries come as they are read, in the order the whole list has, and a
// Cancel or another folder stops the reading with nothing of it left over.
#include <algorithm>
#include <string>
#include <vector>

#include "explorer/listing.h"
#include "explorer/names.h"
#include "explorer/remote_win.h"
#include "ui/application.h"
#include "ui/label.h"
#include "ui/screen.h"
#include "ui/timer.h"
#include "explorer_fixture.h"

namespace explorer_test {
namespace {

using w95::explorer::BuildListing;
using w95::explorer::FoundEntry;
using w95::explorer::ListingBuilder;
using w95::explorer::ListOptions;
using w95::explorer::ShowReadEntries;

TEST(ListingBuilder, GivesWhatTheWholeListingGivesAtEveryStep) {
  const std::vector<FoundEntry> found = {{".", true},     {"..", true},   {"Zeta.JPG"},
                                         {"b.jpg"},       {"_under.jpg"}, {"Old Trips", true},
                                         {"notes.txt"},   {"a.bmp"},      {"sys.jpg", false, true},
                                         {"ALPHA", true}, {"pic.jpeg"},   {"c.gif"},
                                         {"noext"},       {"trailing."},  {"a.tar.BMP"},
                                         {"bmp.txt"},     {"x.JPG"},      {"b2.Jpg"}};
  const std::vector<std::vector<std::string>> patternSets = {
      {"*.jpg", "*.bmp", "*.jpg"}, {"*.?pg", "*.", "b*.jpg", "*.b?p", "*.tar.bmp"}};
  for (const ListOptions options : {ListOptions{true, false}, ListOptions{false, true}})
    for (const std::vector<std::string>& patterns : patternSets) {
      ListingBuilder b(patterns, options);
      std::vector<FoundEntry> files, all;
      for (const FoundEntry& e : found) {
        b.Add(e);
        all.push_back(e);
        for (const std::string& p : patterns)
          if (w95::explorer::MatchesMask(e.name, p)) files.push_back(e);
        const auto built = b.Build(), whole = BuildListing(files, all, options);
        ASSERT_EQ(built.entries, whole.entries) << all.size();
        ASSERT_EQ(built.folder, whole.folder);
        ASSERT_EQ(built.hasParent, whole.hasParent);
      }
      EXPECT_EQ(b.Read(), found.size());
    }
}

// A long reading sorted in batch by batch: names that differ only in case
// (equal in list order) keep the order they came in, a file two patterns
// match is listed twice, and the last listing (taken from the builder) has
// every entry's size and date beside it.
TEST(ListingBuilder, SortsBatchByBatchIntoTheOrderOfTheWholeListing) {
  std::vector<FoundEntry> found;
  for (int i = 0; i < 3000; ++i) {
    const int k = (i * 7919) % 1000;  // out of order, each name three times
    std::string name = "F" + std::to_string(k);
    if (i % 3 == 1) name = "f" + std::to_string(k);
    if (i % 11 == 0)
      name += ".jpeg";  // matched by neither pattern
    else if (i % 5 == 0)
      name += ".bmp";
    else
      name += ".jpg";
    found.push_back({name, i % 97 == 0, i % 89 == 0, static_cast<uint64_t>(i) * 1000,
                     static_cast<uint64_t>(i)});
  }
  found.push_back({"..", true});
  const std::vector<std::string> patterns = {"*.jpg", "*.bmp", "f*.jpg"};
  for (const ListOptions options : {ListOptions{true, false}, ListOptions{false, true}}) {
    ListingBuilder b(patterns, options);
    std::vector<FoundEntry> files, all;
    size_t next = 0;
    for (size_t batch = 1; next < found.size(); batch = batch * 3 % 701 + 1) {
      for (size_t end = std::min(found.size(), next + batch); next < end; ++next) {
        const FoundEntry& e = found[next];
        b.Add(e);
        all.push_back(e);
        for (const std::string& p : patterns)
          if (w95::explorer::MatchesMask(e.name, p)) files.push_back(e);
      }
      b.Settle();
      if (batch % 4 == 0) {
        const auto built = b.Build(), whole = BuildListing(files, all, options);
        ASSERT_EQ(built.entries, whole.entries) << all.size();
        ASSERT_EQ(built.folder, whole.folder);
      }
    }
    const auto whole = BuildListing(files, all, options);
    const auto last = b.TakeListing();
    EXPECT_EQ(last.entries, whole.entries);
    EXPECT_EQ(last.folder, whole.folder);
    EXPECT_EQ(last.size, whole.size);
    EXPECT_EQ(last.writeTime, whole.writeTime);
    EXPECT_TRUE(last.hasParent);
    EXPECT_GT(last.entries.size(), 2000u);
    EXPECT_EQ(b.Read(), 0u) << "what it held went into the listing";
  }
}

TEST(ListingBuilder, ShowsTheFirstEntriesSoonThenLessOftenAsTheListGrows) {
  EXPECT_FALSE(ShowReadEntries(0, 0, 5000, 5000)) << "nothing new";
  EXPECT_TRUE(ShowReadEntries(0, 12, 0, 60)) << "a slow drive: at once";
  EXPECT_TRUE(ShowReadEntries(0, 1, 0, 0));
  // A drive that gave thousands in the first wait is likely to end soon:
  // the list is filled once then, unless it goes on for 150 ms.
  EXPECT_FALSE(ShowReadEntries(0, 6000, 0, 60));
  EXPECT_FALSE(ShowReadEntries(0, 9000, 0, 149));
  EXPECT_TRUE(ShowReadEntries(0, 9000, 0, 150));
  EXPECT_FALSE(ShowReadEntries(100, 5000, 199, 400));
  EXPECT_TRUE(ShowReadEntries(100, 1, 200, 400));
  EXPECT_FALSE(ShowReadEntries(100000, 1, 1000, 9000)) << "a long list is filled seldom";
  EXPECT_TRUE(ShowReadEntries(100000, 1, 20000, 30000));
}

TEST(SimReading, EntriesComeOneLatencyApartAndWaitingTakesTheMachinesTime) {
  w95::platform::sim::SimMachine m;
  for (int i = 0; i < 4; ++i) m.files.AddFile("C:\\Slow\\f" + std::to_string(i) + ".jpg");
  m.files.SetReadLatency('c', 5);
  m.desktop.ticks = 1000;
  auto reading = m.files.StartFind("c:\\slow\\*.*");
  std::vector<w95::platform::FindData> got;
  EXPECT_FALSE(reading->Take(got));
  EXPECT_TRUE(got.empty());
  m.desktop.ticks += 11;  // ".", "..": two entries
  EXPECT_FALSE(reading->Take(got));
  ASSERT_EQ(got.size(), 2u);
  EXPECT_FALSE(reading->Wait(10));
  EXPECT_EQ(m.desktop.ticks, 1021u);
  EXPECT_TRUE(reading->Wait(1000)) << "six entries and the end: 35 ms";
  EXPECT_EQ(m.desktop.ticks, 1035u);
  EXPECT_TRUE(reading->Take(got));
  EXPECT_EQ(got.size(), 6u);
  EXPECT_EQ(got.back().name, "f3.jpg");
  // A missing folder takes its one call; a fast drive no time at all.
  auto missing = m.files.StartFind("c:\\none\\*.*");
  EXPECT_FALSE(missing->Take(got));
  m.desktop.ticks += 5;
  EXPECT_TRUE(missing->Take(got));
  m.files.AddFile("D:\\f.jpg");
  EXPECT_TRUE(m.files.StartFind("d:\\*.*")->Take(got));
}

class SlowDrive : public ExplorerWindowTest {
 protected:
  void SetUp() override {
    ExplorerWindowTest::SetUp();
    // In the drive's order (by upper-case name) "_x" comes after "Z", in the
    // list's before "a"; folders are listed first; other types not at all.
    for (int i = 0; i < 120; ++i) {
      const std::string n = std::to_string(1000 + i);
      machine.files.AddFile("C:\\Slow\\P" + n + ".JPG");
      if (i % 10 == 0) machine.files.AddFile("C:\\Slow\\_" + n + ".jpg");
      if (i % 10 == 5) machine.files.AddFile("C:\\Slow\\n" + n + ".txt");
      if (i % 30 == 0) machine.files.AddFolder("C:\\Slow\\Zfolder" + n);
    }
    for (int i = 0; i < 40; ++i) machine.files.AddFile("C:\\Other\\o" + std::to_string(i) + ".jpg");
    SetKey("LastDir", "c:\\slow\\");
  }
  // The list of a folder as a fast drive gives it.
  std::vector<std::string> ListedAtOnce() {
    TFileForm& f = OpenWindow();
    EXPECT_FALSE(f.ReadingFolder());
    std::vector<std::string> out = f.XFiles.Texts();
    w95::explorer::RemoteWinClose();
    w95::ui::Application().ProcessMessages();
    return out;
  }
  // Time passes and the list takes what was read.
  void Tick(uint32_t ms = 40) {
    machine.desktop.ticks += ms;
    ASSERT_TRUE(shown->ListTimer.Running());
    shown->ListTimer.Fire();
  }
  void ReadToTheEnd() {
    for (int i = 0; i < 1000 && shown->ReadingFolder(); ++i) Tick();
    ASSERT_FALSE(shown->ReadingFolder());
  }
  static bool InOrderWithin(const std::vector<std::string>& part,
                            const std::vector<std::string>& whole) {
    auto at = whole.begin();
    for (const std::string& e : part) {
      at = std::find(at, whole.end(), e);
      if (at == whole.end()) return false;
    }
    return true;
  }
};

TEST_F(SlowDrive, EntriesComeAsTheyAreReadInTheOrderOfTheWholeList) {
  const std::vector<std::string> whole = ListedAtOnce();
  ASSERT_EQ(whole.size(), 4u + 120 + 12);
  ASSERT_EQ(whole[0], "zfolder1000\\");
  ASSERT_EQ(whole[4], "_1000.jpg");
  machine.files.SetReadLatency('C', 5);
  const uint32_t start = machine.desktop.ticks;
  TFileForm& f = OpenWindow();
  EXPECT_LE(machine.desktop.ticks - start, 100u) << "the window waited for the drive";
  ASSERT_TRUE(f.ReadingFolder());
  ASSERT_NE(f.ReadingLine(), nullptr);
  EXPECT_TRUE(f.ReadingLine()->Visible());
  EXPECT_NE(f.ReadingLine()->Caption().find("entries"), std::string::npos);
  EXPECT_EQ(w95::ui::Screen().GetCursor(), w95::ui::Cursor::HourGlass);
  size_t seen = f.XFiles.Count();
  int fillings = 0;
  while (f.ReadingFolder()) {
    Tick();
    const std::vector<std::string> now = f.XFiles.Texts();
    ASSERT_TRUE(InOrderWithin(now, whole)) << now.size();
    ASSERT_GE(now.size(), seen);
    if (now.size() > seen) ++fillings;
    seen = now.size();
    if (!now.empty()) {
      ASSERT_EQ(f.XFiles.ItemIndex(), 0) << "points at the first entry while the user waits";
      ASSERT_EQ(f.Edit1.Text(), f.XFiles.IsFolder(0) ? "" : f.XFiles.Item(0));
    }
  }
  EXPECT_GE(fillings, 3) << "entries came in steps";
  EXPECT_EQ(f.XFiles.Texts(), whole);
  EXPECT_FALSE(f.ReadingLine()->Visible());
  EXPECT_EQ(w95::ui::Screen().GetCursor(), w95::ui::Cursor::Default) << "the list is complete";
  EXPECT_TRUE(f.BtnUp.Enabled());
  EXPECT_TRUE(f.XFiles.Selected(0));
  EXPECT_EQ(f.Edit1.Text(), "") << "a folder is first";
  EXPECT_FALSE(f.ListTimer.Running());
}

TEST_F(SlowDrive, WhatTheUserDoesBetweenStepsStays) {
  const std::vector<std::string> whole = ListedAtOnce();
  machine.files.SetReadLatency('C', 5);
  TFileForm& f = OpenWindow();
  while (f.XFiles.Count() < 20) Tick();
  // A letter typed on the list goes to the first entry it starts with.
  char key = 'p';
  f.XFiles.UserKeyPress(key);
  ASSERT_GE(f.XFiles.ItemIndex(), 0);
  const std::string typed = f.XFiles.Item(f.XFiles.ItemIndex());
  ASSERT_EQ(typed[0], 'p');
  f.XFiles.UserSelect(f.XFiles.ItemIndex());
  f.XFiles.UserSelect(f.XFiles.ItemIndex() + 1, w95::ui::ssCtrl);
  const std::string second = f.XFiles.Item(f.XFiles.ItemIndex());
  ASSERT_EQ(f.Edit1.Text(), second);
  ReadToTheEnd();
  EXPECT_EQ(f.XFiles.Texts(), whole);
  std::vector<std::string> chosen;
  for (int i = 0; i < f.XFiles.Count(); ++i)
    if (f.XFiles.Selected(i)) chosen.push_back(f.XFiles.Item(i));
  EXPECT_EQ(chosen, (std::vector<std::string>{typed, second}));
  EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), second);
  EXPECT_EQ(f.Edit1.Text(), second);
}

TEST_F(SlowDrive, AnotherFolderStopsTheReadingAndNothingOfItComesLater) {
  machine.files.SetReadLatency('C', 5);
  machine.files.AddFile("D:\\Fast\\d.jpg");
  TFileForm& f = OpenWindow();
  while (f.XFiles.Count() < 10) Tick();
  // Up to the root (a few entries, read within a moment), back into the
  // slow folder, then into Other: each a reading of its own.
  f.BtnUpClick(f.BtnUp);
  ASSERT_EQ(f.CurrentFolder(), "c:\\");
  EXPECT_FALSE(f.ReadingFolder());
  EXPECT_EQ(f.XFiles.Texts(), (std::vector<std::string>{"other\\", "slow\\", "windows\\"}));
  f.GoToFolder("c:\\slow");
  for (int i = 0; i < 3; ++i) Tick();
  ASSERT_TRUE(f.ReadingFolder());
  f.GoToFolder("c:\\other");
  for (int i = 0; i < 200 && f.ReadingFolder(); ++i) {
    Tick();
    for (const std::string& e : f.XFiles.Texts()) ASSERT_EQ(e[0], 'o') << e;
  }
  EXPECT_EQ(f.XFiles.Count(), 40);
  // A fast drive mid-reading: its list at once, and the slow one's never.
  f.GoToFolder("c:\\slow");
  Tick();
  ASSERT_TRUE(f.ReadingFolder());
  f.GoToFolder("d:\\fast");
  EXPECT_FALSE(f.ReadingFolder());
  EXPECT_FALSE(f.ListTimer.Running());
  EXPECT_EQ(f.XFiles.Texts(), std::vector<std::string>{"d.jpg"});
  EXPECT_FALSE(f.ReadingLine()->Visible());
  EXPECT_EQ(w95::ui::Screen().GetCursor(), w95::ui::Cursor::Default);
}

TEST_F(SlowDrive, AFileMadeWhileTheFolderIsReadShowsOnceItHasBeenRead) {
  machine.files.SetReadLatency('C', 5);
  TFileForm& f = OpenWindow();
  for (int i = 0; i < 3; ++i) Tick();
  machine.files.AddFile("C:\\Slow\\aaa.jpg");  // after the reading began
  ReadToTheEnd();
  const int listed = f.XFiles.Count();
  f.XFiles.UserSelect(10);
  const std::string chosen = f.XFiles.Item(10);
  // The watch saw it: the folder is read again, the list staying as it is
  // until the new one is complete.
  for (int i = 0; i < 100; ++i) {
    machine.desktop.ticks += 40;
    f.LiveTimer.Fire();
    if (f.ListTimer.Running()) f.ListTimer.Fire();
    ASSERT_GE(f.XFiles.Count(), listed);
  }
  const std::vector<std::string> texts = f.XFiles.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "aaa.jpg"), 1);
  EXPECT_EQ(f.XFiles.Count(), listed + 1);
  EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), chosen) << "the choice kept";
}

TEST_F(SlowDrive, CancelStopsTheReadingAndOkActsOnWhatIsShown) {
  machine.files.SetReadLatency('C', 5);
  SetKey("Win95Tmp", "c:\\plimbo.tmp");
  EXPECT_EQ(Run(253, 0,
                [&](User& u, TFileForm& f) {
                  ASSERT_TRUE(f.ReadingFolder());
                  EXPECT_EQ(w95::ui::Screen().GetCursor(), w95::ui::Cursor::HourGlass)
                      << "the dialog is up, its folder still being read";
                  EXPECT_EQ(u.FocusedName(), "XFiles");
                  machine.desktop.ticks += 40;
                  f.ListTimer.Fire();
                  u.PressKey(w95::ui::vkEscape);
                }),
            -1);
  // The dialog is gone, and with it the reading: no timer of it runs on.
  const w95::ui::Timer* left = w95::ui::FindTimer("ListTimer");
  EXPECT_TRUE(left == nullptr || !left->Running());
  EXPECT_EQ(w95::ui::Screen().GetCursor(), w95::ui::Cursor::Default);
  EXPECT_EQ(Exchange("Directory", "Files"), "ERROR");

  // OK in the middle: the files the user marked among those shown.
  std::vector<std::string> marked;
  EXPECT_EQ(Run(253, 0,
                [&](User& u, TFileForm& f) {
                  while (f.XFiles.Count() < 30) {
                    machine.desktop.ticks += 40;
                    f.ListTimer.Fire();
                  }
                  u.Select("XFiles", 20);
                  u.Select("XFiles", 22, w95::ui::ssShift);
                  for (int i = 20; i <= 22; ++i) marked.push_back(f.XFiles.Item(i));
                  ASSERT_TRUE(f.ReadingFolder());
                  u.Click("BtnOK");
                }),
            0);
  ASSERT_EQ(Exchange("Directory", "Files"), "3");
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(w95::explorer::LowerAZ(Exchange(std::to_string(i + 1), "F")), marked[i]);
}

}  // namespace
}  // namespace explorer_test
