#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_pictures.h"

namespace w95::platform {

namespace {

// The file is read whole and its layout checked first: the platform's own
// loading of a file that is cut short reads past its end (Wine faults), so
// only a file that holds everything its header promises reaches it. The
// platform then converts the checked rows into a bitmap of its own whose
// pixels the picture takes.
class Loader final : public PictureLoader {
 public:
  PicturePtr LoadBitmap(const std::string& path) override {
    const std::optional<std::string> bytes = Win32Files().ReadFile(path);
    if (!bytes) return nullptr;
    const std::optional<BmpLayout> layout = CheckBmp(*bytes);
    if (!layout) return nullptr;
    // Header and colour table, aligned as the platform wants them.
    const size_t infoSize =
        layout->headerSize + layout->maskBytes + layout->paletteCount * layout->paletteEntry;
    std::vector<uint32_t> info((infoSize + 3) / 4 + 1);
    std::memcpy(info.data(), bytes->data() + 14, infoSize);
    // A 32-bit section with rows from the top, as every picture holds its
    // pixels; the platform converts the file's rows into it.
    BITMAPINFO want{};
    want.bmiHeader.biSize = sizeof want.bmiHeader;
    want.bmiHeader.biWidth = layout->width;
    want.bmiHeader.biHeight = -layout->height;
    want.bmiHeader.biPlanes = 1;
    want.bmiHeader.biBitCount = 32;
    want.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP section = CreateDIBSection(screen, &want, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto picture = std::make_shared<Picture>();
    if (section && bits &&
        SetDIBits(screen, section, 0, static_cast<UINT>(layout->height),
                  bytes->data() + layout->dataAt, reinterpret_cast<const BITMAPINFO*>(info.data()),
                  DIB_RGB_COLORS) == layout->height) {
      GdiFlush();
      const auto* from = static_cast<const uint32_t*>(bits);
      picture->pixels.assign(
          from, from + static_cast<size_t>(layout->width) * static_cast<size_t>(layout->height));
      for (uint32_t& p : picture->pixels) p &= 0xFFFFFF;
      picture->width = layout->width;
      picture->height = layout->height;
    }
    if (section) DeleteObject(section);
    ReleaseDC(nullptr, screen);
    if (picture->Empty()) return nullptr;
    return picture;
  }
};

}  // namespace

PictureLoader& Win32Pictures() {
  static Loader loader;
  return loader;
}

}  // namespace w95::platform
