// Shared pieces of the Win32 backend: the peer base class (an HWND mapped to
// its peer by a table in the process), fonts and brushes, the application window
// and the error parking that keeps C++ exceptions out of window procedures.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "ui/control.h"
#include "ui/menu.h"
#include "ui/peer.h"

namespace w95::ui {
class Button;
class Edit;
class Form;
class Label;
class ListBox;
}  // namespace w95::ui

namespace w95::ui::win32 {

// The message that runs a test session's script inside a modal loop.
constexpr UINT kRunScript = WM_APP + 0x95;
// Posted to a peer's own window: work done once the current changes are over.
constexpr UINT kDeferred = WM_APP + 0x98;

class WindowPeer : public Peer {
 public:
  WindowPeer(Control& control, HWND hwnd);
  ~WindowPeer() override;
  void Changed(Prop p) override;
  void Focus() override;
  void Invalidate() override { InvalidateRect(hwnd_, nullptr, TRUE); }
  void PaintNow() override {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(hwnd_); }

  Control& GetControl() const { return control_; }
  HWND Hwnd() const { return hwnd_; }
  // The peer of a window of ours, or null. The links are kept in the process
  // (the system's window data costs a round trip to it for every window
  // made and every window gone); a link goes with its peer (Unlink) or with
  // its window (Gone, at WM_NCDESTROY), so a handle the system hands out
  // again never leads to the peer of a window that is gone.
  static WindowPeer* From(HWND hwnd);
  static void Link(HWND hwnd, WindowPeer* peer);
  static void Unlink(HWND hwnd, const WindowPeer* peer);  // if still linked to that peer
  static void Gone(HWND hwnd);

  // Notifications the parent window reflects to its child's peer.
  virtual void Command(WORD /*code*/) {}
  virtual void Scroll(WORD /*code*/, int /*pos*/) {}
  virtual void DrawItem(const DRAWITEMSTRUCT&) {}
  virtual void MeasureItem(MEASUREITEMSTRUCT&) {}
  virtual void Notify(const NMHDR&) {}
  virtual HBRUSH ControlColor(HDC dc);
  virtual void Deferred() {}  // kDeferred arrived
  // A native control that paints from what it drew before: true when
  // WM_PAINT was answered so.
  virtual bool PaintKept() { return false; }
  // The mouse moved over a native control (its own WM_MOUSEMOVE).
  virtual void MouseMoved() {}
  // Subclassed native controls: the original window procedure.
  WNDPROC original = nullptr;

 protected:
  // Sets the native text without echoing a change notification back.
  void PutText(const std::string& text);
  bool updating_ = false;
  Control& control_;
  HWND hwnd_;
};

// Windows of our own class (forms, panels, grids): one procedure, virtual
// handling per kind; child notifications are reflected to the child's peer.
class ContainerPeer : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;
  virtual LRESULT Proc(UINT msg, WPARAM wp, LPARAM lp);
  virtual void Paint(HDC dc);  // fills the client area with the control's colour
  // Asks the system once until the next paint: filling thousands of cells
  // of a grid in view costs one request, not one a cell.
  void Invalidate() override;
  // A form's hints (win32_hints.cpp): its tooltip window once made, and
  // whether some control of it shows a hint while none is made.
  HWND hintWindow = nullptr;
  bool hintWanted = false;

 private:
  bool invalid_ = false;  // the whole window is to be painted and has not been yet
};
HWND CreateContainer(Control& c, DWORD exStyle, DWORD style, HWND parent, int id, const Rect& r);
unsigned ShiftState();
LPCSTR CursorId(Cursor c);
HCURSOR CursorHandle(Cursor c);  // the system's cursor, loaded once

HFONT FontHandle(const Font& font);
HBRUSH BrushOf(Color color);
COLORREF ColorRef(Color color);
HWND AppWindow();
HINSTANCE Instance();
// Unloading: the cached fonts and brushes, the window class of our own windows.
void ReleaseGdiCache();
// The scroll bars' kept pictures (win32_native_peers.cpp), given back with the rest.
void ReleaseKeptBars();
void UnregisterContainerClass();

// Runs fn without letting an exception unwind through Windows: an error is
// shown in the standard error box; a test's ScriptFailure is parked (every
// modal loop then ends) and RunModal or the test user rethrows it.
void Safely(const std::function<void()>& fn);
bool HasParkedFailure();
void RethrowParkedFailure();

// ---- Peers. MakePeer (win32_styles.cpp) makes a control's window with the
// styles below and hands it to the peer of its family: native controls
// (win32_native_peers.cpp), the list (win32_list_peer.cpp), the grid
// (win32_grid_peer.cpp), panels and images (win32_containers.cpp), the
// form (win32_form.cpp).
std::unique_ptr<Peer> MakePeer(Control& control);
std::unique_ptr<Peer> MakeFormPeer(Form& form);
std::unique_ptr<WindowPeer> MakeButtonPeer(Control& c, HWND h);  // also check boxes, radio buttons
std::unique_ptr<WindowPeer> MakeLabelPeer(Control& c, HWND h);
std::unique_ptr<WindowPeer> MakeEditPeer(Control& c, HWND h);
std::unique_ptr<WindowPeer> MakeScrollBarPeer(Control& c, HWND h);
std::unique_ptr<WindowPeer> MakeComboPeer(Control& c, HWND h);
std::unique_ptr<WindowPeer> MakeTabPeer(Control& c, HWND h);
std::unique_ptr<WindowPeer> MakeListPeer(Control& c, HWND h);
std::unique_ptr<WindowPeer> MakeGridPeer(Control& c, HWND h);
std::unique_ptr<WindowPeer> MakePanelPeer(Control& c, HWND h);
std::unique_ptr<WindowPeer> MakeImagePeer(Control& c, HWND h);

// The window styles that show a control's properties, for its creation and
// for a change on screen: push button kind (owner drawn with a glyph),
// label and edit alignment (an edit's read-only too), the list's selection,
// columns and owner drawing (styles a list reads only when it is made).
DWORD StylesOf(const Button& b);
DWORD StylesOf(const Label& l);
DWORD StylesOf(const Edit& e);
DWORD StylesOf(const ListBox& lb);

// A native control, subclassed: SubclassProc gives its focus, keys and
// mouse to the control (CommonInput) before the control's own procedure.
class NativePeer : public WindowPeer {
 public:
  NativePeer(Control& c, HWND h);
  ~NativePeer() override;
};
LRESULT CALLBACK SubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
// Input common to every peer; true when the message was used up.
bool CommonInput(WindowPeer& p, UINT msg, WPARAM wp, LPARAM lp);
std::string NativeText(HWND h);  // a window's text, as shown text
// Text crosses into the windows wide: the toolkit's strings are shown text
// (platform/code_page_text.h: the code page, or UTF-8 for what it cannot
// hold), every window is a Unicode window and takes them as UTF-16.
std::wstring WideText(std::string_view shown);
std::string ShownText(std::wstring_view wide);

// Queues a session's script to run inside the form's modal loop (win32_form.cpp).
void QueueScript(Form& form, std::function<void(Form&)> script);
// Lets the pending messages run, with dialog navigation for the active form.
void PumpPending();
// Dispatches one message as the modal loop does (key preview, dialog keys).
void PumpMessage(MSG& msg);
// Gives modeless forms their dialog keys on the host's message loop: a form
// tells when it is shown without a modal loop and when it is hidden or gone.
void ModelessShown(const WindowPeer& form, bool shown);
bool ModelessKeysHooked();  // the hook is set now
// Hints as tooltips (win32_hints.cpp): SyncHint after the control's hint
// changed or its window was made, MoveHint after it moved, DropHint before
// its window goes; RelayHint passes a window's mouse message to the tooltip.
void EnsureCommonControls();
// The form's tooltip window, made now when a control of the form shows a
// hint and none is made yet (else it comes with the mouse); or null.
HWND HintWindow(HWND anyWindowOfForm);
void SyncHint(WindowPeer& peer);
void MoveHint(WindowPeer& peer);
void DropHint(WindowPeer& peer);
void DropHintWindow(HWND form);
void RelayHint(HWND h, UINT msg, WPARAM wp, LPARAM lp);
// Menus (win32_menus.cpp).
HMENU BuildMenu(const w95::ui::MenuItem& root, bool bar);
void RefreshPopup(HMENU menu);

}  // namespace w95::ui::win32
