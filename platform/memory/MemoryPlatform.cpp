#include "platform/memory/MemoryPlatform.h"

namespace sm::platform {

namespace {
char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

class MemoryKey : public RegKey {
 public:
  MemoryKey(MemoryRegistry::Key& key, bool writable, bool failSet)
      : key_(key), writable_(writable), failSet_(failSet) {}
  std::optional<RegValue> Get(const std::string& name) override {
    auto it = key_.values.find(name);
    if (it == key_.values.end()) return std::nullopt;
    return it->second;
  }
  bool Set(const std::string& name, const RegValue& value) override {
    if (!writable_ || failSet_) return false;
    key_.values[name] = value;
    return true;
  }
  bool Remove(const std::string& name) override {
    if (!writable_ || failSet_) return false;
    return key_.values.erase(name) > 0;
  }

 private:
  MemoryRegistry::Key& key_;
  bool writable_;
  bool failSet_;
};
}  // namespace

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(Fold(a[i]));
    unsigned char y = static_cast<unsigned char>(Fold(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

std::unique_ptr<RegKey> MemoryRegistry::Open(const std::string& subkey, RegAccess access,
                                             bool create) {
  bool wantWrite = access == RegAccess::ReadWrite;
  bool denied = allReadOnly || readOnly.count(subkey) > 0;
  if (wantWrite && denied) return nullptr;
  auto it = keys.find(subkey);
  if (it == keys.end()) {
    if (!create || !wantWrite) return nullptr;
    it = keys.emplace(subkey, Key{}).first;
  }
  return std::make_unique<MemoryKey>(it->second, wantWrite, failSet.count(subkey) > 0);
}

void MemoryRegistry::SetText(const std::string& key, const std::string& name,
                             const std::string& text) {
  keys[key].values[name] = RegValue::Text(text);
}

void MemoryRegistry::SetDWord(const std::string& key, const std::string& name, uint32_t v) {
  keys[key].values[name] = RegValue::DWord(v);
}

const RegValue* MemoryRegistry::Find(const std::string& key, const std::string& name) const {
  auto k = keys.find(key);
  if (k == keys.end()) return nullptr;
  auto v = k->second.values.find(name);
  return v == k->second.values.end() ? nullptr : &v->second;
}

bool MemoryFiles::Exists(const std::string& path) { return files.count(path) > 0; }

std::optional<std::string> MemoryFiles::Read(const std::string& path) {
  ++reads;
  if (unreadable.count(path)) throw IoError(path, "cannot read");
  auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return it->second;
}

void MemoryFiles::Replace(const std::string& path, const std::string& bytes) {
  ++writes;
  if (unwritable.count(path)) throw IoError(path, "cannot write");
  files[path] = bytes;
}

bool MemoryFiles::Remove(const std::string& path) {
  if (unwritable.count(path)) return false;
  files.erase(path);
  return true;
}

bool MemoryPower::EnableShutdownPrivilege() {
  ++privilegeCalls;
  return !privilegeFails;
}

bool MemoryPower::RequestExit(unsigned flags) {
  exitCalls.push_back(flags);
  return !exitFails;
}

bool MemoryPower::Suspend(bool hibernate) {
  suspendCalls.push_back(hibernate);
  return !suspendFails;
}

OsVersionInfo MemoryPower::Version() {
  ++versionQueries;
  return version;
}

namespace {
class MemoryService : public Service {
 public:
  MemoryService(MemoryServices& owner, MemoryServices::Entry& entry, std::string name)
      : owner_(owner), entry_(entry), name_(std::move(name)) {
    ++owner_.openHandles;
  }
  ~MemoryService() override {
    owner_.log.push_back("close " + name_);
    --owner_.openHandles;
  }
  std::optional<uint32_t> Control(uint32_t code) override {
    bool ok = entry_.accepted.count(code) > 0;
    owner_.log.push_back("control " + name_ + " " + std::to_string(code) + (ok ? "" : " rejected"));
    if (!ok) return std::nullopt;
    return entry_.state;
  }

 private:
  MemoryServices& owner_;
  MemoryServices::Entry& entry_;
  std::string name_;
};

class MemoryManager : public ServiceManager {
 public:
  explicit MemoryManager(MemoryServices& owner) : owner_(owner) { ++owner_.openHandles; }
  ~MemoryManager() override {
    owner_.log.push_back("close manager");
    --owner_.openHandles;
  }
  std::unique_ptr<Service> Open(const std::string& name) override {
    auto it = owner_.services.find(name);
    bool ok = it != owner_.services.end() && !it->second.openFails;
    owner_.log.push_back("open " + name + (ok ? "" : " failed"));
    if (!ok) return nullptr;
    return std::make_unique<MemoryService>(owner_, it->second, name);
  }

 private:
  MemoryServices& owner_;
};
}  // namespace

std::unique_ptr<ServiceManager> MemoryServices::OpenManager() {
  log.push_back(managerFails ? "open manager failed" : "open manager");
  if (managerFails) return nullptr;
  return std::make_unique<MemoryManager>(*this);
}

std::optional<std::string> MemoryPathNames::ShortForm(const std::string& path) {
  auto it = shortForms.find(path);
  if (it == shortForms.end()) return std::nullopt;
  return it->second;
}

int WeekdayOf(int y, int m, int d) {
  // Sakamoto's method.
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 3) y -= 1;
  return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

void MemoryClock::Set(int year, int month, int day, int hour, int minute, int second, int ms) {
  now = {year, month, day, hour, minute, second, ms, WeekdayOf(year, month, day)};
}

namespace {

// Days since 1970-01-01 of a civil date, and back (H. Hinnant's algorithms).
long long DaysOf(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilOf(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

bool MemoryClock::SetNow(const LocalTime& t) {
  if (refuseSet) return false;
  setTimes.push_back(t);
  Set(t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
  return true;
}

void MemoryClock::Sleep(int ms) {
  sleeps.push_back(ms);
  long long total = DaysOf(now.year, now.month, now.day) * 86400000LL +
                    ((now.hour * 60LL + now.minute) * 60 + now.second) * 1000 + now.millisecond + ms;
  long long days = total / 86400000LL, rest = total % 86400000LL;
  if (rest < 0) { rest += 86400000LL; --days; }
  int y, m, d;
  CivilOf(days, y, m, d);
  Set(y, m, d, static_cast<int>(rest / 3600000), static_cast<int>(rest / 60000 % 60),
      static_cast<int>(rest / 1000 % 60), static_cast<int>(rest % 1000));
}

WindowId MemoryWindows::FindByClass(const std::string& windowClass) {
  auto it = byClass.find(windowClass);
  return it == byClass.end() ? 0 : it->second;
}

bool MemoryWindows::Post(WindowId window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) {
  if (window == 0) return false;
  posted.push_back({window, message, wParam, lParam});
  return true;
}

bool MemoryMutexes::Exists(const std::string& name) {
  ++checks;
  if (releaseAfterChecks >= 0 && checks > releaseAfterChecks) held.clear();
  return held.count(name) != 0;
}

}  // namespace sm::platform
