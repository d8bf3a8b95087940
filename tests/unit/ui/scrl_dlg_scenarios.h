// What a user does with the custom value dialog and what must come of it.
// Written once against ui::test::User; the native tests run it on the
// headless backend, the Wine tests on real windows.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/scrl_dlg.h"
#include "ui/test_session.h"

namespace scrl_dlg_scenarios {

using w95::editor::RunScrlDlg;
using w95::editor::TScrlDlg;
using w95::ui::test::Session;
using w95::ui::test::User;

struct Scenario {
  const char* name;
  int min, max, small, large, initial;
  std::function<void(User&)> act;  // what the user does before leaving
  const char* textBefore;          // the edit box just before leaving
  int positionBefore;              // the bar just before leaving
  std::function<void(User&)> leave;
  int result;  // what the run function returns
  int beeps;   // how often the dialog beeped
};
// A scenario as the test runner prints it: by its name.
inline void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }

inline void Ok(User& u) { u.Click("BtnOK"); }
inline void Cancel(User& u) { u.Click("BtnCancel"); }
inline void Escape(User& u) { u.PressKey(w95::ui::vkEscape); }
inline void Enter(User& u) { u.PressKey(w95::ui::vkReturn); }
inline void Nothing(User&) {}

inline const std::vector<Scenario>& All() {
  static const std::vector<Scenario> all = {
      {"OkKeepsTheInitialValue", 0, 100, 1, 10, 5, Nothing, "5", 5, Ok, 5, 0},
      {"TypingAboveTheMaximumClampsToIt", 0, 100, 1, 10, 5,
       [](User& u) { u.Type("CustomSetting", "500"); }, "100", 100, Ok, 100, 0},
      {"TypingBelowTheMinimumClampsToIt", 10, 100, 1, 10, 50,
       [](User& u) { u.Type("CustomSetting", "3"); }, "10", 10, Ok, 10, 0},
      {"LettersBeepAndGiveTheMinimum", 10, 100, 1, 10, 50,
       [](User& u) { u.Type("CustomSetting", "x"); }, "10", 10, Ok, 10, 1},
      {"EachBadCharacterBeepsAgain", 10, 100, 1, 10, 50,
       [](User& u) { u.Type("CustomSetting", "ab"); }, "10", 10, Ok, 10, 2},
      {"ClearingLeavesTheBarWhereItWas", 0, 100, 1, 10, 30,
       [](User& u) {
         u.Scroll("CustomScrollBar", 70);
         u.Clear("CustomSetting");
       },
       "", 70, Ok, 70, 0},
      {"DraggingTheBarWritesTheEditBox", 0, 255, 1, 16, 0,
       [](User& u) { u.Scroll("CustomScrollBar", 128); }, "128", 128, Ok, 128, 0},
      {"ArrowAndPageStepsUseTheGivenSteps", 0, 100, 5, 20, 50,
       [](User& u) {
         u.ScrollStep("CustomScrollBar", w95::ui::ScrollCode::LineDown);
         u.ScrollStep("CustomScrollBar", w95::ui::ScrollCode::PageUp);
       },
       "35", 35, Ok, 35, 0},
      {"StepsStopAtTheEnds", 0, 100, 5, 20, 95,
       [](User& u) { u.ScrollStep("CustomScrollBar", w95::ui::ScrollCode::PageDown); }, "100", 100,
       Ok, 100, 0},
      {"OnlyValueOfARangeOfOne", 1, 1, 1, 1, 1, [](User& u) { u.Type("CustomSetting", "5"); }, "1",
       1, Ok, 1, 0},
      {"ZeroInARangeOfOneGivesOne", 1, 1, 1, 1, 1, [](User& u) { u.Type("CustomSetting", "0"); },
       "1", 1, Ok, 1, 0},
      {"LongNumberClampsAtEachKeystroke", 0, 100, 1, 10, 7,
       [](User& u) { u.Type("CustomSetting", "99999999999"); }, "100", 100, Ok, 100, 0},
      {"EnterPressesOk", 0, 100, 1, 10, 5, [](User& u) { u.Type("CustomSetting", "42"); }, "42", 42,
       Enter, 42, 0},
      {"CancelReturnsMinusOne", 0, 100, 1, 10, 5, [](User& u) { u.Type("CustomSetting", "42"); },
       "42", 42, Cancel, -1, 0},
      {"EscapeReturnsMinusOne", 0, 100, 1, 10, 5, [](User& u) { u.Type("CustomSetting", "42"); },
       "42", 42, Escape, -1, 0},
      {"CancelAfterBadInputStillReturnsMinusOne", 0, 100, 1, 10, 5,
       [](User& u) { u.Type("CustomSetting", "zz"); }, "0", 0, Escape, -1, 2},
  };
  return all;
}

// Runs one scenario; beepCount tells how many beeps the machine heard so far.
inline void Run(const Scenario& s, const std::function<size_t()>& beepCount) {
  SCOPED_TRACE(s.name);
  Session session;
  const size_t beepsBefore = beepCount();
  session.WhenModal<TScrlDlg>([&](User& u, TScrlDlg& d) {
    EXPECT_EQ(d.Caption(), "Wait");
    EXPECT_EQ(u.TextOf("LabelMin"), std::to_string(s.min));
    EXPECT_EQ(u.TextOf("LabelMax"), std::to_string(s.max));
    EXPECT_EQ(u.TextOf("CustomSetting"), std::to_string(s.initial)) << "initial text";
    EXPECT_EQ(u.PositionOf("CustomScrollBar"), s.initial) << "initial bar";
    EXPECT_EQ(u.FocusedName(), "CustomSetting") << "the edit box has the focus";
    s.act(u);
    EXPECT_EQ(u.TextOf("CustomSetting"), s.textBefore) << "edit box before leaving";
    EXPECT_EQ(u.PositionOf("CustomScrollBar"), s.positionBefore) << "bar before leaving";
    s.leave(u);
  });
  EXPECT_EQ(RunScrlDlg("Wait", s.min, s.max, static_cast<int16_t>(s.small),
                       static_cast<int16_t>(s.large), s.initial),
            s.result);
  EXPECT_EQ(beepCount() - beepsBefore, static_cast<size_t>(s.beeps)) << "beeps";
  EXPECT_TRUE(session.Unused().empty());
}

}  // namespace scrl_dlg_scenarios
