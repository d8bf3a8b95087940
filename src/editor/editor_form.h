// The slide editor window "Plimbo Slide Editor": the script in a grid, one
// row per slide, with the slide operations on buttons and the pop-up menu,
// the attribute menus that open on a cell, and global modification.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/missing_files.h"
#include "editor/script_io.h"
#include "editor/script_sources.h"
#include "editor/thumbs_page.h"
#include "editor/undo_history.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/menu.h"
#include "ui/panel.h"
#include "ui/scroll_bar.h"
#include "ui/string_grid.h"
#include "ui/timer.h"

namespace w95::editor {

// How the editor calls the explorer dialog (kind, restriction): -1 when the
// user cancels. The library sets it to its dialog entry; tests may replace it.
using ExplorerCall = std::function<int32_t(int32_t kind, int32_t restrictFormats)>;
ExplorerCall& EditorExplorer();

// How the editor asks for a folder to search (the explorer choosing a
// folder): nothing when the user cancels. Tests may replace it.
using FolderCall = std::function<std::optional<std::string>()>;
FolderCall& EditorFolderPicker();

inline constexpr int kExplorerMoveFile = 102;
inline constexpr int kExplorerAddSlides = 253;
inline constexpr int kEditorHelpContext = 300;

class TEditorForm : public ui::Form, private ScriptWindow {
 public:
  explicit TEditorForm(ScriptState state);
  ~TEditorForm() override;

  ScriptState& State() { return state_; }
  bool GlobalMode() const { return globalMode_; }

  // ---- Controls (names are the window's own).
  ui::Panel Fullname{*this, "Fullname"};
  ui::Gauge Gauge{Fullname, "Gauge"};
  ui::Panel PanelControls{*this, "PanelControls"};
  ui::Panel PanelGrid{*this, "PanelGrid"};
  ui::StringGrid Grid{PanelGrid, "Grid"};
  ui::Panel PanelThumbs{PanelGrid, "PanelThumbs"};
  ui::Image Image2{PanelThumbs, "Image2"};

  ui::Button BtnAdd{PanelControls, "BtnAdd"};
  ui::Button BtnInsert{PanelControls, "BtnInsert"};
  ui::Button BtnDelete{PanelControls, "BtnDelete"};
  ui::Button BtnTrash{PanelControls, "BtnTrash"};
  ui::Button BtnMove{PanelControls, "BtnMove"};
  ui::Button BtnFind{PanelControls, "BtnFind"};
  ui::Button BtnTag{PanelControls, "BtnTag"};
  ui::Button BtnInfo{PanelControls, "BtnInfo"};
  ui::Button BtnRelocate{PanelControls, "BtnRelocate"};
  ui::Button BtnLoad{PanelControls, "BtnLoad"};
  ui::Button BtnNew{PanelControls, "BtnNew"};
  ui::Button BtnSave{PanelControls, "BtnSave"};
  ui::Button BtnView{PanelControls, "BtnView"};
  ui::Button BtnTest{PanelControls, "BtnTest"};
  ui::Button BtnHelp{PanelControls, "BtnHelp"};
  ui::Button BtnQuit{PanelControls, "BtnQuit"};
  ui::Button BtnUndo{PanelControls, "BtnUndo"};
  ui::Button BtnRedo{PanelControls, "BtnRedo"};
  ui::TabControl Tab{PanelControls, "Tab"};
  ui::Panel PageEditor{PanelControls, "PageEditor"};
  ui::Button BtnGlobal{PageEditor, "BtnGlobal"};
  ui::Button BtnCD{PageEditor, "BtnCD"};
  ui::Panel PageThumbs{PanelControls, "PageThumbs"};
  ui::Button BtnCatalog{PageThumbs, "BtnCatalog"};
  ui::Button BtnKillCat{PageThumbs, "BtnKillCat"};
  ui::ScrollBar CatScroll{PageThumbs, "CatScroll"};
  ui::Panel ColorPanel{PanelControls, "ColorPanel"};
  ui::Label ColorLabel{ColorPanel, "ColorLabel"};
  ui::Image Thumbnail{ColorPanel, "Thumbnail"};

  ui::PopupMenu mnuEdit{*this, "mnuEdit"};
  ui::MenuItem* mnuAdd;
  ui::MenuItem* mnuInsert;
  ui::MenuItem* mnuTag;
  ui::MenuItem* mnuDelete;
  ui::MenuItem* mnuMove;
  ui::MenuItem* mnuFind;
  ui::MenuItem* mnuInfo;
  ui::MenuItem* mnuView;
  ui::MenuItem* mnuRelocate;
  ui::MenuItem* mnuTrash;
  ui::MenuItem* mnuFindMissing;
  ui::MenuItem* mnuFindThis;
  ui::MenuItem* mnuDuplicate;

  ui::PopupMenu mnuFX{*this, "mnuFX"};
  ui::PopupMenu mnuFLI{*this, "mnuFLI"};
  ui::PopupMenu mnuWait{*this, "mnuWait"};
  ui::PopupMenu mnuHPOS{*this, "mnuHPOS"};
  ui::PopupMenu mnuVPOS{*this, "mnuVPOS"};
  ui::PopupMenu mnuSIZE{*this, "mnuSIZE"};
  ui::PopupMenu mnuVOL{*this, "mnuVOL"};
  ui::PopupMenu mnuSPD{*this, "mnuSPD"};
  ui::PopupMenu mnuColor{*this, "mnuColor"};

  // The second page: the thumbnails in Image2 (with its Timer1), and the
  // current slide's thumbnail beside its colour.
  ThumbsPage Thumbs{*this, Grid, Image2, CatScroll, ThumbsCalls()};
  PictureView ThumbnailView{Thumbnail};

  // Every change to the grid, step by step, to be taken back and done again.
  UndoHistory History{Grid};

  // Slides whose file is not there: checked when a script is loaded and
  // whenever the window is activated again, a slice at a time from
  // MissingTimer so that the window keeps answering.
  MissingCheck Missing;
  ui::Timer MissingTimer{*this, "MissingTimer"};

  // ---- Window.
  // Reads the script the host named ("AVLFIL") into the grid, once; before
  // the window is made, or at its first showing. What the reading has to
  // tell the user is shown once the window is.
  void OpenStartScript();
  void FormCreate();
  void FormShow(ui::Control& sender);
  void FormCloseQuery(ui::Control& sender, bool& canClose);
  void FormClose();
  void FormKeyDown(ui::Control& sender, int& key, unsigned shift);
  void EnableControls();
  void DisableControls();
  void SetSlideControlsEnabled(bool on);
  void GridClick(ui::Control& sender);  // the slide display
  void TabClick(ui::Control& sender);
  void mnuEditPopup(ui::Control& sender);

  // ---- Slide operations.
  void CommonAction();
  void GridDblClick(ui::Control& sender);
  void GridMouseUp(ui::Control& sender, ui::MouseButton button, unsigned shift, int x, int y);
  void GridKeyDown(ui::Control& sender, int& key, unsigned shift);
  void GridRowMoved();
  void BtnAddClick(bool insert);
  void BtnDeleteClick(int how);
  void BtnTrashClick(ui::Control& sender);
  void BtnMoveClick(ui::Control& sender);
  void BtnFindClick(ui::Control& sender);
  void mnuRelocateClick();
  void BtnInfoClick(ui::Control& sender);
  void BtnCDClick(ui::Control& sender);
  void BtnNewClick(ui::Control& sender);
  bool MayDiscardScript();
  void BtnLoadClick(ui::Control& sender);
  void BtnSaveClick(ui::Control& sender);
  void BtnTestClick(ui::Control& sender);
  void BtnHelpClick(ui::Control& sender);
  void TagSlide();
  void UpdatePreview();
  // Copies of the selected slides below them (Ctrl+D): one step.
  void DuplicateClick();

  // ---- Missing files.
  void FormActivate();
  void StartMissingCheck();
  void MissingTimerTimer();
  // Marks the slides the last finished check found missing.
  void ShowMissingMarks();
  bool SlideMissing(int row) const;
  int MissingCount() const { return missingCount_; }
  // Relinks the missing slides (or the current one) to files of their
  // names found in a folder the user chooses: one step.
  void FindMissingClick(bool currentOnly);

  // ---- Undo and redo.
  void UndoClick();
  void RedoClick();
  // Ends the step of the action that ran: its changes are one step.
  void CommitStep();
  // The changes made during its life are one step (also when the action
  // ends early).
  class ActionStep {
   public:
    explicit ActionStep(TEditorForm& form) : form_(form) {}
    ~ActionStep() { form_.CommitStep(); }
    ActionStep(const ActionStep&) = delete;
    ActionStep& operator=(const ActionStep&) = delete;

   private:
    TEditorForm& form_;
  };

  // ---- Thumbnails, tags and viewing.
  void BtnCatalogClick(ui::Control& sender);
  void BtnKillCatClick(ui::Control& sender);
  void SaveTagList();

  // ---- Attribute menus and global modification.
  void BtnGlobalClick(ui::Control& sender);
  void fx1Click(ui::MenuItem& sender);
  void Loop1Click(ui::MenuItem& sender);
  void LoopXClick(ui::MenuItem& sender);
  void waitXClick(ui::MenuItem& sender);
  void waitUserClick(ui::MenuItem& sender);
  void hpos0Click(ui::MenuItem& sender);
  void hposXClick(ui::MenuItem& sender);
  void vpos0Click(ui::MenuItem& sender);
  void vposXClick(ui::MenuItem& sender);
  void sz0Click(ui::MenuItem& sender);
  void szXClick(ui::MenuItem& sender);
  void vol0Click(ui::MenuItem& sender);
  void volXClick(ui::MenuItem& sender);
  void spd0Click(ui::MenuItem& sender);
  void spdXClick(ui::MenuItem& sender);
  void clr0Click(ui::MenuItem& sender);
  void GammaClick();

  // How an erase was started: it decides what happens to the thumbnail.
  enum EraseFrom { kEraseAsked = 0, kEraseTrash = 1, kEraseMoving = 2 };

 private:
  // ScriptWindow: what loading and saving need of the window.
  int RunExplorer(int kind) override;
  void SetCaption(const std::string& caption) override { ui::Form::SetCaption(caption); }
  bool Confirm(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void SetBusy(bool busy) override;
  void EnableSlideControls() override { EnableControls(); }
  void RefreshSlide() override { GridClick(Grid); }
  void Begin(int max) override;
  void Step(int position) override;
  void End() override;

  ThumbsWindow ThumbsCalls();
  void BuildControls();
  void BuildMenus();
  void SetUpColumns();
  void FitToScreen();
  bool LoopMenuFor(int row) const;
  void OpenCell(int col);
  ui::Point MenuPoint() const;
  void PopupAt(ui::PopupMenu& menu);
  std::string ThumbnailFile(int row) const;
  void AfterHistoryMove();
  void UpdateUndoButtons();
  // A save under a name the user chose; the history knows the file holds
  // the grid when it succeeds.
  bool SaveScript();
  void SetCurrent(int col, const std::string& value);
  void SetValue(int col, const std::string& value);
  void WritePosition(int col, const std::string& value);
  void SetEffect(const std::string& caption, int index, bool loop);
  int AskValue(const std::string& caption, int min, int max, int small, int large, int initial);
  int CurrentRow() const { return Grid.Row(); }
  // The slides selected in the grid, top to bottom; several only when the
  // user picked them with Shift or Ctrl.
  std::vector<int> SelectedSlides() const;
  bool SeveralSelected() const { return Grid.SelectedCount() > 1; }

  ScriptState state_;
  PlatformScriptFiles files_;
  bool globalMode_ = false;         // the next menu choice goes into every slide
  bool keyboardOpened_ = false;     // the menu was opened from the keyboard
  bool shown_ = false;              // the first showing has run
  bool opened_ = false;             // the host's script has been read
  std::exception_ptr openFailure_;  // reading it failed so
  std::vector<std::pair<bool, std::string>> heldBoxes_;  // (warning, text) until shown
  bool closed_ = false;
  int thumbRows_ = 4;
  int explorerResult_ = -2;  // what the last explorer call returned
  int missingCount_ = 0;     // slides marked missing
};

// EditorWin95: reads "AVLFIL", "AVLTMP" and "AppDir", runs the editor and
// maps how it closed: test -1, thumbnail update 1, view tagged slides 2,
// anything else 0.
int32_t RunEditorWin();

}  // namespace w95::editor
