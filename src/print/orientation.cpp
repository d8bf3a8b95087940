// The print setup window's paper orientation: two glyph buttons that turn
// the printer's paper as its setup dialog would, and "Auto-rotate", which
// turns it the picture's way when the window opens.
#include "platform/platform.h"
#include "print/layout.h"
#include "print/print_form.h"
#include "print/print_state.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

namespace w95::print {

void TPrintForm::BuildOrientation() {
  BtnPortrait.SetBounds(236, 3, 22, 22);
  BtnPortrait.SetGlyph(ui::GlyphKind::Portrait);
  BtnPortrait.SetHint("Portrait: the paper upright (the printer's setting)");
  BtnLandscape.SetBounds(258, 3, 22, 22);
  BtnLandscape.SetGlyph(ui::GlyphKind::Landscape);
  BtnLandscape.SetHint("Landscape: the paper on its side (the printer's setting)");
  AutoRotate.SetBounds(286, 6, 86, 17);
  AutoRotate.SetCaption("&Auto-rotate");
  AutoRotate.SetHint("On opening, turn the paper the picture's way");
  BtnPortrait.OnClick = [this](ui::Control&) { TurnPaper(false, true); };
  BtnLandscape.OnClick = [this](ui::Control&) { TurnPaper(true, true); };
  AutoRotate.OnClick = [this](ui::Control& s) { AutoRotateClick(s); };
}

void TPrintForm::ShowOrientation(const platform::PrinterCaps& caps) {
  BtnPortrait.SetDown(!caps.landscape);
  BtnLandscape.SetDown(caps.landscape);
}

void TPrintForm::TurnOnOpening() {
  platform::Printer& printer = *platform::Current().printer;
  const TIniFile ini(keys::kSettingsFile);
  AutoRotate.SetChecked(ini.ReadNumber(keys::kSection, keys::kPrtRotate, 0) == 1);
  const int paper = ini.ReadNumber(keys::kSection, keys::kPrtPaper, -1);
  if ((paper == 0 || paper == 1) && printer.Capabilities().landscape != (paper == 1))
    printer.SetOrientation(paper == 1);
  if (!AutoRotate.Checked()) return;
  const platform::PrinterCaps caps = printer.Capabilities();
  const PrintModule& s = State();
  if (Disagree(s.ImageWidth, s.ImageHeight, caps.pageWidth, caps.pageHeight))
    printer.SetOrientation(!caps.landscape);
}

void TPrintForm::TurnPaper(bool landscape, bool chosen) {
  // Not while the host has the job, nor before there is a page to turn.
  platform::Printer& printer = *platform::Current().printer;
  if (!laidOut_ || printer.Printing()) return;
  if (layoutCaps_.landscape != landscape && !printer.SetOrientation(landscape)) {
    ShowOrientation(layoutCaps_);
    return;
  }
  if (chosen) Remember(keys::kPrtPaper, landscape ? 1 : 0);
  FollowPage();
}

void TPrintForm::AutoRotateClick(ui::Control&) {
  Remember(keys::kPrtRotate, AutoRotate.Checked() ? 1 : 0);
  // Ticked in an open window: the page turns at once when it lies the
  // other way.
  if (!AutoRotate.Checked() || !laidOut_ || quiet_ > 0) return;
  const PrintModule& s = State();
  if (Disagree(s.ImageWidth, s.ImageHeight, layoutCaps_.pageWidth, layoutCaps_.pageHeight))
    TurnPaper(!layoutCaps_.landscape, false);
}

}  // namespace w95::print
