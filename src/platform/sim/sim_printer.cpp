#include "platform/sim/sim_printer.h"

#include "platform/error.h"

namespace w95::platform::sim {

SimPrinterModel SimPrinter::A4() { return {"Office A4", 2329, 3358, 300, 24, 1}; }
SimPrinterModel SimPrinter::Page600() { return {"Photo 600", 4800, 6600, 600, 24, 1}; }
SimPrinterModel SimPrinter::Mono() { return {"Laser Mono", 4800, 6600, 600, 1, 1}; }

void SimPrinter::Install(std::vector<SimPrinterModel> printers) {
  printers_ = std::move(printers);
  current_ = printers_.empty() ? -1 : 0;
  landscape_ = false;
}

void SimPrinter::Select(const std::string& name) {
  for (size_t i = 0; i < printers_.size(); ++i)
    if (printers_[i].name == name) current_ = static_cast<int>(i);
}

PrinterCaps SimPrinter::Capabilities() {
  if (current_ < 0) throw Error(kNoDefaultPrinter);
  const SimPrinterModel& p = printers_[static_cast<size_t>(current_)];
  PrinterCaps caps;
  caps.name = p.name;
  caps.pageWidth = landscape_ ? p.pageHeight : p.pageWidth;
  caps.pageHeight = landscape_ ? p.pageWidth : p.pageHeight;
  caps.dpiX = caps.dpiY = p.dpi;
  caps.colorBits = p.bitsPerPixel * p.planes;
  caps.landscape = landscape_;
  return caps;
}

bool SimPrinter::SetupDialog(uintptr_t owner) {
  setupOwners.push_back(owner);
  if (current_ < 0) return false;  // the dialog asks for a printer to be installed
  return onSetup ? onSetup(*this) : true;
}

uintptr_t SimPrinter::BeginDoc(const std::string& title) {
  if (current_ < 0 || failStartDoc || open_) return 0;
  SimPrintJob job;
  job.printer = printers_[static_cast<size_t>(current_)].name;
  job.title = title;
  job.dc = nextDc_++;
  job.landscape = landscape_;
  jobs.push_back(job);
  open_ = jobs.size() - 1;
  return job.dc;
}

bool SimPrinter::EndDoc() {
  if (!open_) return false;
  jobs[*open_].ended = true;
  open_.reset();
  return !failEndDoc;
}

void SimPrinter::Abort() {
  if (!open_) return;
  jobs[*open_].aborted = true;
  open_.reset();
}

}  // namespace w95::platform::sim
