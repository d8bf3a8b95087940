#include "ui/list_box.h"

#include "ui/peer.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace w95::ui {

namespace {
// Windows sorts list boxes without regard to case.
bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}
}  // namespace

ListBox::ListBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
}

const std::string& ListBox::Item(int index) const {
  return items_.at(static_cast<size_t>(index)).text;
}

intptr_t ListBox::ItemData(int index) const { return items_.at(static_cast<size_t>(index)).data; }

int ListBox::Add(std::string text, intptr_t data) {
  size_t at = items_.size();
  if (sorted_)
    at = static_cast<size_t>(std::upper_bound(items_.begin(), items_.end(), text,
                                              [](const std::string& t, const Entry& e) {
                                                return LessNoCase(t, e.text);
                                              }) -
                             items_.begin());
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at),
                Entry{std::move(text), data, false});
  if (itemIndex_ >= static_cast<int>(at)) ++itemIndex_;
  Changed(Prop::Items);
  return static_cast<int>(at);
}

void ListBox::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index out of range");
  items_.erase(items_.begin() + index);
  if (itemIndex_ == index)
    itemIndex_ = -1;
  else if (itemIndex_ > index)
    --itemIndex_;
  Changed(Prop::Items);
}

void ListBox::Clear() {
  items_.clear();
  itemIndex_ = -1;
  topIndex_ = 0;
  Changed(Prop::Items);
}

void ListBox::Assign(const std::vector<std::string>& texts, const std::vector<intptr_t>& data) {
  Assign(texts, [&data](size_t i) { return i < data.size() ? data[i] : 0; });
}

void ListBox::Assign(const std::vector<std::string>& texts,
                     const std::function<intptr_t(size_t)>& dataOf) {
  if (sorted_) {
    std::vector<Entry> fresh;
    fresh.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) fresh.push_back(Entry{texts[i], dataOf(i), false});
    std::stable_sort(fresh.begin(), fresh.end(),
                     [](const Entry& a, const Entry& b) { return LessNoCase(a.text, b.text); });
    Replace(std::move(fresh));
    return;
  }
  // The run that differs: what the old and the new list share at both ends
  // stays out of it, and keeps its entries (a long list that grew at its
  // end is not copied again).
  auto same = [&](size_t old, size_t i) {
    return items_[old].text == texts[i] && items_[old].data == dataOf(i);
  };
  const size_t shorter = std::min(items_.size(), texts.size());
  size_t head = 0;
  while (head < shorter && same(head, head)) ++head;
  size_t tail = 0;
  while (tail < shorter - head && same(items_.size() - 1 - tail, texts.size() - 1 - tail)) ++tail;
  const size_t removed = items_.size() - head - tail, added = texts.size() - head - tail;
  const auto at = items_.begin() + static_cast<std::ptrdiff_t>(head);
  const size_t over = std::min(removed, added);
  for (size_t k = 0; k < over; ++k) {
    at[static_cast<std::ptrdiff_t>(k)].text = texts[head + k];
    at[static_cast<std::ptrdiff_t>(k)].data = dataOf(head + k);
  }
  if (removed > added) {
    items_.erase(at + static_cast<std::ptrdiff_t>(over), at + static_cast<std::ptrdiff_t>(removed));
  } else if (added > removed) {
    // Filled where they stand: a long run is not built aside first.
    items_.insert(at + static_cast<std::ptrdiff_t>(over), added - over, Entry{});
    for (size_t i = head + over; i < head + added; ++i) {
      items_[i].text = texts[i];
      items_[i].data = dataOf(i);
    }
  }
  for (Entry& e : items_) e.selected = false;
  splice_ = {static_cast<int>(head), static_cast<int>(removed), static_cast<int>(added)};
  Spliced();
}

void ListBox::PrepareRoom(int count) {
  if (count <= 0) return;
  const auto want = static_cast<size_t>(count);
  if (items_.capacity() < want) items_.reserve(std::max(want, items_.capacity() * 2));
  const auto at = reinterpret_cast<uintptr_t>(items_.data());
  if (at != readyAt_) {
    readyAt_ = at;
    readyRoom_ = 0;
  }
  const size_t size = items_.size();
  if (std::max(readyRoom_, size) >= want) return;
  // Entries made past the end and taken away again leave their memory used.
  constexpr size_t kPart = 8192;
  readyRoom_ = std::min(want, std::max(readyRoom_, size) + kPart);
  items_.resize(readyRoom_);
  items_.resize(size);
}

void ListBox::Replace(std::vector<Entry> fresh) {
  auto same = [](const Entry& a, const Entry& b) { return a.text == b.text && a.data == b.data; };
  const size_t shorter = std::min(items_.size(), fresh.size());
  size_t head = 0;
  while (head < shorter && same(items_[head], fresh[head])) ++head;
  size_t tail = 0;
  while (tail < shorter - head &&
         same(items_[items_.size() - 1 - tail], fresh[fresh.size() - 1 - tail]))
    ++tail;
  splice_ = {static_cast<int>(head), static_cast<int>(items_.size() - head - tail),
             static_cast<int>(fresh.size() - head - tail)};
  items_ = std::move(fresh);
  Spliced();
}

void ListBox::Spliced() {
  itemIndex_ = -1;
  topIndex_ = 0;
  splicing_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{splicing_};
  Changed(Prop::Items);
}

void ListBox::SetItemText(int index, std::string text) {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index out of range");
  items_[static_cast<size_t>(index)].text = std::move(text);
  Changed(Prop::Items);
}

int ListBox::IndexOf(const std::string& text) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].text == text) return static_cast<int>(i);
  return -1;
}

void ListBox::SetSorted(bool on) {
  sorted_ = on;
  if (on)
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Entry& a, const Entry& b) { return LessNoCase(a.text, b.text); });
  Changed(Prop::Items);
}

void ListBox::SetMultiSelect(bool on) {
  multiSelect_ = on;
  Changed(Prop::Style);
}

void ListBox::SetColumns(int n) {
  if (n == columns_) return;
  columns_ = n;
  Changed(Prop::Style);
}

void ListBox::SetStyle(ListStyle s) {
  style_ = s;
  Changed(Prop::Style);
}

void ListBox::SetItemHeight(int h) {
  itemHeight_ = h;
  Changed(Prop::Style);
}

void ListBox::SetHeader(std::vector<HeaderColumn> columns) {
  if (columns == header_) return;
  const bool shape = columns.size() != header_.size();
  header_ = std::move(columns);
  // Titles and widths are redrawn; a header coming or going changes the list.
  Changed(shape ? Prop::Style : Prop::Cells);
}

void ListBox::SetSortMark(int column, bool descending) {
  if (column == sortColumn_ && descending == sortDescending_) return;
  sortColumn_ = column;
  sortDescending_ = descending;
  Changed(Prop::Cells);
}

void ListBox::UserHeaderClick(int column) {
  if (column < 0 || column >= static_cast<int>(header_.size())) return;
  Guard([&] {
    if (OnHeaderClick) OnHeaderClick(*this, column);
  });
}

void ListBox::UserColumnWidths(const std::vector<int>& widths) {
  for (size_t i = 0; i < widths.size() && i < header_.size(); ++i) header_[i].width = widths[i];
}

void ListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  if (!multiSelect_)
    for (size_t i = 0; i < items_.size(); ++i) items_[i].selected = static_cast<int>(i) == index;
  Changed(Prop::ItemIndex);
}

bool ListBox::Selected(int index) const { return items_.at(static_cast<size_t>(index)).selected; }

void ListBox::SetSelected(int index, bool on) {
  if (!multiSelect_) {
    SetItemIndex(on ? index : (itemIndex_ == index ? -1 : itemIndex_));
    return;
  }
  items_.at(static_cast<size_t>(index)).selected = on;
  Changed(Prop::Selection);
}

void ListBox::SelectWhere(const std::function<bool(int)>& select) {
  if (!multiSelect_) throw std::logic_error("SelectWhere needs a multiple-selection list");
  for (size_t i = 0; i < items_.size(); ++i) items_[i].selected = select(static_cast<int>(i));
  Changed(Prop::Selection);
}

int ListBox::SelCount() const {
  if (!multiSelect_) return -1;  // as Windows reports (LB_ERR)
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const Entry& e) { return e.selected; }));
}

int ListBox::TopIndex() const {
  const int shown = GetPeer() ? GetPeer()->ScrollPlace() : -1;
  return shown >= 0 && shown < Count() ? shown : topIndex_;
}

void ListBox::SetTopIndex(int index) {
  topIndex_ = std::clamp(index, 0, std::max(Count() - 1, 0));
  Changed(Prop::TopIndex);
}

void ListBox::UserSelect(int index, unsigned shift) {
  if (index < 0 || index >= Count()) return;
  Guard([&] {
    if (multiSelect_ && (shift & ssCtrl)) {
      items_[static_cast<size_t>(index)].selected = !items_[static_cast<size_t>(index)].selected;
    } else if (multiSelect_ && (shift & ssShift) && itemIndex_ >= 0) {
      const int lo = std::min(itemIndex_, index), hi = std::max(itemIndex_, index);
      for (int i = 0; i < Count(); ++i)
        items_[static_cast<size_t>(i)].selected = i >= lo && i <= hi;
    } else {
      for (int i = 0; i < Count(); ++i) items_[static_cast<size_t>(i)].selected = i == index;
    }
    itemIndex_ = index;
    Changed(Prop::Selection);
    Changed(Prop::ItemIndex);
    Fire(OnClick);
  });
}

void ListBox::UserSelectionChanged(int focused, const std::vector<bool>& selected) {
  // The window can still show entries the list no longer holds (new ones
  // are on their way to it): a choice among those is no choice.
  if (focused < -1 || focused >= Count()) return;
  Guard([&] {
    for (size_t i = 0; i < items_.size(); ++i)
      items_[i].selected =
          multiSelect_ ? (i < selected.size() && selected[i]) : static_cast<int>(i) == focused;
    itemIndex_ = focused;
    Fire(OnClick);
  });
}

void ListBox::UserKeyPress(char& key) {
  Control::UserKeyPress(key);
  if (!typeAheadFind_ || static_cast<unsigned char>(key) < 0x20 || key == 0x7F) return;
  const uint32_t now = CurrentBackend().KeyTime();
  // A space belongs to a search under way; alone it is the list's own key.
  if (key == ' ' && !typeAhead_.Running(now)) return;
  const int to = typeAhead_.Next(
      key, now, Count(), [this](int i) -> const std::string& { return Item(i); }, itemIndex_);
  key = 0;
  if (to >= 0) UserSelect(to);
}

void ListBox::DrawItem(int index, Canvas& canvas, const Rect& rect, unsigned state) {
  if (OnDrawItem) {
    OnDrawItem(*this, index, canvas, rect, state);
    return;
  }
  canvas.SetBrushColor((state & odSelected) ? clHighlight : clWindow);
  canvas.FillRect(rect);
  canvas.PutText(rect.left + 2, rect.top, Item(index));
}

}  // namespace w95::ui
