#include "explorer/remote_win.h"

#include <exception>
#include <memory>

#include "explorer/file_form.h"
#include "ui/control.h"

namespace w95::explorer {

namespace {
TFileForm* window = nullptr;
}  // namespace

TFileForm* ExplorerWindow() { return window; }

void RunRemoteWin(uintptr_t hostWindow, bool rememberPlacement) {
  if (window) {
    window->State().rememberPlacement = rememberPlacement;
    window->Show();  // shows a hidden window, restores a minimised one
    return;
  }
  auto form = std::make_unique<TFileForm>(ModeSetup{}, false);
  TFileForm* f = form.get();
  // The window is gone for the host before its last settings are written:
  // a write that fails is reported and the window still closes.
  f->OnClose = [f](ui::Control&, ui::CloseAction&) {
    if (window == f) window = nullptr;
    f->FormClose();
  };
  f->ReleaseOnClose(std::move(form));
  window = f;
  f->OpenWindow(hostWindow, rememberPlacement);
}

void RemoteWinUpdate() {
  if (window) window->RefreshWindow();
}

void RemoteWinHide() {
  if (window) window->Hide();
}

void RemoteWinClose() {
  if (!window) return;
  TFileForm* f = window;
  // Closing writes the same keys again and reports a failure there; the
  // window closes either way.
  try {
    if (f->State().rememberPlacement) f->SaveWindowState();
  } catch (const std::exception&) {}
  f->Close();
}

}  // namespace w95::explorer
