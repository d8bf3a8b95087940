// A window closed while one of its own handlers waits for pending messages
// (a resize, a request to the host) must outlive that handler: these are the
// two ways in which the host or the user used to free it under the handler.
#include "explorer/explorer_fixture.h"
#include "explorer/remote_win.h"
#include "ui/form_registry.h"
#include "video/video_fixture.h"

namespace {

using w95::explorer::TFileForm;
using w95::ui::Application;
using w95::video::TVideoForm;

size_t LiveForms() { return w95::ui::detail::Forms().size(); }

class VideoClosedUnderResize : public video_test::VideoWindow {};

TEST_F(VideoClosedUnderResize, TheHostsSecondCloseDuringAResizeWaitsForTheResize) {
  TVideoForm* f = Open();
  ASSERT_NE(f, nullptr);
  int closes = 0;
  session.OnPump([&] {
    // The host's window procedure runs inside the resize's pump and calls
    // the close export twice (a close request, then the close itself).
    if (closes++ == 0) {
      w95::VideoWinClose();
      w95::VideoWinClose();
    }
  });
  f->UserResized(400, 300);
  session.OnPump(nullptr);
  EXPECT_EQ(closes > 0, true) << "the resize let messages run";
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  EXPECT_EQ(Broadcasts(), 1);
  Application().ProcessMessages();
  EXPECT_EQ(LiveForms(), 0u) << "freed once the resize was over";
}

TEST_F(VideoClosedUnderResize, TheStatusTickAfterEscapeDuringAResizeWaitsForTheResize) {
  TVideoForm* f = Open();
  ASSERT_NE(f, nullptr);
  int key = w95::ui::vkEscape;
  f->UserPreviewKey(key, 0);  // the first Escape asks for the close
  f->Timer1.SetEnabled(true);
  bool ticked = false;
  session.OnPump([&] {
    if (!ticked && w95::video::Video().form) {
      ticked = true;
      f->Timer1.Fire();  // the tick arrives while the window is being resized
    }
  });
  f->UserResized(400, 300);
  session.OnPump(nullptr);
  EXPECT_TRUE(ticked);
  EXPECT_EQ(w95::VideoWinStatus(), 0);
  Application().ProcessMessages();
  EXPECT_EQ(LiveForms(), 0u);
}

class ExplorerClosedUnderRequest : public explorer_test::Explorer {
 protected:
  void SetUp() override {
    Explorer::SetUp();
    machine.files.AddFile("C:\\Pics\\b.jpg");
    SetKey("LastDir", "c:\\pics\\");
  }
};

TEST_F(ExplorerClosedUnderRequest, TheUserClosesTheWindowWhileTheHostAnswersItsRequest) {
  w95::explorer::RunRemoteWin(0x4242, false);
  TFileForm* f = w95::explorer::ExplorerWindow();
  ASSERT_NE(f, nullptr);
  int requests = 0;
  machine.host.onSend = [&](const w95::platform::sim::SentMessage& m) {
    if (m.message == 0x911 && requests++ == 0) {
      // The host shows its own box; in its loop the user closes our window
      // and the loop goes on running messages.
      f->UserClosing();
      Application().ProcessMessages();
    }
    return intptr_t{0};
  };
  session.GetUser().Select("XFiles", 0);
  session.GetUser().Click("BtnOK");
  machine.host.onSend = nullptr;
  EXPECT_EQ(requests, 1);
  EXPECT_EQ(w95::explorer::ExplorerWindow(), nullptr);
  Application().ProcessMessages();
  EXPECT_EQ(LiveForms(), 0u);
}

}  // namespace
