// The picture pane of the explorer dialog and window: off unless chosen,
// its room taken from the list, remembered; pictures decoded only once the
// selection rests, and a decoding overtaken by the selection dropped.
#include "explorer/preview_pane.h"
#include "explorer/remote_win.h"
#include "explorer_fixture.h"
#include "platform/pictures.h"
#include "ui/recording_canvas.h"

namespace explorer_test {
namespace {

using w95::explorer::PreviewPaneWidth;
using w95::explorer::PreviewsAsPicture;

std::string JpegBytes(int width, int height) {
  const int b[] = {0xFF,        0xD8,          0xFF,       0xC0,         0x00, 0x11, 8,
                   height >> 8, height & 0xFF, width >> 8, width & 0xFF, 3,    0xFF, 0xD9};
  std::string s;
  for (int c : b) s += static_cast<char>(c);
  return s;
}

// A timer of the pane fires: it must be running.
void Fire(w95::ui::Timer& timer) {
  ASSERT_TRUE(timer.Running()) << timer.Name();
  timer.Fire();
}

class Preview : public Explorer {
 protected:
  void SetUp() override {
    Explorer::SetUp();
    machine.files.AddFile("C:\\Pics\\wide.bmp",
                          w95::platform::EncodeBmp24(60, 40, std::vector<uint32_t>(2400, 0xFF)));
    machine.files.AddFile("C:\\Pics\\photo.jpg", JpegBytes(640, 480));
    machine.files.AddFile("C:\\Pics\\tune.mid", std::string(3000, 'x'));
    machine.files.AddFile("C:\\Pics\\broken.png", "\x89PNG");
    machine.files.AddFolder("C:\\Pics\\Sub");
    SetKey("LastDir", "c:\\pics\\");
  }
  void TearDown() override {
    w95::explorer::RemoteWinClose();
    Explorer::TearDown();
  }
  // The entry of that name in the list.
  static int At(TFileForm& f, const std::string& name) {
    for (int i = 0; i < f.XFiles.Count(); ++i)
      if (f.XFiles.Item(i) == name) return i;
    ADD_FAILURE() << name << " is not listed";
    return 0;
  }
  static std::string Lines(TFileForm& f) {
    return f.Preview.SizeLine.Caption() + " | " + f.Preview.DepthLine.Caption();
  }
  // The pane and the list share the list's panel: the pane's width is what
  // the list gives up.
  static void ExpectLayout(TFileForm& f, bool pane) {
    EXPECT_EQ(f.Preview.Pane.Visible(), pane);
    const int room = f.PanelList.Width();
    if (pane) {
      EXPECT_EQ(f.Preview.Pane.Width(), PreviewPaneWidth(f.Width()));
      EXPECT_EQ(f.XFiles.Width(), room - f.Preview.Pane.Width());
      EXPECT_EQ(f.Preview.Pane.Left(), f.XFiles.Width()) << "right of the list";
      EXPECT_EQ(f.Preview.Pane.Height(), f.XFiles.Height());
    } else {
      EXPECT_EQ(f.XFiles.Width(), room) << "the list as it always was";
    }
  }
};

TEST(PreviewRules, PaneWidthAndWhichFilesAreDecoded) {
  EXPECT_EQ(PreviewPaneWidth(400), 160);
  EXPECT_EQ(PreviewPaneWidth(200), 120) << "never too narrow for its lines";
  EXPECT_EQ(PreviewPaneWidth(1600), 240) << "nor wider than a picture needs";
  for (const char* yes : {"a.bmp", "A.JPG", "x.jpeg", "i.ico", "p.png", "g.Gif", "d.dib"})
    EXPECT_TRUE(PreviewsAsPicture(yes)) << yes;
  for (const char* no : {"a.txt", "bmp", "c:\\a.bmp\\x", "a.bmp.zip", "slides.kqp"})
    EXPECT_FALSE(PreviewsAsPicture(no)) << no;
}

TEST_F(Preview, DialogPaneIsOffUntilChosenTakesItsRoomFromTheListAndIsRemembered) {
  Run(253, 0, [](User& u, TFileForm& f) {
    ExpectLayout(f, false);
    EXPECT_FALSE(f.mnuPreviewPane->Checked());
    const int columns = f.XFiles.Columns();
    f.ViewMenuClick(*f.mnuPreviewPane);
    EXPECT_TRUE(f.mnuPreviewPane->Checked());
    ExpectLayout(f, true);
    EXPECT_LE(f.XFiles.Columns(), columns) << "the columns laid out for the narrower list";
    u.Click("BtnExit");
  });
  EXPECT_EQ(Key("ExpPreview"), "1");
  Run(253, 0, [](User& u, TFileForm& f) {
    ExpectLayout(f, true);
    f.ViewMenuClick(*f.mnuPreviewPane);
    ExpectLayout(f, false);
    u.Click("BtnExit");
  });
  EXPECT_EQ(Key("ExpPreview"), "0");
}

TEST_F(Preview, WindowPaneLayoutAndResize) {
  SetKey("ExpPreview", "1");
  w95::explorer::RunRemoteWin(0x4242, false);
  TFileForm& f = *w95::explorer::ExplorerWindow();
  ExpectLayout(f, true);
  f.UserResized(f.Width() + 200, f.Height());
  ExpectLayout(f, true);
  f.ViewMenuClick(*f.mnuPreviewPane);
  ExpectLayout(f, false);
  EXPECT_EQ(Key("ExpPreview"), "0");
}

TEST_F(Preview, PicturesAreDecodedOnceTheSelectionRestsOthersShowTypeAndSize) {
  SetKey("ExpPreview", "1");
  auto& decoder = machine.previews;
  Run(253, 0, [&](User& u, TFileForm& f) {
    // Moving over the entries shows each one's type and size at once and
    // decodes nothing.
    u.Select("XFiles", At(f, "tune.mid"));
    EXPECT_EQ(Lines(f), "MID (MIDI music) | 3 KB");
    u.Select("XFiles", At(f, "wide.bmp"));
    u.Select("XFiles", At(f, "photo.jpg"));
    EXPECT_EQ(Lines(f), "JPEG (JFIF compliant) | 1 KB");
    EXPECT_TRUE(decoder.started.empty());
    EXPECT_EQ(f.Preview.Picture(), nullptr);
    // At rest: the picture, fitted into the pane, its size and depth beneath.
    Fire(f.Preview.Settle);
    ASSERT_EQ(decoder.started.size(), 1u);
    EXPECT_EQ(decoder.started[0], "c:\\pics\\photo.jpg");
    ASSERT_NE(f.Preview.Picture(), nullptr);
    EXPECT_EQ(Lines(f), "640 x 480 pixels | 24 bits per pixel");
    const int room = f.Preview.View.Width() - 8;
    EXPECT_EQ(f.Preview.Picture()->width, room);
    w95::ui::RecordingCanvas canvas;
    f.Preview.View.Paint(canvas);
    const std::string drawn =
        "picture 4," +
        std::to_string(4 + (f.Preview.View.Height() - 8 - f.Preview.Picture()->height) / 2);
    bool found = false;
    for (const std::string& op : canvas.ops) found |= op.rfind(drawn, 0) == 0;
    EXPECT_TRUE(found) << "centred in the pane";
    // Our own reader for bitmaps: never enlarged.
    u.Select("XFiles", At(f, "wide.bmp"));
    Fire(f.Preview.Settle);
    ASSERT_NE(f.Preview.Picture(), nullptr);
    EXPECT_EQ(f.Preview.Picture()->width, 60);
    EXPECT_EQ(f.Preview.Picture()->pixels[0], 0xFFu);
    EXPECT_EQ(Lines(f), "60 x 40 pixels | 24 bits per pixel");
    // A picture that cannot be decoded keeps its type and size.
    u.Select("XFiles", At(f, "broken.png"));
    Fire(f.Preview.Settle);
    EXPECT_EQ(f.Preview.Picture(), nullptr);
    EXPECT_EQ(Lines(f), "PNG (Portable Network Graphics) | 1 KB");
    // A folder: no decoding is even timed.
    u.Select("XFiles", At(f, "sub\\"));
    EXPECT_EQ(Lines(f), "Folder | ");
    EXPECT_FALSE(f.Preview.Settle.Running());
    u.Click("BtnExit");
  });
  EXPECT_EQ(decoder.started.size(), 3u);
}

TEST_F(Preview, ADecodingOvertakenByTheSelectionIsDroppedEvenWhenItEnds) {
  SetKey("ExpPreview", "1");
  auto& decoder = machine.previews;
  decoder.hold = true;
  w95::explorer::RunRemoteWin(0x4242, false);
  TFileForm& f = *w95::explorer::ExplorerWindow();
  User& u = session.GetUser();
  u.Select("XFiles", At(f, "photo.jpg"));
  Fire(f.Preview.Settle);
  EXPECT_TRUE(f.Preview.Decoding());
  EXPECT_EQ(Lines(f), "JPEG (JFIF compliant) | 1 KB") << "type and size while it decodes";
  // The user moves on before the JPEG is done: it is cancelled, and when it
  // ends all the same its picture is not shown.
  u.Select("XFiles", At(f, "wide.bmp"));
  EXPECT_EQ(decoder.cancelled, 1);
  EXPECT_FALSE(f.Preview.Decoding());
  Fire(f.Preview.Settle);
  decoder.Finish();
  Fire(f.Preview.Poll);
  ASSERT_NE(f.Preview.Picture(), nullptr);
  EXPECT_EQ(Lines(f), "60 x 40 pixels | 24 bits per pixel") << "the bitmap, not the JPEG";
  EXPECT_FALSE(f.Preview.Poll.Running()) << "nothing left to wait for";

  // The pane switched off while a decoding is under way drops it too.
  u.Select("XFiles", At(f, "photo.jpg"));
  Fire(f.Preview.Settle);
  f.ViewMenuClick(*f.mnuPreviewPane);
  EXPECT_EQ(decoder.cancelled, 2);
  decoder.Finish();
  EXPECT_EQ(f.Preview.Poll.Running(), false);
  EXPECT_EQ(f.Preview.Picture(), nullptr);

  // A window closed while its decoding runs: the result ends with no one to
  // take it.
  f.ViewMenuClick(*f.mnuPreviewPane);
  u.Select("XFiles", At(f, "wide.bmp"));
  Fire(f.Preview.Settle);
  EXPECT_EQ(decoder.Pending(), 1u);
  w95::explorer::RemoteWinClose();
  EXPECT_EQ(w95::explorer::ExplorerWindow(), nullptr);
  EXPECT_EQ(decoder.cancelled, 3);
  decoder.Finish();
}

}  // namespace
}  // namespace explorer_test
