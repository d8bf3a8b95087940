// The video window's popup menu, its keys and the playback options.
#include <string>

#include "settings/ini_file.h"
#include "settings/keys.h"
#include "ui/dialogs.h"
#include "video/vid_options.h"
#include "video/video_form.h"
#include "video/video_internal.h"
#include "video/video_logic.h"

namespace w95::video {

namespace {

constexpr unsigned kRates[6] = {1000, 500, 333, 250, 200, 167};
const char* const kRateCaptions[6] = {"1:1 sec.", "2:1 sec.", "3:1 sec.",
                                      "4:1 sec.", "5:1 sec.", "6:1 sec."};

}  // namespace

void TVideoForm::BuildMenu() {
  ZoomWindow1 = &MenuOptions.Add("ZoomWindow1", "Zoom Window");
  mnuZoom100 = &ZoomWindow1->Add("mnuZoom100", "100%  Ctrl+1");
  mnuZoom200 = &ZoomWindow1->Add("mnuZoom200", "200%  Ctrl+2");
  mnuZoom300 = &ZoomWindow1->Add("mnuZoom300", "300%  Ctrl+3");
  mnuZoom400 = &ZoomWindow1->Add("mnuZoom400", "400%  Ctrl+4");
  mnuOptimize = &MenuOptions.Add("mnuOptimize", "&Optimize Window");
  DisplayStatus = &MenuOptions.Add("DisplayStatus", "Video Status Bar");
  DisplayStatus->SetChecked(true);
  MenuOptions.Add("N3", "-");
  StatusUpdate1 = &MenuOptions.Add("StatusUpdate1", "Status &Update");
  for (int i = 0; i < 6; ++i) {
    mnuUpdate[i] = &StatusUpdate1->Add("mnuUpdate" + std::to_string(kRates[i]), kRateCaptions[i]);
    mnuUpdate[i]->SetTag(kRates[i]);
    mnuUpdate[i]->OnClick = [this](ui::MenuItem& s) { mnuUpdateClick(s); };
  }
  mnuUpdate[1]->SetChecked(true);
  StatusUpdate1->Add("N4", "-");
  mnuShowTime = &StatusUpdate1->Add("mnuShowTime", "Show &Time");
  mnuShowTime->SetChecked(true);
  mnuConfigure = &MenuOptions.Add("mnuConfigure", "Configure Video");
  MenuOptions.Add("N2", "-");
  VideoOptions1 = &MenuOptions.Add("VideoOptions1", "Playbac&k Options");
  mnuQuietPlayback = &MenuOptions.Add("mnuQuietPlayback", "&Quiet Playback");
  mnuPlaybackLoop = &MenuOptions.Add("mnuPlaybackLoop", "&Loop Playback");
  MenuOptions.Add("N1", "-");
  mnuPlay = &MenuOptions.Add("mnuPlay", "&Play");
  mnuPause = &MenuOptions.Add("mnuPause", "Pau&se");
  mnuGoTo = &MenuOptions.Add("mnuGoTo", "G&o To");
  mnuPlayPause = &mnuGoTo->Add("mnuPlayPause", "&Play or Pause");
  mnuFrameBack = &mnuGoTo->Add("mnuFrameBack", "Frame &Back");
  mnuFrameForward = &mnuGoTo->Add("mnuFrameForward", "Frame &Forward");
  mnuTenthBack = &mnuGoTo->Add("mnuTenthBack", "Back a &Tenth");
  mnuTenthForward = &mnuGoTo->Add("mnuTenthForward", "Forward a Te&nth");
  mnuStart = &mnuGoTo->Add("mnuStart", "&Start");
  mnuEnd = &mnuGoTo->Add("mnuEnd", "&End");
  mnuGrab = &MenuOptions.Add("mnuGrab", "&Grab Frame");
  mnuExit = &MenuOptions.Add("mnuExit", "Close and E&xit ");
  // The keys the window's key handler serves, shown beside their items.
  mnuOptimize->SetShortCut("Ctrl+O");
  mnuQuietPlayback->SetShortCut("Ctrl+Q");
  mnuPlay->SetShortCut("Shift+Ins");
  mnuPause->SetShortCut("Shift+Del");
  mnuPlayPause->SetShortCut("Space");
  mnuFrameBack->SetShortCut("Left");
  mnuFrameForward->SetShortCut("Right");
  mnuTenthBack->SetShortCut("PgUp");
  mnuTenthForward->SetShortCut("PgDn");
  mnuStart->SetShortCut("Home");
  mnuEnd->SetShortCut("End");

  mnuZoom100->OnClick = [this](ui::MenuItem&) { ZoomVideo(1); };
  mnuZoom200->OnClick = [this](ui::MenuItem&) { ZoomVideo(2); };
  mnuZoom300->OnClick = [this](ui::MenuItem&) { ZoomVideo(3); };
  mnuZoom400->OnClick = [this](ui::MenuItem&) { ZoomVideo(4); };
  mnuOptimize->OnClick = [this](ui::MenuItem&) { mnuOptimizeClick(); };
  DisplayStatus->OnClick = [this](ui::MenuItem&) { DisplayStatusClick(); };
  mnuConfigure->OnClick = [this](ui::MenuItem&) { mnuConfigureClick(); };
  VideoOptions1->OnClick = [this](ui::MenuItem&) { VideoOptions1Click(); };
  mnuQuietPlayback->OnClick = [this](ui::MenuItem&) { mnuQuietPlaybackClick(); };
  mnuPlaybackLoop->OnClick = [this](ui::MenuItem&) { mnuPlaybackLoopClick(); };
  mnuPlay->OnClick = [this](ui::MenuItem&) { mnuPlayClick(); };
  mnuPause->OnClick = [this](ui::MenuItem&) { mnuPauseClick(); };
  mnuGrab->OnClick = [this](ui::MenuItem&) { mnuGrabClick(); };
  mnuExit->OnClick = [this](ui::MenuItem&) { mnuExitClick(); };
  mnuShowTime->OnClick = [this](ui::MenuItem&) { ShowTimeClick(); };
  mnuPlayPause->OnClick = [this](ui::MenuItem&) { PlayOrPause(); };
  mnuFrameBack->OnClick = [this](ui::MenuItem&) { FrameOrSecond(-1); };
  mnuFrameForward->OnClick = [this](ui::MenuItem&) { FrameOrSecond(1); };
  mnuTenthBack->OnClick = [this](ui::MenuItem&) { TenthOn(-1); };
  mnuTenthForward->OnClick = [this](ui::MenuItem&) { TenthOn(1); };
  mnuStart->OnClick = [this](ui::MenuItem&) { SeekFrame(0); };
  mnuEnd->OnClick = [this](ui::MenuItem&) { SeekFrame(Video().clipLength - 1); };
}

// ---- Menu and keys.

void TVideoForm::MenuButtonClick() {
  const VideoState& st = Video();
  int left = Left(), top = Top();
  int width = Width() + st.nonClientWidth, height = Height() + st.nonClientHeight;
  Media().ScreenRect(Handle(), left, top, width, height);
  MenuOptions.Popup(left + width / 2, top + height / 4);
}

void TVideoForm::UpdateReset() {
  Timer1.SetEnabled(false);
  for (ui::MenuItem* item : mnuUpdate) item->SetChecked(false);
}

void TVideoForm::mnuUpdateClick(ui::MenuItem& sender) {
  UpdateReset();
  sender.SetChecked(true);
  Timer1.SetInterval(static_cast<unsigned>(sender.Tag()));
  Timer1.SetEnabled(true);
}

void TVideoForm::mnuConfigureClick() {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    Timer1.SetEnabled(false);
    MediaPlayer1.SetWait(true);
    MediaPlayer1.PauseDevice();
    ShowButtons(kButtonsPaused);
    Busy(true);
    Media().Configure(MediaPlayer1.DeviceID());
    Timer1.SetEnabled(true);
    Pump();
    if (Video().hostMode == kHostModeHalfVolume) FormResize();
    Busy(false);
  });
}

void TVideoForm::mnuQuietPlaybackClick() {
  if (!MediaPlayer1.IsOpen()) return;
  Busy(true);
  const bool quiet = !mnuQuietPlayback->Checked();
  Media().SetAudio(MediaPlayer1.DeviceID(), !quiet);
  Busy(false);
  // A device that keeps its sound on does not get the check mark.
  if (!SettingTook(platform::MediaSetting::Audio, quiet ? 0 : 1) || Video().form != this) return;
  mnuQuietPlayback->SetChecked(quiet);
  Remember(keys::kVidQuiet, quiet ? 1 : 0);
  Pump();
}

bool TVideoForm::SettingTook(platform::MediaSetting setting, uint32_t wanted) {
  static const char* const kCannot[] = {
      "This device cannot change the volume.",
      "This device cannot change the speed.",
      "This device cannot turn the sound off.",
  };
  uint32_t value = 0;
  const uint32_t error = Media().ReadSetting(MediaPlayer1.DeviceID(), setting, value);
  // Another error says nothing about the setting; a value read back may be
  // rounded by the device.
  const bool took = error != 0 ? !platform::IsUnknownSetting(error)
                               : (value > wanted ? value - wanted : wanted - value) <= 10;
  const int index = static_cast<int>(setting);
  if (!took && !toldCannot_[index]) {
    toldCannot_[index] = true;
    ui::MessageDlg(kCannot[index], ui::MsgKind::Information, ui::Buttons::OK);
  }
  return took;
}

void TVideoForm::mnuPlaybackLoopClick() {
  mnuPlaybackLoop->SetChecked(!mnuPlaybackLoop->Checked());
  Remember(keys::kVidLoop, mnuPlaybackLoop->Checked() ? 1 : 0);
}

void TVideoForm::mnuPlayClick() {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    const uint32_t mode = MediaPlayer1.Mode();
    if (mode != platform::kModeStop && mode != platform::kModePause) return;
    PlayPreparation();
    MediaPlayer1.Play();
  });
}

void TVideoForm::mnuPauseClick() {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    if (MediaPlayer1.Mode() != platform::kModePlay) return;
    PausePreparation();
    MediaPlayer1.Pause();
  });
}

void TVideoForm::mnuGrabClick() {
  const VideoState& st = Video();
  mnuPauseClick();
  if (st.form != this) return;  // the pause failed and closed the window
  TIniFile ini(keys::kSettingsFile);
  ini.WriteNumber(keys::kSection, keys::kPrLeft, VideoWin.Left());
  ini.WriteNumber(keys::kSection, keys::kPrTop, VideoWin.Top());
  ini.WriteNumber(keys::kSection, keys::kPrWidth, VideoWin.Width());
  ini.WriteNumber(keys::kSection, keys::kPrHeight, VideoWin.Height());
  const uintptr_t dc = Media().ClientDC(Handle());
  platform::Current().host->Send(st.hostWindow, kGrabFrameMessage, 0, static_cast<intptr_t>(dc));
  Media().ReleaseClientDC(Handle(), dc);
}

void TVideoForm::mnuExitClick() {
  Video().closeRequested = true;
  Close();
}

void TVideoForm::FormKeyDown(int& key, unsigned shift) {
  const unsigned mods = shift & (ui::ssShift | ui::ssCtrl | ui::ssAlt);
  VideoState& st = Video();
  if (key == ui::vkEscape && fullScreen_) {
    key = 0;  // out of full screen first; a later Escape closes as always
    ToggleFullScreen();
    return;
  }
  if (key == ui::vkEscape) {
    key = 0;
    if (st.closeRequested)
      Close();
    else
      st.closeRequested = true;
    return;
  }
  if (mods == ui::ssShift && key == ui::vkInsert) {
    key = 0;
    mnuPlayClick();
  } else if (mods == ui::ssShift && key == ui::vkDelete) {
    key = 0;
    mnuPauseClick();
  } else if (mods == ui::ssCtrl && key >= '1' && key <= '4') {
    const int factor = key - '0';
    key = 0;
    ZoomVideo(factor);
  } else if (mods == ui::ssCtrl && key == 'M') {
    key = 0;
    MenuButtonClick();
  } else if (mods == ui::ssCtrl && key == 'O') {
    key = 0;
    mnuOptimizeClick();
  } else if (mods == ui::ssCtrl && key == 'Q') {
    key = 0;
    mnuQuietPlaybackClick();
  } else if (mods == 0) {
    ui::MenuItem* move = key == ui::vkSpace   ? mnuPlayPause
                         : key == ui::vkLeft  ? mnuFrameBack
                         : key == ui::vkRight ? mnuFrameForward
                         : key == ui::vkPrior ? mnuTenthBack
                         : key == ui::vkNext  ? mnuTenthForward
                         : key == ui::vkHome  ? mnuStart
                         : key == ui::vkEnd   ? mnuEnd
                                              : nullptr;
    if (move) {
      key = 0;
      move->Click();
    }
  }
}

// ---- Options.

void TVideoForm::VideoOptions1Click() {
  if (!MediaPlayer1.IsOpen()) return;
  VideoState& st = Video();
  Act([&] {
    Timer1.SetEnabled(false);
    if (MediaPlayer1.Mode() == platform::kModePlay) {
      MediaPlayer1.Pause();
      ShowButtons(kButtonsPaused);
    }
    TVidOptions dialog(st.hostMode);
    dialog.VolumeScroll.SetPosition(st.volume);
    dialog.SpeedScroll.SetPosition(st.speed);
    if (dialog.ShowModal() == ui::mrOk) {
      const int volume = st.volume, speed = st.speed;
      st.volume = dialog.VolumeScroll.Position();
      st.speed = dialog.SpeedScroll.Position() == 0 ? 1000 : dialog.SpeedScroll.Position();
      // A changed value goes to the device now, so that one it does not take
      // is named while the user still looks at the choice.
      const uint32_t id = MediaPlayer1.DeviceID();
      if (st.volume != volume && MediaPlayer1.IsOpen()) {
        Media().SetVolume(id, static_cast<uint32_t>(st.volume));
        SettingTook(platform::MediaSetting::Volume, static_cast<uint32_t>(st.volume));
      }
      if (st.speed != speed && st.form == this && MediaPlayer1.IsOpen()) {
        Media().SetSpeed(id, static_cast<uint32_t>(st.speed));
        SettingTook(platform::MediaSetting::Speed, static_cast<uint32_t>(st.speed));
      }
    }
  });
}

}  // namespace w95::video
