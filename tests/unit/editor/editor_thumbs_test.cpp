// The editor's second page on the headless backend: the thumbnails of the
// script, dragging slides about on them, the catalog update and delete with
// what they hand to the host, tags and viewing.
#include "editor/base32.h"
#include "editor/thumb_catalog.h"
#include "editor_fixture.h"
#include "platform/pictures.h"
#include "ui/recording_canvas.h"

namespace editor_test {
namespace {

using w95::ui::Cursor;
using w95::ui::MouseButton;
using w95::ui::mrNo;
using w95::ui::mrOk;
using w95::ui::mrYes;

class Thumbs : public Editor {
 protected:
  // n graphics with indices 1..n in catalog ABCDE; every fifth has no
  // thumbnail file.
  void Catalog(TEditorForm& f, int n) {
    Fill(f, n);
    f.State().CatalogId = "ABCDE";
    for (int r = 1; r <= n; ++r) {
      const std::string index = ed::ToBase32(static_cast<uint32_t>(r));
      f.Grid.SetCell(ed::kColThumb, r, index);
      if (r % 5 != 0)
        machine.files.AddFile(
            "c:\\viewer\\ABCDE" + index + ".BMP",
            w95::platform::EncodeBmp24(48, 32, std::vector<uint32_t>(48 * 32, 0xFF0000)));
    }
  }
  static std::vector<std::string> Draw(TEditorForm& f) {
    w95::ui::RecordingCanvas canvas;
    f.Image2.Paint(canvas);
    return canvas.ops;
  }
  static int Count(const std::vector<std::string>& ops, const std::string& start) {
    int n = 0;
    for (const std::string& op : ops) n += op.rfind(start, 0) == 0;
    return n;
  }
  static bool Has(const std::vector<std::string>& ops, const std::string& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
  }
  // Centre of the cell in page column c, row r.
  static int X(int c) { return c * 74 + 36; }
  static int Y(int r) { return r * 80 + 36; }
};

TEST_F(Thumbs, ThePageShowsTheScriptPagesWithTheKeysAndTagsInRed) {
  Run([this](User& u, TEditorForm& f) {
    Catalog(f, 40);
    u.Select("Tab", 1);
    EXPECT_TRUE(f.PanelThumbs.Visible());
    EXPECT_FALSE(f.Grid.Visible()) << "the page takes the grid's place";
    EXPECT_TRUE(f.CatScroll.Enabled());
    const auto& g = f.Thumbs.Geometry();
    EXPECT_EQ(g.columns, f.Image2.Width() / 74);
    EXPECT_EQ(g.rows, (f.Grid.Height() - 2) / 80);
    EXPECT_EQ(f.CatScroll.Max(), 40);
    EXPECT_EQ(f.CatScroll.LargeChange(), g.PageSize());
    EXPECT_EQ(f.Image2.GetFont().name, "Arial");

    auto ops = Draw(f);
    const int page = g.PageSize();
    EXPECT_EQ(Count(ops, "picture"), page - page / 5);
    EXPECT_TRUE(Has(ops, "picture 12,20 48x32 of 48x32"));  // slide 1, centred in its box
    EXPECT_TRUE(Has(ops, "text " + std::to_string(4 * 74 + 6) + ",34 No Preview"));  // slide 5
    // The current slide's thumbnail beside its colour; none for slide 5.
    u.MouseDown("Image2", MouseButton::Left, X(0), Y(0));
    u.MouseUp("Image2", MouseButton::Left, X(0), Y(0));
    EXPECT_TRUE(f.Thumbnail.Visible());
    ASSERT_TRUE(f.ThumbnailView.Picture());
    EXPECT_EQ(f.ThumbnailView.Picture()->width, 48);
    u.MouseDown("Image2", MouseButton::Left, X(4), Y(0));
    u.MouseUp("Image2", MouseButton::Left, X(4), Y(0));
    EXPECT_EQ(f.Grid.Row(), 5);
    EXPECT_FALSE(f.Thumbnail.Visible());

    // Tagging redraws the names: slide 2 in red; the script is not changed.
    u.MouseDown("Image2", MouseButton::Left, X(1), Y(0));
    u.MouseUp("Image2", MouseButton::Left, X(1), Y(0));
    u.Click("BtnTag");
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 2), "X");
    w95::ui::RecordingCanvas canvas;
    f.Image2.Paint(canvas);
    int red = 0;
    for (auto c : canvas.textColors) red += c == w95::ui::clRed;
    EXPECT_EQ(red, 1);
    EXPECT_FALSE(f.State().Modified);

    // Page Down and Page Up move by a page and stay within the script.
    u.PressKey(w95::ui::vkNext);
    EXPECT_EQ(f.Thumbs.First(), std::min(1 + page, 40));
    u.PressKey(w95::ui::vkNext);
    u.PressKey(w95::ui::vkNext);
    EXPECT_LE(f.Thumbs.First(), 40);
    u.PressKey(w95::ui::vkPrior);
    u.PressKey(w95::ui::vkPrior);
    u.PressKey(w95::ui::vkPrior);
    EXPECT_EQ(f.Thumbs.First(), 1);
    // The scroll bar draws from where it is and makes that slide current.
    u.Scroll("CatScroll", 17);
    EXPECT_EQ(f.Thumbs.First(), 17);
    EXPECT_EQ(f.Grid.Row(), 17);

    u.Select("Tab", 0);
    EXPECT_FALSE(f.PanelThumbs.Visible());
    EXPECT_TRUE(f.Grid.Visible());
    EXPECT_FALSE(f.Thumbs.Active());
    u.Click("BtnQuit");
  });
}

TEST_F(Thumbs, ADropLandsBeforeItsTargetAndTheEdgesScrollEveryTick) {
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrYes);
  Run([this](User& u, TEditorForm& f) {
    Fill(f, 40);
    f.State().Modified = false;
    u.Select("Tab", 1);
    const int columns = f.Thumbs.Geometry().columns;
    // b dragged two cells on, onto d: it lands directly before d.
    u.MouseDown("Image2", MouseButton::Left, X(1), Y(0));
    EXPECT_EQ(f.Grid.Row(), 2);
    EXPECT_EQ(f.Fullname.Caption(), " c:\\pics\\b.bmp [2 of 40]");
    u.MouseMove("Image2", X(3), Y(0));
    EXPECT_EQ(w95::ui::Screen().GetCursor(), Cursor::Drag);
    u.MouseUp("Image2", MouseButton::Left, X(3), Y(0));
    EXPECT_EQ(w95::ui::Screen().GetCursor(), Cursor::Default);
    auto names = Names(f);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 4),
              (std::vector<std::string>{"a.bmp", "c.bmp", "b.bmp", "d.bmp"}));
    EXPECT_EQ(f.Grid.Cell(ed::kColNumber, 3), "3");
    EXPECT_EQ(f.Grid.Row(), 3);
    EXPECT_TRUE(f.State().Modified);
    EXPECT_FALSE(f.Thumbs.Frame());

    // Slide 1 dragged past the right edge: a row on at every tick.
    u.MouseDown("Image2", MouseButton::Left, X(0), Y(0));
    u.MouseMove("Image2", f.Image2.Width() + 5, Y(0));
    EXPECT_EQ(w95::ui::Screen().GetCursor(), Cursor::SizeWE);
    session.FireTimer("Timer1");
    session.FireTimer("Timer1");
    EXPECT_EQ(f.Thumbs.First(), 1 + 2 * columns);
    // Left of the image it goes back; above it nothing happens.
    u.MouseMove("Image2", -5, Y(0));
    session.FireTimer("Timer1");
    EXPECT_EQ(f.Thumbs.First(), 1 + columns);
    u.MouseMove("Image2", X(2), -5);
    EXPECT_EQ(w95::ui::Screen().GetCursor(), Cursor::NoDrop);
    // Back inside: the scrolling stops, and the drop lands before slide
    // columns + 3.
    u.MouseMove("Image2", X(2), Y(0));
    EXPECT_FALSE(f.Thumbs.Timer1.Running());
    u.MouseUp("Image2", MouseButton::Left, X(2), Y(0));
    names = Names(f);
    EXPECT_EQ(names[static_cast<size_t>(columns + 1)], "a.bmp");
    EXPECT_EQ(names[0], "c.bmp");
    u.Click("BtnQuit");
  });
}

TEST_F(Thumbs, RightButtonOpensTheSlideMenuWhereViewFollowsTheSlide) {
  StartWith("c:\\shows\\trip.avl");
  session.AnswerPopup("mnuTag");
  session.AnswerPopup("");
  Run([this](User& u, TEditorForm& f) {
    u.Select("Tab", 1);
    u.MouseDown("Image2", MouseButton::Right, X(0), Y(0));  // the graphic
    u.MouseUp("Image2", MouseButton::Right, X(0), Y(0));
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 1), "X");
    EXPECT_TRUE(f.mnuView->Enabled());
    EXPECT_FALSE(f.Thumbs.Dragging()) << "the right button starts no drag";
    u.MouseDown("Image2", MouseButton::Right, X(1), Y(0));  // the video
    EXPECT_FALSE(f.mnuView->Enabled());
    EXPECT_FALSE(f.State().Modified);
    u.Click("BtnQuit");
  });
}

TEST_F(Thumbs, UpdateOfFortyGraphicsNamesTheScriptAndClosesWithOne) {
  ExplorerChooses("c:\\shows\\forty.avl");
  const int32_t r = Run([](User& u, TEditorForm& f) {
    Fill(f, 40);
    u.Select("Tab", 1);
    u.Click("BtnCatalog");
  });
  EXPECT_EQ(r, 1);
  EXPECT_EQ(kinds, std::vector<int>{ed::kExplorerSave});
  EXPECT_EQ(Key("AVLidx"), "41");
  const std::string text = FileText("c:\\shows\\forty.avl");
  EXPECT_NE(text.find("[1]\r\nF=a.bmp"), std::string::npos) << text;
  EXPECT_NE(text.find("T=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("T=18\r\n"), std::string::npos);
  EXPECT_EQ(text.find("T=19\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Cat=\r\n"), std::string::npos) << "a new catalog is named";
}

TEST_F(Thumbs, UpdateCarriesOnFromTheLastIndexAndStaysOpenWhenNotSaved) {
  SetKey("AVLidx", "500");
  ExplorerCancels();
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrYes);
  const int32_t r = Run([](User& u, TEditorForm& f) {
    Fill(f, 3);
    f.State().Modified = false;
    u.Select("Tab", 1);
    u.Click("BtnCatalog");
    EXPECT_EQ(f.Grid.Cell(ed::kColThumb, 1), "FL");
    EXPECT_EQ(f.Grid.Cell(ed::kColThumb, 3), "FN");
    EXPECT_TRUE(f.State().Modified);
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone);
    u.Click("BtnQuit");
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Key("AVLidx"), "504");
}

TEST_F(Thumbs, AtTheLastIndexTheScriptStartsAfreshOnlyWhenTheUserAgrees) {
  StartWith("c:\\shows\\trip.avl");
  SetKey("AVLidx", "32760");
  ExplorerChooses("c:\\shows\\trip.avl");
  session.ExpectMessage(MsgKind::Confirm, std::string(ed::kResetIndicesQuestion), mrNo);
  session.ExpectMessage(MsgKind::Confirm, std::string(ed::kResetIndicesQuestion), mrYes);
  const int32_t r = Run([](User& u, TEditorForm& f) {
    u.Select("Tab", 1);
    u.Click("BtnCatalog");
    EXPECT_EQ(f.State().CatalogId, "ABCDE");
    EXPECT_EQ(f.Grid.Cell(ed::kColThumb, 1), "");
    EXPECT_FALSE(f.State().Modified);
    u.Click("BtnCatalog");
  });
  EXPECT_EQ(r, 1);
  EXPECT_EQ(Key("AVLidx"), "2");
  const std::string text = FileText("c:\\shows\\trip.avl");
  EXPECT_EQ(text.find("Cat=ABCDE"), std::string::npos) << text;
  EXPECT_NE(text.find("T=1\r\n"), std::string::npos) << text;
}

TEST_F(Thumbs, KillAllDeletesTheThumbnailsOnYesOnly) {
  session.ExpectMessage(MsgKind::Warning, std::string(ed::kKillAllQuestion), mrNo);
  session.ExpectMessage(MsgKind::Warning, std::string(ed::kKillAllQuestion), mrYes);
  Run([this](User& u, TEditorForm& f) {
    Catalog(f, 10);
    f.Grid.SetCell(ed::kColThumb, 10, std::string(ed::kNoThumb));
    u.Select("Tab", 1);
    u.Click("BtnKillCat");
    EXPECT_TRUE(machine.files.ReadFile("c:\\viewer\\ABCDE1.BMP"));
    u.Click("BtnKillCat");
    for (int r = 1; r <= 9; ++r) EXPECT_EQ(f.Grid.Cell(ed::kColThumb, r), "") << r;
    EXPECT_EQ(f.Grid.Cell(ed::kColThumb, 10), std::string(ed::kNoThumb));
    EXPECT_FALSE(machine.files.ReadFile("c:\\viewer\\ABCDE1.BMP"));
    EXPECT_FALSE(machine.files.ReadFile("c:\\viewer\\ABCDE9.BMP"));
    EXPECT_EQ(Count(Draw(f), "picture"), 0);
    EXPECT_FALSE(f.Thumbnail.Visible());
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

TEST_F(Thumbs, TaggedSlidesGoToTheHostInTheTagListWithResultTwo) {
  machine.files.AddFile("c:\\viewer\\tag.lst", "old");
  const int32_t r = Run([](User& u, TEditorForm& f) {
    Fill(f, 5);
    f.State().Modified = false;
    for (int row : {4, 2}) {
      u.SelectCell("Grid", ed::kColName, row);
      u.Click("BtnTag");
    }
    u.SelectCell("Grid", ed::kColName, 3);
    u.Click("BtnTag");
    u.Click("BtnTag");  // twice: untagged again
    EXPECT_FALSE(f.State().Modified);
    u.Click("BtnView");
  });
  EXPECT_EQ(r, 2);
  EXPECT_EQ(w95::ReadTagList("c:\\viewer\\"),
            (std::vector<std::string>{"c:\\pics\\b.bmp", "c:\\pics\\d.bmp"}));
}

TEST_F(Thumbs, ATagListThatCannotReachTheHostIsReportedAndTheEditorStays) {
  // A folder that is gone, then no "AppDir" at all: the list would go where
  // the host does not look, and the host would show an old one.
  machine.files.AddFile("c:\\windows\\tag.lst", "old");
  SetKey("AppDir", "c:\\gone");
  session.ExpectMessage(MsgKind::Error, "Unable to write to c:\\gone\\tag.lst", mrOk);
  const int32_t gone = Run([](User& u, TEditorForm& f) {
    Fill(f, 3);
    u.SelectCell("Grid", ed::kColName, 2);
    u.Click("BtnTag");
    u.Click("BtnView");
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone);
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
  EXPECT_EQ(gone, 0);
  w95::TIniFile("plimbo.ini").DeleteKey("plimbo", "AppDir");
  session.ExpectMessage(MsgKind::Error, std::string(ed::kNoAppDirForTags), mrOk);
  const int32_t none = Run([](User& u, TEditorForm& f) {
    Fill(f, 3);
    u.SelectCell("Grid", ed::kColName, 2);
    u.Click("BtnTag");
    u.Click("BtnView");
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone);
    EXPECT_TRUE(ed::IsTagged(f.Grid, 2)) << "the tag stays for another try";
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
  EXPECT_EQ(none, 0);
  EXPECT_TRUE(machine.files.Find("c:\\windows\\*tag.lst").size() == 1u);
  EXPECT_EQ(FileText("c:\\windows\\tag.lst"), "old");
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Thumbs, WithoutTagsAGraphicIsPlayedAndAnythingElseExplained) {
  StartWith("c:\\shows\\trip.avl");
  machine.files.AddFile("c:\\viewer\\tag.lst", "old");
  session.ExpectMessage(MsgKind::Information, std::string(ed::kNothingToView), mrOk);
  session.ExpectMessage(MsgKind::Error, "Cannot start c:\\viewer\\plmsld.exe /x", mrOk);
  Run([this](User& u, TEditorForm& f) {
    u.Click("BtnView");  // slide 1, a graphic
    EXPECT_EQ(machine.desktop.execs, std::vector<std::string>{"c:\\viewer\\plmsld.exe /x"});
    EXPECT_EQ(machine.desktop.execShows, std::vector<int>{0}) << "hidden";
    EXPECT_EQ(Key("SaveAs"), f.Grid.Cell(ed::kColPath, 1));
    EXPECT_FALSE(machine.files.ReadFile("c:\\viewer\\tag.lst")) << "an old list is gone";
    u.SelectCell("Grid", ed::kColName, 2);  // the video
    u.Click("BtnView");
    EXPECT_EQ(machine.desktop.execs.size(), 1u);
    u.SelectCell("Grid", ed::kColName, 1);
    machine.desktop.execResult = false;
    u.Click("BtnView");
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone);
    u.Click("BtnQuit");
  });
}

}  // namespace
}  // namespace editor_test
