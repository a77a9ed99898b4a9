// Under Wine: the compatibility table against the platform's own profile functions and against
// the engine on real files, and the Win32 seams the engine and the settings stand on.
#include <windows.h>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"
#include "tests/ini/IniCaseRunner.h"

namespace sm::testing {
namespace {

std::string TempFolder() {
  char buf[MAX_PATH];
  GetTempPathA(MAX_PATH, buf);
  std::string dir = std::string(buf) + "sm-ini-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

// GetPrivateProfileStringA / WritePrivateProfileStringA, the functions other programs use.
class PlatformBackend : public ProfileBackend {
 public:
  explicit PlatformBackend(std::string path) : path_(std::move(path)) {}
  void SetFile(const std::optional<std::string>& bytes) override {
    DeleteFileA(path_.c_str());
    if (bytes) files_.Replace(path_, *bytes);
  }
  std::optional<std::string> GetFile() override { return files_.Read(path_); }
  std::string Read(const std::string& s, const std::string& k, const std::string& def) override {
    std::string buf(1 << 20, '\0');
    DWORD n = GetPrivateProfileStringA(s.c_str(), k.c_str(), def.c_str(), buf.data(),
                                       static_cast<DWORD>(buf.size()), path_.c_str());
    buf.resize(n);
    return buf;
  }
  void Write(const std::string& s, const std::string& k, const std::string& v) override {
    WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), path_.c_str());
  }
  void Delete(const std::string& s, const std::string& k) override {
    WritePrivateProfileStringA(s.c_str(), k.c_str(), nullptr, path_.c_str());
  }
  void Erase(const std::string& s) override {
    WritePrivateProfileStringA(s.c_str(), nullptr, nullptr, path_.c_str());
  }

 private:
  std::string path_;
  platform::Win32Files files_;
};

TEST(IniCompatibility, CodePageIs932) { EXPECT_EQ(GetACP(), 932u); }

TEST(IniCompatibility, PlatformProfileFunctionsAnswerEveryCase) {
  std::string dir = TempFolder();
  int n = 0;
  for (const IniCase& c : IniCompatibilityCases()) {
    if (c.engineOnly) continue;
    // A fresh name per case, so that no cached copy of an earlier case is seen.
    PlatformBackend platform(dir + "platform" + std::to_string(n++) + ".ini");
    RunIniCase(c, platform);
  }
}

TEST(IniCompatibility, EngineOnRealFilesAnswersEveryCase) {
  std::string dir = TempFolder();
  platform::Win32Files files;
  int n = 0;
  for (const IniCase& c : IniCompatibilityCases()) {
    EngineBackend engine(files, dir + "engine" + std::to_string(n++) + ".ini");
    RunIniCase(c, engine);
  }
}

TEST(Win32Files, ReplaceReadAndRemove) {
  std::string dir = TempFolder();
  platform::Win32Files files;
  std::string path = dir + "表示.ini";  // a Japanese name whose second byte is a backslash
  files.Remove(path);
  EXPECT_FALSE(files.Exists(path));
  EXPECT_EQ(files.Read(path), std::nullopt);
  files.Replace(path, "one");
  files.Replace(path, std::string("two\0bytes", 9));
  EXPECT_EQ(files.Read(path), std::string("two\0bytes", 9));
  // No temporary file is left beside it.
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW(platform::win32::Wide(dir + "表示.ini.~*").c_str(), &fd);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);

  SetFileAttributesW(platform::win32::Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_THROW(files.Replace(path, "three"), platform::IoError);
  EXPECT_EQ(files.Read(path), std::string("two\0bytes", 9));
  SetFileAttributesW(platform::win32::Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(files.Remove(path));
  EXPECT_FALSE(files.Exists(path));
  EXPECT_THROW(files.Replace(dir + "no-such-folder\\x.ini", "x"), platform::IoError);
}

TEST(Win32Registry, ValuesRoundTrip) {
  platform::Win32Registry reg;
  const std::string key = "Software\\SolmoraTest\\表";
  {
    auto k = reg.Open(key, platform::RegAccess::ReadWrite, true);
    ASSERT_NE(k, nullptr);
    EXPECT_TRUE(k->Set("Text", platform::RegValue::Text("C:\\ソフト\\Solmora.exe /D")));
    EXPECT_TRUE(k->Set("Number", platform::RegValue::DWord(180)));
    EXPECT_TRUE(k->Set("Raw", platform::RegValue::Bytes(std::string("\0\0\0\0\0\x80\x3f\xc0", 8))));
  }
  auto k = reg.Open(key, platform::RegAccess::Read, false);
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->Get("Text"), platform::RegValue::Text("C:\\ソフト\\Solmora.exe /D"));
  EXPECT_EQ(k->Get("Number")->AsDWord(), 180u);
  EXPECT_EQ(k->Get("Raw"), platform::RegValue::Bytes(std::string("\0\0\0\0\0\x80\x3f\xc0", 8)));
  EXPECT_EQ(k->Get("Missing"), std::nullopt);
  EXPECT_FALSE(k->Set("Text", platform::RegValue::Text("read access only")));
  EXPECT_EQ(reg.Open("Software\\SolmoraTest\\NoSuchKey", platform::RegAccess::Read, false), nullptr);
}

TEST(Win32Locale, AnswersAsAJapaneseSystem) {
  platform::Win32Locale locale;
  const auto& info = locale.Info();
  // Wine's Japanese short date is "yyyy/M/d" where Windows has "yyyy/MM/dd"; both read back.
  EXPECT_EQ(info.shortDate.substr(0, 5), "yyyy/");
  EXPECT_EQ(info.longTime, "H:mm:ss");
  EXPECT_EQ(info.decimalSeparator, '.');
  EXPECT_EQ(info.shortDayNames[0], "日");
  EXPECT_EQ(info.shortDayNames[6], "土");
}

}  // namespace
}  // namespace sm::testing
