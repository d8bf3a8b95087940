// avltool: show, check and upgrade slide scripts (".AVL") from the command
// line, with the reader and writer of the slide editor.
//
//   avltool show FILE            the slides as a table
//   avltool check FILE...        bad files, bad rows, slides whose file is missing
//   avltool upgrade FILE [OUT]   rewrite any generation as generation 6
//
// Exit status: 0 all well, 1 a problem was found or a write failed, 2 wrong
// use of the command.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor/script_file.h"
#include "editor/script_model.h"
#include "editor/script_sources.h"
#include "ui/string_grid.h"

#ifdef _WIN32
#include "platform/win32/win32_machine.h"
#else
#include "host_files.h"
#endif

namespace {

using namespace w95;
using editor::kNotApplicable;

constexpr int kOk = 0, kProblem = 1, kUsage = 2;

const char kUsageText[] =
    "usage: avltool show FILE\n"
    "       avltool check FILE...\n"
    "       avltool upgrade FILE [OUT]\n"
#ifndef _WIN32
    "options: --root DIR   drive x: of the script's paths is the folder DIR/x\n"
#endif
    ;

struct Loaded {
  std::unique_ptr<editor::TextSource> source;
  ui::StringGrid grid;
  editor::ReadResult result;
  bool readable = false;
};

void Load(const std::string& file, editor::ScriptFiles& files, Loaded& out) {
  const auto text = files.ReadAll(file);
  out.readable = text.has_value();
  out.source = std::make_unique<editor::TextSource>(text.value_or(std::string()));
  editor::SetUpGrid(out.grid);
  if (out.readable) out.result = editor::ReadScript(*out.source, out.grid, files);
}

// Explains a failed read on stderr; true when the script was read whole.
bool Report(const std::string& file, const Loaded& s) {
  if (!s.readable) {
    std::fprintf(stderr, "%s: cannot read the file\n", file.c_str());
    return false;
  }
  if (!s.result.fileOk) {
    std::fprintf(stderr, "%s: bad AVL file (no slide count or fewer than one slide)\n",
                 file.c_str());
    return false;
  }
  if (s.result.badRow) {
    std::fprintf(stderr, "%s: bad AVL file: slide %d cannot be read; %d of %d slides read\n",
                 file.c_str(), s.result.badRow, s.result.badRow - 1, s.result.rowCount - 1);
    return false;
  }
  return true;
}

std::string Generation(int ver) {
  return ver < 4 ? std::string("generation below 4") : "generation " + std::to_string(ver);
}

std::string Shown(const std::string& cell) { return cell == kNotApplicable ? "-" : cell; }

const char* KindName(const ui::StringGrid& g, int r) {
  const std::string& path = g.Cell(editor::kColPath, r);
  if (path == kNotApplicable) return "cd";
  switch (editor::KindByLists(path)) {
    case editor::SlideKind::Graphic:
      return "graphic";
    case editor::SlideKind::Video:
      return "video";
    case editor::SlideKind::QuickTime:
      return "quicktime";
    case editor::SlideKind::Animation:
      return "animation";
    case editor::SlideKind::Audio:
      return "audio";
    case editor::SlideKind::Script:
      return "script";
    default:
      return "cd";
  }
}

int Show(const std::string& file, editor::ScriptFiles& files) {
  Loaded s;
  Load(file, files, s);
  const bool whole = Report(file, s);
  if (!s.result.fileOk) return kProblem;
  std::printf("%s: %s, %d slides, catalog %s\n", file.c_str(),
              Generation(s.result.generation).c_str(), s.result.rowCount - 1,
              s.result.catalogId.empty() ? "(none)" : s.result.catalogId.c_str());
  std::printf("%5s %-9s %-14s %5s %-9s %5s %5s %5s %5s %-8s %-5s %s\n", "N", "Kind", "Effect",
              "Wait", "Position", "Gamma", "Zoom", "Vol", "Speed", "Colour", "Thumb", "File");
  const int last = s.result.badRow ? s.result.badRow - 1 : s.result.rowCount - 1;
  for (int r = 1; r <= last; ++r) {
    const auto cell = [&](int c) { return Shown(s.grid.Cell(c, r)); };
    const std::string pos =
        cell(editor::kColHorz) == "-" ? "-" : cell(editor::kColHorz) + "," + cell(editor::kColVert);
    std::string colour = "-";
    if (s.grid.Cell(editor::kColHasColour, r) == editor::kYes) {
      const auto value = editor::ParseDecimal(s.grid.Cell(editor::kColColour, r));
      colour = value ? std::string(1, '#').append(editor::HexText(static_cast<uint32_t>(*value)))
                     : std::string("?");
    }
    const std::string& path = s.grid.Cell(editor::kColPath, r);
    const std::string shownFile = path == kNotApplicable ? s.grid.Cell(editor::kColName, r) : path;
    std::printf("%5d %-9s %-14s %5s %-9s %5s %5s %5s %5s %-8s %-5s %s\n", r, KindName(s.grid, r),
                cell(editor::kColEffect).c_str(), cell(editor::kColWait).c_str(), pos.c_str(),
                cell(editor::kColGamma).c_str(), cell(editor::kColZoom).c_str(),
                cell(editor::kColVolume).c_str(), cell(editor::kColSpeed).c_str(), colour.c_str(),
                cell(editor::kColThumb).c_str(), shownFile.c_str());
  }
  return whole ? kOk : kProblem;
}

int Check(const std::vector<std::string>& names, editor::ScriptFiles& files) {
  int status = kOk;
  for (const auto& file : names) {
    Loaded s;
    Load(file, files, s);
    bool good = Report(file, s);
    if (s.result.fileOk) {
      const int last = s.result.badRow ? s.result.badRow - 1 : s.result.rowCount - 1;
      int missing = 0;
      for (int r = 1; r <= last; ++r) {
        const std::string& path = s.grid.Cell(editor::kColPath, r);
        if (path == kNotApplicable || files.Exists(path)) continue;
        std::fprintf(stderr, "%s: slide %d: file missing: %s\n", file.c_str(), r, path.c_str());
        ++missing;
      }
      good = good && missing == 0;
      if (s.result.TooMany()) {
        std::fprintf(stderr, "%s: %d slides: more than the player may handle\n", file.c_str(),
                     s.result.rowCount - 1);
      }
      if (good) std::printf("%s: ok, %d slides\n", file.c_str(), s.result.rowCount - 1);
    }
    if (!good) status = kProblem;
  }
  return status;
}

int Upgrade(const std::string& file, const std::string& out, editor::ScriptFiles& files) {
  Loaded s;
  Load(file, files, s);
  if (!Report(file, s)) {
    std::fprintf(stderr, "%s: nothing written\n", out.c_str());
    return kProblem;
  }
  editor::ScriptHeader header;
  header.screenWidth = std::atoi(s.source->ReadText("Header", "ScreenW", "640").c_str());
  header.screenHeight = std::atoi(s.source->ReadText("Header", "ScreenH", "480").c_str());
  header.catalogId = s.result.catalogId;
  header.appDir = s.source->ReadText("Directory", "0", "");
  if (header.appDir.empty()) {
    // No application folder known: the script's own folder stands for it.
    const size_t sep = file.find_last_of("\\:/");
    header.appDir = sep == std::string::npos ? ".\\" : file.substr(0, sep + 1);
  }
  if (header.appDir.back() != '\\') header.appDir += '\\';
  // The new script goes beside the output first and takes its place only
  // when it reads back as the slides that were read.
  const std::string fresh = out + ".new";
  if (files.Exists(fresh)) {
    std::fprintf(stderr, "%s: %s is in the way; nothing written\n", out.c_str(), fresh.c_str());
    return kProblem;
  }
  const auto result = editor::SaveScriptFile(s.grid, header, files, fresh);
  if (!result.ok) {
    std::fprintf(stderr, "%s: not upgraded, the file is unchanged: %s\n", out.c_str(),
                 editor::SaveErrorMessage(result, fresh).c_str());
    return kProblem;
  }
  Loaded again;
  Load(fresh, files, again);
  const std::string difference =
      again.result.Ok() ? editor::SlideDifference(s.grid, again.grid) : "it cannot be read";
  if (!difference.empty()) {
    files.Remove(fresh);
    std::fprintf(stderr,
                 "%s: not upgraded, the file is unchanged: the new script would not "
                 "read back the same (%s)\n",
                 out.c_str(), difference.c_str());
    return kProblem;
  }
  if (!files.Replace(fresh, out)) {
    files.Remove(fresh);
    std::fprintf(stderr, "%s: not upgraded: Unable to write to %s\n", out.c_str(), out.c_str());
    return kProblem;
  }
  std::printf("%s: %s -> generation 6, %d slides written to %s\n", file.c_str(),
              Generation(s.result.generation).c_str(), s.result.rowCount - 1, out.c_str());
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
  std::string root;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--root") == 0 && i + 1 < argc) {
      root = argv[++i];
    } else if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsageText, stdout);
      return kOk;
    } else {
      args.emplace_back(argv[i]);
    }
  }
#ifdef _WIN32
  (void)root;
  platform::InstallWin32Machine();
  editor::PlatformScriptFiles files;
#else
  avltool::HostScriptFiles files(root);
#endif
  try {
    if (args.size() == 2 && args[0] == "show") return Show(args[1], files);
    if (args.size() >= 2 && args[0] == "check")
      return Check(std::vector<std::string>(args.begin() + 1, args.end()), files);
    if ((args.size() == 2 || args.size() == 3) && args[0] == "upgrade")
      return Upgrade(args[1], args.size() == 3 ? args[2] : args[1], files);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "avltool: %s\n", e.what());
    return kProblem;
  }
  std::fputs(kUsageText, stderr);
  return kUsage;
}
