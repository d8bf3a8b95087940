// The custom value dialog on the headless backend.
#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"
#include "ui/scrl_dlg_scenarios.h"

namespace {

using w95::platform::sim::SimMachine;

class ScrlDlgScenario : public ::testing::TestWithParam<scrl_dlg_scenarios::Scenario> {
 protected:
  void SetUp() override { machine.Install(); }
  SimMachine machine;
};

TEST_P(ScrlDlgScenario, Runs) {
  scrl_dlg_scenarios::Run(GetParam(), [&] { return machine.desktop.beeps.size(); });
}

INSTANTIATE_TEST_SUITE_P(ScrlDlg, ScrlDlgScenario, ::testing::ValuesIn(scrl_dlg_scenarios::All()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ScrlDlg, BeepsWithTheDefaultSound) {
  SimMachine machine;
  machine.Install();
  w95::ui::test::Session s;
  s.WhenModal<w95::editor::TScrlDlg>([](w95::ui::test::User& u, w95::editor::TScrlDlg&) {
    u.Type("CustomSetting", "?");
    u.Click("BtnOK");
  });
  EXPECT_EQ(w95::editor::RunScrlDlg("Gamma", 0, 10, 1, 1, 3), 0);
  ASSERT_EQ(machine.desktop.beeps.size(), 1u);
  EXPECT_EQ(machine.desktop.beeps[0], 0u);
}

TEST(ScrlDlg, IsACentredFixedDialogOfTheDesignedSize) {
  SimMachine machine;
  machine.Install();
  w95::editor::TScrlDlg d({0, 100, 0});
  EXPECT_EQ(d.ClientWidth(), 324);
  EXPECT_EQ(d.ClientHeight(), 123);
  EXPECT_EQ(d.GetBorderStyle(), w95::ui::BorderStyle::Dialog);
  EXPECT_FALSE(d.BorderIcons());
  EXPECT_EQ(d.Position(), w95::ui::FormPosition::ScreenCenter);
  EXPECT_TRUE(d.LabelMin.GetFont().bold);
  EXPECT_TRUE(d.LabelMax.GetFont().bold);
  EXPECT_EQ(d.LabelMax.GetAlignment(), w95::ui::Alignment::Right);
  EXPECT_EQ(d.DefaultButton(), &d.BtnOK);
  EXPECT_EQ(d.CancelButton(), &d.BtnCancel);
}

}  // namespace
