#include "ui/test_session.h"

#include "ui/form.h"
#include "ui/form_registry.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace w95::ui::test {

namespace {
Session* active = nullptr;

std::string Describe(MsgKind kind, std::string_view text) {
  return std::string("[") + TitleOf(kind) + "] \"" + std::string(text) + "\"";
}
}  // namespace

Form& User::ActiveForm() {
  Form* f = detail::ActiveForm();
  if (!f) throw ScriptFailure("no form is open");
  return *f;
}

Control& User::Named(std::string_view name) {
  Form& f = ActiveForm();
  Control* c = f.Find(name);
  if (!c) throw ScriptFailure("form '" + f.Name() + "' has no control '" + std::string(name) + "'");
  return *c;
}

MenuItem& User::MenuUsable(std::string_view name) {
  Form& f = ActiveForm();
  MenuItem* item = f.Menu() ? f.Menu()->Find(name) : nullptr;
  if (!item) throw ScriptFailure("the menu has no item '" + std::string(name) + "'");
  for (MenuItem* i = item; i; i = i->Parent())
    if (!i->Visible() || !i->Enabled())
      throw ScriptFailure("menu item '" + std::string(name) + "' is hidden or disabled");
  return *item;
}

Session::Session() : user_(MakeUser()), previous_(active), previousAutomation_(ActiveAutomation()) {
  active = this;
  SetActiveAutomation(this);
}
Session::~Session() {
  active = previous_;
  SetActiveAutomation(previousAutomation_);
}
Session* Session::Active() { return active; }

void Session::AddModal(std::type_index type, std::string name, Script script) {
  modals_.push_back({type, std::move(name), std::move(script)});
}

void Session::WhenModalNamed(std::string formName, Script script) {
  modals_.push_back({std::nullopt, std::move(formName), std::move(script)});
}

void Session::ExpectMessage(MsgKind kind, std::string text, ModalResult answer) {
  answers_.push_back({kind, std::move(text), answer});
}
void Session::ExpectMessage(MsgKind kind, ModalResult answer) {
  answers_.push_back({kind, std::nullopt, answer});
}
void Session::AnswerPopup(std::string itemName) { popups_.push_back(std::move(itemName)); }
void Session::AnswerColor(std::optional<Color> color) { colors_.push_back(color); }
void Session::AnswerFont(std::optional<Font> font) { fonts_.push_back(std::move(font)); }
void Session::AnswerPrintSetup(bool ok) { printSetups_.push_back(ok); }

void Session::FireTimer(const std::string& name) {
  Timer* t = FindTimer(name);
  if (!t) throw ScriptFailure("no timer '" + name + "'");
  if (!t->Running()) throw ScriptFailure("timer '" + name + "' is not running");
  t->Fire();
}

void Session::MessagesRun() {
  ++pumps_;
  // A pump inside the action itself does not run it again.
  if (!onPump_ || inPump_) return;
  inPump_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{inPump_};
  onPump_();
}

void Session::DialogLoopRuns(bool messageBox) {
  if (!dialogPumps_) return;
  const bool outer = inMessageBox_;
  inMessageBox_ = messageBox;
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{inMessageBox_, outer};
  MessagesRun();
}

std::vector<std::string> Session::Unused() const {
  std::vector<std::string> out;
  for (const auto& m : modals_)
    out.push_back("modal script for " + (m.type ? std::string(m.type->name()) : m.name));
  for (const auto& a : answers_)
    out.push_back("message answer " + (a.kind ? Describe(*a.kind, a.text.value_or("")) : ""));
  for (const auto& p : popups_) out.push_back("popup answer " + p);
  if (!colors_.empty()) out.push_back("colour dialog answer");
  if (!fonts_.empty()) out.push_back("font dialog answer");
  if (!printSetups_.empty()) out.push_back("print setup answer");
  return out;
}

std::function<void(Form&)> Session::TakeModalScript(Form& form) {
  if (modals_.empty())
    throw ScriptFailure("unscripted modal form '" + form.Name() + "' (" + form.Caption() + ")");
  ModalScript m = std::move(modals_.front());
  const bool match = m.type ? *m.type == std::type_index(typeid(form)) : m.name == form.Name();
  if (!match)
    throw ScriptFailure("modal form '" + form.Name() + "' appeared; the script expected " +
                        (m.type ? std::string(m.type->name()) : m.name));
  modals_.pop_front();
  return [script = std::move(m.script), user = user_.get()](Form& f) { script(*user, f); };
}

ModalResult Session::TakeMessageAnswer(MsgKind kind, std::string_view text, Buttons buttons) {
  if (answers_.empty() && anyMessage_) {
    // The cautious answer: No, Cancel, or OK where that is all there is.
    const ModalResult answer = buttons == Buttons::OK      ? mrOk
                               : buttons == Buttons::YesNo ? mrNo
                                                           : mrCancel;
    messages_.push_back({kind, std::string(text), buttons, answer});
    return answer;
  }
  if (answers_.empty()) throw ScriptFailure("unscripted message box " + Describe(kind, text));
  MessageAnswer a = answers_.front();
  if ((a.kind && *a.kind != kind) || (a.text && *a.text != text))
    throw ScriptFailure("message box " + Describe(kind, text) + " appeared; expected " +
                        Describe(a.kind.value_or(kind), a.text.value_or("...")));
  answers_.pop_front();
  const bool allowed = [&] {
    switch (buttons) {
      case Buttons::OK:
        return a.answer == mrOk;
      case Buttons::YesNo:
        return a.answer == mrYes || a.answer == mrNo;
      case Buttons::YesNoCancel:
        return a.answer == mrYes || a.answer == mrNo || a.answer == mrCancel;
      case Buttons::OKCancel:
        return a.answer == mrOk || a.answer == mrCancel;
    }
    return false;
  }();
  if (!allowed) throw ScriptFailure("message box " + Describe(kind, text) + " has no such button");
  messages_.push_back({kind, std::string(text), buttons, a.answer});
  return a.answer;
}

MenuItem* Session::TakePopupAnswer(PopupMenu& menu) {
  if (popups_.empty()) throw ScriptFailure("unscripted popup menu '" + menu.Name() + "'");
  std::string name = popups_.front();
  popups_.pop_front();
  if (name.empty()) return nullptr;
  MenuItem* item = menu.Find(name);
  if (!item || item == &menu)
    throw ScriptFailure("popup menu '" + menu.Name() + "' has no item '" + name + "'");
  for (MenuItem* i = item; i && i != &menu; i = i->Parent())
    if (!i->Visible() || !i->Enabled())
      throw ScriptFailure("popup item '" + name + "' is hidden or disabled");
  return item;
}

std::optional<Color> Session::TakeColorAnswer() {
  if (colors_.empty()) throw ScriptFailure("unscripted colour dialog");
  auto a = colors_.front();
  colors_.pop_front();
  return a;
}

std::optional<Font> Session::TakeFontAnswer() {
  if (fonts_.empty()) throw ScriptFailure("unscripted font dialog");
  auto a = fonts_.front();
  fonts_.pop_front();
  return a;
}

bool Session::TakePrintSetupAnswer() {
  if (printSetups_.empty()) throw ScriptFailure("unscripted print setup dialog");
  bool a = printSetups_.front();
  printSetups_.pop_front();
  return a;
}

}  // namespace w95::ui::test
