#include "ui/glyphs.h"

#include <cctype>

#include "ui/canvas.h"

namespace w95::ui {

namespace {

// One letter per pixel: '.' shows the background; the others are colours.
Color PaletteColor(char c) {
  switch (c) {
    case 'k':
      return 0x000000;  // black
    case 'd':
      return 0x808080;  // dark grey
    case 'g':
      return 0xC0C0C0;  // light grey
    case 'w':
      return 0xFFFFFF;  // white
    case 'r':
      return 0x0000FF;  // red
    case 'm':
      return 0x000080;  // maroon
    case 'y':
      return 0x00FFFF;  // yellow
    case 'o':
      return 0x008080;  // olive
    case 'b':
      return 0xFF0000;  // blue
    case 'n':
      return 0x800000;  // navy
    case 'e':
      return 0x008000;  // green
    case 'l':
      return 0x00FF00;  // lime
    case 'c':
      return 0xFFFF00;  // cyan
    default:
      return clNone;
  }
}

using Art = std::array<const char*, kGlyphSize>;

struct GlyphDef {
  GlyphKind kind;
  const char* name;
  Art art;
};

// clang-format off
const GlyphDef kGlyphs[] = {
  {GlyphKind::Erase, "erase", {
    "................",
    ".kkkkkkkkkkkk...",
    ".kwwwwwwwwwwk...",
    ".kwccccccccwk...",
    ".kwccccccccwk...",
    ".kwcceeccccwk...",
    ".kweeeeeeecwk...",
    ".kweeeeeeeewk...",
    ".kwwwwwwwwwwk...",
    ".kkkkkkkkkkkk...",
    "........rr...rr.",
    ".........rr.rr..",
    "..........rrr...",
    ".........rr.rr..",
    "........rr...rr.",
    "................"}},
  {GlyphKind::Trash, "trash", {
    "................",
    "......kkkk......",
    "..kkkkkkkkkkkk..",
    "..kggggggggggk..",
    "..kkkkkkkkkkkk..",
    "...kgwgdgwgdk...",
    "...kgwgdgwgdk...",
    "...kgwgdgwgdk...",
    "...kgwgdgwgdk...",
    "...kgwgdgwgdk...",
    "...kgwgdgwgdk...",
    "...kgwgdgwgdk...",
    "...kgwgdgwgdk...",
    "...kkkkkkkkkk...",
    "................",
    "................"}},
  {GlyphKind::Move, "move", {
    "................",
    "....n...........",
    "...nnn..kkkkkkk.",
    "..nnnnn.........",
    ".nnnnnnn.kkkkkk.",
    "....n...........",
    "....n...kkkkkkk.",
    "....n...........",
    "....n....kkkkkk.",
    "....n...........",
    ".nnnnnnn.kkkkkk.",
    "..nnnnn.........",
    "...nnn..kkkkkkk.",
    "....n...........",
    "................",
    "................"}},
  {GlyphKind::Find, "find", {
    "................",
    "....kkkkk.......",
    "...kwwwwwk......",
    "..kwccwwwwk.....",
    ".kwcwwwwwwwk....",
    ".kwwwwwwwwwk....",
    ".kwwwwwwwwwk....",
    ".kwwwwwwwwwk....",
    "..kwwwwwwwk.....",
    "...kwwwwwkk.....",
    "....kkkkkkdk....",
    "..........kdk...",
    "...........kdk..",
    "............kdk.",
    ".............kk.",
    "................"}},
  {GlyphKind::Info, "info", {
    "................",
    ".....bbbbbb.....",
    "...bbbbbbbbbb...",
    "..bbbbbwwbbbbb..",
    "..bbbbbwwbbbbb..",
    ".bbbbbbbbbbbbbb.",
    ".bbbbbwwwbbbbbb.",
    ".bbbbbbwwbbbbbb.",
    ".bbbbbbwwbbbbbb.",
    ".bbbbbbwwbbbbbb.",
    "..bbbbbwwbbbbb..",
    "..bbbbwwwwbbbb..",
    "...bbbbbbbbbb...",
    ".....bbbbbb.....",
    "................",
    "................"}},
  {GlyphKind::MoveFile, "move-file", {
    "................",
    "kkkkkkk.........",
    "kwwwwwkk........",
    "kwwwwwkwk.......",
    "kwwwwwkkkk......",
    "kwwwwwwwwk......",
    "kwwwwwwwwk..e...",
    "kwwwwwwwwk..ee..",
    "kwwweeeeeeeeeee.",
    "kwwweeeeeeeeeeee",
    "kwwweeeeeeeeeee.",
    "kwwwwwwwwk..ee..",
    "kwwwwwwwwk..e...",
    "kkkkkkkkkk......",
    "................",
    "................"}},
  {GlyphKind::Help, "help", {
    "................",
    "..kkkkkkkkkkk...",
    "..knnnnnnnnnnk..",
    "..knnnwwwwnnnk..",
    "..knnwwnnwwnnk..",
    "..knnnnnnwwnnk..",
    "..knnnnnwwnnnk..",
    "..knnnnwwnnnnk..",
    "..knnnnwwnnnnk..",
    "..knnnnnnnnnnk..",
    "..knnnnwwnnnnk..",
    "..knnnnnnnnnnk..",
    "..kwwwwwwwwwwk..",
    "..kggggggggggk..",
    "...kkkkkkkkkkk..",
    "................"}},
  {GlyphKind::Close, "close", {
    "................",
    ".kkkkkkkkk......",
    ".kwwwwwwwk......",
    ".kwkkkkkwk......",
    ".kwkoooowk......",
    ".kwkoooowk...n..",
    ".kwkoooowk...nn.",
    ".kwkoookwnnnnnnn",
    ".kwkoooowk...nn.",
    ".kwkoooowk...n..",
    ".kwkoooowk......",
    ".kwkoooowk......",
    ".kwkkkkkwk......",
    ".kwwwwwwwk......",
    ".kkkkkkkkk......",
    "................"}},
  {GlyphKind::UpFolder, "up-folder", {
    "................",
    "................",
    "..kkkkk.........",
    ".kyyyyyk........",
    "kyyyyyyykkkkkk..",
    "kyyyyyyyyyyyyk..",
    "kyyykyyyyyyyyk..",
    "kyykkkyyyyyyyk..",
    "kykkkkkyyyyyyk..",
    "kyyykyyyyyyyyk..",
    "kyyykyyyyyyyyk..",
    "kyyykkkkkkyyyk..",
    "kyyyyyyyyyyyyk..",
    "kkkkkkkkkkkkkk..",
    "................",
    "................"}},
  {GlyphKind::MarkAll, "mark-all", {
    "................",
    "................",
    ".......nn.......",
    ".......nn.......",
    "..nn...nn...nn..",
    "...nnn.nn.nnn...",
    ".....nnnnnn.....",
    "......nnnn......",
    ".....nnnnnn.....",
    "...nnn.nn.nnn...",
    "..nn...nn...nn..",
    ".......nn.......",
    ".......nn.......",
    "................",
    "................",
    "................"}},
  {GlyphKind::Question, "question", {
    "................",
    ".....nnnnn......",
    "....nnnnnnn.....",
    "...nnn...nnn....",
    "...nnn...nnn....",
    ".........nnn....",
    "........nnn.....",
    ".......nnn......",
    "......nnn.......",
    "......nnn.......",
    "......nnn.......",
    "................",
    "......nnn.......",
    "......nnn.......",
    "................",
    "................"}},
  {GlyphKind::Compression, "compression", {
    "................",
    ".......nnnnnn...",
    ".......nnnnnn...",
    ".........nnn....",
    ".r.......nnn..r.",
    ".rr......nnn.rr.",
    ".rrr.....nnnrrr.",
    ".rr......nnn.rr.",
    ".r.nnn...nnn..r.",
    "...nnn...nnn....",
    "....nnn.nnn.....",
    ".....nnnnn......",
    "......nnn.......",
    "................",
    "................",
    "................"}},
  {GlyphKind::NewFolder, "new-folder", {
    "...........k....",
    "........k..k..k.",
    ".........k.k.k..",
    "..........kyk...",
    "..kkkkk.kkyyykk.",
    ".kyyyyyk..kyk...",
    "kyyyyyyykkkkkk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kkkkkkkkkkkkkk..",
    "................",
    "................"}},
  {GlyphKind::Play, "play", {
    "................",
    "................",
    ".....k..........",
    ".....kk.........",
    ".....kkk........",
    ".....kkkk.......",
    ".....kkkkk......",
    ".....kkkkkk.....",
    ".....kkkkk......",
    ".....kkkk.......",
    ".....kkk........",
    ".....kk.........",
    ".....k..........",
    "................",
    "................",
    "................"}},
  {GlyphKind::Pause, "pause", {
    "................",
    "................",
    "................",
    "....kkk..kkk....",
    "....kkk..kkk....",
    "....kkk..kkk....",
    "....kkk..kkk....",
    "....kkk..kkk....",
    "....kkk..kkk....",
    "....kkk..kkk....",
    "....kkk..kkk....",
    "....kkk..kkk....",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::Stop, "stop", {
    "................",
    "................",
    "................",
    "................",
    "....kkkkkkkk....",
    "....kkkkkkkk....",
    "....kkkkkkkk....",
    "....kkkkkkkk....",
    "....kkkkkkkk....",
    "....kkkkkkkk....",
    "....kkkkkkkk....",
    "....kkkkkkkk....",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::Next, "next", {
    "................",
    "................",
    "................",
    "..k....k....kk..",
    "..kk...kk...kk..",
    "..kkk..kkk..kk..",
    "..kkkk.kkkk.kk..",
    "..kkkkkkkkkkkk..",
    "..kkkk.kkkk.kk..",
    "..kkk..kkk..kk..",
    "..kk...kk...kk..",
    "..k....k....kk..",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::Prev, "prev", {
    "................",
    "................",
    "................",
    "..kk....k....k..",
    "..kk...kk...kk..",
    "..kk..kkk..kkk..",
    "..kk.kkkk.kkkk..",
    "..kkkkkkkkkkkk..",
    "..kk.kkkk.kkkk..",
    "..kk..kkk..kkk..",
    "..kk...kk...kk..",
    "..kk....k....k..",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::Step, "step", {
    "................",
    "................",
    "................",
    "...k....k.......",
    "...kk...kk......",
    "...kkk..kkk.....",
    "...kkkk.kkkk....",
    "...kkkkkkkkkk...",
    "...kkkk.kkkk....",
    "...kkk..kkk.....",
    "...kk...kk......",
    "...k....k.......",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::Back, "back", {
    "................",
    "................",
    "................",
    ".......k....k...",
    "......kk...kk...",
    ".....kkk..kkk...",
    "....kkkk.kkkk...",
    "...kkkkkkkkkk...",
    "....kkkk.kkkk...",
    ".....kkk..kkk...",
    "......kk...kk...",
    ".......k....k...",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::Record, "record", {
    "................",
    "................",
    "................",
    "......kkkk......",
    "....kkrrrrkk....",
    "....krrrrrrk....",
    "...krrrrrrrrk...",
    "...krrrrrrrrk...",
    "...krrrrrrrrk...",
    "...krrrrrrrrk...",
    "....krrrrrrk....",
    "....kkrrrrkk....",
    "......kkkk......",
    "................",
    "................",
    "................"}},
  {GlyphKind::Eject, "eject", {
    "................",
    "................",
    "................",
    ".......kk.......",
    "......kkkk......",
    ".....kkkkkk.....",
    "....kkkkkkkk....",
    "...kkkkkkkkkk...",
    "..kkkkkkkkkkkk..",
    "................",
    "..kkkkkkkkkkkk..",
    "..kkkkkkkkkkkk..",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::HardDrive, "hard-drive", {
    "................",
    "................",
    "................",
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kwwwwwwwwwwwwk.",
    ".kwgggggggggggk.",
    ".kwgggggggggegk.",
    ".kwgggggggggggk.",
    ".kddddddddddddk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::Floppy, "floppy", {
    "................",
    "..kkkkkkkkkkkk..",
    "..knggggggggnk..",
    "..kngkkgggggnk..",
    "..kngkkgggggnk..",
    "..knggggggggnk..",
    "..knnnnnnnnnnk..",
    "..knnnnnnnnnnk..",
    "..knwwwwwwwwnk..",
    "..knwwwwwwwwnk..",
    "..knwkkkkkkwnk..",
    "..knwwwwwwwwnk..",
    "..knwkkkkkkwnk..",
    "..knwwwwwwwwnk..",
    "..kkkkkkkkkkkk..",
    "................"}},
  {GlyphKind::CdDrive, "cd-drive", {
    "................",
    ".....kkkkkk.....",
    "...kkgggwwwgkk..",
    "..kgggggwwwgggk.",
    "..kggggggwwgggk.",
    ".kgcgggggggggggk",
    ".kgccggkkkgggggk",
    ".kgcggk...kggggk",
    ".kgggggkkkgggggk",
    ".kggggggggggyggk",
    "..kggggggggyygk.",
    "..kgggggggyyggk.",
    "...kkgggggggkk..",
    ".....kkkkkk.....",
    "................",
    "................"}},
  {GlyphKind::Folder, "folder", {
    "................",
    "................",
    "..kkkkk.........",
    ".kyyyyyk........",
    "kyyyyyyykkkkkk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kkkkkkkkkkkkkk..",
    "................",
    "................"}},
  {GlyphKind::OpenFolder, "open-folder", {
    "................",
    "................",
    ".kkkkk..........",
    "kyyyyyk.........",
    "kyyyyyykkkkkkk..",
    "kyyyyyyyyyyyyk..",
    "kyyykkkkkkkkkkkk",
    "kyykoooooooooook",
    "kykoooooooooook.",
    "kykoooooooooook.",
    "kkoooooooooook..",
    "kkoooooooooook..",
    "kkkkkkkkkkkkk...",
    "................",
    "................",
    "................"}},
  {GlyphKind::File, "file", {
    "................",
    "..kkkkkkkk......",
    "..kwwwwwwkk.....",
    "..kwwwwwwkwk....",
    "..kwwwwwwkkkk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...",
    "..kkkkkkkkkkk...",
    "................",
    "................"}},
  {GlyphKind::Ok, "ok", {
    "................",
    "................",
    "................",
    "............e...",
    "...........ee...",
    "..........eee...",
    "..e......eee....",
    "..ee....eee.....",
    "..eee..eee......",
    "...eeeeee.......",
    "....eeee........",
    ".....ee.........",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::Cancel, "cancel", {
    "................",
    "................",
    "................",
    "...rr......rr...",
    "....rr....rr....",
    ".....rr..rr.....",
    "......rrrr......",
    ".......rr.......",
    "......rrrr......",
    ".....rr..rr.....",
    "....rr....rr....",
    "...rr......rr...",
    "................",
    "................",
    "................",
    "................"}},
  {GlyphKind::Print, "print", {
    "................",
    "................",
    ".....kkkkkk.....",
    ".....kwwwwk.....",
    ".....kwwwwk.....",
    "..kkkkkkkkkkkk..",
    ".kggggggggggggk.",
    ".kggggggggggegk.",
    ".kggggggggggggk.",
    ".kddddddddddddk.",
    ".kkkwwwwwwwwkkk.",
    "...kwkkkkkkwk...",
    "...kwwwwwwwwk...",
    "...kkkkkkkkkk...",
    "................",
    "................"}},
  {GlyphKind::PageSetup, "page-setup", {
    "................",
    ".kkkkkkkk.......",
    ".kwwwwwwkk......",
    ".kwwwwwwkwk.....",
    ".kwddddwkkkk....",
    ".kwwwwwwwwwk....",
    ".kwddddddwwk....",
    ".kwwwwwwwwwk....",
    ".kwdddddd.nn....",
    ".kwwwwwww.nnn...",
    ".kwdddddd..nnn..",
    ".kwwwwwww...nnn.",
    ".kkkkkkkk....nnk",
    ".............kkk",
    "................",
    "................"}},
  {GlyphKind::Centre, "centre", {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kwwwwwwwwwwwwk.",
    ".kwwwwwrwwwwwwk.",
    ".kwwwwwrwwwwwwk.",
    ".kwwbbbbbbbwwwk.",
    ".kwwbwwrwwbwwwk.",
    ".kwrrrrrrrrrrwk.",
    ".kwwbwwrwwbwwwk.",
    ".kwwbbbbbbbwwwk.",
    ".kwwwwwrwwwwwwk.",
    ".kwwwwwrwwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................"}},
  {GlyphKind::Menu, "menu", {
    "................",
    "................",
    "................",
    "..kkkkkkkk......",
    "................",
    "..kkkkkkkk......",
    "................",
    "..kkkkkkkk......",
    "................",
    "..kkkkkkkk......",
    "................",
    "..........kkkkk.",
    "...........kkk..",
    "............k...",
    "................",
    "................"}},
  {GlyphKind::MissingFile, "missing-file", {
    "................",
    "..dddddddd......",
    "..dwwwwwwdd.....",
    "..dwwwwwwdwd....",
    "..dwwwwwwdddd...",
    "..dwwwwwwwwwd...",
    "..dwrrwwwrrwd...",
    "..dwwrrwrrwwd...",
    "..dwwwrrrwwwd...",
    "..dwwrrwrrwwd...",
    "..dwrrwwwrrwd...",
    "..dwwwwwwwwwd...",
    "..dwwwwwwwwwd...",
    "..ddddddddddd...",
    "................",
    "................"}},
  {GlyphKind::Portrait, "portrait", {
    "................",
    "...kkkkkkkk.....",
    "...kwwwwwwkk....",
    "...kwwwwwwkwk...",
    "...kwbbbbwkkkk..",
    "...kwbccbwwwwk..",
    "...kwbeebwwwwk..",
    "...kwbbbbwwwwk..",
    "...kwwwwwwwwwk..",
    "...kwddddddwwk..",
    "...kwwwwwwwwwk..",
    "...kwddddddwwk..",
    "...kwwwwwwwwwk..",
    "...kwddddddwwk..",
    "...kkkkkkkkkkk..",
    "................"}},
  {GlyphKind::Landscape, "landscape", {
    "................",
    "................",
    "................",
    ".kkkkkkkkkkkk...",
    ".kwwwwwwwwwwkk..",
    ".kwbbbbbbwwwkwk.",
    ".kwbccccbwwwkkkk",
    ".kwbccccbwddddwk",
    ".kwbeeeebwwwwwwk",
    ".kwbbbbbbwddddwk",
    ".kwwwwwwwwwwwwwk",
    ".kwddddddddddwwk",
    ".kwwwwwwwwwwwwwk",
    ".kkkkkkkkkkkkkkk",
    "................",
    "................"}},
  {GlyphKind::Details, "details", {
    "................",
    "kkkkkkkkkkkkkkkk",
    "kggggggkgggkgggk",
    "kkkkkkkkkkkkkkkk",
    "kwwwwwwwwwwwwwwk",
    "kwnnnnnwwdwwddwk",
    "kwwwwwwwwwwwwwwk",
    "kwnnnnwwwdwwddwk",
    "kwwwwwwwwwwwwwwk",
    "kwnnnnnnwdwwddwk",
    "kwwwwwwwwwwwwwwk",
    "kwnnnnwwwdwwddwk",
    "kwwwwwwwwwwwwwwk",
    "kkkkkkkkkkkkkkkk",
    "................",
    "................"}},
};
// clang-format on

const GlyphDef* Find(GlyphKind kind) {
  for (const GlyphDef& g : kGlyphs)
    if (g.kind == kind) return &g;
  return nullptr;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// Dark pixels make up the embossed picture; light ones (paper, highlights)
// vanish, as on the grey buttons of the desktop.
bool IsInk(Color c) {
  if (c == clNone) return false;
  const unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return (r * 30 + g * 59 + b * 11) / 100 < 0xA0;
}

}  // namespace

std::string_view GlyphName(GlyphKind kind) {
  const GlyphDef* g = Find(kind);
  return g ? g->name : "";
}

GlyphKind GlyphByName(std::string_view name) {
  for (const GlyphDef& g : kGlyphs)
    if (SameText(g.name, name)) return g.kind;
  return GlyphKind::None;
}

GlyphPixels RenderGlyph(GlyphKind kind, bool enabled) {
  GlyphPixels out;
  out.fill(clNone);
  const GlyphDef* g = Find(kind);
  if (!g) return out;
  auto at = [&](int x, int y) {
    // Rows shorter than the glyph (a faulty picture) show the background.
    const char* row = g->art[static_cast<size_t>(y)];
    for (int i = 0; i <= x; ++i)
      if (!row[i]) return clNone;
    return PaletteColor(row[x]);
  };
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x) {
      const Color c = at(x, y);
      if (enabled) {
        out[static_cast<size_t>(y * kGlyphSize + x)] = c;
      } else if (IsInk(c)) {
        // The highlight one pixel down and right, the shadow on top of it.
        if (x + 1 < kGlyphSize && y + 1 < kGlyphSize) {
          Color& below = out[static_cast<size_t>((y + 1) * kGlyphSize + x + 1)];
          if (below == clNone) below = clBtnHighlight;
        }
        out[static_cast<size_t>(y * kGlyphSize + x)] = clBtnShadow;
      }
    }
  return out;
}

void PaintGlyphPixels(Canvas& canvas, int x, int y, GlyphKind kind, bool enabled) {
  const GlyphPixels px = RenderGlyph(kind, enabled);
  for (int row = 0; row < kGlyphSize; ++row) {
    int col = 0;
    while (col < kGlyphSize) {
      const Color c = px[static_cast<size_t>(row * kGlyphSize + col)];
      int end = col + 1;
      while (end < kGlyphSize && px[static_cast<size_t>(row * kGlyphSize + end)] == c) ++end;
      if (c != clNone) {
        canvas.SetBrushColor(c);
        canvas.FillRect(Rect{x + col, y + row, end - col, 1});
      }
      col = end;
    }
  }
}

}  // namespace w95::ui
