// The picture area without playing (the current frame after opening,
// seeking, stepping, resizing and any repaint), settings the device does not
// take, and the menu's shortcut texts, glyph and fonts.
#include "ui/recording_canvas.h"
#include "video/vid_options.h"
#include "video_fixture.h"

namespace video_test {
namespace {

using w95::ui::ScrollCode;
using w95::video::TVidOptions;
using w95::video::Video;

TEST_F(VideoWindow, PictureShowsTheCurrentFrameWithoutPlaying) {
  TVideoForm* f = Open();
  EXPECT_EQ(machine.media.ShownFrame(), 0) << "the first frame once open";

  // Seeking draws the frame sought; a step and the way back to the start too.
  f->XScrollbar1.UserScroll(ScrollCode::Position, 42);
  EXPECT_EQ(machine.media.ShownFrame(), 42);
  Click(MediaButton::Step);
  EXPECT_EQ(machine.media.ShownFrame(), 43);
  f->XScrollbar1.UserScroll(ScrollCode::Bottom, 0);
  Click(MediaButton::Step);  // past the end: back to the start
  EXPECT_EQ(machine.media.ShownFrame(), 0);
  f->XScrollbar1.UserScroll(ScrollCode::Position, 30);
  Click(MediaButton::Play);
  machine.media.RunToEnd();
  Tick();
  Click(MediaButton::Prev);
  EXPECT_EQ(machine.media.Position(), 0u);
  EXPECT_EQ(machine.media.ShownFrame(), 0);

  // A new size gives a new picture rectangle: drawn again at once.
  f->XScrollbar1.UserScroll(ScrollCode::Position, 7);
  f->mnuZoom200->Click();
  EXPECT_EQ(f->ClientWidth(), 640);
  EXPECT_EQ(machine.media.ShownFrame(), 7);
  f->UserResized(500, 400);
  EXPECT_EQ(machine.media.ShownFrame(), 7);

  // Whenever the area is painted, the device paints the frame over it.
  machine.media.ClearLog();
  w95::ui::RecordingCanvas canvas;
  f->VideoWin.Paint(canvas);
  EXPECT_EQ(machine.media.CountOf("update"), 1);
}

TEST_F(VideoWindow, SettingsTheDeviceDoesNotTakeAreNamedOncePerWindow) {
  machine.media.ignoresSettings = true;
  TVideoForm* f = Open();
  session.ExpectMessage(MsgKind::Information, "This device cannot turn the sound off.",
                        w95::ui::mrOk);
  f->mnuQuietPlayback->Click();
  EXPECT_FALSE(f->mnuQuietPlayback->Checked()) << "the sound stays on";
  f->mnuQuietPlayback->Click();  // said once: no second box
  EXPECT_FALSE(f->mnuQuietPlayback->Checked());

  auto choose = [&](int volume, int speed) {
    session.WhenModal<TVidOptions>([=](w95::ui::test::User& u, TVidOptions&) {
      u.Scroll("VolumeScroll", volume);
      u.Scroll("SpeedScroll", speed);
      u.Click("ButtonOK");
    });
    f->VideoOptions1->Click();
  };
  session.ExpectMessage(MsgKind::Information, "This device cannot change the volume.",
                        w95::ui::mrOk);
  choose(400, 1000);
  session.ExpectMessage(MsgKind::Information, "This device cannot change the speed.",
                        w95::ui::mrOk);
  choose(300, 1500);
  choose(200, 500);  // both said already
  EXPECT_EQ(Video().volume, 200) << "the choice is kept for a device that may take it at play";
  EXPECT_EQ(Video().form, f);

  // The next window says it again.
  w95::VideoWinClose();
  w95::VideoWinClose();
  f = Open();
  session.ExpectMessage(MsgKind::Information, "This device cannot turn the sound off.",
                        w95::ui::mrOk);
  f->mnuQuietPlayback->Click();
}

TEST_F(VideoWindow, ADeviceThatTakesItsSettingsIsNotQuestioned) {
  TVideoForm* f = Open();
  f->mnuQuietPlayback->Click();  // no box expected
  EXPECT_TRUE(f->mnuQuietPlayback->Checked());
  EXPECT_FALSE(machine.media.AudioOn());
  session.WhenModal<TVidOptions>([](w95::ui::test::User& u, TVidOptions&) {
    u.Scroll("VolumeScroll", 400);
    u.Click("ButtonOK");
  });
  f->VideoOptions1->Click();
  EXPECT_EQ(machine.media.Volume(), 400u);
  // Reading back fails for another reason: nothing is said about the setting.
  machine.media.failNext["status"] = w95::platform::kMciErrHardware;
  f->mnuQuietPlayback->Click();
  EXPECT_FALSE(f->mnuQuietPlayback->Checked());
}

TEST_F(VideoWindow, MenuShowsItsKeysAndTheWindowItsGlyphAndFonts) {
  TVideoForm* f = Open();
  EXPECT_EQ(f->mnuOptimize->ShortCut(), "Ctrl+O");
  EXPECT_EQ(f->mnuQuietPlayback->ShortCut(), "Ctrl+Q");
  EXPECT_EQ(f->mnuPlay->ShortCut(), "Shift+Ins");
  EXPECT_EQ(f->mnuPause->ShortCut(), "Shift+Del");
  EXPECT_EQ(f->mnuZoom100->ShortCut(), "") << "its caption carries the key";
  EXPECT_EQ(f->MenuButton.Glyph(), w95::ui::GlyphKind::Menu);
  EXPECT_EQ(f->MenuButton.Caption(), "");
  EXPECT_EQ(f->GetFont().pixelHeight, 14);
  EXPECT_EQ(f->Status.GetFont().pixelHeight, 11);
  TVidOptions d(0);
  EXPECT_EQ(d.GetFont().pixelHeight, 14);
  EXPECT_EQ(d.SpeedLabel.GetFont().pixelHeight, 11);
  EXPECT_EQ(d.ButtonOK.GetFont().pixelHeight, 11);
  EXPECT_FALSE(d.ButtonOK.GetFont().bold);
}

}  // namespace
}  // namespace video_test
