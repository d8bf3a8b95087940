// The explorer as a modeless window: opening beside the host, its placement,
// the refresh the host asks for, and the requests handed to the host.
#include <algorithm>

#include "explorer/file_form.h"
#include "explorer/form_support.h"
#include "explorer/layout.h"
#include "explorer/messages.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/screen.h"

namespace w95::explorer {

namespace {
// Where the window stands as designed, when no usable placement is stored.
constexpr Rect kDesigned{333, 231, 413, 310};
}  // namespace

void TFileForm::OpenWindow(uintptr_t hostWindow, bool rememberPlacement) {
  state_.rememberPlacement = rememberPlacement;
  state_.navigating = true;
  state_.initialising = true;
  XFiles.SetMultiSelect(true);
  BtnExit.OnClick = [this](ui::Control&) { Close(); };
  ApplyFontRule();
  if (rememberPlacement) {
    SetWindowBounds(kDesigned.left, kDesigned.top, kDesigned.width, kDesigned.height);
    state_.defaultWidth = kDesigned.width;
    state_.defaultHeight = kDesigned.height;
    RestoreWindowPlacement();
  } else {
    const Rect r = DefaultPlacement(ui::Screen().Width(), ui::Screen().Height());
    state_.defaultWidth = r.width;
    state_.defaultHeight = r.height;
    SetWindowBounds(r.left, r.top, r.width, r.height);
  }
  Show();
  state_.hostWindow = hostWindow;
  GoToFolder(state_.startFolder);
  XFiles.SetEnabled(true);
  state_.open = true;
  state_.navigating = false;
  state_.initialising = false;
  FormResize(*this);
  UpdateFiles();
  UpdateHistory();
  CalcStringWidth();
}

void TFileForm::RestoreWindowPlacement() {
  const TIniFile ini = Settings();
  const int top = ini.ReadNumber(keys::kSection, keys::kWinTop, -1);
  const int left = ini.ReadNumber(keys::kSection, keys::kWinLeft, -1);
  const int width = ini.ReadNumber(keys::kSection, keys::kWinWidth, -1);
  const int height = ini.ReadNumber(keys::kSection, keys::kWinHeight, -1);
  if (top == -1 || left == -1 || width == -1 || height == -1) return;
  if (left + width > ui::Screen().Width() || top + height > ui::Screen().Height()) return;
  const bool shown = Visible();
  if (shown) Hide();
  SetWindowBounds(left, top, width, height);
  ui::Application().ProcessMessages();
  if (shown) Show();
}

void TFileForm::RefreshWindow() {
  // The folder on show may be gone (removed by the host or another
  // program): the user is told, and the list shows the nearest folder above
  // it that is still there, rather than an empty list of nothing.
  if (state_.open && !FolderExists(state_.currentFolder)) {
    const std::string gone = NormalFolder(state_.currentFolder);
    std::string parent = gone;
    while (parent.size() > 3 && !FolderExists(parent)) {
      const size_t sep = parent.find_last_of('\\');
      parent = NormalFolder(sep == std::string::npos ? parent.substr(0, 2) : parent.substr(0, sep));
    }
    if (FolderExists(parent)) {
      ui::MessageDlg("The folder " + gone + " is no longer there.", ui::MsgKind::Warning, ui::Buttons::OK);
      GoToFolder(parent);
      return;
    }
  }
  const int p = XFiles.ItemIndex();
  UpdateFiles();
  if (p <= 0 || XFiles.Count() == 0) return;
  // The entry before the remembered one; the last when the list got shorter.
  const int i = std::min(p - 1, XFiles.Count() - 1);
  XFiles.SetSelected(0, false);
  XFiles.SetSelected(i, true);
  XFiles.SetItemIndex(i);
  Edit1.SetText(XFiles.IsFolder(i) ? std::string() : XFiles.Item(i));
}

void TFileForm::InfoClick() {
  if (StoreChosenName()) NotifyHost(kNotifyInfo);
}

void TFileForm::mnuFDeleteClick() {
  if (StoreChosenName()) NotifyHost(kNotifyDelete);
}

void TFileForm::BatchConvertClick() {
  if (ListMultipleFiles() > 0)
    NotifyHost(kNotifyConvert);
  else
    ui::MessageDlg(kMsgNoFilesSelected, ui::MsgKind::Warning, ui::Buttons::OK);
}

}  // namespace w95::explorer
