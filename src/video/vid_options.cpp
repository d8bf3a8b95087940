#include "video/vid_options.h"

#include <string>

namespace w95::video {

namespace {
// Arial of a height in pixels (points for the headless measures).
ui::Font DialogFont(int pixels, int points, bool bold) {
  ui::Font f;
  f.name = "Arial";
  f.size = points;
  f.pixelHeight = pixels;
  f.bold = bold;
  return f;
}
}  // namespace

TVidOptions::TVidOptions(int32_t hostMode) : ui::Form("VidOptions"), hostMode_(hostMode) {
  SetCaption("Playback Options");
  SetBorderStyle(ui::BorderStyle::Dialog);
  SetBorderIcons(false);
  SetStayOnTop(true);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(248, 120);
  SetFont(DialogFont(14, 10, true));

  for (ui::Label* l : {&SpeedLabel, &VolumeLabel}) {
    l->SetAlignment(ui::Alignment::Center);
    l->SetFont(DialogFont(11, 8, true));
  }
  SpeedLabel.SetBounds(8, 4, 232, 16);
  SpeedLabel.SetCaption("&Speed: 100%");
  SpeedLabel.SetFocusControl(&SpeedScroll);
  SpeedScroll.SetBounds(8, 22, 232, 16);
  SpeedScroll.SetParams(1000, 0, 2000);
  VolumeLabel.SetBounds(8, 44, 232, 16);
  VolumeLabel.SetCaption("&Volume: 100%");
  VolumeLabel.SetFocusControl(&VolumeScroll);
  VolumeScroll.SetBounds(8, 62, 232, 16);
  VolumeScroll.SetParams(1000, 0, 1000);
  for (ui::ScrollBar* s : {&SpeedScroll, &VolumeScroll}) {
    s->SetSmallChange(10);
    s->SetLargeChange(100);
  }

  BitBtn1.SetBounds(8, 88, 72, 25);
  BitBtn1.SetCaption("&Default");
  ButtonOK.SetBounds(88, 88, 72, 25);
  ButtonOK.SetCaption("Ok");
  ButtonOK.SetDefault(true);
  ButtonOK.SetModalResult(ui::mrOk);
  ButtonCancel.SetBounds(168, 88, 72, 25);
  ButtonCancel.SetCaption("Cancel");
  ButtonCancel.SetCancel(true);
  ButtonCancel.SetModalResult(ui::mrCancel);
  for (ui::Button* b : {&BitBtn1, &ButtonOK, &ButtonCancel}) b->SetFont(DialogFont(11, 8, false));

  SpeedScroll.OnChange = [this](ui::Control&) { SpeedScrollChange(); };
  VolumeScroll.OnChange = [this](ui::Control&) { VolumeScrollChange(); };
  BitBtn1.OnClick = [this](ui::Control&) { BitBtn1Click(); };
}

void TVidOptions::VolumeScrollChange() {
  VolumeLabel.SetCaption("&Volume: " + std::to_string(VolumeScroll.Position() / 10) + "%");
}

void TVidOptions::SpeedScrollChange() {
  SpeedLabel.SetCaption("&Speed: " + std::to_string(SpeedScroll.Position() / 10) + "%");
}

void TVidOptions::BitBtn1Click() {
  SpeedScroll.SetPosition(1000);
  VolumeScroll.SetPosition(hostMode_ != 0 ? 500 : 1000);
}

}  // namespace w95::video
