#include "explorer/remote_dlg.h"

#include <memory>

#include "explorer/file_form.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/screen.h"

namespace w95::explorer {

int32_t RunRemoteDlg(int32_t kind, int32_t restrictFormats) {
  ui::Screen().SetCursor(ui::Cursor::HourGlass);
  int32_t result = -1;
  {
    auto form = std::make_unique<TFileForm>(ModeFromKind(kind, restrictFormats), true);
    form->ApplyDefaultPlacement();
    const ui::ModalResult closedWith = form->ShowModal();
    ui::Guard([&] {
      if (closedWith == ui::mrOk) {
        result = 0;
        if (ReturnsFormatCode(form->State().setup.mode)) {
          result = form->SelectedFormatCode();
          form->StoreSaveSettings();
        }
      }
    });
    ui::Guard([&] { form->FormClose(); });
  }
  ui::Screen().SetCursor(ui::Cursor::Default);
  return result;
}

}  // namespace w95::explorer
