#pragma once
// Administrator rights. On a system with user account control an administrator's programs run
// with a filtered token; the full rights are had only by starting a program through the consent
// prompt. A program that must start at logon from the Run key cannot ask for them in its
// manifest (Windows does not start such a program at logon), so it asks at run time.
#include <string>

namespace sm::platform {

struct ElevatedRun {
  enum class Outcome { Ended, Declined, Failed };
  Outcome outcome = Outcome::Failed;
  unsigned long exitCode = 0;   // Ended: the program's exit code
  unsigned long error = 0;      // Failed: the system's error code
};

class Elevation {
 public:
  virtual ~Elevation() = default;
  // True when the process runs with the filtered token of an administrator, whose full rights
  // are to be had through the consent prompt. False for a process that already has them, for a
  // standard user, and where there is no user account control.
  virtual bool Filtered() = 0;
  // Starts program with the command-line tail parameters with full rights (the consent prompt)
  // and waits until it has ended.
  virtual ElevatedRun RunElevated(const std::string& program, const std::string& parameters) = 0;
};

}  // namespace sm::platform
