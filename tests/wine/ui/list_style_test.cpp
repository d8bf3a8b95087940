// List box styles changed while the window is on screen reach the real list
// box: it is made again with the new style and keeps its entries, selection,
// scroll place, focus and hint.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/test_session.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;

class Lists : public Form {
 public:
  Lists() : Form("Lists") {
    SetCaption("Lists");
    SetClientSize(300, 200);
    Files.SetBounds(8, 8, 200, 120);
    Files.SetMultiSelect(true);
    Files.SetExtendedSelect(true);
    Files.SetHint("Files");
    for (int i = 0; i < 40; ++i) Files.Add("file" + std::to_string(100 + i) + ".bmp");
    BtnOK.SetBounds(220, 170, 75, 25);
    BtnOK.SetModalResult(mrOk);
  }
  ListBox Files{*this, "Files"};
  Button BtnOK{*this, "BtnOK"};
};

TEST(ListStylesOnWine, ReachTheRealListAfterItExists) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Lists>([](test::User& u, Lists& f) {
    auto h = [&] { return reinterpret_cast<HWND>(f.Files.Handle()); };
    auto style = [&] {
      w95::ui::win32::PumpPending();  // the list is made again after the changes
      return GetWindowLongPtrA(h(), GWL_STYLE);
    };
    EXPECT_TRUE(style() & LBS_EXTENDEDSEL);
    f.Files.SetSelected(20, true);
    f.Files.SetSelected(21, true);
    f.Files.SetTopIndex(15);
    f.Files.SetFocus();

    f.Files.SetMultiSelect(true);  // set and taken back at once: the list stays
    const HWND before = h();
    f.Files.SetMultiSelect(false);
    f.Files.SetMultiSelect(true);
    EXPECT_TRUE(style() & LBS_EXTENDEDSEL);
    EXPECT_EQ(h(), before) << "not made again for nothing";
    f.Files.SetMultiSelect(false);  // single selection
    EXPECT_FALSE(style() & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) << "single selection now";
    EXPECT_EQ(SendMessageA(h(), LB_GETCOUNT, 0, 0), 40);
    EXPECT_EQ(SendMessageA(h(), LB_GETTOPINDEX, 0, 0), 15) << "scroll place kept";
    EXPECT_EQ(SendMessageA(h(), LB_GETCURSEL, 0, 0), f.Files.ItemIndex());
    EXPECT_EQ(GetFocus(), h()) << "focus kept";
    EXPECT_EQ(f.Files.Handle(), reinterpret_cast<uintptr_t>(h()));
    u.Select("Files", 30);
    EXPECT_EQ(f.Files.ItemIndex(), 30) << "the new list reports back";
    EXPECT_EQ(SendMessageA(h(), LB_GETCURSEL, 0, 0), 30);

    f.Files.SetColumns(2);
    EXPECT_TRUE(style() & LBS_MULTICOLUMN);
    f.Files.SetColumns(0);  // single column: one column as wide as the list
    EXPECT_TRUE(style() & LBS_MULTICOLUMN) << "kept: a column list shows one column";
    RECT item{};
    SendMessageA(h(), LB_GETITEMRECT, static_cast<WPARAM>(SendMessageA(h(), LB_GETTOPINDEX, 0, 0)),
                 reinterpret_cast<LPARAM>(&item));
    EXPECT_GE(item.right - item.left, 190) << "one column fills the list";
    f.Files.SetMultiSelect(true);
    f.Files.SetSelected(3, true);
    EXPECT_TRUE(style() & LBS_EXTENDEDSEL);
    EXPECT_GT(SendMessageA(h(), LB_GETSEL, 3, 0), 0);
    EXPECT_GT(SendMessageA(h(), LB_GETSEL, 30, 0), 0) << "the selection made before is kept";
    HWND tip = w95::ui::win32::HintWindow(h());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2) << "the hint follows";
    u.Click("BtnOK");
  });
  Lists f;
  EXPECT_EQ(f.ShowModal(), mrOk);
}

// A style change that needs no new native list (another number of columns
// in a list that has columns) holds nothing back: the entries set after it
// reach the real list at once, not on a later turn of the message loop
// (a window filled before it shows would otherwise fill again on screen).
TEST(ListStylesOnWine, EntriesAfterAColumnCountChangeArriveAtOnce) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Lists>([](test::User& u, Lists& f) {
    auto h = [&] { return reinterpret_cast<HWND>(f.Files.Handle()); };
    f.Files.SetColumns(2);
    w95::ui::win32::PumpPending();  // made again with columns
    const HWND made = h();
    ASSERT_TRUE(GetWindowLongPtrA(made, GWL_STYLE) & LBS_MULTICOLUMN);
    f.Files.SetColumns(3);
    f.Files.Assign({"x.bmp", "y.bmp", "z.bmp"});
    EXPECT_EQ(SendMessageA(made, LB_GETCOUNT, 0, 0), 3) << "sent at once";
    MSG m;
    EXPECT_FALSE(
        PeekMessageA(&m, made, w95::ui::win32::kDeferred, w95::ui::win32::kDeferred, PM_NOREMOVE))
        << "nothing left for later";
    w95::ui::win32::PumpPending();
    EXPECT_EQ(h(), made) << "the same list";
    ASSERT_EQ(SendMessageA(made, LB_GETCOUNT, 0, 0), 3);
    wchar_t text[16] = L"";
    SendMessageW(made, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"y.bmp");
    // A change that does need a new list still sends the entries once, to it.
    f.Files.SetMultiSelect(false);
    f.Files.Assign({"a.bmp", "b.bmp", "c.bmp", "d.bmp"});
    w95::ui::win32::PumpPending();
    EXPECT_NE(h(), made);
    EXPECT_FALSE(GetWindowLongPtrA(h(), GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL));
    EXPECT_EQ(SendMessageA(h(), LB_GETCOUNT, 0, 0), 4);
    u.Click("BtnOK");
  });
  Lists f;
  EXPECT_EQ(f.ShowModal(), mrOk);
}

// Selection changes made by the program and by the user meet in the real
// list: what it shows is always what the list holds.
TEST(ListStylesOnWine, SelectionChangesReachTheRealList) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Lists>([](test::User& u, Lists& f) {
    HWND h = reinterpret_cast<HWND>(f.Files.Handle());
    auto same = [&] {
      for (int i = 0; i < f.Files.Count(); ++i)
        if ((SendMessageA(h, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) != f.Files.Selected(i))
          return i;
      return -1;
    };
    f.Files.SelectWhere([](int i) { return i % 7 < 3 || (i > 20 && i < 30); });
    EXPECT_EQ(same(), -1);
    f.Files.SelectWhere([](int i) { return i % 5 == 0 || (i > 24 && i < 35); });
    EXPECT_EQ(same(), -1) << "runs let go and taken";
    f.Files.SetSelected(25, false);
    f.Files.SetSelected(1, true);
    EXPECT_EQ(same(), -1);
    u.Select("Files", 12);  // the user's click: just that one
    EXPECT_EQ(f.Files.SelCount(), 1);
    EXPECT_TRUE(f.Files.Selected(12));
    EXPECT_EQ(same(), -1);
    f.Files.SetSelected(13, true);
    f.Files.SetSelected(12, false);
    EXPECT_EQ(same(), -1) << "after the user's change";
    u.Select("Files", 30, ssShift);  // extends from the focused entry
    EXPECT_EQ(same(), -1);
    f.Files.Assign({"a", "b", "c"});
    EXPECT_EQ(same(), -1) << "a new list starts unselected";
    f.Files.SetSelected(2, true);
    EXPECT_EQ(same(), -1);
    u.Click("BtnOK");
  });
  Lists f;
  EXPECT_EQ(f.ShowModal(), mrOk);
}

// A new list that shares most of its entries with the one shown (a file
// added or gone) reaches the real list whole, in order, nothing selected
// that the list does not hold selected, and the scroll place kept.
TEST(ListStylesOnWine, NewEntriesReachTheRealListInOrder) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Lists>([](test::User& u, Lists& f) {
    HWND h = reinterpret_cast<HWND>(f.Files.Handle());
    auto shown = [&] {
      std::vector<std::string> out;
      const LRESULT n = SendMessageA(h, LB_GETCOUNT, 0, 0);
      for (LRESULT i = 0; i < n; ++i) {
        char text[64] = "";
        SendMessageA(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        out.push_back(text);
      }
      return out;
    };
    auto held = [&] {
      std::vector<std::string> out;
      for (int i = 0; i < f.Files.Count(); ++i) out.push_back(f.Files.Item(i));
      return out;
    };
    auto selections = [&] { return SendMessageA(h, LB_GETSELCOUNT, 0, 0); };
    std::vector<std::string> texts = held();
    f.Files.SelectWhere([](int i) { return i > 28 && i < 33; });
    SendMessageA(h, LB_SETTOPINDEX, 15, 0);
    texts.insert(texts.begin() + 30, "file129a.bmp");  // one added
    f.Files.Assign(texts);
    EXPECT_EQ(shown(), held());
    EXPECT_EQ(selections(), 0);
    EXPECT_EQ(SendMessageA(h, LB_GETTOPINDEX, 0, 0), 15) << "scroll place kept";
    f.Files.SetSelected(31, true);
    texts.erase(texts.begin() + 5, texts.begin() + 7);  // two gone
    f.Files.Assign(texts);
    EXPECT_EQ(shown(), held());
    EXPECT_EQ(selections(), 0);
    f.Files.SetSelected(3, true);
    f.Files.Assign(texts);  // the same again
    EXPECT_EQ(shown(), held());
    EXPECT_EQ(selections(), 0);
    texts.back() = "last.bmp";    // the end changed
    texts.front() = "first.bmp";  // and the start: all of it differs in one run
    f.Files.Assign(texts);
    EXPECT_EQ(shown(), held());
    f.Files.Assign({"a", "b"});  // another folder
    EXPECT_EQ(shown(), held());
    f.Files.Assign({});
    EXPECT_EQ(shown(), held());
    u.Click("BtnOK");
  });
  Lists f;
  EXPECT_EQ(f.ShowModal(), mrOk);
}

// A long list reaches the real list box in parts, one per turn of the
// message loop: what is chosen meanwhile (by the program, or by the user
// among the entries already there) holds for the entries still to come.
TEST(ListStylesOnWine, ALongListFillsInPartsAndKeepsWhatIsChosenMeanwhile) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Lists>([](test::User& u, Lists& f) {
    const HWND h = reinterpret_cast<HWND>(f.Files.Handle());
    std::vector<std::string> texts;
    for (int i = 0; i < 40000; ++i) texts.push_back("f" + std::to_string(100000 + i) + ".bmp");
    f.Files.Assign(texts);
    const LRESULT first = SendMessageA(h, LB_GETCOUNT, 0, 0);
    EXPECT_GT(first, 0);
    EXPECT_LT(first, 40000) << "the first part only";
    f.Files.SetSelected(39000, true);  // not in the real list yet
    f.Files.SetSelected(5, true);
    // The user Ctrl+clicks entry 10 of the real list.
    SendMessageA(h, LB_SETSEL, TRUE, 10);
    SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h));
    EXPECT_TRUE(f.Files.Selected(10));
    EXPECT_TRUE(f.Files.Selected(5));
    EXPECT_TRUE(f.Files.Selected(39000)) << "a choice among entries still to come is kept";
    for (int i = 0; i < 200 && SendMessageA(h, LB_GETCOUNT, 0, 0) < 40000; ++i)
      w95::ui::win32::PumpPending();
    ASSERT_EQ(SendMessageA(h, LB_GETCOUNT, 0, 0), 40000);
    char last[32] = "";
    SendMessageA(h, LB_GETTEXT, 39999, reinterpret_cast<LPARAM>(last));
    EXPECT_STREQ(last, "f139999.bmp");
    EXPECT_EQ(SendMessageA(h, LB_GETSELCOUNT, 0, 0), 3);
    EXPECT_GT(SendMessageA(h, LB_GETSEL, 39000, 0), 0) << "shown once it came";
    u.Click("BtnOK");
  });
  Lists f;
  EXPECT_EQ(f.ShowModal(), mrOk);
}

// A long list that grows at its end (a folder read in its listing's
// order) or changes near it: the real list keeps the entries it shares with
// the new one and where the user scrolled, lets go of what was selected,
// and ends up holding the new list whole.
TEST(ListStylesOnWine, ALongListKeepsTheEntriesItShares) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Lists>([](test::User& u, Lists& f) {
    const HWND h = reinterpret_cast<HWND>(f.Files.Handle());
    auto filled = [&] {
      for (int i = 0; i < 400 && SendMessageA(h, LB_GETCOUNT, 0, 0) < f.Files.Count(); ++i)
        w95::ui::win32::PumpPending();
      w95::ui::win32::PumpPending();
    };
    auto differs = [&]() -> int {  // the first entry the real list holds otherwise, or -1
      if (SendMessageA(h, LB_GETCOUNT, 0, 0) != f.Files.Count()) return -2;
      for (int i = 0; i < f.Files.Count(); ++i) {
        char text[32] = "";
        SendMessageA(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        if (f.Files.Item(i) != text ||
            (SendMessageA(h, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) != f.Files.Selected(i))
          return i;
      }
      return -1;
    };
    std::vector<std::string> texts;
    for (int i = 0; i < 20000; ++i) texts.push_back("f" + std::to_string(100000 + i) + ".bmp");
    f.Files.Assign(texts);
    filled();
    ASSERT_EQ(differs(), -1);
    f.Files.SelectWhere([](int i) { return i >= 100 && i < 106; });
    SendMessageA(h, LB_SETTOPINDEX, 90, 0);  // the user scrolled
    for (int i = 20000; i < 50000; ++i) texts.push_back("f" + std::to_string(100000 + i) + ".bmp");
    f.Files.Assign(texts);
    EXPECT_EQ(SendMessageA(h, LB_GETSELCOUNT, 0, 0), 0) << "a new list starts unselected";
    EXPECT_EQ(SendMessageA(h, LB_GETTOPINDEX, 0, 0), 90);
    f.Files.SetSelected(49990, true);  // not in the real list yet
    filled();
    EXPECT_EQ(differs(), -1) << "grown at its end";
    EXPECT_EQ(SendMessageA(h, LB_GETTOPINDEX, 0, 0), 90) << "scroll place kept";
    // The last few thousand change; the rest stays.
    texts.resize(45000);
    for (int i = 0; i < 8000; ++i) texts.push_back("g" + std::to_string(100000 + i) + ".bmp");
    f.Files.SetSelected(10, true);  // the real list shows it: scrolled back where the user was
    SendMessageA(h, LB_SETTOPINDEX, 90, 0);
    f.Files.Assign(texts);
    filled();
    EXPECT_EQ(differs(), -1) << "changed near its end";
    EXPECT_EQ(SendMessageA(h, LB_GETTOPINDEX, 0, 0), 90) << "scroll place kept";
    // A selection in the new part reaches the real list (which scrolls to it).
    f.Files.SetSelected(52999, true);
    w95::ui::win32::PumpPending();
    EXPECT_EQ(differs(), -1);
    EXPECT_EQ(SendMessageA(h, LB_GETSELCOUNT, 0, 0), 1);
    u.Click("BtnOK");
  });
  Lists f;
  EXPECT_EQ(f.ShowModal(), mrOk);
}

}  // namespace
