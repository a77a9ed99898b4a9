#pragma once
// Seam for starting things: documents through their associated program, programs by command line.
#include <string>

namespace sm::platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the document with its associated program, window shown normally; false on failure.
  virtual bool Open(const std::string& path) = 0;
  // Starts the command line with its window shown normally; false when it could not be started.
  virtual bool Start(const std::string& commandLine) = 0;
};

}  // namespace sm::platform
