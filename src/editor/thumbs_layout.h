// Geometry of the thumbnail page: cells of 74 x 80 pixels from (2, 2), each
// with a 68-pixel frame, a 64 x 64 picture box, the "No Preview" text and
// the slide's name below.
#pragma once

#include <string>
#include <string_view>

#include "ui/types.h"

namespace w95::editor {

inline constexpr int kCellWidth = 74;
inline constexpr int kCellHeight = 80;
inline constexpr int kPictureBox = 64;
inline constexpr int kFrameSize = 68;
inline constexpr int kNameLength = 12;
inline constexpr std::string_view kNoPreview = "No Preview";
// In its place for a slide whose file is not there.
inline constexpr std::string_view kMissingPreview = "Missing";

// Columns, rows and page size of the page: 8, 4 and 32 until it is shown.
struct PageGeometry {
  int columns = 8;
  int rows = 4;
  int PageSize() const { return columns * rows; }
};

// Columns that fit in an image of that width (at least one).
int ColumnsFor(int imageWidth);

// Where the parts of the cell in page column `col` and row `row` go.
struct CellPlaces {
  ui::Rect cell;        // the whole cell, cleared to white
  ui::Rect frame;       // the selection frame
  ui::Rect pictureBox;  // 64 x 64; a picture never shows outside it
  ui::Point noPreview;
  ui::Point name;
};
CellPlaces PlacesOf(int col, int row);
// Top-left corner of a w x h picture centred in the box (a picture larger
// than the box starts left of or above it).
ui::Point PicturePlace(const CellPlaces& cell, int width, int height);

// The cell under a point of the image: column min(x div 74, columns - 1),
// row y div 80.
struct CellAt {
  int col = 0;
  int row = 0;
};
CellAt CellUnder(int x, int y, int columns);
// The slide shown in that cell when the page starts at slide `first`.
int SlideInCell(CellAt cell, int columns, int first);

// A display name cut to 12 characters and "..".
std::string ShortName(std::string_view name);

// Automatic scrolling by one row of cells: backwards never before slide 1,
// forwards never past `last`.
int ScrollBack(int position, int columns);
int ScrollOn(int position, int columns, int last);

}  // namespace w95::editor
