#pragma once
// How SmSetup starts. The wizard writes under HKEY_LOCAL_MACHINE, so it needs an administrator's
// full rights; yet it must also start from the Run key at the next logon, where Windows refuses a
// program whose manifest asks for them. Its manifest therefore asks for the caller's rights, and a
// run with an administrator's filtered rights starts the wizard again through the consent prompt
// and waits for it. That second run hands the host's start back to the waiting first run, so that
// the resident host keeps the user's own rights.
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/Backend.h"

namespace sm::setup {

// Appended to the arguments of the run started with full rights.
constexpr const char* kFromFilteredRun = "/FromFilteredRun";
// Exit code of that run when the host is to be started.
constexpr int kExitStartHost = 3;

constexpr const char* kMsgElevationDeclined =
    "セットアップには管理者の権限が必要です。\n管理者として実行できなかったため、セットアップを終了します。";
constexpr const char* kMsgElevationFailed = "セットアップを管理者として起動できませんでした。";

// One argument quoted for a Windows command line, so that the program receives it unchanged.
std::string QuoteArgument(const std::string& arg);

// The program: the wizard from start-up to its close. Answers the process exit code.
int RunSetup(ui::Backend& ui, platform::Platform& p, std::vector<std::string> args);

}  // namespace sm::setup
