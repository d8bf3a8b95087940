#include "explorer/preview_pane.h"

#include <algorithm>
#include <cctype>

#include "platform/platform.h"

namespace w95::explorer {

namespace {
// The selection must rest this long before a picture is read; a held arrow
// key or a run of typed letters never waits for one.
constexpr unsigned kSettleMs = 200;
constexpr unsigned kPollMs = 40;
constexpr int kMargin = 4;
}  // namespace

int PreviewPaneWidth(int clientWidth) { return std::clamp(clientWidth * 2 / 5, 120, 240); }

bool PreviewsAsPicture(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || name.find('\\', dot) != std::string::npos) return false;
  std::string ext = name.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* known : {"bmp", "dib", "jpg", "jpeg", "jpe", "jfif", "gif", "png", "ico"})
    if (ext == known) return true;
  return false;
}

std::string PixelSizeText(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

std::string DepthText(int bits) {
  if (bits <= 0) return {};
  return std::to_string(bits) + (bits == 1 ? " bit per pixel" : " bits per pixel");
}

PreviewPane::PreviewPane(ui::Control& owner, ui::Control& parent)
    : Pane(parent, "PanePreview"),
      View(Pane, "PreviewImage"),
      DepthLine(Pane, "PreviewDepth"),
      SizeLine(Pane, "PreviewSize"),
      Settle(owner, "PreviewSettle"),
      Poll(owner, "PreviewPoll") {
  Pane.SetAlign(ui::Align::Right);
  Pane.SetBevelOuter(ui::Bevel::Lowered);
  Pane.SetVisible(false);
  // Off unless the user turned it on: its windows come when first shown.
  Pane.SetWindowWhenShown(true);
  View.SetAlign(ui::Align::Client);
  View.OnPaint = [this](ui::Control&, ui::Canvas& c) { Paint(c); };
  for (ui::Label* line : {&DepthLine, &SizeLine}) {
    line->SetAlign(ui::Align::Bottom);
    line->SetHeight(16);
    line->SetAlignment(ui::Alignment::Center);
  }
  Settle.SetEnabled(false);
  Settle.SetInterval(kSettleMs);
  Settle.OnTimer = [this](ui::Control&) {
    Settle.SetEnabled(false);
    StartDecode();
  };
  Poll.SetEnabled(false);
  Poll.SetInterval(kPollMs);
  Poll.OnTimer = [this](ui::Control&) { TakeResult(); };
}

PreviewPane::~PreviewPane() { Drop(); }

void PreviewPane::Stop() {
  ++generation_;
  Drop();
  Settle.SetEnabled(false);
}

void PreviewPane::Drop() {
  if (job_) job_->Cancel();
  job_.reset();
  Poll.SetEnabled(false);
}

void PreviewPane::SetShown(bool on) {
  if (on == shown_) return;
  shown_ = on;
  Pane.SetVisible(on);
  if (on) {
    SelectionMoved();
  } else {
    Stop();
    picture_.reset();
  }
}

void PreviewPane::FitTo(int clientWidth) { Pane.SetWidth(PreviewPaneWidth(clientWidth)); }

void PreviewPane::SelectionMoved() {
  if (!shown_) return;
  PreviewSubject now = Current ? Current() : PreviewSubject{};
  const bool same = now.path == subject_.path && !now.path.empty() && (picture_ || job_);
  subject_ = std::move(now);
  if (same) return;  // still the same file: what is shown or coming stays
  ++generation_;
  Drop();
  picture_.reset();
  facts_ = {};
  ShowInfo();
  View.Invalidate();
  // The settle timer starts over with every move.
  Settle.SetEnabled(false);
  if (!subject_.path.empty() && PreviewsAsPicture(subject_.path)) Settle.SetEnabled(true);
}

void PreviewPane::ShowInfo() {
  SizeLine.SetCaption(subject_.typeText);
  DepthLine.SetCaption(subject_.sizeText);
}

void PreviewPane::StartDecode() {
  platform::PreviewDecoder* decoder = platform::Current().previews;
  if (!shown_ || !decoder || subject_.path.empty()) return;
  const int w = View.Width() - 2 * kMargin, h = View.Height() - 2 * kMargin;
  if (w <= 0 || h <= 0) return;
  Drop();
  jobGeneration_ = generation_;
  job_ = decoder->Start(subject_.path, w, h);
  if (job_ && job_->Done())
    TakeResult();
  else if (job_)
    Poll.SetEnabled(true);
}

void PreviewPane::TakeResult() {
  if (!job_ || !job_->Done()) return;
  const platform::PreviewResult r = job_->Result();
  const bool current = jobGeneration_ == generation_ && shown_;
  job_.reset();
  Poll.SetEnabled(false);
  if (!current) return;  // the selection has moved on since
  if (r.status != platform::PreviewResult::Status::Picture || !r.picture) return;
  picture_ = r.picture;
  facts_ = r.facts;
  SizeLine.SetCaption(PixelSizeText(facts_.width, facts_.height));
  DepthLine.SetCaption(DepthText(facts_.bits));
  View.Invalidate();
}

void PreviewPane::Paint(ui::Canvas& canvas) {
  canvas.SetBrushColor(ui::clBtnFace);
  canvas.FillRect(ui::Rect{0, 0, View.Width(), View.Height()});
  if (!picture_ || picture_->Empty()) return;
  // Fitted by the picture's own size, so a pane resized since still shows
  // it whole.
  const platform::FitRect fit = platform::FitPicture(
      facts_.width, facts_.height, View.Width() - 2 * kMargin, View.Height() - 2 * kMargin);
  if (fit.width <= 0) return;
  const ui::Rect at{kMargin + fit.left, kMargin + fit.top, fit.width, fit.height};
  canvas.DrawPicture(at, *picture_);
  canvas.SetPenColor(ui::clBtnShadow);
  canvas.FrameRect(ui::Rect{at.left - 1, at.top - 1, at.width + 2, at.height + 2});
}

}  // namespace w95::explorer
