// The explorer window: construction, activation in each mode, the file type
// box, the file list and the folder navigation.
#include "explorer/file_form.h"

#include <algorithm>

#include "explorer/history.h"
#include "explorer/layout.h"
#include "explorer/listing.h"
#include "explorer/messages.h"
#include "explorer/names.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/paths.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/screen.h"
#include "ui/text_metrics.h"

namespace w95::explorer {

namespace {

platform::FileSystem& Files() { return *platform::Current().files; }

TIniFile Settings() { return TIniFile(keys::kSettingsFile); }

// "c:\a\b\" and "c:\a\b" name one folder; a root keeps its backslash.
std::string NormalFolder(std::string folder) {
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

// Clears a flag on every way out of a block.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = false; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& flag_;
};

}  // namespace

TFileForm::TFileForm(const ModeSetup& setup, bool modal) : ui::Form("FileForm") {
  state_.setup = setup;
  state_.modal = modal;
  if (!modal) state_.setup.mode = kWindowMode;
  BuildControls();
  BuildMenus();
  FormCreate();
}

TFileForm::~TFileForm() = default;

void TFileForm::BuildControls() {
  SetCaption("Plimbo Explorer");
  SetBounds(0, 0, 413, 310);
  SetKeyPreview(true);
  ui::Font f;
  f.name = "MS Sans Serif";
  f.size = 8;
  SetFont(f);

  PanelTop.SetAlign(ui::Align::Top);
  PanelTop.SetHeight(33);
  LabelList.SetCaption("Look &in:");
  LabelList.SetBounds(6, 9, 64, 15);
  LabelList.SetFocusControl(&LookBox);
  LookBox.SetBounds(78, 5, 186, 21);
  LookBox.SetTabStop(true);
  BtnUp.SetBounds(268, 4, 24, 24);
  BtnUp.SetCaption("..");
  BtnMenu.SetBounds(294, 4, 24, 24);
  BtnMenu.SetCaption("*");
  BtnHelp.SetBounds(320, 4, 24, 24);
  BtnHelp.SetCaption("?");
  BtnJPEG.SetBounds(346, 4, 24, 24);
  BtnJPEG.SetCaption("J");
  BtnJPEG.SetVisible(false);

  PanelList.SetAlign(ui::Align::Client);
  PanelList.SetBevelOuter(ui::Bevel::None);
  XFiles.SetAlign(ui::Align::Client);
  XFiles.SetTabStop(true);
  InputList.SetAlign(ui::Align::Client);
  InputList.SetColumns(4);
  InputList.SetVisible(false);

  PanelButtons.SetAlign(ui::Align::Bottom);
  PanelButtons.SetHeight(64);
  LabelName.SetCaption("File &name:");
  LabelName.SetBounds(6, 9, 70, 15);
  LabelName.SetFocusControl(&Edit1);
  Edit1.SetBounds(78, 5, 200, 21);
  Edit1.SetReadOnly(true);
  Edit1.SetTabStop(true);
  BPPtype.SetBounds(78, 5, 200, 21);
  BPPtype.SetItems(DepthEntries());
  BPPtype.SetVisible(false);
  Label2.SetCaption("File &type:");
  Label2.SetBounds(6, 37, 70, 15);
  Label2.SetFocusControl(&FilterComboBox1);
  FilterComboBox1.SetBounds(78, 33, 200, 21);
  FilterComboBox1.SetItems(BrowseEntries());
  FilterComboBox1.SetTabStop(true);
  BtnOK.SetCaption("&Open");
  BtnOK.SetBounds(290, 4, 75, 25);
  BtnOK.SetDefault(true);
  BtnOK.SetTabStop(true);
  BtnExit.SetCaption("Close");
  BtnExit.SetBounds(290, 33, 75, 25);
  BtnExit.SetCancel(true);
  BtnExit.SetModalResult(ui::mrCancel);
  BtnExit.SetTabStop(true);

  OnActivate = [this](ui::Control& s) { FormActivate(s); };
  OnShow = [this](ui::Control& s) { FormActivate(s); };
  OnResize = [this](ui::Control& s) { FormResize(s); };
  OnClose = [this](ui::Control&, ui::CloseAction&) { FormClose(); };
  OnKeyDown = [this](ui::Control& s, int& key, unsigned shift) { FormKeyDown(s, key, shift); };
  FilterComboBox1.OnChange = [this](ui::Control& s) { FilterComboBox1Change(s); };
  BPPtype.OnChange = [this](ui::Control& s) { BPPtypeChange(s); };
  LookBox.OnChange = [this](ui::Control& s) { LookBoxChange(s); };
  BtnUp.OnClick = [this](ui::Control& s) { BtnUpClick(s); };
  BtnHelp.OnClick = [this](ui::Control& s) { BtnHelpClick(s); };
  BtnMenu.OnClick = [this](ui::Control& s) { BtnMenuClick(s); };
  BtnOK.OnClick = [this](ui::Control& s) { BtnOKClick(s); };
  XFiles.OnClick = [this](ui::Control& s) { XFilesClick(s); };
  XFiles.OnDblClick = [this](ui::Control& s) { XFilesDblClick(s); };
  XFiles.OnKeyDown = [this](ui::Control& s, int& key, unsigned shift) {
    XFilesKeyDown(s, key, shift);
  };
  Edit1.OnKeyPress = [this](ui::Control& s, char& key) { Edit1KeyPress(s, key); };
  Edit1.OnChange = [this](ui::Control& s) { Edit1Change(s); };
  auto rightClickMenu = [this](ui::Control&, ui::MouseButton b, unsigned, int, int) {
    if (b == ui::MouseButton::Right) BtnMenuClick(BtnMenu);
  };
  PanelTop.OnMouseDown = rightClickMenu;
  PanelButtons.OnMouseDown = rightClickMenu;
  FilterComboBox1.OnMouseDown = rightClickMenu;
  auto fileMenu = [this](ui::Control&, ui::MouseButton b, unsigned, int x, int y) {
    if (b == ui::MouseButton::Right) FileMenu.Popup(Left() + x, Top() + y);
  };
  XFiles.OnMouseDown = fileMenu;
  InputList.OnMouseDown = fileMenu;
  Edit1.OnMouseDown = fileMenu;
}

void TFileForm::BuildMenus() {
  auto add = [this](ui::PopupMenu& menu, const char* name, const char* caption, bool file) {
    ui::MenuItem& item = menu.Add(name, caption);
    item.OnClick = [this, file](ui::MenuItem& sender) {
      if (file)
        FileMenuClick(sender);
      else
        ViewMenuClick(sender);
    };
    return &item;
  };
  mnuFLevel = add(FileMenu, "mnuFLevel", "Up One &Level", true);
  N1 = add(FileMenu, "N1", "-", true);
  mnuFOpen = add(FileMenu, "mnuFOpen", "&Open", true);
  mnuFInfo = add(FileMenu, "mnuFInfo", "&Info", true);
  mnuFPreview = add(FileMenu, "mnuFPreview", "&Preview", true);
  mnuFRename = add(FileMenu, "mnuFRename", "Renam&e", true);
  mnuFDelete = add(FileMenu, "mnuFDelete", "&Delete", true);
  mnuRefresh = add(FileMenu, "mnuRefresh", "Refres&h", true);
  MarkDirectory = add(FileMenu, "MarkDirectory", "&Mark all files", true);
  UnmarkDirectory = add(FileMenu, "UnmarkDirectory", "&Unmark all files", true);
  BatchConvert = add(FileMenu, "BatchConvert", "&Convert file(s)", true);
  InstantSlideshow = add(FileMenu, "InstantSlideshow", "Instant &slideshow", true);
  mnuListInput = add(FileMenu, "mnuListInput", "&View input files", true);
  for (ui::MenuItem* item : {mnuFInfo, mnuFPreview, mnuFRename, mnuFDelete})
    item->SetEnabled(false);
  mnuListInput->SetVisible(false);

  mnuFile = add(MainMenu, "mnuFile", "File &actions", false);
  mnuOptimizeWin = add(MainMenu, "mnuOptimizeWin", "&Optimize files list", false);
  mnuMaxWin = add(MainMenu, "mnuMaxWin", "Maximi&ze files list", false);
  mnuFont = add(MainMenu, "mnuFont", "Change &font", false);
  mnuResetWin = add(MainMenu, "mnuResetWin", "&Reset window", false);
  mnuLowercase = add(MainMenu, "mnuLowercase", "&Lowercase", false);
  mnuLowercase->SetChecked(true);
  mnuDirLast = add(MainMenu, "mnuDirLast", "Folders &after files", false);
  mnuOneCol = add(MainMenu, "mnuOneCol", "Singl&e column", false);
  PreviewMode = add(MainMenu, "PreviewMode", "&Preview mode", false);
}

void TFileForm::FormCreate() {
  state_.currentFolder = "c:\\";
  const TIniFile ini = Settings();
  state_.exchangeFile = ini.ReadText(keys::kSection, keys::kWin95Tmp, keys::kDefaultExchangeFile);
  state_.startFolder = ini.ReadText(keys::kSection, keys::kLastDir, keys::kDefaultDir);
  if (state_.modal && Mode() <= 200) {
    if (Mode() != kMoveMode)
      state_.startFolder = ini.ReadText(keys::kSection, keys::kSavePath, keys::kDefaultDir);
    state_.saveAsName = ini.ReadText(keys::kSection, keys::kSaveAs, "");
    if (IsPixelDepth(Mode()))
      state_.savedPositions.At(Mode()) = SavedPositionFrom(
          Mode(), ini.ReadNumber(keys::kSection, SaveKey(Mode()), kNothingStored));
  }
  std::string start = state_.startFolder;
  if (!start.empty() && start.back() == '\\') start.pop_back();
  start = NormalFolder(LongPathOf(start));
  state_.startFolder = FolderExists(start) ? start : std::string("c:\\");
  if (!state_.modal) {
    FilterComboBox1.SetItemIndex(kAllValidated);
    FilterComboBox1Change(FilterComboBox1);
  }
}

void TFileForm::ApplyDefaultPlacement() {
  if (UsesLargeFontRule(ui::SystemMetric(ui::Metric::MenuBarHeight))) {
    ui::Font f = GetFont();
    f.size = 10;
    f.bold = f.italic = f.underline = false;
    SetFont(f);
  }
  state_.defaultFont = GetFont();
  const Rect r = DefaultPlacement(ui::Screen().Width(), ui::Screen().Height());
  state_.defaultWidth = r.width;
  state_.defaultHeight = r.height;
  SetBounds(r.left, r.top, r.width, r.height);
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetBorderIcons(false);
}

void TFileForm::ApplyModeLook() {
  look_ = LookOf(state_.setup, state_.saveAsName);
  SetCaption(look_.caption);
  if (!look_.labelList.empty()) LabelList.SetCaption(look_.labelList);
  Edit1.SetReadOnly(!look_.nameEditable);
  Edit1.SetColor(look_.nameEditable ? ui::clWindow : ui::clBtnFace);
  Edit1.SetVisible(look_.nameVisible);
  BPPtype.SetVisible(look_.depthBoxVisible);
  if (look_.depthBoxVisible) {
    BPPtype.SetItemIndex(0);
    LabelName.SetFocusControl(&BPPtype);
  }
  if (!look_.labelName.empty()) {
    LabelName.SetCaption(look_.labelName);
    if (Mode() == kMoveMode)  // sized to its text
      LabelName.SetWidth(ui::TextWidth(LabelName.GetFont(), look_.labelName) + 4);
  }
  Label2.SetVisible(look_.typeLabelVisible);
  XFiles.SetMultiSelect(look_.multiSelect);
  MarkDirectory->SetVisible(look_.markEntriesShown);
  UnmarkDirectory->SetVisible(look_.markEntriesShown);
  if (!look_.okCaption.empty()) BtnOK.SetCaption(look_.okCaption);
  if (!look_.openEntryCaption.empty()) mnuFOpen->SetCaption(look_.openEntryCaption);
  mnuListInput->SetVisible(look_.inputListEntryShown);
  switch (look_.typeBox) {
    case TypeBox::SaveFormats:
      SetFileFormats();
      break;
    case TypeBox::AllValidated:
      FilterComboBox1.SetItemIndex(kAllValidated);
      break;
    case TypeBox::Slideshow:
      break;  // set below, with the box disabled
    case TypeBox::Hidden:
      SetFileFormats();  // the move mode has no formats: an empty box
      FilterComboBox1.SetVisible(false);
      break;
  }
}

void TFileForm::FormActivate(ui::Control&) {
  ui::Screen().SetCursor(ui::Cursor::Default);
  if (!state_.modal || state_.activated) return;
  state_.activated = true;
  BtnExit.SetCaption("Cancel");
  ApplyModeLook();
  GoToFolder(state_.startFolder);
  if (Mode() == 0 || Mode() >= kOpenMode) {
    if (FilterComboBox1.Items().size() > static_cast<size_t>(kSlideshowType))
      FilterComboBox1.SetItemIndex(kSlideshowType);
    FilterComboBox1.SetEnabled(false);
  }
  state_.fileMask = "\\\\\\";
  FilterComboBox1Change(FilterComboBox1);
  XFiles.SetEnabled(true);
  state_.open = true;
  state_.navigating = false;
  state_.initialising = false;
  UpdateHistory();
  for (ui::MenuItem* item :
       {mnuFInfo, mnuFPreview, mnuFRename, mnuFDelete, BatchConvert, InstantSlideshow, PreviewMode})
    item->SetVisible(false);
  state_.currentFormatCode = SelectedFormatCode();
  ui::Application().ProcessMessages();
  XFiles.SetFocus();
  UpdateFiles();
  if (Mode() == 0 && !state_.saveAsName.empty()) Edit1.SetText(state_.saveAsName);
  if (Mode() > 0 && Mode() < 200) {
    BtnJPEG.SetVisible(look_.compressionButtonAllowed &&
                       ShowsCompressionButton(state_.currentFormatCode));
    Edit1Change(Edit1);
    if (!state_.saveAsName.empty()) Edit1.SetText(state_.saveAsName);
  }
  FormResize(*this);
  // Pending messages run once the dialog is complete.
  ui::Application().ProcessMessages();
}

int32_t TFileForm::SelectedFormatCode() const {
  const int pos = FilterComboBox1.ItemIndex();
  return pos >= 0 && pos < kFormatCodeRoom ? state_.formatCodeTable[static_cast<size_t>(pos)] : 0;
}

void TFileForm::StoreSaveSettings() {
  const TIniFile ini = Settings();
  if (IsPixelDepth(Mode()))
    ini.WriteNumber(keys::kSection, SaveKey(Mode()), state_.savedPositions.Get(Mode()));
  const std::string full = FullNameOf(Edit1.Text());
  // The chosen file need not exist (the host writes it later), so the short
  // form of the folder is taken from the folder itself.
  std::string folder = FolderPart(ShortPathOf(full));
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  ini.WriteText(keys::kSection, keys::kSavePath, AddBackslash(ShortPathOf(folder)));
  ini.WriteText(keys::kSection, keys::kSaveExt, ExtensionOf(full));
  if (Mode() > 0 && Mode() < 200) ini.WriteNumber(keys::kSection, keys::kMultiBPP, Mode());
}

void TFileForm::FormClose() {
  if (state_.closed) return;
  state_.closed = true;
  state_.open = false;
  const TIniFile ini = Settings();
  if (!state_.modal) {
    ini.WriteNumber(keys::kSection, keys::kWinTop, Top());
    ini.WriteNumber(keys::kSection, keys::kWinLeft, Left());
    ini.WriteNumber(keys::kSection, keys::kWinWidth, Width());
    ini.WriteNumber(keys::kSection, keys::kWinHeight, Height());
  }
  ini.WriteText(keys::kSection, keys::kLastDir, AddBackslash(ShortPathOf(state_.currentFolder)));
}

// ---- File types.

void TFileForm::SetFileFormats() {
  const int depth = Mode();
  if (state_.setup.restrictedFormats && RestrictedSavedPosition(depth) >= 0)
    state_.savedPositions.At(depth) = RestrictedSavedPosition(depth);
  const auto formats = SaveFormats(depth, state_.setup.restrictedFormats);
  std::vector<std::string> entries;
  std::fill(state_.formatCodeTable.begin(), state_.formatCodeTable.end(), 0);
  for (size_t i = 0; i < formats.size() && i < state_.formatCodeTable.size(); ++i) {
    entries.push_back(formats[i].entry);
    state_.formatCodeTable[i] = formats[i].code;
  }
  const int count = static_cast<int>(entries.size());
  FilterComboBox1.SetItems(std::move(entries));
  FilterComboBox1.SetItemIndex(
      count == 0 ? -1 : PositionToSelect(state_.savedPositions.Get(depth), count));
}

void TFileForm::FilterComboBox1Change(ui::Control&) {
  const std::string old = state_.fileMask;
  const int pos = FilterComboBox1.ItemIndex();
  if (state_.modal && IsPixelDepth(Mode())) {
    const std::string entry =
        pos >= 0 ? FilterComboBox1.Items()[static_cast<size_t>(pos)] : std::string();
    state_.fileMask = SaveMask(entry);
    if (state_.fileMask != old) {
      if (!state_.open) return;
      UpdateFiles();
    }
    state_.currentFormatCode = SelectedFormatCode();
    BtnJPEG.SetVisible(look_.compressionButtonAllowed &&
                       ShowsCompressionButton(state_.currentFormatCode));
    if (pos >= 0) state_.savedPositions.At(Mode()) = pos;
    return;
  }
  state_.fileMask = BrowseMask(pos);
  if (state_.fileMask != old && state_.open) UpdateFiles();
}

void TFileForm::BPPtypeChange(ui::Control&) {
  const int pos = BPPtype.ItemIndex();
  if (pos < 0 || pos >= kDepthChoiceCount) return;
  const DepthChoice& choice = DepthChoices()[pos];
  state_.setup.mode = choice.depth;
  state_.savedPositions.At(choice.depth) = choice.savedPosition;
  SetFileFormats();
  FilterComboBox1Change(FilterComboBox1);
}

std::string TFileForm::CheckExtension(const std::string& name) {
  const int pos = FilterComboBox1.ItemIndex();
  const std::string entry =
      pos >= 0 ? FilterComboBox1.Items()[static_cast<size_t>(pos)] : std::string();
  const ExtensionCheck check = CheckExtensionOf(name, entry);
  if (check.ask && ui::MessageDlg(ExtensionQuestion(check.expected, check.actual),
                                  ui::MsgKind::Warning, ui::Buttons::YesNo) != ui::mrYes)
    return {};
  return check.name;
}

// ---- Folders and the file list.

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
  state_.currentFolder = NormalFolder(folder);
  Files().SetCurrentDirectory(state_.currentFolder);
  if (!state_.open) return;
  UpdateFiles();
  UpdateHistory();
}

void TFileForm::UpdateFiles() {
  if (!state_.open || state_.initialising) return;
  XFiles.SetVisible(false);
  BtnUp.SetEnabled(false);
  mnuFLevel->SetEnabled(false);
  Edit1.SetText("");
  const std::string folder = AddBackslash(state_.currentFolder);
  auto found = [](const platform::FindData& d) {
    return FoundEntry{d.name, d.IsDirectory(), (d.attributes & platform::kAttrSystem) != 0};
  };
  std::vector<FoundEntry> files, all;
  for (const std::string& pattern : SearchPatterns(state_.fileMask))
    for (const auto& d : Files().Find(folder + pattern)) files.push_back(found(d));
  for (const auto& d : Files().Find(folder + "*.*")) all.push_back(found(d));
  const Listing listing =
      BuildListing(files, all, {mnuLowercase->Checked(), mnuDirLast->Checked()});
  XFiles.SetEntries(listing.entries, listing.folder);
  if (listing.hasParent) {
    BtnUp.SetEnabled(true);
    mnuFLevel->SetEnabled(true);
  }
  CalcStringWidth();
  XFiles.SetVisible(!InputList.Visible());
  InitFocus();
}

void TFileForm::CalcStringWidth() {
  if (mnuOneCol->Checked()) return;
  const ui::Font& font = XFiles.GetFont();
  const int widest = std::max(60, ui::WidestText(font, XFiles.Texts()));
  const ColumnLayout c = ColumnsFor(widest, ui::TextWidth(font, "WW"), XFiles.Width());
  state_.columnWidth = c.columnWidth;
  XFiles.SetColumns(c.columns);
}

void TFileForm::InitFocus() {
  if (XFiles.Count() == 0) {
    mnuFOpen->SetEnabled(false);
    return;
  }
  if (!XFiles.IsFolder(0)) Edit1.SetText(XFiles.Item(0));
  if (XFiles.MultiSelect()) XFiles.SetSelected(0, true);
  XFiles.SetItemIndex(0);
  if (XFiles.Showing()) XFiles.SetFocus();
  mnuFOpen->SetEnabled(true);
}

void TFileForm::UpdateHistory() {
  std::vector<std::string> drives;
  int driveIndex = 0;
  const char current = LowerAZ(state_.currentFolder.substr(0, 1))[0];
  for (char letter : Files().Drives()) {
    const std::string lower = LowerAZ(std::string(1, letter));
    if (lower[0] == current) driveIndex = static_cast<int>(drives.size());
    drives.push_back(lower + ":");
  }
  const LookInList list = BuildLookIn(drives, driveIndex, FolderChain(state_.currentFolder));
  std::vector<std::string> texts;
  for (const auto& e : list.entries) texts.push_back(e.text);
  LookBox.SetItems(std::move(texts));
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
  const int above = LookBox.ItemIndex() - 1;
  if (above < 0 || !BtnUp.Enabled()) return;
  LookBox.SetItemIndex(above);
  LookBoxChange(LookBox);
}

void TFileForm::XFilesClick(ui::Control&) {
  const int i = XFiles.ItemIndex();
  if (i < 0) return;
  Edit1.SetText(XFiles.IsFolder(i) ? std::string() : XFiles.Item(i));
}

void TFileForm::XFilesDblClick(ui::Control&) {
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
  if (state_.modal) BtnOKClick(sender);
}

void TFileForm::FormKeyDown(ui::Control&, int& key, unsigned shift) {
  ui::Application().ProcessMessages();
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
  ui::Application().ProcessMessages();
  MainMenu.Popup(Left() + BtnMenu.Left() + BtnMenu.Width(), Top() + BtnMenu.Top() + BtnMenu.Height());
}

void TFileForm::FormResize(ui::Control&) {
  const int w = PanelButtons.Width() - (LabelName.Width() + BtnUp.Width() + BtnOK.Width() + 24);
  if (w <= 0) return;
  (InConvertFamily() ? static_cast<ui::Control&>(BPPtype) : Edit1).SetWidth(w);
  FilterComboBox1.SetWidth(w);
  LookBox.SetWidth(w);
  BtnOK.SetLeft(Edit1.Left() + w + 8);
  BtnUp.SetLeft(BtnOK.Left());
  BtnMenu.SetLeft(BtnUp.Left() + BtnUp.Width() + 2);
  BtnHelp.SetLeft(BtnMenu.Left() + BtnUp.Width() + 2);
  BtnJPEG.SetLeft(BtnHelp.Left() + BtnUp.Width() + 2);
  BtnOK.SetLeft(BtnOK.Left() + (PanelButtons.Width() - BtnOK.Left() - BtnOK.Width()) / 2);
  BtnExit.SetLeft(BtnOK.Left());
  if (!state_.initialising) CalcStringWidth();
}

void TFileForm::FitWindowWidth(bool toScreen) {
  if (state_.columnWidth <= 0) return;
  const int frame =
      2 * (ui::SystemMetric(ui::Metric::BorderWidth) + ui::SystemMetric(ui::Metric::FrameWidth));
  const int screen = ui::Screen().Width();
  const int wanted = (toScreen ? screen - frame : XFiles.Width()) / state_.columnWidth;
  SetWidth(FittedWindowWidth(frame, wanted, state_.columnWidth));
  ui::Application().ProcessMessages();
  if (Left() + Width() > screen) SetLeft((screen - Width()) / 2);
}

}  // namespace w95::explorer
