#include "shared/Folders.h"

#include <cstdlib>

#include "shared/IniFile.h"
#include "shared/JString.h"
#include "shared/Sjis.h"

namespace sm {
namespace {

const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Solmora";
const char* kProductKey = "Software\\Solmora";

// The text between a leading double quote and its matching closing quote, a doubled quote
// standing for one; what follows the closing quote is dropped. Double-byte characters are
// stepped over whole.
std::string ExtractQuoted(const std::string& s) {
  std::string r;
  size_t i = 1;
  while (i < s.size()) {
    const size_t n = CharLen(s, i);
    if (n == 1 && s[i] == '"') {
      if (i + 1 < s.size() && s[i + 1] == '"') {
        r += '"';
        i += 2;
        continue;
      }
      break;
    }
    r.append(s, i, n);
    i += n;
  }
  return r;
}

// A registry text value; a value of another type counts as missing.
std::optional<std::string> TextValue(platform::RegKey& key, const std::string& name) {
  auto v = key.Get(name);
  if (!v || v->type != platform::RegType::String) return std::nullopt;
  return v->data;
}

}  // namespace

std::string TFolders::GetSolmoraPath() {
  // Reading needs no more than read access.
  auto key = p_.registry.Open(kUninstallKey, platform::RegAccess::Read, false);
  if (!key) return {};
  std::string cmd = TextValue(*key, "UninstallString").value_or("");
  if (!cmd.empty() && cmd.front() == '"') cmd = ExtractQuoted(cmd);
  return ExtractFilePath(cmd);
}

std::string TFolders::SmPath() {
  std::string path = GetSolmoraPath();
  if (path.empty()) path = ExtractFilePath(p_.files.ExecutablePath());
  return path;
}

bool TFolders::IsSolmoraInstalled() { return !GetSolmoraPath().empty(); }

std::string TFolders::DataPath() { return ReadMultiBootIni("path", SmPath()); }

std::string TFolders::ReadMultiBootIni(const std::string& request, const std::string& folder) {
  if (request.empty() || folder != mbFolder_) {
    mbFolder_ = folder;
    mbDataPath_ = folder;
    IniFile ini(p_.files, folder + "MultiBoot.ini");
    if (ini.Exists()) {
      mbDataPath_ = ini.ReadString("MultiBoot", "Path", folder);
      if (!EndsWithChar(mbDataPath_, '\\')) {
        mbDataPath_ += '\\';
        try {
          ini.WriteString("MultiBoot", "Path", mbDataPath_);
        } catch (const platform::IoError&) {
          // The corrected folder is used all the same; the file is fixed at a later load.
        }
      }
      mbUserName_ = std::string(TrimControl(ini.ReadString("MultiBoot", "UserName", GetUserName())));
    }
  }
  return request == "path" ? mbDataPath_ : mbUserName_;
}

double TFolders::SmVersionByDouble() {
  if (!IsSolmoraInstalled()) return -1;
  IniFile ini(p_.files, DataPath() + "Solmora.ini");
  const std::string text = ini.ReadString("System", "SolmoraVersion", "");
  double v;
  if (text.empty() || !ParseLocaleDouble(text, p_.locale.Info().decimalSeparator, v)) return -1;
  return v;
}

std::string TFolders::ReadRegData(const std::string& request) {
  if (regDataPath_.empty()) {
    if (auto key = p_.registry.Open(kProductKey, platform::RegAccess::Read, false)) {
      if (auto v = TextValue(*key, "UserName")) regUserName_ = *v;
      if (auto v = TextValue(*key, "DataPath")) regDataPath_ = *v;
      if (auto v = TextValue(*key, "IniFileName")) regIniFile_ = *v;
      if (auto v = key->Get("StartUpWait")) {
        if (v->type == platform::RegType::DWord)
          regStartUpWait_ = std::to_string(static_cast<int32_t>(v->AsDWord()));
      }
    }
  }
  if (request == "UserName") return regUserName_;
  if (request == "DataPath") return regDataPath_;
  if (request == "IniFile") return regIniFile_;
  if (request == "StartUpWait") return regStartUpWait_;
  return {};
}

std::string TFolders::RegUserName() { return ReadRegData("UserName"); }
std::string TFolders::RegDataPath() { return ReadRegData("DataPath"); }
std::string TFolders::GetUserName() { return p_.user.LogonName(); }

bool ParseLocaleDouble(const std::string& text, char sep, double& out) {
  // Checked here, then converted in the C locale's notation.
  std::string c;
  size_t i = 0;
  const size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) c += text[i++];
  size_t digits = 0;
  while (i < n && text[i] >= '0' && text[i] <= '9') c += text[i++], ++digits;
  if (i < n && text[i] == sep) {
    c += '.';
    ++i;
    while (i < n && text[i] >= '0' && text[i] <= '9') c += text[i++], ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    c += 'E';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) c += text[i++];
    size_t exp = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') c += text[i++], ++exp;
    if (exp == 0) return false;
  }
  if (i != n) return false;
  out = std::strtod(c.c_str(), nullptr);
  return true;
}

}  // namespace sm
