// Scripted printers of the simulated machine. A test picks the printers that
// exist and which one is the default, scripts the setup dialog, and reads
// back every print job:
//
//   m.printer.Install({SimPrinter::Page600()});       // one printer, the default
//   m.printer.onSetup = [](SimPrinter& p) { p.SetLandscape(true); return true; };
//   ... m.printer.jobs[0].title, .ended, .aborted
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace w95::platform::sim {

// One printer as its device context describes it (portrait page).
struct SimPrinterModel {
  std::string name;
  int pageWidth = 0;
  int pageHeight = 0;
  int dpi = 0;
  int bitsPerPixel = 24;
  int planes = 1;
};

struct SimPrintJob {
  std::string printer;
  std::string title;
  uintptr_t dc = 0;
  bool landscape = false;
  bool ended = false;  // page and document ended
  bool aborted = false;
  // The clipping rectangle set on the page before the host drew, if any.
  bool clipped = false;
  int clipLeft = 0, clipTop = 0, clipWidth = 0, clipHeight = 0;
};

class SimPrinter final : public Printer {
 public:
  // The scripted printers: A4 at 300 dpi, a 4800 x 6600 page at 600 dpi, a
  // monochrome laser printer.
  static SimPrinterModel A4();
  static SimPrinterModel Page600();
  static SimPrinterModel Mono();

  // The printers that exist; the first is the default. Empty: no printer.
  void Install(std::vector<SimPrinterModel> printers);
  void SetLandscape(bool on) { landscape_ = on; }
  // Makes another installed printer current (as the setup dialog does).
  void Select(const std::string& name);

  // Plays the setup dialog after the user confirmed it: may select another
  // printer or orientation; its result is the dialog's. Unset: confirmed,
  // nothing changed.
  std::function<bool(SimPrinter&)> onSetup;
  bool failStartDoc = false;  // the spooler refuses the next documents
  bool failEndDoc = false;    // the spooler fails the end of the next documents
  std::vector<SimPrintJob> jobs;
  std::vector<uintptr_t> setupOwners;
  int orientationCalls = 0;  // SetOrientation calls that turned the paper

  PrinterCaps Capabilities() override;
  bool SetupDialog(uintptr_t owner) override;
  bool SetOrientation(bool landscape) override {
    if (current_ < 0 || open_) return false;
    landscape_ = landscape;
    ++orientationCalls;
    return true;
  }
  uintptr_t BeginDoc(const std::string& title) override;
  bool Printing() override { return open_.has_value(); }
  bool ClipTo(int left, int top, int width, int height) override {
    if (!open_) return false;
    SimPrintJob& job = jobs[*open_];
    job.clipped = true;
    job.clipLeft = left;
    job.clipTop = top;
    job.clipWidth = width;
    job.clipHeight = height;
    return true;
  }
  bool EndDoc() override;
  void Abort() override;

 private:
  std::vector<SimPrinterModel> printers_;
  int current_ = -1;
  bool landscape_ = false;
  std::optional<size_t> open_;  // index of the open job
  uintptr_t nextDc_ = 0x5C00;
};

}  // namespace w95::platform::sim
