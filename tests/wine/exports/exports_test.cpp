// The real DLL under Wine: every export by name and by ordinal.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dll_loader.h"

namespace {

struct Export {
  const char* name;
  int ordinal;
};

constexpr Export kExports[] = {
    {"GetFreePageMem95", 1},   {"VideoWinStatus95", 2},   {"VideoWinClose95", 3},
    {"VideoWinPlayer95", 4},   {"PrintEnd95", 5},         {"PrintDlg95", 6},
    {"PrintCheck95", 7},       {"EditorWin95", 8},        {"RemoteDlg95", 9},
    {"ShortToLongName95", 10}, {"RemoteWinUpdate95", 11}, {"RemoteWinHide95", 12},
    {"RemoteWinClose95", 13},  {"RemoteWin95", 14},       {"GDIflush95", 15},
};

class ExportsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(lib) << "LoadLibrary failed: " << GetLastError(); }
  void TearDown() override { lib.Free(); }
  wine_dll::Library lib;
};

TEST_F(ExportsTest, EveryExportIsFoundByNameAndByItsOrdinal) {
  const HMODULE dll = lib.Module();
  for (const auto& e : kExports) {
    FARPROC byName = GetProcAddress(dll, e.name);
    FARPROC byOrdinal = GetProcAddress(dll, MAKEINTRESOURCEA(e.ordinal));
    EXPECT_NE(byName, nullptr) << e.name;
    EXPECT_EQ(byName, byOrdinal) << e.name << " is not at ordinal " << e.ordinal;
  }
}

// The host's side of the settings file: the real profile API, file in the
// Windows directory.
std::string HostRead(const char* key) { return wine_dll::ReadKey(key); }
void HostWrite(const char* key, const char* value) { ASSERT_TRUE(wine_dll::WriteKey(key, value)); }

TEST_F(ExportsTest, GdiFlushReturnsExactlyOne) {
  ASSERT_NE(lib.GDIflush95, nullptr);
  EXPECT_EQ(lib.GDIflush95(), 1);
}

TEST_F(ExportsTest, GetFreePageMemReportsTheFreePagingFile) {
  const auto freeMem = lib.GetFreePageMem95;
  ASSERT_NE(freeMem, nullptr);
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  const DWORD got = freeMem();
  if (status.ullAvailPageFile >= 0xFFFFFFFFull)
    EXPECT_EQ(got, 0xFFFFFFFFu);  // more than 32 bits hold
  else
    EXPECT_GT(got, 0u);
}

class ShortToLongNameTest : public ExportsTest {
 protected:
  void SetUp() override {
    ExportsTest::SetUp();
    shortToLong = lib.ShortToLongName95;
    ASSERT_NE(shortToLong, nullptr);
    CreateDirectoryA(kFolder, nullptr);
    HANDLE h = CreateFileA(kFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  void TearDown() override {
    DeleteFileA(kFile);
    RemoveDirectoryA(kFolder);
    ExportsTest::TearDown();
  }
  static constexpr const char* kFolder = "C:\\W95 Export Test";
  static constexpr const char* kFile = "C:\\W95 Export Test\\Long File Name.jpeg";
  W95_PFN_ShortToLongName95 shortToLong = nullptr;
};

TEST_F(ShortToLongNameTest, ExistingFileGivenByItsShortPath) {
  const std::string shortPath = wine_dll::ShortPath(kFile);
  ASSERT_FALSE(shortPath.empty());
  ASSERT_NE(shortPath, kFile);
  HostWrite("SaveName", shortPath.c_str());
  shortToLong();
  EXPECT_EQ(HostRead("LongName"), "Long File Name.jpeg") << shortPath;
}

TEST_F(ShortToLongNameTest, MissingFileGivesTheNamePartAndAbsentKeyGivesError) {
  HostWrite("SaveName", "C:\\Nowhere\\Missing File.BMP");
  shortToLong();
  EXPECT_EQ(HostRead("LongName"), "Missing File.BMP");
  HostWrite("SaveName", nullptr);  // delete the key
  shortToLong();
  EXPECT_EQ(HostRead("LongName"), "ERROR");
}

TEST_F(ShortToLongNameTest, HostAndLibrarySeeEachOthersWritesAtOnce) {
  // The host writes "Savename", the library reads "SaveName" and writes
  // "LongName", the host reads it back: one value after another with no
  // pause, so nothing may be served from a cache on either side.
  const char* names[] = {"C:\\a\\First One.bmp", "C:\\b\\Second One.bmp", "C:\\c\\Third.bmp"};
  const char* expected[] = {"First One.bmp", "Second One.bmp", "Third.bmp"};
  for (int i = 0; i < 3; ++i) {
    HostWrite("Savename", names[i]);
    shortToLong();
    EXPECT_EQ(HostRead("longname"), expected[i]);
  }
}

}  // namespace
