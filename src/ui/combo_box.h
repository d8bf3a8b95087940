// A combo box: a drop-down list (the user picks one of the items) or a
// drop-down with an edit field. Items and the chosen index live here. A
// combo box that shows glyphs draws each item with its glyph before the text
// (owner-drawn on Win32).
#pragma once

#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/glyphs.h"

namespace w95::ui {

enum class ComboStyle { DropDownList, DropDown, Simple };

class ComboBox : public Control {
 public:
  ComboBox(Control& parent, std::string name);
  ComboStyle Style() const { return style_; }
  void SetStyle(ComboStyle s);
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  // Items with a glyph each (None: no glyph, the text stays in line).
  void SetItems(std::vector<std::string> items, std::vector<GlyphKind> glyphs);
  GlyphKind ItemGlyph(int index) const;
  // Set before the window is made: the Win32 combo box is owner-drawn then.
  bool ShowsGlyphs() const { return showGlyphs_; }
  void SetShowGlyphs(bool on);
  // Draws item `index` (-1: the empty field) in `rect`: glyph, then text.
  void DrawItem(int index, Canvas& canvas, const Rect& rect, unsigned state);
  void AddItem(std::string item);
  void Clear();
  int ItemIndex() const { return itemIndex_; }
  // Selects an item (-1: none) and shows it as the text; does not fire
  // OnChange, as on Windows.
  void SetItemIndex(int index);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int n) { dropDownCount_ = n; }
  bool CanFocus() const override { return true; }

  NotifyEvent OnChange;    // the user chose an item or edited the text
  NotifyEvent OnDropDown;  // the list is about to open

  void UserSelected(int index);
  void UserDroppedDown();
  void UserEdited(std::string text);

 private:
  ComboStyle style_ = ComboStyle::DropDownList;
  std::vector<std::string> items_;
  std::vector<GlyphKind> glyphs_;
  bool showGlyphs_ = false;
  int itemIndex_ = -1;
  int dropDownCount_ = 8;
};

}  // namespace w95::ui
