// Scroll bars at rest are painted again from what the system drew for the
// same look: the copy must be the system's own pixels, and any change of
// position, state or size must show, never an older picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ui/controls.h"
#include "ui/test_session.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;

class Bars : public Form {
 public:
  Bars() : Form("Bars") {
    SetCaption("Scroll bars");
    SetClientSize(300, 120);
    SetPosition(FormPosition::ScreenCenter);
    Long.SetBounds(10, 10, 185, 17);
    Long.SetParams(0, 0, 100);  // position, min, max
    Tall.SetVertical(true);
    Tall.SetBounds(260, 10, 17, 100);
    Tall.SetParams(0, 0, 100);
    BtnOK.SetBounds(200, 90, 50, 25);
    BtnOK.SetModalResult(mrOk);
  }
  ScrollBar Long{*this, "Long"};
  ScrollBar Tall{*this, "Tall"};
  Button BtnOK{*this, "BtnOK"};
};

// The bar's pixels as they are on screen after every paint it owes.
std::vector<COLORREF> PixelsOf(Control& c) {
  HWND h = reinterpret_cast<HWND>(c.Handle());
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT r;
  GetClientRect(h, &r);
  HDC dc = GetDC(h);
  std::vector<COLORREF> out;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) out.push_back(GetPixel(dc, x, y));
  ReleaseDC(h, dc);
  return out;
}

// Drawn by the system itself: a bar that has the mouse captured is never
// painted from a kept picture.
std::vector<COLORREF> SystemPixelsOf(Control& c) {
  HWND h = reinterpret_cast<HWND>(c.Handle());
  SetCapture(h);
  std::vector<COLORREF> out = PixelsOf(c);
  ReleaseCapture();
  return out;
}

TEST(ScrollPaintOnWine, KeptPicturesAreTheSystemsAndFollowEveryChange) {
  wine_ui::RealMachine machine;
  // Out of the way of the bars, whose look changes under the mouse.
  SetCursorPos(0, 0);
  test::Session s;
  s.WhenModal<Bars>([](test::User& u, Bars& f) {
    win32::PumpPending();
    for (ScrollBar* bar : {&f.Long, &f.Tall}) {
      SCOPED_TRACE(bar->Name());
      win32::ReleaseKeptBars();
      const std::vector<COLORREF> atStart = SystemPixelsOf(*bar);
      EXPECT_EQ(PixelsOf(*bar), atStart) << "kept on the first paint";
      EXPECT_EQ(PixelsOf(*bar), atStart) << "painted from what was kept";

      bar->SetPosition(60);
      const std::vector<COLORREF> moved = PixelsOf(*bar);
      EXPECT_NE(moved, atStart) << "the thumb moved";
      EXPECT_EQ(moved, SystemPixelsOf(*bar));
      bar->SetPosition(0);
      EXPECT_EQ(PixelsOf(*bar), atStart);

      bar->SetEnabled(false);
      const std::vector<COLORREF> disabled = PixelsOf(*bar);
      EXPECT_NE(disabled, atStart) << "greyed";
      EXPECT_EQ(disabled, SystemPixelsOf(*bar));
      bar->SetEnabled(true);

      bar->SetParams(0, 0, 0);  // nothing to scroll
      EXPECT_EQ(PixelsOf(*bar), SystemPixelsOf(*bar));
      bar->SetParams(0, 0, 100);
      EXPECT_EQ(PixelsOf(*bar), SystemPixelsOf(*bar));

      const Rect was = bar->Bounds();
      bar->SetBounds(was.left, was.top, was.width - 6, was.height);
      const std::vector<COLORREF> narrower = PixelsOf(*bar);
      EXPECT_NE(narrower.size(), atStart.size());
      EXPECT_EQ(narrower, SystemPixelsOf(*bar));
      bar->SetBounds(was.left, was.top, was.width, was.height);

      // Under the mouse a part may light up, and stays lit until the system
      // hears the mouse has gone: what shows is the system's drawing.
      HWND h = reinterpret_cast<HWND>(bar->Handle());
      RECT outer;
      GetWindowRect(h, &outer);
      SetCursorPos(outer.left + 3, outer.top + 3);  // on the first arrow
      SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
      EXPECT_EQ(PixelsOf(*bar), SystemPixelsOf(*bar)) << "under the mouse";
      SetCursorPos(0, 0);
      SendMessageA(h, WM_MOUSELEAVE, 0, 0);
      EXPECT_EQ(PixelsOf(*bar), SystemPixelsOf(*bar)) << "the mouse has gone";
    }
    u.Click("BtnOK");
  });
  Bars f;
  EXPECT_EQ(f.ShowModal(), mrOk);
}

}  // namespace
