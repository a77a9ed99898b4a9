#include "shared/Power.h"

namespace sm {

const char* const ExitWinStr[10][2] = {
    {"強制電源断", "ForcePowerOff"},
    {"電源断", "PowerOff"},
    {"強制リブート", "ForceReboot"},
    {"リブート", "Reboot"},
    {"ログオフ", "LogOff"},
    {"サスペンド", "Suspend"},
    {"休止状態", "Hibernation"},
    {"", ""},
    {"", ""},
    {"BIOSシャットダウン", ""},
};

void EnumExitWinProc(std::vector<std::string>& list, platform::Power& power) {
  list.clear();
  for (int mode = ewFrcPwrOffWin; mode <= ewSuspend; ++mode) list.push_back(ExitWinStr[mode][0]);
  if (power.HibernationAllowed()) list.push_back(ExitWinStr[ewHibernate][0]);
}

namespace {
constexpr uint32_t kPlatformNT = 2;
}

TExitWin::TExitWin(platform::Power& power) : power_(power), version_(power.Version()) {}

void TExitWin::PowerOffWindows() {
  if (version_.platformId == kPlatformNT && !power_.EnableShutdownPrivilege())
    throw EExitError("特権の取得に失敗しました。");
  if (!power_.RequestExit(platform::kExitShutDown | platform::kExitPowerOff))
    throw EExitError("コンピュータの電源を切ることができませんでした。");
}

TOSVersion GetOSVersion(const platform::OsVersionInfo& v) {
  if (v.platformId == 1) {
    // The 9x family is told apart by the minor number alone.
    switch (v.minor) {
      case 0: return OV_Win95;
      case 10: return OV_Win98;
      case 90: return OV_WinMe;
      default: return OV_Other;
    }
  }
  if (v.platformId != kPlatformNT) return OV_Other;
  struct Row { uint32_t major; int minor; TOSVersion ov; };  // minor -1: any
  static constexpr Row rows[] = {
      {3, -1, OV_WinNT3}, {4, -1, OV_WinNT4}, {5, 0, OV_Win2k}, {5, 1, OV_WinXP},
      {5, 2, OV_2003},    {6, 0, OV_Vista},   {6, 1, OV_Win7},
  };
  for (const Row& r : rows)
    if (v.major == r.major && (r.minor < 0 || v.minor == static_cast<uint32_t>(r.minor))) return r.ov;
  return OV_Other;
}

TOSVersion GetOSVersion(platform::Power& power) { return GetOSVersion(power.Version()); }

uint32_t SendServiceControl(platform::Services& services, const std::string& name, uint32_t code) {
  auto manager = services.OpenManager();
  if (!manager) return 0;
  uint32_t state = 0;
  {
    auto service = manager->Open(name);
    if (!service) return 0;
    state = service->Control(code).value_or(0);
  }  // the service handle closes first, then the manager's
  return state;
}

}  // namespace sm
