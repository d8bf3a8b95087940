// plimbo-host: a sample host program for w95ZOK56.dll. It loads the library
// the way the viewer does (LoadLibrary, exports by name), passes inputs
// through "plimbo.ini" and prints what each export returned and wrote.
//
//   plimbo-host.exe [--dll PATH] [command [arguments...]]
//   commands: services (default)  the small service exports
//             editor [script]     the slide editor and the file it hands back
//             help                this list
#include <windows.h>

#include "host.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace w95host {

// Writes SaveName, calls ShortToLongName95 and shows the LongName it wrote.
void ShowLongName(Host& host, const std::string& saveName, const std::string& expected) {
  auto shortToLong = host.Export<W95_PFN_ShortToLongName95>("ShortToLongName95");
  if (!shortToLong) return;
  WriteKey("SaveName", saveName);
  shortToLong();
  const std::string longName = ReadKey("LongName");
  std::printf("  ShortToLongName95()    SaveName = %s\n", saveName.c_str());
  std::printf("                         -> wrote LongName = %s\n", longName.c_str());
  host.Check(longName == expected, ("LongName should be " + expected).c_str());
}

int Services(Host& host, const Args&) {
  std::printf("Small services:\n");
  if (auto flush = host.Export<W95_PFN_GDIflush95>("GDIflush95")) {
    const LONG r = flush();
    std::printf("  GDIflush95()           -> %ld (1: the drawing batch was flushed)\n", r);
    host.Check(r == 1, "GDIflush95 should return 1");
  }
  if (auto freeMem = host.Export<W95_PFN_GetFreePageMem95>("GetFreePageMem95")) {
    const DWORD r = freeMem();
    std::printf("  GetFreePageMem95()     -> %lu bytes free in the paging file%s\n", r,
                r == 0xFFFFFFFFu ? " (4 GB or more: the 32-bit result saturates)" : "");
  }

  // A file with a long name, named to the library by its short (8.3) path.
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "Plimbo Host Sample";
  const std::string file = folder + "\\Long File Name Example.jpeg";
  CreateDirectoryA(folder.c_str(), nullptr);
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  char shortPath[MAX_PATH] = "";
  if (!GetShortPathNameA(file.c_str(), shortPath, sizeof shortPath)) {
    std::printf("  could not create %s\n", file.c_str());
    ++host.failures;
  } else {
    std::printf("  created %s\n", file.c_str());
    ShowLongName(host, shortPath, "Long File Name Example.jpeg");
  }
  ShowLongName(host, "C:\\No Such Folder\\Missing Picture.bmp", "Missing Picture.bmp");
  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());

  if (auto status = host.Export<W95_PFN_VideoWinStatus95>("VideoWinStatus95"))
    std::printf(
        "  VideoWinStatus95()     -> %ld (256 + host mode while the video window is open)\n",
        status());
  if (auto check = host.Export<W95_PFN_PrintCheck95>("PrintCheck95"))
    std::printf("  PrintCheck95()         -> %ld (1 while the print setup window exists)\n",
                check());

  std::printf("\n[plimbo] section of %s now:\n", IniPath().c_str());
  std::vector<char> keys(32768);
  const DWORD n =
      GetPrivateProfileSectionA(kSection, keys.data(), static_cast<DWORD>(keys.size()), kIni);
  for (const char* p = keys.data(); p < keys.data() + n && *p; p += std::strlen(p) + 1)
    std::printf("  %s\n", p);
  return 0;
}

}  // namespace w95host

namespace {

using namespace w95host;

void Usage() {
  std::printf(
      "usage: plimbo-host.exe [--dll PATH] [command]\n"
      "  services   call the small service exports and show what they return and write\n"
      "             to plimbo.ini (the default)\n"
      "  editor [script.avl]\n"
      "             run the slide editor (on that script) and show the file it hands back\n"
      "  window     a host window whose menu calls every export and logs what\n"
      "             comes back, for a person to use\n"
      "  tour [DIR]  open every window through the DLL, act in it, and save a\n"
      "             screenshot of each step with DIR\\tour.txt describing them\n"
      "  video FILE [MODE [KIND]]  play FILE in the video window, polling its status;\n"
      "             grabbed frames are saved as grabN.bmp\n"
      "  print WIDTH HEIGHT [NOENHANCE]  the print setup window for an image of that\n"
      "             size; \"Print It\" prints a test picture where the window placed it\n"
      "  thumbs SCRIPT [APPDIR]  build the thumbnails of SCRIPT as after the editor's\n"
      "             Update (into APPDIR, by default the folder of this program)\n"
      "  explorer-window [FOLDER [SECONDS]]  the modeless explorer window (in FOLDER);\n"
      "             prints each request it sends with its keys or exchange file, until\n"
      "             it is closed (or for SECONDS, then RemoteWinClose95)\n"
      "  help       this text\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string dllPath = "w95ZOK56.dll";
  std::string command = "services";
  Args args;  // what follows the command
  bool commandGiven = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dll") == 0 && i + 1 < argc) {
      dllPath = argv[++i];
    } else if (!commandGiven) {
      command = argv[i];
      commandGiven = true;
    } else {
      args.push_back(argv[i]);
    }
  }
  if (command == "help" || command == "--help" || command == "/?") {
    Usage();
    return 0;
  }
  struct Command {
    const char* name;
    int (*run)(Host&, const Args&);
  } commands[] = {
      // One line per command; the others live in files of their own (host.h declares them).
      {"services", Services}, {"editor", Editor},
      {"tour", Tour},         {"window", HostWindow},
      {"video", Video},       {"print", Print},
      {"thumbs", Thumbs},     {"explorer-window", ExplorerWindowCommand},
  };
  const Command* chosen = nullptr;
  for (const auto& c : commands)
    if (command == c.name) chosen = &c;
  if (!chosen) {
    std::printf("plimbo-host: unknown command '%s'\n", command.c_str());
    Usage();
    return 2;
  }

  Host host;
  auto library = std::make_unique<wine_dll::Library>(dllPath.c_str());
  if (!*library) {
    std::printf("plimbo-host: cannot load %s (error %lu)\n", dllPath.c_str(), GetLastError());
    return 1;
  }
  host.library = library.get();
  char loaded[MAX_PATH] = "";
  GetModuleFileNameA(library->Module(), loaded, sizeof loaded);
  std::printf("plimbo-host: loaded %s\n\n", loaded);
  const int status = chosen->run(host, args);
  host.library = nullptr;
  library.reset();
  std::printf("\n%s\n", host.failures ? "plimbo-host: SOME CALLS DID NOT DO WHAT THEY SHOULD"
                                      : "plimbo-host: all calls behaved as expected");
  return status != 0 ? status : host.failures ? 1 : 0;
}
