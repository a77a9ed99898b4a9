#pragma once
// The operating-system services the product calls, gathered so that code takes one reference.
// Win32Platform (platform/win32) answers from the real system; MemoryPlatform (platform/memory)
// is a self-contained Japanese system for tests.
#include "platform/Clock.h"
#include "platform/Elevation.h"
#include "platform/Files.h"
#include "platform/Mutex.h"
#include "platform/Power.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/ShortPath.h"
#include "platform/System.h"
#include "platform/Windows.h"

namespace sm::platform {

struct Platform {
  Registry& registry;
  Files& files;
  Clock& clock;
  User& user;
  Locale& locale;
  Power& power;
  Services& services;
  PathNames& pathNames;
  Windows& windows;
  Mutexes& mutexes;
  Shell& shell;
  Elevation& elevation;
};

// The same services, with other files or another clock in their place.
inline Platform WithFiles(const Platform& p, Files& files) {
  return {p.registry, files, p.clock, p.user, p.locale, p.power, p.services, p.pathNames,
          p.windows, p.mutexes, p.shell, p.elevation};
}
inline Platform WithClock(const Platform& p, Clock& clock) {
  return {p.registry, p.files, clock, p.user, p.locale, p.power, p.services, p.pathNames,
          p.windows, p.mutexes, p.shell, p.elevation};
}

}  // namespace sm::platform
