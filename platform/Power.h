#pragma once
// Power seam: the shutdown privilege, the exit-Windows call, suspend and hibernation, and the
// system's version query.
#include <cstdint>

namespace sm::platform {

// What the system's version query answers.
struct OsVersionInfo {
  uint32_t platformId = 2;  // 1: Windows 9x family, 2: NT family (VER_PLATFORM_WIN32_NT)
  uint32_t major = 5, minor = 1, build = 2600;
  bool operator==(const OsVersionInfo&) const = default;
};

// Flags of the exit-Windows call.
constexpr unsigned kExitLogOff = 0x0, kExitShutDown = 0x1, kExitReboot = 0x2, kExitForce = 0x4,
                   kExitPowerOff = 0x8;

class Power {
 public:
  virtual ~Power() = default;
  // Enables "SeShutdownPrivilege" in the own process's token (open the token for adjusting and
  // querying, look the privilege up on the local system, enable exactly that one). False when
  // opening the token, the look-up or the adjust call fails.
  virtual bool EnableShutdownPrivilege() = 0;
  // Asks the system to exit Windows with these flags; false when the request is refused. The
  // shutdown then runs while the caller continues.
  virtual bool RequestExit(unsigned flags) = 0;
  // Suspend (false) or hibernation (true); false when refused.
  virtual bool Suspend(bool hibernate) = 0;
  // Whether the power-management service allows hibernation on this PC.
  virtual bool HibernationAllowed() = 0;
  virtual OsVersionInfo Version() = 0;
};

}  // namespace sm::platform
