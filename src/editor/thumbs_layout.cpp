#include "editor/thumbs_layout.h"

#include <algorithm>

namespace w95::editor {

int ColumnsFor(int imageWidth) { return std::max(1, imageWidth / kCellWidth); }

CellPlaces PlacesOf(int col, int row) {
  const int x = col * kCellWidth + 2;
  const int y = row * kCellHeight + 2;
  CellPlaces p;
  p.cell = {x, y, kCellWidth, kCellHeight};
  p.frame = {x, y, kFrameSize, kFrameSize};
  p.pictureBox = {x + 2, y + 2, kPictureBox, kPictureBox};
  p.noPreview = {x + 4, y + 32};
  p.name = {x, y + 65};
  return p;
}

ui::Point PicturePlace(const CellPlaces& cell, int width, int height) {
  // Division towards zero, so a picture one pixel too large still centres.
  return {cell.pictureBox.left + (kPictureBox - width) / 2,
          cell.pictureBox.top + (kPictureBox - height) / 2};
}

CellAt CellUnder(int x, int y, int columns) {
  return {std::min(std::max(x, 0) / kCellWidth, columns - 1), std::max(y, 0) / kCellHeight};
}

int SlideInCell(CellAt cell, int columns, int first) {
  return cell.row * columns + cell.col + first;
}

std::string ShortName(std::string_view name) {
  if (name.size() <= static_cast<size_t>(kNameLength)) return std::string(name);
  return std::string(name.substr(0, kNameLength)) + "..";
}

int ScrollBack(int position, int columns) {
  const int to = position - columns;
  return to < 2 ? 1 : to;
}

int ScrollOn(int position, int columns, int last) { return std::min(position + columns, last); }

}  // namespace w95::editor
