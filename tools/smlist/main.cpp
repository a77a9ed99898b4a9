// smlist: lists the schedule of a data folder as the schedule editor shows it on opening, with
// each entry's next due time.
//
//   smlist [--check] [--now "yyyy/mm/dd hh:nn:ss"] DATA_FOLDER
//
// The editor's opening is followed: "BiosType" and the column styles from "Solmora.ini", the
// field order from "Schedule.ini" with the installed version, every line read; weekly entries
// move to their next occurrence; expired one-shot entries, and boot entries when the BIOS cannot
// boot, are dropped; hidden entries are set aside. --check reports every line that cannot be
// read, with its key and the reason, and exits with 1 when there is one.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "schedule/Occurrence.h"
#include "schedule/ScheduleFile.h"
#include "shared/Folders.h"
#include "shared/IniFile.h"
#include "shared/JString.h"
#include "tools/smlist/HostPlatform.h"

namespace {

using namespace sm;
using namespace sm::schedule;

// Japanese names of the power modes, by mode.
const char* const kPowerModes[10] = {"強制電源断", "電源断", "強制リブート", "リブート", "ログオフ",
                                     "サスペンド", "休止状態", "", "", "BIOSシャットダウン"};

struct Styles {
  int cmd = 0, date = 0, program = 0, args = 0;
};

std::string ProgramText(const TSchedule& e, const Styles& st, platform::Files& files) {
  if (e.Cmd() == scShutDown)
    return e.SubCmd() >= 0 && e.SubCmd() < 10 ? kPowerModes[e.SubCmd()] : "";
  std::string exe(TrimControl(e.ExeStr()));
  if (st.program != 1 || !files.Exists(exe)) return exe;
  // Drive letter, directory part and file name: C:\Tools\Timer\run.exe shows as C:\...\run.exe.
  if (exe.size() < 2 || exe[1] != ':') return exe;
  const std::string dir = ExtractFilePath(exe);
  if (dir.size() <= 3) return exe;  // the root "\" of the drive
  return exe.substr(0, 1) + ":\\...\\" + exe.substr(dir.size());
}

std::string ArgsText(const TSchedule& e, const Styles& st) {
  const std::string a(TrimControl(e.ArgStr())), n(TrimControl(e.Note()));
  if (st.args == 1) return a.empty() ? n : a;
  return n.empty() ? a : a + " [備]" + n;
}

std::string Pad(std::string s, size_t bytes) {
  // CP932: a double-byte character takes two columns, a single byte one.
  if (s.size() < bytes) s.append(bytes - s.size(), ' ');
  return s + ' ';
}

void PrintRow(const TSchedule& e, const Styles& st, const platform::LocaleInfo& locale,
              platform::Files& files) {
  std::string line = e.Enabled() ? "[x] " : "[ ] ";
  line += Pad(CmdName(e.Cmd(), st.cmd), 10);
  line += Pad(e.GetDateStr(st.date == 0, locale), 22);
  line += Pad(ProgramText(e, st, files), 34);
  line += Pad(ArgsText(e, st), 30);
  line += " next " + FormatScheduleDateTime(e.DateTime());
  host::Print(line + "\n");
}

int Usage() {
  std::fprintf(stderr, "usage: smlist [--check] [--now \"yyyy/mm/dd hh:nn:ss\"] DATA_FOLDER\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool check = false;
  std::string folder, now;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--check") == 0) check = true;
    else if (std::strcmp(argv[i], "--now") == 0 && i + 1 < argc) now = argv[++i];
    else if (argv[i][0] == '-') return Usage();
    else if (folder.empty()) folder = argv[i];
    else return Usage();
  }
  if (folder.empty()) return Usage();

  host::HostPlatform hp(folder);
  if (!now.empty()) {
    auto fixed = ParseScheduleDateTime(now);
    if (!fixed) {
      std::fprintf(stderr, "smlist: --now: not a date-time: %s\n", now.c_str());
      return 2;
    }
    hp.FixTime(*fixed);
  }
  platform::Platform& p = hp.platform();
  const std::string dataPath = hp.DataFolder();
  try {
    TFolders folders(p);
    TScheduleUnit unit(p, &folders);
    EditorSchedule s = OpenSchedule(unit, dataPath, nullptr);

    IniFile settings(p.files, dataPath + "Solmora.ini");
    int clm[4] = {};
    sm::ReadCommaDelimitedInteger(clm, settings.ReadString("ScheduleDlg", "Column", "0,0,0,0"));
    const Styles st{clm[0], clm[1], clm[2], clm[3]};

    if (check) {
      for (const ScheduleLineError& e : s.errors)
        host::PrintError("Schedule.ini: [Schedule] " + e.key + ": " + e.reason + "\n");
      host::PrintError(std::to_string(s.errors.size()) + " unreadable line(s)\n");
      return s.errors.empty() ? 0 : 1;
    }
    const platform::LocaleInfo& locale = p.locale.Info();
    for (const auto& e : s.rows) PrintRow(*e, st, locale, p.files);
    if (!s.hidden.empty()) {
      host::Print("-- hidden, written back unseen:\n");
      for (const auto& e : s.hidden) PrintRow(*e, st, locale, p.files);
    }
    host::Print("-- " + std::to_string(s.rows.size()) + " listed, " +
                std::to_string(s.hidden.size()) + " hidden, " + std::to_string(s.dropped) +
                " dropped (expired or boot without BIOS support), " +
                std::to_string(s.errors.size()) + " unreadable (see --check)\n");
    return 0;
  } catch (const std::exception& e) {
    host::PrintError(std::string("smlist: ") + e.what() + "\n");
    return 2;
  }
}
