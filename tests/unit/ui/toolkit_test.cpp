// The toolkit's own rules on the headless backend: the error convention, the
// busy cursor, help, loud failures of unscripted windows, dialog keys,
// accelerators, radio groups, lists, menus, timers and the input box.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/sim/sim_machine.h"
#include "ui/controls.h"
#include "ui/input_box.h"
#include "ui/recording_canvas.h"
#include "ui/test_session.h"
#include "ui/toolkit_scenarios.h"

namespace {

using namespace w95::ui;
using test::Session;
using test::User;

using toolkit_scenarios::Sample;

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override { machine.Install(); }
  w95::platform::sim::SimMachine machine;
  Session session;
};

class ToolkitScenario : public ::testing::TestWithParam<toolkit_scenarios::Named> {
 protected:
  void SetUp() override { machine.Install(); }
  w95::platform::sim::SimMachine machine;
};

TEST_P(ToolkitScenario, Runs) { GetParam().run(); }

INSTANTIATE_TEST_SUITE_P(Toolkit, ToolkitScenario, ::testing::ValuesIn(toolkit_scenarios::All()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(ToolkitTest, MessageAnswersMustMatchKindTextAndButtons) {
  session.ExpectMessage(MsgKind::Warning, mrYes);
  EXPECT_THROW(MessageDlg("x", MsgKind::Confirm, Buttons::YesNo), ScriptFailure) << "kind";
  Session other;
  other.ExpectMessage(MsgKind::Confirm, "Replace it?", mrCancel);
  EXPECT_THROW(MessageDlg("Replace it?", MsgKind::Confirm, Buttons::YesNo), ScriptFailure)
      << "no Cancel button on a Yes/No box";
  Session third;
  third.ExpectMessage(MsgKind::Confirm, "Replace it?", mrNo);
  EXPECT_EQ(MessageDlg("Replace it?", MsgKind::Confirm, Buttons::YesNoCancel), mrNo);
}

TEST_F(ToolkitTest, HelpOpensTheHelpFileAtTheFormsContext) {
  Sample f;
  f.ShowHelp();
  ASSERT_EQ(machine.desktop.helpCalls.size(), 1u);
  EXPECT_EQ(machine.desktop.helpCalls[0].file, "PLIMBO.HLP");
  EXPECT_EQ(machine.desktop.helpCalls[0].command, 1u);  // HELP_CONTEXT
  EXPECT_EQ(machine.desktop.helpCalls[0].data, 300u);
}

TEST_F(ToolkitTest, BusyCursorIsRestoredWhenWorkThrows) {
  try {
    BusyCursor busy;
    EXPECT_EQ(Screen().GetCursor(), Cursor::HourGlass);
    throw w95::Error("disk full");
  } catch (const w95::Error&) {}
  EXPECT_EQ(Screen().GetCursor(), Cursor::Default);
}

TEST_F(ToolkitTest, CommonDialogsAreAnsweredFromTheScript) {
  Color c = clBlack;
  session.AnswerColor(clRed);
  EXPECT_TRUE(ColorDialog(c));
  EXPECT_EQ(c, clRed);
  session.AnswerColor(std::nullopt);
  EXPECT_FALSE(ColorDialog(c));
  EXPECT_EQ(c, clRed);
  Font font;
  Font big;
  big.size = 14;
  session.AnswerFont(big);
  EXPECT_TRUE(FontDialog(font));
  EXPECT_EQ(font.size, 14);
  session.AnswerPrintSetup(false);
  EXPECT_FALSE(PrintSetupDialog());
}

TEST_F(ToolkitTest, ModelessFormClosedWithFreeIsDestroyedAfterTheEvent) {
  struct Tracked : Sample {
    explicit Tracked(bool& gone) : gone_(gone) {}
    ~Tracked() override { gone_ = true; }
    bool& gone_;
  };
  bool gone = false;
  auto form = std::make_unique<Tracked>(gone);
  Tracked* raw = form.get();
  CloseAction seen = CloseAction::None;
  raw->OnClose = [&](Control&, CloseAction& a) { seen = a; };
  raw->ReleaseOnClose(std::move(form));
  raw->Show();
  EXPECT_TRUE(raw->Visible());
  raw->Close();
  EXPECT_EQ(seen, CloseAction::Free);
  EXPECT_FALSE(gone) << "not while the closing event runs";
  Application().ProcessMessages();
  EXPECT_TRUE(gone);
}

TEST_F(ToolkitTest, GaugeDrawsItsShareAndPercentage) {
  Sample f;
  Gauge g(f, "Gauge1");
  g.SetBounds(0, 0, 200, 20);
  g.SetRange(0, 50);
  g.SetProgress(10);
  RecordingCanvas canvas;
  g.Paint(canvas);
  EXPECT_EQ(canvas.ops, (std::vector<std::string>{"fill 0,0 40x20 #00800000",
                                                  "fill 40,0 160x20 #80000005", "text 91,3 20%"}));
}

TEST_F(ToolkitTest, OwnerDrawnListEntriesGetTheirStateAndRectangle) {
  Sample f;
  f.Files.SetStyle(ListStyle::OwnerDrawFixed);
  f.Files.Add("a.bmp", 1);
  f.Files.OnDrawItem = [](Control& s, int i, Canvas& c, const Rect& r, unsigned state) {
    auto& lb = static_cast<ListBox&>(s);
    c.DrawGlyph(r.left, r.top, lb.ItemData(i) == 1 ? GlyphKind::File : GlyphKind::Folder);
    c.PutText(r.left + 18, r.top, lb.Item(i) + ((state & odSelected) ? " (selected)" : ""));
  };
  RecordingCanvas canvas;
  f.Files.DrawItem(0, canvas, Rect{0, 16, 100, 16}, odSelected);
  EXPECT_EQ(canvas.ops,
            (std::vector<std::string>{"glyph 0,16 file", "text 18,16 a.bmp (selected)"}));
}

TEST_F(ToolkitTest, AChoiceAmongEntriesTheListNoLongerHoldsIsIgnored) {
  Sample f;
  f.Files.Add("a.bmp", 1);
  int clicks = 0;
  f.Files.OnClick = [&](Control&) { ++clicks; };
  f.Files.UserSelectionChanged(3, {false, false, false, true});  // the window's old entries
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(f.Files.ItemIndex(), -1);
  f.Files.UserSelectionChanged(0, {true});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(f.Files.ItemIndex(), 0);
}

TEST_F(ToolkitTest, AlignedPanelsShareTheClientAreaInOrder) {
  Form f("Layout");
  f.SetClientSize(300, 200);
  Panel top(f, "PanelTop"), bottom(f, "PanelBottom"), left(f, "PanelLeft"),
      client(f, "PanelClient");
  top.SetHeight(30);
  bottom.SetHeight(20);
  left.SetWidth(50);
  client.SetAlign(Align::Client);
  left.SetAlign(Align::Left);
  bottom.SetAlign(Align::Bottom);
  top.SetAlign(Align::Top);
  struct Want {
    Panel* p;
    Rect r;
  };
  for (const Want& w : {Want{&top, {0, 0, 300, 30}}, Want{&bottom, {0, 180, 300, 20}},
                        Want{&left, {0, 30, 50, 150}}, Want{&client, {50, 30, 250, 150}}}) {
    EXPECT_EQ(w.p->Left(), w.r.left) << w.p->Name();
    EXPECT_EQ(w.p->Top(), w.r.top) << w.p->Name();
    EXPECT_EQ(w.p->Width(), w.r.width) << w.p->Name();
    EXPECT_EQ(w.p->Height(), w.r.height) << w.p->Name();
  }
  f.UserResized(400, 200);
  EXPECT_EQ(client.Width(), 350) << "the client panel follows the form";
  top.SetVisible(false);
  EXPECT_EQ(left.Top(), 0) << "a hidden panel gives up its place";
}

TEST_F(ToolkitTest, CloseQueryCanKeepAModalFormOpen) {
  Sample f;
  bool allow = false;
  f.OnCloseQuery = [&](Control&, bool& can) { can = allow; };
  session.WhenModal<Sample>([&](User& u, Sample&) {
    u.Click("BtnOK");
    EXPECT_EQ(f.GetModalResult(), mrNone) << "refused";
    allow = true;
    u.PressKey(vkEscape);
  });
  EXPECT_EQ(f.ShowModal(), mrCancel);
}

}  // namespace
