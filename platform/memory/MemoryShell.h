#pragma once
// An image list in memory for tests: every existing file yields one icon, unless it is listed as
// having none.
#include <set>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/memory/MemoryPlatform.h"

namespace sm::platform {

class MemoryIconList : public IconList {
 public:
  explicit MemoryIconList(Files& files) : files_(files) {}
  std::vector<std::string> icons;  // the file each position came from
  std::set<std::string, NoCaseLess> withoutIcon;

  int AddFileIcon(const std::string& path) override {
    if (!files_.Exists(path) || withoutIcon.count(path)) return -1;
    icons.push_back(path);
    return static_cast<int>(icons.size()) - 1;
  }

 private:
  Files& files_;
};

}  // namespace sm::platform
