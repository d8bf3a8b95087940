// The slide script as the editor holds it: one row of the grid per slide,
// every cell text, no other copy. Row 0 is the heading row; rows 1..n are the
// slides. Columns 1, 2, 3 and 14 are one pixel wide and keep data the user
// does not see.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ui/string_grid.h"

namespace w95::editor {

inline constexpr int kColumnCount = 16;
enum Column : int {
  kColNumber = 0,  // slide number
  kColPath = 1,    // short path, lower case; the marker for a CD track
  kColValue = 2,   // effect, loops less 1, CD track, audio value ("X")
  kColColour = 3,  // background colour, decimal 0x00BBGGRR; empty for none
  kColName = 4,    // display name
  kColHasColour = 5,
  kColEffect = 6,  // effect name or "Loop Nx"
  kColWait = 7,
  kColHorz = 8,
  kColVert = 9,
  kColGamma = 10,
  kColZoom = 11,
  kColVolume = 12,
  kColSpeed = 13,
  kColThumb = 14,  // thumbnail index, base 32; "-" for kinds without one
  kColTag = 15,
};

// A cell whose attribute does not apply to the slide's kind.
inline constexpr std::string_view kNotApplicable = "------------------------------";
// Column 14 of kinds that never have a thumbnail.
inline constexpr std::string_view kNoThumb = "-";
inline constexpr std::string_view kPlaceholderName = "<right-click me>";
inline constexpr std::string_view kCdTrackPrefix = "CD Track: ";
inline constexpr std::string_view kYes = "Yes";
inline constexpr std::string_view kNo = "No";
inline constexpr std::string_view kMid = "Mid";

inline constexpr std::string_view kAvlLastWarning =
    "AVL file should be the LAST slide.\nSubsequent slides are disregarded.";

// Extension lists of the substring tests.
inline constexpr std::string_view kNonGraphicList = ".FLI.FLC.FLX.AVI.MOV.MPG.DAT.WAV.MID.AVL";
inline constexpr std::string_view kLoopList = ".AVI.MOV.MPG.FLI.FLC.FLX.DAT";
inline constexpr std::string_view kVideoList = ".AVI.MOV.MPG.DAT";
inline constexpr std::string_view kAnimationList = ".FLI.FLC.FLX";
inline constexpr std::string_view kAudioList = ".WAV.MID";
inline constexpr std::string_view kScriptList = ".AVL";

enum class SlideKind { Graphic, Video, QuickTime, Animation, Audio, Script, CdTrack };

// The 30 transition effects, index 0 "none" to 29 "Random FX".
inline constexpr int kEffectCount = 30;
const std::array<std::string_view, kEffectCount>& EffectNames();

// Upper-cased extension with its dot: the text from the last "." after the
// last "\" or ":"; empty when there is none.
std::string ExtensionOf(std::string_view fileName);
// The kind of a slide being added: the extension compared for equality.
SlideKind KindForAdding(std::string_view fileName);
// The kind when a script is loaded or an effect cell is opened: the extension
// looked up as a substring of the lists. A file without extension is a graphic.
SlideKind KindByLists(std::string_view fileName);
// True when column 6 of this file's slide is a loop count (substring test).
bool HasLoopCount(std::string_view fileName);
// "Loop 3x" for three plays.
std::string LoopText(int plays);

// The heading row, the column widths and the fixed columns of `Grid`.
void SetUpGrid(ui::StringGrid& grid);
// The empty script: one placeholder row.
void SetUpClear(ui::StringGrid& grid);
// A script whose row 1 has no file counts as having no slides.
bool IsEmptyScript(const ui::StringGrid& grid);
// Column 0 of every slide = its row number.
void Renumber(ui::StringGrid& grid);

// Defaults of a slide being added, filled into `row` (columns 2, 3 and 5 to
// 15; the caller sets the number, the path and the display name).
void SetUpGraphic(ui::StringGrid& grid, int row);
void SetUpAVI(ui::StringGrid& grid, int row);
void SetUpMOV(ui::StringGrid& grid, int row);
void SetUpFLI(ui::StringGrid& grid, int row);
void SetUpAudio(ui::StringGrid& grid, int row);
// A nested script. Returns the warning the window shows (warning, OK) each
// time one is added: kAvlLastWarning.
[[nodiscard]] std::string_view SetUpAVL(ui::StringGrid& grid, int row);
// A CD track: the audio defaults, the marker as path, the track in column 2.
void SetUpCD(ui::StringGrid& grid, int row, int track);
// The set-up of a kind (the CD track gets track 1); the warning to show, or
// empty.
std::string_view SetUpKind(ui::StringGrid& grid, int row, SlideKind kind);

// Corrections of a loaded row.
void ValidateGraphic(ui::StringGrid& grid, int row);
void ValidateFLI(ui::StringGrid& grid, int row);
void ValidateAudio(ui::StringGrid& grid, int row);
void ValidateCD(ui::StringGrid& grid, int row);
void ValidateAVL(ui::StringGrid& grid, int row);

}  // namespace w95::editor
