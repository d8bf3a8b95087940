// A top-level window: modal run with a modal result, or modeless show; close
// (with free for self-owned modeless windows); caption, client size, border,
// position, key preview, stay-on-top. Every form is owned by the library's
// application window.
#pragma once

#include <functional>
#include <string>

#include "ui/control.h"

namespace w95::ui {

class Button;
class MainMenu;

using CloseEvent = std::function<void(Control& sender, CloseAction& action)>;
using CloseQueryEvent = std::function<void(Control& sender, bool& canClose)>;

class Form : public Control {
 public:
  explicit Form(std::string name);
  ~Form() override;

  // Runs the form modally; returns the modal result that ended it.
  ModalResult ShowModal();
  ModalResult GetModalResult() const { return modalResult_; }
  // Setting a result other than mrNone ends a modal run (after OnCloseQuery).
  void SetModalResult(ModalResult result);
  bool Modal() const { return modal_; }

  void Show();  // modeless: returns at once
  void Hide();
  // Closes: a modal form ends with mrCancel; a modeless one runs OnClose and
  // hides, or with CloseAction::Free is destroyed (see ReleaseOnClose).
  void Close();
  // A modeless form owned by nobody but itself: Close with action Free
  // deletes it once the current event has finished.
  void ReleaseOnClose(std::unique_ptr<Form> self);

  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientSize(int width, int height);

  BorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(BorderStyle style);
  bool BorderIcons() const { return borderIcons_; }  // system menu, min, max
  void SetBorderIcons(bool on);
  // Minimised, maximised or normal; bounds are those of the normal window.
  WindowState GetWindowState() const { return windowState_; }
  void SetWindowState(WindowState state);
  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition p) { position_ = p; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on) { keyPreview_ = on; }
  bool StayOnTop() const { return stayOnTop_; }
  // While suspended the window and its controls take no paint; the last
  // resume paints them all once. For a batch of changes made while the window
  // is on screen (filling it as it opens). Calls nest; see PaintingPause.
  bool PaintingSuspended() const { return paintingPauses_ > 0; }
  void SuspendPainting();
  void ResumePainting();
  void SetStayOnTop(bool on);

  Control* ActiveControl() const { return activeControl_; }
  void SetActiveControl(Control* control);
  Button* DefaultButton() const;  // the enabled, visible default button
  Button* CancelButton() const;

  MainMenu* Menu() const { return menu_; }
  void SetMenu(MainMenu* menu);

  // Opens the help file at this form's help context (the desktop's Help).
  void ShowHelp();

  NotifyEvent OnShow;
  NotifyEvent OnActivate;
  NotifyEvent OnDeactivate;
  NotifyEvent OnHide;
  NotifyEvent OnResize;
  NotifyEvent OnDestroy;
  CloseEvent OnClose;
  CloseQueryEvent OnCloseQuery;

  // ---- Backend side.
  void UserActivated();  // the window became active
  void UserClosing();    // the close box or Alt+F4
  // A key as the form sees it before its controls when KeyPreview is on;
  // true when the handler consumed it (set the key to 0).
  bool UserPreviewKey(int& key, unsigned shift);
  // The dialog keys: Return clicks the focused push button or else the
  // default button, Escape the cancel button. True when the key was used.
  bool UserDialogKey(int key, unsigned shift);
  // Alt and a letter: a label with that accelerator focuses its focus
  // control, a button with it is clicked, a tab is chosen. A letter that
  // several controls share moves the focus to the next of them and presses
  // nothing. True when one was found.
  bool UserAccelerator(char letter);
  void UserResized(int clientWidth, int clientHeight);
  void UserMoved(int left, int top);  // the window's outer top-left corner
  void UserWindowState(WindowState state) { windowState_ = state; }
  // Moves the focus to the first control that can take it (tab order).
  void FocusFirst();
  // Called when a modal run is over (modal result set, closed).
  void EndModal();

 private:
  bool CloseQuery();
  void DoClose(CloseAction& action);

  ModalResult modalResult_ = mrNone;
  bool modal_ = false;
  BorderStyle borderStyle_ = BorderStyle::Sizeable;
  bool borderIcons_ = true;
  FormPosition position_ = FormPosition::Designed;
  bool keyPreview_ = false;
  bool stayOnTop_ = false;
  int paintingPauses_ = 0;
  WindowState windowState_ = WindowState::Normal;
  Control* activeControl_ = nullptr;
  MainMenu* menu_ = nullptr;
  std::unique_ptr<Form> self_;
};

// True when the user can work in `form` now: no message box, pop-up menu,
// common dialog or other modal form of the library runs its loop over it.
// Their loops let timers run while the handler that opened them waits: work
// a timer does on a form's contents belongs to the moments it is at rest.
bool AtRest(const Form& form);

// Suspends a form's painting for the life of a block, on every way out.
class PaintingPause {
 public:
  explicit PaintingPause(Form& form) : form_(form) { form_.SuspendPainting(); }
  ~PaintingPause() { form_.ResumePainting(); }
  PaintingPause(const PaintingPause&) = delete;
  PaintingPause& operator=(const PaintingPause&) = delete;

 private:
  Form& form_;
};

}  // namespace w95::ui
