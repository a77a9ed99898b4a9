#pragma once
// Shell seam: program icons for an image list.
#include <string>

namespace sm::platform {

// An image list that program icons are appended to.
class IconList {
 public:
  virtual ~IconList() = default;
  // Extracts the first icon (number 0) of the file at path, appends a copy and returns its
  // position in the list; -1, with nothing appended, when no file exists there or it has no icon.
  virtual int AddFileIcon(const std::string& path) = 0;
};

}  // namespace sm::platform
