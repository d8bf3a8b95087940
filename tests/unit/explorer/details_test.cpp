// The details view of the file list: its sort orders, the columns' texts,
// and the view and sort remembered in the settings file.
#include "explorer/formats.h"
#include "explorer/listing.h"
#include "explorer_fixture.h"

namespace explorer_test {
namespace {

using w95::explorer::DetailsOrder;
using w95::explorer::Listing;
using w95::explorer::NextSort;
using w95::explorer::Reordered;
using w95::explorer::SizeText;
using w95::explorer::SortKey;
using w95::explorer::SortOrder;
using w95::explorer::SortOrderFrom;
using w95::explorer::TypeDescription;
using w95::explorer::TypeNamer;

// Names in list order with their sizes and times; a trailing "\" is a folder.
Listing Make(std::vector<std::tuple<std::string, uint64_t, uint64_t>> rows) {
  Listing l;
  for (auto& [name, size, time] : rows) {
    l.entries.push_back(name);
    l.folder.push_back(name.back() == '\\');
    l.size.push_back(size);
    l.writeTime.push_back(time);
  }
  return l;
}

std::string Order(const Listing& l, SortOrder o) {
  TypeNamer types;
  const Listing r = Reordered(l, DetailsOrder(l, o, [&](size_t i) -> const std::string& {
                                return types.Of(l.entries[i], l.folder[i]);
                              }));
  std::string out;
  for (const auto& e : r.entries) out += (out.empty() ? "" : " ") + e;
  return out;
}

TEST(DetailsSort, EveryKeyBothWaysWithTiesAndFoldersKeptTogether) {
  const Listing first = Make({{"b\\", 0, 5},
                              {"a\\", 0, 9},
                              {"C.jpg", 300, 2},
                              {"a.bmp", 100, 7},
                              {"b.jpg", 100, 2},
                              {"d", 5000, 1},
                              {"a.bmp", 100, 7}});  // found by two patterns
  struct Row {
    SortKey key;
    bool descending;
    const char* order;
  };
  const Row rows[] = {
      {SortKey::Name, false, "a\\ b\\ a.bmp a.bmp b.jpg C.jpg d"},
      {SortKey::Name, true, "b\\ a\\ d C.jpg b.jpg a.bmp a.bmp"},
      // Equal sizes go by name, whichever way the sizes go.
      {SortKey::Size, false, "a\\ b\\ a.bmp a.bmp b.jpg C.jpg d"},
      {SortKey::Size, true, "a\\ b\\ d C.jpg a.bmp a.bmp b.jpg"},
      // "BMP,DIB ..." < "File" (no extension) < "JPEG ...".
      {SortKey::Type, false, "a\\ b\\ a.bmp a.bmp d b.jpg C.jpg"},
      {SortKey::Type, true, "a\\ b\\ b.jpg C.jpg d a.bmp a.bmp"},
      {SortKey::Date, false, "b\\ a\\ d b.jpg C.jpg a.bmp a.bmp"},
      {SortKey::Date, true, "a\\ b\\ a.bmp a.bmp b.jpg C.jpg d"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.key) * 2 + row.descending);
    EXPECT_EQ(Order(first, {row.key, row.descending}), row.order);
  }
  // "Folders after files": the folders stay after them.
  const Listing last = Make({{"a.bmp", 100, 1}, {"z.bmp", 900, 1}, {"q\\", 0, 3}, {"p\\", 0, 4}});
  EXPECT_EQ(Order(last, {SortKey::Size, true}), "z.bmp a.bmp p\\ q\\");
  EXPECT_EQ(Order(last, {SortKey::Date, true}), "a.bmp z.bmp p\\ q\\");
  EXPECT_EQ(Order(Make({}), {SortKey::Type, false}), "");
  EXPECT_EQ(Order(Make({{"x\\", 0, 0}}), {SortKey::Name, true}), "x\\");
}

TEST(DetailsSort, HeaderClicksAndStoredChoices) {
  SortOrder o;
  o = NextSort(o, 1);
  EXPECT_EQ(o, (SortOrder{SortKey::Size, false}));
  o = NextSort(o, 1);
  EXPECT_EQ(o, (SortOrder{SortKey::Size, true}));
  o = NextSort(o, 3);
  EXPECT_EQ(o, (SortOrder{SortKey::Date, false}));
  EXPECT_EQ(NextSort(o, 4), o) << "no such column";
  EXPECT_EQ(NextSort(o, -1), o);
  EXPECT_EQ(SortOrderFrom(2, 1), (SortOrder{SortKey::Type, true}));
  EXPECT_EQ(SortOrderFrom(3, 0), (SortOrder{SortKey::Date, false}));
  EXPECT_EQ(SortOrderFrom(4, 1), SortOrder{});
  EXPECT_EQ(SortOrderFrom(-1, 0), SortOrder{});
  EXPECT_EQ(SortOrderFrom(911, 911), SortOrder{}) << "what a reader gives for a missing key";
  EXPECT_EQ(SortOrderFrom(1, 7), (SortOrder{SortKey::Size, false}));
}

TEST(DetailsColumns, SizesAndTypes) {
  EXPECT_EQ(SizeText(0, false), "0 KB");
  EXPECT_EQ(SizeText(1, false), "1 KB");
  EXPECT_EQ(SizeText(1024, false), "1 KB");
  EXPECT_EQ(SizeText(1025, false), "2 KB");
  EXPECT_EQ(SizeText(999ull * 1024, false), "999 KB");
  EXPECT_EQ(SizeText(1000ull * 1024, false), "1,000 KB");
  EXPECT_EQ(SizeText(5'000'000'000ull, false), "4,882,813 KB");
  EXPECT_EQ(SizeText(12345, true), "") << "a folder has no size";

  EXPECT_EQ(TypeDescription("a.jpg", false), "JPEG (JFIF compliant)");
  EXPECT_EQ(TypeDescription("A.JIF", false), "JPEG (JFIF compliant)");
  EXPECT_EQ(TypeDescription("a.pic", false), "PIC (Pegasus 'JPEG')") << "first pattern wins";
  EXPECT_EQ(TypeDescription("a.kqp", false), "KQP (Konica Quality Photo)");
  EXPECT_EQ(TypeDescription("a.dat", false), "MPG (MPEG)");
  EXPECT_EQ(TypeDescription("a.flc", false), "FLI,FLC,FLX (Autodesk)");
  EXPECT_EQ(TypeDescription("a.b.txt", false), "TXT file");
  EXPECT_EQ(TypeDescription("readme", false), "File");
  EXPECT_EQ(TypeDescription("photos\\", true), "Folder");
  TypeNamer namer;
  const std::string& first = namer.Of("x.bmp", false);
  for (int i = 0; i < 50; ++i) namer.Of("x.e" + std::to_string(i), false);
  EXPECT_EQ(&first, &namer.Of("Y.BMP", false)) << "what it gave stays in place";
  EXPECT_EQ(first, "BMP,DIB (Windows,OS/2)");
}

class Details : public Explorer {
 protected:
  void SetUp() override {
    Explorer::SetUp();
    machine.files.AddFile("C:\\Pics\\big.bmp", std::string(5000, 'x'));
    machine.files.AddFile("C:\\Pics\\small.jpg", std::string(10, 'x'));
    machine.files.AddFile("C:\\Pics\\mid.bmp", std::string(2000, 'x'));
    machine.files.AddFile("C:\\Pics\\Sub\\x.jpg");
    SetKey("LastDir", "c:\\pics\\");
  }
  static std::string Listed(TFileForm& f) {
    std::string out;
    for (const std::string& e : f.XFiles.Texts()) out += (out.empty() ? "" : " ") + e;
    return out;
  }
};

TEST_F(Details, TheViewSortsByItsHeadersKeepsTheSelectionAndIsRemembered) {
  Run(253, 0, [](User& u, TFileForm& f) {
    EXPECT_TRUE(f.XFiles.Header().empty()) << "the list as it always was";
    EXPECT_EQ(Listed(f), "sub\\ big.bmp mid.bmp small.jpg");
    u.Select("XFiles", 2);                   // mid.bmp
    u.Select("XFiles", 3, w95::ui::ssCtrl);  // and small.jpg
    f.ViewMenuClick(*f.mnuDetails);          // the view menu entry
    ASSERT_EQ(f.XFiles.Header().size(), 4u);
    EXPECT_EQ(f.XFiles.Header()[3].caption, "Date modified");
    EXPECT_EQ(f.XFiles.SortColumn(), 0);
    EXPECT_EQ(Listed(f), "sub\\ big.bmp mid.bmp small.jpg");
    f.XFiles.UserHeaderClick(1);  // size, ascending
    EXPECT_EQ(Listed(f), "sub\\ small.jpg mid.bmp big.bmp");
    f.XFiles.UserHeaderClick(1);  // and the other way
    EXPECT_EQ(Listed(f), "sub\\ big.bmp mid.bmp small.jpg");
    EXPECT_TRUE(f.XFiles.SortDescending());
    EXPECT_EQ(f.XFiles.SelCount(), 2);
    EXPECT_TRUE(f.XFiles.Selected(2) && f.XFiles.Selected(3)) << "mid.bmp and small.jpg";
    EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), "small.jpg");
    EXPECT_EQ(f.Edit1.Text(), "small.jpg");
    // The cells drawn beside the names.
    EXPECT_EQ(f.XFiles.OnCellText(0, 1), "");
    EXPECT_EQ(f.XFiles.OnCellText(0, 2), "Folder");
    EXPECT_EQ(f.XFiles.OnCellText(1, 1), "5 KB");
    EXPECT_EQ(f.XFiles.OnCellText(1, 2), "BMP,DIB (Windows,OS/2)");
    EXPECT_FALSE(f.XFiles.OnCellText(1, 3).empty());
    // Type-ahead finds by name in the details view too.
    u.Select("XFiles", 0);
    u.TypeChars("mi");
    EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), "mid.bmp");
    u.Click("BtnExit");
  });
  EXPECT_EQ(Key("ExpView"), "1");
  EXPECT_EQ(Key("ExpSort"), "1");
  EXPECT_EQ(Key("ExpSortDesc"), "1");
  // The next opening shows the details view sorted as left; the button
  // switches back to the list in its own order.
  Run(253, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.XFiles.Header().size(), 4u);
    EXPECT_TRUE(f.mnuDetails->Checked());
    EXPECT_EQ(Listed(f), "sub\\ big.bmp mid.bmp small.jpg");
    f.XFiles.UserHeaderClick(1);
    EXPECT_EQ(Listed(f), "sub\\ small.jpg mid.bmp big.bmp");
    u.Click("BtnDetails");
    EXPECT_TRUE(f.XFiles.Header().empty());
    EXPECT_GT(f.XFiles.Columns(), 0) << "columns again";
    EXPECT_EQ(Listed(f), "sub\\ big.bmp mid.bmp small.jpg");
    u.DoubleClick("XFiles", 0);
    EXPECT_EQ(f.CurrentFolder(), "c:\\pics\\sub");
    u.Click("BtnExit");
  });
  EXPECT_EQ(Key("ExpView"), "0");
  EXPECT_EQ(Key("ExpSort"), "1");
  EXPECT_EQ(Key("ExpSortDesc"), "0");
}

TEST_F(Details, DoubleClickAndOpenWorkInTheDetailsView) {
  SetKey("ExpView", "1");
  SetKey("ExpSort", "1");
  const int32_t r = Run(252, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(Listed(f), "sub\\ small.jpg mid.bmp big.bmp");
    u.DoubleClick("XFiles", 2);
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Key("LongName"), "mid.bmp");
}

}  // namespace
}  // namespace explorer_test
