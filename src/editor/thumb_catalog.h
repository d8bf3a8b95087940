// The thumbnail catalog of a script: the indices in column 14, the files the
// host makes under them, the update and delete actions, and the tag list
// handed to the host for viewing.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/string_grid.h"

namespace w95::editor {

inline constexpr int kMaxThumbIndex = 32760;
inline constexpr std::string_view kResetIndicesQuestion =
    "New thumbnails and indices will be required\nfor ALL images in this script.  Continue?";
inline constexpr std::string_view kKillAllQuestion = "Delete ALL thumbnails for this script?";
inline constexpr std::string_view kNothingToView =
    "Tag slides or select graphic slide for viewing.";
inline constexpr std::string_view kNoAppDirForTags =
    "Unable to write tag.lst: plimbo.ini names no \"AppDir\".";
inline constexpr std::string_view kPlayerCommand = "plmsld.exe /x";
inline constexpr std::string_view kTagged = "X";

// The thumbnail of a slide: appDir + catalogId + index + ".BMP"; empty when
// the slide has no index (column 14 empty or "-").
std::string ThumbnailFile(const std::string& appDir, const std::string& catalogId,
                          std::string_view index);
std::string ThumbnailFile(const ui::StringGrid& grid, int row, const std::string& appDir,
                          const std::string& catalogId);

// The slides of the script: rows 1 to n, none when the grid holds only the
// empty script.
int ScriptSlideCount(const ui::StringGrid& grid);

// The first index to hand out: 1 + the largest index in column 14 (1 when
// there is none); when that is below `lastIndex` ("AVLidx"), lastIndex + 1.
int NextThumbIndex(const ui::StringGrid& grid, int lastIndex);
// Graphic slides still without an index (column 14 empty).
int SlidesWithoutIndex(const ui::StringGrid& grid);
// True when handing `needed` indices out from `next` would pass the largest
// index, so that the script must start its catalog afresh.
bool IndicesRunOut(int next, int needed);
// Empties column 14 of every slide that holds an index ("-" stays).
void ClearIndices(ui::StringGrid& grid);
// Gives every slide whose column 14 is empty the base-32 text of `next`, in
// slide order, counting up; returns the next free index. `assigned` counts
// the slides that got one.
int AssignIndices(ui::StringGrid& grid, int next, int* assigned = nullptr);

// The index part of the update: the next index from column 14 and "AVLidx";
// when the indices would run out, `askReset` (the question) decides whether
// the script starts afresh (catalog identifier and indices cleared) or the
// update stops (false). Then the slides without an index get one (each sets
// `modified`) and the next free index is written as "AVLidx".
bool UpdateIndices(ui::StringGrid& grid, std::string& catalogId, bool& modified,
                   const std::function<bool()>& askReset);

// Kill all: deletes the thumbnail of every slide that has one and whose file
// exists, and empties column 14 unless it holds "-". Returns the files
// deleted.
int KillThumbnails(ui::StringGrid& grid, const std::string& appDir, const std::string& catalogId);

// Tagging: toggles column 15 between "X" and empty unless it holds the
// not-applicable marker; true when it changed.
bool ToggleTag(ui::StringGrid& grid, int row);
bool IsTagged(const ui::StringGrid& grid, int row);
// Short paths (column 1) of the tagged slides, in slide order.
std::vector<std::string> TaggedPaths(const ui::StringGrid& grid);
// A slide that can be viewed on its own: it has a file and is a graphic.
bool IsViewable(const ui::StringGrid& grid, int row);

// What viewing did.
enum class ViewResult {
  TagList,       // "tag.lst" written: the editor closes with result 2
  Player,        // the host's player started for the current slide
  PlayerFailed,  // the player could not be started
  Nothing,       // nothing to view: the information message
  NoAppDir,      // tagged slides but no "AppDir": nothing written, the editor stays
};
// Viewing: deletes "tag.lst" in appDir; with tagged slides writes it anew;
// otherwise, for a viewable current slide, writes its short path as "SaveAs"
// and starts appDir + "plmsld.exe /x" hidden.
ViewResult SaveTagList(const ui::StringGrid& grid, int currentRow, const std::string& appDir);

}  // namespace w95::editor
