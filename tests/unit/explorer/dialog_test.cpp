// The explorer dialog in its modes, on the headless backend.
#include "explorer_fixture.h"
#include "ui/recording_canvas.h"

namespace explorer_test {
namespace {

using w95::ui::mrNo;
using w95::ui::mrOk;
using w95::ui::mrYes;

TEST_F(Explorer, Depth24SaveAddsTheExtensionAndStoresTheShortName) {
  machine.files.AddFile("C:\\My Images\\old.jpg", "x");
  SetKey("SavePath", "C:\\MYIMAG~1\\");
  const int32_t r = Run(24, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.Caption(), "Save File");
    EXPECT_EQ(f.LabelList.Caption(), "Save &in");
    EXPECT_EQ(f.FilterComboBox1.ItemIndex(), 5) << "the default position of depth 24";
    EXPECT_EQ(f.CurrentFolder(), "C:\\My Images") << "the start folder in long form";
    EXPECT_TRUE(f.BtnJPEG.Visible()) << "code 99 has compression settings";
    u.Type("Edit1", "photo");
    EXPECT_EQ(f.BtnOK.Caption(), "&Save");
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 99) << "the format code of JPG JPEG/JFIF(Enhanced)";
  EXPECT_EQ(Key("LongName"), "photo.JPG");
  EXPECT_EQ(Key("Savename"), "C:\\MYIMAG~1\\photo.JPG");
  EXPECT_EQ(Key("SavePath"), "C:\\MYIMAG~1\\");
  EXPECT_EQ(Key("SaveExt"), ".JPG");
  EXPECT_EQ(Key("MultiBPP"), "24");
  EXPECT_EQ(Key("Save24"), "5");
  EXPECT_EQ(Key("LastDir"), "C:\\MYIMAG~1\\");
  EXPECT_FALSE(machine.files.Exists("C:\\My Images\\photo.JPG")) << "no placeholder left";
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Explorer, CancelAndEscapeReturnMinusOneAndStillWriteLastDir) {
  machine.files.AddFolder("C:\\Work");
  SetKey("LastDir", "c:\\work\\");
  SetKey("Savename", "unchanged");
  EXPECT_EQ(Run(253, 0, [](User& u, TFileForm&) { u.Click("BtnExit"); }), -1);
  EXPECT_EQ(Key("LastDir"), "c:\\work\\");
  SetKey("LastDir", "c:\\");
  EXPECT_EQ(Run(254, 0,
                [](User& u, TFileForm& f) {
                  f.GoToFolder("c:\\work");
                  u.PressKey(w95::ui::vkEscape);
                }),
            -1);
  EXPECT_EQ(Key("LastDir"), "c:\\work\\");
  EXPECT_EQ(Key("Savename"), "unchanged") << "no choice written";
}

TEST_F(Explorer, ExistingTargetIsAskedAboutAndKeptForTheHost) {
  machine.files.AddFile("C:\\photo.JPG", "the old picture");
  session.ExpectMessage(MsgKind::Confirm, "photo.JPG\nin use.  Overwrite?", mrNo);
  session.ExpectMessage(MsgKind::Confirm, "photo.JPG\nin use.  Overwrite?", mrYes);
  const int32_t r = Run(24, 0, [](User& u, TFileForm& f) {
    u.Type("Edit1", "photo.JPG");
    u.Click("BtnOK");
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone) << "No stays in the dialog";
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 99);
  EXPECT_EQ(Key("Savename"), "c:\\photo.JPG");
  EXPECT_EQ(machine.files.ReadFile("C:\\photo.JPG").value_or(""), "the old picture")
      << "the existing file is neither overwritten nor deleted";
}

TEST_F(Explorer, ExtensionQuestionNoStaysYesKeepsTheName) {
  session.ExpectMessage(
      MsgKind::Warning,
      "Extension (file type) different. \n.BMP expected instead of .JPG\nContinue?", mrNo);
  session.ExpectMessage(MsgKind::Warning, mrYes);
  const int32_t r = Run(24, 0, [](User& u, TFileForm&) {
    u.Select("FilterComboBox1", 0);  // BMP Windows BitMaP
    u.Type("Edit1", "photo.jpg");
    u.Click("BtnOK");
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 7);
  EXPECT_EQ(Key("LongName"), "photo.jpg");
  EXPECT_EQ(Key("Save24"), "0") << "the picked position is stored";
}

TEST_F(Explorer, InvalidNamesAndPathsStay) {
  session.ExpectMessage(MsgKind::Error, "Invalid filename.\nPlease reenter.", mrOk);
  session.ExpectMessage(MsgKind::Error, "Invalid path.\nPlease reenter.", mrOk);
  EXPECT_EQ(Run(24, 0,
                [](User& u, TFileForm&) {
                  u.Type("Edit1", "ab.c.jpg");
                  u.Click("BtnOK");
                  u.Type("Edit1", "d:\\nowhere\\x.JPG");
                  u.Click("BtnOK");
                  u.Click("BtnExit");
                }),
            -1);
}

TEST_F(Explorer, StoredNineElevenAndRestrictedLists) {
  SetKey("Save8", "911");
  Run(8, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.FilterComboBox1.ItemIndex(), 9) << "911 counts as nothing stored";
    u.Select("FilterComboBox1", 4);
    EXPECT_TRUE(f.BtnJPEG.Visible()) << "JPG [gray] has code -11";
    u.Select("FilterComboBox1", 11);
    EXPECT_FALSE(f.BtnJPEG.Visible()) << "TGA has code 11";
    u.Click("BtnExit");
  });
  SetKey("Save16", "4");
  const int32_t r = Run(16, 1, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.FilterComboBox1.Items().size(), 4u);
    EXPECT_EQ(f.FilterComboBox1.ItemIndex(), 0);
    u.Type("Edit1", "pic");
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 99);
  EXPECT_EQ(Key("Save16"), "0") << "the restricted position is what is written back";
  EXPECT_EQ(Key("LongName"), "pic.JPG");
}

TEST_F(Explorer, DefaultSizeFollowsTheScreen) {
  struct {
    int w, h, left, top, width, height;
  } cases[] = {{640, 480, 120, 90, 400, 300}, {1024, 768, 256, 192, 512, 384}};
  for (const auto& c : cases) {
    machine.desktop.screen = {c.w, c.h};
    Run(254, 0, [&](User& u, TFileForm& f) {
      EXPECT_EQ(f.Left(), c.left) << c.w;
      EXPECT_EQ(f.Top(), c.top) << c.w;
      EXPECT_EQ(f.WindowWidth(), c.width) << c.w;
      EXPECT_EQ(f.Width(), c.width - 6) << "the client area: the dialog frame is 3 a side";
      EXPECT_EQ(f.WindowHeight(), c.height) << c.w;
      EXPECT_EQ(f.Height(), c.height - 6 - 19) << "and the caption 19 high";
      u.Click("BtnExit");
    });
  }
}

TEST_F(Explorer, LargeMenuBarGivesAPlainTenPointFont) {
  w95::ui::headless::TestMetrics().menuBarHeight = 19;
  Run(0, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.GetFont().size, 10);
    EXPECT_FALSE(f.GetFont().bold);
    EXPECT_EQ(f.State().defaultFont.size, 10) << "the reset font";
    u.Click("BtnExit");
  });
}

TEST_F(Explorer, KindsOfTheConvertFamily) {
  struct {
    int32_t kind;
    const char* caption;
    size_t formats;
  } cases[] = {{100, "Save File", 0},
               {150, "Convert Multiple Files", 0},
               {200, "Convert Multiple Files", 0},
               {108, "Convert Multiple Files", 14}};
  for (const auto& c : cases) {
    Run(c.kind, 0, [&](User& u, TFileForm& f) {
      EXPECT_EQ(f.Caption(), c.caption) << c.kind;
      EXPECT_EQ(f.FilterComboBox1.Items().size(), c.formats) << c.kind;
      u.Click("BtnExit");
    });
  }
}

TEST_F(Explorer, ConvertInAnEmptyFolderAcceptsThePlaceholderName) {
  machine.files.AddFolder("C:\\Out");
  SetKey("SavePath", "c:\\out\\");
  const int32_t r = Run(108, 0, [](User& u, TFileForm& f) {
    EXPECT_FALSE(f.Edit1.Visible());
    EXPECT_TRUE(f.BPPtype.Visible());
    EXPECT_EQ(f.BtnOK.Caption(), "Con&vert");
    u.Select("BPPtype", 1);  // 64K colours
    EXPECT_EQ(f.FilterComboBox1.ItemIndex(), 5);
    EXPECT_EQ(f.FilterComboBox1.Items()[5], "TGA Truevision TarGA");
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 11);
  EXPECT_EQ(Key("LongName"), "~(_)(_)~.TGA");
  EXPECT_EQ(Key("MultiBPP"), "16");
  EXPECT_EQ(Key("Save16"), "5");
  EXPECT_EQ(Key("SavePath"), "c:\\out\\");
  EXPECT_FALSE(machine.files.Exists("C:\\Out\\~(_)(_)~.TGA")) << "no placeholder left";
}

TEST_F(Explorer, MoveWritesTheTargetFolderAndTheLongName) {
  machine.files.AddFile("C:\\Pics\\Long Picture.bmp");
  machine.files.AddFolder("C:\\Target");
  SetKey("SaveAs", machine.files.ShortPath("C:\\Pics\\Long Picture.bmp"));
  const int32_t r = Run(102, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.Caption(), "Move File to");
    EXPECT_EQ(f.BtnOK.Caption(), "Mo&ve");
    EXPECT_FALSE(f.FilterComboBox1.Visible());
    f.GoToFolder("c:\\target");
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Key("Savename"), "c:\\target\\Long Picture.bmp");
}

TEST_F(Explorer, SlideshowModesUseTheFixedAvlEntry) {
  machine.files.AddFile("C:\\Shows\\holiday.avl", "[Header]\n");
  SetKey("LastDir", "c:\\shows\\");
  session.ExpectMessage(MsgKind::Error, "File not found.", mrOk);
  const int32_t r = Run(254, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.Caption(), "Open Slideshow");
    EXPECT_FALSE(f.FilterComboBox1.Enabled());
    EXPECT_EQ(f.FilterComboBox1.ItemIndex(), 5);
    EXPECT_EQ(f.Edit1.Text(), "holiday.avl") << "the first file is proposed";
    u.Type("Edit1", "missing");
    u.Click("BtnOK");
    u.Type("Edit1", "holiday");
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Key("LongName"), "holiday.AVL");
  EXPECT_EQ(Key("Savename"), "c:\\shows\\holiday.AVL");

  SetKey("SaveAs", "mytrip");
  const int32_t s = Run(0, 0, [](User& u, TFileForm& f) {
    EXPECT_EQ(f.Edit1.Text(), "mytrip") << "the save-as name is proposed";
    EXPECT_FALSE(f.FilterComboBox1.Enabled());
    u.Click("BtnOK");
  });
  EXPECT_GE(s, 0);
  EXPECT_EQ(Key("LongName"), "mytrip.AVL");
  EXPECT_EQ(Key("SaveExt"), ".AVL");
  EXPECT_EQ(Key("MultiBPP"), "ERROR") << "kind 0 reports no depth";
}

TEST_F(Explorer, AddMarksFilesOnlyAndWritesTheExchangeFile) {
  for (const char* f : {"C:\\Show\\b.bmp", "C:\\Show\\Long Name.jpg"}) machine.files.AddFile(f);
  for (const char* d : {"C:\\Show\\one", "C:\\Show\\two", "C:\\Show\\three"})
    machine.files.AddFolder(d);
  SetKey("LastDir", "c:\\show\\");
  const int32_t r = Run(253, 0, [](User& u, TFileForm& f) {
    EXPECT_TRUE(f.MarkDirectory->Visible());
    EXPECT_TRUE(f.Edit1.ReadOnly());
    f.FileMenuClick(*f.MarkDirectory);
    EXPECT_EQ(f.XFiles.SelCount(), 2) << "the two files, no folder";
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Exchange("Directory", "Files"), "2");
  EXPECT_EQ(Exchange("1", "F"), "b.bmp");
  EXPECT_EQ(Exchange("2", "F"), "LONGNA~1.JPG");
  EXPECT_EQ(Exchange("Directory", "Name"), "c:\\show\\");
}

TEST_F(Explorer, AddWithNothingMarkedEntersTheFolder) {
  machine.files.AddFolder("C:\\Show\\inner");
  SetKey("LastDir", "c:\\show\\");
  Run(253, 0, [](User& u, TFileForm& f) {
    f.FileMenuClick(*f.UnmarkDirectory);
    f.XFiles.SetItemIndex(0);
    u.Click("BtnOK");
    EXPECT_EQ(f.CurrentFolder(), "c:\\show\\inner");
    EXPECT_TRUE(f.BtnUp.Enabled());
    u.Click("BtnUp");
    EXPECT_EQ(f.CurrentFolder(), "c:\\show");
    u.Click("BtnExit");
  });
}

TEST_F(Explorer, FoldersBeforeOrAfterFilesAndLowercase) {
  machine.files.AddFile("C:\\AUTOEXEC.BAT");
  machine.files.AddFolder("C:\\Games");
  SetKey("LastDir", "c:\\");
  Run(252, 0, [](User& u, TFileForm& f) {
    EXPECT_FALSE(f.BtnUp.Enabled()) << "a root has no parent";
    u.Select("FilterComboBox1", 0);
    auto texts = f.XFiles.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts.front(), "games\\");
    f.ViewMenuClick(*f.mnuDirLast);
    texts = f.XFiles.Texts();
    EXPECT_EQ(texts.back(), "windows\\");
    EXPECT_EQ(texts.front(), "autoexec.bat");
    f.ViewMenuClick(*f.mnuLowercase);
    EXPECT_EQ(f.XFiles.Texts().front(), "AUTOEXEC.BAT");
    EXPECT_EQ(f.XFiles.Texts().back(), "windows\\") << "folders are lower case either way";
    u.Click("BtnExit");
  });
}

TEST_F(Explorer, SunRasterMaskListsBothExtensions) {
  for (const char* f : {"C:\\R\\a.ras", "C:\\R\\b.rs", "C:\\R\\c.txt", "C:\\R\\d.rsx"})
    machine.files.AddFile(f);
  SetKey("LastDir", "c:\\r\\");
  Run(252, 0, [](User& u, TFileForm& f) {
    u.Select("FilterComboBox1", 22);
    EXPECT_EQ(f.XFiles.Texts(), (std::vector<std::string>{"a.ras", "b.rs"}));
    u.Select("FilterComboBox1", 0);
    EXPECT_EQ(f.XFiles.Count(), 4) << "any file with an extension of up to three letters";
    u.Click("BtnExit");
  });
}

TEST_F(Explorer, LookInClimbsAndReportsANotReadyDrive) {
  machine.files.AddFolder("C:\\windows\\system");
  machine.files.AddDrive('A', false);
  SetKey("LastDir", "c:\\windows\\system\\");
  session.ExpectMessage(MsgKind::Error, "Drive A: not ready.", mrOk);
  Run(252, 0, [](User& u, TFileForm& f) {
    const auto& items = f.LookBox.Items();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[2], " \\windows");
    EXPECT_EQ(f.LookBox.ItemIndex(), 3);
    // Drives with their kind's picture; of the folders only the current one.
    EXPECT_EQ(f.LookBox.ItemGlyph(0), w95::ui::GlyphKind::Floppy);
    EXPECT_EQ(f.LookBox.ItemGlyph(1), w95::ui::GlyphKind::HardDrive);
    EXPECT_EQ(f.LookBox.ItemGlyph(2), w95::ui::GlyphKind::None);
    EXPECT_EQ(f.LookBox.ItemGlyph(3), w95::ui::GlyphKind::OpenFolder);
    w95::ui::RecordingCanvas canvas;
    f.LookBox.DrawItem(3, canvas, {0, 0, 180, 16}, w95::ui::odSelected);
    ASSERT_EQ(canvas.ops.size(), 3u);
    EXPECT_EQ(canvas.ops[1], "glyph 2,0 open-folder");
    EXPECT_EQ(canvas.ops[2], "text 20,1   \\system") << "the text after the glyph";
    u.Select("LookBox", 1);  // the current drive: back to its root
    EXPECT_EQ(f.CurrentFolder(), "c:\\");
    u.Select("LookBox", 0);  // a: without a disk
    EXPECT_EQ(f.CurrentFolder(), "c:\\");
    u.Click("BtnExit");
  });
}

TEST_F(Explorer, ASecondExplorerInsideTheFirstKeepsItsOwnState) {
  machine.files.AddFolder("C:\\First");
  machine.files.AddFolder("C:\\Second");
  SetKey("SavePath", "c:\\first\\");
  SetKey("LastDir", "c:\\second\\");
  const int32_t r = Run(24, 0, [this](User& u, TFileForm& f) {
    session.WhenModal<TFileForm>([](User& u2, TFileForm& inner) {
      EXPECT_EQ(inner.CurrentFolder(), "c:\\second");
      u2.Click("BtnExit");
    });
    EXPECT_EQ(w95::explorer::RunRemoteDlg(253, 0), -1);
    EXPECT_EQ(f.State().setup.mode, 24);
    EXPECT_EQ(f.CurrentFolder(), "c:\\first");
    EXPECT_TRUE(f.State().open);
    u.Type("Edit1", "x");
    u.Click("BtnOK");
  });
  EXPECT_EQ(r, 99);
  EXPECT_EQ(Key("Savename"), "c:\\first\\x.JPG");
}

TEST_F(Explorer, TabRingSkipsHiddenAndDisabledControls) {
  Run(0, 0, [](User& u, TFileForm& f) {
    f.LookBox.SetFocus();
    u.PressKey(w95::ui::vkTab);
    EXPECT_EQ(u.FocusedName(), "XFiles");
    u.PressKey(w95::ui::vkTab);
    EXPECT_EQ(u.FocusedName(), "BtnOK") << "the file type box is disabled in kind 0";
    u.PressKey(w95::ui::vkTab, w95::ui::ssShift);
    EXPECT_EQ(u.FocusedName(), "XFiles");
    u.Click("BtnExit");
  });
}

TEST_F(Explorer, HelpContextsByMode) {
  Run(24, 0, [](User& u, TFileForm&) {
    u.Click("BtnHelp");
    u.Click("BtnExit");
  });
  Run(253, 0, [](User& u, TFileForm&) {
    u.Click("BtnHelp");
    u.Click("BtnExit");
  });
  ASSERT_EQ(machine.desktop.helpCalls.size(), 2u);
  EXPECT_EQ(machine.desktop.helpCalls[0].data, 101u);
  EXPECT_EQ(machine.desktop.helpCalls[1].data, 100u);
  EXPECT_EQ(machine.desktop.helpCalls[0].file, "PLIMBO.HLP");
}

}  // namespace
}  // namespace explorer_test

namespace explorer_test {
namespace {

TEST_F(Explorer, EnterInTheNameBoxOrOnAFileRunsTheOkWorkOnce) {
  machine.files.AddFile("C:\\Shows\\trip.avl");
  SetKey("LastDir", "c:\\shows\\");
  const int32_t r = Run(24, 0, [](User& u, TFileForm& f) {
    u.Type("Edit1", "photo");
    f.Edit1.SetFocus();
    u.PressKey(w95::ui::vkReturn);
  });
  EXPECT_EQ(r, 99);
  EXPECT_EQ(Key("LongName"), "photo.JPG");
  EXPECT_TRUE(session.Messages().empty());
  SetKey("LastDir", "c:\\shows\\");
  const int32_t s = Run(254, 0, [](User& u, TFileForm&) {
    u.Select("XFiles", 0);
    u.PressKey(w95::ui::vkReturn);
  });
  EXPECT_EQ(s, 0);
  EXPECT_EQ(Key("LongName"), "trip.avl");
}

TEST_F(Explorer, DoubleClickEntersAFolderAndOpensAFile) {
  machine.files.AddFile("C:\\Shows\\Inner\\deep.avl");
  SetKey("LastDir", "c:\\shows\\");
  const int32_t r = Run(254, 0, [](User& u, TFileForm& f) {
    u.Select("XFiles", 0);
    EXPECT_EQ(f.Edit1.Text(), "") << "a folder puts no name in the box";
    f.XFiles.UserDblClick();
    EXPECT_EQ(f.CurrentFolder(), "c:\\shows\\inner");
    EXPECT_EQ(f.LookBox.Items()[static_cast<size_t>(f.LookBox.ItemIndex())], "  \\inner");
    u.Select("XFiles", 0);
    f.XFiles.UserDblClick();
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Key("Savename"), "c:\\shows\\inner\\deep.avl");
}

}  // namespace
}  // namespace explorer_test

namespace explorer_test {
namespace {

TEST_F(Explorer, MenuButtonOpensTheViewMenuAndItsFileActions) {
  machine.files.AddFile("C:\\M\\a.bmp");
  machine.files.AddFile("C:\\M\\b.bmp");
  machine.files.AddFolder("C:\\M\\sub");
  SetKey("LastDir", "c:\\m\\");
  session.AnswerPopup("mnuDirLast");
  session.AnswerPopup("mnuFile");
  session.AnswerPopup("MarkDirectory");
  session.ExpectMessage(MsgKind::Information, "Preview mode enabled.", w95::ui::mrOk);
  Run(253, 0, [](User& u, TFileForm& f) {
    EXPECT_FALSE(f.PreviewMode->Visible()) << "no preview in the dialog";
    u.Click("BtnMenu");
    EXPECT_EQ(f.XFiles.Texts().back(), "sub\\");
    u.Click("BtnMenu");  // File actions, then Mark all files
    EXPECT_EQ(f.XFiles.SelCount(), 2);
    f.ViewMenuClick(*f.PreviewMode);
    u.Click("BtnExit");
  });
  EXPECT_TRUE(session.Unused().empty());
}

}  // namespace
}  // namespace explorer_test
