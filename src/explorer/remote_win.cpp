#include "explorer/remote_win.h"

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
  f->OnClose = [f](ui::Control&, ui::CloseAction&) {
    f->FormClose();
    if (window == f) window = nullptr;
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
  if (window->State().rememberPlacement) window->SaveWindowState();
  window->Close();
}

}  // namespace w95::explorer
