// Picture headers, the fitted place of a picture and its scaling, and the
// preview decoding shared by every machine. Every read of the header is
// checked against the bytes at hand.
#include "platform/picture_preview.h"

#include <algorithm>

namespace w95::platform {

namespace {

uint32_t Byte(std::string_view b, size_t at) { return static_cast<uint8_t>(b[at]); }
uint32_t Le16(std::string_view b, size_t at) { return Byte(b, at) | Byte(b, at + 1) << 8; }
uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }
uint32_t Be16(std::string_view b, size_t at) { return Byte(b, at) << 8 | Byte(b, at + 1); }
uint32_t Be32(std::string_view b, size_t at) { return Be16(b, at) << 16 | Be16(b, at + 2); }

constexpr int64_t kLargestSide = 65535;

PictureFacts Facts(PictureFormat format, int64_t width, int64_t height, int bits) {
  if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return {};
  return {format, static_cast<int>(width), static_cast<int>(height), bits};
}

PictureFacts BmpFacts(std::string_view b) {
  if (b.size() < 26) return {};
  const uint32_t header = Le32(b, 14);
  if (header == 12) return Facts(PictureFormat::Bmp, Le16(b, 18), Le16(b, 20), Le16(b, 24));
  if (header < 40 || b.size() < 30) return {};
  const int64_t width = static_cast<int32_t>(Le32(b, 18));
  int64_t height = static_cast<int32_t>(Le32(b, 22));
  if (height < 0) height = -height;  // rows stored from the top
  return Facts(PictureFormat::Bmp, width, height, static_cast<int>(Le16(b, 28)));
}

// The frame header (SOFn) gives the size: the segments before it are
// stepped over by their lengths; the scan data ends the search.
PictureFacts JpegFacts(std::string_view b) {
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (Byte(b, at) != 0xFF) return {};
    const uint32_t marker = Byte(b, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return {};
    const uint32_t length = Be16(b, at + 2);
    if (length < 2) return {};
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8 || at + 10 > b.size()) return {};
      const int precision = static_cast<int>(Byte(b, at + 4));
      const int components = static_cast<int>(Byte(b, at + 9));
      return Facts(PictureFormat::Jpeg, Be16(b, at + 7), Be16(b, at + 5), precision * components);
    }
    at += 2 + length;
  }
  return {};
}

PictureFacts PngFacts(std::string_view b) {
  if (b.size() < 26 || b.substr(12, 4) != "IHDR") return {};
  const uint32_t depth = Byte(b, 24);
  int channels = 0;
  switch (Byte(b, 25)) {
    case 0:  // grey
    case 3:  // palette
      channels = 1;
      break;
    case 2:
      channels = 3;
      break;
    case 4:
      channels = 2;
      break;
    case 6:
      channels = 4;
      break;
    default:
      return {};
  }
  return Facts(PictureFormat::Png, Be32(b, 16), Be32(b, 20), static_cast<int>(depth) * channels);
}

PictureFacts GifFacts(std::string_view b) {
  if (b.size() < 13) return {};
  const uint32_t packed = Byte(b, 10);
  // The global colour table's size, else the colour resolution.
  const int bits = static_cast<int>((packed & 0x80) ? (packed & 7) + 1 : ((packed >> 4) & 7) + 1);
  return Facts(PictureFormat::Gif, Le16(b, 6), Le16(b, 8), bits);
}

// An icon file holds several pictures: the largest one, then the deepest,
// is the one told.
PictureFacts IcoFacts(std::string_view b) {
  const uint32_t count = Le16(b, 4);
  if (count == 0 || b.size() < 6 + 16 * static_cast<size_t>(count)) return {};
  PictureFacts best;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t e = 6 + 16 * static_cast<size_t>(i);
    const int width = Byte(b, e) == 0 ? 256 : static_cast<int>(Byte(b, e));
    const int height = Byte(b, e + 1) == 0 ? 256 : static_cast<int>(Byte(b, e + 1));
    int bits = static_cast<int>(Le16(b, e + 6));
    if (bits == 0) {
      const uint32_t colours = Byte(b, e + 2);
      bits = colours == 2 ? 1 : colours == 16 ? 4 : 8;
    }
    const int64_t area = int64_t{width} * height, bestArea = int64_t{best.width} * best.height;
    if (area > bestArea || (area == bestArea && bits > best.bits))
      best = {PictureFormat::Ico, width, height, bits};
  }
  return best;
}

}  // namespace

PictureFacts ReadPictureFacts(std::string_view b) {
  if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') return BmpFacts(b);
  if (b.size() >= 3 && Byte(b, 0) == 0xFF && Byte(b, 1) == 0xD8 && Byte(b, 2) == 0xFF)
    return JpegFacts(b);
  if (b.size() >= 8 && b.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8))
    return PngFacts(b);
  if (b.size() >= 6 && (b.substr(0, 6) == "GIF87a" || b.substr(0, 6) == "GIF89a"))
    return GifFacts(b);
  if (b.size() >= 6 && Le16(b, 0) == 0 && Le16(b, 2) == 1) return IcoFacts(b);
  return {};
}

FitRect FitPicture(int width, int height, int boxWidth, int boxHeight) {
  if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
  int64_t w = width, h = height;
  if (w > boxWidth || h > boxHeight) {
    // The side that fills its room first sets the scale; the other follows,
    // rounded to the nearest pixel.
    if (w * boxHeight >= h * boxWidth) {
      h = std::max<int64_t>(1, (h * boxWidth * 2 + w) / (2 * w));
      w = boxWidth;
    } else {
      w = std::max<int64_t>(1, (w * boxHeight * 2 + h) / (2 * h));
      h = boxHeight;
    }
  }
  FitRect r;
  r.width = static_cast<int>(w);
  r.height = static_cast<int>(h);
  r.left = (boxWidth - r.width) / 2;
  r.top = (boxHeight - r.height) / 2;
  return r;
}

Picture ScaledDown(const Picture& p, int width, int height) {
  if (p.Empty() || width <= 0 || height <= 0) return {};
  width = std::min(width, p.width);
  height = std::min(height, p.height);
  if (width == p.width && height == p.height) return p;
  Picture out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const int y0 = static_cast<int>(int64_t{y} * p.height / height);
    const int y1 = std::max(y0 + 1, static_cast<int>(int64_t{y + 1} * p.height / height));
    for (int x = 0; x < width; ++x) {
      const int x0 = static_cast<int>(int64_t{x} * p.width / width);
      const int x1 = std::max(x0 + 1, static_cast<int>(int64_t{x + 1} * p.width / width));
      uint64_t r = 0, g = 0, b = 0;
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx) {
          const uint32_t c = p.At(sx, sy);
          r += c >> 16 & 0xFF;
          g += c >> 8 & 0xFF;
          b += c & 0xFF;
        }
      const uint64_t n = static_cast<uint64_t>(y1 - y0) * static_cast<uint64_t>(x1 - x0);
      out.pixels[static_cast<size_t>(y) * width + x] =
          static_cast<uint32_t>((r / n) << 16 | (g / n) << 8 | (b / n));
    }
  }
  return out;
}

PreviewResult DecodePreview(std::string_view bytes, int boxWidth, int boxHeight,
                            const PlatformDecode& platform) {
  PreviewResult r;
  r.facts = ReadPictureFacts(bytes.substr(0, std::min<size_t>(bytes.size(), 1 << 16)));
  if (bytes.size() > kMaxPreviewFileBytes) {
    r.status = PreviewResult::Status::TooLarge;
    return r;
  }
  if (r.facts.format == PictureFormat::None) r.facts = ReadPictureFacts(bytes);
  if (r.facts.format == PictureFormat::None) {
    r.status = PreviewResult::Status::NotAPicture;
    return r;
  }
  if (r.facts.width > kMaxPictureSide || r.facts.height > kMaxPictureSide ||
      int64_t{r.facts.width} * r.facts.height > kMaxPreviewPixels) {
    r.status = PreviewResult::Status::TooLarge;
    return r;
  }
  const FitRect fit = FitPicture(r.facts.width, r.facts.height, boxWidth, boxHeight);
  if (fit.width <= 0) return r;  // no room: nothing to draw
  if (r.facts.format == PictureFormat::Bmp) {
    const PicturePtr whole = DecodeBmp(bytes);
    if (!whole) return r;
    r.picture = std::make_shared<Picture>(ScaledDown(*whole, fit.width, fit.height));
  } else if (platform) {
    r.picture = platform(bytes, r.facts.format, fit.width, fit.height);
  }
  if (r.picture && !r.picture->Empty()) r.status = PreviewResult::Status::Picture;
  return r;
}

}  // namespace w95::platform
