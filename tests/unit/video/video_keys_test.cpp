// The window's moves by key, the step back, the time in the status line,
// full screen and the choices remembered across openings.
#include "video/video_logic.h"
#include "video_fixture.h"

namespace video_test {
namespace {

using w95::video::ClipTime;
using w95::video::kButtonsPaused;
using w95::video::Video;

constexpr char kTenFps[] = "C:\\Clips\\Ten.avi";  // 100 frames at 10 a second: 0:10

class VideoKeys : public VideoWindow {
 protected:
  void SetUp() override {
    VideoWindow::SetUp();
    SimClip clip{320, 240, 100};
    clip.frameRate = 10000;
    machine.media.AddClip(kTenFps, clip);
    SetKey("SaveName", machine.files.ShortPath(kTenFps));
  }
  void Key(int key, unsigned shift = 0) {
    int k = key;
    form()->FormKeyDown(k, shift);
    EXPECT_EQ(k, 0) << "the window uses key " << key;
  }
  bool Playing() { return machine.media.Mode() == w95::platform::kModePlay; }
};

TEST(VideoTime, MinutesAndSecondsThenHours) {
  EXPECT_EQ(ClipTime(0, 12000), "0:00");
  EXPECT_EQ(ClipTime(35, 12000), "0:02");  // 2.9 s: whole seconds
  EXPECT_EQ(ClipTime(1500, 25000), "1:00");
  EXPECT_EQ(ClipTime(93125, 25000), "1:02:05");
  EXPECT_EQ(ClipTime(10, 29970), "0:00");
  EXPECT_EQ(ClipTime(100, 0), "0:00") << "no rate";
}

TEST_F(VideoKeys, KeysMoveThroughTheClip) {
  TVideoForm* f = Open();
  struct Row {
    int key;
    uint32_t advance;  // frames played before the key
    uint32_t position;
    bool playing;
  } rows[] = {
      {w95::ui::vkRight, 0, 1, false},                                     // a frame on
      {w95::ui::vkLeft, 0, 0, false},                                      // a frame back
      {w95::ui::vkLeft, 0, 0, false},                                      // none before the first
      {w95::ui::vkNext, 0, 10, false},                                     // a tenth on
      {w95::ui::vkNext, 0, 20, false},  {w95::ui::vkPrior, 0, 10, false},  // a tenth back
      {w95::ui::vkEnd, 0, 99, false},                                      // the last frame
      {w95::ui::vkRight, 0, 0, false},  // on from the last: the first
      {w95::ui::vkHome, 0, 0, false},   {w95::ui::vkSpace, 0, 0, true},  // plays
      {w95::ui::vkRight, 30, 40, true},  // while playing: a second on, playing on
      {w95::ui::vkLeft, 5, 35, true},    // a second back
      {w95::ui::vkPrior, 0, 25, true},   // a tenth back, playing on
      {w95::ui::vkSpace, 2, 27, false},  // pauses
      {w95::ui::vkLeft, 0, 26, false},
  };
  int i = 0;
  for (const Row& r : rows) {
    machine.media.Advance(r.advance);
    Key(r.key);
    EXPECT_EQ(machine.media.Position(), r.position) << "row " << i;
    EXPECT_EQ(Playing(), r.playing) << "row " << i;
    if (!r.playing) {
      EXPECT_EQ(Shown(), kButtonsPaused) << "row " << i;
      EXPECT_EQ(machine.media.ShownFrame(), static_cast<int>(r.position)) << "row " << i;
    }
    ++i;
  }
  EXPECT_EQ(Video().form, f);
  // The keys are listed in the menu.
  EXPECT_EQ(f->mnuPlayPause->ShortCut(), "Space");
  EXPECT_EQ(f->mnuTenthForward->ShortCut(), "PgDn");
  EXPECT_EQ(f->mnuEnd->ShortCut(), "End");
  // With a modifier they are not the window's.
  int k = w95::ui::vkRight;
  f->FormKeyDown(k, w95::ui::ssCtrl);
  EXPECT_EQ(k, w95::ui::vkRight);
}

TEST_F(VideoKeys, StepBackUsesTheDevicesReverseStepOrASeek) {
  TVideoForm* f = Open();
  Key(w95::ui::vkEnd);
  ASSERT_TRUE(f->MediaPlayer1.VisibleButtons() & w95::ui::Bit(MediaButton::Back));
  EXPECT_EQ(f->MediaPlayer1.ButtonOf(MediaButton::Back).Hint(), "Step back (Left)");
  EXPECT_EQ(f->MediaPlayer1.Width(), 66) << "room for three buttons";
  EXPECT_EQ(f->XScrollbar1.Left(), 68) << "the seek bar moves over";
  EXPECT_EQ(f->XScrollbar1.Width(), f->Panel4.Width() - 66 - 25 - 4);
  machine.media.ClearLog();
  Click(MediaButton::Back);
  EXPECT_EQ(machine.media.Position(), 98u);
  EXPECT_EQ(machine.media.CountOf("seek 98"), 1) << "this device has no reverse step";
  EXPECT_EQ(f->Status.Caption(), "Stopped Frame:98  0:09 / 0:10");
  Key(w95::ui::vkSpace);
  EXPECT_EQ(f->MediaPlayer1.Width(), 55) << "two buttons while playing";
  EXPECT_EQ(f->XScrollbar1.Left(), 57);

  // A device that steps backwards itself is asked to.
  w95::VideoWinClose();
  w95::VideoWinClose();
  SimClip clip{320, 240, 100};
  clip.canReverse = true;
  machine.media.AddClip(kClip, clip);
  SetKey("SaveName", machine.files.ShortPath(kClip));
  Open();
  Key(w95::ui::vkNext);
  machine.media.ClearLog();
  Click(MediaButton::Back);
  EXPECT_EQ(machine.media.CountOf("step -1"), 1);
  EXPECT_EQ(machine.media.CountOf("seek"), 0);
  EXPECT_EQ(machine.media.Position(), 9u);
  EXPECT_EQ(machine.media.ShownFrame(), 9);
}

TEST_F(VideoKeys, StatusShowsTheTimeUnlessFrameOnlyIsChosen) {
  TVideoForm* f = Open();
  Click(MediaButton::Play);
  machine.media.Advance(25);
  Tick();
  EXPECT_EQ(f->Status.Caption(), "Playing Frame:25  0:02 / 0:10");
  f->XScrollbar1.UserScroll(w95::ui::ScrollCode::Position, 42);
  EXPECT_EQ(f->Status.Caption(), "Seek Frame:42  0:04 / 0:10");
  f->mnuShowTime->Click();  // the frame number alone, as before
  EXPECT_FALSE(f->mnuShowTime->Checked());
  Click(MediaButton::Step);
  EXPECT_EQ(f->Status.Caption(), "StoppedFrame:42");
  EXPECT_EQ(VideoWindow::Key("VidTime"), "0");

  // Remembered; and a clip whose device tells no rate shows frames only.
  w95::VideoWinClose();
  w95::VideoWinClose();
  f = Open();
  EXPECT_FALSE(f->mnuShowTime->Checked());
  f->mnuShowTime->Click();
  w95::VideoWinClose();
  w95::VideoWinClose();
  SetKey("SaveName", machine.files.ShortPath(kClip));
  f = Open();
  EXPECT_TRUE(f->mnuShowTime->Checked());
  f->XScrollbar1.UserScroll(w95::ui::ScrollCode::Position, 42);
  EXPECT_EQ(f->Status.Caption(), "Seek Frame:42");
}

TEST_F(VideoKeys, ZoomStatusBarLoopAndQuietAreRememberedAcrossOpenings) {
  TVideoForm* f = Open();
  Key('2', w95::ui::ssCtrl);
  f->DisplayStatus->Click();
  f->mnuPlaybackLoop->Click();
  f->mnuQuietPlayback->Click();
  w95::VideoWinClose();
  w95::VideoWinClose();

  f = Open();
  EXPECT_EQ(f->ClientWidth(), 640);
  EXPECT_FALSE(f->Status.Visible());
  EXPECT_FALSE(f->DisplayStatus->Checked());
  EXPECT_TRUE(f->mnuPlaybackLoop->Checked());
  EXPECT_TRUE(f->mnuQuietPlayback->Checked());
  EXPECT_FALSE(machine.media.AudioOn());
  w95::VideoWinClose();
  w95::VideoWinClose();

  // A host mode that offers no loop or no sound choice keeps its rule.
  f = Open(1);
  EXPECT_FALSE(f->mnuPlaybackLoop->Checked());
  w95::VideoWinClose();
  w95::VideoWinClose();
  f = Open(2);
  EXPECT_FALSE(f->mnuQuietPlayback->Checked());
  EXPECT_TRUE(machine.media.AudioOn());
}

TEST_F(VideoKeys, DoubleClickFillsTheScreenAndEscapeLeavesItBeforeClosing) {
  TVideoForm* f = Open();
  const w95::ui::Rect normal = f->Bounds();
  f->VideoWin.UserDblClick();
  EXPECT_TRUE(f->FullScreen());
  EXPECT_EQ(f->GetBorderStyle(), w95::ui::BorderStyle::None);
  EXPECT_EQ(f->Bounds().width, 1024);
  EXPECT_EQ(f->Bounds().height, 768);
  EXPECT_FALSE(f->Panel4.Visible());
  EXPECT_EQ(f->VideoWin.Bounds().height, 768) << "the picture fills the screen's height";
  EXPECT_EQ(machine.media.ShownFrame(), 0);

  int key = w95::ui::vkEscape;
  f->FormKeyDown(key, 0);
  EXPECT_FALSE(f->FullScreen());
  EXPECT_EQ(f->Bounds().width, normal.width);
  EXPECT_EQ(f->Bounds().height, normal.height);
  EXPECT_EQ(f->Bounds().left, normal.left);
  EXPECT_TRUE(f->Status.Visible());
  EXPECT_FALSE(Video().closeRequested) << "leaving full screen is all the first Escape does";
  f->VideoWin.UserDblClick();
  f->VideoWin.UserDblClick();  // and a double click leaves it too
  EXPECT_FALSE(f->FullScreen());
  // A zoom asks for a window size: it leaves full screen first.
  f->VideoWin.UserDblClick();
  f->mnuZoom200->Click();
  EXPECT_FALSE(f->FullScreen());
  EXPECT_EQ(f->GetBorderStyle(), w95::ui::BorderStyle::Sizeable);
  EXPECT_EQ(f->ClientWidth(), 640);
  EXPECT_TRUE(f->Panel4.Visible());
  key = w95::ui::vkEscape;
  f->FormKeyDown(key, 0);
  key = w95::ui::vkEscape;
  f->FormKeyDown(key, 0);
  EXPECT_EQ(Video().form, nullptr) << "then Escape closes as always";
}

}  // namespace
}  // namespace video_test
