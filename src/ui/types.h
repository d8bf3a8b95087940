// Small value types shared by the toolkit's controls and its backends.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace w95::ui {

// The result a modal form or a message box ends with (the values of the
// Windows button ids, so a backend can pass them straight through).
enum ModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
};

// The four kinds of message box; each has its own title and icon.
enum class MsgKind { Warning, Error, Information, Confirm };
// The button sets a message box offers.
enum class Buttons { OK, YesNo, YesNoCancel, OKCancel };

const char* TitleOf(MsgKind kind);  // "Warning", "Error", "Information", "Confirm"

struct Point {
  int x = 0;
  int y = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool Contains(Point p) const {
    return p.x >= left && p.x < Right() && p.y >= top && p.y < Bottom();
  }
};

// Colours as 0x00BBGGRR; values with the top bit set name a system colour
// (0x80000000 | COLOR_xxx index).
using Color = uint32_t;
constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clRed = 0x0000FF;
constexpr Color clNavy = 0x800000;
constexpr Color clScrollBar = 0x80000000;
constexpr Color clWindowText = 0x80000008;
constexpr Color clWindow = 0x80000005;
constexpr Color clBtnFace = 0x8000000F;
constexpr Color clHighlight = 0x8000000D;
constexpr Color clHighlightText = 0x8000000E;
constexpr Color clGrayText = 0x80000011;
constexpr Color clBtnShadow = 0x80000010;
constexpr Color clBtnHighlight = 0x80000014;
constexpr Color clNone = 0x1FFFFFFF;  // no colour: the background shows through
inline bool IsSystemColor(Color c) { return (c & 0x80000000u) != 0; }

struct Font {
  std::string name = "MS Sans Serif";
  int size = 8;  // points
  // When not 0, the character height in pixels whatever the screen's
  // resolution (a negative height for the platform's font); size then only
  // serves the headless text measures.
  int pixelHeight = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Color color = clWindowText;
  bool operator==(const Font&) const = default;
};

// The platform's (negative) font height at a screen resolution in dots per
// inch: the pixel height when one is set, else the points scaled and rounded.
inline int FontHeight(const Font& f, int dpi) {
  if (f.pixelHeight != 0) return -f.pixelHeight;
  return -((f.size * dpi + 36) / 72);
}

// Placement of a control inside its parent's client area.
enum class Align { None, Top, Bottom, Left, Right, Client };
// Text alignment of labels and edit boxes.
enum class Alignment { Left, Right, Center };
enum class Bevel { None, Lowered, Raised };
enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow };
enum class WindowState { Normal, Minimized, Maximized };
enum class FormPosition { Designed, ScreenCenter };
enum class CloseAction { None, Hide, Free, Minimize };

enum class Cursor {
  Default,
  HourGlass,
  Drag,
  NoDrop,
  HSplit,
  VSplit,
  SizeNS,
  SizeWE,
  Cross,
  Arrow
};

// Modifier keys held while a key or mouse button is pressed.
enum Shift : unsigned { ssNone = 0, ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16 };
enum class MouseButton { Left, Right, Middle };

// Virtual-key codes (the Windows values).
enum Key : int {
  vkBack = 8,
  vkTab = 9,
  vkReturn = 13,
  vkShift = 16,
  vkControl = 17,
  vkEscape = 27,
  vkSpace = 32,
  vkPrior = 33,
  vkNext = 34,
  vkEnd = 35,
  vkHome = 36,
  vkLeft = 37,
  vkUp = 38,
  vkRight = 39,
  vkDown = 40,
  vkInsert = 45,
  vkDelete = 46,
  vkF1 = 112,
};

// Scroll bar codes (SB_xxx) reported to OnScroll.
enum class ScrollCode {
  LineUp,
  LineDown,
  PageUp,
  PageDown,
  Position,
  Track,
  Top,
  Bottom,
  EndScroll
};

// Raised by the test backends when a scenario meets something it did not
// script (an unexpected message box or modal form, a click on a disabled
// control). It is never turned into an error box.
class ScriptFailure : public std::logic_error {
 public:
  explicit ScriptFailure(const std::string& what) : std::logic_error(what) {}
};

}  // namespace w95::ui
