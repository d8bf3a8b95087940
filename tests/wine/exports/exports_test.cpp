// The real DLL under Wine: every export by name and by ordinal.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

struct Export {
  const char* name;
  int ordinal;
};

constexpr Export kExports[] = {
    {"GetFreePageMem95", 1},  {"VideoWinStatus95", 2},   {"VideoWinClose95", 3},
    {"VideoWinPlayer95", 4},  {"PrintEnd95", 5},         {"PrintDlg95", 6},
    {"PrintCheck95", 7},      {"EditorWin95", 8},        {"RemoteDlg95", 9},
    {"ShortToLongName95", 10}, {"RemoteWinUpdate95", 11}, {"RemoteWinHide95", 12},
    {"RemoteWinClose95", 13}, {"RemoteWin95", 14},       {"GDIflush95", 15},
};

class ExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dll = LoadLibraryA("w95ZOK56.dll");
    ASSERT_NE(dll, nullptr) << "LoadLibrary failed: " << GetLastError();
  }
  void TearDown() override {
    if (dll) FreeLibrary(dll);
  }
  HMODULE dll = nullptr;
};

TEST_F(ExportsTest, EveryExportIsFoundByNameAndByItsOrdinal) {
  for (const auto& e : kExports) {
    FARPROC byName = GetProcAddress(dll, e.name);
    FARPROC byOrdinal = GetProcAddress(dll, MAKEINTRESOURCEA(e.ordinal));
    EXPECT_NE(byName, nullptr) << e.name;
    EXPECT_EQ(byName, byOrdinal) << e.name << " is not at ordinal " << e.ordinal;
  }
}

TEST_F(ExportsTest, GdiFlushReturnsExactlyOne) {
  using Fn = LONG(WINAPI*)();
  auto flush = reinterpret_cast<Fn>(GetProcAddress(dll, "GDIflush95"));
  ASSERT_NE(flush, nullptr);
  EXPECT_EQ(flush(), 1);
}

}  // namespace
