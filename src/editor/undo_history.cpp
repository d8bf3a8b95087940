#include "editor/undo_history.h"

#include <algorithm>
#include <utility>

namespace w95::editor {

UndoHistory::UndoHistory(ui::StringGrid& grid, size_t depth)
    : grid_(grid), depth_(std::max<size_t>(depth, 1)) {
  grid_.SetChangeObserver(this);
}

UndoHistory::~UndoHistory() {
  if (grid_.ChangeObserver() == this) grid_.SetChangeObserver(nullptr);
}

UndoHistory::Change& UndoHistory::Add(Change::Kind kind, int a, int b) {
  if (pending_.ops.empty()) pending_.rowBefore = grid_.Row();
  Change& c = pending_.ops.emplace_back();
  c.kind = kind;
  c.a = a;
  c.b = b;
  return c;
}

void UndoHistory::CellChanged(int col, int row, const std::string& before) {
  if (!recording_) return;
  Change& c = Add(Change::Kind::Cell, row, col);
  c.before = before;
  c.after = grid_.Cell(col, row);
}

void UndoHistory::RowsInserted(int at, int count) {
  if (recording_) Add(Change::Kind::Insert, at, count);
}

void UndoHistory::RowDeleted(int row, std::vector<std::string>&& cells) {
  if (recording_) Add(Change::Kind::Delete, row, 0).cells = std::move(cells);
}

void UndoHistory::RowMoved(int from, int to) {
  if (recording_) Add(Change::Kind::Move, from, to);
}

void UndoHistory::FileMoved(const std::string& from, const std::string& to) {
  if (!recording_) return;
  Change& c = Add(Change::Kind::File, 0, 0);
  c.before = from;
  c.after = to;
}

bool UndoHistory::Commit() {
  if (pending_.ops.empty()) return false;
  pending_.rowAfter = grid_.Row();
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  // The saved grid could only be reached by redoing what is now dropped.
  if (saved_ > static_cast<long>(done_)) saved_ = -1;
  steps_.push_back(std::move(pending_));
  pending_ = Step{};
  ++done_;
  while (steps_.size() > depth_) {
    steps_.pop_front();
    --done_;
    saved_ = saved_ > 0 ? saved_ - 1 : -1;
  }
  return true;
}

void UndoHistory::Reset(bool matchesFile) {
  steps_.clear();
  pending_ = Step{};
  done_ = 0;
  saved_ = matchesFile ? 0 : -1;
}

void UndoHistory::MarkSaved() {
  Commit();
  saved_ = static_cast<long>(done_);
}

size_t UndoHistory::ChangeCount() const {
  size_t n = 0;
  for (const Step& s : steps_) n += s.ops.size();
  return n;
}

void UndoHistory::Apply(const Change& c, bool forward) {
  switch (c.kind) {
    case Change::Kind::Cell:
      grid_.SetCell(c.b, c.a, forward ? c.after : c.before);
      break;
    case Change::Kind::Insert:
      if (forward) {
        grid_.InsertRows(c.a, c.b);
      } else {
        for (int i = 0; i < c.b; ++i) grid_.DeleteRow(c.a);
      }
      break;
    case Change::Kind::Delete:
      if (forward) {
        grid_.DeleteRow(c.a);
      } else {
        grid_.InsertRows(c.a, 1);
        for (size_t col = 0; col < c.cells.size(); ++col)
          grid_.SetCell(static_cast<int>(col), c.a, c.cells[col]);
      }
      break;
    case Change::Kind::Move:
      if (forward)
        grid_.MoveRow(c.a, c.b);
      else
        grid_.MoveRow(c.b, c.a);
      break;
    case Change::Kind::File:
      if (mover_) {
        if (forward)
          mover_(c.before, c.after);
        else
          mover_(c.after, c.before);
      }
      break;
  }
}

void UndoHistory::SelectRow(int row) {
  grid_.SetRow(std::clamp(row, 1, std::max(1, grid_.RowCount() - 1)));
}

bool UndoHistory::Undo() {
  Commit();
  if (done_ == 0) return false;
  const Pause pause(*this);
  const Step& step = steps_[done_ - 1];
  for (auto it = step.ops.rbegin(); it != step.ops.rend(); ++it) Apply(*it, false);
  --done_;
  SelectRow(step.rowBefore);
  return true;
}

bool UndoHistory::Redo() {
  if (!pending_.ops.empty() || done_ >= steps_.size()) return false;
  const Pause pause(*this);
  const Step& step = steps_[done_];
  for (const Change& c : step.ops) Apply(c, true);
  ++done_;
  SelectRow(step.rowAfter);
  return true;
}

}  // namespace w95::editor
