#include "editor/script_io.h"

#include "editor/catalog_id.h"
#include "editor/script_model.h"
#include "editor/script_sources.h"
#include "platform/code_page_text.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

namespace w95::editor {

namespace {

// The caption's name: the shown long name where the code page cannot hold
// it, else the name as it was.
std::string ShownOr(const std::string& shown, const std::string& name) {
  return platform::CodePageFromShown(shown) ? name : shown;
}

// Hourglass for the life of the object.
class Busy {
 public:
  explicit Busy(ScriptWindow& window) : window_(window) { window_.SetBusy(true); }
  ~Busy() { window_.SetBusy(false); }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  ScriptWindow& window_;
};

TIniFile Settings() { return TIniFile(keys::kSettingsFile); }

std::string FileNamePart(const std::string& path) {
  const size_t sep = path.find_last_of("\\:");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

// Asks the explorer for a file name (kind 0 or 254). Empty when the user
// cancelled or none came back; "SaveName" is copied to "AVLNOW" either way.
std::string ChooseFile(ScriptState& state, ScriptWindow& window, int kind) {
  if (window.RunExplorer(kind) == -1) {
    state.Modified = true;
    return {};
  }
  const TIniFile ini = Settings();
  const std::string name = ini.ReadText(keys::kSection, keys::kSaveName, keys::kAbsent);
  ini.WriteText(keys::kSection, keys::kAvlNow, name);
  return name == keys::kAbsent ? std::string() : name;
}

}  // namespace

double ScriptWindow::Now() { return NowAsDayNumber(); }

std::string EditorCaption(const std::string& name) {
  return std::string(kCaptionPrefix) + " [" + name + "]";
}

bool LoadFile(ScriptState& state, ui::StringGrid& grid, ScriptWindow& window, ScriptFiles& files,
              bool atStartUp) {
  if (!atStartUp) {
    if (state.Modified && !window.Confirm(std::string(kDiscardQuestion))) return false;
    std::string chosen = ChooseFile(state, window, kExplorerOpen);
    if (chosen.empty()) return false;
    state.ScriptPath = std::move(chosen);
    state.Modified = false;
  }
  window.EnableSlideControls();

  std::string name;
  if (atStartUp) {
    const std::string now = Settings().ReadText(keys::kSection, keys::kAvlNow, "");
    state.Modified = now.empty();
    name = now.empty() ? std::string("*New*") : FileNamePart(now);
    // The name in the caption is also the one a save offers (the host's
    // form of it; the caption shows the long name the code page lacks).
    state.ScriptTitle = now.empty() ? std::string() : name;
    if (!now.empty()) name = ShownOr(files.ShownNameOf(now), name);
  } else {
    state.ScriptTitle = files.LongNameOf(state.ScriptPath);
    name = ShownOr(files.ShownNameOf(state.ScriptPath), state.ScriptTitle);
  }
  window.SetCaption(EditorCaption(name));

  Busy busy(window);
  const auto text = files.ReadAll(files.ProfileFileOf(state.ScriptPath));
  TextSource source(text.value_or(std::string()));
  const ReadResult result = ReadScript(source, grid, files, &window);
  state.CatalogId = result.catalogId;
  if (!result.Ok()) {
    // The grid does not hold what the file holds: a save offering the file's
    // name would put the rows that were never read over the slides the file
    // still has. The script goes on without a name, so a save offers none.
    state.ScriptTitle.clear();
    window.SetCaption(EditorCaption("*New*"));
    window.ShowError(std::string(kBadScript));
    if (!result.fileOk) return false;
  }
  window.RefreshSlide();
  if (result.TooMany()) window.ShowWarning(std::string(kManySlidesWarning));
  return result.Ok();
}

bool SaveFile(ScriptState& state, const ui::StringGrid& grid, ScriptWindow& window,
              ScriptFiles& files, bool forTest) {
  if (IsEmptyScript(grid)) {
    window.ShowError(std::string(kNothingToSave));
    return false;
  }
  std::string target = state.TempScriptPath;
  if (!forTest) {
    Settings().WriteText(keys::kSection, keys::kSaveAs, state.ScriptTitle);
    std::string chosen = ChooseFile(state, window, kExplorerSave);
    if (chosen.empty()) return false;
    state.ScriptPath = chosen;
    state.ScriptTitle = files.LongNameOf(chosen);
    window.SetCaption(EditorCaption(ShownOr(files.ShownNameOf(chosen), state.ScriptTitle)));
    target = std::move(chosen);
  }

  Busy busy(window);
  // The script counts as saved only once the file is in place: until then a
  // failure (a catalog identifier that cannot be recorded, a file that
  // cannot be written) leaves it modified.
  const bool wasModified = state.Modified;
  if (!forTest) state.Modified = true;
  if (state.CatalogId.empty()) state.CatalogId = NewCatalogId(window.Now());
  ScriptHeader header;
  if (platform::Desktop* desktop = platform::Current().desktop) {
    const platform::ScreenSize screen = desktop->Screen();
    header.screenWidth = screen.width;
    header.screenHeight = screen.height;
  }
  header.catalogId = state.CatalogId;
  header.appDir = state.AppDir;
  const WriteResult result =
      SaveScriptFile(grid, header, files, files.ProfileFileOf(target), &state.Directories, &window);
  if (result.ok) {
    state.Modified = forTest ? wasModified : false;
  } else {
    window.ShowError(SaveErrorMessage(result, target));
  }
  return result.ok;
}

}  // namespace w95::editor
