// The editor's second page and what goes with it: showing the thumbnails,
// dragging slides about on them, the update and delete of the catalog,
// tagging, and handing slides to the host for viewing.
#include <algorithm>
#include <string>

#include "editor/editor_form.h"
#include "editor/script_model.h"
#include "editor/slide_ops.h"
#include "editor/thumb_catalog.h"
#include "ui/dialogs.h"
#include "ui/screen.h"

namespace w95::editor {

ThumbsWindow TEditorForm::ThumbsCalls() {
  ThumbsWindow calls;
  calls.selectSlide = [this](int row) {
    Grid.SetRow(row);
    GridClick(Grid);
  };
  calls.missing = [this](int row) { return SlideMissing(row); };
  calls.openEditMenu = [this] {
    keyboardOpened_ = false;
    PopupAt(mnuEdit);
  };
  calls.moveSlide = [this](int from, int to) {
    const ActionStep step(*this);
    const ui::BusyCursor busy;
    const int now = GridxMove(Grid, from, to);
    state_.Modified = true;
    UpdatePreview();
    Grid.SetRow(now);
    GridClick(Grid);
  };
  calls.thumbnailFile = [this](int row) { return ThumbnailFile(row); };
  return calls;
}

void TEditorForm::TabClick(ui::Control&) {
  const bool thumbs = Tab.TabIndex() == 1;
  PageEditor.SetVisible(!thumbs);
  PageThumbs.SetVisible(thumbs);
  PanelThumbs.SetVisible(thumbs);
  Grid.SetVisible(!thumbs);  // the page takes its place
  CatScroll.SetEnabled(thumbs);
  if (!thumbs) {
    Thumbs.HidePage();
    return;
  }
  Thumbs.SetRows(thumbRows_);
  Thumbs.ShowPage(std::max(1, Grid.TopRow()));
}

void TEditorForm::UpdatePreview() { Thumbs.UpdatePreview(); }

void TEditorForm::BtnCatalogClick(ui::Control&) {
  const ActionStep step(*this);
  const bool assigned = UpdateIndices(Grid, state_.CatalogId, state_.Modified, [this] {
    return Confirm(std::string(kResetIndicesQuestion));
  });
  if (!assigned) return;
  if (state_.Modified) SaveScript();
  if (!state_.Modified) {
    SetModalResult(ui::mrOk);
    return;
  }
  // Not saved: the new indices stay in the grid, the window stays open.
  UpdatePreview();
  GridClick(Grid);
}

void TEditorForm::BtnKillCatClick(ui::Control&) {
  const ActionStep step(*this);
  if (ui::MessageDlg(std::string(kKillAllQuestion), ui::MsgKind::Warning, ui::Buttons::YesNo) !=
      ui::mrYes)
    return;
  {
    const ui::BusyCursor busy;
    KillThumbnails(Grid, state_.AppDir, state_.CatalogId);
  }
  UpdatePreview();
  GridClick(Grid);
}

void TEditorForm::TagSlide() {
  if (SeveralSelected()) {
    // The slides selected are all tagged, or all untagged when they all
    // were tagged.
    const UndoHistory::Pause tags(History);
    const std::vector<int> rows = SelectedSlides();
    const bool all = std::all_of(rows.begin(), rows.end(), [&](int r) {
      return IsTagged(Grid, r) || Grid.Cell(kColTag, r) == kNotApplicable;
    });
    const std::string tag = all ? "" : std::string(kTagged);
    for (int r : rows)
      if (Grid.Cell(kColTag, r) != kNotApplicable) Grid.SetCell(kColTag, r, tag);
  } else {
    const UndoHistory::Pause tags(History);
    if (!ToggleTag(Grid, CurrentRow())) return;
  }
  if (Thumbs.Active()) Thumbs.UpdateCatalogTags(Thumbs.First());
}

void TEditorForm::SaveTagList() {
  switch (editor::SaveTagList(Grid, CurrentRow(), state_.AppDir)) {
    case ViewResult::TagList:
      SetModalResult(ui::mrRetry);
      break;
    case ViewResult::Player:
      break;
    case ViewResult::PlayerFailed:
      ShowError("Cannot start " + state_.AppDir + std::string(kPlayerCommand));
      break;
    case ViewResult::NoAppDir:
      ShowError(std::string(kNoAppDirForTags));
      break;
    case ViewResult::Nothing:
      ui::MessageDlg(std::string(kNothingToView), ui::MsgKind::Information, ui::Buttons::OK);
      break;
  }
}

}  // namespace w95::editor
