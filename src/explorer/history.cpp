#include "explorer/history.h"

namespace w95::explorer {

std::vector<DriveFacts> ReadDrives(platform::FileSystem& files) {
  std::vector<DriveFacts> out;
  for (char letter : files.Drives()) {
    DriveFacts d{letter, files.DriveType(letter), {}};
    if (d.type == 3 || d.type == 6) d.label = files.VolumeLabel(letter);
    out.push_back(std::move(d));
  }
  return out;
}

const std::vector<DriveFacts>& KnownDrives(bool fresh) {
  static struct {
    std::vector<DriveFacts> drives;
    std::string letters;
    platform::FileSystem* files = nullptr;
    unsigned installation = 0;
  } known;
  platform::FileSystem* files = platform::Current().files;
  if (!files) {
    known = {};
    return known.drives;
  }
  // The set of drives costs the system next to nothing to tell.
  std::string letters = files->Drives();
  if (fresh || files != known.files || platform::Installations() != known.installation ||
      letters != known.letters) {
    known.drives = ReadDrives(*files);
    known.letters = std::move(letters);
    known.files = files;
    known.installation = platform::Installations();
  }
  return known.drives;
}

std::string TrimSpaces(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first);
}

std::string DriveEntry(char letter, const std::string& label) {
  const char lower =
      letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
  std::string entry{lower, ':'};
  if (!label.empty()) entry += " [" + label + "]";
  return entry;
}

LookInList BuildLookIn(const std::vector<std::string>& drives, int driveIndex,
                       const std::vector<std::string>& folders) {
  LookInList out;
  for (const auto& d : drives) out.entries.push_back({d, false, true});
  out.selected = driveIndex;
  std::string indent = " ";
  for (size_t i = 0; i < folders.size(); ++i) {
    const bool current = i + 1 == folders.size();
    const auto pos = out.entries.begin() + driveIndex + 1 + static_cast<long>(i);
    out.entries.insert(pos, {indent + "\\" + folders[i], true, current});
    indent += ' ';
  }
  out.selected = driveIndex + static_cast<int>(folders.size());
  return out;
}

std::vector<std::string> FolderChain(const std::string& path) {
  std::vector<std::string> out;
  size_t start = path.find('\\');
  while (start != std::string::npos) {
    const size_t next = path.find('\\', start + 1);
    const std::string part =
        path.substr(start + 1, next == std::string::npos ? std::string::npos : next - start - 1);
    if (!part.empty()) out.push_back(part);
    start = next;
  }
  return out;
}

LookInTarget TargetOf(const std::vector<std::string>& entries, int index) {
  LookInTarget t;
  if (index < 0 || index >= static_cast<int>(entries.size())) return t;
  const std::string& chosen = entries[static_cast<size_t>(index)];
  if (chosen.find(':') != std::string::npos) {
    t.drive = true;
    t.letter = chosen[0];
    t.path = std::string(1, chosen[0]) + ":\\";
    return t;
  }
  std::string path = TrimSpaces(chosen);
  for (int i = index - 1; i >= 0; --i) {
    const std::string& e = entries[static_cast<size_t>(i)];
    if (e.find(':') != std::string::npos) {
      t.letter = e[0];
      path = e.substr(0, 2) + path;
      break;
    }
    path = TrimSpaces(e) + path;
  }
  t.path = path;
  return t;
}

}  // namespace w95::explorer
