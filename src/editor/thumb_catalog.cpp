#include "editor/thumb_catalog.h"

#include <algorithm>

#include "editor/base32.h"
#include "editor/script_model.h"
#include "platform/platform.h"
#include "settings/exchange.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

namespace w95::editor {

namespace {

bool HasIndex(std::string_view cell) { return !cell.empty() && cell != kNoThumb; }

// WinExec's window state for a program that runs hidden.
constexpr int kShowHidden = 0;

}  // namespace

std::string ThumbnailFile(const std::string& appDir, const std::string& catalogId,
                          std::string_view index) {
  if (!HasIndex(index)) return {};
  return appDir + catalogId + std::string(index) + ".BMP";
}

std::string ThumbnailFile(const ui::StringGrid& grid, int row, const std::string& appDir,
                          const std::string& catalogId) {
  return ThumbnailFile(appDir, catalogId, grid.Cell(kColThumb, row));
}

int ScriptSlideCount(const ui::StringGrid& grid) {
  return IsEmptyScript(grid) ? 0 : grid.RowCount() - 1;
}

int NextThumbIndex(const ui::StringGrid& grid, int lastIndex) {
  int largest = 0;
  for (int row = 1; row <= ScriptSlideCount(grid); ++row) {
    const std::string& cell = grid.Cell(kColThumb, row);
    if (HasIndex(cell)) largest = std::max(largest, static_cast<int>(FromBase32(cell)));
  }
  const int next = largest + 1;
  return next < lastIndex ? lastIndex + 1 : next;
}

int SlidesWithoutIndex(const ui::StringGrid& grid) {
  int n = 0;
  for (int row = 1; row <= ScriptSlideCount(grid); ++row)
    if (grid.Cell(kColThumb, row).empty()) ++n;
  return n;
}

bool IndicesRunOut(int next, int needed) {
  return next > kMaxThumbIndex || (needed > 0 && next + (needed - 1) > kMaxThumbIndex);
}

void ClearIndices(ui::StringGrid& grid) {
  for (int row = 1; row <= ScriptSlideCount(grid); ++row)
    if (HasIndex(grid.Cell(kColThumb, row))) grid.SetCell(kColThumb, row, "");
}

int AssignIndices(ui::StringGrid& grid, int next, int* assigned) {
  int n = 0;
  for (int row = 1; row <= ScriptSlideCount(grid); ++row) {
    if (!grid.Cell(kColThumb, row).empty()) continue;
    grid.SetCell(kColThumb, row, ToBase32(static_cast<uint32_t>(next)));
    ++next;
    ++n;
  }
  if (assigned) *assigned = n;
  return next;
}

bool UpdateIndices(ui::StringGrid& grid, std::string& catalogId, bool& modified,
                   const std::function<bool()>& askReset) {
  const TIniFile ini(keys::kSettingsFile);
  int next = NextThumbIndex(grid, ini.ReadNumber(keys::kSection, keys::kAvlIdx, 0));
  if (IndicesRunOut(next, SlidesWithoutIndex(grid))) {
    if (!askReset()) return false;
    catalogId.clear();
    next = 1;
    ClearIndices(grid);
  }
  int assigned = 0;
  next = AssignIndices(grid, next, &assigned);
  if (assigned > 0) modified = true;
  ini.WriteNumber(keys::kSection, keys::kAvlIdx, next);
  return true;
}

int KillThumbnails(ui::StringGrid& grid, const std::string& appDir, const std::string& catalogId) {
  platform::FileSystem& files = *platform::Current().files;
  int deleted = 0;
  for (int row = 1; row <= ScriptSlideCount(grid); ++row) {
    const std::string file = ThumbnailFile(grid, row, appDir, catalogId);
    if (!file.empty() && files.Stat(file) && files.DeleteFile(file)) ++deleted;
    if (grid.Cell(kColThumb, row) != kNoThumb) grid.SetCell(kColThumb, row, "");
  }
  return deleted;
}

bool ToggleTag(ui::StringGrid& grid, int row) {
  if (row < 1 || row >= grid.RowCount()) return false;
  const std::string& cell = grid.Cell(kColTag, row);
  if (cell == kNotApplicable) return false;
  grid.SetCell(kColTag, row, cell == kTagged ? "" : std::string(kTagged));
  return true;
}

bool IsTagged(const ui::StringGrid& grid, int row) { return grid.Cell(kColTag, row) == kTagged; }

std::vector<std::string> TaggedPaths(const ui::StringGrid& grid) {
  std::vector<std::string> paths;
  for (int row = 1; row <= ScriptSlideCount(grid); ++row)
    if (IsTagged(grid, row)) paths.push_back(grid.Cell(kColPath, row));
  return paths;
}

bool IsViewable(const ui::StringGrid& grid, int row) {
  if (row < 1 || row >= grid.RowCount()) return false;
  return !grid.Cell(kColPath, row).empty() && grid.Cell(kColTag, row) != kNotApplicable;
}

ViewResult SaveTagList(const ui::StringGrid& grid, int currentRow, const std::string& appDir) {
  const std::vector<std::string> tagged = TaggedPaths(grid);
  // Without the host's folder the list would go where the host never looks,
  // and the host would show the slides of an old list instead.
  if (!tagged.empty() && appDir == keys::kAbsent) return ViewResult::NoAppDir;
  platform::Current().files->DeleteFile(TagListFileName(appDir));
  if (!tagged.empty()) {
    WriteTagList(appDir, tagged);
    return ViewResult::TagList;
  }
  if (!IsViewable(grid, currentRow)) return ViewResult::Nothing;
  TIniFile(keys::kSettingsFile)
      .WriteText(keys::kSection, keys::kSaveAs, grid.Cell(kColPath, currentRow));
  const bool started =
      platform::Current().desktop->Exec(appDir + std::string(kPlayerCommand), kShowHidden);
  return started ? ViewResult::Player : ViewResult::PlayerFailed;
}

}  // namespace w95::editor
