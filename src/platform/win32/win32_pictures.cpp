#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_pictures.h"

namespace w95::platform {

namespace {

// A bitmap the platform made; deleted with the picture.
class Win32Picture final : public Picture {
 public:
  Win32Picture(HBITMAP bitmap, int width, int height)
      : Picture(width, height, {}), bitmap_(bitmap) {}
  ~Win32Picture() override { DeleteObject(bitmap_); }
  uintptr_t NativeBitmap() const override { return reinterpret_cast<uintptr_t>(bitmap_); }

 private:
  HBITMAP bitmap_;
};

// The file is read whole and its layout checked first: the platform's own
// loading of a file that is cut short reads past its end (Wine faults), so
// only a file that holds everything its header promises reaches it. The
// platform then makes the bitmap from the checked bytes, converting the
// colours to the screen's.
class Loader final : public PictureLoader {
 public:
  PicturePtr LoadBitmap(const std::string& path) override {
    const std::optional<std::string> bytes = Win32Files().ReadFile(path);
    if (!bytes) return nullptr;
    const std::optional<BmpLayout> layout = CheckBmp(*bytes);
    if (!layout) return nullptr;
    // Header and colour table, aligned as the platform wants them.
    const size_t infoSize = layout->headerSize + layout->paletteCount * layout->paletteEntry;
    std::vector<uint32_t> info((infoSize + 3) / 4 + 1);
    std::memcpy(info.data(), bytes->data() + 14, infoSize);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, bytes->data() + layout->dataAt,
                                    reinterpret_cast<const BITMAPINFO*>(info.data()),
                                    DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (!bitmap) return nullptr;
    return std::make_shared<const Win32Picture>(bitmap, layout->width, layout->height);
  }
};

}  // namespace

PictureLoader& Win32Pictures() {
  static Loader loader;
  return loader;
}

}  // namespace w95::platform
