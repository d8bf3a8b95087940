// The printer object over the real spooler: the default printer is looked up
// (PrintDlg with PD_RETURNDEFAULT) on first use and kept as DEVMODE and
// DEVNAMES; the setup dialog edits them; capabilities come from an
// information context, the job from a device context made with them.
#include "platform/win32/win32_printer.h"

#include <windows.h>
#include <commdlg.h>

#include <optional>

#include "platform/error.h"

namespace w95::platform {

namespace {

class Win32PrinterObject final : public Printer {
 public:
  // Asked many times per layout; a context on a printer driver is costly,
  // so the answer is kept until another printer or paper is chosen.
  PrinterCaps Capabilities() override {
    if (caps_) return *caps_;
    HDC ic = MakeDc(true);
    PrinterCaps caps;
    caps.pageWidth = GetDeviceCaps(ic, HORZRES);
    caps.pageHeight = GetDeviceCaps(ic, VERTRES);
    caps.dpiX = GetDeviceCaps(ic, LOGPIXELSX);
    caps.dpiY = GetDeviceCaps(ic, LOGPIXELSY);
    caps.colorBits = GetDeviceCaps(ic, BITSPIXEL) * GetDeviceCaps(ic, PLANES);
    DeleteDC(ic);
    caps.name = Device();
    if (auto* dm = static_cast<DEVMODEA*>(GlobalLock(devMode_))) {
      caps.landscape = (dm->dmFields & DM_ORIENTATION) && dm->dmOrientation == DMORIENT_LANDSCAPE;
      GlobalUnlock(devMode_);
    }
    caps_ = caps;
    return caps;
  }

  bool SetupDialog(uintptr_t owner) override {
    if (!devNames_) SelectDefault();
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = reinterpret_cast<HWND>(owner);
    pd.hDevMode = devMode_;
    pd.hDevNames = devNames_;
    pd.Flags = PD_PRINTSETUP;
    const BOOL ok = PrintDlgA(&pd);
    // The dialog may have replaced the handles it was given.
    devMode_ = pd.hDevMode;
    devNames_ = pd.hDevNames;
    caps_.reset();
    return ok != 0;
  }

  bool SetOrientation(bool landscape) override {
    if (job_) return false;
    if (!devNames_ && !SelectDefault()) return false;
    auto* dm = devMode_ ? static_cast<DEVMODEA*>(GlobalLock(devMode_)) : nullptr;
    if (!dm) return false;
    // The printer's own setting, as its setup dialog keeps it: the next
    // contexts (the layout's and the job's) are made with it.
    dm->dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    dm->dmFields |= DM_ORIENTATION;
    GlobalUnlock(devMode_);
    caps_.reset();
    return true;
  }

  bool ClipTo(int left, int top, int width, int height) override {
    if (!job_) return false;
    return IntersectClipRect(job_, left, top, left + width, top + height) != ERROR;
  }

  uintptr_t BeginDoc(const std::string& title) override {
    if (job_) return 0;
    HDC dc = nullptr;
    try {
      dc = MakeDc(false);
    } catch (const Error&) {
      return 0;
    }
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title.c_str();
    if (StartDocA(dc, &doc) <= 0) {
      DeleteDC(dc);
      return 0;
    }
    if (StartPage(dc) <= 0) {
      AbortDoc(dc);
      DeleteDC(dc);
      return 0;
    }
    job_ = dc;
    return reinterpret_cast<uintptr_t>(dc);
  }

  bool Printing() override { return job_ != nullptr; }

  bool EndDoc() override {
    if (!job_) return false;
    const bool pageOk = EndPage(job_) > 0;
    const bool docOk = ::EndDoc(job_) > 0;
    DeleteDC(job_);
    job_ = nullptr;
    return pageOk && docOk;
  }

  void Abort() override {
    if (!job_) return;
    AbortDoc(job_);
    DeleteDC(job_);
    job_ = nullptr;
  }

 private:
  void Forget() {
    if (devMode_) GlobalFree(devMode_);
    if (devNames_) GlobalFree(devNames_);
    devMode_ = devNames_ = nullptr;
    caps_.reset();
  }

  bool SelectDefault() {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgA(&pd)) return false;
    Forget();
    devMode_ = pd.hDevMode;
    devNames_ = pd.hDevNames;
    return true;
  }

  std::string Device() {
    std::string name;
    if (auto* dn = static_cast<DEVNAMES*>(GlobalLock(devNames_))) {
      name = reinterpret_cast<const char*>(dn) + dn->wDeviceOffset;
      GlobalUnlock(devNames_);
    }
    return name;
  }

  HDC TryDc(bool information) {
    auto* dn = static_cast<DEVNAMES*>(GlobalLock(devNames_));
    if (!dn) return nullptr;
    auto* dm = devMode_ ? static_cast<DEVMODEA*>(GlobalLock(devMode_)) : nullptr;
    const char* base = reinterpret_cast<const char*>(dn);
    const char* driver = base + dn->wDriverOffset;
    const char* device = base + dn->wDeviceOffset;
    const char* port = base + dn->wOutputOffset;
    HDC dc =
        information ? CreateICA(driver, device, port, dm) : CreateDCA(driver, device, port, dm);
    if (dm) GlobalUnlock(devMode_);
    GlobalUnlock(devNames_);
    return dc;
  }

  // A context on the current printer. A printer chosen earlier that has gone
  // away gives way to the default printer of now.
  HDC MakeDc(bool information) {
    if (!devNames_ && !SelectDefault()) throw Error(kNoDefaultPrinter);
    if (HDC dc = TryDc(information)) return dc;
    Forget();
    if (!SelectDefault()) throw Error(kNoDefaultPrinter);
    if (HDC dc = TryDc(information)) return dc;
    throw Error("Printer selected is not valid");
  }

  HGLOBAL devMode_ = nullptr;
  HGLOBAL devNames_ = nullptr;
  HDC job_ = nullptr;
  std::optional<PrinterCaps> caps_;
};

}  // namespace

Printer& Win32Printer() {
  static Win32PrinterObject printer;
  return printer;
}

}  // namespace w95::platform
