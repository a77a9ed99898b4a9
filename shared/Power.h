#pragma once
// Power modes with their names, the list of modes this PC offers, the plain power-off, the
// classification of the running Windows version, and sending a control code to a service.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sm {

// Power mode of a shutdown entry; the list index of a mode equals its number.
enum : int {
  ewNotShutDown = -1,
  ewFrcPwrOffWin = 0,
  ewPwrOffWin = 1,
  ewFrcReboot = 2,
  ewReboot = 3,
  ewLogOffWin = 4,
  ewSuspend = 5,
  ewHibernate = 6,
  ewBIOS = 9,
};

// Names of modes 0..9: column 0 Japanese (shown in lists), column 1 English.
extern const char* const ExitWinStr[10][2];

// Clears the list and fills it with the Japanese names of the modes this PC offers: 0..5, and
// 6 when hibernation is allowed.
void EnumExitWinProc(std::vector<std::string>& list, platform::Power& power);

class EExitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Powers the PC off. Creating it refreshes the version record from the system's version query.
class TExitWin {
 public:
  explicit TExitWin(platform::Power& power);
  // Obtains the shutdown privilege on the NT family, then asks the system to shut down and power
  // off (not forced). Throws EExitError when the privilege or the exit call fails.
  void PowerOffWindows();
  const platform::OsVersionInfo& Version() const { return version_; }

 private:
  platform::Power& power_;
  platform::OsVersionInfo version_;
};

enum TOSVersion : int8_t {
  OV_Other = -1,
  OV_Win95 = 0,
  OV_Win98 = 1,
  OV_WinMe = 2,
  OV_WinNT3 = 3,
  OV_WinNT4 = 4,
  OV_Win2k = 5,
  OV_WinXP = 6,
  OV_2003 = 7,
  OV_Vista = 8,
  OV_Win7 = 9,
};

// The version class of what the version query answered.
TOSVersion GetOSVersion(const platform::OsVersionInfo& version);
TOSVersion GetOSVersion(platform::Power& power);

// The service control code that tells the time-adjust service to apply "Adjustment".
constexpr uint32_t SERVICE_CONTROL_DATA_UPDATE = 128;

// Sends the code to the named service; its current state afterwards, or 0 when there is no
// manager, no such service, or the control is rejected. Every handle opened is closed.
uint32_t SendServiceControl(platform::Services& services, const std::string& name, uint32_t code);

}  // namespace sm
