// Our own BMP reader. Every offset and size is checked against the bytes at
// hand before use, so damaged files give "no picture" rather than reading
// outside the buffer.
#include "platform/pictures.h"

#include <algorithm>

namespace w95::platform {

namespace {

constexpr size_t kFileHeader = 14;

uint32_t U16(std::string_view b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8;
}
uint32_t U32(std::string_view b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
int32_t I32(std::string_view b, size_t at) { return static_cast<int32_t>(U32(b, at)); }
uint8_t Byte(std::string_view b, size_t at) { return static_cast<uint8_t>(b[at]); }

uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b;
}

}  // namespace

std::optional<BmpLayout> CheckBmp(std::string_view bytes) {
  if (bytes.size() < kFileHeader + 12 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  BmpLayout l;
  l.headerSize = U32(bytes, kFileHeader);
  l.core = l.headerSize == 12;
  if (!l.core && l.headerSize < 40) return std::nullopt;
  if (l.headerSize > bytes.size() - kFileHeader) return std::nullopt;

  int64_t width = 0, height = 0;
  uint32_t compression = 0, colorsUsed = 0;
  const size_t h = kFileHeader;
  if (l.core) {
    width = U16(bytes, h + 4);
    height = U16(bytes, h + 6);
    l.bits = U16(bytes, h + 10);
  } else {
    width = I32(bytes, h + 4);
    height = I32(bytes, h + 8);
    l.bits = U16(bytes, h + 14);
    compression = U32(bytes, h + 16);
    colorsUsed = U32(bytes, h + 32);
  }
  l.topDown = height < 0;
  if (l.topDown) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
      width * height > kMaxPicturePixels)
    return std::nullopt;
  // Only uncompressed rows; 32-bit pixels may also be declared by their
  // colour masks, as long as those are the usual ones (they follow a 40-byte
  // header and are part of the later ones).
  if (compression == 3 && l.bits == 32 && !l.core) {
    if (l.headerSize == 40) l.maskBytes = 12;
    if (bytes.size() < kFileHeader + 40 + 12 || U32(bytes, 54) != 0xFF0000 ||
        U32(bytes, 58) != 0xFF00 || U32(bytes, 62) != 0xFF)
      return std::nullopt;
  } else if (compression != 0) {
    return std::nullopt;
  }
  if (l.bits != 1 && l.bits != 4 && l.bits != 8 && l.bits != 16 && l.bits != 24 && l.bits != 32)
    return std::nullopt;
  l.width = static_cast<int>(width);
  l.height = static_cast<int>(height);

  // The colour table follows the header (entries of 3 bytes after the old
  // header, 4 after the others).
  l.paletteAt = kFileHeader + l.headerSize + l.maskBytes;
  l.paletteEntry = l.core ? 3 : 4;
  if (l.bits <= 8) {
    const uint32_t full = 1u << l.bits;
    l.paletteCount = (l.core || colorsUsed == 0) ? full : colorsUsed;
    if (l.paletteCount > full) return std::nullopt;
    if (l.paletteCount * l.paletteEntry > bytes.size() - l.paletteAt) return std::nullopt;
  }

  l.dataAt = U32(bytes, 10);
  l.stride = static_cast<size_t>((width * l.bits + 31) / 32 * 4);
  if (l.dataAt < l.paletteAt + l.paletteCount * l.paletteEntry || l.dataAt > bytes.size() ||
      l.stride * static_cast<size_t>(height) > bytes.size() - l.dataAt)
    return std::nullopt;
  return l;
}

PicturePtr DecodeBmp(std::string_view bytes) {
  const std::optional<BmpLayout> layout = CheckBmp(bytes);
  if (!layout) return nullptr;
  const BmpLayout& l = *layout;
  std::vector<uint32_t> palette;
  for (size_t i = 0; i < l.paletteCount; ++i) {
    const size_t at = l.paletteAt + i * l.paletteEntry;
    palette.push_back(Rgb(Byte(bytes, at + 2), Byte(bytes, at + 1), Byte(bytes, at)));
  }
  const uint32_t bits = l.bits;
  const bool topDown = l.topDown;
  const size_t offset = l.dataAt;
  const size_t stride = l.stride;
  const size_t rows = static_cast<size_t>(l.height);
  const int64_t width = l.width;
  const int64_t height = l.height;
  const int w = static_cast<int>(width);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * rows);
  for (size_t row = 0; row < rows; ++row) {
    const size_t stored = topDown ? row : rows - 1 - row;
    const std::string_view line = bytes.substr(offset + stored * stride, stride);
    uint32_t* out = &pixels[row * static_cast<size_t>(w)];
    for (int x = 0; x < w; ++x) {
      const size_t ux = static_cast<size_t>(x);
      uint32_t index = 0;
      switch (bits) {
        case 1:
          index = (Byte(line, ux / 8) >> (7 - ux % 8)) & 1;
          break;
        case 4:
          index = (Byte(line, ux / 2) >> (ux % 2 ? 0 : 4)) & 0xF;
          break;
        case 8:
          index = Byte(line, ux);
          break;
        case 16: {
          const uint32_t v = U16(line, ux * 2);
          const auto five = [](uint32_t c) { return static_cast<uint8_t>(c << 3 | c >> 2); };
          out[x] = Rgb(five(v >> 10 & 31), five(v >> 5 & 31), five(v & 31));
          continue;
        }
        case 24:
          out[x] = Rgb(Byte(line, ux * 3 + 2), Byte(line, ux * 3 + 1), Byte(line, ux * 3));
          continue;
        default:
          out[x] = Rgb(Byte(line, ux * 4 + 2), Byte(line, ux * 4 + 1), Byte(line, ux * 4));
          continue;
      }
      // An index past a short colour table shows black.
      out[x] = index < palette.size() ? palette[index] : 0;
    }
  }
  auto picture = std::make_shared<Picture>();
  picture->width = w;
  picture->height = static_cast<int>(height);
  picture->pixels = std::move(pixels);
  return picture;
}

Picture Crop(const Picture& picture, int x, int y, int w, int h) {
  const int left = std::clamp(x, 0, picture.width), top = std::clamp(y, 0, picture.height);
  Picture out;
  out.width = std::clamp(w, 0, picture.width - left);
  out.height = std::clamp(h, 0, picture.height - top);
  out.pixels.reserve(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
  for (int row = top; row < top + out.height; ++row) {
    const auto from = picture.pixels.begin() + static_cast<ptrdiff_t>(row) * picture.width + left;
    out.pixels.insert(out.pixels.end(), from, from + out.width);
  }
  return out;
}

std::string EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels) {
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  const size_t data = stride * static_cast<size_t>(height);
  std::string out(54 + data, '\0');
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
  };
  out[0] = 'B';
  out[1] = 'M';
  put(2, static_cast<uint32_t>(out.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<uint32_t>(width), 4);
  put(22, static_cast<uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, static_cast<uint32_t>(data), 4);
  for (int y = 0; y < height; ++y) {
    const size_t line = 54 + stride * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const uint32_t c = pixels[static_cast<size_t>(y) * width + x];
      put(line + static_cast<size_t>(x) * 3, c & 0xFFFFFF, 3);
    }
  }
  return out;
}

}  // namespace w95::platform
