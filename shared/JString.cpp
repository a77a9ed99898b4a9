#include "shared/JString.h"

#include <cstring>

#include "shared/Sjis.h"

namespace sm {
namespace jstr {

bool IsDBCS(const char* p) { return *p != '\0' && IsLeadByte(*p) && p[1] != '\0'; }

unsigned GetDBCS(const char* p) {
  const auto b = [](char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)); };
  if (IsDBCS(p)) return b(p[0]) * 256 + b(p[1]);
  return b(p[0]);
}

bool IsTRIM(const char* p, bool jisChk) {
  if (*p == '\0') return false;  // the end of the text is no character
  const unsigned code = GetDBCS(p);
  if (code <= 0x20 || code == 0x7F) return true;
  return jisChk && code == 0x8140;
}

int StrByteInc(const char*& p) {
  if (*p == '\0') return 0;
  const int n = IsDBCS(p) ? 2 : 1;
  p += n;
  return n;
}

int StrByteCopy(char*& dst, const char*& src, bool jisChk) {
  if (*src == '\0') return 0;
  const int n = (jisChk && IsDBCS(src)) ? 2 : 1;
  for (int i = 0; i < n; ++i) *dst++ = *src++;
  return n;
}

namespace {
unsigned FoldAscii(unsigned c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
// Full-width Latin small letters (0x8281-0x829A) to capitals (0x8260-0x8279).
unsigned FoldWide(unsigned c) { return (c >= 0x8281 && c <= 0x829A) ? c - 0x21 : c; }
}  // namespace

int StrByteComp(const char*& a, const char*& b, bool upLow, bool jisOn) {
  if (IsDBCS(a) && IsDBCS(b)) {
    unsigned ca = GetDBCS(a), cb = GetDBCS(b);
    if (upLow && jisOn) {
      ca = FoldWide(ca);
      cb = FoldWide(cb);
    }
    if (ca != cb) return ca < cb ? -1 : 1;
    a += 2;
    b += 2;
    return 0;
  }
  unsigned ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
  if (upLow) {
    ca = FoldAscii(ca);
    cb = FoldAscii(cb);
  }
  if (ca != cb) return ca < cb ? -1 : 1;
  ++a;
  ++b;
  return 0;
}

const char* StrTextComp(const char* s, const char* c) {
  if (*s != *c) return nullptr;
  const char* ps = s;
  const char* pc = c;
  while (*ps != '\0' && *pc != '\0') {
    if (StrByteComp(ps, pc, false, false) != 0) return nullptr;
  }
  return *pc == '\0' ? s : nullptr;
}

int MtoMB(const char* s, int maxLen, int& bytes) {
  int chars = 0;
  bytes = 0;
  const char* p = s;
  while (maxLen == 0 || chars < maxLen) {
    const int n = StrByteInc(p);
    if (n == 0) break;
    bytes += n;
    ++chars;
  }
  return chars;
}

}  // namespace jstr

namespace {
// The text up to its first NUL, as the internal functions see it.
std::string AsZ(std::string_view s) {
  const size_t nul = s.find('\0');
  return std::string(nul == std::string_view::npos ? s : s.substr(0, nul));
}
}  // namespace

int jStrLen(const char* s) {
  int bytes = 0;
  return jstr::MtoMB(s, 0, bytes);
}

int jLength(std::string_view text) { return jStrLen(AsZ(text).c_str()); }

std::string jCopy(std::string_view text, int index, int count) {
  if (text.empty() || index < 0 || count <= 0) return {};
  const std::string z = AsZ(text);
  const char* p = z.c_str();
  for (int skip = index > 0 ? index - 1 : 0; skip > 0; --skip)
    if (jstr::StrByteInc(p) == 0) return {};
  int bytes = 0;
  jstr::MtoMB(p, count, bytes);
  return std::string(p, static_cast<size_t>(bytes));
}

int jPos(std::string_view sub, std::string_view text) {
  const std::string zs = AsZ(sub), zt = AsZ(text);
  if (zs.empty() || zt.empty()) return 0;
  const char* p = zt.c_str();
  for (int pos = 1; *p != '\0'; ++pos) {
    if (jstr::StrTextComp(p, zs.c_str())) return pos;
    jstr::StrByteInc(p);
  }
  return 0;
}

char* StrTrim(char* buf, int mode, bool jisChk) {
  const bool front = mode == 0 || mode == 1 || mode == 3;
  const bool back = mode == 0 || mode == 2;
  const char* src = buf;
  char* dst = buf;
  if (front)
    while (jstr::IsTRIM(src, jisChk)) jstr::StrByteInc(src);
  char* runStart = nullptr;  // where the current run of blanks began in the output
  while (*src != '\0') {
    if (jstr::IsTRIM(src, jisChk)) {
      if (mode == 3) {
        jstr::StrByteInc(src);
        continue;
      }
      if (!runStart) runStart = dst;
    } else {
      runStart = nullptr;
    }
    jstr::StrByteCopy(dst, src, true);
  }
  if (back && runStart) dst = runStart;
  *dst = '\0';
  return buf;
}

std::string jTrim(std::string_view text) {
  std::string z = AsZ(text);
  StrTrim(z.data(), 0, true);
  z.resize(std::strlen(z.c_str()));
  return z;
}

std::string jLeft(std::string_view text, int n) {
  if (n < 1) return {};
  std::string r = jCopy(text, 1, n);
  const int have = jLength(r);
  r.append(static_cast<size_t>(n - have), ' ');
  return r;
}

std::string jToken(std::string& text, std::string_view delimita, bool quoted) {
  const std::string d = AsZ(delimita);
  if (quoted && d.find('"') != std::string::npos) quoted = false;
  if (text.empty() || d.empty()) {
    std::string all = std::move(text);
    text.clear();
    return all;
  }
  const char* begin = text.c_str();  // text is zero-terminated by std::string
  const char* end = begin + text.size();
  const char* p = begin;
  bool outside = true;
  while (p < end && *p != '\0') {
    if (quoted && *p == '"') outside = !outside;
    if (outside && jstr::StrTextComp(p, d.c_str())) {
      const size_t at = static_cast<size_t>(p - begin);
      std::string token = text.substr(0, at);
      text.erase(0, at + d.size());
      return token;
    }
    jstr::StrByteInc(p);
  }
  std::string all = std::move(text);
  text.clear();
  return all;
}

std::string Cating(std::string_view text, int n) {
  std::string r;
  if (text.empty() || n <= 0) return r;
  r.reserve(text.size() * static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) r.append(text);
  return r;
}

char* StrCating(char* dest, const char* src, int n) {
  char* p = dest + std::strlen(dest);
  const size_t len = std::strlen(src);
  for (int i = 0; i < n; ++i, p += len) std::memcpy(p, src, len);
  *p = '\0';
  return dest;
}

bool ParseDecimal(std::string_view s, int& out) {
  size_t i = 0;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  if (i == s.size()) return false;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (neg) v = -v;
  if (v > 2147483647LL) return false;
  out = static_cast<int>(v);
  return true;
}

std::string_view TrimControl(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) s.remove_suffix(1);
  return s;
}

int ReadCommaDelimitedInteger(std::span<int> data, std::string_view text) {
  for (int& e : data) e = 0;
  int count = 0;
  if (text.empty()) return 0;
  std::string s(text);
  for (size_t i = 0; i < data.size(); ++i) {
    s = std::string(TrimControl(s));
    if (s.empty()) return count;
    int v;
    if (!ParseDecimal(TrimControl(jToken(s, ",")), v)) break;  // consumed, not stored
    data[i] = v;
    ++count;
  }
  while (!s.empty()) {
    int v;
    if (!ParseDecimal(TrimControl(jToken(s, ",")), v)) break;
    ++count;
    s = std::string(TrimControl(s));
  }
  return count;
}

std::string MakeCommaDelimitedIntStr(std::span<const int> data) {
  std::string r;
  for (int v : data) {
    r += std::to_string(v);
    r += ',';
  }
  if (!r.empty()) r.pop_back();
  return r;
}

std::string ExtractFilePath(std::string_view path) {
  size_t cut = 0;
  for (size_t i = 0; i < path.size(); i += CharLen(path, i)) {
    const size_t n = CharLen(path, i);
    if (n == 1 && (path[i] == '\\' || path[i] == ':')) cut = i + 1;
  }
  return std::string(path.substr(0, cut));
}

bool EndsWithChar(std::string_view text, char c) {
  size_t last = std::string_view::npos;
  size_t lastLen = 0;
  for (size_t i = 0; i < text.size(); i += lastLen) {
    last = i;
    lastLen = CharLen(text, i);
  }
  return last != std::string_view::npos && lastLen == 1 && text[last] == c;
}

}  // namespace sm
