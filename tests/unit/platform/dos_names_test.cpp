#include "platform/sim/dos_names.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace w95::platform::sim;

TEST(DosNames, ShortNamesNeedNoAlias) {
  struct Row {
    const char* name;
    bool isShort;
  } rows[] = {
      {"README.TXT", true},     {"readme.txt", true}, {"ReadMe.Txt", true},
      {"AUTOEXEC", true},       {"A.B", true},        {"$%'-_@~!.(){", true},
      {"LONGNAME1.TXT", false}, {"a.jpeg", false},    {"a b.txt", false},
      {"a.b.c", false},         {".profile", false},  {"NAME.", false},
      {"a+b.txt", false},       {"x[1].bmp", false},  {"", false},
  };
  for (const auto& r : rows) EXPECT_EQ(IsShortName(r.name), r.isShort) << r.name;
}

TEST(DosNames, AliasesAreMadeAsWindowsMakesThem) {
  auto none = [](const std::string&) { return false; };
  struct Row {
    const char* name;
    const char* alias;
  } rows[] = {
      {"Long File Name.jpeg", "LONGFI~1.JPE"},
      {"Long File Name With Spaces.txt", "LONGFI~1.TXT"},
      {"a b.txt", "AB~1.TXT"},
      {"archive.tar.gz", "ARCHIV~1.GZ"},
      {"My Documents", "MYDOCU~1"},
      {".profile", "PROFIL~1"},
      {"a+b=c.html", "A_B_C~1.HTM"},
      {"Program Files", "PROGRA~1"},
  };
  for (const auto& r : rows) EXPECT_EQ(MakeAlias(r.name, none), r.alias) << r.name;
}

TEST(DosNames, CollidingAliasesCountUpAndCutTheBaseShorter) {
  std::set<std::string> used;
  auto taken = [&](const std::string& a) { return used.count(a) > 0; };
  std::vector<std::string> made;
  for (int i = 0; i < 11; ++i) {
    made.push_back(MakeAlias("Long File Name.txt", taken));
    used.insert(made.back());
  }
  EXPECT_EQ(made[0], "LONGFI~1.TXT");
  EXPECT_EQ(made[1], "LONGFI~2.TXT");
  EXPECT_EQ(made[8], "LONGFI~9.TXT");
  EXPECT_EQ(made[9], "LONGF~10.TXT");
  EXPECT_EQ(made[10], "LONGF~11.TXT");
}

TEST(DosNames, WildcardsFollowFindFirstFile) {
  struct Row {
    const char* pattern;
    const char* name;
    bool match;
  } rows[] = {
      {"*.*", "readme", true},
      {"*.*", "a.b.c", true},
      {"*", ".", true},
      {"*.*", "..", true},
      {"*.txt", "a.TXT", true},
      {"*.txt", "a.b.txt", true},
      {"*.txt", "a.txtx", false},
      {"*.txt", "txt", false},
      {"*.", "readme", true},
      {"*.", "a.txt", false},
      {"*.???", "a.txt", true},
      {"*.???", "a.tx", true},
      {"*.???", "a", true},
      {"*.???", "a.jpeg", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"abc?", "abc", true},
      {"a??.txt", "a.txt", true},
      {"a??.txt", "ab.txt", true},
      {"a??.txt", "abcd.txt", false},
      {"*a*", "bab", true},
      {"LONG*", "long file.txt", true},
      {"x*.bmp", "y.bmp", false},
      {"name", "NAME", true},
      {"*.*", ".", true},
      {"*.bmp", ".", false},
  };
  for (const auto& r : rows)
    EXPECT_EQ(MatchesPattern(r.pattern, r.name), r.match) << r.pattern << " on " << r.name;
}

}  // namespace
