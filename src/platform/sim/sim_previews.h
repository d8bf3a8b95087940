// The simulated machine's picture decoding for previews: bitmaps by our own
// reader; the formats the platform decodes come out as a picture of one
// colour of the size their header gives. A test may hold the jobs back and
// finish them when it likes, as a decoding that takes its time would.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/picture_preview.h"
#include "platform/platform.h"

namespace w95::platform::sim {

class SimPreviews final : public PreviewDecoder {
 public:
  explicit SimPreviews(FileSystem& files) : files_(files) {}
  // While held, jobs stay under way until Finish(); else each is done as it
  // starts.
  bool hold = false;
  // Whether the "platform" decodes JPEG, GIF, PNG and ICO.
  bool platformDecodes = true;
  // The colour of what the platform decodes.
  uint32_t platformColour = 0x336699;
  std::vector<std::string> started;  // the files asked for, in order
  int cancelled = 0;

  std::shared_ptr<PreviewJob> Start(const std::string& path, int boxWidth, int boxHeight) override;
  // Completes the jobs held back, cancelled ones included (a decoding that
  // has begun ends with a result, wanted or not).
  void Finish();
  size_t Pending() const;

 private:
  class Job;
  PreviewResult Decode(const std::string& path, int boxWidth, int boxHeight);
  FileSystem& files_;
  std::vector<std::shared_ptr<Job>> held_;
};

}  // namespace w95::platform::sim
