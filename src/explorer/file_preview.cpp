// The explorer's picture pane in the window: switched from the view menu,
// remembered, and told what the list points at.
#include "explorer/file_form.h"
#include "explorer/form_support.h"
#include "explorer/formats.h"
#include "settings/paths.h"

namespace w95::explorer {

void TFileForm::SetPreviewPane(bool on, bool store) {
  mnuPreviewPane->SetChecked(on);
  if (store) Settings().WriteNumber(keys::kSection, keys::kExpPreview, on ? 1 : 0);
  Preview.FitTo(Width());
  Preview.SetShown(on);
  // The list has a new width: its columns are laid out again.
  if (state_.open && !state_.initialising) CalcStringWidth();
}

PreviewSubject TFileForm::PreviewSubjectNow() const {
  const int i = XFiles.ItemIndex();
  if (i < 0 || i >= XFiles.Count() || !XFiles.Visible()) return {};
  PreviewSubject s;
  const std::string& name = XFiles.Item(i);
  const bool folder = XFiles.IsFolder(i);
  const Listing& l = Shown();
  const auto at = static_cast<size_t>(i);
  const bool known = at < l.entries.size() && l.entries[at] == name;
  if (!folder) s.path = AddBackslash(state_.currentFolder) + name;
  s.typeText = TypeDescription(name, folder);
  s.sizeText = known ? SizeText(l.size[at], folder) : std::string();
  return s;
}

}  // namespace w95::explorer
