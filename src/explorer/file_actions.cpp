// What the explorer does with a chosen file: the OK work of each mode, the
// chosen name handed to the host, the exchange file, the file menu.
#include <algorithm>
#include <optional>

#include "explorer/file_form.h"
#include "explorer/form_support.h"
#include "explorer/layout.h"
#include "explorer/listing.h"
#include "explorer/messages.h"
#include "explorer/names.h"
#include "explorer/rename.h"
#include "platform/code_page_text.h"
#include "platform/platform.h"
#include "settings/exchange.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/paths.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/screen.h"

namespace w95::explorer {

namespace {

// An icon file with no images: enough to make the name exist.
const std::string kPlaceholder("\0\0\1\0\0\0", 6);

void ShowError(const std::string& text) {
  ui::MessageDlg(text, ui::MsgKind::Error, ui::Buttons::OK);
}
void ShowWarning(const std::string& text) {
  ui::MessageDlg(text, ui::MsgKind::Warning, ui::Buttons::OK);
}

// A folder path as the file system spells its folders ("c:\photos\old
// ones" is shown as "c:\Photos\Old Ones", an alias by its long name).
std::string AsStored(const std::string& folder) {
  if (folder.size() <= 3) return folder;
  std::string out = folder.substr(0, 2);
  for (size_t start = 3; start <= folder.size();) {
    size_t end = folder.find('\\', start);
    if (end == std::string::npos) end = folder.size();
    const std::string part = folder.substr(start, end - start);
    const auto found = Files().Stat(out + "\\" + part);
    out += "\\" + (found && !found->nameless ? found->name : part);
    start = end + 1;
  }
  return out;
}

}  // namespace

void TFileForm::NotifyHost(int code) {
  platform::Current().host->Send(state_.hostWindow, kExplorerNotify, 0, code);
}

void TFileForm::BtnOKClick(ui::Control& sender) {
  if (LeaveVanishedFolder()) return;
  const bool fromOK = &sender == &BtnOK;
  if (!state_.modal) return CommonPath();
  if (FollowTypedPath()) return;
  if (Mode() == kMoveMode) {
    if (Edit1.Text().empty() && !fromOK) return CommonPath();
    // A folder chosen is the folder the dialog is in (RunFolderDlg takes it).
    if (state_.setup.pickFolder) return Accept();
    Settings().WriteText(keys::kSection, keys::kSavename,
                         AddBackslash(HostFolder()) + LongNameOf(state_.saveAsName));
    return Accept();
  }
  // A convert-family kind whose depth is not in the table has no formats to
  // save in: it takes the generic path below.
  if (ReturnsFormatCode(Mode())) {
    if (InConvertFamily() && XFiles.Count() == 0) Edit1.SetText("~");
    if (Edit1.Text().empty() && !(InConvertFamily() && fromOK)) return CommonPath();
    if (InConvertFamily()) Edit1.SetText(AddBackslash(state_.currentFolder) + "~(_)(_)~");
    const std::string name = CheckExtension(Edit1.Text());
    if (name.empty()) return;
    Edit1.SetText(name);
    if (ValidateFileName() == 0) return;
    if (FileExists(name) && ui::MessageDlg(OverwriteQuestion(name), ui::MsgKind::Confirm,
                                           ui::Buttons::YesNo) != ui::mrYes)
      return;
    if (StoreChosenName()) Accept();
    return;
  }
  if (Mode() == kAddMode) {
    const int listed = ListMultipleFiles();
    if (listed > 0) return Accept();
    if (listed < 0) return;
    return CommonPath();
  }
  if (Edit1.Text().empty()) return CommonPath();
  if (Mode() >= kOpenMode) {
    const std::string name = CheckExtension(Edit1.Text());
    if (name.empty()) return;
    Edit1.SetText(name);
  }
  if (RefusedAsNameless(Edit1.Text())) return;
  if (ValidateFileName() == 0) return;
  if (!FileExists(Edit1.Text())) return ShowError(kMsgFileNotFound);
  if (StoreChosenName()) Accept();
}

bool TFileForm::FollowTypedPath() {
  // Only a name box the user types into; the window's only shows the choice.
  if (!state_.modal || !look_.nameEditable || !Edit1.Visible() || InConvertFamily()) return false;
  const std::string text = Edit1.Text();
  if (text.empty()) return false;
  // A listed entry shown with "?" for what the code page lacks is no filter.
  for (int i = 0; i < XFiles.Count(); ++i)
    if (XFiles.Item(i) == text) return false;
  const TypedName t = InterpretTypedName(
      text, state_.currentFolder, [this](const std::string& f) { return FolderExists(f); },
      [](char drive) { return Files().FullPath(std::string(1, drive) + ":"); });
  // The folder as the file system spells it, as the Look-in list shows it.
  const std::string folder = t.folder.empty() ? std::string() : AsStored(NormalFolder(t.folder));
  switch (t.action) {
    case TypedAction::AsName:
      return false;
    case TypedAction::GoToFolder:
      GoToFolder(folder);
      return true;
    case TypedAction::Filter:
      if (LowerAZ(folder) != LowerAZ(state_.currentFolder)) GoToFolder(folder);
      state_.typedFilter = t.name;
      UpdateFiles();
      Edit1.SetText(t.name);  // what the list is filtered by stays in view
      return true;
    case TypedAction::NameInFolder:
      GoToFolder(folder);
      Edit1.SetText(t.name);
      return false;
  }
  return false;
}

void TFileForm::CommonPath() {
  const int i = XFiles.ItemIndex();
  if (i < 0 || XFiles.Count() == 0) return;
  if (XFiles.IsFolder(i)) {
    GoToFolder(AddBackslash(state_.currentFolder) + XFiles.Item(i));
    return;
  }
  if (state_.modal) return;
  if (XFiles.SelCount() == 1) {
    if (NameFollowsSelection() && StoreChosenName()) NotifyHost(kNotifyOneFile);
    return;
  }
  const int listed = ListMultipleFiles();
  if (listed > 0)
    NotifyHost(kNotifySeveralFiles);
  else if (listed == 0)
    ShowWarning(kMsgNoFilesSelected);
}

int TFileForm::ChosenByTheSelection() const {
  std::vector<std::string> entries;
  std::vector<bool> folder, selected;
  for (int i = 0; i < XFiles.Count(); ++i) {
    entries.push_back(XFiles.Item(i));
    folder.push_back(XFiles.IsFolder(i));
    selected.push_back(XFiles.Selected(i));
  }
  return ChosenEntry(entries, folder, selected, Edit1.Text());
}

bool TFileForm::NameFollowsSelection() {
  if (!XFiles.MultiSelect()) return true;
  const int i = ChosenByTheSelection();
  Edit1.SetText(i < 0 ? std::string() : XFiles.Item(i));
  if (i < 0) ShowWarning(kMsgNoFilesSelected);
  return i >= 0;
}

bool TFileForm::RefusedAsNameless(const std::string& name) {
  // A name the code page cannot hold goes to the host by its short form: a
  // file without one (a volume that makes none) cannot be handed on.
  if (platform::CodePageFromShown(name)) return false;
  const std::string full = FullNameOf(name);
  if (!Files().Stat(full) || !HostPathOf(full).empty()) return false;
  ShowError(NameCannotBePassedOn(FileNamePart(name)));
  return true;
}

std::string TFileForm::HostFolder() const {
  const std::string host = HostPathOf(state_.currentFolder);
  return host.empty() ? state_.currentFolder : host;
}

bool TFileForm::RefusedAsNameless(const std::vector<int>& entries) {
  for (int i : entries)
    if (RefusedAsNameless(XFiles.Item(i))) return true;
  return false;
}

bool TFileForm::StoreChosenName() {
  if (RefusedAsNameless(Edit1.Text())) return false;
  const std::string full = FullNameOf(Edit1.Text());
  // The saving modes need the short path of a file that may not exist yet: a
  // placeholder makes it exist for the moment. A file that exists already
  // (the user agreed to overwrite it) is left as it is for the host.
  const bool saving = state_.modal && IsImageSavingMode(Mode());
  bool placeholder = false;
  if (saving && !Files().Stat(full)) {
    if (!Files().WriteFile(full, kPlaceholder)) {
      ShowError(kMsgCannotCreate + full);
      return false;
    }
    placeholder = true;
  }
  std::string shortName;
  try {
    shortName = ShortPathOf(full);
    // A name the code page cannot hold: the host's long name is the short
    // one. Where there is none the host is handed nothing.
    if (!platform::CodePageFromShown(shortName)) {
      if (placeholder) Files().DeleteFile(full);
      ShowError(NameCannotBePassedOn(FileNamePart(full)));
      return false;
    }
    const std::string longName = platform::CodePageFromShown(FileNamePart(full))
                                     ? FileNamePart(full)
                                     : FileNamePart(shortName);
    const TIniFile ini = Settings();
    ini.WriteText(keys::kSection, keys::kLongName, longName);
    ini.WriteText(keys::kSection, state_.modal ? keys::kSavename : keys::kWin95File, shortName);
  } catch (...) {
    if (placeholder) Files().DeleteFile(full);
    throw;
  }
  // A name the code page cannot hold reaches the host only as the short
  // name of a file that exists: the placeholder stays for the host to write
  // over, so that the picture gets the name the user typed.
  if (placeholder && !platform::CodePageFromShown(FileNamePart(full))) return true;
  if (placeholder && !Files().DeleteFile(shortName)) {
    ShowError(kMsgAccessDenied);
    return false;
  }
  return true;
}

int TFileForm::ValidateFileName() {
  const NameVerdict v = explorer::ValidateFileName(
      Edit1.Text(), [this](const std::string& folder) { return FolderExists(folder); });
  if (v.check == NameCheck::Rejected) ShowError(v.message);
  return static_cast<int>(v.check);
}

void TFileForm::ValidateSelection() {
  for (int i = 0; i < XFiles.Count(); ++i)
    if (XFiles.IsFolder(i) && XFiles.Selected(i)) XFiles.SetSelected(i, false);
}

std::vector<int> TFileForm::MarkedEntries() {
  ValidateSelection();
  std::vector<int> chosen;
  for (int i = 0; i < XFiles.Count(); ++i)
    if (XFiles.Selected(i)) chosen.push_back(i);
  return chosen;
}

FileList TFileForm::ShortNamesOf(const std::vector<int>& entries) const {
  FileList list;
  const std::string folder = AddBackslash(state_.currentFolder);
  for (int i : entries) list.files.push_back(FileNamePart(ShortPathOf(folder + XFiles.Item(i))));
  list.folder = FolderPart(ShortPathOf(folder + list.files.back()));
  return list;
}

int TFileForm::ListMultipleFiles() {
  const std::vector<int> chosen = MarkedEntries();
  if (chosen.empty()) return 0;
  if (RefusedAsNameless(chosen)) return -1;
  WriteFileList(ExchangeFile(), ShortNamesOf(chosen));
  return static_cast<int>(chosen.size());
}

void TFileForm::InstantSlideshowClick() {
  const std::vector<int> chosen = MarkedEntries();
  if (XFiles.Count() == 0) return;
  if (chosen.empty()) return ShowWarning(kMsgNoFilesSelected);
  if (RefusedAsNameless(chosen)) return;
  WriteInstantSlideshow(ExchangeFile(), ShortNamesOf(chosen));
  NotifyHost(kNotifyInstantSlideshow);
}

void TFileForm::Edit1Change(ui::Control&) {
  const bool hasText = !Edit1.Text().empty();
  if (!state_.modal || !IsImageSavingMode(Mode())) {
    for (ui::MenuItem* item : {mnuFInfo, mnuFPreview, mnuFRename, mnuFDelete})
      item->SetEnabled(hasText);
    return;
  }
  const OkCaptions c = SaveCaptions(state_.setup, hasText);
  mnuFOpen->SetCaption(c.openEntry);
  if (!c.button.empty()) BtnOK.SetCaption(c.button);
}

void TFileForm::mnuFRenameClick() {
  if (!NameFollowsSelection()) return;
  for (;;) {
    const std::string folder = AddBackslash(state_.currentFolder);
    const std::string oldName = FileNamePart(Edit1.Text());
    if (oldName.empty()) return ShowWarning(kMsgNoFilesSelected);
    std::string value = oldName;
    std::optional<std::string> newName;
    if (ui::InputQuery("Rename File", RenamePrompt(folder), value)) newName = value.substr(0, 255);
    const bool exists = newName && !newName->empty() && Files().Stat(folder + *newName);
    const RenameDecision d = DecideRename(folder, oldName, newName, exists);
    switch (d.action) {
      case RenameAction::End:
        return;
      case RenameAction::WarnExists:
        ShowWarning(d.message);
        continue;
      case RenameAction::WarnInvalid:
        ShowError(d.message);
        continue;
      case RenameAction::AskExtension:
        if (ui::MessageDlg(d.message, ui::MsgKind::Confirm, ui::Buttons::OKCancel) != ui::mrOk)
          continue;
        break;
      case RenameAction::Rename:
        break;
    }
    if (Files().MoveFile(folder + oldName, d.newFull))
      UpdateFiles();
    else
      ShowError(CouldNotRename(folder + oldName, d.newFull));
    return;
  }
}

void TFileForm::MarkAll(bool mark) {
  XFiles.SelectWhere([&](int i) { return mark && !XFiles.IsFolder(i); });
  ValidateSelection();
}

void TFileForm::mnuListInputClick() {
  const bool show = !InputList.Visible();
  PanelTop.SetVisible(!show);
  PanelButtons.SetVisible(!show);
  XFiles.SetVisible(!show);
  InputList.SetVisible(show);
  mnuListInput->SetCaption(show ? "&Hide input files" : "&View input files");
  for (ui::MenuItem* item : {N1, mnuFOpen, mnuFLevel, mnuRefresh}) item->SetVisible(!show);
  if (show && InputList.Count() == 0) {
    for (const std::string& name : ReadFileList(ExchangeFile(), kViewInputDefaults).files)
      InputList.Add(LowerAZ(name));
  }
  if (show) InputList.SetFocus();
}

void TFileForm::PreviewIt() {
  if (state_.modal) return;
  if (NameFollowsSelection() && StoreChosenName()) NotifyHost(kNotifyPreview);
}

void TFileForm::FileMenuClick(ui::MenuItem& item) {
  if (&item == mnuFLevel) return BtnUpClick(BtnUp);
  if (&item == mnuFOpen) return BtnOKClick(*this);
  if (&item == mnuFInfo) return InfoClick();
  if (&item == mnuFPreview) return PreviewIt();
  if (&item == mnuFDelete) return mnuFDeleteClick();
  if (&item == BatchConvert) return BatchConvertClick();
  if (&item == mnuFRename) return mnuFRenameClick();
  if (&item == mnuRefresh) return UpdateFiles();
  if (&item == MarkDirectory) return MarkAll(true);
  if (&item == UnmarkDirectory) return MarkAll(false);
  if (&item == InstantSlideshow) return InstantSlideshowClick();
  if (&item == mnuListInput) return mnuListInputClick();
}

void TFileForm::ViewMenuClick(ui::MenuItem& item) {
  if (&item == mnuFile) {
    Edit1Change(Edit1);
    FileMenu.Popup(Left() + BtnMenu.Left() + BtnMenu.Width(),
                   Top() + BtnMenu.Top() + BtnMenu.Height());
  } else if (&item == mnuOneCol) {
    const bool on = !item.Checked();
    item.SetChecked(on);
    mnuOptimizeWin->SetEnabled(!on);
    mnuMaxWin->SetEnabled(!on);
    XFiles.SetColumns(on ? 0 : 2);
    UpdateFiles();
  } else if (&item == mnuLowercase || &item == mnuDirLast) {
    item.SetChecked(!item.Checked());
    UpdateFiles();
  } else if (&item == mnuOptimizeWin || &item == mnuMaxWin) {
    SetWindowState(ui::WindowState::Normal);  // sizes are those of a normal window
    FitWindowWidth(&item == mnuMaxWin);
  } else if (&item == mnuFont) {
    ui::Font f = XFiles.GetFont();
    if (ui::FontDialog(f)) {
      f.size = std::clamp(f.size, 6, 14);  // the sizes the dialog offers
      SetFont(f);
      ui::Application().ProcessMessages();
      UpdateFiles();
    }
  } else if (&item == mnuResetWin) {
    // The default size and place are those of the size rule, however the
    // window was opened (a remembered placement included). The window is
    // hidden while it moves; a modal dialog stays up, so that the focus
    // never leaves it.
    SetWindowState(ui::WindowState::Normal);
    SetFont(state_.defaultFont);
    const bool shown = Visible() && !state_.modal;
    if (shown) Hide();
    const auto r = DefaultPlacement(ui::Screen().Width(), ui::Screen().Height());
    SetWindowBounds(r.left, r.top, r.width, r.height);
    if (shown) Show();
    UpdateFiles();
  } else if (&item == mnuDetails) {
    SetDetailsView(!state_.details, true);
  } else if (&item == mnuPreviewPane) {
    SetPreviewPane(!Preview.Shown(), true);
  } else if (&item == PreviewMode) {
    item.SetChecked(!item.Checked());
    ui::MessageDlg(item.Checked() ? kMsgPreviewOn : kMsgPreviewOff, ui::MsgKind::Information,
                   ui::Buttons::OK);
  }
}

}  // namespace w95::explorer
