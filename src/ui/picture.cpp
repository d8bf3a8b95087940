#include "ui/picture.h"

#include <cstring>
#include <limits>

#include "platform/error.h"
#include "platform/platform.h"

namespace w95::ui {

namespace {

constexpr const char* kInvalid = "Bitmap image is not valid";

uint32_t Le(std::string_view b, size_t at, int bytes) {
  if (at + static_cast<size_t>(bytes) > b.size()) throw Error(kInvalid);
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
  return v;
}

}  // namespace

Picture DecodeBitmap(std::string_view b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw Error(kInvalid);
  const uint32_t dataAt = Le(b, 10, 4);
  const uint32_t headerSize = Le(b, 14, 4);
  if (headerSize < 40) throw Error(kInvalid);
  const auto width = static_cast<int32_t>(Le(b, 18, 4));
  const auto rawHeight = static_cast<int32_t>(Le(b, 22, 4));
  const uint32_t bits = Le(b, 28, 2);
  const uint32_t compression = Le(b, 30, 4);
  uint32_t colours = Le(b, 46, 4);
  const bool topDown = rawHeight < 0;
  if (rawHeight == std::numeric_limits<int32_t>::min()) throw Error(kInvalid);
  const int height = topDown ? -rawHeight : rawHeight;
  // Only uncompressed pixels (BI_BITFIELDS with the usual masks at 32 bits).
  if (width <= 0 || height <= 0 || width > 32768 || height > 32768) throw Error(kInvalid);
  if (!(compression == 0 || (compression == 3 && bits == 32))) throw Error(kInvalid);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) throw Error(kInvalid);

  std::vector<uint32_t> palette;
  if (bits <= 8) {
    if (colours == 0 || colours > (1u << bits)) colours = 1u << bits;
    const size_t at = 14 + headerSize;
    for (uint32_t i = 0; i < colours; ++i) palette.push_back(Le(b, at + 4 * i, 4) & 0xFFFFFF);
  }
  const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  if (dataAt > b.size() || stride * static_cast<size_t>(height) > b.size() - dataAt) throw Error(kInvalid);

  Picture p;
  p.width = width;
  p.height = height;
  p.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const size_t row = dataAt + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    for (int x = 0; x < width; ++x) {
      uint32_t c = 0;
      const auto ux = static_cast<size_t>(x);
      switch (bits) {
        case 1: c = (static_cast<unsigned char>(b[row + ux / 8]) >> (7 - ux % 8)) & 1; break;
        case 4: c = (static_cast<unsigned char>(b[row + ux / 2]) >> (ux % 2 ? 0 : 4)) & 0xF; break;
        case 8: c = static_cast<unsigned char>(b[row + ux]); break;
        case 24: c = Le(b, row + 3 * ux, 3); break;
        case 32: c = Le(b, row + 4 * ux, 4) & 0xFFFFFF; break;
      }
      if (bits <= 8) c = c < palette.size() ? palette[c] : 0;
      p.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + ux] = c;
    }
  }
  return p;
}

Picture LoadPictureFile(const std::string& path) {
  auto bytes = platform::Current().files->ReadFile(path);
  if (!bytes) throw Error("Cannot open file \"" + path + "\"");
  return DecodeBitmap(*bytes);
}

}  // namespace w95::ui
