// The native windows mirror the control objects: each programmatic change is
// seen in the window, and the window's user input comes back to the object.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/test_session.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;

class Mirror : public Form {
 public:
  Mirror() : Form("Mirror") {
    SetCaption("Mirror");
    SetClientSize(400, 300);
    Edit1.SetBounds(8, 8, 120, 21);
    Check1.SetBounds(8, 40, 120, 17);
    Combo1.SetBounds(8, 64, 120, 21);
    List1.SetBounds(140, 8, 120, 120);
    List1.SetMultiSelect(true);
    Bar1.SetBounds(8, 140, 200, 17);
    Label1.SetBounds(8, 170, 200, 13);
    BtnOK.SetBounds(300, 260, 75, 25);
    BtnOK.SetModalResult(mrOk);
  }
  Edit Edit1{*this, "Edit1"};
  CheckBox Check1{*this, "Check1"};
  ComboBox Combo1{*this, "Combo1"};
  ListBox List1{*this, "List1"};
  ScrollBar Bar1{*this, "Bar1"};
  Label Label1{*this, "Label1"};
  Button BtnOK{*this, "BtnOK"};
};

HWND H(Control& c) { return reinterpret_cast<HWND>(c.Handle()); }

std::string WindowText(HWND h) {
  char buf[256] = {};
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

struct Row {
  const char* what;
  std::function<void(Mirror&)> change;
  std::function<bool(Mirror&)> seen;
};

TEST(MirrorOnWine, ProgrammaticChangesReachTheWindows) {
  wine_ui::RealMachine machine;
  const std::vector<Row> rows = {
      {"form caption", [](Mirror& f) { f.SetCaption("Renamed"); },
       [](Mirror& f) { return WindowText(H(f)) == "Renamed"; }},
      {"edit text", [](Mirror& f) { f.Edit1.SetText("abc"); },
       [](Mirror& f) { return WindowText(H(f.Edit1)) == "abc"; }},
      {"read-only edit", [](Mirror& f) { f.Edit1.SetReadOnly(true); },
       [](Mirror& f) { return (GetWindowLongPtrA(H(f.Edit1), GWL_STYLE) & ES_READONLY) != 0; }},
      {"check box", [](Mirror& f) { f.Check1.SetChecked(true); },
       [](Mirror& f) { return SendMessageA(H(f.Check1), BM_GETCHECK, 0, 0) == BST_CHECKED; }},
      {"combo items and choice",
       [](Mirror& f) {
         f.Combo1.SetItems({"8 bit", "16 bit", "24 bit"});
         f.Combo1.SetItemIndex(2);
       },
       [](Mirror& f) {
         return SendMessageA(H(f.Combo1), CB_GETCOUNT, 0, 0) == 3 &&
                SendMessageA(H(f.Combo1), CB_GETCURSEL, 0, 0) == 2;
       }},
      {"list items and selection",
       [](Mirror& f) {
         for (const char* s : {"one", "two", "three"}) f.List1.Add(s);
         f.List1.SetSelected(1, true);
       },
       [](Mirror& f) {
         return SendMessageA(H(f.List1), LB_GETCOUNT, 0, 0) == 3 &&
                SendMessageA(H(f.List1), LB_GETSEL, 1, 0) > 0 &&
                SendMessageA(H(f.List1), LB_GETSEL, 0, 0) == 0;
       }},
      {"scroll range and position", [](Mirror& f) { f.Bar1.SetParams(30, 10, 50); },
       [](Mirror& f) {
         int lo = 0, hi = 0;
         GetScrollRange(H(f.Bar1), SB_CTL, &lo, &hi);
         return lo == 10 && hi == 50 && SendMessageA(H(f.Bar1), SBM_GETPOS, 0, 0) == 30;
       }},
      {"label caption", [](Mirror& f) { f.Label1.SetCaption("&Name:"); },
       [](Mirror& f) { return WindowText(H(f.Label1)) == "&Name:"; }},
      {"disabled", [](Mirror& f) { f.Check1.SetEnabled(false); },
       [](Mirror& f) { return !IsWindowEnabled(H(f.Check1)); }},
      {"hidden", [](Mirror& f) { f.Bar1.SetVisible(false); },
       [](Mirror& f) { return !IsWindowVisible(H(f.Bar1)); }},
      {"moved", [](Mirror& f) { f.Label1.SetBounds(20, 200, 150, 13); },
       [](Mirror& f) {
         RECT r;
         GetWindowRect(H(f.Label1), &r);
         MapWindowPoints(nullptr, H(f), reinterpret_cast<POINT*>(&r), 2);
         return r.left == 20 && r.top == 200 && r.right - r.left == 150;
       }},
  };
  test::Session s;
  Mirror f;
  int edits = 0;
  f.Edit1.OnChange = [&](Control&) { ++edits; };
  s.WhenModal<Mirror>([&](test::User& u, Mirror&) {
    for (const Row& r : rows) {
      r.change(f);
      EXPECT_TRUE(r.seen(f)) << r.what;
    }
    EXPECT_EQ(edits, 1) << "setting the text fires OnChange once, not again from the window";
    f.Edit1.SetReadOnly(false);
    u.Type("Edit1", "xy");
    EXPECT_EQ(f.Edit1.Text(), "xy") << "typing reaches the object";
    u.Select("Combo1", 0);
    EXPECT_EQ(f.Combo1.ItemIndex(), 0);
    EXPECT_EQ(f.Combo1.Text(), "8 bit");
    u.Select("List1", 2, ssCtrl);
    EXPECT_TRUE(f.List1.Selected(1));
    EXPECT_TRUE(f.List1.Selected(2));
    u.Click("BtnOK");
  });
  EXPECT_EQ(f.ShowModal(), mrOk);
}

}  // namespace
