// A script of slides in a grid on a simulated machine, for the thumbnail
// catalog and page tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor/script_model.h"
#include "platform/sim/sim_machine.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "ui/string_grid.h"

namespace w95::editor::test {

inline constexpr char kAppDir[] = "C:\\VIEWER\\";

class ThumbsScript : public ::testing::Test {
 protected:
  ThumbsScript() {
    machine.Install();
    machine.files.AddFolder("C:\\VIEWER");
    SetUpGrid(grid);
    SetUpClear(grid);
  }
  // n graphic slides named pic1.bmp ... picN.bmp, without thumbnail indices.
  void AddGraphics(int n) {
    const int from = IsEmptyScript(grid) ? 1 : grid.RowCount();
    grid.SetRowCount(from + n);
    for (int r = from; r < from + n; ++r) {
      const std::string name = "pic" + std::to_string(r) + ".bmp";
      grid.SetCell(kColNumber, r, std::to_string(r));
      grid.SetCell(kColPath, r, "c:\\pics\\" + name);
      grid.SetCell(kColName, r, name);
      SetUpGraphic(grid, r);
    }
  }
  void AddVideo() {
    const int r = grid.RowCount();
    grid.SetRowCount(r + 1);
    grid.SetCell(kColNumber, r, std::to_string(r));
    grid.SetCell(kColPath, r, "c:\\pics\\clip.avi");
    grid.SetCell(kColName, r, "clip.avi");
    SetUpAVI(grid, r);
  }
  std::string Setting(const char* key, const char* def = "<none>") {
    return TIniFile(keys::kSettingsFile).ReadText(keys::kSection, key, def);
  }
  void SetSetting(const char* key, const std::string& value) {
    TIniFile(keys::kSettingsFile).WriteText(keys::kSection, key, value);
  }
  std::string Index(int row) { return grid.Cell(kColThumb, row); }

  platform::sim::SimMachine machine;
  ui::StringGrid grid;
};

}  // namespace w95::editor::test
