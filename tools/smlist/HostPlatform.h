#pragma once
// The platform smlist runs on. On Windows the real system; on Linux the machine's files and
// clock behind Windows-style paths: the data folder "demo/data" is addressed as "demo\data\",
// and the same folder stands in for the install folder (the uninstall registration names a
// program there), so the installed version comes from its "Solmora.ini" as on Windows.
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "shared/DateTime.h"

namespace host {

class HostPlatform {
 public:
  explicit HostPlatform(const std::string& folder);
  ~HostPlatform();
  sm::platform::Platform& platform();
  // The data folder as the product's code addresses it, ending with "\".
  const std::string& DataFolder() const;
  // Every "now" answers this time from here on.
  void FixTime(sm::TDateTime at);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Output of code page 932 text: converted to UTF-8 on Linux, bytes as they are on Windows.
void Print(const std::string& cp932);
void PrintError(const std::string& cp932);

}  // namespace host
