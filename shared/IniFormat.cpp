#include "shared/IniFormat.h"

#include <cstdint>

#include "shared/Sjis.h"

namespace sm::ini {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }
bool IsKeyBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimIf(std::string_view s, bool (*blank)(char)) {
  size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string_view TrimSpaces(std::string_view s) {
  return TrimIf(s, [](char c) { return c == ' '; });
}

// One matching pair of outer quotes goes.
std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Equal without regard to ASCII case; the second byte of a double-byte character is compared
// exactly, so two different Japanese characters never fold together.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(a[i]) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (Fold(a[i]) != Fold(b[i])) {
      return false;
    }
  }
  return true;
}

enum class Kind { Blank, Header, Comment, Entry, Bare };

struct Line {
  size_t start = 0, end = 0, next = 0;  // content [start, end); next line starts at next
  Kind kind = Kind::Blank;
  std::string_view name;   // section name of a header, key of an entry
  std::string_view value;  // entry value, trimmed and unquoted
  bool terminated() const { return next > end; }
};

// Walks the file line by line; CRLF, CR and LF all end a line.
class Lines {
 public:
  explicit Lines(std::string_view file) : f_(file) {}

  bool Next(Line& line) {
    if (pos_ >= f_.size()) return false;
    size_t start = pos_, e = pos_;
    const char* p = f_.data();
    size_t n = f_.size();
    while (e < n && p[e] != '\r' && p[e] != '\n') ++e;
    size_t next = e;
    if (next < n) next += (p[next] == '\r' && next + 1 < n && p[next + 1] == '\n') ? 2 : 1;
    pos_ = next;
    line.start = start;
    line.end = e;
    line.next = next;
    Classify(f_.substr(start, e - start), line);
    return true;
  }

 private:
  static void Classify(std::string_view text, Line& line) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    line.name = {};
    line.value = {};
    if (i == text.size()) {
      line.kind = Kind::Blank;
    } else if (text[i] == '[') {
      line.kind = Kind::Header;
      size_t b = i + 1, j = b;
      while (j < text.size() && text[j] != ']') j += CharLen(text, j);
      if (j > text.size()) j = text.size();
      line.name = TrimIf(text.substr(b, j - b), IsBlank);
    } else if (text[i] == ';') {
      line.kind = Kind::Comment;
    } else {
      size_t eq = text.find('=', i);
      if (eq == std::string_view::npos) {
        line.kind = Kind::Bare;
        line.name = TrimIf(text.substr(i), IsKeyBlank);
      } else {
        line.kind = Kind::Entry;
        line.name = TrimIf(text.substr(i, eq - i), IsKeyBlank);
        line.value = Unquote(TrimIf(text.substr(eq + 1), IsBlank));
      }
    }
  }

  std::string_view f_;
  size_t pos_ = 0;
};

// Visits the lines of the first section named `section` (header excluded); stops at its end.
template <class F>
bool InFirstSection(std::string_view file, std::string_view section, F&& f) {
  Lines lines(file);
  Line line;
  bool inside = false;
  while (lines.Next(line)) {
    if (line.kind == Kind::Header) {
      if (inside) break;
      inside = SameName(line.name, section);
      if (inside && !f(line, true)) return true;
      continue;
    }
    if (inside && !f(line, false)) return true;
  }
  return inside;
}

void CheckText(std::string_view s, const char* what) {
  for (char c : s)
    if (c == '\r' || c == '\n' || c == '\0')
      throw BadName(std::string(what) + " holds a line break or NUL");
}

std::string_view CheckedSection(std::string_view section) {
  section = TrimSpaces(section);
  CheckText(section, "section name");
  for (size_t i = 0; i < section.size(); i += CharLen(section, i))
    if (section[i] == ']') throw BadName("section name holds \"]\"");
  // A lone lead byte at the end would swallow the closing bracket.
  if (!section.empty()) {
    size_t i = 0;
    while (i + CharLen(section, i) < section.size()) i += CharLen(section, i);
    if (IsLeadByte(section[i]) && i + 1 == section.size()) throw BadName("section name ends in half a character");
  }
  return section;
}

std::string_view CheckedKey(std::string_view key) {
  key = TrimSpaces(key);
  CheckText(key, "key");
  if (key.find('=') != std::string_view::npos) throw BadName("key holds \"=\"");
  std::string_view t = TrimIf(key, IsBlank);
  if (!t.empty() && (t[0] == '[' || t[0] == ';')) throw BadName("key starts with \"[\" or \";\"");
  return key;
}

bool NeedsQuotes(std::string_view v) {
  if (v.empty()) return false;
  if (IsBlank(v.front()) || IsBlank(v.back())) return true;
  return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

void AppendEntry(std::string& out, std::string_view key, std::string_view value) {
  CheckText(value, "value");
  out.append(key);
  out.push_back('=');
  if (NeedsQuotes(value)) {
    out.push_back('"');
    out.append(value);
    out.push_back('"');
  } else {
    out.append(value);
  }
  out.append("\r\n");
}

bool EndsWithBreak(std::string_view f) {
  return f.empty() || f.back() == '\n' || f.back() == '\r';
}

}  // namespace

std::optional<std::string> Find(std::string_view file, std::string_view section,
                                std::string_view key) {
  section = TrimSpaces(section);
  key = TrimSpaces(key);
  std::optional<std::string> found;
  InFirstSection(file, section, [&](const Line& l, bool header) {
    if (header || l.kind != Kind::Entry || !SameName(l.name, key)) return true;
    found = std::string(l.value);
    return false;
  });
  return found;
}

bool HasKey(std::string_view file, std::string_view section, std::string_view key) {
  return Find(file, section, key).has_value();
}

bool HasSection(std::string_view file, std::string_view section) {
  return InFirstSection(file, TrimSpaces(section), [](const Line&, bool) { return false; });
}

void ForEachEntry(std::string_view file, std::string_view section,
                  const std::function<void(std::string_view, std::string_view)>& visit) {
  InFirstSection(file, TrimSpaces(section), [&](const Line& l, bool header) {
    if (!header && l.kind == Kind::Entry) visit(l.name, l.value);
    return true;
  });
}

std::vector<Entry> Section(std::string_view file, std::string_view section) {
  std::vector<Entry> out;
  ForEachEntry(file, section, [&](std::string_view k, std::string_view v) {
    out.push_back({std::string(k), std::string(v)});
  });
  return out;
}

std::vector<std::string> SectionNames(std::string_view file) {
  std::vector<std::string> out;
  Lines lines(file);
  Line line;
  while (lines.Next(line))
    if (line.kind == Kind::Header) out.emplace_back(line.name);
  return out;
}

std::string Write(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value) {
  section = CheckedSection(section);
  key = CheckedKey(key);
  CheckText(value, "value");

  bool replaced = false;
  size_t at = 0;            // where a new entry goes
  bool atTerminated = true;  // whether the line before `at` ends with a line break
  Line hit;
  bool found = InFirstSection(file, section, [&](const Line& l, bool header) {
    if (header || l.kind == Kind::Entry || l.kind == Kind::Bare) {
      if (!header && l.kind == Kind::Entry && SameName(l.name, key)) {
        hit = l;
        replaced = true;
        return false;
      }
      at = l.next;
      atTerminated = l.terminated();
    }
    return true;
  });

  std::string out;
  out.reserve(file.size() + key.size() + value.size() + section.size() + 8);
  if (replaced) {
    out.append(file.substr(0, hit.start));
    AppendEntry(out, hit.name, value);  // the file's own spelling of the key
    out.append(file.substr(hit.next));
  } else if (found) {
    out.append(file.substr(0, at));
    if (!atTerminated) out.append("\r\n");
    AppendEntry(out, key, value);
    out.append(file.substr(at));
  } else {
    out.append(file);
    if (!EndsWithBreak(file)) out.append("\r\n");
    out.push_back('[');
    out.append(section);
    out.append("]\r\n");
    AppendEntry(out, key, value);
  }
  return out;
}

std::string DeleteKey(std::string_view file, std::string_view section, std::string_view key) {
  section = TrimSpaces(section);
  key = TrimSpaces(key);
  std::optional<Line> hit;
  InFirstSection(file, section, [&](const Line& l, bool header) {
    if (!header && l.kind == Kind::Entry && SameName(l.name, key)) {
      hit = l;
      return false;
    }
    return true;
  });
  if (!hit) return std::string(file);
  std::string out(file.substr(0, hit->start));
  out.append(file.substr(hit->next));
  return out;
}

namespace {
// Drops the header and entry lines of the first section of that name, or of all of them.
std::string Erase(std::string_view file, std::string_view section, bool all) {
  std::string out;
  out.reserve(file.size());
  Lines lines(file);
  Line line;
  bool inside = false, erasedOne = false;
  while (lines.Next(line)) {
    if (line.kind == Kind::Header) {
      inside = (all || !erasedOne) && SameName(line.name, section);
      if (inside) {
        erasedOne = true;
        continue;
      }
    } else if (inside && (line.kind == Kind::Entry || line.kind == Kind::Bare)) {
      continue;
    }
    out.append(file.substr(line.start, line.next - line.start));
  }
  return out;
}
}  // namespace

std::string EraseSection(std::string_view file, std::string_view section) {
  return Erase(file, TrimSpaces(section), false);
}

std::string ReplaceSection(std::string_view file, std::string_view section,
                           const std::vector<Entry>& entries) {
  section = CheckedSection(section);
  std::vector<std::string_view> keys;
  keys.reserve(entries.size());
  size_t extra = section.size() + 4;
  for (const Entry& e : entries) {
    keys.push_back(CheckedKey(e.key));
    extra += e.key.size() + e.value.size() + 5;
  }
  std::string out = Erase(file, section, true);
  if (entries.empty()) return out;
  out.reserve(out.size() + extra + 2);
  if (!EndsWithBreak(out)) out.append("\r\n");
  out.push_back('[');
  out.append(section);
  out.append("]\r\n");
  for (size_t i = 0; i < entries.size(); ++i) AppendEntry(out, keys[i], entries[i].value);
  return out;
}

int ParseInt(std::string_view t, int fallback) {
  size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == t.size()) return fallback;
  unsigned long long v = 0;
  for (; i < t.size(); ++i) {
    char c = t[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return fallback;
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (v > 0xFFFFFFFFull) return fallback;
  }
  if (base == 16) {
    // Hexadecimal fills the 32 bits: 0xFFFFFFFF is -1.
    auto u = static_cast<uint32_t>(v);
    int r = static_cast<int>(u);
    return neg ? static_cast<int>(0u - u) : r;
  }
  if (neg) return v <= 2147483648ull ? static_cast<int>(-static_cast<long long>(v)) : fallback;
  return v <= 2147483647ull ? static_cast<int>(v) : fallback;
}

std::string FormatInt(long long v) { return std::to_string(v); }

}  // namespace sm::ini
