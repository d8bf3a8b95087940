// The explorer window "Plimbo Explorer": the dialog that the dialog entry
// runs in one of its modes (save, convert, move, replace, add, open). Every
// piece of explorer state lives in the window object, so two explorers never
// share or overwrite each other's state.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "explorer/folder_read.h"
#include "explorer/formats.h"
#include "explorer/listing.h"
#include "explorer/live_folder.h"
#include "explorer/modes.h"
#include "explorer/preview_pane.h"
#include "settings/exchange.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/file_list_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/menu.h"
#include "ui/panel.h"
#include "ui/timer.h"

namespace w95::explorer {

// The state that the explorer's parts share, one per window.
struct ExplorerState {
  bool open = false;         // set up; the list may be rebuilt
  bool initialising = true;  // being built: no list rebuilds, no columns
  bool navigating = true;    // re-entry guard of the Look-in handler
  bool modal = true;
  ModeSetup setup;  // ExplorerMode, ConvertFamily, RestrictedFormats
  bool rememberPlacement = false;
  uintptr_t hostWindow = 0;
  std::string startFolder;
  std::string saveAsName;
  std::string exchangeFile;
  std::string fileMask;
  // Patterns typed into the name box: they list the folder instead of the
  // type box's mask until the type box or the folder changes.
  std::string typedFilter;
  std::vector<int32_t> formatCodeTable = std::vector<int32_t>(kFormatCodeRoom, 0);
  SavedPositions savedPositions;
  int32_t currentFormatCode = 0;
  int columnWidth = 0;
  // The widest entry as measured after the last rebuild, and in which font:
  // resizing lays the columns out again without measuring every entry anew.
  int widestEntry = -1;
  ui::Font measuredIn;
  ui::Font defaultFont;
  int defaultWidth = 0;
  int defaultHeight = 0;
  std::string currentFolder = "c:\\";  // the folder tree's folder, long form
  // The details view: whether it is shown, its sort, the folder as read
  // (in the list's own order) and as shown.
  bool details = false;
  SortOrder sort;
  Listing listing;
  Listing shown;  // the details view's order of it (the list view shows it as it is)
  TypeNamer types;
  bool activated = false;    // the one-time activation has run
  bool lookApplied = false;  // the mode's captions, boxes and buttons are set
  bool filled = false;       // the dialog's folder, boxes and list are set
  bool closed = false;       // the close work has run
};

class TFileForm : public ui::Form {
 public:
  explicit TFileForm(const ModeSetup& setup, bool modal = true);
  ~TFileForm() override;

  ExplorerState& State() { return state_; }
  const ExplorerState& State() const { return state_; }
  const std::string& CurrentFolder() const { return state_.currentFolder; }

  // The dialog entry's steps around the modal run.
  void ApplyDefaultPlacement();
  // Makes the dialog's windows and fills them while it is still hidden: it
  // is then shown and painted once, complete. Without this the first
  // activation fills it.
  void FillBeforeShowing();
  void ApplyFontRule();
  int32_t SelectedFormatCode() const;
  void StoreSaveSettings();
  void FormClose();
  // Placement keys and "LastDir".
  void SaveWindowState();

  // ---- The modeless window (explorer_window.cpp).
  void OpenWindow(uintptr_t hostWindow, bool rememberPlacement);
  void RestoreWindowPlacement();
  void RefreshWindow();
  // The folder on show may be gone (removed by the host or another
  // program): the user is told and the list shows the nearest folder above
  // it that is still there. True when it was gone; the action that asked
  // then stops, since the user has not seen the new list yet.
  bool LeaveVanishedFolder();
  void InfoClick();
  void mnuFDeleteClick();
  void BatchConvertClick();

  // The whole window, frame and caption included (the form's own width and
  // height are those of its client area).
  int WindowWidth() const;
  int WindowHeight() const;
  void SetWindowBounds(int left, int top, int width, int height);
  // The screen point of a point given in a control's own coordinates.
  ui::Point ScreenPointOf(const ui::Control& control, int x, int y) const;

  // ---- Controls (names are the window's own).
  ui::Panel PanelTop{*this, "PanelTop"};
  ui::Label LabelList{PanelTop, "LabelList"};
  ui::ComboBox LookBox{PanelTop, "LookBox"};
  ui::Button BtnUp{PanelTop, "BtnUp"};
  ui::Button BtnMenu{PanelTop, "BtnMenu"};
  ui::Button BtnHelp{PanelTop, "BtnHelp"};
  ui::Button BtnJPEG{PanelTop, "BtnJPEG"};
  ui::Button BtnNewFolder{PanelTop, "BtnNewFolder"};
  ui::Button BtnDetails{PanelTop, "BtnDetails"};
  ui::Panel PanelList{*this, "PanelList"};
  ui::XFileListBox XFiles{PanelList, "XFiles"};
  ui::ListBox InputList{PanelList, "InputList"};
  PreviewPane Preview{*this, PanelList};
  ui::Panel PanelButtons{*this, "PanelButtons"};
  ui::Label LabelName{PanelButtons, "LabelName"};
  ui::Edit Edit1{PanelButtons, "Edit1"};
  ui::ComboBox BPPtype{PanelButtons, "BPPtype"};
  ui::Label Label2{PanelButtons, "Label2"};
  ui::ComboBox FilterComboBox1{PanelButtons, "FilterComboBox1"};
  ui::Button BtnOK{PanelButtons, "BtnOK"};
  ui::Button BtnExit{PanelButtons, "BtnExit"};

  ui::PopupMenu FileMenu{*this, "FileMenu"};
  ui::MenuItem* mnuFLevel;
  ui::MenuItem* N1;
  ui::MenuItem* mnuFOpen;
  ui::MenuItem* mnuFInfo;
  ui::MenuItem* mnuFPreview;
  ui::MenuItem* mnuFRename;
  ui::MenuItem* mnuFDelete;
  ui::MenuItem* mnuRefresh;
  ui::MenuItem* MarkDirectory;
  ui::MenuItem* UnmarkDirectory;
  ui::MenuItem* BatchConvert;
  ui::MenuItem* InstantSlideshow;
  ui::MenuItem* mnuListInput;

  ui::PopupMenu MainMenu{*this, "MainMenu"};
  ui::MenuItem* mnuFile;
  ui::MenuItem* mnuOptimizeWin;
  ui::MenuItem* mnuMaxWin;
  ui::MenuItem* mnuFont;
  ui::MenuItem* mnuResetWin;
  ui::MenuItem* mnuLowercase;
  ui::MenuItem* mnuDirLast;
  ui::MenuItem* mnuOneCol;
  ui::MenuItem* PreviewMode;
  ui::MenuItem* mnuDetails;
  ui::MenuItem* mnuPreviewPane;

  // Looks for changes of the folder on show while it is watched.
  ui::Timer LiveTimer{*this, "LiveTimer"};
  // Takes what a reading of the folder under way has read.
  ui::Timer ListTimer{*this, "ListTimer"};
  // A reading of the folder is under way (the list is being filled, or will
  // be replaced once it ends).
  bool ReadingFolder() const { return reading_ != nullptr; }
  // The line under the list that counts the entries while they are read;
  // null until a reading first took its time.
  const ui::Label* ReadingLine() const { return readingLine_.get(); }

  // ---- Handlers and operations.
  void FormCreate();
  void FormActivate(ui::Control& sender);
  void FormKeyDown(ui::Control& sender, int& key, unsigned shift);
  void FormResize(ui::Control& sender);

  void SetFileFormats();
  void FilterComboBox1Change(ui::Control& sender);
  void BPPtypeChange(ui::Control& sender);
  std::string CheckExtension(const std::string& name);

  void GoToFolder(const std::string& folder);
  // Reads the folder on show into the list, emptied for it. A folder read
  // within a moment is shown whole; else its entries show as they come
  // (folder_reading.cpp), in the order the whole listing will have, the
  // window free for the user meanwhile.
  void UpdateFiles();
  // Reads the folder on show again while the list stays as it is; `then`
  // gets the complete listing: at once, or once the reading has ended.
  void RereadFolder(std::function<void(Listing)> then);
  // Any reading under way stops; what it would still bring is dropped.
  void StopReading();
  void ReadTick();
  // The folder on show is watched from now on (live_refresh.cpp); the watch
  // ends when the window closes.
  void WatchShownFolder();
  void StopWatching();
  // A look at the watch: once files came, went or were renamed and things
  // have settled, the list is read again (LiveRefresh), when the user can
  // work in the window. The selection, the current and the first entry
  // shown are kept by name, the name box as it is.
  void LiveTick();
  void LiveRefresh();
  void CalcStringWidth();
  void InitFocus();
  // The Look-in list for the folder on show; `freshDrives` reads the drives
  // and their labels again rather than taking those last read.
  void UpdateHistory(bool freshDrives = false);
  void LookBoxChange(ui::Control& sender);
  void BtnUpClick(ui::Control& sender);
  void BtnNewFolderClick(ui::Control& sender);
  // The details view on or off (remembered when `store`), and a click on a
  // column's title, which sorts by it or turns its sort round.
  void SetDetailsView(bool on, bool store);
  void XFilesHeaderClick(int column);
  // The picture pane on or off (remembered when `store`), and the entry it
  // shows: the one the list points at.
  void SetPreviewPane(bool on, bool store);
  PreviewSubject PreviewSubjectNow() const;
  void XFilesClick(ui::Control& sender);
  void XFilesDblClick(ui::Control& sender);
  void XFilesKeyDown(ui::Control& sender, int& key, unsigned shift);
  void Edit1KeyPress(ui::Control& sender, char& key);
  void BtnHelpClick(ui::Control& sender);
  void BtnJPEGClick(ui::Control& sender);
  void BtnMenuClick(ui::Control& sender);
  void ViewMenuClick(ui::MenuItem& item);
  void FileMenuClick(ui::MenuItem& item);

  void BtnOKClick(ui::Control& sender);
  // The name box names a folder or a filter: the list shows it and true is
  // returned. A relative path to a file shows its folder and leaves the
  // name alone in the box; false then, and for anything else.
  bool FollowTypedPath();
  bool StoreChosenName();
  int ValidateFileName();
  // Writes the chosen files to the exchange file: how many, 0 when none is
  // chosen, -1 when one of them cannot be handed on (the user was told).
  int ListMultipleFiles();
  void Edit1Change(ui::Control& sender);
  void InstantSlideshowClick();
  void mnuFRenameClick();
  void MarkAll(bool mark);
  void ValidateSelection();
  void mnuListInputClick();
  void PreviewIt();

 private:
  bool InConvertFamily() const { return state_.setup.convertFamily; }
  int32_t Mode() const { return state_.setup.mode; }
  void BuildControls();
  void BuildMenus();
  void ApplyModeLook();
  // The dialog's first folder, type box, Look-in list and file list;
  // `onScreen` when the window is up already (pending messages run first,
  // and the list takes the focus).
  void FillDialog(bool onScreen);
  void CommonPath();
  bool FileExists(const std::string& name) const;
  bool FolderExists(const std::string& folder) const;
  std::string FullNameOf(const std::string& boxText) const;
  std::string ExchangeFile() const { return state_.exchangeFile; }
  void Accept() { SetModalResult(ui::mrOk); }
  void NotifyHost(int code);
  std::vector<int> MarkedEntries();
  FileList ShortNamesOf(const std::vector<int>& entries) const;
  // True (after telling the user) when a chosen name is only the listing's
  // stand-in for a name that cannot be handed to the host.
  bool RefusedAsNameless(const std::string& name);
  bool RefusedAsNameless(const std::vector<int>& entries);
  // The folder on show as the host takes it (its short form where the code
  // page cannot hold it).
  std::string HostFolder() const;
  // A name for the name box: a file the code page cannot name by its long
  // name (the host's name is its alias) is shown by that long name.
  std::string ShownBoxText(const std::string& name) const;
  void FitWindowWidth(bool toScreen);
  // Starts reading the folder on show, its watch first (so that a change
  // made while it is read is seen). True, with the whole listing in `read`,
  // when the reading ended within a moment; else it goes on from the list's
  // timer (`stream`: the entries shown as they come; else `then` gets the
  // whole listing).
  bool StartReading(bool stream, Listing& read, std::function<void(Listing)> then = {});
  // Begins reading the folder the window opens on while the window is still
  // being made; its first listing takes that reading.
  void ReadStartFolderEarly();
  void FinishReading();
  // Fills the list with what the reading has read so far; `last`: it has
  // ended, and its listing is taken from it.
  void ShowReadSoFar(FolderRead& r, bool last = false);
  void ShowReading();
  void ShowReadingLine(size_t read);
  // The list emptied for a listing, then filled with it, pointing at its
  // first entry.
  void ClearList();
  void ListingRead(Listing read);
  void RefreshWith(Listing fresh);
  void LiveRefreshWith(Listing fresh);
  // Puts the folder as read into the list, in the order of the view.
  void ShowListing();
  // The listing in the order the list shows it.
  const Listing& Shown() const { return state_.details ? state_.shown : state_.listing; }
  // The same entries in the order of the view, the selection kept.
  void Reorder();
  void DetailColumns();
  // In a list with multiple selection, the entry the selection names for a
  // request on one file (see ChosenEntry), or -1.
  int ChosenByTheSelection() const;
  // Puts the file the selection names into the name box before a request
  // on one file; false (and a warning) when no file is selected.
  bool NameFollowsSelection();

  ExplorerState state_;
  ModeLook look_;
  LiveFolder live_;
  std::unique_ptr<FolderRead> reading_;
  uint64_t readGeneration_ = 0;  // counts the readings stopped or started
  std::unique_ptr<ui::Label> readingLine_;
  bool busyCursor_ = false;  // the hourglass set for a reading under way
  // The start folder read early (ReadStartFolderEarly), and which it is.
  std::unique_ptr<platform::FolderReading> early_;
  std::string earlyFolder_;
  std::string earlyFrom_;  // the start folder it was asked for, before its shown names
  uint32_t earlyStartedAt_ = 0;
};

}  // namespace w95::explorer
