#include "print/print_dlg.h"

#include <memory>

#include "platform/platform.h"
#include "print/print_form.h"
#include "print/print_state.h"
#include "settings/ini_file.h"
#include "ui/application.h"
#include "ui/dialogs.h"

namespace w95::print {

void PrintDlg(uintptr_t hostWindow, int32_t width, int32_t height, int32_t noEnhance) {
  PrintModule& s = State();
  if (s.PrintOpen == 1 || s.PrintForm) return;
  // The page layout doubles the image until it covers the page and divides
  // by its sides: an empty or negative image has no layout.
  if (width <= 0 || height <= 0) {
    ui::MessageDlg("The image to print has no size (" + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels).",
                   ui::MsgKind::Error, ui::Buttons::OK);
    return;
  }
  s.HostWindow = hostWindow;
  s.ImageWidth = width;
  s.ImageHeight = height;
  auto owned = std::make_unique<TPrintForm>();
  TPrintForm& form = *owned;
  form.ReleaseOnClose(std::move(owned));
  s.PrintForm = &form;
  form.Show();
  // Without native windows (tests) nothing else activates the window.
  if (!form.Handle()) form.UserActivated();
  ui::Application().ProcessMessages();
  if (noEnhance > 0 && s.PrintForm == &form) {
    form.Enhance.SetChecked(false);
    form.Enhance.SetEnabled(false);
  }
}

int32_t PrintCheck() { return State().PrintOpen; }

void PrintEnd() {
  platform::Printer& printer = *platform::Current().printer;
  if (!printer.Printing()) return;
  printer.EndDoc();
  if (TPrintForm* form = State().PrintForm) form->Close();
}

void TPrintForm::BtnPrintItClick(ui::Control&) {
  platform::Printer& printer = *platform::Current().printer;
  const uintptr_t dc = printer.BeginDoc(kJobTitle);
  if (!dc) {
    printer.Abort();
    ui::MessageDlg("Check printer.", ui::MsgKind::Warning, ui::Buttons::OK);
    return;
  }
  SetEnabled(false);
  SetWindowState(ui::WindowState::Minimized);
  const PrintModule& s = State();
  try {
    const TIniFile ini("plimbo.ini");
    ini.WriteNumber("plimbo", "prT", s.DocTop);
    ini.WriteNumber("plimbo", "prL", s.DocLeft);
    ini.WriteNumber("plimbo", "prW", s.DocWidth);
    ini.WriteNumber("plimbo", "prH", s.DocHeight);
    ini.WriteNumber("plimbo", "prN", Enhance.Checked() ? 1 : 0);
    ini.WriteNumber("plimbo", "prC", Color.Checked() ? 1 : 0);
    ini.WriteNumber("plimbo", "prD", PrintStyle.ItemIndex());
  } catch (...) {
    // The host will not hear of this job, so nothing would ever end it:
    // drop it and give the window back before the error is shown.
    printer.Abort();
    SetWindowState(ui::WindowState::Normal);
    SetEnabled(true);
    throw;
  }
  platform::Current().host->Send(s.HostWindow, kPrintReadyMessage, 0, static_cast<intptr_t>(dc));
}

}  // namespace w95::print
