// A small JSON reader for the test data files (objects, arrays, strings,
// numbers, true, false, null). Strings come back as bytes: a \uXXXX escape
// below 256 is that byte, which is how the profile vectors spell raw bytes.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace w95::test {

struct Json {
  enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::map<std::string, Json> fields;

  bool IsNull() const { return type == Type::Null; }
  bool Has(const std::string& key) const { return fields.count(key) != 0; }
  const Json& operator[](const std::string& key) const {
    static const Json none;
    auto it = fields.find(key);
    return it == fields.end() ? none : it->second;
  }
  int64_t Int() const { return static_cast<int64_t>(number); }

  static Json Parse(const std::string& src) {
    size_t pos = 0;
    Json value = ParseValue(src, pos);
    return value;
  }

 private:
  static void Skip(const std::string& s, size_t& p) {
    while (p < s.size() && (s[p] == ' ' || s[p] == '\n' || s[p] == '\r' || s[p] == '\t')) ++p;
  }
  static void AppendCodePoint(std::string& out, unsigned cp) {
    if (cp < 0x100) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  static std::string ParseString(const std::string& s, size_t& p) {
    std::string out;
    ++p;  // opening quote
    while (p < s.size() && s[p] != '"') {
      const auto c = static_cast<unsigned char>(s[p++]);
      if (c >= 0x80) {
        // UTF-8 sequence: one code point.
        const int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
        unsigned cp = c & (0x3F >> more);
        for (int i = 0; i < more && p < s.size(); ++i)
          cp = (cp << 6) | (static_cast<unsigned char>(s[p++]) & 0x3F);
        AppendCodePoint(out, cp);
        continue;
      }
      if (c != '\\') {
        out.push_back(static_cast<char>(c));
        continue;
      }
      char e = s[p++];
      switch (e) {
        case 'n':
          out.push_back('\n');
          break;
        case 'r':
          out.push_back('\r');
          break;
        case 't':
          out.push_back('\t');
          break;
        case 'b':
          out.push_back('\b');
          break;
        case 'f':
          out.push_back('\f');
          break;
        case 'u':
          AppendCodePoint(out, static_cast<unsigned>(std::stoul(s.substr(p, 4), nullptr, 16)));
          p += 4;
          break;
        default:
          out.push_back(e);
          break;
      }
    }
    ++p;  // closing quote
    return out;
  }
  static Json ParseValue(const std::string& s, size_t& p) {
    Skip(s, p);
    Json v;
    if (p >= s.size()) throw std::runtime_error("JSON: unexpected end");
    char c = s[p];
    if (c == '{') {
      v.type = Type::Object;
      ++p;
      Skip(s, p);
      if (s[p] == '}') return ++p, v;
      for (;;) {
        Skip(s, p);
        std::string key = ParseString(s, p);
        Skip(s, p);
        ++p;  // ':'
        v.fields[key] = ParseValue(s, p);
        Skip(s, p);
        if (s[p++] == '}') return v;
      }
    }
    if (c == '[') {
      v.type = Type::Array;
      ++p;
      Skip(s, p);
      if (s[p] == ']') return ++p, v;
      for (;;) {
        v.items.push_back(ParseValue(s, p));
        Skip(s, p);
        if (s[p++] == ']') return v;
      }
    }
    if (c == '"') {
      v.type = Type::String;
      v.text = ParseString(s, p);
      return v;
    }
    if (s.compare(p, 4, "true") == 0) {
      v.type = Type::Bool;
      v.boolean = true;
      p += 4;
      return v;
    }
    if (s.compare(p, 5, "false") == 0) {
      v.type = Type::Bool;
      p += 5;
      return v;
    }
    if (s.compare(p, 4, "null") == 0) {
      p += 4;
      return v;
    }
    v.type = Type::Number;
    char* end = nullptr;
    v.number = std::strtod(s.c_str() + p, &end);
    p = static_cast<size_t>(end - s.c_str());
    return v;
  }
};

}  // namespace w95::test
