#include "platform/sim/sim_previews.h"

#include <algorithm>

namespace w95::platform::sim {

class SimPreviews::Job final : public PreviewJob {
 public:
  Job(SimPreviews& owner, std::string path, int w, int h)
      : owner_(owner), path_(std::move(path)), w_(w), h_(h) {}
  bool Done() const override { return done_; }
  PreviewResult Result() const override { return result_; }
  void Cancel() override {
    if (!cancelled_) ++owner_.cancelled;
    cancelled_ = true;
  }
  void Run() {
    result_ = owner_.Decode(path_, w_, h_);
    done_ = true;
  }

 private:
  SimPreviews& owner_;
  std::string path_;
  int w_, h_;
  bool done_ = false;
  bool cancelled_ = false;
  PreviewResult result_;
};

std::shared_ptr<PreviewJob> SimPreviews::Start(const std::string& path, int boxWidth,
                                               int boxHeight) {
  started.push_back(path);
  auto job = std::make_shared<Job>(*this, path, boxWidth, boxHeight);
  if (hold)
    held_.push_back(job);
  else
    job->Run();
  return job;
}

void SimPreviews::Finish() {
  auto jobs = std::move(held_);
  held_.clear();
  for (auto& job : jobs) job->Run();
}

size_t SimPreviews::Pending() const { return held_.size(); }

PreviewResult SimPreviews::Decode(const std::string& path, int boxWidth, int boxHeight) {
  const auto facts = files_.Stat(path);
  if (facts && facts->size > kMaxPreviewFileBytes) {
    PreviewResult r;
    r.status = PreviewResult::Status::TooLarge;
    return r;
  }
  const std::optional<std::string> bytes = files_.ReadFile(path);
  if (!bytes) return {};
  PlatformDecode platform;
  if (platformDecodes)
    platform = [this](std::string_view, PictureFormat, int w, int h) {
      auto p = std::make_shared<Picture>();
      p->width = w;
      p->height = h;
      p->pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), platformColour);
      return PicturePtr(p);
    };
  return DecodePreview(*bytes, boxWidth, boxHeight, platform);
}

}  // namespace w95::platform::sim
