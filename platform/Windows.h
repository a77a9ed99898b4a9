#pragma once
// Seam for the top-level windows of other programs: lookup by window class and posted messages.
#include <cstdint>
#include <string>

namespace sm::platform {

using WindowId = std::uintptr_t;  // 0: no window

class Windows {
 public:
  virtual ~Windows() = default;
  // A top-level window of this class, or 0.
  virtual WindowId FindByClass(const std::string& windowClass) = 0;
  // Posts the message without waiting for an answer; false when it could not be posted.
  virtual bool Post(WindowId window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace sm::platform
