// The "editor" command: the host's half of the slide editor. It writes the
// keys the editor reads ("AVLFIL", "AVLTMP", "AppDir"), calls EditorWin95 and
// shows what the result asks the host to do, with the file behind it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "host.h"

namespace w95host {

namespace {

void PrintFile(const std::string& path) {
  HANDLE h =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    std::printf("  (%s cannot be read)\n", path.c_str());
    return;
  }
  std::string text;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) text.append(buf, got);
  CloseHandle(h);
  std::printf("  --- %s (%u bytes) ---\n", path.c_str(), static_cast<unsigned>(text.size()));
  size_t start = 0;
  for (int lines = 0; start < text.size() && lines < 200; ++lines) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::printf("  %s\n", line.c_str());
    start = end + 1;
  }
  if (start < text.size()) std::printf("  ...\n");
}

}  // namespace

int Editor(Host& host, const Args& args) {
  auto editor = host.Export<W95_PFN_EditorWin95>("EditorWin95");
  if (!editor) return 1;
  char exe[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string appDir = exe;
  appDir.erase(appDir.find_last_of('\\') + 1);
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  const std::string testFile = std::string(temp) + "avltmp.avl";
  if (args.empty()) {
    WritePrivateProfileStringA(kSection, "AVLFIL", nullptr, kIni);
    WritePrivateProfileStringA(kSection, "AVLNOW", nullptr, kIni);
  } else {
    WriteKey("AVLFIL", args[0]);
    WriteKey("AVLNOW", args[0]);
  }
  WriteKey("AVLTMP", testFile);
  WriteKey("AppDir", appDir);
  std::printf("Slide editor:\n  AVLFIL = %s\n  AVLTMP = %s\n  AppDir = %s\n",
              ReadKey("AVLFIL").c_str(), testFile.c_str(), appDir.c_str());
  const LONG r = editor();
  switch (r) {
    case -1:
      std::printf("  EditorWin95()          -> -1: play the test script\n");
      PrintFile(testFile);
      break;
    case 1:
      std::printf("  EditorWin95()          -> 1: build the thumbnails of AVLNOW = %s\n",
                  ReadKey("AVLNOW").c_str());
      BuildThumbnails(ReadKey("AVLNOW"), appDir);
      break;
    case 2:
      std::printf("  EditorWin95()          -> 2: show the tagged slides\n");
      for (const std::string& slide : TaggedSlides(appDir)) std::printf("  %s\n", slide.c_str());
      break;
    default:
      std::printf("  EditorWin95()          -> %ld: nothing to do (AVLNOW = %s)\n", r,
                  ReadKey("AVLNOW").c_str());
      host.Check(r == 0, "EditorWin95 returns -1, 0, 1 or 2");
      break;
  }
  return 0;
}

}  // namespace w95host
