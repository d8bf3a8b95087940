// Profile text beyond the vectors: long edit sequences, the index after
// deletes, and whole slide scripts written and read key by key.
#include "text/profile_text.h"

#include <gtest/gtest.h>

#include <string>

namespace w95 {
namespace {

constexpr size_t kBuf = 1024;

// A slide-script-like text: a header, then [1]..[n] with six keys each.
std::string Script(int slides) {
  std::string s = "[Header]\r\nVer=4\r\nN=" + std::to_string(slides) + "\r\n";
  for (int i = 1; i <= slides; ++i) {
    const std::string n = std::to_string(i);
    s += "[" + n + "]\r\nF=slide" + n + ".bmp,0\r\nB=FF\r\nX=3\r\nW=" + n +
         "\r\nP=Left,120\r\nG=64\r\n";
  }
  return s;
}

TEST(ProfileText, KeepsEveryByteOfWhatItParsed) {
  for (const std::string& text :
       {std::string(), std::string("[s]"), std::string("a\rb\nc\r\nd"),
        std::string("x\0y\r\n[s]\r\n\r\n", 12), std::string("[s]\r\r\nk=v\x1a\r\n\x1a"),
        std::string("\xef\xbb\xbf[s]\r\nk=caf\xc3\xa9\r\n")}) {
    EXPECT_EQ(ProfileText(text).Text(), text);
  }
}

TEST(ProfileText, WritingAScriptKeyByKeyGivesThePlainLayout) {
  const std::string want = Script(2000);
  ProfileText text;
  text.Write("Header", "Ver", "4");
  text.Write("Header", "N", "2000");
  for (int i = 1; i <= 2000; ++i) {
    const std::string n = std::to_string(i);
    text.Write(n, "F", "slide" + n + ".bmp,0");
    text.Write(n, "B", "FF");
    text.Write(n, "X", "3");
    text.Write(n, "W", n);
    text.Write(n, "P", "Left,120");
    text.Write(n, "G", "64");
  }
  EXPECT_EQ(text.Text(), want);
}

TEST(ProfileText, ReadsEveryKeyOfABigScript) {
  const ProfileText text(Script(10000));
  EXPECT_EQ(text.GetString("header", "n", "", kBuf), "10000");
  for (int i = 1; i <= 10000; i += 97) {
    const std::string n = std::to_string(i);
    EXPECT_EQ(text.GetString(n, "f", "ERROR", kBuf), "slide" + n + ".bmp,0");
    EXPECT_EQ(text.GetString(n, "W", "ERROR", kBuf), n);
  }
  EXPECT_EQ(text.GetString("10001", "F", "ERROR", kBuf), "ERROR");
  EXPECT_EQ(text.SectionNames(1 << 20).size(), 10001u);
  EXPECT_EQ(text.KeyNames("5000", 8192), (std::vector<std::string>{"F", "B", "X", "W", "P", "G"}));
}

TEST(ProfileText, DeletingTheFirstKeyOfANameShowsTheNextOne) {
  ProfileText text("[d]\r\nk=1\r\nj=0\r\nK=2\r\n");
  text.Write("d", "k", std::nullopt);
  EXPECT_EQ(text.GetString("d", "k", "-", kBuf), "2");
  text.Write("d", "k", "3");
  EXPECT_EQ(text.Text(), "[d]\r\nj=0\r\nK=3\r\n");
}

TEST(ProfileText, NewKeysFollowTheLastKeyAfterItWasDeleted) {
  ProfileText text("[a]\r\nx=1\r\ny=2\r\n;note\r\n\r\n[b]\r\n");
  text.Write("a", "y", std::nullopt);
  text.Write("a", "z", "3");
  text.Write("a", "x", std::nullopt);
  text.Write("a", "w", "4");
  EXPECT_EQ(text.Text(), "[a]\r\nz=3\r\nw=4\r\n;note\r\n\r\n[b]\r\n");
}

TEST(ProfileText, DeletingTheFirstOfTwoSectionsShowsTheSecond) {
  ProfileText text("[d]\r\nk=1\r\n[x]\r\n[D]\r\nk=2\r\n");
  EXPECT_EQ(text.GetString("d", "k", "-", kBuf), "1");
  text.Write("D", std::nullopt, std::nullopt);
  EXPECT_EQ(text.GetString("d", "k", "-", kBuf), "2");
  text.Write("d", "j", "3");
  EXPECT_EQ(text.Text(), "[x]\r\n[D]\r\nk=2\r\nj=3\r\n");
}

TEST(ProfileText, EditsGoOnAfterTheTextWasTaken) {
  ProfileText text("[s]\r\nk=v");
  text.Write("s", "a", "1");
  EXPECT_EQ(text.Text(), "[s]\r\nk=v\r\na=1\r\n");
  text.Write("s", "k", "w");
  text.Write("t", "b", "2");
  EXPECT_EQ(text.Text(), "[s]\r\nk=w\r\na=1\r\n[t]\r\nb=2\r\n");
  EXPECT_EQ(text.GetString("T", "B", "", kBuf), "2");
}

TEST(ProfileText, LineBreaksInWrittenTextChangeTheStructure) {
  struct Case {
    std::string section, key, value;
    std::string want;
    std::string readSection, readKey, readValue;
  };
  const Case cases[] = {
      {"s", "k", "a\r\n[t]\r\nb=c", "[s]\r\nx=1\r\nk=a\r\n[t]\r\nb=c\r\n[u]\r\n", "t", "b", "c"},
      {"s", "[t]", "v", "[s]\r\nx=1\r\n[t]=v\r\n[u]\r\n", "t", "", "-"},
      {"s", "x", "1\r\ny=2", "[s]\r\nx=1\r\ny=2\r\n[u]\r\n", "s", "y", "2"},
      {"n\r\nm", "k", "v", "[s]\r\nx=1\r\n[u]\r\n[n\r\nm]\r\nk=v\r\n", "n", "k", "v"},
  };
  for (const Case& c : cases) {
    ProfileText text("[s]\r\nx=0\r\n[u]\r\n");
    text.Write("s", "x", "1");
    text.Write(c.section, c.key, c.value);
    EXPECT_EQ(text.Text(), c.want) << c.key;
    EXPECT_EQ(text.GetString(c.readSection, c.readKey, "-", kBuf), c.readValue) << c.key;
    text.Write("u", "z", "9");  // the index still knows where [u] ends
    EXPECT_EQ(text.GetString("u", "z", "-", kBuf), "9");
  }
}

TEST(ProfileText, NameListsKeepOnlyNamesTheBufferHoldsWhole) {
  const ProfileText text("[k]\r\nalpha=1\r\nbeta=2\r\ngamma=3\r\n");
  using Names = std::vector<std::string>;
  const struct {
    size_t size;
    Names want;
  } cases[] = {
      {100, {"alpha", "beta", "gamma"}},
      {18, {"alpha", "beta", "gamma"}},
      {17, {"alpha", "beta"}},
      {12, {"alpha", "beta"}},
      {11, {"alpha"}},
      {7, {"alpha"}},
      {6, {}},
      {2, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(text.KeyNames("K", c.size), c.want) << c.size;
  EXPECT_EQ(text.SectionNames(3), Names{"k"});
  EXPECT_EQ(text.SectionLines("k", 100), (Names{"alpha=1", "beta=2", "gamma=3"}));
}

TEST(ProfileText, RevisionCountsOnlyChanges) {
  ProfileText text("[s]\r\nk = v\r\n");
  const uint64_t start = text.Revision();
  text.Write("s", "k", "v");
  text.Write("s", "missing", std::nullopt);
  text.Write("nosection", std::nullopt, std::nullopt);
  EXPECT_EQ(text.Revision(), start);
  text.Write("s", "k", "w");
  EXPECT_GT(text.Revision(), start);
}

}  // namespace
}  // namespace w95
