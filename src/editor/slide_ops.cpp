#include "editor/slide_ops.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace w95::editor {

namespace {

using ui::StringGrid;

bool IsMarker(const StringGrid& grid, int col, int row) {
  return grid.Cell(col, row) == kNotApplicable;
}

// Writes `value` into `col` of every slide of `rows` (null: every slide)
// that passes `wanted` and whose cell there is not the marker.
template <class Wanted>
int ModifyWhere(StringGrid& grid, const std::vector<int>* rows, int col, const std::string& value,
                Wanted wanted) {
  int changed = 0;
  auto one = [&](int r) {
    if (r < 1 || r >= grid.RowCount() || IsMarker(grid, col, r) || !wanted(r)) return;
    grid.SetCell(col, r, value);
    ++changed;
  };
  if (rows) {
    for (int r : *rows) one(r);
  } else {
    for (int r = 1; r < grid.RowCount(); ++r) one(r);
  }
  return changed;
}

// Slides of the kinds whose column 6 is a loop count (by the display name).
bool Loops(const StringGrid& grid, int row) { return HasLoopCount(grid.Cell(kColName, row)); }

// Column 2 goes with column 6: only where the slide has an effect or loop cell.
bool HasEffectCell(const StringGrid& grid, int col, int row) {
  return col != kColValue || !IsMarker(grid, kColEffect, row);
}

}  // namespace

int SlideCount(const StringGrid& grid) { return grid.RowCount() - 1; }

void GridInsert(StringGrid& grid, int row, int count) { grid.InsertRows(row, count); }

bool EraseSlide(StringGrid& grid, int row) {
  if (grid.RowCount() <= 2) {
    SetUpClear(grid);
    return true;
  }
  grid.DeleteRow(row);
  if (grid.Row() >= grid.RowCount()) grid.SetRow(grid.RowCount() - 1);
  RenumberFrom(grid, row);
  return false;
}

int GridxMove(StringGrid& grid, int from, int to) {
  if (from == to) return to;
  if (std::abs(from - to) == 1) {
    for (int c = kColPath; c < kColumnCount; ++c) {
      std::string a = grid.Cell(c, from);
      grid.SetCell(c, from, grid.Cell(c, to));
      grid.SetCell(c, to, std::move(a));
    }
    return to;
  }
  // Moving down it lands before the target, except that the last number
  // puts it last.
  const int landing = to < from || to == grid.RowCount() - 1 ? to : to - 1;
  grid.MoveRow(from, landing);
  RenumberFrom(grid, std::min(from, landing));
  return landing;
}

bool EraseSlides(StringGrid& grid, const std::vector<int>& rows) {
  if (rows.empty()) return false;
  if (static_cast<int>(rows.size()) >= SlideCount(grid)) {
    SetUpClear(grid);
    grid.SetRow(1);
    return true;
  }
  for (auto r = rows.rbegin(); r != rows.rend(); ++r) grid.DeleteRow(*r);
  RenumberFrom(grid, rows.front());
  grid.SetRow(std::min(rows.front(), grid.RowCount() - 1));
  return false;
}

int MoveSlides(StringGrid& grid, const std::vector<int>& rows, int to) {
  const int n = static_cast<int>(rows.size());
  to = std::clamp(to, 1, std::max(1, SlideCount(grid) - n + 1));
  // Slide i goes to to + i. The slides going up go first, top one first,
  // then the slides going down, bottom one first: no move then shifts a
  // slide still to go or one in its place, so each moves once from the
  // row it held.
  for (int i = 0; i < n; ++i)
    if (rows[static_cast<size_t>(i)] > to + i) grid.MoveRow(rows[static_cast<size_t>(i)], to + i);
  for (int i = n - 1; i >= 0; --i)
    if (rows[static_cast<size_t>(i)] < to + i) grid.MoveRow(rows[static_cast<size_t>(i)], to + i);
  RenumberFrom(grid, std::min(rows.front(), to));
  return to;
}

int DuplicateSlides(StringGrid& grid, const std::vector<int>& rows) {
  const int n = static_cast<int>(rows.size());
  const int at = rows.back() + 1;
  grid.InsertRows(at, n);
  for (int i = 0; i < n; ++i) {
    const int from = rows[static_cast<size_t>(i)], copy = at + i;
    for (int c = kColPath; c < kColumnCount; ++c) grid.SetCell(c, copy, grid.Cell(c, from));
    // A copy has no thumbnail of its own yet and is not tagged.
    if (grid.Cell(kColThumb, copy) != kNoThumb) grid.SetCell(kColThumb, copy, "");
    if (!IsMarker(grid, kColTag, copy)) grid.SetCell(kColTag, copy, "");
  }
  RenumberFrom(grid, at);
  return at;
}

void RenumberFrom(StringGrid& grid, int first) {
  for (int r = std::max(first, 1); r < grid.RowCount(); ++r)
    grid.SetCell(kColNumber, r, std::to_string(r));
}

int ModifyRows(StringGrid& grid, const std::vector<int>* rows, int col, const std::string& value) {
  return ModifyWhere(grid, rows, col, value, [](int) { return true; });
}

int ModifyRowsPOS(StringGrid& grid, const std::vector<int>* rows, int col,
                  const std::string& value) {
  const int changed = ModifyRows(grid, rows, col, value);
  if (value == kMid) {
    const int other = col == kColHorz ? kColVert : kColHorz;
    ModifyWhere(grid, rows, other, value, [&](int r) { return grid.Cell(col, r) == kMid; });
  }
  return changed;
}

int ModifyRowsFX(StringGrid& grid, const std::vector<int>* rows, int col,
                 const std::string& value) {
  return ModifyWhere(grid, rows, col, value,
                     [&](int r) { return !Loops(grid, r) && HasEffectCell(grid, col, r); });
}

int ModifyRowsLOOP(StringGrid& grid, const std::vector<int>* rows, int col,
                   const std::string& value) {
  return ModifyWhere(grid, rows, col, value,
                     [&](int r) { return Loops(grid, r) && HasEffectCell(grid, col, r); });
}

int GlobalModify(StringGrid& grid, int col, const std::string& value) {
  return ModifyRows(grid, nullptr, col, value);
}

int GlobalModifyPOS(StringGrid& grid, int col, const std::string& value) {
  return ModifyRowsPOS(grid, nullptr, col, value);
}

int GlobalModifyFX(StringGrid& grid, int col, const std::string& value) {
  return ModifyRowsFX(grid, nullptr, col, value);
}

int GlobalModifyLOOP(StringGrid& grid, int col, const std::string& value) {
  return ModifyRowsLOOP(grid, nullptr, col, value);
}

std::string SlidePathText(const StringGrid& grid, int row,
                          const std::function<std::string(const std::string&)>& longPath) {
  const std::string& path = grid.Cell(kColPath, row);
  if (!path.empty() && path != kNotApplicable) return longPath(path);
  const std::string& value = grid.Cell(kColValue, row);
  if (value != "0") return std::string(kCdTrackPrefix) + value;
  return longPath(path);
}

std::string FitPathCaption(const std::string& caption, int maxWidth,
                           const std::function<int(const std::string&)>& widthOf) {
  std::string text = caption;
  bool cut = false;
  while (!text.empty() && widthOf(text) > maxWidth) {
    text.erase(0, std::min<size_t>(2, text.size()));
    cut = true;
  }
  return cut ? "..." + text : text;
}

std::string CutText(const std::string& text, size_t max, std::string_view tail) {
  if (text.size() <= max) return text;
  return text.substr(0, max) + std::string(tail);
}

std::array<int, kColumnCount> ColumnWidths(int windowWidth, int gridWidth, int thumbWidth) {
  const double u = windowWidth / 634.0;
  auto units = [u](int n) { return static_cast<int>(std::lround(n * u)); };
  std::array<int, kColumnCount> w{};
  w[kColNumber] = units(35);
  w[kColPath] = w[kColValue] = w[kColColour] = w[kColThumb] = 1;
  w[kColName] = 1;
  w[kColHasColour] = units(30);
  w[kColEffect] = units(100);
  w[kColWait] = units(45);
  w[kColHorz] = w[kColVert] = units(35);
  w[kColGamma] = units(45);
  w[kColZoom] = w[kColVolume] = w[kColSpeed] = units(35);
  w[kColTag] = units(30);
  int sum = 0;
  for (int x : w) sum += x;
  w[kColName] = std::max(1, gridWidth - sum - thumbWidth - 14);
  return w;
}

int FittedWindowHeight(int screenHeight, int gridHeight) {
  return screenHeight + 4 - gridHeight % 80;
}

}  // namespace w95::editor
