// The media device service on the real media control interface
// (mciSendCommandA, mciGetErrorStringA). Completion notifications and palette
// changes arrive at a hidden top-level window of this service and are handed
// on from the message loop.
#include <windows.h>
#include <mmsystem.h>
#include <digitalv.h>

#include <map>

#include "platform/media.h"
#include "platform/win32/win32_machine.h"

namespace w95::platform {

namespace {

constexpr const char* kNotifyClass = "w95MediaNotify";

class Win32Media final : public MediaService {
 public:
  uint32_t Open(const std::string& element, uint32_t& device) override {
    MCI_OPEN_PARMSA p{};
    p.lpstrElementName = element.c_str();
    const MCIERROR e =
        mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p));
    if (e == 0) device = p.wDeviceID;
    return e;
  }
  uint32_t Close(uint32_t device, const MediaCall& call) override {
    MCI_GENERIC_PARMS p{};
    const uint32_t e = Send(device, MCI_CLOSE, 0, p, call);
    callbacks_.erase(device);
    return e;
  }
  uint32_t Window(uint32_t device, uintptr_t window, const MediaCall& call) override {
    MCI_DGV_WINDOW_PARMSA p{};
    p.hWnd = reinterpret_cast<HWND>(window);
    return Send(device, MCI_WINDOW, MCI_DGV_WINDOW_HWND, p, call);
  }
  uint32_t PutDestination(uint32_t device, int left, int top, int width, int height,
                          const MediaCall& call) override {
    MCI_DGV_PUT_PARMS p{};
    p.rc = {left, top, width, height};  // third and fourth fields: width and height
    return Send(device, MCI_PUT, MCI_DGV_RECT | MCI_DGV_PUT_DESTINATION, p, call);
  }
  uint32_t WhereSource(uint32_t device, int& width, int& height) override {
    MCI_DGV_WHERE_PARMS p{};
    const uint32_t e = Direct(device, MCI_WHERE, MCI_DGV_WHERE_SOURCE | MCI_WAIT, p);
    if (e == 0) {
      width = static_cast<int>(p.rc.right & 0xFFFF);
      height = static_cast<int>(p.rc.bottom & 0xFFFF);
    }
    return e;
  }
  uint32_t HasVideo(uint32_t device, bool& yes) override {
    MCI_GETDEVCAPS_PARMS p{};
    p.dwItem = MCI_GETDEVCAPS_HAS_VIDEO;
    const uint32_t e = Direct(device, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, p);
    if (e == 0) yes = p.dwReturn != 0;
    return e;
  }
  uint32_t Realize(uint32_t device) override {
    return mciSendCommandA(device, MCI_REALIZE, MCI_DGV_REALIZE_NORM, 0);
  }
  uint32_t Update(uint32_t device, uintptr_t dc, int left, int top, int width,
                  int height) override {
    MCI_DGV_UPDATE_PARMS p{};
    p.rc = {left, top, width, height};
    p.hDC = reinterpret_cast<HDC>(dc);
    return Direct(device, MCI_UPDATE, MCI_DGV_UPDATE_HDC | MCI_DGV_RECT, p);
  }
  uint32_t SetTimeFormatFrames(uint32_t device, const MediaCall& call) override {
    MCI_SET_PARMS p{};
    p.dwTimeFormat = MCI_FORMAT_FRAMES;
    return Send(device, MCI_SET, MCI_SET_TIME_FORMAT, p, call);
  }
  uint32_t Status(uint32_t device, MediaItem item, uint32_t& value) override {
    MCI_STATUS_PARMS p{};
    p.dwItem = item == MediaItem::Length     ? MCI_STATUS_LENGTH
               : item == MediaItem::Position ? MCI_STATUS_POSITION
                                             : MCI_STATUS_MODE;
    const uint32_t e = Direct(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, p);
    if (e == 0) value = static_cast<uint32_t>(p.dwReturn);
    return e;
  }
  uint32_t Play(uint32_t device, const MediaCall& call) override {
    MCI_PLAY_PARMS p{};
    return Send(device, MCI_PLAY, 0, p, call);
  }
  uint32_t Stop(uint32_t device, const MediaCall& call) override {
    MCI_GENERIC_PARMS p{};
    return Send(device, MCI_STOP, 0, p, call);
  }
  uint32_t Pause(uint32_t device, const MediaCall& call) override {
    MCI_GENERIC_PARMS p{};
    return Send(device, MCI_PAUSE, 0, p, call);
  }
  uint32_t Resume(uint32_t device, const MediaCall& call) override {
    MCI_GENERIC_PARMS p{};
    return Send(device, MCI_RESUME, 0, p, call);
  }
  uint32_t Step(uint32_t device, int frames, const MediaCall& call) override {
    MCI_DGV_STEP_PARMS p{};
    p.dwFrames = static_cast<DWORD>(frames < 0 ? -frames : frames);
    return Send(device, MCI_STEP, MCI_DGV_STEP_FRAMES | (frames < 0 ? MCI_DGV_STEP_REVERSE : 0), p,
                call);
  }
  uint32_t SeekToStart(uint32_t device, const MediaCall& call) override {
    MCI_SEEK_PARMS p{};
    return Send(device, MCI_SEEK, MCI_SEEK_TO_START, p, call);
  }
  uint32_t SeekTo(uint32_t device, int32_t frame, const MediaCall& call) override {
    MCI_SEEK_PARMS p{};
    p.dwTo = static_cast<DWORD>(frame);
    return Send(device, MCI_SEEK, MCI_TO, p, call);
  }
  uint32_t SetVolume(uint32_t device, uint32_t volume) override {
    MCI_DGV_SETAUDIO_PARMSA p{};
    p.dwItem = MCI_DGV_SETAUDIO_VOLUME;
    p.dwValue = volume;
    return Direct(device, MCI_SETAUDIO, MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE, p);
  }
  uint32_t SetSpeed(uint32_t device, uint32_t speed) override {
    MCI_DGV_SET_PARMS p{};
    p.dwSpeed = speed;
    return Direct(device, MCI_SET, MCI_DGV_SET_SPEED, p);
  }
  uint32_t SetAudio(uint32_t device, bool on) override {
    MCI_SET_PARMS p{};
    p.dwAudio = MCI_SET_AUDIO_ALL;
    return Direct(device, MCI_SET, MCI_SET_AUDIO | (on ? MCI_SET_ON : MCI_SET_OFF) | MCI_WAIT, p);
  }
  uint32_t FrameRate(uint32_t device, uint32_t& milliFps) override {
    MCI_DGV_STATUS_PARMSA p{};
    p.dwItem = MCI_DGV_STATUS_FRAME_RATE;
    const uint32_t e = Direct(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, p) & 0xFFFF;
    if (e == 0) milliFps = static_cast<uint32_t>(p.dwReturn);
    return e;
  }
  uint32_t CanReverse(uint32_t device, bool& yes) override {
    MCI_GETDEVCAPS_PARMS p{};
    p.dwItem = MCI_DGV_GETDEVCAPS_CAN_REVERSE;
    const uint32_t e = Direct(device, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, p) & 0xFFFF;
    if (e == 0) yes = LOWORD(p.dwReturn) != 0;
    return e;
  }
  uint32_t ReadSetting(uint32_t device, MediaSetting setting, uint32_t& value) override {
    MCI_DGV_STATUS_PARMSA p{};
    p.dwItem = setting == MediaSetting::Volume  ? MCI_DGV_STATUS_VOLUME
               : setting == MediaSetting::Speed ? MCI_DGV_STATUS_SPEED
                                                : MCI_DGV_STATUS_AUDIO;
    // A value given as a string constant comes back with a flag in the high
    // word of the answer.
    const uint32_t e = Direct(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, p) & 0xFFFF;
    if (e == 0)
      value =
          setting == MediaSetting::Audio ? LOWORD(p.dwReturn) : static_cast<uint32_t>(p.dwReturn);
    return e;
  }
  uint32_t Configure(uint32_t device) override {
    MCI_GENERIC_PARMS p{};
    return Direct(device, MCI_CONFIGURE, MCI_WAIT, p);
  }
  std::string ErrorText(uint32_t code) override {
    static char buffer[4096];
    buffer[0] = 0;
    mciGetErrorStringA(code, buffer, sizeof buffer);
    return buffer[0] ? std::string(buffer) : std::string("Unknown error code");
  }

  FrameMetrics Frame() override {
    return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
            GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYBORDER)};
  }
  uintptr_t ClientDC(uintptr_t window) override {
    return reinterpret_cast<uintptr_t>(GetDC(reinterpret_cast<HWND>(window)));
  }
  void ReleaseClientDC(uintptr_t window, uintptr_t dc) override {
    if (dc) ReleaseDC(reinterpret_cast<HWND>(window), reinterpret_cast<HDC>(dc));
  }
  bool ScreenRect(uintptr_t window, int& left, int& top, int& width, int& height) override {
    RECT r;
    if (!window || !GetWindowRect(reinterpret_cast<HWND>(window), &r)) return false;
    left = r.left;
    top = r.top;
    width = r.right - r.left;
    height = r.bottom - r.top;
    return true;
  }
  void SendToBack(uintptr_t window) override {
    SetWindowPos(reinterpret_cast<HWND>(window), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // Unloading: the hidden window goes whoever still listens.
  void Shutdown() {
    callbacks_.clear();
    palette_ = nullptr;
    ReleaseWindow();
  }
  // The hidden window is made at the first use and kept until the library
  // is unloaded (Shutdown): making it again at each opening cost a window's
  // creation each time.
  void OnPaletteChanged(std::function<void(uintptr_t)> handler) override {
    palette_ = std::move(handler);
    if (palette_) NotifyWindow();
  }

 private:
  template <class P>
  uint32_t Direct(uint32_t device, UINT command, DWORD flags, P& params) {
    return mciSendCommandA(device, command, flags, reinterpret_cast<DWORD_PTR>(&params));
  }
  // A command sent by the wait and notify choices of the caller.
  template <class P>
  uint32_t Send(uint32_t device, UINT command, DWORD flags, P& params, const MediaCall& call) {
    if (call.wait) flags |= MCI_WAIT;
    if (call.notify) {
      flags |= MCI_NOTIFY;
      params.dwCallback = reinterpret_cast<DWORD_PTR>(NotifyWindow());
      callbacks_[device] = call.onNotify;
    }
    return Direct(device, command, flags, params);
  }

  static bool ScreenHasPalette() {
    HDC screen = GetDC(nullptr);
    const bool palette = screen && (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    if (screen) ReleaseDC(nullptr, screen);
    return palette;
  }

  static HINSTANCE Module() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&Proc), &module);
    return module;
  }
  void ReleaseWindow() {
    if (!window_) return;
    DestroyWindow(window_);
    window_ = nullptr;
    UnregisterClassA(kNotifyClass, Module());
  }
  HWND NotifyWindow() {
    if (window_) return window_;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = Module();
    wc.lpszClassName = kNotifyClass;
    RegisterClassA(&wc);
    // A hidden overlapped top-level window: it hears palette changes, which
    // only top-level windows are told of. Only a screen of palette colours
    // has any: elsewhere a window for messages only, much quicker to make,
    // takes the notifications.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kNotifyClass, "", WS_OVERLAPPED, 0, 0, 0, 0,
                              ScreenHasPalette() ? nullptr : HWND_MESSAGE, nullptr, wc.hInstance,
                              nullptr);
    return window_;
  }

  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

  HWND window_ = nullptr;
  std::map<uint32_t, std::function<void(unsigned)>> callbacks_;
  std::function<void(uintptr_t)> palette_;
};

Win32Media& Media() {
  static Win32Media media;
  return media;
}

LRESULT CALLBACK Win32Media::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Win32Media& m = Media();
  try {
    if (msg == MM_MCINOTIFY) {
      auto it = m.callbacks_.find(static_cast<uint32_t>(lp));
      if (it != m.callbacks_.end() && it->second) {
        auto callback = it->second;  // the handler may send the next command
        callback(static_cast<unsigned>(wp));
      }
      return 0;
    }
    if (msg == WM_PALETTECHANGED) {
      if (m.palette_) {
        auto handler = m.palette_;
        handler(static_cast<uintptr_t>(wp));
      }
      return 0;
    }
  } catch (...) {
    // The handlers report their own errors; nothing may unwind into Windows.
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

MediaService& Win32MediaService() { return Media(); }
void ShutdownWin32Media() { Media().Shutdown(); }

}  // namespace w95::platform
