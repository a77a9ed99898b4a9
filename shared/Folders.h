#pragma once
// The install folder, the data folder (moved elsewhere by an optional "MultiBoot.ini"), the
// product's machine-wide registry key and the installed version. The caches live in this object
// for as long as the caller keeps it (the process, in the deliverables); nothing is invalidated.
#include <string>

#include "platform/Platform.h"

namespace sm {

class TFolders {
 public:
  explicit TFolders(platform::Platform& platform) : p_(platform) {}

  // The install folder according to the uninstall registration, or an empty text.
  std::string GetSolmoraPath();
  // The install folder; when the product is not registered, the executable's folder.
  std::string SmPath();
  bool IsSolmoraInstalled();
  // The data folder ("Path" of the multi-boot file, else the install folder).
  std::string DataPath();
  // The installed version from the settings file, or -1.
  double SmVersionByDouble();
  std::string RegUserName();
  std::string RegDataPath();
  // The logon name of the user running the process, or an empty text.
  std::string GetUserName();

  // The data folder for the request "path", the multi-boot user name for any other request.
  std::string ReadMultiBootIni(const std::string& request, const std::string& folder);
  // One value of the product key by its request name: "UserName", "DataPath", "IniFile",
  // "StartUpWait"; any other name answers an empty text.
  std::string ReadRegData(const std::string& request);

 private:
  platform::Platform& p_;
  // Multi-boot file: the install folder it was last loaded for ("*": none yet).
  std::string mbFolder_ = "*";
  std::string mbDataPath_;
  std::string mbUserName_;
  // Product key values as read.
  std::string regUserName_, regDataPath_, regIniFile_, regStartUpWait_ = "0";
};

// A decimal number in fixed or exponent notation with the given decimal separator, the whole
// text; false for anything else.
bool ParseLocaleDouble(const std::string& text, char decimalSeparator, double& out);

}  // namespace sm
