#include <windows.h>

#include "platform/win32/win32_pictures.h"

namespace w95::platform {

namespace {

// A bitmap the platform loaded; deleted with the picture.
class Win32Picture final : public Picture {
 public:
  Win32Picture(HBITMAP bitmap, int width, int height)
      : Picture(width, height, {}), bitmap_(bitmap) {}
  ~Win32Picture() override { DeleteObject(bitmap_); }
  uintptr_t NativeBitmap() const override { return reinterpret_cast<uintptr_t>(bitmap_); }

 private:
  HBITMAP bitmap_;
};

class Loader final : public PictureLoader {
 public:
  PicturePtr LoadBitmap(const std::string& path) override {
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) return nullptr;
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
      DeleteObject(bitmap);
      return nullptr;
    }
    return std::make_shared<const Win32Picture>(bitmap, info.bmWidth, info.bmHeight);
  }
};

}  // namespace

PictureLoader& Win32Pictures() {
  static Loader loader;
  return loader;
}

}  // namespace w95::platform
