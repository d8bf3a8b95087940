// Scenarios of the toolkit's own rules, written once against the test
// session and its User: the native tests run them on the headless backend,
// the Wine tests on real windows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "ui/controls.h"
#include "ui/input_box.h"
#include "ui/test_session.h"

namespace toolkit_scenarios {

using namespace w95::ui;
using test::Session;
using test::User;

class Sample : public Form {
 public:
  Sample() : Form("Sample") {
    SetCaption("Sample");
    SetHelpContext(300);
    BtnOK.SetCaption("&Ok");
    BtnOK.SetDefault(true);
    BtnOK.SetModalResult(mrOk);
    BtnCancel.SetCaption("Cancel");
    BtnCancel.SetCancel(true);
    BtnCancel.SetModalResult(mrCancel);
    BtnSave.SetCaption("&Save");
    LabelName.SetCaption("&Name:");
    LabelName.SetFocusControl(&EditName);
    Radio1.SetChecked(true);
    Timer1.SetEnabled(false);
    Timer1.SetInterval(500);
    Bar.SetBounds(8, 150, 200, 17);
    Bar.SetParams(50, 0, 100);
    Bar.SetSmallChange(2);
    Bar.SetLargeChange(10);
  }
  Label LabelName{*this, "LabelName"};
  Edit EditName{*this, "EditName"};
  Button BtnSave{*this, "BtnSave"};
  Button BtnOK{*this, "BtnOK"};
  Button BtnCancel{*this, "BtnCancel"};
  Panel Group{*this, "Group"};
  RadioButton Radio1{Group, "Radio1"};
  RadioButton Radio2{Group, "Radio2"};
  RadioButton Radio3{Group, "Radio3"};
  CheckBox Check1{*this, "Check1"};
  ScrollBar Bar{*this, "Bar"};
  ListBox Files{*this, "Files"};
  Timer Timer1{*this, "Timer1"};
};

inline void HandlerErrorShowsTheErrorBoxAndTheFormStaysOpen() {
  Session session;
  Sample f;
  int saves = 0;
  f.BtnSave.OnClick = [&](Control&) {
    BusyCursor busy;
    ++saves;
    throw w95::Error("Unable to write to c:\\plimbo.ini");
  };
  session.ExpectMessage(MsgKind::Error, "Unable to write to c:\\plimbo.ini", mrOk);
  session.WhenModal<Sample>([&](User& u, Sample&) {
    u.Click("BtnSave");
    EXPECT_TRUE(f.Visible()) << "the form stays open";
    EXPECT_EQ(f.GetModalResult(), mrNone);
    EXPECT_EQ(Screen().GetCursor(), Cursor::Default) << "busy cursor restored";
    u.Click("BtnOK");
  });
  EXPECT_EQ(f.ShowModal(), mrOk);
  EXPECT_EQ(saves, 1);
  ASSERT_EQ(session.Messages().size(), 1u);
  EXPECT_EQ(session.Messages()[0].buttons, Buttons::OK);
}

inline void UnscriptedWindowsFailLoudly() {
  Session session;
  Sample f;
  EXPECT_THROW(f.ShowModal(), ScriptFailure) << "modal form without a script";
  EXPECT_THROW(MessageDlg("Delete?", MsgKind::Confirm, Buttons::YesNo), ScriptFailure);
  session.WhenModal<Sample>([](User&, Sample&) {});
  EXPECT_THROW(f.ShowModal(), ScriptFailure) << "script that leaves the form open";
  session.WhenModal<InputBoxForm>([](User& u, InputBoxForm&) { u.Click("BtnOK"); });
  EXPECT_THROW(f.ShowModal(), ScriptFailure) << "script queued for another form";
}

inline void ClickingDisabledOrHiddenControlsFails() {
  Session session;
  Sample f;
  session.WhenModal<Sample>([&](User& u, Sample&) {
    f.BtnSave.SetEnabled(false);
    EXPECT_THROW(u.Click("BtnSave"), ScriptFailure);
    f.Group.SetVisible(false);
    EXPECT_THROW(u.Click("Radio2"), ScriptFailure) << "inside a hidden panel";
    EXPECT_THROW(u.Click("NoSuchButton"), ScriptFailure);
    u.Click("BtnCancel");
  });
  EXPECT_EQ(f.ShowModal(), mrCancel);
}

inline void DialogKeysAndAccelerators() {
  Session session;
  struct Row {
    int key;
    unsigned shift;
    ModalResult result;
    const char* focused;
  };
  const Row rows[] = {
      {vkReturn, ssNone, mrOk, ""},
      {vkEscape, ssNone, mrCancel, ""},
      {'N', ssAlt, mrNone, "EditName"},  // label accelerator focuses its control
      {'S', ssAlt, mrNone, "BtnSave"},   // a button's takes the focus with it
  };
  for (const Row& r : rows) {
    Sample f;
    session.WhenModal<Sample>([&](User& u, Sample&) {
      u.Click("Check1");
      u.PressKey(r.key, r.shift);
      if (r.result == mrNone) {
        EXPECT_EQ(u.FocusedName(), r.focused);
        u.Click("BtnOK");
      }
    });
    EXPECT_EQ(f.ShowModal(), r.result == mrNone ? mrOk : r.result) << r.key;
  }
}

// Letters several controls share: each press moves the focus to the next
// of them (a label's stands for its control; round at the end) and presses
// nothing; Return or Space then presses the button. A letter of one control
// still presses it at once, and a letter typed alone on a button counts as
// with Alt.
inline void SharedLettersMoveTheFocusAndPressNothing() {
  Session session;
  struct Shared : Sample {
    Shared() {
      BtnTag.SetCaption("&Tag");
      BtnTest.SetCaption("&Test");
      LabelTitle.SetCaption("&Title:");
      LabelTitle.SetFocusControl(&EditTitle);
      BtnGone.SetCaption("&Tidy");
      BtnGone.SetEnabled(false);
    }
    Button BtnTag{*this, "BtnTag"};
    Button BtnGone{*this, "BtnGone"};
    Button BtnTest{*this, "BtnTest"};
    Label LabelTitle{*this, "LabelTitle"};
    Edit EditTitle{*this, "EditTitle"};
  } f;
  std::vector<std::string> pressed;
  for (Button* b : {&f.BtnTag, &f.BtnTest, &f.BtnSave})
    b->OnClick = [&pressed](Control& c) { pressed.push_back(c.Name()); };
  std::vector<std::string> focus;
  session.WhenModal<Shared>([&](User& u, Shared&) {
    u.Click("Check1");
    for (int i = 0; i < 4; ++i) {
      u.PressKey('T', ssAlt);
      focus.push_back(u.FocusedName());
    }
    EXPECT_TRUE(pressed.empty()) << pressed.front();
    u.PressKey(vkReturn);  // the focused button, not the default one
    u.PressKey('T', ssAlt);
    u.PressKey(vkSpace);
    u.PressKey('T');  // alone on a button: on to the label's edit
    focus.push_back(u.FocusedName());
    u.PressKey('S', ssAlt);  // only one has it
    u.Click("BtnOK");
  });
  EXPECT_EQ(f.ShowModal(), mrOk);
  EXPECT_EQ(focus,
            (std::vector<std::string>{"BtnTag", "BtnTest", "EditTitle", "BtnTag", "EditTitle"}));
  EXPECT_EQ(pressed, (std::vector<std::string>{"BtnTag", "BtnTest", "BtnSave"}));
}

inline void KeyPreviewCanSwallowKeys() {
  Session session;
  Sample f;
  f.SetKeyPreview(true);
  std::vector<int> seen;
  f.OnKeyDown = [&](Control&, int& key, unsigned) {
    seen.push_back(key);
    if (key == vkEscape) key = 0;
  };
  session.WhenModal<Sample>([](User& u, Sample&) {
    u.PressKey(vkEscape);  // swallowed: the form stays
    u.PressKey(vkReturn);
  });
  EXPECT_EQ(f.ShowModal(), mrOk);
  EXPECT_EQ(seen, (std::vector<int>{vkEscape, vkReturn}));
}

inline void RadioButtonsOfAGroupExcludeEachOther() {
  Session session;
  Sample f;
  f.Radio3.SetGroup(1);
  f.Radio3.SetChecked(true);
  session.WhenModal<Sample>([&](User& u, Sample&) {
    u.Click("Radio2");
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_FALSE(f.Radio1.Checked());
  EXPECT_TRUE(f.Radio2.Checked());
  EXPECT_TRUE(f.Radio3.Checked()) << "another group keeps its check";
}

inline void ListBoxSortsAndSelectsLikeWindows() {
  Session session;
  Sample f;
  f.Files.SetSorted(true);
  f.Files.SetMultiSelect(true);
  for (const char* n : {"b.bmp", "A.gif", "c.jpg", "a.avi"}) f.Files.Add(n);
  EXPECT_EQ(f.Files.Item(0), "a.avi") << "sorted without regard to case";
  EXPECT_EQ(f.Files.Item(1), "A.gif");
  EXPECT_EQ(f.Files.Item(3), "c.jpg");
  int clicks = 0;
  f.Files.OnClick = [&](Control&) { ++clicks; };
  session.WhenModal<Sample>([](User& u, Sample&) {
    u.Select("Files", 1);
    u.Select("Files", 3, ssShift);  // 1..3
    u.Select("Files", 2, ssCtrl);   // toggles 2 off
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(f.Files.SelCount(), 2);
  EXPECT_EQ(f.Files.ItemIndex(), 2) << "the focused entry";
  EXPECT_TRUE(f.Files.Selected(1));
  EXPECT_FALSE(f.Files.Selected(2));
  EXPECT_TRUE(f.Files.Selected(3));
  EXPECT_EQ(clicks, 3);
}

inline void ListBoxTakesAWholeListAndSelectionInOneGo() {
  Session session;
  Sample f;
  f.Files.SetMultiSelect(true);
  session.WhenModal<Sample>([](User& u, Sample& s) {
    s.Files.Assign({"one", "two", "three", "four", "five"}, {1, 2, 3, 4, 5});
    s.Files.SelectWhere([](int i) { return i == 1 || i == 2 || i == 4; });
    s.Files.SetItemText(2, "THREE");
    u.Select("Files", 0, ssCtrl);  // the user adds the first entry
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(f.Files.Item(2), "THREE");
  EXPECT_EQ(f.Files.ItemData(2), 3) << "a replaced entry keeps its data";
  EXPECT_EQ(f.Files.SelCount(), 4) << "the list kept the selection made in one go";
  EXPECT_TRUE(f.Files.Selected(0));
  EXPECT_TRUE(f.Files.Selected(2)) << "a replaced entry keeps its selection";
  EXPECT_FALSE(f.Files.Selected(3));
}

// A new list over the old one, whatever the two share (its start, its end,
// all or nothing): the entries and their data are the new list's and
// nothing is selected.
inline void ListBoxTakesANewListOverTheOld() {
  Session session;
  Sample f;
  f.Files.SetMultiSelect(true);
  session.WhenModal<Sample>([](User& u, Sample& s) {
    auto check = [&](const std::vector<std::string>& texts, const std::vector<intptr_t>& data,
                     const char* what) {
      s.Files.Assign(texts, data);
      ASSERT_EQ(s.Files.Count(), static_cast<int>(texts.size())) << what;
      for (int i = 0; i < s.Files.Count(); ++i) {
        const size_t k = static_cast<size_t>(i);
        EXPECT_EQ(s.Files.Item(i), texts[k]) << what << ", entry " << i;
        EXPECT_EQ(s.Files.ItemData(i), k < data.size() ? data[k] : 0) << what << ", entry " << i;
      }
      EXPECT_EQ(s.Files.SelCount(), 0) << what;
      EXPECT_EQ(s.Files.ItemIndex(), -1) << what;
      s.Files.SelectWhere([](int i) { return i % 2 == 1; });  // chosen before the next
      s.Files.SetItemIndex(s.Files.Count() > 1 ? 1 : -1);
    };
    check({"a", "b", "c"}, {1, 2, 3}, "first");
    check({"a", "b", "c", "d", "e"}, {1, 2, 3, 4}, "grown at its end, data cut short");
    check({"a", "b", "c", "d", "e"}, {1, 2, 3, 4, 5}, "the same texts, one datum changed");
    check({"z", "a", "b", "c", "d", "e"}, {9, 1, 2, 3, 4, 5}, "one at the start");
    check({"z", "a", "x", "y", "d", "e"}, {9, 1, 7, 8, 4, 5}, "the middle replaced");
    check({"z", "a", "q", "e"}, {9, 1, 6, 5}, "fewer in the middle");
    check({"z", "a", "q", "r", "s", "t", "e"}, {9, 1, 6, 0, 0, 0, 5}, "more in the middle");
    check({"z", "e"}, {9, 5}, "only the ends left");
    // Room made ready ahead of a long list, a part at a time (as for a
    // folder read in steps): what the list holds and what was chosen stay.
    for (int count : {3000, 20000, 20000, 20000, 5}) {
      s.Files.PrepareRoom(count);
      ASSERT_EQ(s.Files.Count(), 2) << count;
      EXPECT_EQ(s.Files.Item(0), "z");
      EXPECT_EQ(s.Files.ItemData(1), 5);
      EXPECT_TRUE(s.Files.Selected(1));
      EXPECT_FALSE(s.Files.Selected(0));
      EXPECT_EQ(s.Files.ItemIndex(), 1);
    }
    std::vector<std::string> many = {"z", "e"};
    std::vector<intptr_t> manyData = {9, 5};
    for (int i = 0; i < 20000; ++i) {
      many.push_back("f" + std::to_string(i));
      manyData.push_back(i);
    }
    check(many, manyData, "grown into the room made");
    check({}, {}, "emptied");
    check({"n", "m"}, {}, "another folder");
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(f.Files.Count(), 2);
}

inline void ListBoxFindsEntriesByTheLettersTyped() {
  Session session;
  Sample f;
  f.Files.SetTypeAheadFind(true);
  f.Files.Assign({"apple.bmp", "Apricot.bmp", "banana.bmp", "berry.bmp", "bert\\", "cherry"});
  int clicks = 0;
  f.Files.OnClick = [&](Control&) { ++clicks; };
  session.WhenModal<Sample>([&session](User& u, Sample& s) {
    u.Select("Files", 5);
    u.TypeChars("BE");
    EXPECT_EQ(s.Files.ItemIndex(), 3) << "both letters, not the first entry of each";
    session.AdvanceClock(1000);
    u.TypeChars("r");
    EXPECT_EQ(s.Files.ItemIndex(), 3) << "within the pause the search goes on: \"ber\"";
    session.AdvanceClock(1001);
    u.TypeChars("ap");
    EXPECT_EQ(s.Files.ItemIndex(), 0) << "a pause starts over";
    u.TypeChars("r");
    EXPECT_EQ(s.Files.ItemIndex(), 1) << "case does not count";
    u.TypeChars("x");
    EXPECT_EQ(s.Files.ItemIndex(), 1) << "nothing fits: it stays";
    session.AdvanceClock(5000);
    u.TypeChars("bbb");
    EXPECT_EQ(s.Files.ItemIndex(), 4) << "one letter again and again steps through";
    u.TypeChars("b");
    EXPECT_EQ(s.Files.ItemIndex(), 2) << "and wraps";
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(clicks, 1 + 10) << "each letter that finds an entry selects it as a click does";
}

// Greek, Japanese and an emoji, which the code page cannot hold, reach the
// windows and come back as they are; "é" stays in the code page.
inline void TextBeyondTheCodePageIsShownAndTypedAsItIs() {
  const std::string omega = "\xCE\xA9mega.bmp", photo = "\xE5\x86\x99\xE7\x9C\x9F.bmp",
                    smile = "\xF0\x9F\x98\x80.bmp", apple = "\xE5pple.bmp";
  Session session;
  Sample f;
  f.SetCaption(photo);
  f.LabelName.SetCaption(omega);
  f.Files.SetTypeAheadFind(true);
  f.Files.Assign({photo, apple, smile, "caf\xE9.bmp"});
  session.WhenModal<Sample>([&](User& u, Sample& s) {
    EXPECT_EQ(u.TextOf("LabelName"), omega);
    u.Type("EditName", photo);
    EXPECT_EQ(u.TextOf("EditName"), photo);
    EXPECT_EQ(s.EditName.Text(), photo);
    u.Type("EditName", "caf\xE9 " + smile);
    EXPECT_EQ(s.EditName.Text(), "caf\xE9 " + smile) << "each character in its own form";
    u.Select("Files", 3);
    u.TypeChars("\xE5");
    EXPECT_EQ(s.Files.ItemIndex(), 1) << "\"\xE5\" (a ring) does not begin the Japanese name";
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(f.Caption(), photo);
}

inline void MenusCheckRadioItemsHideItemsAndTellTheSender() {
  Session session;
  Sample f;
  MainMenu menu(f, "MainMenu1");
  MenuItem& zoom = menu.Add("mnuZoom", "&Zoom");
  MenuItem* chosen = nullptr;
  for (const char* n : {"mnuZoom100", "mnuZoom200", "mnuZoom400"}) {
    MenuItem& i = zoom.Add(n, n);
    i.SetRadioItem(true);
    i.OnClick = [&](MenuItem& sender) {
      chosen = &sender;
      sender.SetChecked(true);
    };
  }
  zoom.Item(2).SetVisible(false);
  f.SetMenu(&menu);
  session.WhenModal<Sample>([&](User& u, Sample&) {
    u.Choose("mnuZoom100");
    u.Choose("mnuZoom200");
    EXPECT_THROW(u.Choose("mnuZoom400"), ScriptFailure) << "hidden item";
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(chosen, &zoom.Item(1));
  EXPECT_FALSE(zoom.Item(0).Checked());
  EXPECT_TRUE(zoom.Item(1).Checked());
}

inline void PopupMenuRunsTheChosenItem() {
  Session session;
  Sample f;
  PopupMenu popup(f.Files, "PopupMenu1");
  MenuItem& del = popup.Add("mnuDelete", "&Delete");
  bool deleted = false;
  del.OnClick = [&](MenuItem&) { deleted = true; };
  session.AnswerPopup("");
  popup.Popup(10, 10);
  EXPECT_FALSE(deleted) << "closed without a choice";
  session.AnswerPopup("mnuDelete");
  popup.Popup(10, 10);
  EXPECT_TRUE(deleted);
}

inline void TimersFireOnlyWhileRunning() {
  Session session;
  Sample f;
  int ticks = 0;
  f.Timer1.OnTimer = [&](Control&) { ++ticks; };
  EXPECT_THROW(session.FireTimer("Timer1"), ScriptFailure);
  f.Timer1.SetEnabled(true);
  session.FireTimer("Timer1");
  session.FireTimer("Timer1");
  EXPECT_EQ(ticks, 2);
}

inline void InputBoxGivesTheTextOrTheDefault() {
  Session session;
  session.WhenModal<InputBoxForm>([](User& u, InputBoxForm&) {
    EXPECT_EQ(u.FocusedName(), "Value");
    u.Type("Value", "new.bmp");
    u.PressKey(vkReturn);
  });
  EXPECT_EQ(InputBox("Rename", "New name:", "old.bmp"), "new.bmp");
  session.WhenModal<InputBoxForm>([](User& u, InputBoxForm&) {
    u.Type("Value", "typed");
    u.PressKey(vkEscape);
  });
  EXPECT_EQ(InputBox("Rename", "New name:", "old.bmp"), "old.bmp");
}

inline void ScrollBarMouseDownComesAfterTracking() {
  Session session;
  Sample f;
  std::vector<std::string> log;
  f.Bar.OnScroll = [&](Control&, ScrollCode code, int& pos) {
    if (code == ScrollCode::LineDown) log.push_back("line down to " + std::to_string(pos));
    if (code == ScrollCode::PageUp) log.push_back("page up to " + std::to_string(pos));
    if (code == ScrollCode::EndScroll) log.push_back("end");
  };
  f.Bar.OnMouseDown = [&](Control&, MouseButton, unsigned, int, int) {
    log.push_back("mouse down");
  };
  session.WhenModal<Sample>([&](User& u, Sample&) {
    u.ScrollStep("Bar", ScrollCode::LineDown);
    u.ScrollStep("Bar", ScrollCode::PageUp);
    EXPECT_EQ(u.PositionOf("Bar"), 42);
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(log, (std::vector<std::string>{"line down to 52", "end", "mouse down", "page up to 42",
                                           "end", "mouse down"}));
}

inline void TabsChangeAndGaugeKeepsItsRange() {
  Session session;
  Sample f;
  TabControl tabs(f, "Tabs");
  tabs.SetBounds(220, 8, 200, 60);
  tabs.SetTabs({"&General", "Co&mpression"});
  Gauge gauge(f, "Gauge1");
  gauge.SetBounds(220, 80, 150, 18);
  gauge.SetRange(0, 200);
  std::vector<int> changes;
  tabs.OnChange = [&](Control&) { changes.push_back(tabs.TabIndex()); };
  session.WhenModal<Sample>([&](User& u, Sample&) {
    u.Select("Tabs", 1);
    u.PressKey('G', ssAlt);  // a tab's accelerator chooses it and focuses the tabs
    EXPECT_EQ(u.FocusedName(), "Tabs");
    u.PressKey('G', ssAlt);  // the tab already chosen: no change
    u.PressKey('M', ssAlt);
    gauge.SetProgress(50);
    gauge.SetProgress(500);
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(changes, (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(gauge.Progress(), 200) << "kept within the range";
  EXPECT_EQ(gauge.Percent(), 100);
}

inline void GridCellsAreChosenByClickAndHiddenColumnsKeepData() {
  Session session;
  Sample f;
  StringGrid grid(f, "Grid");
  grid.SetBounds(220, 8, 300, 120);
  grid.SetColCount(4);
  grid.SetRowCount(41);
  grid.SetColWidth(3, 0);  // hidden: data only
  for (int r = 1; r < 41; ++r) {
    grid.SetCell(1, r, "slide" + std::to_string(r) + ".bmp");
    grid.SetCell(3, r, "secret" + std::to_string(r));
  }
  std::vector<std::string> chosen;
  grid.OnSelectCell = [&](Control&, int col, int row, bool& can) {
    can = col != 2;  // column 2 is not selectable
    chosen.push_back(std::to_string(col) + "," + std::to_string(row));
  };
  session.WhenModal<Sample>([&](User& u, Sample&) {
    u.SelectCell("Grid", 1, 3);
    u.SelectCell("Grid", 2, 5);   // refused: stays on row 3
    u.SelectCell("Grid", 1, 40);  // far below: scrolled into view
    EXPECT_THROW(u.SelectCell("Grid", 3, 4), ScriptFailure) << "hidden column";
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(chosen, (std::vector<std::string>{"1,3", "2,5", "1,40"}));
  EXPECT_EQ(grid.Row(), 40);
  EXPECT_EQ(grid.Cell(3, 40), "secret40");
}

inline void DoubleClickOnAListEntryChoosesItFirst() {
  Session session;
  Sample f;
  for (const char* n : {"dir1", "dir2", "photo.bmp"}) f.Files.Add(n);
  std::vector<std::string> opened;
  f.Files.OnDblClick = [&](Control&) { opened.push_back(f.Files.Item(f.Files.ItemIndex())); };
  session.WhenModal<Sample>([&](User& u, Sample&) {
    u.DoubleClick("Files", 2);
    u.DoubleClick("Files", 0);
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(opened, (std::vector<std::string>{"photo.bmp", "dir1"}));
}

inline void ControlsAddedWhileTheFormIsOnScreenWork() {
  Session session;
  Sample f;
  std::vector<std::unique_ptr<Button>> late;
  int clicks = 0;
  session.WhenModal<Sample>([&](User& u, Sample&) {
    for (int i = 0; i < 2; ++i) {
      late.push_back(std::make_unique<Button>(f.Group, "BtnLate" + std::to_string(i)));
      late.back()->SetCaption("Late");
      late.back()->SetBounds(4, 4 + 30 * i, 60, 25);
      late.back()->OnClick = [&](Control&) { ++clicks; };
    }
    u.Click("BtnLate1");
    EXPECT_EQ(u.TextOf("BtnLate1"), "Late");
    late.pop_back();  // removed again while on screen
    u.Click("BtnLate0");
    u.Click("BtnOK");
  });
  f.ShowModal();
  EXPECT_EQ(clicks, 2);
}

// Every shared scenario, by name.
struct Named {
  const char* name;
  void (*run)();
};
// A scenario as the test runner prints it: by its name.
inline void PrintTo(const Named& n, std::ostream* os) { *os << n.name; }
inline const std::vector<Named>& All() {
  static const std::vector<Named> all = {
      {"HandlerErrorShowsTheErrorBoxAndTheFormStaysOpen",
       &HandlerErrorShowsTheErrorBoxAndTheFormStaysOpen},
      {"UnscriptedWindowsFailLoudly", &UnscriptedWindowsFailLoudly},
      {"ClickingDisabledOrHiddenControlsFails", &ClickingDisabledOrHiddenControlsFails},
      {"DialogKeysAndAccelerators", &DialogKeysAndAccelerators},
      {"SharedLettersMoveTheFocusAndPressNothing", &SharedLettersMoveTheFocusAndPressNothing},
      {"KeyPreviewCanSwallowKeys", &KeyPreviewCanSwallowKeys},
      {"RadioButtonsOfAGroupExcludeEachOther", &RadioButtonsOfAGroupExcludeEachOther},
      {"ListBoxSortsAndSelectsLikeWindows", &ListBoxSortsAndSelectsLikeWindows},
      {"ListBoxTakesAWholeListAndSelectionInOneGo", &ListBoxTakesAWholeListAndSelectionInOneGo},
      {"ListBoxTakesANewListOverTheOld", &ListBoxTakesANewListOverTheOld},
      {"ListBoxFindsEntriesByTheLettersTyped", &ListBoxFindsEntriesByTheLettersTyped},
      {"TextBeyondTheCodePageIsShownAndTypedAsItIs", &TextBeyondTheCodePageIsShownAndTypedAsItIs},
      {"MenusCheckRadioItemsHideItemsAndTellTheSender",
       &MenusCheckRadioItemsHideItemsAndTellTheSender},
      {"PopupMenuRunsTheChosenItem", &PopupMenuRunsTheChosenItem},
      {"TimersFireOnlyWhileRunning", &TimersFireOnlyWhileRunning},
      {"InputBoxGivesTheTextOrTheDefault", &InputBoxGivesTheTextOrTheDefault},
      {"ScrollBarMouseDownComesAfterTracking", &ScrollBarMouseDownComesAfterTracking},
      {"TabsChangeAndGaugeKeepsItsRange", &TabsChangeAndGaugeKeepsItsRange},
      {"ControlsAddedWhileTheFormIsOnScreenWork", &ControlsAddedWhileTheFormIsOnScreenWork},
      {"DoubleClickOnAListEntryChoosesItFirst", &DoubleClickOnAListEntryChoosesItFirst},
      {"GridCellsAreChosenByClickAndHiddenColumnsKeepData",
       &GridCellsAreChosenByClickAndHiddenColumnsKeepData},
  };
  return all;
}

}  // namespace toolkit_scenarios
