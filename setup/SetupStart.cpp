#include "setup/SetupStart.h"

#include <algorithm>
#include <exception>

#include "setup/SetupForm.h"
#include "shared/Folders.h"

namespace sm::setup {

std::string QuoteArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  // Backslashes count only in front of a quote: each is doubled there, and the quote escaped.
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

namespace {

// The first run, with filtered rights: the wizard runs again with full rights, and the host is
// started here when that run asks for it.
int RunThroughConsent(ui::Backend& ui, platform::Platform& p, const std::vector<std::string>& args) {
  std::string parameters;
  for (const std::string& a : args) parameters += QuoteArgument(a) + " ";
  parameters += kFromFilteredRun;
  const platform::ElevatedRun run = p.elevation.RunElevated(p.files.ExecutablePath(), parameters);
  switch (run.outcome) {
    case platform::ElevatedRun::Outcome::Ended:
      if (run.exitCode == static_cast<unsigned long>(kExitStartHost)) {
        TFolders folders(p);
        (void)p.shell.Start(HostCommandLine(folders.SmPath()));
        return 0;
      }
      return static_cast<int>(run.exitCode);
    case platform::ElevatedRun::Outcome::Declined:
      ui::MessageDlg(ui, kMsgElevationDeclined, ui.Title, ui::MsgIcon::Warning);
      return 1;
    case platform::ElevatedRun::Outcome::Failed:
      break;
  }
  ui::MessageDlg(ui, std::string(kMsgElevationFailed) + " (" + std::to_string(run.error) + ")",
                 ui.Title, ui::MsgIcon::Error);
  return 1;
}

}  // namespace

int RunSetup(ui::Backend& ui, platform::Platform& p, std::vector<std::string> args) {
  auto flag = std::find(args.begin(), args.end(), std::string(kFromFilteredRun));
  const bool parentWaits = flag != args.end();
  if (parentWaits) args.erase(flag);
  // A run already started with full rights never asks again, whatever its token says.
  if (!parentWaits && p.elevation.Filtered()) return RunThroughConsent(ui, p, args);

  TSolmoraSetupForm form(ui, p, std::move(args));
  form.HandHostStartToParent = parentWaits;
  try {
    if (!form.FormCreate()) return 0;
  } catch (const std::exception& e) {
    ui.ShowError(e.what());
    return 1;
  }
  form.RunMain();
  return form.HostStartHandedOver ? kExitStartHost : 0;
}

}  // namespace sm::setup
