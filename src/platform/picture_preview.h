// Pictures read for a preview: what a picture file says of itself, the
// picture scaled down to the room it is shown in, and the decoder that does
// this away from the user's typing. Bitmaps are read by our own reader on
// every machine; the other formats by the platform's own picture decoding
// where it has one.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/pictures.h"

namespace w95::platform {

enum class PictureFormat { None, Bmp, Jpeg, Gif, Png, Ico };

// What a file's header says: its format, pixel size and colour depth (bits
// per pixel; 0 when the header does not say). Format None when the bytes are
// not a picture of a known format or its size is missing or nonsensical.
struct PictureFacts {
  PictureFormat format = PictureFormat::None;
  int width = 0;
  int height = 0;
  int bits = 0;
};
PictureFacts ReadPictureFacts(std::string_view bytes);

// Where a picture of w x h lies in a box of boxWidth x boxHeight: centred,
// its shape kept, shrunk to fit but never enlarged, at least one pixel each
// way. Empty for an empty picture or box.
struct FitRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const FitRect&) const = default;
};
FitRect FitPicture(int width, int height, int boxWidth, int boxHeight);

// The picture shrunk to width x height, each pixel the average of those it
// covers (no larger than the picture: a smaller size is kept).
Picture ScaledDown(const Picture& picture, int width, int height);

// Files above these are not decoded for a preview: the pane tells their type
// and size instead.
inline constexpr uint64_t kMaxPreviewFileBytes = uint64_t{32} << 20;
inline constexpr int64_t kMaxPreviewPixels = kMaxPicturePixels;

struct PreviewResult {
  enum class Status { Picture, NotAPicture, TooLarge, Failed };
  Status status = Status::Failed;
  PictureFacts facts;
  PicturePtr picture;  // scaled to fit the box asked for
};

// The platform's decoding of one format, to width x height pixels; nullptr
// when it cannot.
using PlatformDecode =
    std::function<PicturePtr(std::string_view bytes, PictureFormat format, int width, int height)>;

// The preview of a file's bytes fitted into a box of boxWidth x boxHeight:
// bitmaps by our own reader, the other known formats by `platform` (may be
// empty: then they fail), files too large refused before any decoding.
PreviewResult DecodePreview(std::string_view bytes, int boxWidth, int boxHeight,
                            const PlatformDecode& platform);

// One decoding under way. Done() may turn true at any time (another thread);
// Result() is read once it is. Cancel() asks it to stop; a result may still
// arrive and is then of no use.
class PreviewJob {
 public:
  virtual ~PreviewJob() = default;
  virtual bool Done() const = 0;
  virtual PreviewResult Result() const = 0;
  virtual void Cancel() = 0;
};

class PreviewDecoder {
 public:
  virtual ~PreviewDecoder() = default;
  // Starts decoding the file into a box of that size. The caller polls the
  // job; dropping it is allowed at any time.
  virtual std::shared_ptr<PreviewJob> Start(const std::string& path, int boxWidth,
                                            int boxHeight) = 0;
};

}  // namespace w95::platform
