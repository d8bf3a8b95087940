// Scenarios at the edges of the video window: seeking with the keyboard,
// stepping at the end of a clip, a clip with no picture, repeated Optimize,
// and device errors that come without a text.
#include "video_fixture.h"

namespace video_test {
namespace {

using w95::ui::ScrollCode;
using w95::video::kButtonsPaused;
using w95::video::Video;

TEST_F(VideoWindow, KeyboardScrollsOnTheSeekBarSeek) {
  TVideoForm* f = Open();
  f->XScrollbar1.SetLargeChange(10);
  machine.media.ClearLog();
  // As the keyboard scrolls: the step, then the end of the scroll.
  f->XScrollbar1.UserScroll(ScrollCode::PageDown, 0);
  f->XScrollbar1.UserScroll(ScrollCode::EndScroll, f->XScrollbar1.Position());
  EXPECT_EQ(machine.media.Position(), 10u);
  EXPECT_EQ(machine.media.CountOf("seek"), 1);
  EXPECT_EQ(f->Status.Caption(), "Seek Frame:10");
  EXPECT_EQ(Shown(), kButtonsPaused);
  f->XScrollbar1.UserScroll(ScrollCode::Bottom, 0);
  EXPECT_EQ(machine.media.Position(), 99u);

  // While playing, a scroll pauses and seeks.
  Click(MediaButton::Play);
  machine.media.Advance(5);
  f->XScrollbar1.UserScroll(ScrollCode::Top, 0);
  EXPECT_NE(machine.media.Mode(), w95::platform::kModePlay);
  EXPECT_EQ(Shown(), kButtonsPaused);
  EXPECT_EQ(machine.media.Position(), 0u);

  // A mouse scroll ends with the mouse-down, which does not seek again.
  machine.media.ClearLog();
  f->XScrollbar1.UserScroll(ScrollCode::LineDown, 0);
  f->XScrollbar1.UserScroll(ScrollCode::EndScroll, f->XScrollbar1.Position());
  f->XScrollbar1.UserMouseDown(w95::ui::MouseButton::Left, 0, 5, 5);
  EXPECT_EQ(machine.media.CountOf("seek"), 1);
  EXPECT_EQ(machine.media.Position(), 1u);
}

TEST_F(VideoWindow, StepAtTheLastFrameGoesBackToTheStartWithoutAnError) {
  machine.media.endOnLastFrame = true;  // refuses a step beyond the last frame
  TVideoForm* f = Open();
  f->XScrollbar1.UserScroll(ScrollCode::Bottom, 0);
  ASSERT_EQ(machine.media.Position(), 99u);
  Click(MediaButton::Step);  // an error box here would fail the session
  EXPECT_EQ(Video().form, f);
  EXPECT_EQ(machine.media.Position(), 0u);
  EXPECT_EQ(f->XScrollbar1.Position(), 0);
  Click(MediaButton::Step);  // and stepping goes on from there
  EXPECT_EQ(machine.media.Position(), 1u);
  EXPECT_TRUE(session.Messages().empty());
}

TEST_F(VideoWindow, AClipWithoutAPictureGetsTheBarsAndNoPictureArea) {
  machine.media.AddClip(kClip, SimClip{0, 0, 100, false});
  TVideoForm* f = Open();
  ASSERT_NE(f, nullptr);
  EXPECT_GE(f->ClientWidth(), 200);  // room for the bars
  EXPECT_EQ(f->ClientHeight(), 17 + 23);
  EXPECT_FALSE(f->VideoWin.Visible());
  f->mnuZoom200->Click();
  f->mnuOptimize->Click();
  EXPECT_GE(f->ClientWidth(), 200);
  EXPECT_EQ(f->ClientHeight(), 17 + 23);
  Click(MediaButton::Play);
  machine.media.Advance(10);
  Tick();
  EXPECT_EQ(f->Status.Caption(), "Playing Frame:10");
}

TEST_F(VideoWindow, OptimizeTwiceLeavesTheWindowWhereTheFirstPutIt) {
  TVideoForm* f = Open();
  const int sizes[][2] = {{320, 280}, {500, 300}, {200, 400}, {333, 251}, {81, 87}, {641, 520}};
  for (const auto& s : sizes) {
    f->SetClientSize(s[0], s[1]);  // as the user sizes the window
    f->FormResize();
    f->mnuOptimize->Click();
    const int w = f->ClientWidth(), h = f->ClientHeight();
    EXPECT_LE(w, s[0]);
    EXPECT_LE(h, s[1]);
    for (int i = 0; i < 5; ++i) f->mnuOptimize->Click();
    EXPECT_EQ(f->ClientWidth(), w) << s[0] << "x" << s[1];
    EXPECT_EQ(f->ClientHeight(), h) << s[0] << "x" << s[1];
  }
}

TEST_F(VideoWindow, DeviceErrorsWithoutATextNameTheCode) {
  TVideoForm* f = Open();
  machine.media.failNext["pause"] = 999;  // a code the device has no text for
  Click(MediaButton::Play);
  session.ExpectMessage(MsgKind::Error, "This file cannot be played (error 999).", w95::ui::mrOk);
  f->mnuPauseClick();
  EXPECT_EQ(Video().form, nullptr);
  EXPECT_TRUE(session.Unused().empty());
}

}  // namespace
}  // namespace video_test
