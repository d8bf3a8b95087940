// The custom value dialog on real windows: the same scenarios as natively,
// acted out with real messages; and a pause for a screenshot on request.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "../../unit/ui/scrl_dlg_scenarios.h"
#include "ui/application.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

class ScrlDlgOnWine : public ::testing::TestWithParam<scrl_dlg_scenarios::Scenario> {
 protected:
  wine_ui::RealMachine machine;
};

TEST_P(ScrlDlgOnWine, Runs) {
  scrl_dlg_scenarios::Run(GetParam(), [&] { return machine.desktop->beeps.size(); });
}

INSTANTIATE_TEST_SUITE_P(ScrlDlg, ScrlDlgOnWine, ::testing::ValuesIn(scrl_dlg_scenarios::All()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ScrlDlgWindow, HasTheDesignedClientSizeFontsAndDefaultButton) {
  wine_ui::RealMachine machine;
  w95::ui::test::Session s;
  s.WhenModal<w95::editor::TScrlDlg>([](w95::ui::test::User& u, w95::editor::TScrlDlg& d) {
    HWND h = reinterpret_cast<HWND>(d.Handle());
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 324);
    EXPECT_EQ(client.bottom, 123);
    EXPECT_EQ(GetWindowLongPtrA(h, GWL_STYLE) & WS_SYSMENU, 0) << "no border icons";
    EXPECT_NE(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0) << "dialog frame";
    RECT outer;
    GetWindowRect(h, &outer);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs((outer.left + outer.right) / 2 - sw / 2), 1) << "centred";
    EXPECT_LE(std::abs((outer.top + outer.bottom) / 2 - sh / 2), 1) << "centred";
    LOGFONTA lf{};
    auto font = reinterpret_cast<HFONT>(
        SendMessageA(reinterpret_cast<HWND>(d.LabelMin.Handle()), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    GetObjectA(font, sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    const LONG_PTR okStyle = GetWindowLongPtrA(reinterpret_cast<HWND>(d.BtnOK.Handle()), GWL_STYLE);
    EXPECT_EQ(okStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "OK is the framed default button";
    EXPECT_EQ(u.TextOf("BtnOK"), "&Ok");
    EXPECT_NE(GetWindowLongPtrA(reinterpret_cast<HWND>(d.LabelMax.Handle()), GWL_STYLE) & SS_RIGHT,
              0);
    EXPECT_EQ(GetWindow(h, GW_OWNER), reinterpret_cast<HWND>(w95::ui::Application().Handle()))
        << "owned by the library's application window";

    // On request, keep the dialog up until a screenshot was taken.
    wine_ui::WaitForScreenshot("scrl_dlg");
    u.Click("BtnOK");
  });
  EXPECT_EQ(w95::editor::RunScrlDlg("Slide delay", 0, 600, 1, 10, 42), 42);
}

}  // namespace
