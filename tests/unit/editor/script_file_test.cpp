#include <gtest/gtest.h>

#include "editor/memory_files.h"
#include "editor/script_file.h"
#include "editor/script_model.h"
#include "editor/script_sources.h"

namespace w95::editor {
namespace {

const std::string M(kNotApplicable);
const std::string kTarget = "c:\\shows\\show.avl";

class ScriptFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUpGrid(grid);
    header = {800, 600, "J74S8", "C:\\VIEWER\\"};
  }
  // Appends a slide of `kind` for `path` as the add action does.
  int Add(const std::string& path, SlideKind kind) {
    const int row = grid.RowCount();
    grid.SetRowCount(row + 1);
    grid.SetCell(kColNumber, row, std::to_string(row));
    grid.SetCell(kColPath, row, path);
    grid.SetCell(kColName, row, files.LongNameOf(path));
    SetUpKind(grid, row, kind);
    return row;
  }
  std::string Save() { return Save(grid); }
  std::string Save(const ui::StringGrid& g) {
    EXPECT_TRUE(SaveScriptFile(g, header, files, kTarget).ok);
    return files.files[kTarget];
  }
  ReadResult Load(const std::string& text, ui::StringGrid& into) {
    SetUpGrid(into);
    TextSource source(text);
    return ReadScript(source, into, files);
  }
  ReadResult Reload(ui::StringGrid& into) { return Load(Save(), into); }

  ui::StringGrid grid;
  ScriptHeader header;
  test::MemoryFiles files;
};

TEST_F(ScriptFileTest, WritesGenerationSixWithKeysInOrderAndDefaultsLeftOut) {
  grid.SetRowCount(1);
  int r = Add("c:\\pics\\sunset.bmp", SlideKind::Graphic);
  grid.SetCell(kColColour, r, "8388608");  // navy
  grid.SetCell(kColValue, r, "5");
  grid.SetCell(kColWait, r, "3");
  grid.SetCell(kColHorz, r, "Left");
  grid.SetCell(kColVert, r, "120");
  grid.SetCell(kColGamma, r, "255");
  grid.SetCell(kColThumb, r, "1F");
  r = Add("C:\\VIEWER\\logo.bmp", SlideKind::Graphic);  // black, all defaults
  r = Add("c:\\pics\\clip.avi", SlideKind::Video);
  grid.SetCell(kColHasColour, r, "No");
  grid.SetCell(kColVolume, r, "75");
  r = Add("", SlideKind::Audio);
  SetUpCD(grid, r, 7);
  Add("c:\\MUSIC\\song.wav", SlideKind::Audio);
  EXPECT_EQ(Save(),
            "[Header]\r\nVer=6\r\nScreenW=800\r\nScreenH=600\r\nN=6\r\nCat=J74S8\r\n"
            "[Directory]\r\n0=C:\\VIEWER\\\r\n1=c:\\pics\\\r\n2=c:\\music\\\r\n"
            "[1]\r\nF=sunset.bmp,1\r\nB=800000\r\nX=5\r\nW=3\r\nP=Left,120\r\nG=FF\r\nT=1F\r\n"
            "[2]\r\nF=logo.bmp,0\r\nB=0\r\nX=0\r\n"
            "[3]\r\nF=clip.avi,1\r\nX=0\r\nL=75\r\n"
            "[4]\r\nF=" +
                M +
                "\r\nX=7\r\n"
                "[5]\r\nF=song.wav,2\r\nX=1\r\n");
}

TEST_F(ScriptFileTest, PositionIsStoredOnlyWhenNeitherAxisIsMid) {
  grid.SetRowCount(1);
  const std::pair<const char*, const char*> positions[] = {
      {"Left", "Mid"}, {"Mid", "Top"}, {"Left", "Top"}, {"40", "Top"}};
  for (const auto& [h, v] : positions) {
    const int r = Add("c:\\pics\\a.bmp", SlideKind::Graphic);
    grid.SetCell(kColHorz, r, h);
    grid.SetCell(kColVert, r, v);
  }
  ui::StringGrid back;
  ASSERT_TRUE(Reload(back).Ok());
  const std::pair<const char*, const char*> expected[] = {
      {"Mid", "Mid"}, {"Mid", "Mid"}, {"Left", "Top"}, {"40", "Top"}};
  for (int r = 1; r <= 4; ++r) {
    EXPECT_EQ(back.Cell(kColHorz, r), expected[r - 1].first) << r;
    EXPECT_EQ(back.Cell(kColVert, r), expected[r - 1].second) << r;
  }
}

TEST_F(ScriptFileTest, RoundTripsOfTheKinds) {
  grid.SetRowCount(1);
  Add("c:\\pics\\clip.mov", SlideKind::QuickTime);  // no loop cell when added
  Add("c:\\pics\\song.wav", SlideKind::Audio);      // "1" when added
  const int cd = Add("", SlideKind::Audio);
  SetUpCD(grid, cd, 99);
  Add("c:\\pics\\anim.fli", SlideKind::Animation);
  Add("c:\\pics\\next.avl", SlideKind::Script);
  const int g = Add("c:\\pics\\tagged.bmp", SlideKind::Graphic);
  grid.SetCell(kColTag, g, "X");

  ui::StringGrid back;
  ASSERT_TRUE(Reload(back).Ok());
  EXPECT_EQ(back.Cell(kColEffect, 1), "Loop 1x");
  EXPECT_EQ(back.Cell(kColVolume, 1), "50");
  EXPECT_EQ(back.Cell(kColValue, 2), "0");   // audio comes back as "0"
  EXPECT_EQ(back.Cell(kColValue, 3), "99");  // CD tracks past the effects load
  EXPECT_EQ(back.Cell(kColName, 3), "CD Track: 99");
  EXPECT_EQ(back.Cell(kColPath, 3), M);
  EXPECT_EQ(back.Cell(kColEffect, 4), "Loop 1x");
  EXPECT_EQ(back.Cell(kColHorz, 4), M);
  EXPECT_EQ(back.Cell(kColValue, 5), M);
  EXPECT_EQ(back.Cell(kColTag, 6), "");  // tags are not stored
  EXPECT_EQ(back.Cell(kColNumber, 6), "6");

  // The second save writes what was read: the audio slide now has X=0.
  const std::string again = Save(back);
  EXPECT_NE(again.find("[2]\r\nF=song.wav,1\r\nX=0\r\n"), std::string::npos);
  ui::StringGrid third;
  ASSERT_TRUE(Load(again, third).Ok());
  for (int r = 1; r < back.RowCount(); ++r) {
    for (int c = 0; c < kColumnCount; ++c)
      EXPECT_EQ(third.Cell(c, r), back.Cell(c, r)) << r << "," << c;
  }
}

TEST_F(ScriptFileTest, GammaIsHexadecimalOnlyInGenerationSix) {
  const std::string body =
      "[Directory]\r\n0=c:\\v\\\r\n[1]\r\nF=a.bmp\r\nG=64\r\nB=255\r\n[2]\r\nF=b.bmp,\r\n";
  ui::StringGrid six, five;
  ASSERT_TRUE(Load("[Header]\r\nVer=6\r\nN=3\r\n" + body, six).Ok());
  ASSERT_TRUE(Load("[Header]\r\nVer=5\r\nN=3\r\n" + body, five).Ok());
  EXPECT_EQ(six.Cell(kColGamma, 1), "100");
  EXPECT_EQ(five.Cell(kColGamma, 1), "64");
  EXPECT_EQ(six.Cell(kColColour, 1), "597");
  EXPECT_EQ(five.Cell(kColColour, 1), "255");
  // No "X": effect 1. Nothing after the comma: folder 0.
  EXPECT_EQ(six.Cell(kColValue, 2), "1");
  EXPECT_EQ(six.Cell(kColEffect, 2), "Wipe Dn");
  EXPECT_EQ(six.Cell(kColPath, 2), "c:\\v\\b.bmp");
  EXPECT_EQ(six.Cell(kColHasColour, 2), "No");
}

TEST_F(ScriptFileTest, ReadsTheOldestGenerationByProbing) {
  const std::string text =
      "[1]\r\nFile=c:\\pics\\old.bmp\r\nColor=65280\r\nFX=3\r\nWait=2\r\nHpos=Left\r\n"
      "Vpos=Top\r\nG=120\r\n"
      "[2]\r\nFile=c:\\pics\\clip.avi\r\nFX=2\r\nVid=200\r\nVol=30\r\n"
      "[3]\r\nFile=" +
      M + "\r\nFX=45\r\n[5]\r\nFile=c:\\pics\\unreached.bmp\r\n";
  ui::StringGrid g;
  const ReadResult result = Load(text, g);
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(result.rowCount, 4);
  EXPECT_EQ(g.Cell(kColColour, 1), "65280");
  EXPECT_EQ(g.Cell(kColEffect, 1), "Wipe Rt");
  EXPECT_EQ(g.Cell(kColHorz, 1), "Left");
  EXPECT_EQ(g.Cell(kColGamma, 1), "120");
  EXPECT_EQ(g.Cell(kColEffect, 2), "Loop 3x");
  EXPECT_EQ(g.Cell(kColZoom, 2), "200");
  EXPECT_EQ(g.Cell(kColVolume, 2), "30");
  EXPECT_EQ(g.Cell(kColName, 3), "CD Track: 45");
}

TEST_F(ScriptFileTest, BadFilesAndBadRows) {
  struct Case {
    const char* what;
    std::string text;
    bool fileOk;
    int badRow;
  };
  const std::string dir = "[Directory]\r\n0=c:\\\r\n";
  const Case cases[] = {
      {"empty", "", false, 0},
      {"count 1", "[Header]\r\nVer=6\r\nN=1\r\n", false, 0},
      {"count huge", "[Header]\r\nVer=6\r\nN=2000000000\r\n", false, 0},
      {"effect 30 on a graphic",
       "[Header]\r\nVer=6\r\nN=3\r\n" + dir + "[1]\r\nF=a.bmp,0\r\n[2]\r\nF=b.bmp,0\r\nX=30\r\n",
       true, 2},
      {"loops past the effects",
       "[Header]\r\nVer=6\r\nN=2\r\n" + dir + "[1]\r\nF=a.avi,0\r\nX=31\r\n", true, 1},
      {"colour not hexadecimal",
       "[Header]\r\nVer=6\r\nN=2\r\n" + dir + "[1]\r\nF=a.bmp,0\r\nB=red\r\n", true, 1},
      {"section missing",
       "[Header]\r\nVer=6\r\nN=4\r\n" + dir + "[1]\r\nF=a.bmp,0\r\n[3]\r\nF=b.bmp,0\r\n", true, 2},
  };
  for (const auto& c : cases) {
    ui::StringGrid g;
    SetUpGrid(g);
    g.SetCell(kColName, 1, "kept");
    TextSource source(c.text);
    const ReadResult r = ReadScript(source, g, files);
    EXPECT_EQ(r.fileOk, c.fileOk) << c.what;
    EXPECT_EQ(r.badRow, c.badRow) << c.what;
    if (!c.fileOk) {
      EXPECT_EQ(g.Cell(kColName, 1), "kept") << c.what;
    }
    if (c.badRow > 1) {
      EXPECT_EQ(g.Cell(kColName, 1), "a.bmp") << c.what;
    }
  }
}

TEST_F(ScriptFileTest, ManySlidesLoadFullyAndWarn) {
  grid.SetRowCount(1);
  for (int i = 0; i < 1700; ++i)
    Add("c:\\pics\\p" + std::to_string(i) + ".bmp", SlideKind::Graphic);
  ui::StringGrid back;
  const ReadResult r = Reload(back);
  EXPECT_TRUE(r.Ok());
  EXPECT_TRUE(r.TooMany());
  EXPECT_EQ(back.RowCount(), 1701);
  EXPECT_EQ(back.Cell(kColPath, 1700), "c:\\pics\\p1699.bmp");
}

TEST_F(ScriptFileTest, SavingReplacesTheOldScriptWhollyOrNotAtAll) {
  files.files[kTarget] =
      "[Header]\r\nVer=6\r\nN=2\r\nOld=1\r\n[1]\r\nF=old.bmp,0\r\nZ=7\r\n[99]\r\nX=1\r\n";
  const std::string old = files.files[kTarget];
  grid.SetRowCount(1);
  for (int i = 0; i < 12; ++i) Add("c:\\pics\\n" + std::to_string(i) + ".bmp", SlideKind::Graphic);

  // Writes 1 and 2 are the header and the folders; slide 12 is the 14th write.
  files.writesBeforeFailure = 13;
  const WriteResult failed = SaveScriptFile(grid, header, files, kTarget);
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(failed.slide, 12);
  EXPECT_EQ(failed.fault, WriteResult::Fault::Disk);
  EXPECT_EQ(SaveErrorMessage(failed, kTarget), std::string("Unable to write to ") + kTarget +
                                                   "\nThe disk is full or cannot be written.")
      << "a full disk is not a script with too many slides";
  EXPECT_EQ(SaveAbortedMessage(failed.slide),
            "Save aborted at slide #4\nToo many slides or features.");
  EXPECT_EQ(SaveAbortedMessage(10), "Save aborted at slide #10\nToo many slides or features.");
  EXPECT_EQ(files.files[kTarget], old);
  EXPECT_EQ(files.files.size(), 1u);  // the temporary file is gone

  files.writesBeforeFailure = -1;
  const std::string text = Save();
  EXPECT_EQ(text.find("Old="), std::string::npos);
  EXPECT_EQ(text.find("[99]"), std::string::npos);
  EXPECT_EQ(text.find("Z=7"), std::string::npos);
  EXPECT_EQ(files.files.size(), 1u);
}

TEST(NumberForms, HexadecimalWithoutLeadingZeros) {
  EXPECT_EQ(HexText(255), "FF");
  EXPECT_EQ(HexText(0x800000), "800000");
  EXPECT_EQ(HexText(0), "0");
  EXPECT_EQ(HexText(0xFFFFFFFFu), "FFFFFFFF");
  EXPECT_EQ(ParseHex("ff"), 255);
  EXPECT_EQ(ParseHex("FFFFFFFF"), -1);
  EXPECT_EQ(ParseHex("100000000"), std::nullopt);
  EXPECT_EQ(ParseHex(""), std::nullopt);
  EXPECT_EQ(ParseHex("0x1"), std::nullopt);
  EXPECT_EQ(ParseDecimal("-12"), -12);
  EXPECT_EQ(ParseDecimal("12a"), std::nullopt);
}

}  // namespace
}  // namespace w95::editor
