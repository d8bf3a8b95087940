// Scenario tests of windows: a Session scripts what the user does when a
// given modal form, message box, popup menu or common dialog appears, and a
// User acts on controls by name. The same scenario runs on the headless
// backend (natively) and on real windows (ui/win32, under Wine): each backend
// supplies its own User. Anything unscripted fails loudly (ScriptFailure).
// Sessions live in the test library (w95_ui_testing), never in the product.
//
//   ui::test::Session s;
//   s.WhenModal<TScrlDlg>([](ui::test::User& u, TScrlDlg&) {
//     u.Type("CustomSetting", "500");
//     u.Click("BtnOK");
//   });
//   EXPECT_EQ(RunScrlDlg("Wait", 0, 100, 1, 10, 5), 100);
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "ui/automation.h"
#include "ui/types.h"

namespace w95::ui {
class Form;
class Control;
class PopupMenu;
class MenuItem;
}  // namespace w95::ui

namespace w95::ui::test {

class User {
 public:
  virtual ~User() = default;
  // Every action works on the active form: the innermost modal form, else the
  // most recently shown form. Acting on a disabled or hidden control fails.
  virtual void Click(std::string_view name) = 0;
  // Focuses the edit box, selects all and types the text character by
  // character (each character changes the text once).
  virtual void Type(std::string_view name, std::string_view text) = 0;
  virtual void Clear(std::string_view name) = 0;  // select all, delete
  // Presses a key on the focused control (Return, Escape, Tab ...).
  virtual void PressKey(int key, unsigned shift = ssNone) = 0;
  // Drags the thumb of a scroll bar to a position and lets go (scroll events
  // only: track, position, end).
  virtual void Scroll(std::string_view name, int position) = 0;
  // Clicks an arrow or the page area of a scroll bar: the step, the end of
  // scrolling, then the mouse-down event (it arrives after tracking).
  virtual void ScrollStep(std::string_view name, ScrollCode code) = 0;
  // Types characters on the focused control, one key each (a list finds
  // its entries by them).
  virtual void TypeChars(std::string_view text) = 0;
  // Picks an entry of a list box or combo box, or a tab.
  virtual void Select(std::string_view name, int index, unsigned shift = ssNone) = 0;
  // Double-clicks a control; in a list box, on the entry `index`.
  virtual void DoubleClick(std::string_view name, int index = -1) = 0;
  // Clicks a cell of a string grid (scrolled into view first), with Shift
  // or Ctrl held when `shift` says so.
  virtual void SelectCell(std::string_view name, int col, int row, unsigned shift = 0) = 0;
  // Drags row `from` of a string grid by its fixed cell and drops it on row `to`.
  virtual void DragRow(std::string_view name, int from, int to) = 0;
  // Drags the right border of a grid column (in the fixed row) to that width.
  virtual void SizeColumn(std::string_view name, int col, int width) = 0;
  // Chooses an item of the form's main menu.
  virtual void Choose(std::string_view menuItem) = 0;
  // What the window shows now (under Win32: read back from the native control).
  virtual std::string TextOf(std::string_view name) = 0;
  virtual int PositionOf(std::string_view name) = 0;
  virtual std::string FocusedName() = 0;
  // The mouse on a control, at a point of its client area (a point outside
  // it is where the pointer went while the button was held).
  virtual void MouseDown(std::string_view name, MouseButton button, int x, int y) = 0;
  virtual void MouseMove(std::string_view name, int x, int y) = 0;
  virtual void MouseUp(std::string_view name, MouseButton button, int x, int y) = 0;

  Form& ActiveForm();
  Control& Named(std::string_view name);  // fails when there is no such control
  // An item of the active form's main menu that the user can choose.
  MenuItem& MenuUsable(std::string_view name);
};

struct ShownMessage {
  MsgKind kind;
  std::string text;
  Buttons buttons;
  ModalResult answer;
};

class Session final : public Automation {
 public:
  using Script = std::function<void(User&, Form&)>;

  Session();  // the active session until destroyed; one at a time
  ~Session() override;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // When a modal form of type F appears, run the script on it (once, in the
  // order queued). The script must end the form (a modal result).
  template <class F>
  void WhenModal(std::function<void(User&, F&)> script) {
    AddModal(typeid(F), {}, [script](User& u, Form& f) { script(u, static_cast<F&>(f)); });
  }
  void WhenModalNamed(std::string formName, Script script);

  // The next message box: must be of that kind (and text, when given); it is
  // answered with the button.
  void ExpectMessage(MsgKind kind, std::string text, ModalResult answer);
  void ExpectMessage(MsgKind kind, ModalResult answer);
  // Message boxes nothing was queued for are answered No, Cancel or OK
  // instead of failing (tests that close windows at arbitrary moments).
  void AnswerAnyMessage() { anyMessage_ = true; }
  // The next popup menu: choose the item of that name ("" closes it).
  void AnswerPopup(std::string itemName);
  // The next colour, font or print setup dialog: OK with that value, or Cancel.
  void AnswerColor(std::optional<Color> color);
  void AnswerFont(std::optional<Font> font);
  void AnswerPrintSetup(bool ok);

  void FireTimer(const std::string& name);  // fails when not running
  // The clock that stamps the keys typed headless (from 0, in milliseconds).
  void AdvanceClock(uint32_t ms) { clock_ += ms; }
  uint32_t Clock() override { return clock_; }
  // Runs at every pump (each time the window lets pending messages run),
  // headless only: what arrives while a handler waits. Pumps() counts them.
  void OnPump(std::function<void()> action) { onPump_ = std::move(action); }
  int Pumps() const { return pumps_; }
  // Each modal form, message box and popup menu that appears counts as a
  // pump too, as its own loop lets messages run on real windows. While a
  // message box or popup menu waits, InMessageBox() is true: the user can
  // reach no form then.
  void DialogsLetMessagesRun() { dialogPumps_ = true; }
  bool InMessageBox() const { return inMessageBox_; }
  User& GetUser() { return *user_; }

  const std::vector<ShownMessage>& Messages() const { return messages_; }
  // What was scripted but never used; empty when the scenario ran as planned.
  std::vector<std::string> Unused() const;

  // ---- Backend side: each fails when nothing fitting is queued.
  static Session* Active();
  std::function<void(Form&)> TakeModalScript(Form& form) override;
  ModalResult TakeMessageAnswer(MsgKind kind, std::string_view text, Buttons buttons) override;
  MenuItem* TakePopupAnswer(PopupMenu& menu) override;
  std::optional<Color> TakeColorAnswer() override;
  std::optional<Font> TakeFontAnswer() override;
  bool TakePrintSetupAnswer() override;
  void MessagesRun() override;
  void DialogLoopRuns(bool messageBox) override;

 private:
  struct ModalScript {
    std::optional<std::type_index> type;
    std::string name;
    Script script;
  };
  struct MessageAnswer {
    std::optional<MsgKind> kind;
    std::optional<std::string> text;
    ModalResult answer;
  };
  void AddModal(std::type_index type, std::string name, Script script);

  std::deque<ModalScript> modals_;
  std::deque<MessageAnswer> answers_;
  std::deque<std::string> popups_;
  std::deque<std::optional<Color>> colors_;
  std::deque<std::optional<Font>> fonts_;
  std::deque<bool> printSetups_;
  std::vector<ShownMessage> messages_;
  std::function<void()> onPump_;
  int pumps_ = 0;
  uint32_t clock_ = 0;
  bool inPump_ = false;
  bool anyMessage_ = false;
  bool dialogPumps_ = false;
  bool inMessageBox_ = false;
  std::unique_ptr<User> user_;
  Session* previous_ = nullptr;
  Automation* previousAutomation_ = nullptr;
};

// Each backend's User (ui/headless, ui/win32).
std::unique_ptr<User> MakeUser();

}  // namespace w95::ui::test
