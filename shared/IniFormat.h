#pragma once
// The private-profile ("ini") format on bytes, as the platform's profile functions read and
// write it: edits change only the lines they must, so comments, blank lines, unusual spacing and
// text before the first section survive byte for byte.
//
// Reading: sections open at a line whose first non-blank character is "["; the name ends at the
// first "]" (the second byte of a double-byte character never counts) and is trimmed. Only the
// first section of a name is searched, and in it the first entry of a key. An entry is split at
// its first "="; a line whose first non-blank character is ";" is a comment. Names compare
// without regard to ASCII letter case. A value is trimmed of blanks, then loses one matching
// pair of outer quotes (' or ").
//
// Writing: a changed entry becomes "key=value" CRLF, keeping the file's spelling of the key; a
// new entry goes after the section's last entry line; a new section is appended at the end of the
// file as "[S]" CRLF "key=value" CRLF. Values with blanks at either end, or with matching quotes
// at both ends, are written inside double quotes so that every reader gets them back unchanged.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sm::ini {

struct Entry {
  std::string key;
  std::string value;
  bool operator==(const Entry&) const = default;
};

// A key or value that the format cannot hold (line breaks, NUL, "=" in a key, a key that would
// read as a section or a comment).
class BadName : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Reading.
std::optional<std::string> Find(std::string_view file, std::string_view section, std::string_view key);
bool HasKey(std::string_view file, std::string_view section, std::string_view key);
bool HasSection(std::string_view file, std::string_view section);
// The entries of the first section of that name, in file order; comments and lines without "="
// are left out. A key that occurs twice is listed twice, each with its own value.
std::vector<Entry> Section(std::string_view file, std::string_view section);
// Calls visit(key, value) for each entry of the section, without copying; the views are valid
// for the call only (quotes already removed).
void ForEachEntry(std::string_view file, std::string_view section,
                  const std::function<void(std::string_view, std::string_view)>& visit);
// The names of all sections, in file order, duplicates included.
std::vector<std::string> SectionNames(std::string_view file);

// Writing: each returns the file's new bytes.
std::string Write(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value);
std::string DeleteKey(std::string_view file, std::string_view section, std::string_view key);
// Removes the section's header and entry lines; its comment and blank lines stay.
std::string EraseSection(std::string_view file, std::string_view section);
// Erases every section of that name and appends it afresh at the end with the entries in their
// order: the result of an erase followed by writing each entry, in one pass.
std::string ReplaceSection(std::string_view file, std::string_view section,
                           const std::vector<Entry>& entries);

// Value encodings shared by every reader and writer of the product's files.
// Integer: optional sign, then decimal digits or "0x"/"0X"/"$" and hex digits, the whole text;
// anything else (empty, trailing characters, out of range) gives the default.
int ParseInt(std::string_view text, int fallback);
std::string FormatInt(long long v);

}  // namespace sm::ini
