// Operations on the slides in the editor's grid that need no window: moving,
// inserting and erasing rows, writing one value into a column of every slide,
// and the texts and sizes the window shows.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/script_model.h"
#include "ui/string_grid.h"

namespace w95::editor {

int SlideCount(const ui::StringGrid& grid);  // row count less the heading row

// `count` empty rows at `row`; the rows from there on move down.
void GridInsert(ui::StringGrid& grid, int row, int count);

// Takes slide `row` out of the script; the current row stays, or moves to
// the new last slide. With one slide left the script becomes the empty one
// and the result is true.
bool EraseSlide(ui::StringGrid& grid, int row);

// Moves slide `from` to number `to`: neighbours swap their columns 1 to 15;
// otherwise the slide lands before the slide that held number `to` (at `to`
// when moving up, at `to` - 1 when moving down), and the last number puts it
// last. Numbers are renewed.
// Returns the row the slide now holds.
int GridxMove(ui::StringGrid& grid, int from, int to);

// ---- several slides at once: `rows` are slide rows, top to bottom.

// Takes the slides out; the slide after the first of them becomes the
// current one. With every slide taken out the script becomes the empty one
// and the result is true.
bool EraseSlides(ui::StringGrid& grid, const std::vector<int>& rows);
// Gathers the slides, in their order, into a block whose first slide gets
// number `to` (at most the slide count less the block's size, plus one).
// Numbers are renewed. Returns the block's first row.
int MoveSlides(ui::StringGrid& grid, const std::vector<int>& rows, int to);
// Copies of the slides with their settings, in their order, below the last
// of them; a copy has no thumbnail and no tag. Returns the first copy's row.
int DuplicateSlides(ui::StringGrid& grid, const std::vector<int>& rows);

// Column 0 of the rows from `first` on = the row number.
void RenumberFrom(ui::StringGrid& grid, int first);

// ---- global modification: a value into one column of every slide whose cell
// there is not the not-applicable marker. Each returns the number of slides
// changed.

int GlobalModify(ui::StringGrid& grid, int col, const std::string& value);
// As GlobalModify; where "Mid" is written, both position columns get it.
int GlobalModifyPOS(ui::StringGrid& grid, int col, const std::string& value);
// Effects: only slides whose display name's extension is not in the loop
// list. Column 2 is written only where the slide has an effect cell (column 6
// not the marker): the same column holds the track of a CD-track slide and
// the value of an audio slide, which an effect must not replace.
int GlobalModifyFX(ui::StringGrid& grid, int col, const std::string& value);
// Loop counts: only slides whose display name's extension is in the loop
// list; column 2 as for effects.
int GlobalModifyLOOP(ui::StringGrid& grid, int col, const std::string& value);
// The same on the slides of `rows` alone (null: every slide).
int ModifyRows(ui::StringGrid& grid, const std::vector<int>* rows, int col,
               const std::string& value);
int ModifyRowsPOS(ui::StringGrid& grid, const std::vector<int>* rows, int col,
                  const std::string& value);
int ModifyRowsFX(ui::StringGrid& grid, const std::vector<int>* rows, int col,
                 const std::string& value);
int ModifyRowsLOOP(ui::StringGrid& grid, const std::vector<int>* rows, int col,
                   const std::string& value);

// ---- what the window shows of the current slide

// The path line: the long form of the slide's file, "CD Track: n" for a CD
// track. `longPath` gives the long form of a short path.
std::string SlidePathText(const ui::StringGrid& grid, int row,
                          const std::function<std::string(const std::string&)>& longPath);

// " path [row of n]" cut from the front, two characters at a time, until it
// is at most `maxWidth` wide; "..." goes in front of a cut text.
std::string FitPathCaption(const std::string& caption, int maxWidth,
                           const std::function<int(const std::string&)>& widthOf);

// "text" cut to `max` characters with `tail` after it when longer.
std::string CutText(const std::string& text, size_t max, std::string_view tail);

// The 16 column widths for a window `windowWidth` wide whose grid is
// `gridWidth` wide: the unit is windowWidth / 634; column 4 takes the rest.
std::array<int, kColumnCount> ColumnWidths(int windowWidth, int gridWidth, int thumbWidth);

// The window height that leaves the grid whole thumbnail rows (80 pixels)
// high, for a window as high as the screen whose grid is `gridHeight` high.
int FittedWindowHeight(int screenHeight, int gridHeight);

}  // namespace w95::editor
