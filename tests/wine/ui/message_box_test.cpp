// Message boxes on real windows: every kind and button set is shown, answered
// through the session, and read back as it appeared on screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/error.h"
#include "ui/button.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/input_box.h"
#include "ui/screen.h"
#include "ui/test_session.h"
#include "ui/win32/win32_backend.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;

struct BoxCase {
  MsgKind kind;
  Buttons buttons;
  ModalResult answer;
  const char* title;
  std::vector<std::string> captions;
};

TEST(MessageBoxOnWine, EveryKindAndButtonSetIsShownAndAnswered) {
  wine_ui::RealMachine machine;
  const std::vector<BoxCase> cases = {
      {MsgKind::Information, Buttons::OK, mrOk, "Information", {"OK"}},
      {MsgKind::Warning, Buttons::OK, mrOk, "Warning", {"OK"}},
      {MsgKind::Error, Buttons::OK, mrOk, "Error", {"OK"}},
      {MsgKind::Confirm, Buttons::YesNo, mrYes, "Confirm", {"&Yes", "&No"}},
      {MsgKind::Confirm, Buttons::YesNo, mrNo, "Confirm", {"&Yes", "&No"}},
      {MsgKind::Warning, Buttons::YesNoCancel, mrCancel, "Warning", {"&Yes", "&No", "Cancel"}},
      {MsgKind::Confirm, Buttons::YesNoCancel, mrNo, "Confirm", {"&Yes", "&No", "Cancel"}},
      {MsgKind::Confirm, Buttons::OKCancel, mrCancel, "Confirm", {"OK", "Cancel"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    test::Session s;
    const std::string text = std::string("Box of kind ") + c.title;
    s.ExpectMessage(c.kind, text, c.answer);
    EXPECT_EQ(MessageDlg(text, c.kind, c.buttons), c.answer);
    const auto& seen = win32::LastMessageBox();
    EXPECT_EQ(seen.title, c.title);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.buttons, c.captions);
  }
}

// A form whose handler fails: the standard error box shows the message and
// the form stays open; the busy cursor is back to the default afterwards.
class Failing : public Form {
 public:
  Failing() : Form("Failing") {
    SetCaption("Failing");
    SetClientSize(200, 80);
    BtnSave.SetCaption("Save");
    BtnSave.SetBounds(10, 10, 75, 25);
    BtnClose.SetCaption("Close");
    BtnClose.SetBounds(100, 10, 75, 25);
    BtnClose.SetModalResult(mrOk);
    BtnSave.OnClick = [](Control&) {
      BusyCursor busy;
      throw w95::Error("Unable to write to c:\\plimbo.ini");
    };
  }
  Button BtnSave{*this, "BtnSave"};
  Button BtnClose{*this, "BtnClose"};
};

TEST(ErrorConventionOnWine, HandlerErrorIsShownAndTheWindowStaysOpen) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<Failing>([](test::User& u, Failing& f) {
    u.Click("BtnSave");
    EXPECT_TRUE(IsWindowVisible(reinterpret_cast<HWND>(f.Handle()))) << "still open";
    EXPECT_EQ(Screen().GetCursor(), Cursor::Default);
    u.Click("BtnClose");
  });
  s.ExpectMessage(MsgKind::Error, "Unable to write to c:\\plimbo.ini", mrOk);
  Failing f;
  EXPECT_EQ(f.ShowModal(), mrOk);
  EXPECT_EQ(win32::LastMessageBox().title, "Error");
  EXPECT_TRUE(s.Unused().empty());
}

TEST(InputBoxOnWine, ReturnsWhatWasTyped) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<InputBoxForm>([](test::User& u, InputBoxForm&) {
    EXPECT_EQ(u.FocusedName(), "Value");
    u.Type("Value", "new name.bmp");
    wine_ui::WaitForScreenshot("input_box");
    u.PressKey(vkReturn);
  });
  EXPECT_EQ(InputBox("Rename", "New name:", "old.bmp"), "new name.bmp");
}

}  // namespace

namespace {

TEST(CommonDialogsOnWine, ColourAndFontDialogsAreShownAndAnswered) {
  wine_ui::RealMachine machine;
  test::Session s;
  Color c = clRed;
  s.AnswerColor(clRed);
  EXPECT_TRUE(ColorDialog(c)) << "OK pressed";
  EXPECT_EQ(c, clRed) << "the dialog gives back the colour it started with";
  s.AnswerColor(std::nullopt);
  EXPECT_FALSE(ColorDialog(c)) << "Cancel pressed";
  Font f;  // a font Wine lists (its "MS Sans Serif" is only a substitute)
  f.name = "Tahoma";
  f.size = 10;
  s.AnswerFont(f);
  EXPECT_TRUE(FontDialog(f));
  EXPECT_EQ(f.name, "Tahoma");
  EXPECT_EQ(f.size, 10);
  s.AnswerFont(std::nullopt);
  EXPECT_FALSE(FontDialog(f));
  EXPECT_TRUE(s.Unused().empty());
}

}  // namespace
