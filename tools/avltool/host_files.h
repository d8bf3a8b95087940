// Script files on the machine the tool runs on, for builds without the
// Windows services: "\" separates folders and a drive "x:" is the folder
// <root>/x (or the path as it is when no root is given). There are no 8.3
// names here, so a path is its own short form.
#pragma once

#include <string>

#include "editor/script_file.h"

namespace w95::avltool {

class HostScriptFiles final : public editor::ScriptFiles {
 public:
  explicit HostScriptFiles(std::string root = {}) : root_(std::move(root)) {}
  // The host path of a script path.
  std::string HostPath(const std::string& path) const;

  std::string ShortPathOf(const std::string& path) override { return path; }
  std::string LongNameOf(const std::string& path) override;
  std::string CurrentDirectory() override;
  bool Exists(const std::string& path) override;
  std::optional<std::string> ReadAll(const std::string& path) override;
  std::unique_ptr<platform::OutputFile> Create(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;

 private:
  std::string root_;
};

}  // namespace w95::avltool
