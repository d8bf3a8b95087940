// Rules of the dialog that a host or user would otherwise trip over: unknown
// convert kinds, stored positions, failed writes, the list's masks, the
// window's size when columns are fitted.
#include "explorer/listing.h"
#include "explorer_fixture.h"

namespace explorer_test {
namespace {

using w95::explorer::MatchesMask;
using w95::ui::mrOk;

TEST_F(Explorer, ConvertKindOutsideTheTableOpensTheChosenFile) {
  machine.files.AddFile("C:\\In\\a.bmp");
  SetKey("SavePath", "c:\\in\\");
  const int32_t r = Run(150, 0, [](User& u, TFileForm& f) {
    u.Select("XFiles", 0);
    EXPECT_EQ(f.Edit1.Text(), "a.bmp");
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 0) << "the generic open path, no format code";
  EXPECT_EQ(Key("LongName"), "a.bmp");
  EXPECT_EQ(Key("Savename"), "c:\\in\\a.bmp");
  EXPECT_TRUE(session.Messages().empty()) << "no \"Invalid filename.\"";
}

TEST_F(Explorer, StoredPositionOutsideTheListIsWrittenBackAsShown) {
  SetKey("Save4", "40");
  const int32_t r = Run(4, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.FilterComboBox1.ItemIndex(), 0);
    u.Type("Edit1", "pic");
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 7) << "BMP, the entry shown";
  EXPECT_EQ(Key("Save4"), "0");
}

TEST_F(Explorer, AddModeNameBoxIsReadOnlyInTheButtonHighlightColour) {
  Run(253, 0, [](User& u, TFileForm& f) {
    EXPECT_TRUE(f.Edit1.ReadOnly());
    EXPECT_EQ(f.Edit1.GetColor(), w95::ui::clBtnHighlight);
    u.Click("BtnExit");
  });
}

TEST_F(Explorer, FailedSettingsWriteAfterOkIsNoSuccess) {
  session.ExpectMessage(MsgKind::Error, "Unable to write to plimbo.ini", mrOk);
  session.ExpectMessage(MsgKind::Error, mrOk);  // "LastDir" cannot be written either
  const int32_t r = Run(24, 0, [this](User& u, TFileForm& f) {
    u.Type("Edit1", "photo");
    // The settings file turns read-only as the dialog closes, after the
    // chosen name was stored.
    f.OnCloseQuery = [this](w95::ui::Control&, bool&) {
      machine.files.SetAttributes("C:\\WINDOWS\\plimbo.ini", w95::platform::kAttrReadOnly);
    };
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, -1) << "the host must not read half-written settings as a choice";
  EXPECT_EQ(Key("LongName"), "photo.JPG");
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Explorer, OptimizeKeepsAtLeastOneColumn) {
  machine.files.AddFile("C:\\W\\" + std::string(120, 'n') + ".bmp");
  SetKey("LastDir", "c:\\w\\");
  Run(252, 0, [](User& u, TFileForm& f) {
    ASSERT_GT(f.State().columnWidth, f.XFiles.Width()) << "one entry wider than the list";
    f.ViewMenuClick(*f.mnuOptimizeWin);
    EXPECT_GE(f.XFiles.Width(), f.State().columnWidth - 8) << "room for a whole column";
    EXPECT_GT(f.WindowWidth(), 512);
    u.Click("BtnExit");
  });
}

TEST_F(Explorer, MasksMatchTheLongNameNotItsAlias) {
  machine.files.AddFile("C:\\M\\photo.jpeg");
  machine.files.AddFile("C:\\M\\photo.jpg");
  machine.files.AddFile("C:\\M\\readme");
  machine.files.AddFile("C:\\M\\clip.mpeg");
  SetKey("LastDir", "c:\\m\\");
  Run(252, 0, [](User& u, TFileForm& f) {
    ASSERT_EQ(f.XFiles.Count(), 1) << "validated formats: only photo.jpg";
    EXPECT_EQ(f.XFiles.Item(0), "photo.jpg");
    u.Select("FilterComboBox1", 0);  // "*.* any file": extensions of up to 3
    ASSERT_EQ(f.XFiles.Count(), 2);
    EXPECT_EQ(f.XFiles.Item(0), "photo.jpg");
    EXPECT_EQ(f.XFiles.Item(1), "readme");
    u.Click("BtnExit");
  });
}

TEST(Masks, LongNameRules) {
  EXPECT_TRUE(MatchesMask("Photo.JPG", "*.jpg"));
  EXPECT_FALSE(MatchesMask("photo.jpeg", "*.jpg"));
  EXPECT_TRUE(MatchesMask("my.old.photo.jpg", "*.?pg"));
  EXPECT_FALSE(MatchesMask("x.pg", "*.?pg"));
  EXPECT_TRUE(MatchesMask("x.pc", "*.pc?"));
  EXPECT_TRUE(MatchesMask("x.pcx", "*.pc?"));
  EXPECT_FALSE(MatchesMask("x.pcxx", "*.pc?"));
  EXPECT_TRUE(MatchesMask("x.abc", "*.???"));
  EXPECT_TRUE(MatchesMask("x", "*.???"));
  EXPECT_FALSE(MatchesMask("x.abcd", "*.???"));
  // A "*" tries every later place of the letter after it.
  EXPECT_TRUE(MatchesMask("a.bmp.BMP", "*.bmp"));
  EXPECT_TRUE(MatchesMask("MAP.BMP", "*p.b*"));
  EXPECT_FALSE(MatchesMask("x.bmp", "*.bmpx"));
  EXPECT_FALSE(MatchesMask("x.bm", "*.bmp"));
}

}  // namespace
}  // namespace explorer_test

namespace explorer_test {
namespace {

using w95::ui::WindowState;

TEST_F(Explorer, OptimizeMaximizeAndResetFirstReturnTheWindowToNormal) {
  machine.files.AddFile("C:\\W\\a.bmp");
  SetKey("LastDir", "c:\\w\\");
  Run(252, 0, [](User& u, TFileForm& f) {
    for (auto* item : {f.mnuOptimizeWin, f.mnuMaxWin, f.mnuResetWin}) {
      for (WindowState state : {WindowState::Maximized, WindowState::Minimized}) {
        f.SetWindowState(state);
        f.ViewMenuClick(*item);
        EXPECT_EQ(f.GetWindowState(), WindowState::Normal) << item->Caption();
      }
    }
    u.Click("BtnExit");
  });
}

}  // namespace
}  // namespace explorer_test
