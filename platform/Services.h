#pragma once
// Service seam: the service control manager of the local machine. Every object holds one open
// handle and closes it when destroyed.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace sm::platform {

class Service {
 public:
  virtual ~Service() = default;
  // Sends a control code; the service's current state afterwards (1 stopped .. 7 paused), or
  // nothing when the control is rejected.
  virtual std::optional<uint32_t> Control(uint32_t code) = 0;
};

class ServiceManager {
 public:
  virtual ~ServiceManager() = default;
  // Opens the service of that key name with full access; nothing when that fails.
  virtual std::unique_ptr<Service> Open(const std::string& name) = 0;
};

class Services {
 public:
  virtual ~Services() = default;
  // Opens the manager of the local machine, default database, full access; nothing on failure.
  virtual std::unique_ptr<ServiceManager> OpenManager() = 0;
};

}  // namespace sm::platform
