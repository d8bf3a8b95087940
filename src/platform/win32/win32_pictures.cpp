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
// platform then makes the bitmap from the checked bytes, converting the
// colours to the screen's, and hands its pixels back.
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
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, bytes->data() + layout->dataAt,
                                    reinterpret_cast<const BITMAPINFO*>(info.data()),
                                    DIB_RGB_COLORS);
    // Its pixels as 32-bit rows from the top, as every picture holds them.
    auto picture = std::make_shared<Picture>();
    if (bitmap) {
      BITMAPINFO want{};
      want.bmiHeader.biSize = sizeof want.bmiHeader;
      want.bmiHeader.biWidth = layout->width;
      want.bmiHeader.biHeight = -layout->height;
      want.bmiHeader.biPlanes = 1;
      want.bmiHeader.biBitCount = 32;
      want.bmiHeader.biCompression = BI_RGB;
      picture->pixels.resize(static_cast<size_t>(layout->width) * static_cast<size_t>(layout->height));
      if (GetDIBits(screen, bitmap, 0, static_cast<UINT>(layout->height), picture->pixels.data(), &want,
                    DIB_RGB_COLORS) == layout->height) {
        picture->width = layout->width;
        picture->height = layout->height;
        for (uint32_t& p : picture->pixels) p &= 0xFFFFFF;
      }
      DeleteObject(bitmap);
    }
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
