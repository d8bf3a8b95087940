// The explorer window: construction, activation in each mode, the settings
// handed back, and the file type box.
#include "explorer/file_form.h"

#include <algorithm>

#include "explorer/form_support.h"
#include "explorer/history.h"
#include "explorer/layout.h"
#include "explorer/listing.h"
#include "explorer/messages.h"
#include "explorer/names.h"
#include "explorer/user_compress.h"
#include "settings/paths.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/screen.h"
#include "ui/text_metrics.h"

namespace w95::explorer {

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
  LookBox.SetBounds(78, 5, 160, 21);
  LookBox.SetShowGlyphs(true);  // drive and folder pictures before the entries
  LookBox.SetTabStop(true);
  BtnUp.SetBounds(268, 4, 24, 24);
  BtnUp.SetGlyph(ui::GlyphKind::UpFolder);
  BtnUp.SetHint("Up One Level");
  BtnMenu.SetBounds(294, 4, 24, 24);
  BtnMenu.SetGlyph(ui::GlyphKind::MarkAll);
  BtnMenu.SetHint("Goodies");
  BtnHelp.SetBounds(320, 4, 24, 24);
  BtnHelp.SetGlyph(ui::GlyphKind::Question);
  BtnHelp.SetHint("Help");
  BtnJPEG.SetBounds(346, 4, 24, 24);
  BtnJPEG.SetGlyph(ui::GlyphKind::Compression);
  BtnJPEG.SetHint("JPEG Compression");
  BtnJPEG.SetVisible(false);
  BtnDetails.SetBounds(242, 4, 24, 24);
  BtnDetails.SetGlyph(ui::GlyphKind::Details);
  BtnDetails.SetHint("Details");
  BtnNewFolder.SetBounds(216, 4, 24, 24);
  BtnNewFolder.SetGlyph(ui::GlyphKind::NewFolder);
  BtnNewFolder.SetHint("New Folder");
  BtnNewFolder.SetVisible(false);
  // Shown in a few modes and formats only: their windows are made when
  // first shown, and the window opens sooner without them.
  BtnJPEG.SetWindowWhenShown(true);
  BtnNewFolder.SetWindowWhenShown(true);

  PanelList.SetAlign(ui::Align::Client);
  PanelList.SetBevelOuter(ui::Bevel::None);
  XFiles.SetAlign(ui::Align::Client);
  XFiles.SetTabStop(true);
  InputList.SetAlign(ui::Align::Client);
  InputList.SetColumns(4);
  InputList.SetVisible(false);
  InputList.SetHint("Right-click or press Esc to go back");

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
  // Opened, the list shows the drives as they are now.
  LookBox.OnDropDown = [this](ui::Control&) { UpdateHistory(true); };
  BtnUp.OnClick = [this](ui::Control& s) { BtnUpClick(s); };
  BtnNewFolder.OnClick = [this](ui::Control& s) { BtnNewFolderClick(s); };
  BtnDetails.OnClick = [this](ui::Control&) { SetDetailsView(!state_.details, true); };
  XFiles.OnHeaderClick = [this](ui::Control&, int column) { XFilesHeaderClick(column); };
  Preview.Current = [this] { return PreviewSubjectNow(); };
  XFiles.OnCellText = [this](int i, int column) -> std::string {
    const Listing& l = Shown();
    if (i < 0 || static_cast<size_t>(i) >= l.entries.size()) return {};
    const auto at = static_cast<size_t>(i);
    switch (column) {
      case 1:
        return SizeText(l.size[at], l.folder[at]);
      case 2:
        return state_.types.Of(l.entries[at], l.folder[at]);
      case 3: {
        platform::Desktop* desktop = platform::Current().desktop;
        return desktop && l.writeTime[at] ? desktop->ShortDateTime(l.writeTime[at]) : std::string();
      }
      default:
        return {};
    }
  };
  BtnHelp.OnClick = [this](ui::Control& s) { BtnHelpClick(s); };
  BtnJPEG.OnClick = [this](ui::Control& s) { BtnJPEGClick(s); };
  BtnMenu.OnClick = [this](ui::Control& s) { BtnMenuClick(s); };
  BtnOK.OnClick = [this](ui::Control& s) { BtnOKClick(s); };
  XFiles.OnClick = [this](ui::Control& s) { XFilesClick(s); };
  XFiles.OnDblClick = [this](ui::Control& s) { XFilesDblClick(s); };
  XFiles.OnKeyDown = [this](ui::Control& s, int& key, unsigned shift) {
    XFilesKeyDown(s, key, shift);
  };
  Edit1.OnKeyPress = [this](ui::Control& s, char& key) { Edit1KeyPress(s, key); };
  Edit1.OnChange = [this](ui::Control& s) { Edit1Change(s); };
  // Right-click menus open where the user clicked.
  auto rightClickMenu = [this](ui::Control& c, ui::MouseButton b, unsigned, int x, int y) {
    if (b != ui::MouseButton::Right) return;
    const ui::Point at = ScreenPointOf(c, x, y);
    MainMenu.Popup(at.x, at.y);
  };
  PanelTop.OnMouseDown = rightClickMenu;
  PanelButtons.OnMouseDown = rightClickMenu;
  FilterComboBox1.OnMouseDown = rightClickMenu;
  auto fileMenu = [this](ui::Control& c, ui::MouseButton b, unsigned, int x, int y) {
    if (b != ui::MouseButton::Right) return;
    const ui::Point at = ScreenPointOf(c, x, y);
    FileMenu.Popup(at.x, at.y);
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
  mnuDetails = add(MainMenu, "mnuDetails", "&Details view", false);
  mnuPreviewPane = add(MainMenu, "mnuPreviewPane", "Picture pa&ne", false);
}

void TFileForm::FormCreate() {
  state_.currentFolder = "c:\\";
  const TIniFile ini = Settings();
  state_.exchangeFile = ini.ReadText(keys::kSection, keys::kWin95Tmp, keys::kDefaultExchangeFile);
  state_.startFolder = ini.ReadText(keys::kSection, keys::kLastDir, keys::kDefaultDir);
  if (state_.modal && IsImageSavingMode(Mode())) {
    if (Mode() != kMoveMode)
      state_.startFolder = ini.ReadText(keys::kSection, keys::kSavePath, keys::kDefaultDir);
    state_.saveAsName = ini.ReadText(keys::kSection, keys::kSaveAs, "");
    if (IsPixelDepth(Mode()))
      state_.savedPositions.At(Mode()) = SavedPositionFrom(
          Mode(), ini.ReadNumber(keys::kSection, SaveKey(Mode()), kNothingStored));
  }
  state_.sort = SortOrderFrom(ini.ReadNumber(keys::kSection, keys::kExpSort, 0),
                              ini.ReadNumber(keys::kSection, keys::kExpSortDesc, 0));
  SetDetailsView(ini.ReadNumber(keys::kSection, keys::kExpView, 0) == 1, false);
  SetPreviewPane(ini.ReadNumber(keys::kSection, keys::kExpPreview, 0) == 1, false);
  std::string start = state_.startFolder;
  if (!start.empty() && start.back() == '\\') start.pop_back();
  start = NormalFolder(LongPathOf(start));
  state_.startFolder = FolderExists(start) ? start : std::string("c:\\");
  if (!state_.modal) {
    FilterComboBox1.SetItemIndex(kAllValidated);
    FilterComboBox1Change(FilterComboBox1);
  }
}

void TFileForm::ApplyFontRule() {
  if (UsesLargeFontRule(ui::SystemMetric(ui::Metric::MenuBarHeight))) {
    ui::Font f = GetFont();
    f.size = 10;
    f.bold = f.italic = f.underline = false;
    SetFont(f);
  }
  state_.defaultFont = GetFont();
}

void TFileForm::ApplyDefaultPlacement() {
  ApplyFontRule();
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetBorderIcons(false);
  const Rect r = DefaultPlacement(ui::Screen().Width(), ui::Screen().Height());
  state_.defaultWidth = r.width;
  state_.defaultHeight = r.height;
  SetWindowBounds(r.left, r.top, r.width, r.height);
  // The mode's look and the layout are settled before the window is made:
  // each control is then made once, as it shows, and never moved or made
  // again on the way to the first paint.
  ApplyModeLook();
  FormResize(*this);
  ReadStartFolderEarly();
}

int TFileForm::WindowWidth() const { return Width() + FrameOf(GetBorderStyle()).width; }
int TFileForm::WindowHeight() const { return Height() + FrameOf(GetBorderStyle()).height; }

void TFileForm::SetWindowBounds(int left, int top, int width, int height) {
  const FrameSize frame = FrameOf(GetBorderStyle());
  SetBounds(left, top, std::max(0, width - frame.width), std::max(0, height - frame.height));
}

ui::Point TFileForm::ScreenPointOf(const ui::Control& control, int x, int y) const {
  return ui::ClientToScreen(control, {x, y});
}

void TFileForm::ApplyModeLook() {
  state_.lookApplied = true;
  look_ = LookOf(state_.setup, state_.saveAsName);
  SetCaption(look_.caption);
  // Captioned before its window is made: a caption changed on screen is
  // drawn at once, ahead of the rest of the window.
  if (state_.modal) BtnExit.SetCaption("Cancel");
  if (!look_.labelList.empty()) LabelList.SetCaption(look_.labelList);
  Edit1.SetReadOnly(!look_.nameEditable);
  Edit1.SetColor(look_.nameColor);
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
  BtnNewFolder.SetVisible(look_.newFolderButton);
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
  // The hourglass of the making goes; that of a folder still being read
  // stays until the reading ends.
  ui::Screen().SetCursor(busyCursor_ ? ui::Cursor::HourGlass : ui::Cursor::Default);
  if (!state_.modal || state_.activated) return;
  state_.activated = true;
  if (state_.filled) {
    // Filled before it was shown: the list takes the focus now.
    if (XFiles.Showing()) XFiles.SetFocus();
  } else {
    // Filled while hidden from view and painted once, complete.
    const ui::PaintingPause pause(*this);
    FillDialog(true);
  }
  // Pending messages run once the dialog is complete.
  ui::Application().ProcessMessages();
}

void TFileForm::FillBeforeShowing() {
  if (!state_.modal || state_.activated || state_.filled) return;
  CreatePeers();
  ui::Guard([&] { FillDialog(false); });
}

void TFileForm::FillDialog(bool onScreen) {
  state_.filled = true;
  if (!state_.lookApplied) ApplyModeLook();
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
  if (onScreen) {
    ui::Application().ProcessMessages();
    XFiles.SetFocus();
  }
  UpdateFiles();
  if (Mode() == 0 && !state_.saveAsName.empty()) Edit1.SetText(ShownBoxText(state_.saveAsName));
  if (SavesAtADepth(Mode())) {
    BtnJPEG.SetVisible(look_.compressionButtonAllowed &&
                       ShowsCompressionButton(state_.currentFormatCode));
    Edit1Change(Edit1);
    if (!state_.saveAsName.empty()) Edit1.SetText(ShownBoxText(state_.saveAsName));
  }
  FormResize(*this);
}

int32_t TFileForm::SelectedFormatCode() const {
  const int pos = FilterComboBox1.ItemIndex();
  return pos >= 0 && pos < kFormatCodeRoom ? state_.formatCodeTable[static_cast<size_t>(pos)] : 0;
}

std::string TFileForm::ShownBoxText(const std::string& name) const {
  if (IsFullPath(name)) return ShownPathOf(name);
  if (name.find_first_of(":\\") != std::string::npos) return name;
  return ShownNameOf(FullNameOf(name));
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
  if (SavesAtADepth(Mode())) ini.WriteNumber(keys::kSection, keys::kMultiBPP, Mode());
}

void TFileForm::FormClose() {
  if (state_.closed) return;
  state_.closed = true;
  state_.open = false;
  Preview.Stop();
  StopReading();
  StopWatching();
  SaveWindowState();
}

void TFileForm::SaveWindowState() {
  const TIniFile ini = Settings();
  if (!state_.modal) {
    ini.WriteNumber(keys::kSection, keys::kWinTop, Top());
    ini.WriteNumber(keys::kSection, keys::kWinLeft, Left());
    ini.WriteNumber(keys::kSection, keys::kWinWidth, WindowWidth());
    ini.WriteNumber(keys::kSection, keys::kWinHeight, WindowHeight());
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
  // What is written back is the position shown, not a stored one that lies
  // outside this list.
  if (count > 0) state_.savedPositions.At(depth) = FilterComboBox1.ItemIndex();
}

void TFileForm::FilterComboBox1Change(ui::Control&) {
  if (!state_.navigating && LeaveVanishedFolder()) return;
  // A typed filter gives way to the type box: the list is read again.
  const bool hadFilter = !state_.typedFilter.empty();
  state_.typedFilter.clear();
  const std::string old = state_.fileMask;
  const int pos = FilterComboBox1.ItemIndex();
  if (state_.modal && IsPixelDepth(Mode())) {
    const std::string entry =
        pos >= 0 ? FilterComboBox1.Items()[static_cast<size_t>(pos)] : std::string();
    state_.fileMask = SaveMask(entry);
    if (state_.fileMask != old || hadFilter) {
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
  if ((state_.fileMask != old || hadFilter) && state_.open) UpdateFiles();
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

void TFileForm::BtnJPEGClick(ui::Control&) {
  state_.currentFormatCode = SelectedFormatCode();
  CompressionSettings accepted;
  if (RunCompressionDialog(state_.currentFormatCode, accepted)) WriteCompressionSettings(accepted);
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

}  // namespace w95::explorer
