// Under Wine: the editor's one-pass reader gives what the real profile API
// gives key by key, and the one-text writer produces the very bytes that
// key-by-key WritePrivateProfileStringA calls produce.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api_script.h"
#include "editor/script_model.h"
#include "editor/script_sources.h"
#include "platform/platform.h"
#include "platform/win32/win32_machine.h"
#include "script_fixture.h"
#include "settings/paths.h"

namespace w95 {
namespace {

const std::string kFolder = "c:\\w95script";
const std::string M(editor::kNotApplicable);

void WriteBytes(const std::string& file, const std::string& bytes) {
  ASSERT_TRUE(platform::Current().files->WriteFile(file, bytes)) << file;
  apiscript::MakeOld(file);
}

std::string ReadBytes(const std::string& file) {
  return platform::Current().files->ReadFile(file).value_or("<missing>");
}

class ScriptUnderWine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform::InstallWin32Machine();
    platform::Current().files->CreateDirectory(kFolder);
  }
  // Reads `file` both ways and expects the same outcome and the same cells.
  editor::ReadResult ExpectSameReading(const std::string& file, const std::string& what,
                                       std::string* firstPath = nullptr) {
    ui::StringGrid byApi, byText;
    editor::SetUpGrid(byApi);
    editor::SetUpGrid(byText);
    apiscript::ApiSource api(file);
    editor::TextSource text(ReadBytes(file));
    const auto a = editor::ReadScript(api, byApi, files);
    const auto t = editor::ReadScript(text, byText, files);
    EXPECT_EQ(a.fileOk, t.fileOk) << what;
    EXPECT_EQ(a.badRow, t.badRow) << what;
    EXPECT_EQ(a.rowCount, t.rowCount) << what;
    EXPECT_EQ(a.generation, t.generation) << what;
    EXPECT_EQ(a.catalogId, t.catalogId) << what;
    EXPECT_EQ(byApi.RowCount(), byText.RowCount()) << what;
    if (byApi.RowCount() != byText.RowCount()) return t;
    for (int r = 0; r < byApi.RowCount(); ++r) {
      for (int c = 0; c < editor::kColumnCount; ++c) {
        EXPECT_EQ(byApi.Cell(c, r), byText.Cell(c, r)) << what << " row " << r << " col " << c;
      }
    }
    if (firstPath && byText.RowCount() > 1) *firstPath = byText.Cell(editor::kColPath, 1);
    return t;
  }
  editor::PlatformScriptFiles files;
};

struct Case {
  const char* what;
  std::string text;
  int rowCount;  // as read; 0 for a bad file
  int badRow;
};

std::vector<Case> Cases() {
  const std::string longValue(1500, 'A');
  return {
      {"generation 6 with the profile rules at work",
       "[Header]\r\nVer=6\r\nScreenW=800\r\nScreenH=600\r\nN=7\r\nCat=J74S8\r\n"
       "[Directory]\r\n0=C:\\VIEWER\\\r\n1=c:\\pics\\\r\n  2 = c:\\music\\  \r\n"
       "[1]\r\nF=sunset.bmp,1\r\nB=800000\r\nX=5\r\nW=3\r\nP=Left,120\r\nG=FF\r\nT=1F\r\n"
       "[2]\r\nf = \"logo.bmp,0\"\r\nb=0\r\nx=12\r\nno equals sign here\r\nW=\r\n"
       "[3]\r\nF=clip.mov,1\r\nX=2\r\nL=75\r\nZ=200\r\nS=150\r\nX=9\r\n"
       "[4]\r\nF=" +
           M + "\r\nX=77\r\nT=" + longValue +
           "\r\n"
           "[5]\r\nF=song.wav,2\r\nX=1\r\n"
           "[6]\r\nF=anim.flc,\r\nX=3\r\nP=10,20\r\n"
           "[2]\r\nF=shadowed.bmp,1\r\nX=4\r\n",
       7, 0},
      {"generation 5: decimal colour and gamma",
       "[Header]\nVer=5\nN=3\n[Directory]\n0=c:\\v\\\n[1]\nF=a.bmp\nG=64\nB=255\n"
       "[2]\nF=b.bmp,7\nX=29\n",
       3, 0},
      {"oldest generation, counted by probing",
       "[1]\r\nFile=c:\\pics\\old.bmp\r\nColor=65280\r\nFX=3\r\nWait=2\r\nHpos=Left\r\n"
       "Vpos=Top\r\nG=120\r\n[2]\r\nFile=c:\\pics\\clip.avi\r\nFX=2\r\nVid=200\r\nVol=30\r\n"
       "[3]\r\nFile=" +
           M + "\r\nFX=45\r\n[5]\r\nFile=c:\\pics\\unreached.bmp\r\n",
       4, 0},
      {"carriage returns only", "[Header]\rVer=6\rN=2\r[Directory]\r0=c:\\\r[1]\rF=x.bmp,0\rG=C8\r",
       2, 0},
      {"a bad row stops the reading",
       "[Header]\r\nVer=6\r\nN=4\r\n[Directory]\r\n0=c:\\\r\n[1]\r\nF=a.bmp,0\r\n"
       "[2]\r\nF=b.bmp,0\r\nX=30\r\n[3]\r\nF=c.bmp,0\r\n",
       4, 2},
      {"a count of one", "[Header]\r\nVer=6\r\nN=1\r\n", 0, 0},
      {"not a script", "just some text\r\nwith=keys\r\n", 0, 0},
  };
}

TEST_F(ScriptUnderWine, OnePassReadingMatchesTheProfileApi) {
  const auto cases = Cases();
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string file = kFolder + "\\case" + std::to_string(i) + ".avl";
    WriteBytes(file, cases[i].text);
    std::string firstPath;
    const auto result = ExpectSameReading(file, cases[i].what, &firstPath);
    EXPECT_EQ(result.rowCount, cases[i].rowCount) << cases[i].what;
    EXPECT_EQ(result.badRow, cases[i].badRow) << cases[i].what;
    if (i == 0) {
      EXPECT_EQ(firstPath, "c:\\pics\\sunset.bmp");
    }
  }
}

TEST_F(ScriptUnderWine, AMissingFileIsABadFileBothWays) {
  ExpectSameReading(kFolder + "\\nothere.avl", "missing file");
}

TEST_F(ScriptUnderWine, LargeScriptReadsTheSameAndWritesTheSameBytes) {
  ui::StringGrid grid;
  bench::MakeScript(grid, 1800);
  const editor::ScriptHeader header{1024, 768, "J74S8", "C:\\VIEWER\\"};
  const std::string target = kFolder + "\\large.avl";
  ASSERT_TRUE(editor::SaveScriptFile(grid, header, files, target).ok);
  apiscript::MakeOld(target);
  ExpectSameReading(target, "1800 slides");

  // Key by key into a new file gives the same bytes (a shorter script: the
  // profile API takes seconds for this).
  ui::StringGrid small;
  bench::MakeScript(small, 120);
  const std::string byText = kFolder + "\\bytext.avl";
  const std::string byApi = kFolder + "\\byapi.avl";
  platform::Current().files->DeleteFile(byApi);
  ASSERT_TRUE(editor::SaveScriptFile(small, header, files, byText).ok);
  apiscript::ApiSink sink(byApi);
  ASSERT_TRUE(editor::WriteScript(small, header, files, sink).ok);
  const std::string text = ReadBytes(byText);
  EXPECT_GT(text.size(), 3000u);
  EXPECT_EQ(text, ReadBytes(byApi));
}

TEST_F(ScriptUnderWine, SavingReplacesTheOldScriptAndFailsWithoutHarm) {
  const std::string target = kFolder + "\\replace.avl";
  WriteBytes(target, "[Header]\r\nVer=6\r\nN=2\r\nOld=1\r\n[1]\r\nF=old.bmp,0\r\n[77]\r\nX=1\r\n");
  ui::StringGrid grid;
  bench::MakeScript(grid, 12);
  const editor::ScriptHeader header{1024, 768, "J74S8", "C:\\VIEWER\\"};
  ASSERT_TRUE(editor::SaveScriptFile(grid, header, files, target).ok);
  const std::string text = ReadBytes(target);
  EXPECT_EQ(text.find("Old="), std::string::npos);
  EXPECT_EQ(text.find("[77]"), std::string::npos);
  EXPECT_FALSE(files.Exists(kFolder + "\\~avl0.tmp"));

  // A read-only script is refused, as Windows refuses it, and stays as it was.
  const std::string locked = kFolder + "\\locked.avl";
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
  WriteBytes(locked, "[Header]\r\nVer=6\r\nN=1\r\n");
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  const auto refused = editor::SaveScriptFile(grid, header, files, locked);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.fault, editor::WriteResult::Fault::Target);
  EXPECT_EQ(ReadBytes(locked), "[Header]\r\nVer=6\r\nN=1\r\n");
  EXPECT_NE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_FALSE(files.Exists(kFolder + "\\~avl0.tmp"));
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

  // A folder that does not exist: nothing can be written, nothing is left.
  const auto failed = editor::SaveScriptFile(grid, header, files, kFolder + "\\no\\x.avl");
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(failed.slide, 0);
}

TEST_F(ScriptUnderWine, PathFormsFromOneSearchOfAFolderAreThoseOfTheFileByFile) {
  auto& fs = *platform::Current().files;
  fs.CreateDirectory(kFolder + "\\Long Folder Name");
  ASSERT_TRUE(fs.WriteFile(kFolder + "\\Long Folder Name\\Holiday Picture.jpeg", "x"));
  ASSERT_TRUE(fs.WriteFile(kFolder + "\\Long Folder Name\\short.bmp", "x"));
  ASSERT_TRUE(fs.WriteFile(kFolder + "\\MixedCase.Bmp", "x"));
  const std::string shortHoliday =
      fs.ShortPath(kFolder + "\\Long Folder Name\\Holiday Picture.jpeg");
  ASSERT_FALSE(shortHoliday.empty());
  const std::vector<std::string> paths = {kFolder + "\\long folder name\\holiday picture.jpeg",
                                          shortHoliday,
                                          kFolder + "\\Long Folder Name\\SHORT.BMP",
                                          kFolder + "\\long folder name\\gone.bmp",
                                          kFolder + "\\mixedcase.bmp",
                                          kFolder + "\\nowhere\\x.bmp",
                                          "c:\\x.bmp"};
  std::string text;
  for (size_t i = 0; i < paths.size(); ++i) {
    text.append(1, '[').append(std::to_string(i + 1)).append("]\r\nFile=");
    text.append(paths[i]).append("\r\n");
  }
  editor::TextSource source(text);
  ui::StringGrid g;
  editor::SetUpGrid(g);
  ASSERT_TRUE(editor::ReadScript(source, g, files).Ok());
  for (size_t i = 0; i < paths.size(); ++i) {
    std::string expected = w95::ShortPathOf(paths[i]);
    for (char& c : expected) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const int row = static_cast<int>(i) + 1;
    EXPECT_EQ(g.Cell(editor::kColPath, row), expected) << paths[i];
    EXPECT_EQ(g.Cell(editor::kColName, row), w95::LongNameOf(paths[i])) << paths[i];
  }
  EXPECT_EQ(g.Cell(editor::kColName, 1), "Holiday Picture.jpeg");
}

}  // namespace
}  // namespace w95
