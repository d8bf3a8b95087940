// The editor's slide operations: opening a cell, adding and inserting,
// erasing, trashing, moving slides and files, finding, file facts, CD
// tracks, and the script as a whole (new, open, save, test, help).
#include <algorithm>
#include <cctype>

#include "editor/editor_form.h"
#include "editor/scrl_dlg.h"
#include "editor/slide_ops.h"
#include "platform/code_page_text.h"
#include "platform/platform.h"
#include "settings/exchange.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/paths.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/screen.h"

namespace w95::editor {

namespace {

constexpr int kContextMenuKey = 93;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TIniFile Settings() { return TIniFile(keys::kSettingsFile); }

platform::FileSystem& Files() { return *platform::Current().files; }

void Inform(const std::string& text) {
  ui::MessageDlg(text, ui::MsgKind::Information, ui::Buttons::OK);
}

}  // namespace

// ---- opening a cell -------------------------------------------------------------------

void TEditorForm::GridDblClick(ui::Control&) { CommonAction(); }

void TEditorForm::GridMouseUp(ui::Control&, ui::MouseButton button, unsigned, int, int) {
  if (button == ui::MouseButton::Right) CommonAction();
}

void TEditorForm::GridKeyDown(ui::Control&, int& key, unsigned shift) {
  if (shift != ui::ssNone) return;
  if (key == ui::vkSpace || key == ui::vkReturn) {
    keyboardOpened_ = true;
    key = 0;
    CommonAction();
  } else if (key == kContextMenuKey) {
    keyboardOpened_ = false;
    key = 0;
    CommonAction();
  }
}

void TEditorForm::GridRowMoved() {
  const ActionStep step(*this);
  Renumber(Grid);
  state_.Modified = true;
  GridClick(Grid);
}

ui::Point TEditorForm::MenuPoint() const {
  if (keyboardOpened_) return {Left() + 2 * Fullname.Height(), Top() + 3 * Fullname.Height()};
  const platform::ScreenPoint p = platform::Current().desktop
                                      ? platform::Current().desktop->CursorPos()
                                      : platform::ScreenPoint{};
  return {p.x, p.y};
}

void TEditorForm::PopupAt(ui::PopupMenu& menu) {
  const ui::Point p = MenuPoint();
  menu.Popup(p.x, p.y);
}

bool TEditorForm::LoopMenuFor(int row) const { return HasLoopCount(Grid.Cell(kColName, row)); }

void TEditorForm::OpenCell(int col) {
  const int row = CurrentRow();
  switch (col) {
    case kColHasColour:
      PopupAt(mnuColor);
      break;
    case kColEffect:
      PopupAt(LoopMenuFor(row) ? mnuFLI : mnuFX);
      break;
    case kColWait:
      PopupAt(mnuWait);
      break;
    case kColHorz:
      PopupAt(mnuHPOS);
      break;
    case kColVert:
      PopupAt(mnuVPOS);
      break;
    case kColGamma:
      GammaClick();
      break;
    case kColZoom:
      PopupAt(mnuSIZE);
      break;
    case kColVolume:
      PopupAt(mnuVOL);
      break;
    case kColSpeed:
      PopupAt(mnuSPD);
      break;
    default:
      break;
  }
}

void TEditorForm::CommonAction() {
  const ActionStep step(*this);
  const int row = CurrentRow();
  const int col = Grid.Col();
  if (row < 1 || row >= Grid.RowCount() || Grid.Cell(col, row) == kNotApplicable) {
    keyboardOpened_ = false;
    return;
  }
  globalMode_ = false;
  // Opening a cell changes nothing: the menu's choice marks the script
  // changed, a dismissed menu leaves it as it was.
  if (col == kColName)
    PopupAt(mnuEdit);
  else if (col == kColThumb)
    Grid.SetCol(kColTag);
  else if (col == kColTag)
    TagSlide();
  else
    OpenCell(col);
  GridClick(Grid);
  keyboardOpened_ = false;
}

// ---- adding ---------------------------------------------------------------------------

void TEditorForm::BtnAddClick(bool insert) {
  const ActionStep step(*this);
  if (RunExplorer(kExplorerAddSlides) == -1) return;
  EnableControls();
  const std::string listFile = Settings().ReadText(keys::kSection, keys::kWin95Tmp, keys::kAbsent);
  if (listFile == keys::kAbsent) return;
  FileList list;
  try {
    list = ReadFileList(listFile, kAddSlidesDefaults);
  } catch (const std::exception&) {
    ShowError(std::string(kBadScript));
    return;
  }
  // An empty list adds nothing (an empty script would otherwise lose its
  // placeholder row and the grid its only slide row).
  const int count = static_cast<int>(list.files.size());
  if (count == 0) return;
  const std::string folder = AddBackslash(list.folder);

  int remembered = CurrentRow();
  // The placeholder of an empty script is no slide: inserting fills it as
  // adding does.
  if (insert && !IsEmptyScript(Grid)) {
    GridInsert(Grid, remembered, count);
    Grid.SetRow(remembered);
  } else if (!IsEmptyScript(Grid)) {
    remembered = Grid.RowCount() - 1;
    Grid.SetRow(1);
    Grid.SetRowCount(Grid.RowCount() + count);
    ui::Application().ProcessMessages();
    Grid.SetRow(remembered);
  } else {
    remembered = 1;
    Grid.SetRowCount(Grid.RowCount() + count - 1);
    Grid.SetRow(1);
  }

  state_.Modified = true;
  for (const std::string& name : list.files) {
    const std::string path = folder + name;
    int row = CurrentRow();
    if (!Grid.Cell(kColPath, row).empty()) Grid.SetRow(++row);
    Grid.SetCell(kColPath, row, Lower(ShortPathOf(path)));
    Grid.SetCell(kColName, row, LongShownNameOf(path));
    const std::string_view warning = SetUpKind(Grid, row, KindForAdding(path));
    if (!warning.empty()) ShowWarning(std::string(warning));
  }
  Grid.SetRow(remembered);
  Renumber(Grid);
  GridClick(Grid);
  UpdatePreview();
  if (Grid.RowCount() > kManySlidesRows) ShowWarning(std::string(kManySlidesWarning));
}

// ---- erasing --------------------------------------------------------------------------

void TEditorForm::BtnDeleteClick(int how) {
  const ActionStep step(*this);
  if (how == kEraseAsked && SeveralSelected()) {
    // The slides selected go at once; the thumbnail question is asked once
    // for all of them.
    const std::vector<int> rows = SelectedSlides();
    std::vector<std::string> thumbs;
    for (int r : rows)
      if (const std::string thumb = ThumbnailFile(r); !thumb.empty() && files_.Exists(thumb))
        thumbs.push_back(thumb);
    if (!thumbs.empty()) {
      const ui::ModalResult answer =
          ui::MessageDlg("Thumbnail should be kept\nif you will save a subset.\nDelete thumbnail ?",
                         ui::MsgKind::Confirm, ui::Buttons::YesNoCancel);
      if (answer == ui::mrCancel) return;
      if (answer == ui::mrYes)
        for (const std::string& thumb : thumbs) files_.Remove(thumb);
    }
    state_.Modified = true;
    if (EraseSlides(Grid, rows)) {
      state_.Modified = false;
      DisableControls();
    }
    GridClick(Grid);
    UpdatePreview();
    return;
  }
  const int row = CurrentRow();
  state_.Modified = true;
  const std::string thumb = ThumbnailFile(row);
  if (!thumb.empty() && files_.Exists(thumb)) {
    if (how == kEraseAsked) {
      const ui::ModalResult answer =
          ui::MessageDlg("Thumbnail should be kept\nif you will save a subset.\nDelete thumbnail ?",
                         ui::MsgKind::Confirm, ui::Buttons::YesNoCancel);
      if (answer == ui::mrCancel) return;
      if (answer == ui::mrYes) files_.Remove(thumb);
    } else if (how == kEraseTrash) {
      files_.Remove(thumb);
    }
  }
  if (EraseSlide(Grid, row)) {
    // The script is empty again: there is nothing to save or act on.
    state_.Modified = false;
    Grid.SetRow(1);
    DisableControls();
  }
  GridClick(Grid);
  UpdatePreview();
}

void TEditorForm::BtnTrashClick(ui::Control&) {
  const int row = CurrentRow();
  const std::string question =
      CutText(Grid.Cell(kColName, row), 40, "...") + "\n" + "Delete file ?";
  if (ui::MessageDlg(question, ui::MsgKind::Warning, ui::Buttons::YesNo) != ui::mrYes) return;
  if (Files().DeleteFile(Grid.Cell(kColPath, row)))
    BtnDeleteClick(kEraseTrash);
  else
    ShowError("Access denied.");
}

// ---- moving ---------------------------------------------------------------------------

int TEditorForm::AskValue(const std::string& caption, int min, int max, int small, int large,
                          int initial) {
  return RunScrlDlg(caption, min, max, static_cast<int16_t>(small), static_cast<int16_t>(large),
                    initial);
}

void TEditorForm::BtnMoveClick(ui::Control&) {
  const ActionStep step(*this);
  if (SeveralSelected()) {
    // The slides selected move as a block: the number asked for is the
    // first one's.
    const std::vector<int> rows = SelectedSlides();
    const int n = static_cast<int>(rows.size());
    if (n >= SlideCount(Grid)) return;  // every slide: there is nowhere to move them
    const int to = AskValue("Move " + std::to_string(n) + " slides to", 1,
                            std::max(1, SlideCount(Grid) - n + 1), 1, 1, rows.front());
    if (to == -1 || (to == rows.front() && rows.back() - rows.front() == n - 1)) return;
    const ui::BusyCursor busy;
    const int first = MoveSlides(Grid, rows, to);
    state_.Modified = true;
    Grid.SelectRows(first, first + n - 1, first);
    UpdatePreview();
    GridClick(Grid);
    return;
  }
  const int from = CurrentRow();
  const int to =
      AskValue("Move slide #" + std::to_string(from) + " to", 1, SlideCount(Grid), 1, 1, from);
  if (to == -1 || to == from) return;
  {
    // The moved slide stays selected, as after dragging it on the page.
    const ui::BusyCursor busy;
    const int now = GridxMove(Grid, from, to);
    state_.Modified = true;
    UpdatePreview();
    Grid.SetRow(now);
    GridClick(Grid);
  }
}

void TEditorForm::DuplicateClick() {
  const ActionStep step(*this);
  if (IsEmptyScript(Grid)) return;
  const std::vector<int> rows = SelectedSlides();
  if (rows.empty()) return;
  const int n = static_cast<int>(rows.size());
  const int first = DuplicateSlides(Grid, rows);
  state_.Modified = true;
  // The copies are selected, as a block.
  Grid.SelectRows(first, first + n - 1, first);
  GridClick(Grid);
  UpdatePreview();
  if (Grid.RowCount() > kManySlidesRows) ShowWarning(std::string(kManySlidesWarning));
}

// ---- finding --------------------------------------------------------------------------

void TEditorForm::BtnFindClick(ui::Control&) {
  std::string text;
  if (!ui::InputQuery("Find Slide", "Enter partial filename (no wildcards)", text)) return;
  const std::string word = Lower(text);
  // The name as the grid shows it counts as much as the short path.
  const auto matches = [&](int r) {
    return Lower(Grid.Cell(kColPath, r)).find(word) != std::string::npos ||
           Lower(Grid.Cell(kColName, r)).find(word) != std::string::npos;
  };
  bool found = false;
  for (int r = 1; r < Grid.RowCount(); ++r) {
    if (!matches(r)) continue;
    found = true;
    Grid.SetRow(r);
    GridClick(Grid);
    CatScroll.SetPosition(r);
    UpdatePreview();
    if (!Confirm("Find next matching slide?")) return;
  }
  Inform(found ? std::string("Search done.") : "No match found.\nSearch word: " + text);
}

// ---- the slide's file -----------------------------------------------------------------

void TEditorForm::mnuRelocateClick() {
  const ActionStep step(*this);
  const int row = CurrentRow();
  // The host's form of the name: the slide's short name where the code page
  // cannot hold the one shown.
  const std::string& shown = Grid.Cell(kColName, row);
  Settings().WriteText(
      keys::kSection, keys::kSaveAs,
      platform::CodePageFromShown(shown) ? shown : NamePart(Grid.Cell(kColPath, row)));
  if (RunExplorer(kExplorerMoveFile) == -1) return;
  const std::string target = Settings().ReadText(keys::kSection, keys::kSaveName, keys::kAbsent);
  // No name came back: there is nowhere to move the file to.
  if (target == keys::kAbsent) return;
  if (files_.Exists(target)) {
    ShowWarning("Destination file exists.");
    return;
  }
  const std::string source = Grid.Cell(kColPath, row);
  if (!Files().MoveFile(source, target)) {
    ShowError("Move file failed.");
    return;
  }
  History.FileMoved(source, target);
  Grid.SetCell(kColPath, row, ShortPathOf(target));
  // The slide is shown under the name the file has now.
  Grid.SetCell(kColName, row, LongShownNameOf(target));
  GridClick(Grid);
  UpdatePreview();
  state_.Modified = true;
  if (files_.Exists(source)) Files().DeleteFile(source);
}

void TEditorForm::FindMissingClick(bool currentOnly) {
  const ActionStep step(*this);
  const auto missingRows = [&] {
    std::vector<int> rows;
    if (currentOnly) {
      if (SlideMissing(CurrentRow())) rows.push_back(CurrentRow());
    } else {
      for (int r = 1; r < Grid.RowCount(); ++r)
        if (SlideMissing(r)) rows.push_back(r);
    }
    return rows;
  };
  if (missingRows().empty()) {
    Inform("No missing files.");
    return;
  }
  const std::optional<std::string> folder = EditorFolderPicker()();
  if (!folder) return;
  // The marks may have changed while the folder was being chosen.
  const std::vector<int> rows = missingRows();
  std::vector<std::string> names;
  for (int r : rows) names.push_back(Grid.Cell(kColName, r));
  std::vector<std::string> notFound;
  int relinked = 0;
  {
    const ui::BusyCursor busy;
    const auto found = FindByName(Files(), *folder, names);
    for (size_t i = 0; i < rows.size(); ++i) {
      const auto at = found.find(Lower(names[i]));
      if (at == found.end()) {
        notFound.push_back(names[i]);
        continue;
      }
      const int row = rows[i];
      Grid.SetCell(kColPath, row, Lower(ShortPathOf(at->second)));
      Grid.SetCell(kColName, row, LongShownNameOf(at->second));
      ++relinked;
    }
  }
  if (relinked > 0) {
    state_.Modified = true;
    ShowMissingMarks();
    GridClick(Grid);
    UpdatePreview();
  }
  std::string report = "Found " + std::to_string(relinked) + " of " + std::to_string(rows.size()) +
                       " missing files.";
  if (!notFound.empty()) report += "\nNot found: " + NameList(notFound, 10);
  Inform(report);
}

void TEditorForm::BtnInfoClick(ui::Control&) {
  const int row = CurrentRow();
  const std::string& path = Grid.Cell(kColPath, row);
  const auto facts = path.empty() ? std::nullopt : Files().Stat(path);
  if (!facts || facts->IsDirectory()) {
    ShowError("File not found!");
    return;
  }
  platform::Desktop* desktop = platform::Current().desktop;
  const std::string when = desktop ? desktop->ShortDateTime(facts->writeTime) : std::string();
  Inform("Slide: " + std::to_string(row) + "\n" + "File: " + NamePart(path) + "\n" +
         "Alias: " + CutText(Grid.Cell(kColName, row), 40, " ...") + "\n" +
         "Size: " + std::to_string(facts->size) + " bytes" + "\n" + "Modified: " + when);
}

void TEditorForm::BtnCDClick(ui::Control&) {
  const ActionStep step(*this);
  const int track = AskValue("CD Audio Track Selection", 1, 99, 1, 1, 1);
  if (track == -1) return;
  // The placeholder of an empty script is no slide: the track takes its row.
  if (IsEmptyScript(Grid)) {
    Grid.SetRow(1);
  } else if (!Confirm("Replace current slide?")) {
    Grid.SetRowCount(Grid.RowCount() + 1);
    Grid.SetRow(Grid.RowCount() - 1);
  }
  const int row = CurrentRow();
  Grid.SetCell(kColNumber, row, std::to_string(row));
  SetUpCD(Grid, row, track);
  Fullname.SetCaption(Grid.Cell(kColName, row));
  // A CD track is a change like any other: closing asks about it.
  state_.Modified = true;
  EnableControls();
  UpdatePreview();
}

// ---- the script -----------------------------------------------------------------------

bool TEditorForm::MayDiscardScript() {
  // Changes are never dropped without a question, whatever the size.
  if (SlideCount(Grid) <= 1 && !state_.Modified) return true;
  return Confirm("Discard script?");
}

void TEditorForm::BtnNewClick(ui::Control&) {
  if (!MayDiscardScript()) return;
  const UndoHistory::Pause starting(History);
  state_.Modified = false;
  // A new script has no name and no catalog yet: a save asks for a name and
  // cannot put it over the script that was open.
  state_.ScriptPath = std::string(keys::kNoScript);
  state_.ScriptTitle.clear();
  state_.CatalogId.clear();
  state_.Directories.clear();
  SetCaption(EditorCaption("*New*"));
  SetUpClear(Grid);
  History.Reset();
  UpdateUndoButtons();
  StartMissingCheck();
  Grid.SetRow(1);
  GridClick(Grid);
  DisableControls();
}

void TEditorForm::BtnLoadClick(ui::Control&) {
  if (!MayDiscardScript()) return;
  const UndoHistory::Pause loading(History);
  // The script in the window stays until another one has been chosen: an
  // Open that is cancelled gives it back as it was.
  struct Kept {
    std::vector<std::vector<std::string>> rows;
    int row, col;
    bool modified;
    std::string caption;
  } kept{{}, Grid.Row(), Grid.Col(), state_.Modified, Caption()};
  for (int r = 0; r < Grid.RowCount(); ++r) {
    std::vector<std::string> cells;
    for (int c = 0; c < kColumnCount; ++c) cells.push_back(Grid.Cell(c, r));
    kept.rows.push_back(std::move(cells));
  }

  Grid.SetRow(1);
  Grid.SetRowCount(2);
  CatScroll.SetPosition(1);
  state_.Modified = false;
  SetUpClear(Grid);
  GridClick(Grid);
  if (Tab.TabIndex() == 1) {
    Tab.SetTabIndex(0);
    TabClick(Tab);
  }
  explorerResult_ = -2;
  const std::string before = state_.ScriptPath;
  LoadFile(state_, Grid, *this, files_, false);
  // A script was chosen when the explorer ran, was not cancelled and handed
  // back a name (which loading copies to "AVLNOW").
  const bool chosen = explorerResult_ >= 0 && Settings().ReadText(keys::kSection, keys::kAvlNow,
                                                                  keys::kAbsent) != keys::kAbsent;
  if (chosen) {
    History.Reset(!state_.Modified);
    UpdateUndoButtons();
    StartMissingCheck();
    return;
  }
  state_.ScriptPath = before;
  Grid.SetRowCount(static_cast<int>(kept.rows.size()));
  for (int r = 0; r < Grid.RowCount(); ++r)
    for (int c = 0; c < kColumnCount; ++c)
      Grid.SetCell(c, r, std::move(kept.rows[static_cast<size_t>(r)][static_cast<size_t>(c)]));
  Grid.SetRow(kept.row);
  Grid.SetCol(kept.col);
  state_.Modified = kept.modified;
  SetCaption(kept.caption);
  StartMissingCheck();
  GridClick(Grid);
}

void TEditorForm::BtnSaveClick(ui::Control&) { SaveScript(); }

void TEditorForm::BtnTestClick(ui::Control&) {
  if (IsEmptyScript(Grid)) {
    Inform("Nothing to test!");
    return;
  }
  if (state_.TempScriptPath == keys::kAbsent) {
    // The host plays the file it named; without one there is nothing to hand it.
    ShowError("Unable to write the test script: plimbo.ini names no \"AVLTMP\".");
    return;
  }
  const bool wasModified = state_.Modified;
  state_.Modified = false;
  if (!SaveFile(state_, Grid, *this, files_, true)) {
    // The host would play a file that does not hold this script, and the
    // changes would be gone with the window: stay open instead.
    state_.Modified = wasModified;
    return;
  }
  SetModalResult(ui::mrAll);
}

void TEditorForm::BtnHelpClick(ui::Control&) { ShowHelp(); }

}  // namespace w95::editor
