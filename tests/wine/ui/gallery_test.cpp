// Every kind of control on one real form, painted; with W95_SHOTS set the
// form waits for a screenshot (files <dir>\gallery.ready / gallery.done).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/test_session.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;

class Gallery : public Form {
 public:
  Gallery() : Form("Gallery") {
    SetCaption("Toolkit gallery");
    SetClientSize(520, 330);
    SetPosition(FormPosition::ScreenCenter);
    Top.SetHeight(28);
    Top.SetAlign(Align::Top);
    Top.SetCaption("Panel aligned to the top");
    Name.SetCaption("&Name:");
    Name.SetBounds(8, 40, 40, 13);
    Name.SetFocusControl(&Edit1);
    Edit1.SetBounds(52, 36, 120, 21);
    Edit1.SetText("Edit box");
    Check1.SetCaption("Check box");
    Check1.SetBounds(8, 64, 100, 17);
    Check1.SetChecked(true);
    Radio1.SetCaption("Radio one");
    Radio1.SetBounds(8, 84, 100, 17);
    Radio1.SetChecked(true);
    Radio2.SetCaption("Radio two");
    Radio2.SetBounds(8, 104, 100, 17);
    Combo1.SetBounds(8, 128, 164, 21);
    Combo1.SetItems({"24 bit", "8 bit", "1 bit"});
    Combo1.SetItemIndex(0);
    List1.SetBounds(184, 36, 160, 112);
    List1.SetStyle(ListStyle::OwnerDrawFixed);
    List1.SetItemHeight(16);
    List1.SetColumns(2);
    List1.SetMultiSelect(true);
    for (const char* n : {"[dir1]", "[dir2]", "alpha.bmp", "beta.gif", "gamma.jpg", "delta.pcx",
                          "eps.tga", "zeta.tif", "eta.bmp", "theta.bmp"})
      List1.Add(n);
    List1.SetSelected(2, true);
    List1.SetSelected(3, true);
    List1.OnDrawItem = [this](Control&, int i, Canvas& c, const Rect& r, unsigned state) {
      c.SetBrushColor((state & odSelected) ? clHighlight : clWindow);
      c.FillRect(r);
      c.SetPenColor(List1.Item(i)[0] == '[' ? clNavy : clRed);
      c.FrameRect(Rect{r.left + 2, r.top + 3, 10, 10});
      Font f = List1.GetFont();
      f.color = (state & odSelected) ? clHighlightText : clWindowText;
      c.SetFont(f);
      c.PutText(r.left + 16, r.top + 1, List1.Item(i));
    };
    Grid.SetBounds(8, 160, 336, 120);
    Grid.SetColCount(4);
    Grid.SetRowCount(8);
    Grid.SetColWidth(0, 24);
    Grid.SetColWidth(3, 0);
    Grid.SetDefaultRowHeight(18);
    Grid.SetCell(1, 0, "File");
    Grid.SetCell(2, 0, "Effect");
    for (int r = 1; r < 8; ++r) {
      Grid.SetCell(0, r, std::to_string(r));
      Grid.SetCell(1, r, "slide" + std::to_string(r) + ".bmp");
      Grid.SetCell(2, r, "Wipe");
    }
    Grid.SetRowSelect(true);
    Grid.SetRow(2);
    Bar.SetBounds(356, 36, 156, 17);
    Bar.SetParams(30, 0, 100);
    Gauge1.SetBounds(356, 64, 156, 18);
    Gauge1.SetProgress(40);
    Tabs.SetBounds(356, 92, 156, 56);
    Tabs.SetTabs({"Page", "Image"});
    Tabs.SetTabIndex(0);
    Paint.SetBounds(356, 160, 156, 120);
    Paint.OnPaint = [](Control& s, Canvas& c) {
      c.SetBrushColor(clWhite);
      c.FillRect(Rect{0, 0, s.Width(), s.Height()});
      c.SetBrushColor(clNavy);
      c.FillRect(Rect{20, 20, 60, 40});
      c.PutText(20, 70, "Image canvas");
    };
    int x = 8;
    for (GlyphKind k :
         {GlyphKind::Play, GlyphKind::Pause, GlyphKind::Stop, GlyphKind::Next, GlyphKind::Prev,
          GlyphKind::Step, GlyphKind::Back, GlyphKind::Record, GlyphKind::Eject}) {
      auto& b = *media.emplace_back(std::make_unique<Button>(*this, std::string(GlyphName(k))));
      b.SetBounds(x, 292, 24, 24);
      b.SetGlyph(k);
      b.SetHint(std::string(GlyphName(k)));
      b.SetEnabled(k != GlyphKind::Record);
      x += 24;
    }
    BtnFind.SetBounds(x + 8, 292, 24, 24);
    BtnFind.SetGlyph(GlyphKind::Find);
    BtnSetup.SetBounds(x + 36, 290, 78, 27);
    BtnSetup.SetGlyph(GlyphKind::Print);
    BtnSetup.SetCaption("&Setup");
    BtnOK.SetCaption("&Ok");
    BtnOK.SetDefault(true);
    BtnOK.SetModalResult(mrOk);
    BtnOK.SetBounds(356, 292, 75, 25);
    BtnCancel.SetCaption("Cancel");
    BtnCancel.SetCancel(true);
    BtnCancel.SetModalResult(mrCancel);
    BtnCancel.SetBounds(437, 292, 75, 25);
  }
  Panel Top{*this, "PanelTop"};
  Label Name{*this, "LabelName"};
  Edit Edit1{*this, "Edit1"};
  CheckBox Check1{*this, "Check1"};
  RadioButton Radio1{*this, "Radio1"};
  RadioButton Radio2{*this, "Radio2"};
  ComboBox Combo1{*this, "Combo1"};
  ListBox List1{*this, "List1"};
  StringGrid Grid{*this, "Grid"};
  ScrollBar Bar{*this, "Bar"};
  Gauge Gauge1{*this, "Gauge1"};
  TabControl Tabs{*this, "Tabs"};
  Image Paint{*this, "Paint"};
  std::vector<std::unique_ptr<Button>> media;
  Button BtnFind{*this, "BtnFind"};
  Button BtnSetup{*this, "BtnSetup"};
  Button BtnOK{*this, "BtnOK"};
  Button BtnCancel{*this, "BtnCancel"};
};

TEST(GalleryOnWine, EveryControlPaints) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Gallery>([](test::User& u, Gallery& g) {
    UpdateWindow(reinterpret_cast<HWND>(g.Handle()));
    // State set before the windows existed is in them.
    auto hwnd = [](Control& c) { return reinterpret_cast<HWND>(c.Handle()); };
    EXPECT_EQ(SendMessageA(hwnd(g.Check1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(hwnd(g.Radio1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(hwnd(g.Radio2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(hwnd(g.Combo1), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(hwnd(g.List1), LB_GETSELCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(hwnd(g.Tabs), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(hwnd(g.Bar), SBM_GETPOS, 0, 0), 30);
    EXPECT_EQ(u.TextOf("Edit1"), "Edit box");
    w95::ui::win32::PumpPending();
    wine_ui::WaitForScreenshot("gallery");
    u.PressKey(vkEscape);
  });
  Gallery g;
  EXPECT_EQ(g.ShowModal(), mrCancel);
}

}  // namespace
