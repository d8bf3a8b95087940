// The sample host's shared parts: the loaded library (wine_dll::Library of
// the support library), the settings file as the host reads and writes it, and the commands (one
// file each).
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dll_loader.h"
#include "w95ZOK56.h"

namespace w95host {

inline constexpr char kIni[] = W95_SETTINGS_FILE;
inline constexpr char kSection[] = W95_SECTION;

struct Host {
  wine_dll::Library* library = nullptr;  // loaded by main
  int failures = 0;

  // The export `name` as the function type `F`; a missing one is reported
  // and counted as a failure.
  template <typename F>
  F Export(const char* name) {
    F p = library ? library->Export<F>(name) : nullptr;
    if (!p) {
      std::printf("  %-22s MISSING from the DLL\n", name);
      ++failures;
    }
    return p;
  }
  void Check(bool ok, const char* what) {
    if (!ok) {
      std::printf("  !! unexpected: %s\n", what);
      ++failures;
    }
  }
};

inline std::string ReadKey(const char* key) { return wine_dll::ReadKey(key, "(absent)"); }

inline void WriteKey(const char* key, const std::string& value) { wine_dll::WriteKey(key, value); }

inline std::string IniPath() {
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, sizeof dir);
  return std::string(dir) + "\\" + kIni;
}

using Args = std::vector<std::string>;

// Commands: (host, arguments after the command name) -> exit status.
int Services(Host& host, const Args& args);
// Every window, driven as a person would, with screenshots (host_tour.cpp).
int Tour(Host& host, const Args& args);
// The slide editor: writes its keys, calls EditorWin95 and prints the result
// and the file handed back (host_editor.cpp).
int Editor(Host& host, const Args& args);
// The viewer's work after the editor's result 1: a bitmap thumbnail of at
// most 64 x 64 (shape kept) for every slide of `script` that has a thumbnail
// index, written to appDir + catalog + index + ".BMP"; sources other than
// bitmaps are skipped with a line saying so. Returns the thumbnails built
// (host_thumbs.cpp).
int BuildThumbnails(const std::string& script, const std::string& appDir);
// The slides the editor's result 2 hands over: appDir + "tag.lst".
std::vector<std::string> TaggedSlides(const std::string& appDir);
// "thumbs SCRIPT [APPDIR]": BuildThumbnails on its own (host_thumbs.cpp).
int Thumbs(Host& host, const Args& args);
// The host as a person uses it: a window with a menu of every export (host_window.cpp).
int HostWindow(Host& host, const Args& args);

// The video window on one file, the host polling its status (host_video.cpp).
int Video(Host& host, const Args& args);
// The print protocol: setup window, test picture on 0x912, PrintEnd95 (host_print.cpp).
int Print(Host& host, const Args& args);

// "explorer-window [FOLDER [SECONDS]]": the modeless explorer window on the
// host's message loop, each request printed with what came with it
// (host_explorer.cpp).
int ExplorerWindowCommand(Host& host, const Args& args);

// That window without its message loop, for the tour: the library's messages
// reach it (it does the host's half of each protocol) and its pane logs.
HWND CreateHostWindow(Host& host);
void HostLog(const std::string& line);
// The messages the library sent to it so far: "0x911 <code>", "0x912", "0x913", "0x905".
const std::vector<std::string>& HostMessages();

}  // namespace w95host
