// Test fixture, not the product's library: a "Solmora.dll" with the four exports' signatures
// that prints what it was passed, so the host stand-in's calls can be checked end to end.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {
std::string Text(const unsigned char* s) { return std::string(reinterpret_cast<const char*>(s + 1), s[0]); }
}  // namespace

extern "C" {

int __stdcall ShowSettingDlg(double* bios, int32_t* lag, int32_t* wait,
                                                    int32_t* log, int32_t* bType, int32_t* iconDelay,
                                                    int32_t* sDwnWait, uint8_t* eventResume,
                                                    uint8_t* isForceSDwn, uint8_t* isLogEnabled,
                                                    unsigned char* logfmt, int32_t logfmtCapacity,
                                                    unsigned char* services, int32_t servicesCapacity) {
  std::printf("fake ShowSettingDlg bios=%.4f lag=%d wait=%d log=%d bType=%d icon=%d sdwn=%d "
              "resume=%d force=%d logOn=%d fmtcap=%d svccap=%d\n",
              *bios, *lag, *wait, *log, *bType, *iconDelay, *sDwnWait, *eventResume, *isForceSDwn,
              *isLogEnabled, logfmtCapacity, servicesCapacity);
  (void)logfmt;
  (void)services;
  *lag = 77;
  *iconDelay = 30;
  *eventResume = 0;
  return 1;
}

int __stdcall ShowShutDownDlg(int32_t mode, int32_t wait) {
  std::printf("fake ShowShutDownDlg mode=%d wait=%d\n", mode, wait);
  return 1;
}

int __stdcall ShowScheduleDlg(const unsigned char* path, int32_t id,
                                                     int32_t maxGrp, int32_t lag) {
  std::printf("fake ShowScheduleDlg path=%s id=%d maxGrp=%d lag=%d\n", Text(path).c_str(), id,
              maxGrp, lag);
  return 2;
}

void __stdcall ShowAboutDlg(const unsigned char* version, int32_t yearTo) {
  std::printf("fake ShowAboutDlg version=%s yearTo=%d\n", Text(version).c_str(), yearTo);
}
}
