#include "shared/IniFile.h"

namespace sm {

std::string IniFile::Load() const {
  try {
    return files_.Read(path_).value_or(std::string());
  } catch (const platform::IoError&) {
    return {};
  }
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
  if (auto v = ini::Find(Load(), section, key)) return *v;
  // Like the platform, a default loses its trailing blanks.
  size_t e = fallback.find_last_not_of(' ');
  return e == std::string::npos ? std::string() : fallback.substr(0, e + 1);
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
  auto v = ini::Find(Load(), section, key);
  return v ? ini::ParseInt(*v, fallback) : fallback;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::KeyExists(const std::string& section, const std::string& key) const {
  return ini::HasKey(Load(), section, key);
}

bool IniFile::SectionExists(const std::string& section) const {
  return ini::HasSection(Load(), section);
}

std::vector<ini::Entry> IniFile::ReadSection(const std::string& section) const {
  return ini::Section(Load(), section);
}

void IniFile::Store(const std::string& before, const std::string& after, bool createEmpty) {
  if (after == before && (files_.Exists(path_) || !createEmpty)) return;
  files_.Replace(path_, after);
}

namespace {
// The current bytes for a change: a file that exists but cannot be read must not be replaced
// by one holding only the new key.
std::string ForChange(platform::Files& files, const std::string& path) {
  return files.Read(path).value_or(std::string());
}
}  // namespace

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  std::string before = ForChange(files_, path_);
  Store(before, ini::Write(before, section, key, value), true);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, long long value) {
  WriteString(section, key, ini::FormatInt(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

// Deleting from a missing file leaves an empty file, as the platform does.
void IniFile::DeleteKey(const std::string& section, const std::string& key) {
  std::string before = ForChange(files_, path_);
  Store(before, ini::DeleteKey(before, section, key), true);
}

void IniFile::EraseSection(const std::string& section) {
  std::string before = ForChange(files_, path_);
  Store(before, ini::EraseSection(before, section), true);
}

void IniFile::ReplaceSection(const std::string& section, const std::vector<ini::Entry>& entries) {
  std::string before = ForChange(files_, path_);
  Store(before, ini::ReplaceSection(before, section, entries), true);
}

}  // namespace sm
