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

// Writes `value` into `col` of every slide that passes `wanted` and whose
// cell there is not the marker.
template <class Wanted>
int ModifyWhere(StringGrid& grid, int col, const std::string& value, Wanted wanted) {
  int changed = 0;
  for (int r = 1; r < grid.RowCount(); ++r) {
    if (IsMarker(grid, col, r) || !wanted(r)) continue;
    grid.SetCell(col, r, value);
    ++changed;
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

void RenumberFrom(StringGrid& grid, int first) {
  for (int r = std::max(first, 1); r < grid.RowCount(); ++r)
    grid.SetCell(kColNumber, r, std::to_string(r));
}

int GlobalModify(StringGrid& grid, int col, const std::string& value) {
  return ModifyWhere(grid, col, value, [](int) { return true; });
}

int GlobalModifyPOS(StringGrid& grid, int col, const std::string& value) {
  const int changed = GlobalModify(grid, col, value);
  if (value == kMid) {
    const int other = col == kColHorz ? kColVert : kColHorz;
    for (int r = 1; r < grid.RowCount(); ++r)
      if (grid.Cell(col, r) == kMid && !IsMarker(grid, other, r)) grid.SetCell(other, r, value);
  }
  return changed;
}

int GlobalModifyFX(StringGrid& grid, int col, const std::string& value) {
  return ModifyWhere(grid, col, value,
                     [&](int r) { return !Loops(grid, r) && HasEffectCell(grid, col, r); });
}

int GlobalModifyLOOP(StringGrid& grid, int col, const std::string& value) {
  return ModifyWhere(grid, col, value,
                     [&](int r) { return Loops(grid, r) && HasEffectCell(grid, col, r); });
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
