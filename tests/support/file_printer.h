// A PostScript printer whose jobs land in a file, set up in the running
// Wine prefix for one test (or benchmark) and removed again: the generic PPD
// from winspool.drv goes into the driver folder of this program's
// environment (x64\3 or w32x86\3), the driver and the printer are added on
// port LPT1: and made the default, and the spooler sends LPT1: to the file.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>

namespace wine_print {

inline constexpr const char* kPrinterName = "W95 Test PostScript";
inline constexpr const char* kDriverName = "W95 Test PS Driver";

// Wine's own path conversion (kernel32 exports it under Wine only).
inline std::string UnixPathOf(const std::string& windowsPath) {
  using Fn = char*(CDECL*)(LPCWSTR);
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return {};
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
  char* unix = fn(wide);
  if (!unix) return {};
  std::string out = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return out;
}

inline bool AnyPrinterInstalled() {
  DWORD needed = 0, count = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  return needed > 0;
}

inline bool OurPrinterInstalled() {
  HANDLE h = nullptr;
  if (!OpenPrinterA(const_cast<char*>(kPrinterName), &h, nullptr)) return false;
  ClosePrinter(h);
  return true;
}

inline void RemoveFilePrinter() {
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE h = nullptr;
  if (OpenPrinterA(const_cast<char*>(kPrinterName), &h, &access)) {
    DeletePrinter(h);
    ClosePrinter(h);
  }
  DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(kDriverName));
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, KEY_SET_VALUE,
                    &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, "LPT1:");
    RegCloseKey(key);
  }
}

// Installs the printer, its jobs going to `outputWindowsPath`; an empty
// string when all went well, else what failed.
inline std::string AddFilePrinter(const std::string& outputWindowsPath) {
  RemoveFilePrinter();
  char dir[MAX_PATH] = "";
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                                  &needed))
    return "GetPrinterDriverDirectory failed";
  const std::string driverDir = std::string(dir) + "\\3";
  CreateDirectoryA(dir, nullptr);
  CreateDirectoryA(driverDir.c_str(), nullptr);

  HMODULE spool = LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC res = spool ? FindResourceA(spool, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
  if (!res) return "no PPD resource in winspool.drv";
  const void* ppd = LockResource(LoadResource(spool, res));
  const DWORD size = SizeofResource(spool, res);
  for (const std::string& folder : {std::string(dir), driverDir}) {
    const std::string path = folder + "\\generic.ppd";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "cannot write " + path;
    DWORD written = 0;
    WriteFile(f, ppd, size, &written, nullptr);
    CloseHandle(f);
  }
  FreeLibrary(spool);

  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kDriverName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>("generic.ppd");
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
    return "AddPrinterDriverEx failed: " + std::to_string(GetLastError());

  const std::string unixOut = UnixPathOf(outputWindowsPath);
  if (unixOut.empty()) return "no unix path for " + outputWindowsPath;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return "cannot open the spooler key";
  RegSetValueExA(key, "LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE*>(unixOut.c_str()),
                 static_cast<DWORD>(unixOut.size() + 1));
  RegCloseKey(key);

  PRINTER_INFO_2A info{};
  info.pPrinterName = const_cast<char*>(kPrinterName);
  info.pPortName = const_cast<char*>("LPT1:");
  info.pDriverName = const_cast<char*>(kDriverName);
  info.pPrintProcessor = const_cast<char*>("WinPrint");
  info.pDatatype = const_cast<char*>("RAW");
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer) return "AddPrinter failed: " + std::to_string(GetLastError());
  ClosePrinter(printer);
  if (!SetDefaultPrinterA(kPrinterName))
    return "SetDefaultPrinter failed: " + std::to_string(GetLastError());
  return {};
}

// Adds the printer for its lifetime.
class FilePrinter {
 public:
  explicit FilePrinter(const std::string& outputWindowsPath)
      : error(AddFilePrinter(outputWindowsPath)) {}
  ~FilePrinter() { RemoveFilePrinter(); }
  FilePrinter(const FilePrinter&) = delete;
  FilePrinter& operator=(const FilePrinter&) = delete;
  const std::string error;
};

}  // namespace wine_print
