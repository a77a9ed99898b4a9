#pragma once
// Path-name seam: the system's short (8.3) form of an existing path.
#include <optional>
#include <string>

namespace sm::platform {

class PathNames {
 public:
  virtual ~PathNames() = default;
  // The short form, at most 259 characters; nothing when the path does not exist or the system
  // cannot give one.
  virtual std::optional<std::string> ShortForm(const std::string& path) = 0;
};

}  // namespace sm::platform
