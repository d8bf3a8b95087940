// A host that links the import library and calls the exports through the
// public header, as a host author would: proves the header's declarations,
// the import library's names (name@bytes in 32 bits) and the DLL agree.
#include <gtest/gtest.h>

#include <string>

#include "w95ZOK56.h"

namespace {

std::string ReadKey(const char* key) {
  char buf[512] = "";
  GetPrivateProfileStringA(W95_SECTION, key, "", buf, sizeof buf, W95_SETTINGS_FILE);
  return buf;
}

TEST(LinkedHost, CallsTheExportsThroughTheImportLibrary) {
  EXPECT_EQ(GDIflush95(), 1);
  EXPECT_EQ(PrintCheck95(), 0);
  EXPECT_EQ(VideoWinStatus95() & 256, 0);
  EXPECT_NE(GetFreePageMem95(), 0u);

  WritePrivateProfileStringA(W95_SECTION, W95_KEY_SAVE_NAME,
                             "C:\\No Such Folder\\Missing Picture.bmp", W95_SETTINGS_FILE);
  ShortToLongName95();
  EXPECT_EQ(_stricmp(ReadKey(W95_KEY_LONG_NAME).c_str(), "Missing Picture.bmp"), 0);
}

TEST(LinkedHost, ExportsKeepTheirOrdinals) {
  HMODULE dll = GetModuleHandleA("w95ZOK56.dll");
  ASSERT_NE(dll, nullptr);
  // Compared as untyped function addresses (void (*)() takes any function).
  using Any = void (*)();
  EXPECT_EQ(reinterpret_cast<Any>(GetProcAddress(dll, MAKEINTRESOURCEA(15))),
            reinterpret_cast<Any>(&GDIflush95));
  EXPECT_EQ(reinterpret_cast<Any>(GetProcAddress(dll, MAKEINTRESOURCEA(10))),
            reinterpret_cast<Any>(&ShortToLongName95));
}

}  // namespace
