#pragma once
// Seam for named mutexes held by other programs.
#include <string>

namespace sm::platform {

class Mutexes {
 public:
  virtual ~Mutexes() = default;
  // True when a mutex of this name exists (it opens with full access).
  virtual bool Exists(const std::string& name) = 0;
};

}  // namespace sm::platform
