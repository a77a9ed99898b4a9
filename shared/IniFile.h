#pragma once
// A settings file on disk in the private-profile format. Every operation reads the file afresh
// and every change replaces it in one step, so keys that other programs wrote in between survive
// and a crash never leaves a torn file. Reads never fail: a missing or unreadable file, section
// or key gives the default. Writes throw platform::IoError when the file cannot be replaced.
#include <string>
#include <vector>

#include "platform/Files.h"
#include "shared/IniFormat.h"

namespace sm {

class IniFile {
 public:
  IniFile(platform::Files& files, std::string path) : files_(files), path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  bool Exists() const { return files_.Exists(path_); }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
  bool KeyExists(const std::string& section, const std::string& key) const;
  bool SectionExists(const std::string& section) const;
  // The section's entries in file order, read in one pass.
  std::vector<ini::Entry> ReadSection(const std::string& section) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, long long value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  void DeleteKey(const std::string& section, const std::string& key);
  void EraseSection(const std::string& section);
  // Erases the section and writes these entries in one rewrite of the file.
  void ReplaceSection(const std::string& section, const std::vector<ini::Entry>& entries);

  // The file's bytes, empty when it is missing or unreadable.
  std::string Load() const;

 private:
  void Store(const std::string& before, const std::string& after, bool createEmpty);

  platform::Files& files_;
  std::string path_;
};

}  // namespace sm
