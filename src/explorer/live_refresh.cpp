// The explorer's list kept current: the folder on show is watched, and
// files made, removed or renamed there show up without a refresh asked for.
#include <algorithm>
#include <string>
#include <vector>

#include "explorer/file_form.h"
#include "explorer/form_support.h"
#include "explorer/listing.h"

namespace w95::explorer {

namespace {
bool SameListing(const Listing& a, const Listing& b) {
  return a.entries == b.entries && a.folder == b.folder && a.size == b.size &&
         a.writeTime == b.writeTime && a.hasParent == b.hasParent;
}
}  // namespace

void TFileForm::WatchShownFolder() {
  if (!LiveTimer.OnTimer) LiveTimer.OnTimer = [this](ui::Control&) { LiveTick(); };
  live_.Watch(Files(), state_.currentFolder);
  live_.Read(Files());  // the list is read from now on
  if (!live_.Watching()) {
    LiveTimer.SetEnabled(false);
  } else if (!LiveTimer.Running()) {
    LiveTimer.SetInterval(LiveFolder::kPoll);
    LiveTimer.SetEnabled(true);
  }
}

void TFileForm::StopWatching() {
  live_.Stop();
  LiveTimer.SetEnabled(false);
}

void TFileForm::LiveTick() {
  // A closed window, or a dialog whose run has ended, reads nothing more.
  if (!state_.open || state_.closed || state_.initialising || (state_.modal && !Modal())) return;
  if (!live_.Poll(Ticks())) return;
  // A message box or another dialog over the window may belong to a handler
  // that still works on the list as it was: the reading waits for them.
  // A reading under way takes in what it finds; the changes it may have
  // missed are read once it has ended.
  if (state_.navigating || reading_ || !ui::AtRest(*this)) return;
  LiveRefresh();
}

void TFileForm::LiveRefresh() {
  live_.Read(Files());
  if (!FolderExists(state_.currentFolder)) {
    // The folder or its drive went away: nothing is listed any more, and
    // the next thing the user does in the list says so and goes to the
    // nearest folder still there (LeaveVanishedFolder).
    StopWatching();
    if (XFiles.Count() > 0) {
      state_.listing = Listing{};
      ShowListing();
      mnuFOpen->SetEnabled(false);
      Preview.SelectionMoved();
    }
    return;
  }
  // The list stays as it is while the folder is read.
  RereadFolder([this](Listing fresh) { LiveRefreshWith(std::move(fresh)); });
}

void TFileForm::LiveRefreshWith(Listing fresh) {
  if (SameListing(fresh, state_.listing)) return;  // a change the list does not show
  std::vector<std::string> chosen;
  for (int i = 0; i < XFiles.Count(); ++i)
    if (XFiles.Selected(i)) chosen.push_back(XFiles.Item(i));
  const int at = XFiles.ItemIndex();
  const std::string current = at >= 0 && at < XFiles.Count() ? XFiles.Item(at) : std::string();
  const int top = XFiles.TopIndex();
  const std::string first = top >= 0 && top < XFiles.Count() ? XFiles.Item(top) : std::string();

  state_.listing = std::move(fresh);
  ShowListing();
  state_.widestEntry = -1;
  BtnUp.SetEnabled(state_.listing.hasParent);
  mnuFLevel->SetEnabled(state_.listing.hasParent);
  mnuFOpen->SetEnabled(XFiles.Count() > 0);
  CalcStringWidth();

  const std::vector<std::string> texts = XFiles.Texts();
  const Reselection again = ReselectByName(texts, chosen, current);
  if (XFiles.MultiSelect()) {
    XFiles.SelectWhere([&again](int i) { return again.selected[static_cast<size_t>(i)]; });
    // The focus mark stays where it was when its entry went.
    XFiles.SetItemIndex(again.current >= 0 ? again.current
                        : at >= 0          ? std::min(at, XFiles.Count() - 1)
                                           : -1);
  } else {
    XFiles.SetItemIndex(again.current);
  }
  const auto kept = std::find(texts.begin(), texts.end(), first);
  if (kept != texts.end())
    XFiles.SetTopIndex(static_cast<int>(kept - texts.begin()));
  else if (XFiles.Count() > 0)
    XFiles.SetTopIndex(std::min(top, XFiles.Count() - 1));
  Preview.SelectionMoved();  // the entry pointed at may be another, or gone
}

}  // namespace w95::explorer
