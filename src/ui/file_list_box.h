// The explorer's file list: an owner-drawn list box whose entries carry a
// glyph (a file or a folder picture), laid out in columns, with multiple
// selection. The explorer fills it in the order it wants (it sorts the
// entries itself); an entry can be replaced in place without moving. With a
// header (SetHeader) it is a details view: one entry per row, the name in the
// first column and what OnCellText gives in the others.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/list_box.h"

namespace w95::ui {

class XFileListBox : public ListBox {
 public:
  enum Glyph : intptr_t { kFileGlyph = 0, kFolderGlyph = 1 };

  XFileListBox(Control& parent, std::string name);

  // Replaces the whole list with `texts` in this order; `folder[i]` chooses
  // the glyph of entry i.
  void SetEntries(const std::vector<std::string>& texts, const std::vector<bool>& folder);
  // Replaces the text of entry i; it keeps its place and its glyph.
  void ReplaceEntry(int index, const std::string& text);
  bool IsFolder(int index) const { return ItemData(index) == kFolderGlyph; }
  std::vector<std::string> Texts() const;

  // The text of a column other than the name (column >= 1) for an entry,
  // asked only for the rows being drawn.
  std::function<std::string(int index, int column)> OnCellText;

 private:
  static void DrawGlyph(Canvas& canvas, int x, int y, bool folder);
  void DrawEntry(int index, Canvas& canvas, const Rect& rect, unsigned state);
};

}  // namespace w95::ui
