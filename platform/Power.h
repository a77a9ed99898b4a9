#pragma once
// Seam for powering the PC off, the system family and the service control manager.
#include <stdexcept>
#include <string>

namespace sm::platform {

// A power-off that the system refused.
class EExitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class OsFamily { Win9x, NT };

class Power {
 public:
  virtual ~Power() = default;
  // Takes the shutdown privilege where needed and powers the PC off; throws EExitError on refusal.
  virtual void PowerOff() = 0;
  virtual OsFamily Family() = 0;
  // Sends a control code to the named service; false when it could not be sent.
  virtual bool SendServiceControl(const std::string& service, unsigned code) = 0;
};

}  // namespace sm::platform
