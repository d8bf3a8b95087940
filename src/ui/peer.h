// The backend seam. A control owns at most one peer (the Win32 backend's
// window; the headless backend makes none). The peer keeps no state of its
// own: it re-reads the property it is told about from its control, and it
// reports user input back through the control's User... entry points.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/types.h"

namespace w95::ui {

class Control;
class Form;
class Timer;
class PopupMenu;
class MenuItem;

// The properties a peer is told to re-read.
enum class Prop {
  Text,
  Bounds,
  Enabled,
  Visible,
  Font,
  BackColor,
  ReadOnly,
  Alignment,
  Bevel,
  Checked,
  Range,
  Position,
  Steps,
  Items,
  ItemIndex,
  Selection,
  TopIndex,
  Default,
  Cells,
  Menu,
  Cursor,
  Caption,
  BorderStyle,
  Style,
  Hint,
  Glyph,
  WindowState,
  Painting,
};

class Peer {
 public:
  virtual ~Peer() = default;
  virtual void Changed(Prop p) = 0;
  virtual void Focus() = 0;
  virtual void Invalidate() = 0;
  virtual uintptr_t Handle() const = 0;  // the native window (HWND), 0 when none
  // Paints now what the window and its children owe, instead of one round
  // of the message loop each.
  virtual void PaintNow() {}
  // The first entry a list shows now, where the user may have scrolled it
  // without telling; -1 when the peer keeps no scroll place of its own.
  virtual int ScrollPlace() const { return -1; }
};

// What every backend provides. Pure virtual on purpose: a backend that lacks
// a piece does not compile instead of silently doing nothing.
class Backend {
 public:
  virtual ~Backend() = default;
  // A peer for a control whose parent already has one (or for a form).
  virtual std::unique_ptr<Peer> CreatePeer(Control& control) = 0;
  // Runs the form modally until its modal result is set; returns it.
  virtual ModalResult RunModal(Form& form) = 0;
  // Lets pending messages run (paint, input, timers).
  virtual void ProcessMessages() = 0;
  // Shows the popup menu at a screen point; the chosen item or nullptr.
  virtual MenuItem* TrackPopup(PopupMenu& menu, Point at) = 0;
  virtual ModalResult Message(MsgKind kind, std::string_view text, Buttons buttons) = 0;
  virtual void StartTimer(Timer& timer) = 0;
  virtual void StopTimer(Timer& timer) = 0;
  virtual void SetCursor(Cursor cursor) = 0;
  // Common dialogs; false when the user cancels.
  virtual bool PickColor(Color& color) = 0;
  virtual bool PickFont(Font& font) = 0;
  virtual bool RunPrintSetup() = 0;
  // A form closed with CloseAction::Free waits to be freed: free it once the
  // current event is over (Application().FreeReleasedForms()).
  virtual void ScheduleFree() = 0;
  // The library is being unloaded: give back the application window, window
  // classes, timers, hooks and cached drawing objects.
  virtual void Shutdown() = 0;
  // The time stamp (milliseconds, any origin) of the key the user pressed
  // last: the pause that ends a type-ahead search is measured with it.
  virtual uint32_t KeyTime() = 0;
  // The library's hidden application window that owns every form (0 headless).
  virtual uintptr_t ApplicationHandle() = 0;
};

// The backend in use: the build's own (headless natively, Win32 in PE
// builds) unless a test installed another.
Backend& CurrentBackend();
void SetBackend(Backend* backend);  // nullptr: back to the build's own
Backend& DefaultBackend();          // defined by ui/headless or ui/win32

}  // namespace w95::ui
