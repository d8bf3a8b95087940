// The editor's undo and redo: every change to the grid's cells and rows is
// kept as it happens (the change, not a copy of the script), and the changes
// of one user action make one step that is taken back or done again whole.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/string_grid.h"

namespace w95::editor {

class UndoHistory final : public ui::GridChanges {
 public:
  // Steps kept at most; the oldest go first.
  static constexpr size_t kDefaultDepth = 100;

  explicit UndoHistory(ui::StringGrid& grid, size_t depth = kDefaultDepth);
  ~UndoHistory() override;
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // Changes made while paused are not kept (loading, tags).
  class Pause {
   public:
    explicit Pause(UndoHistory& history) : history_(history), was_(history.recording_) {
      history_.recording_ = false;
    }
    ~Pause() { history_.recording_ = was_; }
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;

   private:
    UndoHistory& history_;
    bool was_;
  };

  // Ends the step of the action that made the changes since the last one;
  // false when there were none. A new step drops what could be redone.
  bool Commit();
  // Forgets every step (a script was loaded or started anew); the grid as
  // it is counts as the file's unless it does not match it.
  void Reset(bool matchesFile = true);
  // The grid as it is now is the one in the file.
  void MarkSaved();
  // The grid is the one in the file again after undo or redo.
  bool AtSaved() const { return saved_ == static_cast<long>(done_); }

  bool CanUndo() const { return done_ > 0 || !pending_.ops.empty(); }
  bool CanRedo() const { return done_ < steps_.size() && pending_.ops.empty(); }
  // Takes back the last step (after ending a step still open); false when
  // there is none. The current row goes where it was before the step.
  bool Undo();
  // Does the step taken back last again; the current row goes where it was
  // after it.
  bool Redo();

  // A file moved along with the step's changes to the grid: taking the
  // step back moves it back, doing it again moves it again.
  using FileMover = std::function<bool(const std::string& from, const std::string& to)>;
  void SetFileMover(FileMover mover) { mover_ = std::move(mover); }
  void FileMoved(const std::string& from, const std::string& to);

  size_t StepCount() const { return steps_.size(); }
  // What the kept steps hold, in changes (a cell or a row each).
  size_t ChangeCount() const;

  // ui::GridChanges
  void CellChanged(int col, int row, const std::string& before) override;
  void RowsInserted(int at, int count) override;
  void RowDeleted(int row, std::vector<std::string>&& cells) override;
  void RowMoved(int from, int to) override;

 private:
  struct Change {
    enum class Kind { Cell, Insert, Delete, Move, File } kind;
    int a = 0;                       // Cell: row; Insert: at; Delete: row; Move: from
    int b = 0;                       // Cell: column; Insert: count; Move: to
    std::string before, after;       // Cell; File: from, to
    std::vector<std::string> cells;  // Delete
  };
  struct Step {
    std::vector<Change> ops;
    int rowBefore = 1;
    int rowAfter = 1;
  };

  Change& Add(Change::Kind kind, int a, int b);
  void Apply(const Change& c, bool forward);
  void SelectRow(int row);

  ui::StringGrid& grid_;
  size_t depth_;
  std::deque<Step> steps_;
  size_t done_ = 0;  // steps_[0, done_) are done; the rest can be redone
  long saved_ = 0;   // done_ when the grid was last the file's; -1 when no step is
  Step pending_;
  FileMover mover_;
  bool recording_ = true;
};

}  // namespace w95::editor
