#include "host_files.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/platform.h"

namespace w95::avltool {

namespace fs = std::filesystem;

namespace {

class HostOutput final : public platform::OutputFile {
 public:
  explicit HostOutput(std::FILE* file) : file_(file) {}
  ~HostOutput() override {
    if (file_) std::fclose(file_);
  }
  bool Write(std::string_view data) override {
    return file_ && std::fwrite(data.data(), 1, data.size(), file_) == data.size();
  }
  bool Close() override {
    const bool ok = file_ && std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
  }

 private:
  std::FILE* file_;
};

}  // namespace

std::string HostScriptFiles::HostPath(const std::string& path) const {
  std::string out = path;
  if (!root_.empty() && out.size() >= 2 && out[1] == ':') {
    out = root_ + "/" + static_cast<char>(std::tolower(static_cast<unsigned char>(out[0]))) + "/" +
          out.substr(2);
  }
#ifndef _WIN32
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
#endif
  return out;
}

std::string HostScriptFiles::LongNameOf(const std::string& path) {
  const size_t sep = path.find_last_of("\\:");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string HostScriptFiles::CurrentDirectory() {
  std::error_code ec;
  return fs::current_path(ec).string();
}

bool HostScriptFiles::Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(HostPath(path), ec);
}

std::optional<std::string> HostScriptFiles::ReadAll(const std::string& path) {
  std::ifstream in(HostPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::unique_ptr<platform::OutputFile> HostScriptFiles::Create(const std::string& path) {
  std::FILE* file = std::fopen(HostPath(path).c_str(), "wb");
  if (!file) return nullptr;
  return std::make_unique<HostOutput>(file);
}

bool HostScriptFiles::Replace(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(HostPath(from), HostPath(to), ec);
  return !ec;
}

bool HostScriptFiles::Remove(const std::string& path) {
  std::error_code ec;
  return fs::remove(HostPath(path), ec);
}

}  // namespace w95::avltool
