// The host's half of the slide editor's thumbnails and tags: after result 1
// it makes a small bitmap for every slide of the script that has a thumbnail
// index, as the viewer does; after result 2 it lists the tagged slides.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host.h"

namespace w95host {

namespace {

constexpr int kThumbSide = 64;

std::string Profile(const std::string& file, const std::string& section, const char* key) {
  char buf[1024] = "";
  GetPrivateProfileStringA(section.c_str(), key, "", buf, sizeof buf, file.c_str());
  return buf;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  HANDLE h =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(h);
  return true;
}

uint32_t Le(const std::string& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
  return v;
}

// The picture of an uncompressed bitmap file, scaled into a 24-bit bitmap
// of at most 64 x 64 that keeps its shape; the file's bytes, or an empty
// string with `why` filled in.
std::string Thumbnail(const std::string& source, std::string& why) {
  std::string b;
  if (!ReadWhole(source, b)) return why = "cannot be read", "";
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || Le(b, 14, 4) < 40)
    return why = "not a bitmap", "";
  const auto width = static_cast<int32_t>(Le(b, 18, 4));
  const auto height = static_cast<int32_t>(Le(b, 22, 4));
  const uint32_t bits = Le(b, 28, 2), compression = Le(b, 30, 4), offset = Le(b, 10, 4);
  const int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  if (width <= 0 || rows <= 0 || width > 16384 || rows > 16384 || compression != 0 ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
    return why = "not an uncompressed bitmap", "";
  // The colour table must lie before the rows.
  const uint32_t colours = bits > 8 ? 0 : Le(b, 46, 4) ? Le(b, 46, 4) : 1u << bits;
  if (colours > 256 || 14 + Le(b, 14, 4) + 4 * static_cast<uint64_t>(colours) > offset)
    return why = "not a bitmap", "";
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  if (offset < 54 || offset > b.size() || stride * static_cast<uint64_t>(rows) > b.size() - offset)
    return why = "cut short", "";

  int w = width, h = static_cast<int>(rows);
  if (w > kThumbSide || h > kThumbSide) {
    if (w >= h) {
      h = static_cast<int>(
          std::max<int64_t>(1, (static_cast<int64_t>(h) * kThumbSide + w / 2) / w));
      w = kThumbSide;
    } else {
      w = static_cast<int>(
          std::max<int64_t>(1, (static_cast<int64_t>(w) * kThumbSide + h / 2) / h));
      h = kThumbSide;
    }
  }
  BITMAPINFO out{};
  out.bmiHeader.biSize = sizeof out.bmiHeader;
  out.bmiHeader.biWidth = w;
  out.bmiHeader.biHeight = h;  // rows from the bottom, as files keep them
  out.bmiHeader.biPlanes = 1;
  out.bmiHeader.biBitCount = 24;
  out.bmiHeader.biCompression = BI_RGB;
  const DWORD outStride = static_cast<DWORD>((w * 3 + 3) / 4 * 4);
  out.bmiHeader.biSizeImage = outStride * static_cast<DWORD>(h);

  // The source as the file describes it (header and colour table as they
  // are), painted scaled into the thumbnail.
  void* outBits = nullptr;
  HBITMAP thumb = CreateDIBSection(nullptr, &out, DIB_RGB_COLORS, &outBits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, thumb);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  std::vector<uint32_t> info((offset - 14 + 3) / 4 + 1);
  std::memcpy(info.data(), b.data() + 14, offset - 14);
  const int done =
      StretchDIBits(dc, 0, 0, w, h, 0, 0, width, static_cast<int>(rows), b.data() + offset,
                    reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
  GdiFlush();
  std::string file;
  if (done > 0 && outBits) {
    BITMAPFILEHEADER head{};
    head.bfType = 0x4D42;
    head.bfOffBits = sizeof head + sizeof out.bmiHeader;
    head.bfSize = head.bfOffBits + out.bmiHeader.biSizeImage;
    file.append(reinterpret_cast<const char*>(&head), sizeof head);
    file.append(reinterpret_cast<const char*>(&out.bmiHeader), sizeof out.bmiHeader);
    file.append(static_cast<const char*>(outBits), out.bmiHeader.biSizeImage);
  } else {
    why = "could not be drawn";
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  if (thumb) DeleteObject(thumb);
  return file;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(h);
  return ok;
}

// The numbered sections of a profile file, in order.
std::vector<int> NumberedSections(const std::string& file) {
  std::vector<char> names(1 << 20);
  const DWORD n =
      GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), file.c_str());
  std::vector<int> numbers;
  for (const char* p = names.data(); p < names.data() + n && *p; p += std::strlen(p) + 1) {
    char* end = nullptr;
    const long v = std::strtol(p, &end, 10);
    if (end != p && *end == '\0' && v > 0) numbers.push_back(static_cast<int>(v));
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

}  // namespace

int BuildThumbnails(const std::string& script, const std::string& appDir) {
  const std::string catalog = Profile(script, "Header", "Cat");  // the script file's own keys
  std::printf("  thumbnails of %s (catalog %s) into %s\n", script.c_str(), catalog.c_str(),
              appDir.c_str());
  if (catalog.empty()) {
    std::printf("  (the script names no catalog: nothing to build)\n");
    return 0;
  }
  int built = 0;
  for (int slide : NumberedSections(script)) {
    const std::string section = std::to_string(slide);
    const std::string index = Profile(script, section, "T");
    if (index.empty() || index == "-") continue;
    // "name,folder number": the folder from the script's list of folders.
    std::string entry = Profile(script, section, "F");
    const size_t comma = entry.rfind(',');
    const std::string name = entry.substr(0, comma);
    const std::string folder = comma == std::string::npos
                                   ? ""
                                   : Profile(script, "Directory", entry.substr(comma + 1).c_str());
    const std::string source = folder + name;
    const std::string target = appDir + catalog + index + ".BMP";
    const size_t dot = name.find_last_of('.');
    const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (_stricmp(ext.c_str(), "bmp") != 0 && _stricmp(ext.c_str(), "dib") != 0) {
      std::printf("  slide %d: %s skipped (this host makes thumbnails of bitmaps only)\n", slide,
                  source.c_str());
      continue;
    }
    std::string why;
    const std::string bytes = Thumbnail(source, why);
    if (bytes.empty()) {
      std::printf("  slide %d: %s %s: no thumbnail\n", slide, source.c_str(), why.c_str());
    } else if (!WriteWhole(target, bytes)) {
      std::printf("  slide %d: %s cannot be written\n", slide, target.c_str());
    } else {
      std::printf("  slide %d: %s -> %s\n", slide, source.c_str(), target.c_str());
      ++built;
    }
  }
  std::printf("  %d thumbnail(s) built\n", built);
  return built;
}

std::vector<std::string> TaggedSlides(const std::string& appDir) {
  const std::string file = appDir + W95_TAG_LIST;
  std::vector<std::string> slides;
  const int n = static_cast<int>(GetPrivateProfileIntA("Count", "N", 0, file.c_str()));
  for (int k = 1; k <= n && k <= 100000; ++k)
    slides.push_back(Profile(file, std::to_string(k), "F"));
  return slides;
}

int Thumbs(Host&, const Args& args) {
  if (args.empty()) {
    std::printf("usage: plimbo-host thumbs SCRIPT [APPDIR]\n");
    return 2;
  }
  std::string appDir;
  if (args.size() > 1) {
    appDir = args[1];
  } else {
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    appDir = exe;
    appDir.erase(appDir.find_last_of('\\') + 1);
  }
  if (!appDir.empty() && appDir.back() != '\\') appDir += '\\';
  BuildThumbnails(args[0], appDir);
  return 0;
}

}  // namespace w95host
