// Opening and saving the editor's script: LoadFile and SaveFile. The window
// gives what the user sees (explorer dialog, caption, message boxes, gauge)
// through ScriptWindow; the rest is done here.
#pragma once

#include <string>
#include <vector>

#include "editor/script_file.h"
#include "ui/string_grid.h"

namespace w95::editor {

// The editor-wide state that goes with the script.
struct ScriptState {
  std::string ScriptPath;      // "AVLFIL" at entry, then the file last opened or saved
  std::string ScriptTitle;     // display name of ScriptPath
  std::string TempScriptPath;  // "AVLTMP": the file the test action writes
  std::string AppDir;          // ends in "\"
  std::string CatalogId;       // empty until assigned
  bool Modified = false;
  std::vector<std::string> Directories;  // folders of the last save
};

inline constexpr std::string_view kCaptionPrefix = "Plimbo Slide Editor";
inline constexpr std::string_view kDiscardQuestion = "Discard changes?";
inline constexpr std::string_view kNothingToSave = "Nothing to save!";
inline constexpr int kExplorerSave = 0;
inline constexpr int kExplorerOpen = 254;

// What LoadFile and SaveFile need of the editor window.
class ScriptWindow : public ScriptProgress {
 public:
  // RemoteDlg95(kind, 0): -1 when the user cancels.
  virtual int RunExplorer(int kind) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Confirm box with "&Yes" and "&No"; true for Yes.
  virtual bool Confirm(const std::string& text) = 0;
  virtual void ShowError(const std::string& text) = 0;
  virtual void ShowWarning(const std::string& text) = 0;
  virtual void SetBusy(bool busy) = 0;
  // Enables the slide controls after a script was chosen.
  virtual void EnableSlideControls() = 0;
  // Refreshes the path panel and the preview of the current slide.
  virtual void RefreshSlide() = 0;
  // Local date and time, days since 30 December 1899.
  virtual double Now();
};

// "Plimbo Slide Editor [name]".
std::string EditorCaption(const std::string& name);

// Opens a script: the one in state.ScriptPath at start-up, otherwise the one
// the user chooses. True when a script was read without fault.
bool LoadFile(ScriptState& state, ui::StringGrid& grid, ScriptWindow& window, ScriptFiles& files,
              bool atStartUp);

// Saves the script under a name the user chooses, or (forTest) into
// state.TempScriptPath. True when the file was written. An empty script is
// never written (it would read back as a slide): the user is told so.
bool SaveFile(ScriptState& state, const ui::StringGrid& grid, ScriptWindow& window,
              ScriptFiles& files, bool forTest);

}  // namespace w95::editor
