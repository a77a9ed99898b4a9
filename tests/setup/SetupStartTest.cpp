// SmSetup's start: the run with an administrator's filtered rights starts the wizard again with
// full rights and starts the host itself when that run asks for it.
#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"
#include "setup/SetupForm.h"
#include "setup/SetupStart.h"
#include "ui/headless/Headless.h"

namespace sm::setup {
namespace {

using Outcome = platform::ElevatedRun::Outcome;

const std::string kInstall = "C:\\Program Files\\Solmora\\";
const std::string kData = "D:\\Data\\";
const std::string kHostStart = "\"" + kInstall + "Solmora.exe\" /S";

TEST(QuoteArgument, ArgumentsArriveUnchanged) {
  const struct { const char* arg; const char* quoted; } cases[] = {
      {"5", "5"},
      {"", "\"\""},
      {"a b", "\"a b\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\a b\\", "\"C:\\a b\\\\\""},       // a trailing backslash would escape the quote
      {"C:\\dir\\x", "C:\\dir\\x"},            // backslashes alone stay as they are
      {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},      // two backslashes and a quote
  };
  for (const auto& c : cases) EXPECT_EQ(QuoteArgument(c.arg), c.quoted) << c.arg;
}

struct Machine {
  platform::MemoryPlatform mp;
  ui::headless::HeadlessBackend ui;

  Machine() {
    mp.registry.SetText("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Solmora",
                        "UninstallString", "\"" + kInstall + "Uninst.exe\"");
    mp.registry.SetText("Software\\Solmora", "DataPath", kData);
    mp.files.executable = kInstall + "SMSetup.exe";
    mp.clock.Set(2005, 1, 26, 10, 0, 0);
  }
  // The user presses "終了" on the last page.
  void FinishOnTheLastPage() {
    ui.modalScripts.push_back([](ui::TForm& f) { static_cast<TSolmoraSetupForm&>(f).BtnNext.UserPress(); });
  }
};

TEST(SetupStart, FilteredRunStartsTheWizardWithFullRightsAndWaits) {
  const struct {
    Outcome outcome;
    unsigned long exitCode;
    int result;
    bool hostStarted;
    const char* message;   // nullptr: none
  } cases[] = {
      {Outcome::Ended, kExitStartHost, 0, true, nullptr},
      {Outcome::Ended, 0, 0, false, nullptr},
      {Outcome::Ended, 1, 1, false, nullptr},
      {Outcome::Declined, 0, 1, false, kMsgElevationDeclined},
  };
  for (const auto& c : cases) {
    Machine m;
    m.mp.elevation.filtered = true;
    m.mp.elevation.answer = {c.outcome, c.exitCode, 0};
    if (c.message) m.ui.answers.push_back(ui::idOk);
    EXPECT_EQ(RunSetup(m.ui, m.mp.platform, {"3"}), c.result);
    ASSERT_EQ(m.mp.elevation.runs.size(), 1u);
    EXPECT_EQ(m.mp.elevation.runs[0].program, kInstall + "SMSetup.exe");
    EXPECT_EQ(m.mp.elevation.runs[0].parameters, "3 /FromFilteredRun");
    EXPECT_EQ(m.mp.shell.started, c.hostStarted ? std::vector<std::string>{kHostStart}
                                                : std::vector<std::string>{});
    ASSERT_EQ(m.ui.messages.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(m.ui.messages[0].text, c.message);
    }
    // The filtered run itself shows no wizard and touches no file.
    EXPECT_TRUE(m.mp.files.files.empty());
  }
}

TEST(SetupStart, FailedElevatedStartIsReportedWithItsCode) {
  Machine m;
  m.mp.elevation.filtered = true;
  m.mp.elevation.answer = {Outcome::Failed, 0, 2};
  m.ui.answers.push_back(ui::idOk);
  EXPECT_EQ(RunSetup(m.ui, m.mp.platform, {}), 1);
  EXPECT_EQ(m.mp.elevation.runs.at(0).parameters, "/FromFilteredRun");
  ASSERT_EQ(m.ui.messages.size(), 1u);
  EXPECT_EQ(m.ui.messages[0].text, std::string(kMsgElevationFailed) + " (2)");
}

TEST(SetupStart, WhoStartsTheHostAfterFinishing) {
  const struct {
    bool filtered;
    std::vector<std::string> args;
    int result;
    bool startedHere;
  } cases[] = {
      // Started with full rights by a waiting filtered run: the flag is taken off the arguments
      // (page 5 still), the token is not asked again, and the host's start is handed back.
      {true, {"5", kFromFilteredRun}, kExitStartHost, false},
      {false, {"5", kFromFilteredRun}, kExitStartHost, false},
      // Full rights from the start (no user account control, or "run as administrator").
      {false, {"5"}, 0, true},
  };
  for (const auto& c : cases) {
    Machine m;
    m.mp.elevation.filtered = c.filtered;
    m.FinishOnTheLastPage();
    EXPECT_EQ(RunSetup(m.ui, m.mp.platform, c.args), c.result);
    EXPECT_TRUE(m.mp.elevation.runs.empty());
    EXPECT_EQ(m.mp.shell.started, c.startedHere ? std::vector<std::string>{kHostStart}
                                                : std::vector<std::string>{});
    EXPECT_TRUE(m.ui.messages.empty());   // finished: no re-setup message
  }
}

TEST(SetupStart, CancelledElevatedRunStartsTheHostOnlyWhenItHadBeenRunning) {
  for (bool hostWasRunning : {false, true}) {
    Machine m;
    if (hostWasRunning) m.mp.windows.byClass["TSolmoraMainForm"] = 0x1234;
    m.ui.modalScripts.push_back([](ui::TForm& f) { static_cast<TSolmoraSetupForm&>(f).BtnCancel.UserPress(); });
    m.ui.answers.push_back(ui::idOk);   // the re-setup message
    EXPECT_EQ(RunSetup(m.ui, m.mp.platform, {"1", kFromFilteredRun}), hostWasRunning ? kExitStartHost : 0);
    EXPECT_TRUE(m.mp.shell.started.empty());
  }
}

}  // namespace
}  // namespace sm::setup
