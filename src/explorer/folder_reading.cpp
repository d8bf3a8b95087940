// The folder on show read into the list: whole when the drive answers within
// a moment; else on a reading that goes on while the user works in the
// window, its entries shown as they come.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "explorer/file_form.h"
#include "explorer/form_support.h"
#include "explorer/listing.h"
#include "explorer/names.h"
#include "platform/code_page_text.h"
#include "settings/paths.h"
#include "ui/screen.h"

namespace w95::explorer {

namespace {
// How long a reading is waited for before the window shows what came and
// goes back to the user: short of a pause a person notices.
constexpr unsigned kQuickRead = 60;
// How often a reading under way is looked at (ms): its end is noticed soon,
// and what it read is taken in small batches while it goes on.
constexpr unsigned kReadPoll = 15;

// Listed by the names the file system has (see ShownNameOf); the host is
// handed the short name of one the code page cannot hold.
FoundEntry Found(const platform::FindData& d) {
  const std::string shown = d.longName.empty() ? d.name : platform::ShownFromUtf8(d.longName);
  return FoundEntry{shown, d.IsDirectory(), (d.attributes & platform::kAttrSystem) != 0, d.size,
                    d.writeTime};
}

// Moves what the reading has read into its listing; true once it has ended.
bool TakeRead(FolderRead& r) {
  std::vector<platform::FindData> batch;
  const bool ended = r.job->Take(batch);
  for (const platform::FindData& d : batch) r.listing.Add(Found(d));
  // Sorted in as they come: the end of a long reading has little left to do.
  r.listing.Settle();
  return ended;
}

std::string Counted(size_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}
}  // namespace

void TFileForm::ClearList() {
  XFiles.SetVisible(false);
  BtnUp.SetEnabled(false);
  mnuFLevel->SetEnabled(false);
  Edit1.SetText("");
}

void TFileForm::UpdateFiles() {
  if (!state_.open || state_.initialising) return;
  ClearList();
  Listing read;
  if (StartReading(true, read)) ListingRead(std::move(read));
}

void TFileForm::ListingRead(Listing read) {
  ClearList();
  state_.listing = std::move(read);
  ShowListing();
  state_.widestEntry = -1;
  if (state_.listing.hasParent) {
    BtnUp.SetEnabled(true);
    mnuFLevel->SetEnabled(true);
  }
  CalcStringWidth();
  XFiles.SetVisible(!InputList.Visible());
  InitFocus();
}

void TFileForm::RereadFolder(std::function<void(Listing)> then) {
  Listing read;
  if (StartReading(false, read, then)) then(std::move(read));
}

void TFileForm::ReadStartFolderEarly() {
  earlyFrom_ = NormalFolder(state_.startFolder);
  earlyFolder_ = ShownPathOf(earlyFrom_);
  // Watched from before it is read, as any listing's folder.
  live_.Watch(Files(), earlyFolder_);
  live_.Read(Files());
  earlyStartedAt_ = Ticks();
  early_ = Files().StartFind(AddBackslash(earlyFolder_) + "*.*");
}

bool TFileForm::StartReading(bool stream, Listing& read, std::function<void(Listing)> then) {
  // The reading begun while the window was made, if it is of this folder.
  std::unique_ptr<platform::FolderReading> early = std::move(early_);
  if (early && LowerAZ(earlyFolder_) != LowerAZ(state_.currentFolder)) early.reset();
  StopReading();
  if (early) {
    // Changes since it began stay noticed: the watch is not started anew.
    live_.Watch(Files(), state_.currentFolder);
    if (!LiveTimer.OnTimer) LiveTimer.OnTimer = [this](ui::Control&) { LiveTick(); };
    if (live_.Watching() && !LiveTimer.Running()) {
      LiveTimer.SetInterval(LiveFolder::kPoll);
      LiveTimer.SetEnabled(true);
    }
  } else {
    WatchShownFolder();
  }
  const std::vector<std::string> patterns = state_.typedFilter.empty()
                                                ? SearchPatterns(state_.fileMask)
                                                : SplitPatterns(state_.typedFilter);
  auto r = std::make_unique<FolderRead>(
      patterns, ListOptions{mnuLowercase->Checked(), mnuDirLast->Checked()});
  // One pass over the folder: every pattern is tried on each name rather
  // than by a search of its own (each search reads the whole folder again).
  // A reading begun early has been under way since then: a fast drive's
  // time to end counts from there.
  r->startedAt = early ? earlyStartedAt_ : Ticks();
  r->job = early ? std::move(early) : Files().StartFind(AddBackslash(state_.currentFolder) + "*.*");
  r->job->Wait(kQuickRead);
  if (TakeRead(*r)) {
    read = r->listing.TakeListing();
    return true;
  }
  // A slow drive: the window goes back to the user while the rest comes.
  r->streaming = stream;
  r->done = std::move(then);
  r->focusAtStart = ActiveControl();
  reading_ = std::move(r);
  ++readGeneration_;
  if (!ListTimer.OnTimer) ListTimer.OnTimer = [this](ui::Control&) { ReadTick(); };
  ListTimer.SetInterval(kReadPoll);
  ListTimer.SetEnabled(true);
  if (stream) {
    // The hourglass while the list is not complete; the window answers.
    ui::Screen().SetCursor(ui::Cursor::HourGlass);
    busyCursor_ = true;
    const size_t got = reading_->listing.Read();
    ShowReadingLine(got);
    if (ShowReadEntries(0, got, 0, Ticks() - reading_->startedAt)) ShowReading();
  }
  return false;
}

void TFileForm::ShowReading() {
  // Held here while the list is filled: should anything in it stop the
  // reading or start another, this one is dropped afterwards.
  std::unique_ptr<FolderRead> held = std::move(reading_);
  const uint64_t generation = readGeneration_;
  ShowReadSoFar(*held);
  if (generation == readGeneration_ && !reading_) reading_ = std::move(held);
}

void TFileForm::StopReading() {
  ++readGeneration_;
  reading_.reset();  // a reading dropped stops; nothing it read is taken
  early_.reset();
  ListTimer.SetEnabled(false);
  if (readingLine_) readingLine_->SetVisible(false);
  if (busyCursor_) {
    busyCursor_ = false;
    ui::Screen().SetCursor(ui::Cursor::Default);
  }
}

void TFileForm::ReadTick() {
  if (!reading_ || !state_.open || state_.closed || (state_.modal && !Modal())) {
    if (!reading_ || state_.closed) StopReading();
    return;
  }
  FolderRead& r = *reading_;
  if (TakeRead(r)) return FinishReading();
  if (!r.streaming) return;
  // The list will take what is read: its room is made ready as it comes.
  XFiles.PrepareRoom(static_cast<int>(std::min<size_t>(r.listing.Read(), INT_MAX)));
  ShowReadingLine(r.listing.Read());
  if (ShowReadEntries(r.shownRead, r.listing.Read() - r.shownRead, Ticks() - r.shownAt,
                      Ticks() - r.startedAt))
    ShowReading();
}

void TFileForm::FinishReading() {
  // Held here: whatever the listing's users do (another folder, another
  // reading) cannot drop it under them.
  std::unique_ptr<FolderRead> r = std::move(reading_);
  StopReading();
  if (r->streaming)
    ShowReadSoFar(*r, true);
  else if (r->done)
    r->done(r->listing.TakeListing());
}

void TFileForm::ShowReadingLine(size_t read) {
  if (!readingLine_) {
    readingLine_ = std::make_unique<ui::Label>(PanelList, "ReadingLine");
    readingLine_->SetAlign(ui::Align::Bottom);
    readingLine_->SetHeight(16);
  }
  readingLine_->SetCaption("Reading the folder... " + Counted(read) + " entries");
  readingLine_->SetVisible(true);
}

void TFileForm::ShowReadSoFar(FolderRead& r, bool last) {
  // Whether the user has moved in the list since it was last filled.
  const int selected = XFiles.MultiSelect() ? XFiles.SelCount() : 0;
  const bool unmoved = r.pointing && XFiles.ItemIndex() == r.markIndex &&
                       XFiles.TopIndex() == r.markTop && selected == r.markSelected;
  const bool boxOurs = Edit1.Text() == r.boxSet;
  std::vector<std::string> chosen;
  std::string current, first;
  if (!unmoved) {
    for (int i = 0; i < XFiles.Count(); ++i)
      if (XFiles.Selected(i)) chosen.push_back(XFiles.Item(i));
    const int at = XFiles.ItemIndex(), top = XFiles.TopIndex();
    if (at >= 0 && at < XFiles.Count()) current = XFiles.Item(at);
    if (top >= 0 && top < XFiles.Count()) first = XFiles.Item(top);
  }

  r.shownRead = r.listing.Read();
  state_.listing = last ? r.listing.TakeListing() : r.listing.Build();
  ShowListing();
  r.shownAt = Ticks();
  BtnUp.SetEnabled(state_.listing.hasParent);
  mnuFLevel->SetEnabled(state_.listing.hasParent);
  state_.widestEntry = -1;
  CalcStringWidth();
  XFiles.SetVisible(!InputList.Visible());
  mnuFOpen->SetEnabled(XFiles.Count() > 0);

  if (unmoved) {
    if (XFiles.Count() > 0) {
      if (XFiles.MultiSelect()) XFiles.SetSelected(0, true);
      XFiles.SetItemIndex(0);
    }
    if (boxOurs) {
      r.boxSet = XFiles.Count() > 0 && !XFiles.IsFolder(0) ? XFiles.Item(0) : std::string();
      Edit1.SetText(r.boxSet);
    }
  } else {
    // Entries only come while a folder is read: what the user chose is all
    // still there, by name.
    r.pointing = false;
    const std::vector<std::string> texts = XFiles.Texts();
    if (XFiles.MultiSelect()) {
      const Reselection again = ReselectByName(texts, chosen, current);
      XFiles.SelectWhere([&again](int i) { return again.selected[static_cast<size_t>(i)]; });
    }
    const auto at = std::find(texts.begin(), texts.end(), current);
    XFiles.SetItemIndex(
        current.empty() || at == texts.end() ? -1 : static_cast<int>(at - texts.begin()));
    const auto top = std::find(texts.begin(), texts.end(), first);
    if (top != texts.end()) XFiles.SetTopIndex(static_cast<int>(top - texts.begin()));
  }
  r.markIndex = XFiles.ItemIndex();
  r.markTop = XFiles.TopIndex();
  r.markSelected = XFiles.MultiSelect() ? XFiles.SelCount() : 0;
  Preview.SelectionMoved();
  // The list takes the focus with its first entries, as a list read at once
  // does, unless the user has gone to another control meanwhile.
  if (!r.focused && XFiles.Count() > 0) {
    r.focused = true;
    if (r.pointing && ActiveControl() == r.focusAtStart && XFiles.Showing()) XFiles.SetFocus();
  }
}

}  // namespace w95::explorer
