// A list box: sorted or not, single or multiple selection, one or several
// columns, and owner-drawn entries (OnDrawItem draws each entry on a canvas,
// for example a glyph and the name). Items carry an integer of data each.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/type_ahead.h"

namespace w95::ui {

enum class ListStyle { Standard, OwnerDrawFixed };

using DrawItemEvent = std::function<void(Control& sender, int index, Canvas& canvas,
                                         const Rect& rect, unsigned state)>;
using ColumnEvent = std::function<void(Control& sender, int column)>;

// A column of a list shown with a header: its title and width in pixels.
struct HeaderColumn {
  std::string caption;
  int width = 0;
  bool rightAligned = false;
  bool operator==(const HeaderColumn&) const = default;
};

class ListBox : public Control {
 public:
  ListBox(Control& parent, std::string name);

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const;
  intptr_t ItemData(int index) const;
  // Adds an item (at its sorted place when Sorted); returns its index.
  int Add(std::string text, intptr_t data = 0);
  void Delete(int index);
  void Clear();
  // Replaces all items in one go (sorted when Sorted); data[i] goes with
  // texts[i] (0 where data is shorter).
  void Assign(const std::vector<std::string>& texts, const std::vector<intptr_t>& data = {});
  // The same, with the data of entry i given by dataOf(i).
  void Assign(const std::vector<std::string>& texts, const std::function<intptr_t(size_t)>& dataOf);
  // While the peers hear of the entries Assign set: the one run of entries
  // it replaced (from `at`, `removed` went and `added` came; the entries
  // before and after it are as they were), so that a backend may change
  // just that run. Null during any other change of the entries.
  struct Splice {
    int at = 0, removed = 0, added = 0;
  };
  const Splice* LastSplice() const { return splicing_ ? &splice_ : nullptr; }
  // Room for `count` entries ahead of their coming, for a list that will
  // soon take many: made ready a part at a time, one part a call, so that
  // the list later takes them without meeting memory never used before
  // (slow to touch, and all in one step). The entries are unchanged.
  void PrepareRoom(int count);
  // Replaces the text of one item; it keeps its place, data and selection.
  void SetItemText(int index, std::string text);
  // Finds an item by exact text; -1 when absent.
  int IndexOf(const std::string& text) const;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool on);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool on);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool on) { extendedSelect_ = on; }
  int Columns() const { return columns_; }  // 0: one column, else column width count
  void SetColumns(int n);
  ListStyle Style() const { return style_; }
  void SetStyle(ListStyle s);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int h);

  // Single selection: the selected item, -1 for none. With multiple
  // selection: the focused item.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  bool Selected(int index) const;
  void SetSelected(int index, bool on);
  // Multiple selection: selects exactly the items for which `select` is true,
  // in one change.
  void SelectWhere(const std::function<bool(int)>& select);
  int SelCount() const;
  // Letters typed while the list has the focus move to the first entry that
  // starts with them (see TypeAhead); off by default.
  bool TypeAheadFind() const { return typeAheadFind_; }
  void SetTypeAheadFind(bool on) { typeAheadFind_ = on; }
  // A header above the entries, one title per column: the list then shows
  // one entry per row (Columns() is left aside), drawn by OnDrawItem across
  // the columns. Empty (the default): no header.
  const std::vector<HeaderColumn>& Header() const { return header_; }
  void SetHeader(std::vector<HeaderColumn> columns);
  // The column whose title carries the sort mark, -1 for none; descending
  // turns the mark down.
  int SortColumn() const { return sortColumn_; }
  bool SortDescending() const { return sortDescending_; }
  void SetSortMark(int column, bool descending);
  // The first entry shown (as the user scrolled the list).
  int TopIndex() const;
  // The first entry the program last asked to show (SetTopIndex).
  int WantedTopIndex() const { return topIndex_; }
  void SetTopIndex(int index);
  bool CanFocus() const override { return true; }

  DrawItemEvent OnDrawItem;
  // A click on a column's title.
  ColumnEvent OnHeaderClick;

  // ---- Entry points for the user and the peers.
  // A click on an entry: with multiple selection, ctrl toggles it and shift
  // extends from the focused item; otherwise it selects just that one.
  void UserSelect(int index, unsigned shift = ssNone);
  // The native list changed its selection: the focused item and the state of
  // every item (for a single-selection list, only `focused` counts).
  void UserSelectionChanged(int focused, const std::vector<bool>& selected);
  // A character typed on the list: after OnKeyPress, type-ahead takes the
  // printable ones (the key is used up then, whether an entry fits or not).
  void UserKeyPress(char& key) override;
  void DrawItem(int index, Canvas& canvas, const Rect& rect, unsigned state);
  void UserHeaderClick(int column);
  // The user dragged the columns to these widths.
  void UserColumnWidths(const std::vector<int>& widths);

 private:
  struct Entry {
    std::string text;
    intptr_t data = 0;
    bool selected = false;
  };
  // The entries become `fresh`, the run that differs told to the peers.
  void Replace(std::vector<Entry> fresh);
  // The peers told of the run in splice_ that changed.
  void Spliced();
  std::vector<Entry> items_;
  // How far the room of items_ was made ready, and where it was then.
  size_t readyRoom_ = 0;
  uintptr_t readyAt_ = 0;
  Splice splice_;
  bool splicing_ = false;
  bool sorted_ = false;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  int columns_ = 0;
  ListStyle style_ = ListStyle::Standard;
  int itemHeight_ = 13;
  int itemIndex_ = -1;
  int topIndex_ = 0;
  bool typeAheadFind_ = false;
  std::vector<HeaderColumn> header_;
  int sortColumn_ = -1;
  bool sortDescending_ = false;
  TypeAhead typeAhead_;
};

}  // namespace w95::ui
