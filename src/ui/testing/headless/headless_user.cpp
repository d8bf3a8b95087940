// The headless User: acts on the control objects through the same entry
// points the Win32 peers use for real input.
#include <cctype>
#include <vector>

#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/menu.h"
#include "ui/scroll_bar.h"
#include "ui/string_grid.h"
#include "ui/test_session.h"

namespace w95::ui::test {

namespace {

void RequireUsable(Control& c, const char* action) {
  if (!c.CanUse())
    throw ScriptFailure(std::string("cannot ") + action + " '" + c.Name() +
                        "': it is disabled or hidden");
}

template <class T>
T& As(Control& c, const char* kind) {
  auto* t = dynamic_cast<T*>(&c);
  if (!t) throw ScriptFailure("'" + c.Name() + "' is not " + kind);
  return *t;
}

void Focusables(Control& root, std::vector<Control*>& out) {
  for (Control* c : root.Children()) {
    if (c->CanFocus() && c->CanUse() && c->TabStop()) out.push_back(c);
    Focusables(*c, out);
  }
}

class HeadlessUser final : public User {
 public:
  void Click(std::string_view name) override {
    Control& c = Named(name);
    RequireUsable(c, "click");
    if (c.CanFocus()) c.UserFocused();
    c.UserClick();
  }

  void Type(std::string_view name, std::string_view text) override {
    Control& c = Named(name);
    RequireUsable(c, "type into");
    c.UserFocused();
    if (auto* combo = dynamic_cast<ComboBox*>(&c)) {
      combo->UserEdited(std::string(text));
      return;
    }
    Edit& e = As<Edit>(c, "an edit box");
    if (e.ReadOnly()) throw ScriptFailure("cannot type into read-only '" + e.Name() + "'");
    if (text.empty()) e.UserEdited("");
    for (size_t i = 0; i < text.size(); ++i)
      e.UserEdited((i == 0 ? std::string() : e.Text()) + text[i]);
  }

  void Clear(std::string_view name) override {
    Edit& e = As<Edit>(Named(name), "an edit box");
    RequireUsable(e, "clear");
    e.UserFocused();
    e.UserEdited("");
  }

  void PressKey(int key, unsigned shift) override {
    Form& f = ActiveForm();
    Control* target = f.ActiveControl() ? f.ActiveControl() : &f;
    if (f.UserPreviewKey(key, shift)) return;
    if (!target->WantsKey(key) && f.UserDialogKey(key, shift)) return;
    // A letter with Alt, or alone on a control that takes no characters,
    // goes to the form's accelerators, as dialogs treat it on Win32.
    const bool noChars = dynamic_cast<Button*>(target) || dynamic_cast<CheckBox*>(target) ||
                         dynamic_cast<RadioButton*>(target);
    if (((shift & ssAlt) || (shift == ssNone && noChars)) && key < 0x80 && std::isalnum(key) &&
        f.UserAccelerator(static_cast<char>(key)))
      return;
    // Space presses the button or check box with the focus.
    if (key == vkSpace && shift == ssNone && noChars) {
      target->UserKeyDown(key, shift);
      if (key == vkSpace) target->UserClick();
      return;
    }
    if (key == vkTab) {
      std::vector<Control*> order;
      Focusables(f, order);
      if (order.empty()) return;
      size_t i = 0;
      while (i < order.size() && order[i] != f.ActiveControl()) ++i;
      const size_t n = order.size();
      size_t next = i == n ? 0 : ((shift & ssShift) ? (i + n - 1) % n : (i + 1) % n);
      order[next]->UserFocused();
      return;
    }
    if (target != &f) target->UserKeyDown(key, shift);
  }

  void TypeChars(std::string_view text) override {
    for (char ch : text) {
      Control* target = ActiveForm().ActiveControl();
      if (!target) throw ScriptFailure("no control has the focus to type on");
      RequireUsable(*target, "type on");
      target->UserKeyPress(ch);
    }
  }

  void Scroll(std::string_view name, int position) override {
    ScrollBar& sb = As<ScrollBar>(Named(name), "a scroll bar");
    RequireUsable(sb, "scroll");
    sb.UserScroll(ScrollCode::Track, position);
    sb.UserScroll(ScrollCode::Position, position);
    sb.UserScroll(ScrollCode::EndScroll, sb.Position());
  }

  void ScrollStep(std::string_view name, ScrollCode code) override {
    ScrollBar& sb = As<ScrollBar>(Named(name), "a scroll bar");
    RequireUsable(sb, "scroll");
    sb.UserScroll(code, sb.Position());
    sb.UserScroll(ScrollCode::EndScroll, sb.Position());
    // A scroll bar reports the mouse-down only once tracking has ended.
    sb.UserMouseDown(MouseButton::Left, ssNone, 0, 0);
  }

  void Select(std::string_view name, int index, unsigned shift) override {
    Control& c = Named(name);
    RequireUsable(c, "select in");
    c.UserFocused();
    if (auto* lb = dynamic_cast<ListBox*>(&c)) {
      if (index < 0 || index >= lb->Count())
        throw ScriptFailure("no entry " + std::to_string(index));
      lb->UserSelect(index, shift);
      return;
    }
    if (auto* tabs = dynamic_cast<TabControl*>(&c)) {
      if (index < 0 || index >= static_cast<int>(tabs->Tabs().size()))
        throw ScriptFailure("no tab " + std::to_string(index));
      tabs->UserSelected(index);
      return;
    }
    ComboBox& cb = As<ComboBox>(c, "a list");
    if (index < 0 || index >= static_cast<int>(cb.Items().size()))
      throw ScriptFailure("no entry " + std::to_string(index));
    cb.UserSelected(index);
  }

  void DoubleClick(std::string_view name, int index) override {
    Control& c = Named(name);
    RequireUsable(c, "double-click");
    if (c.CanFocus()) c.UserFocused();
    if (auto* lb = dynamic_cast<ListBox*>(&c); lb && index >= 0) {
      if (index >= lb->Count()) throw ScriptFailure("no entry " + std::to_string(index));
      lb->UserSelect(index);
    }
    c.UserDblClick();
  }

  void SelectCell(std::string_view name, int col, int row, unsigned shift) override {
    StringGrid& g = As<StringGrid>(Named(name), "a string grid");
    RequireUsable(g, "click in");
    if (col < 0 || col >= g.ColCount() || row < 0 || row >= g.RowCount() || g.ColWidth(col) <= 0)
      throw ScriptFailure("no visible cell " + std::to_string(col) + "," + std::to_string(row));
    g.UserFocused();
    g.UserSelectCell(col, row, shift);
  }

  void DragRow(std::string_view name, int from, int to) override {
    StringGrid& g = As<StringGrid>(Named(name), "a string grid");
    RequireUsable(g, "drag in");
    if (!(g.Options() & goRowMoving) || from < g.FixedRows() || from >= g.RowCount() ||
        to < g.FixedRows() || to >= g.RowCount())
      throw ScriptFailure("row " + std::to_string(from) + " cannot be dragged to " +
                          std::to_string(to));
    g.UserFocused();
    g.UserMoveRow(from, to);
  }

  void SizeColumn(std::string_view name, int col, int width) override {
    StringGrid& g = As<StringGrid>(Named(name), "a string grid");
    RequireUsable(g, "size a column of");
    if (!(g.Options() & goColSizing) || col < 0 || col >= g.ColCount() || g.ColWidth(col) < 2)
      throw ScriptFailure("column " + std::to_string(col) + " cannot be sized");
    g.UserSizeCol(col, width);
  }

  void Choose(std::string_view menuItem) override { MenuUsable(menuItem).Click(); }

  std::string TextOf(std::string_view name) override { return Named(name).Text(); }

  int PositionOf(std::string_view name) override {
    return As<ScrollBar>(Named(name), "a scroll bar").Position();
  }

  std::string FocusedName() override {
    Control* c = ActiveForm().ActiveControl();
    return c ? c->Name() : std::string();
  }

  void MouseDown(std::string_view name, MouseButton button, int x, int y) override {
    Control& c = Named(name);
    RequireUsable(c, "press the mouse on");
    held_ = button == MouseButton::Left ? ssLeft : button == MouseButton::Right ? ssRight : ssNone;
    c.UserMouseDown(button, held_, x, y);
  }
  void MouseMove(std::string_view name, int x, int y) override {
    Named(name).UserMouseMove(held_, x, y);
  }
  void MouseUp(std::string_view name, MouseButton button, int x, int y) override {
    Control& c = Named(name);
    held_ = ssNone;
    c.UserMouseUp(button, ssNone, x, y);
  }

 private:
  unsigned held_ = ssNone;
};

}  // namespace

std::unique_ptr<User> MakeUser() { return std::make_unique<HeadlessUser>(); }

}  // namespace w95::ui::test
