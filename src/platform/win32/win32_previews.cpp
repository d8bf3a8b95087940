// Preview decoding on a thread of its own, so that the user's typing and
// scrolling never wait for a picture. Bitmaps are read by our own reader;
// JPEG, GIF, PNG and ICO by the platform's picture object (oleaut32, loaded
// when first needed), rendered straight into a bitmap of the fitted size.
//
// Each decoding thread holds a reference to this module while it runs and
// drops it as it exits, so the library can be unloaded under it: the code
// stays until the thread is gone. Its job state is shared with the caller
// and outlives whichever side lets go last.
#include <windows.h>
// windows.h first
#include <ole2.h>
#include <olectl.h>

#include <atomic>
#include <cstring>
#include <memory>

#include "platform/code_page_text.h"
#include "platform/picture_preview.h"
#include "platform/win32/win32_pictures.h"

namespace w95::platform {

namespace {

struct JobState {
  std::string path;
  int width = 0, height = 0;
  std::atomic<bool> cancelled{false};
  std::atomic<bool> done{false};
  PreviewResult result;  // written before `done`, read after it
};

class Job final : public PreviewJob {
 public:
  explicit Job(std::shared_ptr<JobState> s) : s_(std::move(s)) {}
  bool Done() const override { return s_->done.load(std::memory_order_acquire); }
  PreviewResult Result() const override { return Done() ? s_->result : PreviewResult{}; }
  void Cancel() override { s_->cancelled = true; }

 private:
  std::shared_ptr<JobState> s_;
};

using OleLoadPictureFn = HRESULT(WINAPI*)(LPSTREAM, LONG, BOOL, REFIID, LPVOID*);

OleLoadPictureFn OleLoader() {
  static OleLoadPictureFn fn = [] {
    HMODULE lib = LoadLibraryA("oleaut32.dll");
    return lib ? reinterpret_cast<OleLoadPictureFn>(
                     reinterpret_cast<void (*)()>(GetProcAddress(lib, "OleLoadPicture")))
               : nullptr;
  }();
  return fn;
}

const GUID kIidPicture = {
    0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

// The platform's picture object drawn into a 32-bit bitmap of width x
// height on white (an icon's transparent parts stay white).
PicturePtr PlatformDecode(std::string_view bytes, PictureFormat, int width, int height) {
  const OleLoadPictureFn load = OleLoader();
  if (!load || bytes.empty()) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  void* at = GlobalLock(memory);
  if (!at) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(at, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  IPicture* picture = nullptr;
  const HRESULT loaded = load(stream, static_cast<LONG>(bytes.size()), FALSE, kIidPicture,
                              reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(loaded) || !picture) return nullptr;

  PicturePtr out;
  OLE_XSIZE_HIMETRIC hw = 0;
  OLE_YSIZE_HIMETRIC hh = 0;
  picture->get_Width(&hw);
  picture->get_Height(&hh);
  BITMAPINFO want{};
  want.bmiHeader.biSize = sizeof want.bmiHeader;
  want.bmiHeader.biWidth = width;
  want.bmiHeader.biHeight = -height;
  want.bmiHeader.biPlanes = 1;
  want.bmiHeader.biBitCount = 32;
  want.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP section = dc ? CreateDIBSection(dc, &want, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (section && bits && hw > 0 && hh > 0) {
    HGDIOBJ old = SelectObject(dc, section);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    // The source rectangle runs from the bottom up in HIMETRIC.
    if (SUCCEEDED(picture->Render(dc, 0, 0, width, height, 0, hh, hw, -hh, nullptr))) {
      GdiFlush();
      auto p = std::make_shared<Picture>();
      p->width = width;
      p->height = height;
      const auto* from = static_cast<const uint32_t*>(bits);
      p->pixels.assign(from, from + static_cast<size_t>(width) * static_cast<size_t>(height));
      for (uint32_t& c : p->pixels) c &= 0xFFFFFF;
      out = p;
    }
    SelectObject(dc, old);
  }
  if (section) DeleteObject(section);
  if (dc) DeleteDC(dc);
  picture->Release();
  return out;
}

PreviewResult DecodeFile(const std::string& path, int width, int height,
                         const std::atomic<bool>& cancelled) {
  PreviewResult r;
  // The path as the explorer shows it: a name the code page cannot hold in UTF-8.
  const std::u16string wide = WideFromShown(path);
  HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return r;
  LARGE_INTEGER size{};
  std::string bytes;
  bool whole = GetFileSizeEx(file, &size) != 0;
  if (whole && static_cast<uint64_t>(size.QuadPart) > kMaxPreviewFileBytes) {
    CloseHandle(file);
    r.status = PreviewResult::Status::TooLarge;
    return r;
  }
  if (whole) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    whole = bytes.empty() ||
            (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
             got == bytes.size());
  }
  CloseHandle(file);
  if (!whole || cancelled) return r;
  return DecodePreview(bytes, width, height, PlatformDecode);
}

DWORD WINAPI DecodeThread(void* param) {
  HMODULE self = nullptr;
  {
    std::unique_ptr<std::shared_ptr<JobState>> held(static_cast<std::shared_ptr<JobState>*>(param));
    std::shared_ptr<JobState> s = std::move(*held);
    held.reset();
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&DecodeThread), &self);
    if (!s->cancelled) {
      const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      s->result = DecodeFile(s->path, s->width, s->height, s->cancelled);
      if (SUCCEEDED(com)) CoUninitialize();
    }
    s->done.store(true, std::memory_order_release);
  }
  // The reference taken when the thread was made is dropped as it ends.
  FreeLibraryAndExitThread(self, 0);
  return 0;
}

class Decoder final : public PreviewDecoder {
 public:
  std::shared_ptr<PreviewJob> Start(const std::string& path, int width, int height) override {
    auto s = std::make_shared<JobState>();
    s->path = path;
    s->width = width;
    s->height = height;
    auto job = std::make_shared<Job>(s);
    // The module stays loaded while the thread runs (see above).
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&DecodeThread), &self)) {
      s->done = true;
      return job;
    }
    auto* param = new std::shared_ptr<JobState>(s);
    HANDLE thread = CreateThread(nullptr, 0, DecodeThread, param, 0, nullptr);
    if (!thread) {
      delete param;
      FreeLibrary(self);
      s->done = true;  // no result: the preview tells the type and size
      return job;
    }
    CloseHandle(thread);
    return job;
  }
};

}  // namespace

PreviewDecoder& Win32Previews() {
  static Decoder decoder;
  return decoder;
}

}  // namespace w95::platform
