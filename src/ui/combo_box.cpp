#include "ui/combo_box.h"

namespace w95::ui {

ComboBox::ComboBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void ComboBox::SetStyle(ComboStyle s) {
  style_ = s;
  Changed(Prop::Style);
}

void ComboBox::SetItems(std::vector<std::string> items) { SetItems(std::move(items), {}); }

void ComboBox::SetItems(std::vector<std::string> items, std::vector<GlyphKind> glyphs) {
  items_ = std::move(items);
  glyphs_ = std::move(glyphs);
  glyphs_.resize(items_.size(), GlyphKind::None);
  itemIndex_ = -1;
  Changed(Prop::Items);
}

GlyphKind ComboBox::ItemGlyph(int index) const {
  return index >= 0 && index < static_cast<int>(glyphs_.size())
             ? glyphs_[static_cast<size_t>(index)]
             : GlyphKind::None;
}

void ComboBox::SetShowGlyphs(bool on) {
  showGlyphs_ = on;
  Changed(Prop::Style);
}

void ComboBox::DrawItem(int index, Canvas& canvas, const Rect& rect, unsigned state) {
  const bool selected = (state & odSelected) != 0;
  canvas.SetBrushColor(selected ? clHighlight : GetColor());
  canvas.FillRect(rect);
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  const GlyphKind glyph = ItemGlyph(index);
  if (glyph != GlyphKind::None)
    canvas.DrawGlyph(rect.left + 2, rect.top + (rect.height - kGlyphSize) / 2, glyph,
                     (state & odDisabled) == 0);
  Font f = GetFont();
  f.color = selected ? clHighlightText : (state & odDisabled) ? clGrayText : clWindowText;
  canvas.SetFont(f);
  const std::string& text = items_[static_cast<size_t>(index)];
  canvas.PutText(rect.left + kGlyphSize + 4, rect.top + (rect.height - canvas.TextHeight(text)) / 2,
                 text);
}

void ComboBox::AddItem(std::string item) {
  items_.push_back(std::move(item));
  glyphs_.push_back(GlyphKind::None);
  Changed(Prop::Items);
}

void ComboBox::Clear() { SetItems({}); }

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  itemIndex_ = index;
  Changed(Prop::ItemIndex);
  // The shown text follows the choice; SetText on the base does not fire
  // OnChange for a combo box.
  SetText(index >= 0 ? items_[static_cast<size_t>(index)] : std::string());
}

void ComboBox::UserSelected(int index) {
  Guard([&] {
    SetItemIndex(index);
    Fire(OnChange);
  });
}

void ComboBox::UserDroppedDown() {
  Guard([&] { Fire(OnDropDown); });
}

void ComboBox::UserEdited(std::string text) {
  Guard([&] {
    SetText(std::move(text));
    itemIndex_ = -1;
    for (size_t i = 0; i < items_.size(); ++i)
      if (items_[i] == Text()) itemIndex_ = static_cast<int>(i);
    Fire(OnChange);
  });
}

}  // namespace w95::ui
