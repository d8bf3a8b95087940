#include "ui/file_list_box.h"

#include <algorithm>

namespace w95::ui {

XFileListBox::XFileListBox(Control& parent, std::string name) : ListBox(parent, std::move(name)) {
  SetStyle(ListStyle::OwnerDrawFixed);
  SetItemHeight(16);
  SetColumns(2);
  SetMultiSelect(true);
  SetTypeAheadFind(true);
  OnDrawItem = [this](Control&, int index, Canvas& canvas, const Rect& rect, unsigned state) {
    DrawEntry(index, canvas, rect, state);
  };
}

void XFileListBox::SetEntries(const std::vector<std::string>& texts,
                              const std::vector<bool>& folder) {
  Assign(texts, [&folder](size_t i) -> intptr_t {
    return i < folder.size() && folder[i] ? kFolderGlyph : kFileGlyph;
  });
}

void XFileListBox::ReplaceEntry(int index, const std::string& text) {
  if (index >= 0 && index < Count()) SetItemText(index, text);
}

std::vector<std::string> XFileListBox::Texts() const {
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) out.push_back(Item(i));
  return out;
}

void XFileListBox::DrawGlyph(Canvas& canvas, int x, int y, bool folder) {
  // A small sheet of paper for a file, a yellow folder for a folder.
  canvas.SetPenColor(clBlack);
  if (folder) {
    canvas.SetBrushColor(0x00C0FF);  // amber
    canvas.FillRect({x, y + 3, 14, 9});
    canvas.FillRect({x, y + 1, 6, 3});
    canvas.FrameRect({x, y + 3, 14, 9});
  } else {
    canvas.SetBrushColor(clWhite);
    canvas.FillRect({x + 2, y, 10, 12});
    canvas.FrameRect({x + 2, y, 10, 12});
  }
}

void XFileListBox::DrawEntry(int index, Canvas& canvas, const Rect& rect, unsigned state) {
  if (index < 0 || index >= Count()) return;
  canvas.SetBrushColor((state & odSelected) ? clHighlight : clWindow);
  canvas.FillRect(rect);
  DrawGlyph(canvas, rect.left + 3, rect.top + 2, IsFolder(index));
  Font f = GetFont();
  f.color = (state & odSelected) ? clHighlightText : clWindowText;
  canvas.SetFont(f);
  if (Header().empty()) {
    canvas.PutText(rect.left + 20, rect.top + 1, Item(index));
  } else {
    // The columns from the left; each text kept within its own column.
    int x = rect.left;
    for (size_t c = 0; c < Header().size(); ++c) {
      const HeaderColumn& col = Header()[c];
      const int width = c + 1 == Header().size() ? rect.left + rect.width - x : col.width;
      if (width <= 0) break;
      const Rect cell{x, rect.top, width, rect.height};
      if (c == 0) {
        canvas.PutTextRect({x + 20, rect.top, std::max(0, width - 22), rect.height}, x + 20,
                           rect.top + 1, Item(index));
      } else if (OnCellText) {
        const std::string text = OnCellText(index, static_cast<int>(c));
        const int tx = col.rightAligned ? x + width - 6 - canvas.TextWidth(text) : x + 6;
        canvas.PutTextRect({x + 2, cell.top, std::max(0, width - 4), cell.height}, tx, rect.top + 1,
                           text);
      }
      x += width;
    }
  }
  if (state & odFocused) canvas.DrawFocusRect(rect);
}

}  // namespace w95::ui
