#include "explorer/remote_dlg.h"

#include <memory>

#include "explorer/file_form.h"
#include "settings/paths.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/screen.h"

namespace w95::explorer {

int32_t RunRemoteDlg(int32_t kind, int32_t restrictFormats) {
  // The hourglass until the dialog is up; the default cursor again on every
  // way out, a failure to build the window included.
  const ui::BusyCursor busy;
  int32_t result = -1;
  {
    auto form = std::make_unique<TFileForm>(ModeFromKind(kind, restrictFormats), true);
    form->ApplyDefaultPlacement();
    form->FillBeforeShowing();
    const ui::ModalResult closedWith = form->ShowModal();
    ui::Guard([&] {
      if (closedWith != ui::mrOk) return;
      int32_t chosen = 0;
      if (ReturnsFormatCode(form->State().setup.mode)) {
        chosen = form->SelectedFormatCode();
        form->StoreSaveSettings();  // a failed write is shown and is no success
      }
      result = chosen;
    });
    ui::Guard([&] { form->FormClose(); });
  }
  return result;
}

std::optional<std::string> RunFolderDlg() {
  const ui::BusyCursor busy;
  std::optional<std::string> folder;
  ModeSetup setup;
  setup.mode = kMoveMode;
  setup.pickFolder = true;
  {
    auto form = std::make_unique<TFileForm>(setup, true);
    form->ApplyDefaultPlacement();
    form->FillBeforeShowing();
    const ui::ModalResult closedWith = form->ShowModal();
    if (closedWith == ui::mrOk) folder = AddBackslash(form->CurrentFolder());
    ui::Guard([&] { form->FormClose(); });
  }
  return folder;
}

}  // namespace w95::explorer
