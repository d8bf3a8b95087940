// Every script the writer makes reads back as the same slides: random
// scripts of every kind with odd but legal paths and values, the paths that
// once came back changed, and the values a script cannot hold.
#include <gtest/gtest.h>

#include <random>

#include "editor/memory_files.h"
#include "editor/script_file.h"
#include "editor/script_model.h"
#include "editor/script_sources.h"

namespace w95::editor {
namespace {

const std::string M(kNotApplicable);
const std::string kTarget = "c:\\shows\\show.avl";

class RoundTripTest : public ::testing::Test {
 protected:
  void SetUp() override { header = {800, 600, "J74S8", "c:\\viewer\\"}; }

  WriteResult Save(const ui::StringGrid& g) { return SaveScriptFile(g, header, files, kTarget); }
  ReadResult Load(ui::StringGrid& into) {
    SetUpGrid(into);
    TextSource source(files.files[kTarget]);
    return ReadScript(source, into, files);
  }
  // `back` after a save of `g` and a load; fails the test when either fails.
  void Reload(const ui::StringGrid& g, ui::StringGrid& back) {
    const WriteResult saved = Save(g);
    EXPECT_TRUE(saved.ok) << SaveErrorMessage(saved, kTarget);
    EXPECT_TRUE(Load(back).Ok()) << files.files[kTarget];
  }
  static void ExpectSameSlides(const ui::StringGrid& want, const ui::StringGrid& got,
                               const std::string& context) {
    ASSERT_EQ(got.RowCount(), want.RowCount()) << context;
    for (int r = 1; r < want.RowCount(); ++r)
      for (int c = 0; c < kColumnCount; ++c)
        ASSERT_EQ(got.Cell(c, r), want.Cell(c, r)) << "slide " << r << ", column " << c << "\n"
                                                   << context;
  }

  ScriptHeader header;
  test::MemoryFiles files;
};

// A random slide as loading leaves it: the kind's cells after the checks
// that follow a load, with values anywhere in the editor's ranges.
class RandomScript {
 public:
  explicit RandomScript(unsigned seed) : rng_(seed) {}

  void Fill(ui::StringGrid& g, test::MemoryFiles& files) {
    SetUpGrid(g);
    const int slides = Between(1, 12);
    g.SetRowCount(slides + 1);
    for (int r = 1; r <= slides; ++r) Slide(g, r, files);
  }

 private:
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  template <class T>
  const T& Pick(std::initializer_list<T> items) {
    return items.begin()[Between(0, static_cast<int>(items.size()) - 1)];
  }
  std::string Number(int lo, int hi) { return std::to_string(Between(lo, hi)); }

  std::string Path(const char* extension, bool graphic) {
    const std::string folder =
        Pick<const char*>({"c:\\pics\\", "d:\\a b\\c,d\\", "c:\\", "", "c:", "\\",
                           "\\\\server\\share\\", "c:\\pics\\old.gen\\", "e:\\[x];y=z\\"});
    std::string stem = Pick<const char*>(
        {"sunset", "a,b", "my pic", " lead", "trail ", "'q'", "x=1", ";semi", "1,2,3", "\"q\""});
    // A folder alone (a path ending in "\" or ":") is a graphic slide.
    if (graphic && Between(0, 9) == 0) return folder.empty() ? "c:\\pics\\" : folder;
    return folder + stem + extension;
  }

  void Colour(ui::StringGrid& g, int r) {
    const bool has = Between(0, 2) != 0;
    g.SetCell(kColHasColour, r, std::string(has ? kYes : kNo));
    g.SetCell(kColColour, r, has ? Number(0, 0xFFFFFF) : "");
  }
  void Position(ui::StringGrid& g, int r) {
    const bool mid = Between(0, 2) == 0;
    g.SetCell(kColHorz, r, mid ? std::string(kMid) : Between(0, 1) ? "Left" : Number(0, 767));
    g.SetCell(kColVert, r, mid ? std::string(kMid) : Between(0, 1) ? "Top" : Number(0, 567));
  }

  void Slide(ui::StringGrid& g, int r, test::MemoryFiles& files) {
    g.SetCell(kColNumber, r, std::to_string(r));
    const SlideKind kind =
        Pick({SlideKind::Graphic, SlideKind::Video, SlideKind::QuickTime, SlideKind::Animation,
              SlideKind::Audio, SlideKind::Script, SlideKind::CdTrack});
    if (kind == SlideKind::CdTrack) {
      SetUpCD(g, r, Between(1, 99));
      g.SetCell(kColWait, r, Number(0, 32000));
      ValidateCD(g, r);
      return;
    }
    const char* extension = ".bmp";
    switch (kind) {
      case SlideKind::Graphic:
        extension = Pick<const char*>({".bmp", ".jpg", "", ".pcx"});
        break;
      case SlideKind::Video:
        extension = Pick<const char*>({".avi", ".mpg", ".dat"});
        break;
      case SlideKind::QuickTime:
        extension = ".mov";
        break;
      case SlideKind::Animation:
        extension = Pick<const char*>({".fli", ".flc", ".flx"});
        break;
      case SlideKind::Audio:
        extension = Pick<const char*>({".wav", ".mid"});
        break;
      default:
        extension = ".avl";
        break;
    }
    const std::string path = Path(extension, kind == SlideKind::Graphic);
    g.SetCell(kColPath, r, path);
    g.SetCell(kColName, r, files.LongNameOf(path));
    SetUpKind(g, r, kind);
    const int x = Between(0, kind == SlideKind::Graphic ? kEffectCount - 1 : 19);
    g.SetCell(kColValue, r, std::to_string(x));
    g.SetCell(kColWait, r, Number(0, 32000));
    switch (kind) {
      case SlideKind::Graphic:
        Colour(g, r);
        g.SetCell(kColEffect, r, std::string(EffectNames()[static_cast<size_t>(x)]));
        Position(g, r);
        g.SetCell(kColGamma, r, Number(10, 500));
        g.SetCell(kColThumb, r, Pick<const char*>({"", "1", "VV", "A3K"}));
        ValidateGraphic(g, r);
        break;
      case SlideKind::Video:
      case SlideKind::QuickTime:
        Colour(g, r);
        g.SetCell(kColEffect, r, LoopText(x + 1));
        Position(g, r);
        g.SetCell(kColZoom, r, Number(25, 400));
        g.SetCell(kColVolume, r, Number(0, 100));
        g.SetCell(kColSpeed, r, Number(25, 200));
        break;
      case SlideKind::Animation:
        Colour(g, r);
        g.SetCell(kColEffect, r, LoopText(x + 1));
        ValidateFLI(g, r);
        break;
      case SlideKind::Audio:
        ValidateAudio(g, r);
        break;
      default:
        ValidateAVL(g, r);
        break;
    }
  }

  std::mt19937 rng_;
};

TEST_F(RoundTripTest, RandomScriptsOfEveryKindReadBackTheSame) {
  for (unsigned seed = 1; seed <= 400; ++seed) {
    ui::StringGrid g, back;
    RandomScript(seed).Fill(g, files);
    Reload(g, back);
    ExpectSameSlides(g, back, "seed " + std::to_string(seed) + "\n" + files.files[kTarget]);
    if (HasFatalFailure()) return;
  }
}

TEST_F(RoundTripTest, PathsThatOnceCameBackChanged) {
  const char* paths[] = {"c:\\pics\\",  // a folder, as an old script's "File=c:\pics\"
                         "c:",          // a drive's current folder
                         "c:pic.bmp",   // relative to it
                         "pic.bmp",     // no folder at all
                         "\\pic.bmp",   // the root of the current drive
                         "c:\\pics\\a,b.bmp",
                         "c:\\pics\\1,2"};
  ui::StringGrid g;
  SetUpGrid(g);
  g.SetRowCount(static_cast<int>(std::size(paths)) + 1);
  for (int r = 1; r < g.RowCount(); ++r) {
    g.SetCell(kColNumber, r, std::to_string(r));
    g.SetCell(kColPath, r, paths[r - 1]);
    g.SetCell(kColName, r, files.LongNameOf(paths[r - 1]));
    SetUpGraphic(g, r);
    ValidateGraphic(g, r);
  }
  // The same paths after two saves, whatever the current folder is meanwhile.
  ui::StringGrid once, twice;
  Reload(g, once);
  ExpectSameSlides(g, once, files.files[kTarget]);
  files.currentDirectory = "d:\\elsewhere";
  Reload(once, twice);
  ExpectSameSlides(g, twice, files.files[kTarget]);
  EXPECT_NE(files.files[kTarget].find("F=a,b.bmp,1\r\n"), std::string::npos);
  EXPECT_NE(files.files[kTarget].find("F=,1\r\n"), std::string::npos);  // the folder itself
}

TEST_F(RoundTripTest, OlderFilesKeepTheirMeaning) {
  // One comma, nothing after it, a name alone: as the generations wrote them.
  files.files[kTarget] =
      "[Header]\r\nVer=5\r\nN=4\r\n[Directory]\r\n0=c:\\v\\\r\n1=d:\\p\\\r\n"
      "[1]\r\nF=a.bmp,1\r\n[2]\r\nF=b.bmp,\r\n[3]\r\nF=c.bmp\r\n";
  ui::StringGrid g;
  ASSERT_TRUE(Load(g).Ok());
  EXPECT_EQ(g.Cell(kColPath, 1), "d:\\p\\a.bmp");
  EXPECT_EQ(g.Cell(kColPath, 2), "c:\\v\\b.bmp");
  EXPECT_EQ(g.Cell(kColPath, 3), "c:\\v\\c.bmp");
  // A slide with no "F" at all is still damage.
  files.files[kTarget] = "[Header]\r\nVer=6\r\nN=3\r\n[1]\r\nF=a.bmp,0\r\n[2]\r\nX=1\r\n";
  EXPECT_EQ(Load(g).badRow, 2);
}

TEST_F(RoundTripTest, ValuesTheFileWouldAlterAreQuotedAndTheRestRefused) {
  ui::StringGrid g;
  SetUpGrid(g);
  g.SetRowCount(2);
  g.SetCell(kColNumber, 1, "1");
  g.SetCell(kColPath, 1, "c:\\pics\\ lead.bmp");
  g.SetCell(kColName, 1, " lead.bmp");
  SetUpGraphic(g, 1);
  ValidateGraphic(g, 1);
  g.SetCell(kColThumb, 1, "'A'");
  ui::StringGrid back;
  Reload(g, back);
  ExpectSameSlides(g, back, files.files[kTarget]);
  EXPECT_NE(files.files[kTarget].find("F=\" lead.bmp,1\"\r\n"), std::string::npos);

  const std::string before = files.files[kTarget];
  struct Case {
    int col;
    std::string value;
    std::string message;
  };
  const Case cases[] = {
      {kColPath, "c:\\pics\\two\r\nlines.bmp",
       "Slide 1 cannot be saved: its file name \"c:\\pics\\two\r\nlines.bmp\" holds a line break."},
      {kColPath, "c:\\" + std::string(1100, 'x') + "\\a.bmp",
       "Slide 1 cannot be saved: its file name \"c:\\" + std::string(1100, 'x') +
           "\\a.bmp\" is longer than 1023 characters."},
      {kColGamma, "FF", "Slide 1 cannot be saved: its gamma \"FF\" is not a number."},
      {kColColour, "red",
       "Slide 1 cannot be saved: its background colour \"red\" is not a number."},
      {kColValue, "",
       "Slide 1 cannot be saved: its effect, loop or track value \"\" is not a number."},
      {kColHorz, "1,2", "Slide 1 cannot be saved: its position \"1,2\" holds a comma."},
  };
  for (const Case& c : cases) {
    const std::string kept = g.Cell(c.col, 1);
    g.SetCell(c.col, 1, c.value);
    g.SetCell(kColVert, 1, c.col == kColHorz ? "Top" : std::string(kMid));
    const WriteResult r = Save(g);
    g.SetCell(c.col, 1, kept);
    EXPECT_FALSE(r.ok) << c.message;
    EXPECT_EQ(r.fault, WriteResult::Fault::Slide);
    EXPECT_EQ(SaveErrorMessage(r, kTarget), c.message);
    EXPECT_EQ(files.files[kTarget], before);  // the old file stays whole
    EXPECT_EQ(files.files.size(), 1u);
  }
}

}  // namespace
}  // namespace w95::editor
