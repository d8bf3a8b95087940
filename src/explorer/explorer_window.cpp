// The explorer as a modeless window: opening beside the host, its placement,
// the refresh the host asks for, and the requests handed to the host.
#include <algorithm>
#include <string>
#include <vector>

#include "explorer/file_form.h"
#include "explorer/form_support.h"
#include "explorer/layout.h"
#include "explorer/listing.h"
#include "explorer/messages.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/screen.h"

namespace w95::explorer {

namespace {
ScreenFacts TheScreen() {
  return {ui::Screen().Width(), ui::Screen().Height(), ui::Screen().WorkArea(),
          ui::Screen().PixelsPerInch()};
}
}  // namespace

void TFileForm::OpenWindow(uintptr_t hostWindow, bool rememberPlacement) {
  state_.rememberPlacement = rememberPlacement;
  state_.navigating = true;
  state_.initialising = true;
  XFiles.SetMultiSelect(true);
  BtnExit.OnClick = [this](ui::Control&) { Close(); };
  ApplyFontRule();
  const Rect r = DefaultPlacement(ui::Screen().Width(), ui::Screen().Height());
  state_.defaultWidth = r.width;
  state_.defaultHeight = r.height;
  if (rememberPlacement)
    RestoreWindowPlacement();
  else
    SetWindowBounds(r.left, r.top, r.width, r.height);
  ReadStartFolderEarly();
  // Made and filled while still hidden, then shown and painted once; a
  // failure on the way still shows what there is, as before.
  CreatePeers();
  try {
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
  } catch (...) {
    Show();
    throw;
  }
  Show();
  // A list with entries takes the focus, as one filled on screen does (on a
  // slow drive it takes it with its first entries).
  if (XFiles.Count() > 0 && XFiles.Showing()) XFiles.SetFocus();
}

void TFileForm::RestoreWindowPlacement() {
  const TIniFile ini = Settings();
  Rect stored;
  stored.top = ini.ReadNumber(keys::kSection, keys::kWinTop, -1);
  stored.left = ini.ReadNumber(keys::kSection, keys::kWinLeft, -1);
  stored.width = ini.ReadNumber(keys::kSection, keys::kWinWidth, -1);
  stored.height = ini.ReadNumber(keys::kSection, keys::kWinHeight, -1);
  const ui::Rect r = RestoredPlacement(stored, TheScreen());
  const bool shown = Visible();
  if (shown) Hide();
  SetWindowBounds(r.left, r.top, r.width, r.height);
  ui::Application().ProcessMessages();
  if (shown) Show();
}

bool TFileForm::LeaveVanishedFolder() {
  if (!state_.open || FolderExists(state_.currentFolder)) return false;
  const std::string gone = NormalFolder(state_.currentFolder);
  std::string parent = gone;
  while (parent.size() > 3 && !FolderExists(parent)) {
    const size_t sep = parent.find_last_of('\\');
    parent = NormalFolder(sep == std::string::npos ? parent.substr(0, 2) : parent.substr(0, sep));
  }
  // A drive that is gone as a whole has no parent to go to: the list shows
  // it empty, as before.
  if (!FolderExists(parent)) return false;
  ui::MessageDlg("The folder " + gone + " is no longer there.", ui::MsgKind::Warning,
                 ui::Buttons::OK);
  GoToFolder(parent);
  return true;
}

void TFileForm::RefreshWindow() {
  if (LeaveVanishedFolder()) return;
  // The list stays as it is while the folder is read.
  RereadFolder([this](Listing fresh) { RefreshWith(std::move(fresh)); });
}

void TFileForm::RefreshWith(Listing fresh) {
  // What the user had selected stays selected, by name, where it is still
  // listed; only when none of it is left does the current entry step back.
  const int p = XFiles.ItemIndex();
  const std::string current = p >= 0 && p < XFiles.Count() ? XFiles.Item(p) : std::string();
  std::vector<std::string> selected;
  for (int i = 0; i < XFiles.Count(); ++i)
    if (XFiles.Selected(i)) selected.push_back(XFiles.Item(i));
  const int top = XFiles.TopIndex();
  ListingRead(std::move(fresh));
  if (XFiles.Count() == 0) return;
  const Reselection again = ReselectByName(XFiles.Texts(), selected, current);
  if (again.current >= 0) {
    XFiles.SelectWhere([&](int i) { return again.selected[static_cast<size_t>(i)]; });
    XFiles.SetItemIndex(again.current);
    XFiles.SetTopIndex(std::min(top, again.current));
    Edit1.SetText(XFiles.IsFolder(again.current) ? std::string() : XFiles.Item(again.current));
    return;
  }
  if (p <= 0) return;
  // The entry before the remembered one; the last when the list got shorter.
  const int i = std::min(p - 1, XFiles.Count() - 1);
  XFiles.SetSelected(0, false);
  XFiles.SetSelected(i, true);
  XFiles.SetItemIndex(i);
  Edit1.SetText(XFiles.IsFolder(i) ? std::string() : XFiles.Item(i));
}

// Information and delete name the selected file, never one the user has
// deselected since clicking it.
void TFileForm::InfoClick() {
  if (NameFollowsSelection() && StoreChosenName()) NotifyHost(kNotifyInfo);
}

void TFileForm::mnuFDeleteClick() {
  if (NameFollowsSelection() && StoreChosenName()) NotifyHost(kNotifyDelete);
}

void TFileForm::BatchConvertClick() {
  const int listed = ListMultipleFiles();
  if (listed > 0)
    NotifyHost(kNotifyConvert);
  else if (listed == 0)
    ui::MessageDlg(kMsgNoFilesSelected, ui::MsgKind::Warning, ui::Buttons::OK);
}

}  // namespace w95::explorer
