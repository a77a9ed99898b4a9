#pragma once
// Files of this Linux machine behind the file seam, for native benchmarks and tools.
#include "platform/Files.h"

namespace sm::platform {

class PosixFiles : public Files {
 public:
  bool Exists(const std::string& path) override;
  std::optional<std::string> Read(const std::string& path) override;
  void Replace(const std::string& path, const std::string& bytes) override;
  bool Remove(const std::string& path) override;
  std::string ExecutablePath() override;
};

}  // namespace sm::platform
