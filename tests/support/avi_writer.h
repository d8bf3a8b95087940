// Writes an uncompressed AVI of 8-bit palettised frames: a colour ramp with
// a white bar that moves one step each frame, so that any frame shows where
// it is in the clip.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace video_wine {

inline void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void Put16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
inline std::string Chunk(const char* id, const std::string& data) {
  std::string s(id, 4);
  Put32(s, static_cast<uint32_t>(data.size()));
  s += data;
  if (data.size() % 2) s += '\0';
  return s;
}
inline std::string List(const char* type, const std::string& data) {
  return Chunk("LIST", std::string(type, 4) + data);
}

// width must be a multiple of 4 (rows are not padded).
inline bool WriteAvi(const std::string& path, int width, int height, int frames, int fps) {
  const uint32_t frameBytes = static_cast<uint32_t>(width * height);
  std::string avih;
  Put32(avih, 1000000 / fps);
  Put32(avih, frameBytes * fps);
  Put32(avih, 0);
  Put32(avih, 0x10);  // has an index
  Put32(avih, frames);
  Put32(avih, 0);
  Put32(avih, 1);
  Put32(avih, frameBytes);
  Put32(avih, width);
  Put32(avih, height);
  for (int i = 0; i < 4; ++i) Put32(avih, 0);

  std::string strh = "vidsDIB ";
  Put32(strh, 0);
  Put16(strh, 0);
  Put16(strh, 0);
  Put32(strh, 0);
  Put32(strh, 1);    // scale
  Put32(strh, fps);  // rate
  Put32(strh, 0);
  Put32(strh, frames);
  Put32(strh, frameBytes);
  Put32(strh, 0xFFFFFFFF);
  Put32(strh, 0);
  Put16(strh, 0);
  Put16(strh, 0);
  Put16(strh, static_cast<uint16_t>(width));
  Put16(strh, static_cast<uint16_t>(height));

  std::string strf;
  Put32(strf, 40);
  Put32(strf, width);
  Put32(strf, height);
  Put16(strf, 1);
  Put16(strf, 8);
  Put32(strf, 0);  // BI_RGB
  Put32(strf, frameBytes);
  Put32(strf, 0);
  Put32(strf, 0);
  Put32(strf, 256);
  Put32(strf, 256);
  for (int i = 0; i < 256; ++i) {  // blue, green, red, reserved
    strf += static_cast<char>(i < 255 ? (i * 4) & 0xFF : 255);
    strf += static_cast<char>(i < 255 ? 255 - i : 255);
    strf += static_cast<char>(i < 255 ? i : 255);
    strf += '\0';
  }

  std::string movi = "movi";
  std::string idx;
  for (int f = 0; f < frames; ++f) {
    std::string pixels(frameBytes, '\0');
    const int bar = f * (width - 8) / (frames > 1 ? frames - 1 : 1);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        pixels[static_cast<size_t>(y * width + x)] =
            static_cast<char>(x >= bar && x < bar + 8 ? 255 : (y * 254 / height));
    idx += "00db";
    Put32(idx, 0x10);  // key frame
    Put32(idx, static_cast<uint32_t>(movi.size()));
    Put32(idx, frameBytes);
    movi += Chunk("00db", pixels);
  }
  const std::string hdrl =
      List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
  const std::string body = "AVI " + hdrl + Chunk("LIST", movi) + Chunk("idx1", idx);
  const std::string file = Chunk("RIFF", body);
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && ok;
}

}  // namespace video_wine
