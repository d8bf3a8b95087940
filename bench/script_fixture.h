// A script of n slides like the ones people make: mostly graphics from a few
// folders with effects, delays, colours and thumbnails, some videos, audio,
// animations and CD tracks (about 6.6 keys a slide when written).
#pragma once

#include <string>

#include "editor/base32.h"
#include "editor/script_model.h"
#include "ui/string_grid.h"

namespace w95::bench {

inline void MakeScript(ui::StringGrid& grid, int slides) {
  using namespace editor;
  SetUpGrid(grid);
  grid.SetRowCount(slides + 1);
  static const char* const kFolders[] = {"c:\\photos\\", "c:\\photos\\trip97\\", "d:\\media\\",
                                         "c:\\viewer\\"};
  for (int r = 1; r <= slides; ++r) {
    const std::string n = std::to_string(r);
    const std::string folder = kFolders[r % 4];
    grid.SetCell(kColNumber, r, n);
    switch (r % 10) {
      case 7:
        grid.SetCell(kColPath, r, folder + "clip" + n + ".avi");
        SetUpAVI(grid, r);
        grid.SetCell(kColVolume, r, "80");
        break;
      case 8:
        grid.SetCell(kColPath, r, folder + "tune" + n + ".wav");
        SetUpAudio(grid, r);
        break;
      case 9:
        if (r % 20 == 9) {
          SetUpCD(grid, r, r % 99 + 1);
        } else {
          grid.SetCell(kColPath, r, folder + "anim" + n + ".flc");
          SetUpFLI(grid, r);
        }
        break;
      default:
        grid.SetCell(kColPath, r, folder + "img" + n + ".jpg");
        SetUpGraphic(grid, r);
        grid.SetCell(kColValue, r, std::to_string(r % 30));
        grid.SetCell(kColEffect, r, std::string(EffectNames()[static_cast<size_t>(r % 30)]));
        grid.SetCell(kColColour, r, std::to_string((r * 2654435761u) & 0xFFFFFF));
        grid.SetCell(kColWait, r, std::to_string(r % 7));
        if (r % 3 == 0) {
          grid.SetCell(kColHorz, r, "Left");
          grid.SetCell(kColVert, r, std::to_string(r % 400));
        }
        if (r % 4 == 0) grid.SetCell(kColGamma, r, std::to_string(50 + r % 200));
        grid.SetCell(kColThumb, r, editor::ToBase32(static_cast<uint32_t>(r)));
        break;
    }
    if (grid.Cell(kColName, r).empty()) {
      const std::string& path = grid.Cell(kColPath, r);
      grid.SetCell(kColName, r, path.substr(path.find_last_of('\\') + 1));
    }
  }
}

}  // namespace w95::bench
