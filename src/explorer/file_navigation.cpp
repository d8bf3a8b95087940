// The explorer window's file list and folders: listing, columns, the
// Look-in history, navigation, clicks and keys, layout.
#include "explorer/file_form.h"

#include <algorithm>

#include "explorer/form_support.h"
#include "explorer/history.h"
#include "explorer/layout.h"
#include "explorer/listing.h"
#include "explorer/messages.h"
#include "explorer/names.h"
#include "platform/code_page_text.h"
#include "settings/paths.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/screen.h"
#include "ui/text_metrics.h"

namespace w95::explorer {

// ---- Folders and the file list.

namespace {
// The picture of a drive in the Look-in box, by its kind.
ui::GlyphKind DriveGlyph(unsigned driveType) {
  switch (driveType) {
    case 2:
      return ui::GlyphKind::Floppy;  // removable
    case 5:
      return ui::GlyphKind::CdDrive;  // CD-ROM
    default:
      return ui::GlyphKind::HardDrive;
  }
}
}  // namespace

bool TFileForm::FolderExists(const std::string& folder) const {
  const std::string f = NormalFolder(folder);
  if (f.size() == 3 && f[1] == ':') {
    const char letter = UpperAZ(std::string(1, f[0]))[0];
    return Files().Drives().find(letter) != std::string::npos && Files().DriveReady(letter);
  }
  const auto found = Files().Stat(f);
  return found && found->IsDirectory();
}

bool TFileForm::FileExists(const std::string& name) const {
  const auto found = Files().Stat(FullNameOf(name));
  return found && !found->IsDirectory();
}

std::string TFileForm::FullNameOf(const std::string& boxText) const {
  return IsFullPath(boxText) ? boxText : AddBackslash(state_.currentFolder) + boxText;
}

void TFileForm::GoToFolder(const std::string& folder) {
  // Folders the code page cannot hold are shown by their real names (the
  // host's keys take the short form).
  // The start folder's was worked out as its early reading began.
  const std::string normal = NormalFolder(folder);
  state_.currentFolder = early_ && normal == earlyFrom_ ? earlyFolder_ : ShownPathOf(normal);
  state_.typedFilter.clear();
  Files().SetCurrentDirectory(state_.currentFolder);
  if (!state_.open) return;
  UpdateFiles();
  UpdateHistory();
}

void TFileForm::ShowListing() {
  if (state_.details) {
    const Listing& l = state_.listing;
    state_.shown = Reordered(l, DetailsOrder(l, state_.sort, [&](size_t i) -> const std::string& {
                               return state_.types.Of(l.entries[i], l.folder[i]);
                             }));
  } else {
    state_.shown = Listing{};  // the listing itself is shown
  }
  const Listing& shown = Shown();
  XFiles.SetEntries(shown.entries, shown.folder);
}

void TFileForm::Reorder() {
  std::vector<std::string> chosen;
  for (int i = 0; i < XFiles.Count(); ++i)
    if (XFiles.Selected(i)) chosen.push_back(XFiles.Item(i));
  const int at = XFiles.ItemIndex();
  const std::string current = at >= 0 && at < XFiles.Count() ? XFiles.Item(at) : std::string();
  ShowListing();
  const Reselection r = ReselectByName(XFiles.Texts(), chosen, current);
  if (XFiles.MultiSelect())
    XFiles.SelectWhere([&r](int i) { return r.selected[static_cast<size_t>(i)]; });
  XFiles.SetItemIndex(r.current);
  Preview.SelectionMoved();
}

void TFileForm::SetDetailsView(bool on, bool store) {
  state_.details = on;
  mnuDetails->SetChecked(on);
  if (store) Settings().WriteNumber(keys::kSection, keys::kExpView, on ? 1 : 0);
  if (on) {
    DetailColumns();
    XFiles.SetSortMark(static_cast<int>(state_.sort.key), state_.sort.descending);
  } else {
    XFiles.SetHeader({});
    XFiles.SetSortMark(-1, false);
    XFiles.SetColumns(mnuOneCol->Checked() ? 0 : std::max(1, XFiles.Columns()));
  }
  if (!state_.open || state_.initialising) return;
  Reorder();
  CalcStringWidth();
}

void TFileForm::XFilesHeaderClick(int column) {
  if (!state_.details) return;
  state_.sort = NextSort(state_.sort, column);
  XFiles.SetSortMark(static_cast<int>(state_.sort.key), state_.sort.descending);
  const TIniFile ini = Settings();
  ini.WriteNumber(keys::kSection, keys::kExpSort, static_cast<int32_t>(state_.sort.key));
  ini.WriteNumber(keys::kSection, keys::kExpSortDesc, state_.sort.descending ? 1 : 0);
  Reorder();
}

void TFileForm::DetailColumns() {
  const ui::Font& font = XFiles.GetFont();
  const int size = ui::TextWidth(font, "99,999 KB") + 16;
  int type = ui::TextWidth(font, "BMP,DIB (Windows,OS/2)") + 12;
  const int date = ui::TextWidth(font, "12/31/2026 12:59 PM") + 12;
  // The name takes what the others leave, less room for the scroll bar; it
  // comes first, so in a narrow window the type column gives way to it down
  // to a few letters (a cut description still reads, a cut name does not).
  const int room = XFiles.Width() - size - date - 24;
  const int nameWanted = std::max(ui::TextWidth(font, "WWWWWWWW"), room * 3 / 5);
  const int typeLeast = ui::TextWidth(font, "BMP,DIB") + 12;
  if (room - type < nameWanted) type = std::max(typeLeast, room - nameWanted);
  const int name = std::max(ui::TextWidth(font, "WWWWWWWW"), room - type);
  XFiles.SetHeader({{"Name", name}, {"Size", size, true}, {"Type", type}, {"Date modified", date}});
}

void TFileForm::CalcStringWidth() {
  if (state_.details) {
    DetailColumns();
    return;
  }
  if (mnuOneCol->Checked()) return;
  const ui::Font& font = XFiles.GetFont();
  if (state_.widestEntry < 0 || !(state_.measuredIn == font)) {
    // The list holds what is shown: measured there, without a copy.
    const std::vector<std::string>& texts = Shown().entries;
    const int widest = static_cast<int>(texts.size()) == XFiles.Count()
                           ? ui::WidestText(font, texts)
                           : ui::WidestText(font, XFiles.Texts());
    state_.widestEntry = std::max(60, widest);
    state_.measuredIn = font;
  }
  const ColumnLayout c = ColumnsFor(state_.widestEntry, ui::TextWidth(font, "WW"), XFiles.Width());
  state_.columnWidth = c.columnWidth;
  XFiles.SetColumns(c.columns);
}

void TFileForm::InitFocus() {
  if (XFiles.Count() == 0) {
    mnuFOpen->SetEnabled(false);
    Preview.SelectionMoved();
    return;
  }
  if (!XFiles.IsFolder(0)) Edit1.SetText(XFiles.Item(0));
  if (XFiles.MultiSelect()) XFiles.SetSelected(0, true);
  XFiles.SetItemIndex(0);
  if (XFiles.Showing()) XFiles.SetFocus();
  mnuFOpen->SetEnabled(true);
  Preview.SelectionMoved();
}

void TFileForm::UpdateHistory(bool freshDrives) {
  std::vector<std::string> drives;
  std::vector<ui::GlyphKind> driveGlyphs;
  int driveIndex = 0;
  const char current = LowerAZ(state_.currentFolder.substr(0, 1))[0];
  for (const DriveFacts& d : KnownDrives(freshDrives)) {
    const std::string lower = LowerAZ(std::string(1, d.letter));
    if (lower[0] == current) driveIndex = static_cast<int>(drives.size());
    drives.push_back(DriveEntry(d.letter, d.label));
    driveGlyphs.push_back(DriveGlyph(d.type));
  }
  const LookInList list = BuildLookIn(drives, driveIndex, FolderChain(state_.currentFolder));
  std::vector<std::string> texts;
  std::vector<ui::GlyphKind> glyphs;
  size_t drive = 0;
  for (const auto& e : list.entries) {
    texts.push_back(e.text);
    if (e.folder)
      glyphs.push_back(e.glyph ? ui::GlyphKind::OpenFolder : ui::GlyphKind::None);
    else
      glyphs.push_back(drive < driveGlyphs.size() ? driveGlyphs[drive++] : ui::GlyphKind::None);
  }
  // Opened to look at the drives, the list changes only if they did.
  if (freshDrives && texts == LookBox.Items()) return;
  LookBox.SetItems(std::move(texts), std::move(glyphs));
  LookBox.SetItemIndex(list.selected);
}

void TFileForm::LookBoxChange(ui::Control&) {
  if (state_.navigating) return;
  FlagGuard guard(state_.navigating);
  const LookInTarget target = TargetOf(LookBox.Items(), LookBox.ItemIndex());
  if (target.path.empty()) return;
  if (target.drive && !Files().DriveReady(UpperAZ(std::string(1, target.letter))[0])) {
    GoToFolder("c:\\");
    ui::MessageDlg(DriveNotReady(UpperAZ(std::string(1, target.letter))[0]), ui::MsgKind::Error,
                   ui::Buttons::OK);
    return;
  }
  GoToFolder(target.path);
}

void TFileForm::BtnUpClick(ui::Control&) {
  if (LeaveVanishedFolder()) return;
  const int above = LookBox.ItemIndex() - 1;
  if (above < 0 || !BtnUp.Enabled()) return;
  LookBox.SetItemIndex(above);
  LookBoxChange(LookBox);
}

void TFileForm::BtnNewFolderClick(ui::Control&) {
  if (LeaveVanishedFolder()) return;
  const std::string folder = AddBackslash(state_.currentFolder);
  std::string name =
      NewFolderName([&](const std::string& n) { return Files().Stat(folder + n).has_value(); });
  for (;;) {
    if (!ui::InputQuery("New Folder", "Folder name:", name)) return;
    if (!IsFolderName(name)) {
      ui::MessageDlg(kMsgInvalidFilename, ui::MsgKind::Error, ui::Buttons::OK);
      continue;
    }
    if (Files().Stat(folder + name)) {
      ui::MessageDlg(FilenameExists(folder + name), ui::MsgKind::Warning, ui::Buttons::OK);
      continue;
    }
    break;
  }
  if (!Files().CreateDirectory(folder + name)) {
    ui::MessageDlg(CannotCreateFolder(folder + name), ui::MsgKind::Error, ui::Buttons::OK);
    return;
  }
  // The new folder is chosen in the list (OK opens it) once it is read.
  RereadFolder([this, name](Listing fresh) {
    ListingRead(std::move(fresh));
    for (int i = 0; i < XFiles.Count(); ++i) {
      if (!XFiles.IsFolder(i) || LowerAZ(XFiles.Item(i)) != LowerAZ(name + "\\")) continue;
      if (XFiles.MultiSelect()) XFiles.SelectWhere([i](int k) { return k == i; });
      XFiles.SetItemIndex(i);
      Edit1.SetText("");
      break;
    }
  });
}

void TFileForm::XFilesClick(ui::Control&) {
  Preview.SelectionMoved();
  const int i = XFiles.ItemIndex();
  if (i < 0) return;
  // A Ctrl+click that deselects the entry leaves the box to a file that is
  // still selected.
  if (XFiles.MultiSelect() && !XFiles.Selected(i)) {
    const int chosen = ChosenByTheSelection();
    Edit1.SetText(chosen < 0 ? std::string() : XFiles.Item(chosen));
    return;
  }
  Edit1.SetText(XFiles.IsFolder(i) ? std::string() : XFiles.Item(i));
}

void TFileForm::XFilesDblClick(ui::Control&) {
  if (LeaveVanishedFolder()) return;
  const int i = XFiles.ItemIndex();
  if (i < 0) return;
  if (XFiles.IsFolder(i)) {
    GoToFolder(AddBackslash(state_.currentFolder) + XFiles.Item(i));
  } else if (PreviewMode->Checked()) {
    PreviewIt();
  } else {
    BtnOKClick(XFiles);
  }
}

void TFileForm::XFilesKeyDown(ui::Control& sender, int& key, unsigned) {
  if (key != ui::vkReturn && key != ui::vkSpace) return;
  const int i = XFiles.ItemIndex();
  if (i < 0 || XFiles.IsFolder(i)) return;
  key = 0;
  XFilesDblClick(sender);
}

void TFileForm::Edit1KeyPress(ui::Control& sender, char& key) {
  if (key != '\r') return;
  key = 0;
  // Enter has clicked the default button already (BtnOK, which runs the same
  // OK work); a second run would ask every question twice.
  if (state_.modal && DefaultButton() == nullptr) BtnOKClick(sender);
}

void TFileForm::FormKeyDown(ui::Control&, int& key, unsigned shift) {
  ui::Application().ProcessMessages();
  // Enter and Space on a file belong to the list (preview or open), before
  // Enter could click the default button.
  if (ActiveControl() == &XFiles && XFiles.Visible()) {
    XFilesKeyDown(XFiles, key, shift);
    if (key == 0) return;
  }
  // The window's name box only shows the chosen file: Enter there opens
  // nothing (the dialog's Enter is its OK).
  if (!state_.modal && key == ui::vkReturn && ActiveControl() == &Edit1) {
    key = 0;
    return;
  }
  if (key == ui::vkEscape) {
    key = 0;
    if (InputList.Visible())
      mnuListInputClick();
    else
      BtnExit.UserClick();
    return;
  }
  if (key != ui::vkTab) return;
  key = 0;
  ui::Control* ring[] = {&LookBox, &XFiles, &FilterComboBox1, &BtnOK, &BtnExit};
  const int n = 5;
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (ring[i] == ActiveControl()) at = i;
  const int step = shift == ui::ssShift ? n - 1 : 1;
  for (int k = 1; k <= n; ++k) {
    ui::Control* next = ring[((at < 0 ? 0 : at) + step * k) % n];
    if (next->CanUse()) {
      next->SetFocus();
      return;
    }
  }
}

void TFileForm::BtnHelpClick(ui::Control&) {
  ui::Application().HelpContext(Handle(), explorer::HelpContext(Mode()));
}

void TFileForm::BtnMenuClick(ui::Control&) {
  BtnMenu.SetShowHint(false);  // no tooltip over the menu
  ui::Application().ProcessMessages();
  MainMenu.Popup(Left() + BtnMenu.Left() + BtnMenu.Width(),
                 Top() + BtnMenu.Top() + BtnMenu.Height());
  BtnMenu.SetShowHint(true);
}

void TFileForm::FormResize(ui::Control&) {
  const int w = PanelButtons.Width() - (LabelName.Width() + BtnUp.Width() + BtnOK.Width() + 24);
  if (w <= 0) return;
  // Every control is moved once, to its final place: a move repaints it.
  const int button = BtnUp.Width();
  const int edge = Edit1.Left() + w + 8;  // right of the name box: the up button's place
  int lookWidth = w;
  // The details button, and the New folder button left of it, take room
  // from the Look-in box.
  const bool detailsInRow = w > 2 * button;
  const bool newFolderInRow = BtnNewFolder.Visible() && w > 3 * (button + 2);
  if (detailsInRow) lookWidth = w - button - 2;
  if (newFolderInRow) lookWidth -= button + 2;
  (InConvertFamily() ? static_cast<ui::Control&>(BPPtype) : Edit1).SetWidth(w);
  FilterComboBox1.SetWidth(w);
  LookBox.SetWidth(lookWidth);
  BtnUp.SetLeft(edge);
  if (detailsInRow) BtnDetails.SetLeft(edge - button - 6);
  if (newFolderInRow) BtnNewFolder.SetLeft(BtnDetails.Left() - button - 2);
  BtnMenu.SetLeft(edge + button + 2);
  BtnHelp.SetLeft(BtnMenu.Left() + button + 2);
  BtnJPEG.SetLeft(BtnHelp.Left() + button + 2);
  BtnOK.SetLeft(edge + (PanelButtons.Width() - edge - BtnOK.Width()) / 2);
  BtnExit.SetLeft(BtnOK.Left());
  Preview.FitTo(Width());
  if (!state_.initialising) CalcStringWidth();
}

void TFileForm::FitWindowWidth(bool toScreen) {
  if (state_.columnWidth <= 0) return;
  const int frame =
      2 * (ui::SystemMetric(ui::Metric::BorderWidth) + ui::SystemMetric(ui::Metric::FrameWidth));
  const int screen = ui::Screen().Width();
  // At least one column: an entry wider than the list still gets a whole one.
  const int wanted = std::max(1, (toScreen ? screen - frame : XFiles.Width()) / state_.columnWidth);
  SetWindowBounds(Left(), Top(), FittedWindowWidth(frame, wanted, state_.columnWidth),
                  WindowHeight());
  ui::Application().ProcessMessages();
  if (Left() + WindowWidth() > screen) SetLeft((screen - WindowWidth()) / 2);
}

}  // namespace w95::explorer
