// Runs the team's profile vectors (tests/data/profile-vectors.json) against
// a backend: our profile text over a file system, or the real kernel32
// functions. Every call of a case is made in order on one file; the calls
// chosen by the caller are checked against the Windows column of the vectors
// (windows.expected laid over the recorded result).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "json_lite.h"

namespace w95::test {

inline std::string FromHex(const std::string& hex) {
  std::string out;
  out.reserve(hex.size() / 2);
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

inline uint64_t Fnv1a64(const std::string& s) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
  return h;
}

// A byte string of the vectors: small ones carry their bytes, big ones their
// length, head, tail and hash.
inline bool BlobMatches(const Json& blob, const std::string& actual) {
  if (blob.Has("hex")) return FromHex(blob["hex"].text) == actual;
  if (static_cast<size_t>(blob["len"].Int()) != actual.size()) return false;
  const std::string head = FromHex(blob["head_hex"].text);
  const std::string tail = FromHex(blob["tail_hex"].text);
  if (actual.compare(0, head.size(), head) != 0) return false;
  if (actual.compare(actual.size() - tail.size(), tail.size(), tail) != 0) return false;
  std::string hash = blob["fnv1a64"].text;
  if (hash.rfind("0x", 0) == 0) hash = hash.substr(2);
  return std::stoull(hash, nullptr, 16) == Fnv1a64(actual);
}

inline std::string Printable(const std::string& s) {
  std::string out;
  for (unsigned char c : s.substr(0, 200)) {
    if (c >= 32 && c < 127) {
      out.push_back(static_cast<char>(c));
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    }
  }
  if (s.size() > 200) out += "...(" + std::to_string(s.size()) + " bytes)";
  return out;
}

struct VectorListing {
  std::string bytes;  // what the buffer received
  size_t ret = 0;
};

// Names of a list up to its count, ending at the first empty name.
inline std::vector<std::string> ListNames(const std::string& bytes, size_t ret) {
  std::vector<std::string> names;
  const std::string all = bytes.substr(0, ret);
  size_t pos = 0;
  while (pos < all.size()) {
    size_t end = all.find('\0', pos);
    if (end == std::string::npos) end = all.size();
    if (end == pos) break;
    names.push_back(all.substr(pos, end - pos));
    pos = end + 1;
  }
  return names;
}

class VectorBackend {
 public:
  virtual ~VectorBackend() = default;
  // The file a vector path means ($W, $WINDIR and $CWD replaced).
  virtual std::string Path(const std::string& vectorPath) = 0;
  virtual std::string GetString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& def, size_t size) = 0;
  virtual VectorListing KeyList(const std::string& file, const std::string& section,
                                size_t size) = 0;
  virtual VectorListing SectionList(const std::string& file, size_t size) = 0;
  virtual VectorListing SectionData(const std::string& file, const std::string& section,
                                    size_t size) = 0;
  virtual bool Write(const std::string& file, const std::string& section,
                     const std::optional<std::string>& key,
                     const std::optional<std::string>& value) = 0;
  // Helpers of the vectors (not profile calls).
  virtual std::optional<std::string> FileBytes(const std::string& path) = 0;
  virtual bool Delete(const std::string& path) = 0;
  virtual bool RawWrite(const std::string& path, const std::string& data) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
};

// What to do with one call: check it, or only make it.
struct VectorChoice {
  bool check = true;
  // Where we decided on a result of our own (a row without a Windows
  // observation, or a Windows fault we do not copy), the result we give.
  std::optional<std::string> str;
  std::optional<std::string> file;
  std::optional<std::vector<std::string>> names;
};
using VectorChooser = std::function<VectorChoice(const std::string& caseId, int op,
                                                 const Json& call, const std::string& status)>;

struct VectorTally {
  int checked = 0;
  int unchecked = 0;
};

inline Json LoadVectors(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  if (ss.str().empty()) throw std::runtime_error("cannot read " + path);
  return Json::Parse(ss.str());
}

inline std::string InitialBytes(const Json& c) {
  const Json& init = c["initial"];
  if (init.Has("hex")) return FromHex(init["hex"].text);
  const Json& gen = c["initial_gen"];
  std::string out = FromHex(gen["prefix_hex"].text);
  const std::string unit = FromHex(gen["unit_hex"].text);
  for (int64_t i = 0; i < gen["count"].Int(); ++i) out += unit;
  return out + FromHex(gen["suffix_hex"].text);
}

inline std::optional<std::string> Opt(const Json& j) {
  if (j.IsNull()) return std::nullopt;
  return j.text;
}

// Runs one case; returns false when it cannot be run at all.
inline void RunVectorCase(VectorBackend& backend, const Json& c, const VectorChooser& choose,
                          VectorTally& tally) {
  const std::string id = c["id"].text;
  const std::string file = backend.Path(c["path"].text);
  backend.SetAttributes(file, 0x80);
  if (c["initial"].IsNull())
    backend.Delete(file);
  else
    backend.RawWrite(file, InitialBytes(c));

  for (const Json& op : c["ops"].items) {
    const Json& call = op["call"];
    const Json& wine = op["wine"];
    const Json& win = op["windows"];
    const Json& exp = win["expected"];
    const std::string fn = call["fn"].text;
    const int index = static_cast<int>(op["index"].Int());
    const std::string path = call.Has("path") ? backend.Path(call["path"].text) : file;
    SCOPED_TRACE(id + " #" + std::to_string(index) + " " + fn);
    VectorChoice choice = choose(id, index, call, win["status"].text);
    if (!choice.check) ++tally.unchecked;
    const auto size = static_cast<size_t>(call["size"].Int());
    const auto expRet = [&]() -> int64_t {
      return exp.Has("ret") ? exp["ret"].Int() : wine["ret"].Int();
    };
    const auto checkListing = [&](const VectorListing& got) {
      if (!choice.check) return;
      ++tally.checked;
      if (choice.names) {
        EXPECT_EQ(ListNames(got.bytes, got.ret), *choice.names);
        return;
      }
      EXPECT_EQ(static_cast<int64_t>(got.ret), expRet());
      if (exp.Has("out")) {
        const std::string want = FromHex(exp["out"]["hex"].text);
        EXPECT_EQ(Printable(got.bytes.substr(0, want.size())), Printable(want));
      } else if (exp.Has("tail")) {
        const std::string want = FromHex(exp["tail"]["hex"].text);
        ASSERT_GE(got.bytes.size(), want.size());
        EXPECT_EQ(Printable(got.bytes.substr(got.bytes.size() - want.size())), Printable(want));
      } else {
        std::vector<std::string> want;
        if (wine["out"].Has("hex")) {
          want =
              ListNames(FromHex(wine["out"]["hex"].text), static_cast<size_t>(wine["ret"].Int()));
        } else {
          for (const Json& n : wine["list"].items)
            if (n.text != "\xcc") want.push_back(n.text);
        }
        EXPECT_EQ(ListNames(got.bytes, got.ret), want);
      }
    };

    if (fn == "GetPrivateProfileStringA") {
      if (call["section"].IsNull()) {
        checkListing(backend.SectionList(path, size));
      } else if (call["key"].IsNull()) {
        checkListing(backend.KeyList(path, call["section"].text, size));
      } else {
        const std::string got = backend.GetString(path, call["section"].text, call["key"].text,
                                                  call["default"].text, size);
        if (!choice.check) continue;
        ++tally.checked;
        std::string want = choice.str       ? *choice.str
                           : exp.Has("str") ? FromHex(exp["str"]["hex"].text)
                                            : wine["str"].text;
        EXPECT_EQ(Printable(got), Printable(want));
      }
    } else if (fn == "GetPrivateProfileSectionA") {
      checkListing(backend.SectionData(path, call["section"].text, size));
    } else if (fn == "GetPrivateProfileSectionNamesA") {
      checkListing(backend.SectionList(path, size));
    } else if (fn == "WritePrivateProfileStringA") {
      if (call["section"].IsNull()) {
        ++tally.unchecked;  // a NULL section cannot be passed through our interface
        continue;
      }
      const bool ok =
          backend.Write(path, call["section"].text, Opt(call["key"]), Opt(call["value"]));
      if (!choice.check) continue;
      ++tally.checked;
      EXPECT_EQ(ok ? 1 : 0, expRet());
      const std::optional<std::string> after = backend.FileBytes(path);
      if (choice.file) {
        ASSERT_TRUE(after.has_value());
        EXPECT_EQ(Printable(*after), Printable(*choice.file));
      } else {
        const Json& want = exp.Has("file_after") ? exp["file_after"] : wine["file_after"];
        if (want.IsNull()) {
          EXPECT_FALSE(after.has_value());
        } else {
          ASSERT_TRUE(after.has_value());
          EXPECT_TRUE(BlobMatches(want, *after))
              << "file is " << Printable(*after) << "\nwanted   "
              << (want.Has("hex") ? Printable(FromHex(want["hex"].text)) : "(blob)");
        }
      }
    } else if (fn == "exists") {
      const std::optional<std::string> bytes = backend.FileBytes(path);
      if (!choice.check) continue;
      ++tally.checked;
      const int64_t want = exp.Has("exists") ? exp["exists"].Int() : wine["ret"].Int();
      EXPECT_EQ(bytes.has_value() ? 1 : 0, want);
      if (bytes && wine["file"].Has("hex") && !exp.Has("exists")) {
        EXPECT_TRUE(BlobMatches(wine["file"], *bytes));
      }
    } else if (fn == "delete") {
      const bool ok = backend.Delete(path);
      if (!choice.check) continue;
      ++tally.checked;
      EXPECT_EQ(ok ? 1 : 0, expRet());
    } else if (fn == "raw_write") {
      backend.RawWrite(path, FromHex(call["data"]["hex"].text));
    } else if (fn == "set_attributes") {
      backend.SetAttributes(path, static_cast<uint32_t>(call["attr"].Int()));
    } else {
      // GetPrivateProfileIntA, WritePrivateProfileSectionA, list_dir: not
      // part of our interface.
      ++tally.unchecked;
    }
  }
  backend.SetAttributes(file, 0x80);
  backend.Delete(file);
}

}  // namespace w95::test
