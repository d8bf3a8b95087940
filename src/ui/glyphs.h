// The toolkit's own small pictures: 16 x 16 pixel glyphs for buttons, menu-
// like bars and owner-drawn entries, drawn the same on every backend. Each
// glyph has a normal and a disabled (embossed grey) look.
//
//   BtnFind.SetGlyph(ui::GlyphKind::Find);          // a glyph button
//   canvas.DrawGlyph(x, y, ui::GlyphKind::Folder);  // in owner drawing
#pragma once

#include <array>
#include <string_view>

#include "ui/types.h"

namespace w95::ui {

enum class GlyphKind {
  None,
  // Slide and file actions.
  Erase,
  Trash,
  Move,
  Find,
  Info,
  MoveFile,
  Help,
  Close,
  // Explorer buttons.
  UpFolder,
  MarkAll,
  Question,
  Compression,
  NewFolder,
  // The media bar.
  Play,
  Pause,
  Stop,
  Next,
  Prev,
  Step,
  Back,
  Record,
  Eject,
  // Drives and folders (list and combo entries).
  HardDrive,
  Floppy,
  CdDrive,
  Folder,
  OpenFolder,
  File,
  // Dialog buttons.
  Ok,
  Cancel,
  Print,
  // Print setup: the printer's page settings, the image back in the middle.
  PageSetup,
  Centre,
  // A button that opens a menu.
  Menu,
  // A file that is not there (a mark in lists).
  MissingFile,
  // Print setup: the paper upright or turned on its side.
  Portrait,
  Landscape,
  // The explorer's details view: a list with columns under a header.
  Details,
};
constexpr int kGlyphCount = static_cast<int>(GlyphKind::Details) + 1;
constexpr int kGlyphSize = 16;

// "find", "play", "up-folder" ...; "" for None.
std::string_view GlyphName(GlyphKind kind);
// The glyph of that name (case-insensitive); None when there is none.
GlyphKind GlyphByName(std::string_view name);

// A glyph's pixels row by row; clNone where the background shows through.
// Disabled glyphs are made of clBtnShadow and clBtnHighlight only.
using GlyphPixels = std::array<Color, kGlyphSize * kGlyphSize>;
GlyphPixels RenderGlyph(GlyphKind kind, bool enabled);

class Canvas;
// Draws the glyph with its top-left corner at x, y through the canvas's
// rectangle fills (one per run of equal pixels).
void PaintGlyphPixels(Canvas& canvas, int x, int y, GlyphKind kind, bool enabled);

}  // namespace w95::ui
