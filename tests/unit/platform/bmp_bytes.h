// Hand-made BMP files of any depth and row order, for tests of the readers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace w95::platform::test {

// A BMP file: `rows` are the stored row bytes, top row first (they are
// written bottom-up unless topDown), each padded to 4 bytes here.
struct BmpSpec {
  int width = 2;
  int bits = 8;
  bool topDown = false;
  bool coreHeader = false;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::string> rows;
  uint32_t colorsUsed = 0;
};

inline void Put(std::string& s, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) s.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

inline std::string MakeBmp(const BmpSpec& b) {
  const int height = static_cast<int>(b.rows.size());
  std::string header;
  if (b.coreHeader) {
    Put(header, 12, 4);
    Put(header, static_cast<uint32_t>(b.width), 2);
    Put(header, static_cast<uint32_t>(height), 2);
    Put(header, 1, 2);
    Put(header, static_cast<uint32_t>(b.bits), 2);
  } else {
    Put(header, 40, 4);
    Put(header, static_cast<uint32_t>(b.width), 4);
    Put(header, static_cast<uint32_t>(b.topDown ? -height : height), 4);
    Put(header, 1, 2);
    Put(header, static_cast<uint32_t>(b.bits), 2);
    Put(header, 0, 4);  // uncompressed
    Put(header, 0, 4);
    Put(header, 2835, 4);
    Put(header, 2835, 4);
    Put(header, b.colorsUsed, 4);
    Put(header, 0, 4);
  }
  for (uint32_t c : b.palette) {
    header.push_back(static_cast<char>(c & 0xFF));
    header.push_back(static_cast<char>(c >> 8 & 0xFF));
    header.push_back(static_cast<char>(c >> 16 & 0xFF));
    if (!b.coreHeader) header.push_back(0);
  }
  std::string data;
  for (int i = 0; i < height; ++i) {
    std::string row = b.rows[static_cast<size_t>(b.topDown ? i : height - 1 - i)];
    row.resize((row.size() + 3) / 4 * 4, '\0');
    data += row;
  }
  std::string file = "BM";
  Put(file, static_cast<uint32_t>(14 + header.size() + data.size()), 4);
  Put(file, 0, 4);
  Put(file, static_cast<uint32_t>(14 + header.size()), 4);
  return file + header + data;
}

}  // namespace w95::platform::test
