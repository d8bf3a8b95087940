#include "print/print_dlg.h"

#include <memory>

#include "platform/platform.h"
#include "print/layout.h"
#include "print/print_form.h"
#include "print/print_state.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "ui/application.h"
#include "ui/dialogs.h"

namespace w95::print {

void PrintDlg(uintptr_t hostWindow, int32_t width, int32_t height, int32_t noEnhance) {
  PrintModule& s = State();
  if (s.PrintOpen == 1 || s.PrintForm) return;
  // The page layout doubles the image until it covers the page and divides
  // by its sides: an empty or negative image has no layout.
  if (width <= 0 || height <= 0) {
    ui::MessageDlg("The image to print has no size (" + std::to_string(width) + " x " +
                       std::to_string(height) + " pixels).",
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
  form.LayOutBeforeShowing();
  form.Show();
  // Its 40-odd windows are painted at once: fetched from the message queue,
  // each paint would cost a round trip to the system.
  form.PaintNow();
  // Without native windows (tests) nothing else activates the window.
  if (!form.Handle()) form.UserActivated();
  ui::Application().ProcessMessages();
  if (noEnhance > 0 && s.PrintForm == &form) form.TurnOffEnhancement();
}

int32_t PrintCheck() { return State().PrintOpen; }

void PrintEnd() {
  platform::Printer& printer = *platform::Current().printer;
  // Without a job there is nothing to end, but the window still goes: a
  // host closes every window this way before it lets the library go.
  const bool ended = !printer.Printing() || printer.EndDoc();
  if (TPrintForm* form = State().PrintForm) form->Close();
  if (!ended)
    ui::MessageDlg("The printer could not finish the job: the page may not have printed.",
                   ui::MsgKind::Error, ui::Buttons::OK);
}

void TPrintForm::BtnPrintItClick(ui::Control&) {
  // Only a layout made for this window and this page may go to the host.
  if (!laidOut_) return;
  // The host's window receives the device context and ends the job: with
  // no such window the job would stay open for good.
  if (!platform::Current().host->IsWindow(State().HostWindow)) {
    ui::MessageDlg("The program that asked for printing has no window to print the page.",
                   ui::MsgKind::Warning, ui::Buttons::OK);
    return;
  }
  platform::Printer& printer = *platform::Current().printer;
  const uintptr_t dc = printer.BeginDoc(kJobTitle);
  if (!dc) {
    printer.Abort();
    ui::MessageDlg("Check printer.", ui::MsgKind::Warning, ui::Buttons::OK);
    return;
  }
  const PrintModule& s = State();
  // A filled photo size: the host draws the covering rectangle as it draws
  // any other, and the page keeps the picture inside the photo size.
  Area drawn{s.DocLeft, s.DocTop, s.DocWidth, s.DocHeight};
  if (Filling()) {
    drawn = CoverRect(s.DocLeft, s.DocTop, {s.DocWidth, s.DocHeight}, s.ImageWidth, s.ImageHeight);
    if (!printer.ClipTo(s.DocLeft, s.DocTop, s.DocWidth, s.DocHeight)) {
      printer.Abort();
      ui::MessageDlg("The printer cannot crop the picture; clear Fill to print it whole.",
                     ui::MsgKind::Warning, ui::Buttons::OK);
      return;
    }
  }
  SetEnabled(false);
  SetWindowState(ui::WindowState::Minimized);
  try {
    const TIniFile ini(keys::kSettingsFile);
    ini.WriteNumber(keys::kSection, keys::kPrTop, drawn.top);
    ini.WriteNumber(keys::kSection, keys::kPrLeft, drawn.left);
    ini.WriteNumber(keys::kSection, keys::kPrWidth, drawn.width);
    ini.WriteNumber(keys::kSection, keys::kPrHeight, drawn.height);
    ini.WriteNumber(keys::kSection, keys::kPrEnhance, Enhance.Checked() ? 1 : 0);
    ini.WriteNumber(keys::kSection, keys::kPrColour, Color.Checked() ? 1 : 0);
    ini.WriteNumber(keys::kSection, keys::kPrDither, PrintStyle.ItemIndex());
  } catch (...) {
    // The host will not hear of this job, so nothing would ever end it:
    // drop it and give the window back before the error is shown.
    printer.Abort();
    SetWindowState(ui::WindowState::Normal);
    SetEnabled(true);
    throw;
  }
  platform::Current().host->Send(s.HostWindow, kPrintReadyMessage, 0, static_cast<intptr_t>(dc));
  // The host may end the job later, or never: the user can drop it then.
  if (State().PrintForm == this && printer.Printing()) WaitForHost();
}

}  // namespace w95::print
