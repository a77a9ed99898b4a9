#pragma once
// Shell seams: starting documents and programs, and program icons for an image list.
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

// An image list that program icons are appended to.
class IconList {
 public:
  virtual ~IconList() = default;
  // Extracts the first icon (number 0) of the file at path, appends a copy and returns its
  // position in the list; -1, with nothing appended, when no file exists there or it has no icon.
  virtual int AddFileIcon(const std::string& path) = 0;
};

}  // namespace sm::platform
