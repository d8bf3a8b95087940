// The editor window: construction, the first showing, enabling, the slide
// display, closing, the keys, and the entry that runs it.
#include "editor/editor_form.h"

#include <chrono>
#include <exception>
#include <memory>
#include <utility>

#include "editor/script_model.h"
#include "editor/slide_ops.h"
#include "explorer/remote_dlg.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/paths.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/screen.h"
#include "ui/text_metrics.h"

namespace w95::editor {

namespace {

constexpr int kClientWidth = 607;
constexpr int kPathPanelHeight = 24;
constexpr int kControlsHeight = 94;
constexpr int kThumbRowHeight = 80;
// The missing-file check: a slice runs this long at most, in steps of this
// many files, every interval while the check lasts.
constexpr auto kMissingSlice = std::chrono::milliseconds(20);
constexpr int kMissingStep = 128;
constexpr unsigned kMissingTimerInterval = 10;

ui::Font BoldSans(int size) {
  ui::Font f;
  f.name = "MS Sans Serif";
  f.size = size;
  f.bold = true;
  return f;
}

}  // namespace

ExplorerCall& EditorExplorer() {
  static ExplorerCall call = [](int32_t kind, int32_t restrict) {
    return explorer::RunRemoteDlg(kind, restrict);
  };
  return call;
}

FolderCall& EditorFolderPicker() {
  static FolderCall call = [] { return explorer::RunFolderDlg(); };
  return call;
}

TEditorForm::TEditorForm(ScriptState state)
    : ui::Form("EditorForm"), Missing(*platform::Current().files), state_(std::move(state)) {
  BuildControls();
  BuildMenus();
  FormCreate();
  FitToScreen();
}

TEditorForm::~TEditorForm() = default;

void TEditorForm::BuildControls() {
  ui::Form::SetCaption(EditorCaption("*New*"));
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetBorderIcons(false);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetBounds(0, 0, kClientWidth, 440);
  SetKeyPreview(true);
  SetFont(BoldSans(8));
  SetHelpContext(kEditorHelpContext);

  Fullname.SetAlign(ui::Align::Top);
  Fullname.SetHeight(kPathPanelHeight);
  Fullname.SetAlignment(ui::Alignment::Left);
  Fullname.SetBevelOuter(ui::Bevel::Lowered);
  Fullname.SetCaption("Slide Pathname: <blank>");
  Gauge.SetBounds(2, 2, kClientWidth - 4, kPathPanelHeight - 4);
  Gauge.SetVisible(false);
  // Shown only for a while, if ever: their windows are made when first shown.
  for (ui::Control* c :
       {static_cast<ui::Control*>(&Gauge), static_cast<ui::Control*>(&PanelThumbs),
        static_cast<ui::Control*>(&PageThumbs), static_cast<ui::Control*>(&Thumbnail)})
    c->SetWindowWhenShown(true);

  PanelControls.SetAlign(ui::Align::Bottom);
  PanelControls.SetHeight(kControlsHeight);
  PanelGrid.SetAlign(ui::Align::Client);
  PanelGrid.SetBevelOuter(ui::Bevel::None);
  Grid.SetAlign(ui::Align::Client);
  Grid.SetFont(BoldSans(9));
  PanelThumbs.SetAlign(ui::Align::Client);
  PanelThumbs.SetVisible(false);
  Image2.SetAlign(ui::Align::Client);

  // Two rows of slide buttons at the left; the pages and the colour panel
  // at the right.
  struct Place {
    ui::Button& button;
    const char* caption;
    int left, top, width;
  };
  const Place places[] = {
      {BtnAdd, "&Add", 6, 8, 56},     {BtnInsert, "&Insert", 64, 8, 56},
      {BtnDelete, "", 124, 8, 27},    {BtnTrash, "", 153, 8, 27},
      {BtnMove, "", 182, 8, 27},      {BtnFind, "", 211, 8, 27},
      {BtnTag, "&Tag", 240, 8, 40},   {BtnInfo, "", 124, 50, 27},
      {BtnRelocate, "", 153, 50, 27}, {BtnLoad, "&Open", 6, 36, 56},
      {BtnNew, "Ne&w", 64, 36, 56},   {BtnSave, "&Save", 6, 64, 56},
      {BtnView, "Vie&w", 64, 64, 56}, {BtnTest, "&Test", 240, 36, 40},
      {BtnHelp, "", 182, 50, 27},     {BtnQuit, "", 211, 50, 27},
  };
  for (const Place& p : places) {
    p.button.SetCaption(p.caption);
    p.button.SetBounds(p.left, p.top, p.width, p.top == 50 ? 27 : 25);
    p.button.SetTabStop(true);
  }
  // The buttons without a caption show a glyph and say what they do in a hint.
  const struct {
    ui::Button& button;
    ui::GlyphKind glyph;
    const char* hint;
  } glyphs[] = {
      {BtnDelete, ui::GlyphKind::Erase, "Erase slide"},
      {BtnTrash, ui::GlyphKind::Trash, "Trash file"},
      {BtnMove, ui::GlyphKind::Move, "Move slide"},
      {BtnFind, ui::GlyphKind::Find, "Find slide"},
      {BtnInfo, ui::GlyphKind::Info, "File info"},
      {BtnRelocate, ui::GlyphKind::MoveFile, "Move file"},
      {BtnHelp, ui::GlyphKind::Help, "Help"},
      {BtnQuit, ui::GlyphKind::Close, "Close"},
      {BtnUndo, ui::GlyphKind::Back, "Undo (Ctrl+Z)"},
      {BtnRedo, ui::GlyphKind::Step, "Redo (Ctrl+Y)"},
  };
  for (const auto& g : glyphs) {
    g.button.SetGlyph(g.glyph);
    g.button.SetHint(g.hint);
  }
  // Undo and redo below Test.
  BtnUndo.SetBounds(240, 64, 19, 25);
  BtnRedo.SetBounds(261, 64, 19, 25);
  for (ui::Button* b : {&BtnUndo, &BtnRedo}) {
    b->SetTabStop(true);
    b->SetEnabled(false);
  }
  BtnQuit.SetCancel(true);
  BtnQuit.SetModalResult(ui::mrCancel);

  Tab.SetTabs({"&Editor (text)", "Th&umbnails"});
  Tab.SetTabIndex(0);
  Tab.SetBounds(288, 4, 212, 24);
  Tab.SetTabStop(true);
  for (ui::Panel* page : {&PageEditor, &PageThumbs}) {
    page->SetBounds(288, 30, 212, 58);
    page->SetBevelOuter(ui::Bevel::Lowered);
  }
  BtnGlobal.SetCaption("&Global");
  BtnGlobal.SetBounds(8, 16, 94, 25);
  BtnCD.SetCaption("C&D trk");
  BtnCD.SetBounds(110, 16, 94, 25);
  PageThumbs.SetVisible(false);
  BtnCatalog.SetCaption("&Update");
  BtnCatalog.SetBounds(8, 4, 94, 25);
  BtnKillCat.SetCaption("&Kill all");
  BtnKillCat.SetBounds(110, 4, 94, 25);
  CatScroll.SetBounds(8, 34, 196, 17);
  for (ui::Control* c :
       {static_cast<ui::Control*>(&BtnGlobal), static_cast<ui::Control*>(&BtnCD),
        static_cast<ui::Control*>(&BtnCatalog), static_cast<ui::Control*>(&BtnKillCat)})
    c->SetTabStop(true);

  ColorPanel.SetBounds(504, 4, 100, 86);
  ColorPanel.SetBevelOuter(ui::Bevel::Lowered);
  ColorLabel.SetCaption("NO background");
  ColorLabel.SetBounds(1, 3, 98, 14);
  ColorLabel.SetAlignment(ui::Alignment::Center);
  ColorLabel.SetTransparent(true);
  Thumbnail.SetBounds(18, 19, 64, 64);
  Thumbnail.SetVisible(false);

  MissingTimer.SetEnabled(false);
  MissingTimer.SetInterval(kMissingTimerInterval);
  MissingTimer.OnTimer = [this](ui::Control&) { MissingTimerTimer(); };

  OnShow = [this](ui::Control& s) { FormShow(s); };
  OnActivate = [this](ui::Control&) { FormActivate(); };
  OnCloseQuery = [this](ui::Control& s, bool& can) { FormCloseQuery(s, can); };
  OnClose = [this](ui::Control&, ui::CloseAction&) { FormClose(); };
  OnKeyDown = [this](ui::Control& s, int& key, unsigned shift) { FormKeyDown(s, key, shift); };
  Grid.OnClick = [this](ui::Control& s) { GridClick(s); };
  Grid.OnDblClick = [this](ui::Control& s) { GridDblClick(s); };
  Grid.OnMouseUp = [this](ui::Control& s, ui::MouseButton b, unsigned shift, int x, int y) {
    GridMouseUp(s, b, shift, x, y);
  };
  Grid.OnKeyDown = [this](ui::Control& s, int& key, unsigned shift) { GridKeyDown(s, key, shift); };
  Grid.OnRowMoved = [this](ui::Control&, int, int) { GridRowMoved(); };
  Tab.OnChange = [this](ui::Control& s) { TabClick(s); };
  BtnAdd.OnClick = [this](ui::Control&) { BtnAddClick(false); };
  BtnInsert.OnClick = [this](ui::Control&) { BtnAddClick(true); };
  BtnDelete.OnClick = [this](ui::Control&) { BtnDeleteClick(kEraseAsked); };
  BtnTrash.OnClick = [this](ui::Control& s) { BtnTrashClick(s); };
  BtnMove.OnClick = [this](ui::Control& s) { BtnMoveClick(s); };
  BtnFind.OnClick = [this](ui::Control& s) { BtnFindClick(s); };
  BtnTag.OnClick = [this](ui::Control&) { TagSlide(); };
  BtnInfo.OnClick = [this](ui::Control& s) { BtnInfoClick(s); };
  BtnRelocate.OnClick = [this](ui::Control&) { mnuRelocateClick(); };
  BtnLoad.OnClick = [this](ui::Control& s) { BtnLoadClick(s); };
  BtnNew.OnClick = [this](ui::Control& s) { BtnNewClick(s); };
  BtnSave.OnClick = [this](ui::Control& s) { BtnSaveClick(s); };
  BtnTest.OnClick = [this](ui::Control& s) { BtnTestClick(s); };
  BtnHelp.OnClick = [this](ui::Control& s) { BtnHelpClick(s); };
  BtnGlobal.OnClick = [this](ui::Control& s) { BtnGlobalClick(s); };
  BtnCD.OnClick = [this](ui::Control& s) { BtnCDClick(s); };
  BtnCatalog.OnClick = [this](ui::Control& s) { BtnCatalogClick(s); };
  BtnKillCat.OnClick = [this](ui::Control& s) { BtnKillCatClick(s); };
  BtnView.OnClick = [this](ui::Control&) { SaveTagList(); };
  BtnUndo.OnClick = [this](ui::Control&) { UndoClick(); };
  BtnRedo.OnClick = [this](ui::Control&) { RedoClick(); };
}

void TEditorForm::FormCreate() {
  History.SetFileMover([](const std::string& from, const std::string& to) {
    return platform::Current().files->MoveFile(from, to);
  });
  state_.Directories.clear();
  SetUpGrid(Grid);
  Grid.SetOptions(ui::goFixedVertLine | ui::goFixedHorzLine | ui::goVertLine | ui::goHorzLine |
                  ui::goDrawFocusSelected | ui::goColSizing | ui::goRowMoving |
                  ui::goThumbTracking);
  for (int c = 0; c < kColumnCount; ++c)
    if (Grid.ColWidth(c) != 1) Grid.SetColWidth(c, 40);
  SetUpClear(Grid);
  Grid.SetRow(1);
  Grid.SetCol(kColName);
  Tab.SetTabIndex(0);
  ui::Application().SetHelpFile(ui::kHelpFile);
  for (ui::Control* c :
       {static_cast<ui::Control*>(&BtnInsert), static_cast<ui::Control*>(&BtnDelete),
        static_cast<ui::Control*>(&BtnTrash), static_cast<ui::Control*>(&BtnMove),
        static_cast<ui::Control*>(&BtnFind), static_cast<ui::Control*>(&BtnTag),
        static_cast<ui::Control*>(&BtnInfo), static_cast<ui::Control*>(&BtnRelocate),
        static_cast<ui::Control*>(&BtnSave), static_cast<ui::Control*>(&BtnView),
        static_cast<ui::Control*>(&BtnTest), static_cast<ui::Control*>(&BtnCatalog),
        static_cast<ui::Control*>(&BtnKillCat), static_cast<ui::Control*>(&CatScroll)})
    c->SetEnabled(false);
}

void TEditorForm::SetUpColumns() {
  const auto widths =
      ColumnWidths(Width(), Grid.Width(), ui::SystemMetric(ui::Metric::HThumbWidth));
  for (int c = 0; c < kColumnCount; ++c) Grid.SetColWidth(c, widths[static_cast<size_t>(c)]);
}

// The window is laid out for the screen once, before it has its windows:
// each control is then made where it stays.
void TEditorForm::FitToScreen() {
  // The grid holds whole thumbnail rows of a window as high as the screen.
  const int screenHeight = ui::Screen().Height();
  const int frame = ui::SystemMetric(ui::Metric::CaptionHeight) +
                    2 * ui::SystemMetric(ui::Metric::DialogFrameWidth);
  SetHeight(screenHeight - frame);
  thumbRows_ = std::max(1, (Grid.Height() - 2) / kThumbRowHeight);
  SetHeight(FittedWindowHeight(screenHeight - frame, Grid.Height()));
  SetTop(std::max(0, (screenHeight - Height() - frame) / 2));
  SetUpColumns();
}

void TEditorForm::OpenStartScript() {
  if (opened_) return;
  opened_ = true;
  // What the load has to tell waits for the window (see ShowError); so does
  // a failure, which the first showing reports as its own.
  try {
    const UndoHistory::Pause loading(History);
    if (state_.ScriptPath != keys::kNoScript) {
      LoadFile(state_, Grid, *this, files_, true);
    } else {
      state_.Modified = false;
    }
  } catch (...) {
    openFailure_ = std::current_exception();
  }
}

void TEditorForm::FormShow(ui::Control&) {
  if (shown_) return;
  OpenStartScript();
  shown_ = true;
  for (const auto& [warning, text] : std::exchange(heldBoxes_, {}))
    ui::MessageDlg(text, warning ? ui::MsgKind::Warning : ui::MsgKind::Error, ui::Buttons::OK);
  if (openFailure_) std::rethrow_exception(std::exchange(openFailure_, nullptr));
  History.Reset(!state_.Modified);
  UpdateUndoButtons();
  GridClick(Grid);
  StartMissingCheck();
  ui::Screen().SetCursor(ui::Cursor::Default);
}

void TEditorForm::FormCloseQuery(ui::Control&, bool& canClose) {
  // An empty script holds nothing that could be lost or saved.
  if (!state_.Modified || IsEmptyScript(Grid)) return;
  if (Confirm(std::string(kDiscardQuestion))) return;
  SaveScript();
  if (state_.Modified) canClose = false;
}

void TEditorForm::FormClose() {
  if (closed_) return;
  closed_ = true;
  state_.Directories.clear();
}

void TEditorForm::FormKeyDown(ui::Control&, int& key, unsigned shift) {
  // Ctrl+Z takes the last change back; Ctrl+Y and Ctrl+Shift+Z do it again.
  if ((shift & ui::ssCtrl) != 0 && (shift & ui::ssAlt) == 0 && (key == 'Z' || key == 'Y')) {
    if (key == 'Y' || (shift & ui::ssShift) != 0)
      RedoClick();
    else
      UndoClick();
    key = 0;
    return;
  }
  // Ctrl+D copies the selected slides, as the slide menu does.
  if (key == 'D' && (shift & (ui::ssCtrl | ui::ssAlt | ui::ssShift)) == ui::ssCtrl) {
    if (mnuDuplicate->Enabled()) DuplicateClick();
    key = 0;
    return;
  }
  if (Tab.TabIndex() == 1) {
    if (key != ui::vkPrior && key != ui::vkNext) return;
    if (key == ui::vkPrior)
      Thumbs.PageUp();
    else
      Thumbs.PageDown();
    key = 0;
  } else if (key == 'E' && (shift & ui::ssCtrl) != 0) {
    Grid.SetFocus();
    key = 0;
  }
}

void TEditorForm::EnableControls() {
  if (!BtnFind.Enabled()) SetSlideControlsEnabled(true);
}

void TEditorForm::DisableControls() {
  if (BtnFind.Enabled()) SetSlideControlsEnabled(false);
}

// The buttons and menu items that act on slides. "Vie&w file" is only
// turned off here: it is enabled each time its menu opens.
void TEditorForm::SetSlideControlsEnabled(bool on) {
  for (ui::Control* c :
       {static_cast<ui::Control*>(&BtnFind), static_cast<ui::Control*>(&BtnInfo),
        static_cast<ui::Control*>(&BtnRelocate), static_cast<ui::Control*>(&BtnTag),
        static_cast<ui::Control*>(&BtnView), static_cast<ui::Control*>(&BtnSave),
        static_cast<ui::Control*>(&BtnTest), static_cast<ui::Control*>(&BtnMove),
        static_cast<ui::Control*>(&BtnDelete), static_cast<ui::Control*>(&BtnTrash),
        static_cast<ui::Control*>(&BtnInsert), static_cast<ui::Control*>(&BtnCatalog),
        static_cast<ui::Control*>(&BtnKillCat)})
    c->SetEnabled(on);
  for (ui::MenuItem* m : {mnuFind, mnuInfo, mnuRelocate, mnuTag, mnuMove, mnuDelete, mnuTrash,
                          mnuInsert, mnuDuplicate})
    m->SetEnabled(on);
  if (!on) mnuView->SetEnabled(false);
}

void TEditorForm::mnuEditPopup(ui::Control&) {
  const int row = CurrentRow();
  mnuView->SetEnabled(!Grid.Cell(kColPath, row).empty() &&
                      Grid.Cell(kColTag, row) != kNotApplicable);
  mnuFindMissing->SetEnabled(missingCount_ > 0);
  mnuFindThis->SetEnabled(SlideMissing(row));
}

void TEditorForm::GridClick(ui::Control&) {
  const int row = CurrentRow();
  if (row < 1 || row >= Grid.RowCount()) return;
  const std::string path =
      SlidePathText(Grid, row, [](const std::string& p) { return ShownPathOf(LongPathOf(p)); });
  std::string caption =
      " " + path + " [" + std::to_string(row) + " of " + std::to_string(SlideCount(Grid)) + "]";
  if (missingCount_ > 0) caption += " - " + std::to_string(missingCount_) + " missing";
  if (const int selected = Grid.SelectedCount(); selected > 1)
    caption += " - " + std::to_string(selected) + " selected";
  const ui::Font font = GetFont();
  Fullname.SetCaption(FitPathCaption(caption, Fullname.Width() - 2 - 32,
                                     [&](const std::string& t) { return ui::TextWidth(font, t); }));

  if (Grid.Cell(kColHasColour, row) != kYes) {
    ColorPanel.SetColor(ui::clBtnFace);
    ColorLabel.SetCaption("NO background");
  } else if (const std::string& colour = Grid.Cell(kColColour, row); !colour.empty()) {
    if (const auto value = ParseDecimal(colour))
      ColorPanel.SetColor(static_cast<ui::Color>(*value) & 0xFFFFFFu);
    ColorLabel.SetCaption("Background");
  }
  ThumbnailView.Show(ThumbnailFile(row));
}

std::vector<int> TEditorForm::SelectedSlides() const {
  std::vector<int> rows = Grid.SelectedRows();
  std::erase_if(rows, [&](int r) { return r < 1 || r >= Grid.RowCount(); });
  return rows;
}

std::string TEditorForm::ThumbnailFile(int row) const {
  const std::string& index = Grid.Cell(kColThumb, row);
  if (index.empty() || index == kNoThumb) return {};
  return state_.AppDir + state_.CatalogId + index + ".BMP";
}

// ---- undo and redo -------------------------------------------------------------

void TEditorForm::CommitStep() {
  History.Commit();
  UpdateUndoButtons();
  ShowMissingMarks();
}

void TEditorForm::UpdateUndoButtons() {
  BtnUndo.SetEnabled(History.CanUndo());
  BtnRedo.SetEnabled(History.CanRedo());
}

void TEditorForm::UndoClick() {
  if (History.Undo()) AfterHistoryMove();
  UpdateUndoButtons();
}

void TEditorForm::RedoClick() {
  if (History.Redo()) AfterHistoryMove();
  UpdateUndoButtons();
}

// The script is changed exactly when it differs from the file (by the
// history); the window shows the slides as they are now.
void TEditorForm::AfterHistoryMove() {
  state_.Modified = !History.AtSaved();
  if (IsEmptyScript(Grid))
    DisableControls();
  else
    EnableControls();
  // Slides that come back are marked as last found, and looked at again.
  ShowMissingMarks();
  StartMissingCheck();
  GridClick(Grid);
  UpdatePreview();
}

bool TEditorForm::SaveScript() {
  const bool saved = SaveFile(state_, Grid, *this, files_, false);
  if (saved) History.MarkSaved();
  UpdateUndoButtons();
  return saved;
}

// ---- missing files -------------------------------------------------------------

void TEditorForm::FormActivate() {
  // Files may have come or gone while another window was active. A check
  // under way goes on.
  if (shown_ && !Missing.Running()) StartMissingCheck();
}

void TEditorForm::StartMissingCheck() {
  std::vector<std::string> paths;
  paths.reserve(static_cast<size_t>(Grid.RowCount()));
  for (int r = 1; r < Grid.RowCount(); ++r) {
    const std::string& path = Grid.Cell(kColPath, r);
    if (!path.empty() && path != kNotApplicable) paths.push_back(path);
  }
  Missing.Start(paths);
  MissingTimer.SetEnabled(true);
  MissingTimerTimer();
}

void TEditorForm::MissingTimerTimer() {
  const auto until = std::chrono::steady_clock::now() + kMissingSlice;
  bool done = false;
  do {
    done = Missing.Step(kMissingStep);
  } while (!done && std::chrono::steady_clock::now() < until);
  if (!done) return;
  MissingTimer.SetEnabled(false);
  ShowMissingMarks();
  GridClick(Grid);
}

bool TEditorForm::SlideMissing(int row) const {
  if (row < 1 || row >= Grid.RowCount()) return false;
  const std::string& path = Grid.Cell(kColPath, row);
  return !path.empty() && path != kNotApplicable && Missing.IsMissing(path);
}

void TEditorForm::ShowMissingMarks() {
  if (Missing.Missing().empty() && missingCount_ == 0) return;
  ui::RowStyle mark;
  mark.textColor = ui::clGrayText;
  mark.glyph = ui::GlyphKind::MissingFile;
  int count = 0;
  for (int r = 1; r < Grid.RowCount(); ++r) {
    const bool missing = SlideMissing(r);
    count += missing ? 1 : 0;
    Grid.SetRowStyle(r, missing ? mark : ui::RowStyle{});
  }
  const bool changed = count != missingCount_;
  missingCount_ = count;
  if (Thumbs.Active()) Thumbs.UpdateCatalogTags(Thumbs.First());
  if (changed) GridClick(Grid);
}

// ---- ScriptWindow --------------------------------------------------------------

int TEditorForm::RunExplorer(int kind) {
  explorerResult_ = EditorExplorer()(kind, 0);
  return explorerResult_;
}

bool TEditorForm::Confirm(const std::string& text) {
  return ui::MessageDlg(text, ui::MsgKind::Confirm, ui::Buttons::YesNo) == ui::mrYes;
}

void TEditorForm::ShowError(const std::string& text) {
  if (!shown_) {
    heldBoxes_.emplace_back(false, text);
    return;
  }
  ui::MessageDlg(text, ui::MsgKind::Error, ui::Buttons::OK);
}

void TEditorForm::ShowWarning(const std::string& text) {
  if (!shown_) {
    heldBoxes_.emplace_back(true, text);
    return;
  }
  ui::MessageDlg(text, ui::MsgKind::Warning, ui::Buttons::OK);
}

void TEditorForm::SetBusy(bool busy) {
  ui::Screen().SetCursor(busy ? ui::Cursor::HourGlass : ui::Cursor::Default);
}

void TEditorForm::Begin(int max) {
  Gauge.SetRange(1, std::max(1, max));
  Gauge.SetProgress(1);
  Gauge.SetVisible(true);
}

void TEditorForm::Step(int position) {
  // The bar moves by whole percents: a long script does not repaint it for
  // every slide.
  const int max = std::max(1, Gauge.MaxValue());
  if (position * 100 / max != Gauge.Progress() * 100 / max) Gauge.SetProgress(position);
}

void TEditorForm::End() { Gauge.SetVisible(false); }

// ---- the entry ---------------------------------------------------------------------

int32_t RunEditorWin() {
  // One editor at a time. A second call while it is open (from a host timer
  // or message that runs inside the editor's loop) would edit the same
  // script and test file from two windows; it hands the host nothing to do
  // and leaves the open editor as it is.
  static bool running = false;
  if (running) return 0;
  running = true;
  struct Done {
    ~Done() { running = false; }
  } done;
  ui::Screen().SetCursor(ui::Cursor::HourGlass);
  ScriptState state;
  {
    const TIniFile ini(keys::kSettingsFile);
    state.ScriptPath = ini.ReadText(keys::kSection, keys::kAvlFil, keys::kNoScript);
    state.TempScriptPath = ini.ReadText(keys::kSection, keys::kAvlTmp, keys::kAbsent);
    state.AppDir = ini.ReadText(keys::kSection, keys::kAppDir, keys::kAbsent);
  }
  if (state.AppDir != keys::kAbsent) state.AppDir = AddBackslash(state.AppDir);

  int32_t result = 0;
  {
    auto form = std::make_unique<TEditorForm>(std::move(state));
    // The script is read into the grid before the window is made: the
    // window is then made once with the slides in it and painted once.
    form->OpenStartScript();
    const ui::ModalResult closedWith = form->ShowModal();
    switch (closedWith) {
      case ui::mrAll:
        result = -1;
        break;
      case ui::mrOk:
        result = 1;
        break;
      case ui::mrRetry:
        result = 2;
        break;
      default:
        result = 0;
        break;
    }
    ui::Guard([&] { form->FormClose(); });
  }
  ui::Screen().SetCursor(ui::Cursor::Default);
  return result;
}

}  // namespace w95::editor
