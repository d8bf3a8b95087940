// Scenarios of the video window's controls on the simulated device: zoom and
// the picture fit, the status line switch, Optimize, the status rate, the
// seek bar, grab, still-frame resizing and the playback options dialog.
#include "video/vid_options.h"
#include "video_fixture.h"

namespace video_test {
namespace {

using w95::video::kButtonsPaused;
using w95::video::kButtonsPlaying;
using w95::video::TVidOptions;
using w95::video::Video;

TEST_F(VideoWindow, ZoomAsksForTheWindowSizeOnlyWhereTheScreenHasRoom) {
  machine.media.frame = {4, 4, 18, 1};  // non-client 8 x 25
  TVideoForm* f = Open();
  EXPECT_EQ(Video().nonClientWidth, 8);
  EXPECT_EQ(Video().nonClientHeight, 25);
  int key = '2';
  f->FormKeyDown(key, w95::ui::ssCtrl);
  EXPECT_EQ(f->ClientWidth(), 640);
  EXPECT_EQ(f->ClientHeight(), 480 + 17 + 23);
  EXPECT_EQ(f->VideoWin.Bounds().width, 641);  // fitted into 640 x 480 (+1)
  EXPECT_EQ(f->VideoWin.Bounds().height, 480);
  // The new picture rectangle, then the frame drawn into it.
  ASSERT_GE(machine.media.log.size(), 2u);
  EXPECT_EQ(machine.media.log.end()[-2], "put 0,0,641,480");
  EXPECT_EQ(machine.media.log.back(), "update 0,0,641,480");
  EXPECT_TRUE(TimerRuns());

  f->mnuZoom100->Click();
  machine.desktop.SetScreen(640, 480);
  f->mnuZoom200->Click();  // 648 x 545 does not fit: the size stays
  EXPECT_EQ(f->ClientWidth(), 320);
  EXPECT_EQ(f->ClientHeight(), 240 + 17 + 23);
}

TEST_F(VideoWindow, StatusLineSwitchKeepsTheWindowAndOptimizeFitsAroundThePicture) {
  TVideoForm* f = Open();
  const int back = f->AreaHeight();
  f->DisplayStatus->Click();
  EXPECT_FALSE(f->Status.Visible());
  EXPECT_FALSE(f->DisplayStatus->Checked());
  EXPECT_EQ(f->ClientHeight(), 240 + 17 + 23);
  EXPECT_EQ(f->AreaHeight(), back + 17);
  EXPECT_EQ(f->VideoWin.Bounds().top, 8);  // refitted: 321 x 240, centred down
  EXPECT_EQ(f->VideoWin.Bounds().height, 240);
  int key = 'O';  // the window shrinks around the part of the picture that shows
  f->FormKeyDown(key, w95::ui::ssCtrl);
  EXPECT_EQ(f->ClientWidth(), 320);
  EXPECT_EQ(f->ClientHeight(), 240 + 23);
}

TEST_F(VideoWindow, StatusRateItemsAreExclusiveAndSetTheTimer) {
  TVideoForm* f = Open();
  EXPECT_EQ(f->Timer1.Interval(), 500u);
  EXPECT_TRUE(f->mnuUpdate[1]->Checked());
  f->mnuUpdate[5]->Click();
  EXPECT_EQ(f->Timer1.Interval(), 167u);
  EXPECT_TRUE(TimerRuns());
  int checked = 0;
  for (auto* item : f->mnuUpdate) checked += item->Checked();
  EXPECT_EQ(checked, 1);
  EXPECT_TRUE(f->mnuUpdate[5]->Checked());
}

TEST_F(VideoWindow, SeekBarPausesWhileMovedAndSeeksWhenLetGo) {
  TVideoForm* f = Open();
  Click(MediaButton::Play);
  ASSERT_EQ(Shown(), kButtonsPlaying);
  f->XScrollbar1.UserScroll(w95::ui::ScrollCode::Track, 30);
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePause);
  EXPECT_EQ(Shown(), kButtonsPaused);
  EXPECT_FALSE(TimerRuns());
  EXPECT_EQ(f->Status.Caption(), "Seek Frame:30");
  f->XScrollbar1.UserScroll(w95::ui::ScrollCode::Position, 42);
  EXPECT_EQ(machine.media.CountOf("pause"), 1);  // once, while it played
  f->XScrollbar1.UserMouseDown(w95::ui::MouseButton::Left, 0, 5, 5);
  ASSERT_GE(machine.media.log.size(), 2u);
  EXPECT_EQ(machine.media.log.end()[-2], "seek 42 wait");
  EXPECT_EQ(machine.media.log.back(), "update 0,0,321,240");  // the frame sought
  EXPECT_EQ(machine.media.Position(), 42u);
}

TEST_F(VideoWindow, LongClipsSeekInTensOfFrames) {
  machine.media.AddClip(kClip, SimClip{320, 240, 40000});
  TVideoForm* f = Open();
  EXPECT_EQ(f->XScrollbar1.Max(), 3999);
  f->XScrollbar1.SetPosition(250);
  EXPECT_EQ(f->Status.Caption(), "Seek Frame:2500");
  f->XScrollbar1.UserMouseDown(w95::ui::MouseButton::Left, 0, 5, 5);
  EXPECT_EQ(machine.media.Position(), 2500u);
  Click(MediaButton::Play);
  machine.media.Advance(1);
  Tick();
  EXPECT_EQ(f->XScrollbar1.Position(), 250);  // frame 2501: (2501 - 1) div 10
  EXPECT_EQ(f->Status.Caption(), "Playing Frame:2501");
}

TEST_F(VideoWindow, GrabPausesWritesThePictureRectangleThenSendsTheDeviceContext) {
  TVideoForm* f = Open();
  f->DisplayStatus->Click();  // back panel 320 x 257: the picture is centred down
  Click(MediaButton::Play);
  std::string keysAtMessage;
  machine.host.onSend = [&](const w95::platform::sim::SentMessage& m) -> intptr_t {
    if (m.message == 0x0913)
      keysAtMessage = Key("prL") + "," + Key("prT") + "," + Key("prW") + "," + Key("prH");
    return 0;
  };
  f->mnuGrab->Click();
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePause);
  ASSERT_FALSE(machine.host.sent.empty());
  const auto& sent = machine.host.sent.back();
  EXPECT_EQ(sent.window, 0x4242u);
  EXPECT_EQ(sent.message, 0x0913u);
  EXPECT_EQ(sent.wParam, 0u);
  EXPECT_EQ(sent.lParam, static_cast<intptr_t>(machine.media.clientDC));
  const auto& v = f->VideoWin.Bounds();
  EXPECT_EQ(keysAtMessage, std::to_string(v.left) + "," + std::to_string(v.top) + "," +
                               std::to_string(v.width) + "," + std::to_string(v.height));
  EXPECT_EQ(v.top, 8);
  EXPECT_EQ(v.left, -1);
}

TEST_F(VideoWindow, SafePlayHidesGrab) {
  SetKey("SafePLAY", "65536");  // only the low 16 bits count
  EXPECT_TRUE(Open()->mnuGrab->Visible());
  w95::VideoWinClose();
  w95::VideoWinClose();
  SetKey("SafePLAY", "1");
  EXPECT_FALSE(Open()->mnuGrab->Visible());
}

TEST_F(VideoWindow, StillFrameKindPausesForALayoutChangeAndSeeksTheFrameAgain) {
  TVideoForm* f = Open(0, 8);
  EXPECT_EQ(machine.media.CountOf("seek 0 wait"), 1);  // at the set-up
  Click(MediaButton::Play);
  machine.media.Advance(20);
  Tick();
  machine.media.ClearLog();
  f->mnuZoom200->Click();
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModeStop);  // paused, then re-seeked
  EXPECT_EQ(machine.media.CountOf("pause"), 1);
  EXPECT_EQ(machine.media.CountOf("seek 20 wait"), 1);
  EXPECT_EQ(Shown(), kButtonsPaused);
  w95::VideoWinClose();
  w95::VideoWinClose();

  f = Open(0, 0);  // any other kind: a resize leaves playback running
  Click(MediaButton::Play);
  f->mnuZoom200->Click();
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePlay);
  EXPECT_EQ(machine.media.CountOf("pause"), 1);
}

TEST_F(VideoWindow, QuietAndConfigure) {
  TVideoForm* f = Open(1);
  int key = 'Q';
  f->FormKeyDown(key, w95::ui::ssCtrl);
  EXPECT_FALSE(machine.media.AudioOn());
  EXPECT_TRUE(f->mnuQuietPlayback->Checked());
  f->mnuQuietPlayback->Click();
  EXPECT_TRUE(machine.media.AudioOn());
  Click(MediaButton::Play);
  machine.media.ClearLog();
  f->mnuConfigure->Click();
  EXPECT_EQ(machine.media.log.front(), "pause wait");
  EXPECT_EQ(machine.media.CountOf("configure"), 1);
  EXPECT_EQ(machine.media.CountOf("put"), 1);  // refitted in host mode 1
  EXPECT_EQ(Shown(), kButtonsPaused);
}

TEST_F(VideoWindow, OptionsDialogPausesAndItsValuesReachTheNextPlay) {
  TVideoForm* f = Open();
  Click(MediaButton::Play);
  session.WhenModal<TVidOptions>([](w95::ui::test::User& u, TVidOptions& d) {
    EXPECT_EQ(u.TextOf("SpeedLabel"), "&Speed: 100%");
    u.Scroll("VolumeScroll", 5);
    EXPECT_EQ(u.TextOf("VolumeLabel"), "&Volume: 0%");
    u.Scroll("SpeedScroll", 2000);
    EXPECT_EQ(u.TextOf("SpeedLabel"), "&Speed: 200%");
    EXPECT_FALSE(d.BorderIcons());
    u.Click("ButtonOK");
  });
  f->VideoOptions1->Click();
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePause);
  EXPECT_EQ(Shown(), kButtonsPaused);
  EXPECT_FALSE(TimerRuns());
  EXPECT_EQ(Video().volume, 5);
  EXPECT_EQ(Video().speed, 2000);
  Click(MediaButton::Play);
  EXPECT_EQ(machine.media.Volume(), 5u);
  EXPECT_EQ(machine.media.Speed(), 2000u);

  // Speed 0 becomes normal speed; Cancel changes nothing.
  session.WhenModal<TVidOptions>([](w95::ui::test::User& u, TVidOptions&) {
    u.Scroll("SpeedScroll", 0);
    u.Click("ButtonOK");
  });
  f->VideoOptions1->Click();
  EXPECT_EQ(Video().speed, 1000);
  session.WhenModal<TVidOptions>([](w95::ui::test::User& u, TVidOptions&) {
    u.Scroll("SpeedScroll", 300);
    u.Scroll("VolumeScroll", 300);
    u.Click("ButtonCancel");
  });
  f->VideoOptions1->Click();
  EXPECT_EQ(Video().speed, 1000);
  EXPECT_EQ(Video().volume, 5);
  session.WhenModal<TVidOptions>([](w95::ui::test::User& u, TVidOptions&) {
    EXPECT_EQ(u.PositionOf("VolumeScroll"), 5);  // the unchanged values
    u.Click("ButtonCancel");
  });
  f->VideoOptions1->Click();
}

TEST_F(VideoWindow, OptionsDefaultGivesHalfVolumeForAHostMode) {
  for (int mode : {0, 1, 3}) {
    TVidOptions d(mode);
    d.VolumeScroll.SetPosition(200);
    d.SpeedScroll.SetPosition(300);
    d.BitBtn1Click();
    EXPECT_EQ(d.SpeedScroll.Position(), 1000);
    EXPECT_EQ(d.VolumeScroll.Position(), mode == 0 ? 1000 : 500) << mode;
    EXPECT_EQ(d.VolumeLabel.Caption(), mode == 0 ? "&Volume: 100%" : "&Volume: 50%");
  }
}

}  // namespace
}  // namespace video_test
