// Scenarios of the video window on the simulated device: the host protocol
// (status word, close requests, open errors), the status tick with its end,
// loop and host-mode rules, the buttons, and device failures.
#include <vector>

#include "video_fixture.h"

namespace video_test {
namespace {

using w95::video::kButtonsAtEnd;
using w95::video::kButtonsPaused;
using w95::video::kButtonsPlaying;
using w95::video::kButtonsReady;
using w95::video::Video;

TEST_F(VideoWindow, StatusWordFollowsOpenCloseRequestAndClose) {
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  TVideoForm* f = Open(2);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(w95::VideoWinStatus(), 258);
  EXPECT_EQ(f->Caption(), "Holiday Movie.avi");  // the long name, without folders
  EXPECT_EQ(f->ClientWidth(), 320);
  EXPECT_EQ(f->ClientHeight(), 240 + 17 + 23);
  EXPECT_EQ(Shown(), kButtonsReady);
  EXPECT_TRUE(f->MediaPlayer1.Visible());
  EXPECT_EQ(machine.media.DisplayWindow(), f->VideoWin.Handle());

  w95::VideoWinClose();
  EXPECT_EQ(w95::VideoWinStatus(), 256);  // host mode cleared, the window still there
  EXPECT_EQ(Broadcasts(), 0);
  f->Timer1.SetEnabled(true);
  Tick();  // the next tick closes
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  EXPECT_EQ(Broadcasts(), 1);
  EXPECT_FALSE(machine.media.IsOpen());
  EXPECT_EQ(machine.media.log.back(), "close wait");
}

// The first frame comes without waiting: the set-up lets no message run, a
// clip just opened (at rest) is sent no stop, the picture is drawn once, and
// the bars are shown in their places.
TEST_F(VideoWindow, OpeningDrawsTheFirstFrameOnceWithoutWaitingOnTheDevice) {
  int pumps = 0;
  bool setUpRunning = false;
  session.OnPump([&] {
    ++pumps;
    if (form() && form()->SetUpDone() && w95::VideoWinStatus() == 0) setUpRunning = true;
  });
  TVideoForm* f = Open();
  ASSERT_NE(f, nullptr);
  EXPECT_FALSE(setUpRunning) << "no message runs between the set-up's device calls";
  EXPECT_EQ(machine.media.CountOf("stop"), 0);
  EXPECT_EQ(machine.media.CountOf("update"), 1);
  EXPECT_EQ(machine.media.CountOf("open"), 1);
  EXPECT_TRUE(f->XScrollbar1.Visible());
  EXPECT_EQ(f->XScrollbar1.Max(), 99);
  EXPECT_TRUE(f->MediaPlayer1.Visible());
  EXPECT_TRUE(f->MenuButton.Visible());
  // The strip: the media bar for two buttons, the seek bar from 2 pixels
  // after it to 4 before the menu button's room, the menu button at the right.
  auto box = [](const w95::ui::Control& c) {
    const w95::ui::Rect& r = c.Bounds();
    return std::vector<int>{r.left, r.top, r.width, r.height};
  };
  EXPECT_EQ(box(f->MediaPlayer1), (std::vector<int>{0, 0, 55, 23}));
  EXPECT_EQ(box(f->XScrollbar1), (std::vector<int>{57, 3, 320 - 55 - 25 - 4, 14}));
  EXPECT_EQ(box(f->MenuButton), (std::vector<int>{320 - 24, 1, 23, 20}));
  EXPECT_GT(pumps, 0);
}

TEST_F(VideoWindow, SecondCloseRequestClosesAtOnceEvenWithTheTimerOff) {
  TVideoForm* f = Open();
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->Timer1.Enabled());  // the set-up leaves the status timer running
  f->Timer1.SetEnabled(false);       // as after a pause: no tick will come
  w95::VideoWinClose();
  EXPECT_EQ(w95::VideoWinStatus(), 256);
  w95::VideoWinClose();
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  EXPECT_EQ(Broadcasts(), 1);
  EXPECT_EQ(Video().form, nullptr);
}

TEST_F(VideoWindow, CloseWithoutAWindowDoesNotCloseTheNextOne) {
  w95::VideoWinClose();
  w95::VideoWinClose();
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  Open();
  Tick();
  EXPECT_EQ(w95::VideoWinStatus(), 256);  // still open after its first tick
  EXPECT_EQ(Broadcasts(), 0);
}

TEST_F(VideoWindow, OpenErrorsShowTheTextAndLeaveNoWindow) {
  struct Case {
    std::string file;
    std::string message;
  } cases[] = {
      {"C:\\Clips\\Missing.avi",
       "Cannot find the specified file. Make sure the path and filename are correct.ErrCode=275"},
      {"C:\\Clips\\Movie.mov",
       "Cannot determine the device type from the given filename extension.\r\n"
       "Please see README file."},
      {"C:\\Clips\\Notes.avi", "ErrCode=296"},
  };
  machine.files.AddFile("C:\\Clips\\Notes.avi", "just text");
  machine.files.AddFile("C:\\Clips\\Movie.mov", "moov");
  for (const Case& c : cases) {
    SetKey("SaveName", c.file);
    if (c.message.rfind("ErrCode", 0) == 0)
      session.ExpectMessage(MsgKind::Error, w95::ui::mrOk);
    else
      session.ExpectMessage(MsgKind::Error, c.message, w95::ui::mrOk);
    EXPECT_EQ(w95::VideoWinPlayer(0x4242, 2, 0), 0) << c.file;
    EXPECT_EQ(Video().form, nullptr);
    EXPECT_EQ(w95::VideoWinStatus(), 2);  // the host mode passed stays readable
  }
  EXPECT_NE(session.Messages().back().text.find("ErrCode=296"), std::string::npos);
  EXPECT_TRUE(session.Unused().empty());
  // A missing key opens "ERROR", which has no extension.
  w95::TIniFile("plimbo.ini").DeleteKey("plimbo", "SaveName");
  session.ExpectMessage(MsgKind::Error, w95::ui::mrOk);
  EXPECT_EQ(w95::VideoWinPlayer(0x4242, 0, 0), 0);
  EXPECT_EQ(machine.media.log.back(), "open ERROR");
}

TEST_F(VideoWindow, PlayPauseStepAndTheEndOfTheClip) {
  TVideoForm* f = Open();
  Tick();  // stopped at frame 0, before the end
  EXPECT_EQ(Shown(), kButtonsPaused);
  EXPECT_EQ(f->Status.Caption(), "Stopped Frame:0");
  EXPECT_FALSE(TimerRuns());

  machine.media.ClearLog();
  Click(MediaButton::Play);
  EXPECT_EQ(Shown(), kButtonsPlaying);
  EXPECT_TRUE(TimerRuns());
  EXPECT_EQ(machine.media.CountOf("volume 1000"), 1);
  EXPECT_EQ(machine.media.CountOf("speed 1000"), 1);
  EXPECT_EQ(machine.media.CountOf("play notify"), 1);  // asynchronous, with notification
  machine.media.Advance(57);
  Tick();
  EXPECT_EQ(f->Status.Caption(), "Playing Frame:57");
  EXPECT_EQ(f->XScrollbar1.Position(), 57);

  Click(MediaButton::Pause);
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePause);
  EXPECT_EQ(Shown(), kButtonsPaused);
  EXPECT_FALSE(TimerRuns());
  Click(MediaButton::Step);  // the status shows the position before the step
  EXPECT_EQ(f->Status.Caption(), "PausedFrame:57");
  EXPECT_EQ(machine.media.Position(), 58u);

  Click(MediaButton::Play);
  machine.media.RunToEnd();
  machine.media.DeliverNotifications();
  Tick();
  EXPECT_EQ(Shown(), kButtonsAtEnd);
  EXPECT_EQ(f->Status.Caption(), "Stopped Frame:100");
  Click(MediaButton::Prev);
  EXPECT_EQ(Shown(), kButtonsPaused);
  EXPECT_EQ(f->Status.Caption(), "Ready");
  EXPECT_EQ(machine.media.Position(), 0u);
}

TEST_F(VideoWindow, PlayAtTheEndRewindsFirstAndTheStopButtonClosesAtTheNextTick) {
  TVideoForm* f = Open();
  Click(MediaButton::Play);
  machine.media.RunToEnd();
  machine.media.ClearLog();
  f->mnuPlayClick();
  ASSERT_GE(machine.media.log.size(), 2u);
  EXPECT_EQ(machine.media.CountOf("seek start wait"), 1);
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePlay);

  Click(MediaButton::Stop);
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModeStop);
  EXPECT_EQ(w95::VideoWinStatus(), 256);
  Tick();
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  EXPECT_EQ(Broadcasts(), 1);
}

TEST_F(VideoWindow, LoopingRestartsAStoppedClip) {
  TVideoForm* f = Open();
  f->mnuPlaybackLoop->Click();
  EXPECT_TRUE(f->mnuPlaybackLoop->Checked());
  Click(MediaButton::Play);
  machine.media.RunToEnd();
  machine.media.ClearLog();
  Tick();
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePlay);
  EXPECT_EQ(machine.media.CountOf("seek start wait"), 1);  // the bar rewinds by itself
  EXPECT_EQ(Shown(), kButtonsPlaying);
  EXPECT_TRUE(TimerRuns());
}

TEST_F(VideoWindow, HostModeTwoIgnoresTheFirstStopThenEndsWhereverItStopped) {
  TVideoForm* f = Open(2);
  EXPECT_FALSE(f->mnuQuietPlayback->Visible());
  EXPECT_FALSE(f->VideoOptions1->Visible());
  EXPECT_TRUE(f->mnuPlaybackLoop->Visible());
  f->Timer1.SetEnabled(true);
  Tick();
  EXPECT_EQ(Shown(), kButtonsReady);  // the first stop changes nothing
  machine.media.ClearLog();
  Click(MediaButton::Play);
  EXPECT_EQ(machine.media.CountOf("volume"), 0);
  EXPECT_EQ(machine.media.CountOf("speed"), 0);
  machine.media.Advance(10);
  f->MediaPlayer1.Stop();  // stopped at frame 10
  Tick();
  EXPECT_EQ(Shown(), kButtonsAtEnd);

  f->mnuPlaybackLoop->Click();
  Click(MediaButton::Prev);
  f->mnuPlayClick();
  machine.media.Advance(5);
  f->MediaPlayer1.Stop();
  machine.media.ClearLog();
  Tick();
  ASSERT_FALSE(machine.media.log.empty());
  EXPECT_EQ(machine.media.CountOf("seek start wait"), 1);  // explicitly, before playing
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePlay);
}

TEST_F(VideoWindow, HostModeOneStartsAtHalfVolumeWithoutLooping) {
  TVideoForm* f = Open(1);
  EXPECT_EQ(Video().volume, 500);
  EXPECT_FALSE(f->mnuPlaybackLoop->Visible());
  EXPECT_TRUE(f->mnuQuietPlayback->Visible());
  Click(MediaButton::Play);
  EXPECT_EQ(machine.media.Volume(), 500u);
}

TEST_F(VideoWindow, EscapeRequestsThenClosesAndTheMenuClosesAtOnce) {
  TVideoForm* f = Open();
  int key = w95::ui::vkEscape;
  f->FormKeyDown(key, w95::ui::ssNone);
  EXPECT_EQ(w95::VideoWinStatus(), 256);
  key = w95::ui::vkEscape;
  f->FormKeyDown(key, w95::ui::ssNone);
  EXPECT_EQ(w95::VideoWinStatus(), 0);

  f = Open();
  session.AnswerPopup("mnuExit");
  key = 'M';
  f->FormKeyDown(key, w95::ui::ssCtrl);
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  EXPECT_EQ(Broadcasts(), 2);
}

TEST_F(VideoWindow, AFailingDeviceIsReportedAndTheWindowCloses) {
  TVideoForm* f = Open();
  Click(MediaButton::Play);
  machine.media.failNext["pause"] = w95::platform::kMciErrHardware;
  session.ExpectMessage(MsgKind::Error, "The specified device has a hardware problem.",
                        w95::ui::mrOk);
  f->mnuPauseClick();
  EXPECT_EQ(Video().form, nullptr);
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  EXPECT_EQ(Broadcasts(), 1);
  EXPECT_EQ(machine.media.sentToBack.size(), 1u);
}

TEST_F(VideoWindow, AFailedSetUpReturnsZeroAndLeavesNoWindow) {
  machine.media.failNext["window"] = w95::platform::kMciErrHardware;
  session.ExpectMessage(MsgKind::Error, w95::ui::mrOk);
  EXPECT_EQ(w95::VideoWinPlayer(0x4242, 0, 0), 0);
  EXPECT_EQ(Video().form, nullptr);
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  EXPECT_FALSE(machine.media.IsOpen());
}

TEST_F(VideoWindow, PaletteChangesOfOtherWindowsRepaintThePicture) {
  Open();
  machine.media.ClearLog();
  machine.media.ChangePalette(0x777);
  EXPECT_EQ(machine.media.CountOf("update"), 1);
  w95::VideoWinClose();
  w95::VideoWinClose();
  Open(2);
  machine.media.ClearLog();
  machine.media.ChangePalette(0x777);
  EXPECT_EQ(machine.media.CountOf("update"), 0);
}

// A device whose pause ends the play: the person still sees a pause that
// holds and a Play or resume that continues from the same frame.
TEST_F(VideoWindow, PauseHoldsOnADeviceWhosePauseEndsThePlay) {
  w95::platform::PauseKeeper keeper(machine.media);
  auto m = w95::platform::Current();
  m.media = &keeper;
  w95::platform::Install(m);
  machine.media.pauseEndsPlay = true;

  TVideoForm* f = Open();
  Click(MediaButton::Play);
  machine.media.Advance(40);
  f->mnuPauseClick();
  machine.media.DeliverNotifications();  // the device reports the play ended
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModeStop);
  f->Timer1.SetEnabled(true);
  Tick();
  EXPECT_EQ(f->Status.Caption(), "Paused Frame:40");
  EXPECT_TRUE(TimerRuns());  // a paused clip is not a stopped one

  machine.media.ClearLog();
  f->MediaPlayer1.Pause();  // resume
  EXPECT_EQ(machine.media.CountOf("resume"), 0);
  EXPECT_EQ(machine.media.CountOf("play"), 1);
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePlay);
  EXPECT_EQ(machine.media.Position(), 40u);

  // A device that holds its pauses gets exactly the usual commands.
  machine.media.pauseEndsPlay = false;
  f->mnuPauseClick();
  machine.media.ClearLog();
  f->MediaPlayer1.Pause();
  EXPECT_EQ(machine.media.CountOf("resume"), 1);
  EXPECT_EQ(machine.media.CountOf("play"), 0);
  w95::VideoWinClose();
  w95::VideoWinClose();
  machine.Install();
}

// The same device rests on the last frame after playing to the end: a loop
// still starts again from the first frame.
TEST_F(VideoWindow, LoopRewindsOnADeviceThatEndsOnTheLastFrame) {
  w95::platform::PauseKeeper keeper(machine.media);
  auto m = w95::platform::Current();
  m.media = &keeper;
  w95::platform::Install(m);
  machine.media.pauseEndsPlay = true;
  machine.media.endOnLastFrame = true;

  TVideoForm* f = Open();
  f->mnuPlaybackLoop->Click();
  Click(MediaButton::Play);
  machine.media.RunToEnd();
  EXPECT_EQ(machine.media.Position(), 99u);
  machine.media.ClearLog();
  Tick();
  EXPECT_EQ(machine.media.CountOf("seek start wait"), 1);
  EXPECT_EQ(machine.media.Mode(), w95::platform::kModePlay);
  EXPECT_EQ(machine.media.Position(), 0u);

  // Played to the end without looping: the buttons show the end.
  f->mnuPlaybackLoop->Click();
  machine.media.RunToEnd();
  Tick();
  EXPECT_EQ(Shown(), w95::video::kButtonsAtEnd);
  EXPECT_EQ(f->Status.Caption(), "Stopped Frame:100");
  w95::VideoWinClose();
  w95::VideoWinClose();
  machine.Install();
}

}  // namespace
}  // namespace video_test

namespace video_test {
namespace {

TEST_F(VideoWindow, TheCaptionShowsAClipByItsRealNameGivenByItsShortName) {
  const std::string clip = "C:\\Clips\\\xCE\xA9mega \xE5\x86\x99\xE7\x9C\x9F.avi";  // Ωmega 写真
  machine.media.AddClip(clip, SimClip{320, 240, 100});
  SetKey("SaveName", machine.files.ShortPath(clip));
  TVideoForm* f = Open();
  ASSERT_NE(f, nullptr);
  EXPECT_NE(f->Caption().find("\xCE\xA9mega \xE5\x86\x99\xE7\x9C\x9F.avi"), std::string::npos)
      << f->Caption();
}

}  // namespace
}  // namespace video_test
