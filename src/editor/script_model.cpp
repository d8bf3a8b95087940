#include "editor/script_model.h"

#include <cctype>

namespace w95::editor {

namespace {

using ui::StringGrid;

void Set(StringGrid& grid, int row, int col, std::string_view text) {
  grid.SetCell(col, row, std::string(text));
}

void SetRange(StringGrid& grid, int row, int first, int last, std::string_view text) {
  for (int c = first; c <= last; ++c) Set(grid, row, c, text);
}

// Columns 2, 3 and 5 to 15 of a set-up, in column order.
struct Defaults {
  std::string_view value, colour, hasColour, effect, wait, horz, vert, gamma, zoom, volume, speed,
      thumb, tag;
};

void Fill(StringGrid& grid, int row, const Defaults& d) {
  Set(grid, row, kColValue, d.value);
  Set(grid, row, kColColour, d.colour);
  Set(grid, row, kColHasColour, d.hasColour);
  Set(grid, row, kColEffect, d.effect);
  Set(grid, row, kColWait, d.wait);
  Set(grid, row, kColHorz, d.horz);
  Set(grid, row, kColVert, d.vert);
  Set(grid, row, kColGamma, d.gamma);
  Set(grid, row, kColZoom, d.zoom);
  Set(grid, row, kColVolume, d.volume);
  Set(grid, row, kColSpeed, d.speed);
  Set(grid, row, kColThumb, d.thumb);
  Set(grid, row, kColTag, d.tag);
}

constexpr std::string_view M = kNotApplicable;

bool InList(std::string_view ext, std::string_view list) {
  return !ext.empty() && list.find(ext) != std::string_view::npos;
}

}  // namespace

const std::array<std::string_view, kEffectCount>& EffectNames() {
  static constexpr std::array<std::string_view, kEffectCount> names = {
      "none",          "Wipe Dn",       "Wipe Up",       "Wipe Rt",        "Wipe Lf",
      "Rnd Pix",       "Rnd SmlBox",    "Rnd MedBox",    "Rnd LgBox",      "Rnd HorzLines",
      "Rnd VertLines", "Out VertLines", "Out HorzLines", "Horz Interlace", "Vert Interlace",
      "OutToIn",       "InToOut",       "InToOut Lace",  "OutToIn Lace",   "Spiral In",
      "Spiral Out",    "In HorzLines",  "In VertLines",  "Vert Lace In",   "Horz Lace In",
      "Interlace Rt",  "Interlace Lf",  "Interlace Up",  "Interlace Dn",   "Random FX"};
  return names;
}

std::string ExtensionOf(std::string_view fileName) {
  const size_t sep = fileName.find_last_of("\\:");
  const size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep)) return {};
  std::string ext(fileName.substr(dot));
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

SlideKind KindForAdding(std::string_view fileName) {
  const std::string ext = ExtensionOf(fileName);
  if (ext == ".AVI" || ext == ".MPG" || ext == ".DAT") return SlideKind::Video;
  if (ext == ".MOV") return SlideKind::QuickTime;
  if (ext == ".FLI" || ext == ".FLC" || ext == ".FLX") return SlideKind::Animation;
  if (ext == ".WAV" || ext == ".MID") return SlideKind::Audio;
  if (ext == ".AVL") return SlideKind::Script;
  return SlideKind::Graphic;
}

SlideKind KindByLists(std::string_view fileName) {
  const std::string ext = ExtensionOf(fileName);
  if (!InList(ext, kNonGraphicList)) return SlideKind::Graphic;
  if (InList(ext, kVideoList)) return ext == ".MOV" ? SlideKind::QuickTime : SlideKind::Video;
  if (InList(ext, kAudioList)) return SlideKind::Audio;
  if (InList(ext, kAnimationList)) return SlideKind::Animation;
  return SlideKind::Script;
}

bool HasLoopCount(std::string_view fileName) { return InList(ExtensionOf(fileName), kLoopList); }

std::string LoopText(int plays) { return "Loop " + std::to_string(plays) + "x"; }

void SetUpGrid(StringGrid& grid) {
  static constexpr std::array<std::string_view, kColumnCount> headings = {
      "N",    "",     "",      "",     "Filename", "Clr",  "Effect", "Wait",
      "Horz", "Vert", "gamma", "Vid%", "Vol%",     "Spd%", "",       "Tag"};
  grid.SetColCount(kColumnCount);
  if (grid.RowCount() < 2) grid.SetRowCount(2);
  grid.SetFixedRows(1);
  grid.SetFixedCols(4);
  for (int c = 0; c < kColumnCount; ++c) Set(grid, 0, c, headings[static_cast<size_t>(c)]);
  for (int c : {kColPath, kColValue, kColColour, kColThumb}) grid.SetColWidth(c, 1);
}

void SetUpClear(StringGrid& grid) {
  grid.SetRowCount(2);
  Set(grid, 1, kColNumber, "1");
  Set(grid, 1, kColPath, "");
  Set(grid, 1, kColValue, "0");
  Set(grid, 1, kColColour, "");
  Set(grid, 1, kColName, kPlaceholderName);
  SetRange(grid, 1, kColHasColour, kColSpeed, M);
  Set(grid, 1, kColThumb, "");
  Set(grid, 1, kColTag, "");
}

bool IsEmptyScript(const StringGrid& grid) {
  return grid.RowCount() < 2 || grid.Cell(kColPath, 1).empty();
}

void Renumber(StringGrid& grid) {
  for (int r = 1; r < grid.RowCount(); ++r) Set(grid, r, kColNumber, std::to_string(r));
}

void SetUpGraphic(StringGrid& grid, int row) {
  Fill(grid, row, {"0", "0", kYes, "none", "0", kMid, kMid, "100", M, M, M, "", ""});
}
void SetUpAVI(StringGrid& grid, int row) {
  Fill(grid, row,
       {"0", "0", kYes, "Loop 1x", "0", kMid, kMid, M, "100", "100", "100", kNoThumb, M});
}
void SetUpMOV(StringGrid& grid, int row) {
  Fill(grid, row, {"0", "0", kYes, M, "0", kMid, kMid, M, "100", "50", "100", kNoThumb, M});
}
void SetUpFLI(StringGrid& grid, int row) {
  Fill(grid, row, {"0", "0", kYes, "Loop 1x", "0", M, M, M, M, M, M, kNoThumb, M});
}
void SetUpAudio(StringGrid& grid, int row) {
  Fill(grid, row, {"1", "", M, M, "0", M, M, M, M, M, M, kNoThumb, M});
}
std::string_view SetUpAVL(StringGrid& grid, int row) {
  Fill(grid, row, {M, "", M, M, M, M, M, M, M, M, M, kNoThumb, M});
  return kAvlLastWarning;
}
void SetUpCD(StringGrid& grid, int row, int track) {
  SetUpAudio(grid, row);
  Set(grid, row, kColPath, M);
  Set(grid, row, kColValue, std::to_string(track));
  Set(grid, row, kColName, std::string(kCdTrackPrefix) + std::to_string(track));
}

std::string_view SetUpKind(StringGrid& grid, int row, SlideKind kind) {
  switch (kind) {
    case SlideKind::Graphic:
      SetUpGraphic(grid, row);
      break;
    case SlideKind::Video:
      SetUpAVI(grid, row);
      break;
    case SlideKind::QuickTime:
      SetUpMOV(grid, row);
      break;
    case SlideKind::Animation:
      SetUpFLI(grid, row);
      break;
    case SlideKind::Audio:
      SetUpAudio(grid, row);
      break;
    case SlideKind::Script:
      return SetUpAVL(grid, row);
    case SlideKind::CdTrack:
      SetUpCD(grid, row, 1);
      break;
  }
  return {};
}

void ValidateGraphic(StringGrid& grid, int row) {
  SetRange(grid, row, kColZoom, kColSpeed, M);
  Set(grid, row, kColTag, "");
}

void ValidateFLI(StringGrid& grid, int row) {
  SetRange(grid, row, kColHorz, kColSpeed, M);
  Set(grid, row, kColThumb, kNoThumb);
  Set(grid, row, kColTag, M);
}

namespace {
// Audio and CD track share all but column 2.
void ValidateSound(StringGrid& grid, int row) {
  Set(grid, row, kColColour, "");
  Set(grid, row, kColHasColour, M);
  Set(grid, row, kColEffect, M);
  SetRange(grid, row, kColHorz, kColSpeed, M);
  Set(grid, row, kColThumb, kNoThumb);
  Set(grid, row, kColTag, M);
}
}  // namespace

void ValidateAudio(StringGrid& grid, int row) {
  ValidateSound(grid, row);
  Set(grid, row, kColValue, "0");
}

void ValidateCD(StringGrid& grid, int row) { ValidateSound(grid, row); }

void ValidateAVL(StringGrid& grid, int row) {
  Set(grid, row, kColValue, M);
  Set(grid, row, kColColour, "");
  SetRange(grid, row, kColHasColour, kColSpeed, M);
  Set(grid, row, kColThumb, kNoThumb);
  Set(grid, row, kColTag, M);
}

}  // namespace w95::editor
