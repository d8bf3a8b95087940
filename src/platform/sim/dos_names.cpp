#include "platform/sim/dos_names.h"

#include <cctype>

namespace w95::platform::sim {

namespace {

char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Characters a short name may hold besides letters and digits; bytes of 128
// and above (code-page letters) are allowed too.
bool ShortChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 128) return true;
  if (std::isalnum(u)) return true;
  return std::string_view("$%'-_@~`!(){}^#&").find(c) != std::string_view::npos;
}

// Characters that are legal in a long name but not in a short one; an alias
// turns them into "_". Spaces and dots are dropped instead.
bool ReplacedInAlias(char c) {
  return std::string_view("+,;=[]").find(c) != std::string_view::npos;
}

std::string AliasPart(std::string_view part) {
  std::string out;
  for (char c : part) {
    if (c == ' ' || c == '.') continue;
    out += ReplacedInAlias(c) ? '_' : UpperChar(c);
  }
  return out;
}

// Pattern characters after the DOS rewrite of FindFirstFileA.
constexpr char kStar = '*';
constexpr char kDosStar = '<';  // "*" before ".": up to the name's last dot
constexpr char kDosQm = '>';    // "?": one character, or none at a dot or the end
constexpr char kDosDot = '"';   // "." before a wildcard or at the end: a dot or the end

std::string Rewrite(std::string_view p) {
  std::string out;
  for (size_t i = 0; i < p.size(); ++i) {
    const char next = i + 1 < p.size() ? p[i + 1] : '\0';
    if (p[i] == '?') {
      out += kDosQm;
    } else if (p[i] == '*' && next == '.') {
      out += kDosStar;
    } else if (p[i] == '.' && (next == '?' || next == '*' || next == '\0')) {
      out += kDosDot;
    } else {
      out += UpperChar(p[i]);
    }
  }
  return out;
}

bool Match(const std::string& p, size_t pi, const std::string& n, size_t ni) {
  if (pi == p.size()) return ni == n.size();
  switch (p[pi]) {
    case kStar:
      for (size_t k = ni; k <= n.size(); ++k)
        if (Match(p, pi + 1, n, k)) return true;
      return false;
    case kDosStar: {
      const size_t lastDot = n.rfind('.');
      const size_t limit = (lastDot != std::string::npos && lastDot >= ni) ? lastDot : n.size();
      for (size_t k = ni; k <= limit; ++k)
        if (Match(p, pi + 1, n, k)) return true;
      return false;
    }
    case kDosQm:
      if (ni < n.size() && n[ni] != '.') return Match(p, pi + 1, n, ni + 1);
      while (pi < p.size() && p[pi] == kDosQm) ++pi;
      return Match(p, pi, n, ni);
    case kDosDot:
      if (ni < n.size() && n[ni] == '.') return Match(p, pi + 1, n, ni + 1);
      return ni == n.size() && Match(p, pi + 1, n, ni);
    default:
      return ni < n.size() && p[pi] == n[ni] && Match(p, pi + 1, n, ni + 1);
  }
}

}  // namespace

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperChar(c);
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

bool IsShortName(std::string_view name) {
  if (name == "." || name == "..") return true;
  const size_t dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  const std::string_view ext = dot == std::string_view::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string_view::npos && ext.empty()) return false;  // "NAME."
  for (char c : base)
    if (!ShortChar(c)) return false;
  for (char c : ext)
    if (!ShortChar(c)) return false;
  return true;
}

std::string MakeAlias(std::string_view longName,
                      const std::function<bool(const std::string&)>& taken) {
  size_t dot = longName.rfind('.');
  std::string base = AliasPart(longName.substr(0, dot));
  std::string ext = dot == std::string_view::npos ? "" : AliasPart(longName.substr(dot + 1));
  if (base.empty()) {  // ".profile": the part after the dot is all there is
    base = ext;
    ext.clear();
  }
  if (ext.size() > 3) ext.resize(3);
  for (unsigned n = 1;; ++n) {
    const std::string tail = "~" + std::to_string(n);
    std::string alias = base.substr(0, 8 - tail.size()) + tail;
    if (!ext.empty()) alias += "." + ext;
    if (!taken(alias)) return alias;
  }
}

bool MatchesPattern(std::string_view pattern, std::string_view name) {
  return Match(Rewrite(pattern), 0, Upper(name), 0);
}

}  // namespace w95::platform::sim
