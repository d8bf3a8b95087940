// A simulated machine with one 320 x 240 clip of 100 frames, and helpers to
// open the video window on it and to play the host's part.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "exports/library.h"
#include "platform/sim/sim_machine.h"
#include "settings/ini_file.h"
#include "ui/application.h"
#include "ui/test_session.h"
#include "platform/pause_keeper.h"
#include "video/video_form.h"

namespace video_test {

using w95::platform::sim::SimClip;
using w95::ui::MediaButton;
using w95::ui::MsgKind;
using w95::video::TVideoForm;

inline constexpr char kClip[] = "C:\\Clips\\Holiday Movie.avi";

class VideoWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.Install();
    machine.desktop.SetScreen(1024, 768);
    machine.media.AddClip(kClip, SimClip{320, 240, 100});
    SetKey("SaveName", machine.files.ShortPath(kClip));
  }
  void TearDown() override {
    // Close what a test left open, so that the next starts without a window.
    if (w95::video::Video().form) {
      w95::video::VideoWinClose();
      w95::video::VideoWinClose();
    }
    w95::ui::Application().ProcessMessages();
  }
  void SetKey(const std::string& key, const std::string& value) {
    w95::TIniFile("plimbo.ini").WriteText("plimbo", key, value);
  }
  std::string Key(const std::string& key) {
    return w95::TIniFile("plimbo.ini").ReadText("plimbo", key, "ERROR");
  }
  // Opens the window as the host does; the window, or nullptr.
  TVideoForm* Open(int32_t mode = 0, int32_t kind = 0) {
    EXPECT_EQ(w95::VideoWinPlayer(0x4242, mode, kind), 1);
    return w95::video::Video().form;
  }
  void Tick() { session.FireTimer("Timer1"); }
  bool TimerRuns() { return form()->Timer1.Enabled(); }
  TVideoForm* form() { return w95::video::Video().form; }
  w95::ui::MediaButtons Shown() { return form()->MediaPlayer1.VisibleButtons(); }
  void Click(MediaButton b) { form()->MediaPlayer1.UserButtonClick(b); }
  int Broadcasts() {
    int n = 0;
    for (const auto& s : machine.host.sent) n += s.broadcast && s.message == 0x0905;
    return n;
  }

  w95::platform::sim::SimMachine machine;
  w95::ui::test::Session session;
};

}  // namespace video_test
