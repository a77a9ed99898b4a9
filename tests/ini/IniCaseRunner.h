#pragma once
// Runs one compatibility case against a profile backend, with GoogleTest expectations.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "shared/IniFile.h"
#include "tests/ini/IniCases.h"

namespace sm::testing {

class ProfileBackend {
 public:
  virtual ~ProfileBackend() = default;
  virtual void SetFile(const std::optional<std::string>& bytes) = 0;
  virtual std::optional<std::string> GetFile() = 0;
  virtual std::string Read(const std::string& s, const std::string& k, const std::string& def) = 0;
  virtual void Write(const std::string& s, const std::string& k, const std::string& v) = 0;
  virtual void Delete(const std::string& s, const std::string& k) = 0;
  virtual void Erase(const std::string& s) = 0;
};

// The engine on a file seam.
class EngineBackend : public ProfileBackend {
 public:
  EngineBackend(platform::Files& files, std::string path) : files_(files), ini_(files, path), path_(path) {}
  void SetFile(const std::optional<std::string>& bytes) override {
    files_.Remove(path_);
    if (bytes) files_.Replace(path_, *bytes);
  }
  std::optional<std::string> GetFile() override { return files_.Read(path_); }
  std::string Read(const std::string& s, const std::string& k, const std::string& def) override {
    return ini_.ReadString(s, k, def);
  }
  void Write(const std::string& s, const std::string& k, const std::string& v) override {
    ini_.WriteString(s, k, v);
  }
  void Delete(const std::string& s, const std::string& k) override { ini_.DeleteKey(s, k); }
  void Erase(const std::string& s) override { ini_.EraseSection(s); }

 private:
  platform::Files& files_;
  IniFile ini_;
  std::string path_;
};

inline std::string Visible(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out.size() > 200 ? out.substr(0, 200) + "..." : out;
}

inline void RunIniCase(const IniCase& c, ProfileBackend& b) {
  SCOPED_TRACE(c.name);
  b.SetFile(c.before);
  for (const IniOp& op : c.ops) {
    switch (op.kind) {
      case IniOp::Read:
        EXPECT_EQ(Visible(b.Read(op.section, op.key, op.value)), Visible(op.expect))
            << "read [" << op.section << "] " << op.key;
        break;
      case IniOp::Write: b.Write(op.section, op.key, op.value); break;
      case IniOp::Delete: b.Delete(op.section, op.key); break;
      case IniOp::Erase: b.Erase(op.section); break;
    }
  }
  if (c.after) {
    auto got = b.GetFile();
    ASSERT_TRUE(got.has_value()) << "no file afterwards";
    EXPECT_EQ(Visible(*got), Visible(*c.after));
  }
}

}  // namespace sm::testing
