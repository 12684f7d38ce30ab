// The machine state a silent installation depends on and produces: resetting
// it around each case, running the setup, and checking the results.
#pragma once

#include <string>
#include <vector>

#include "tests/system/BuiltFiles.h"
#include "tests/system/ChildProcess.h"

extern const char kUninstallKey[];       // below HKEY_LOCAL_MACHINE
extern const char kUninstallEntryKey[];  // below HKEY_LOCAL_MACHINE
extern const char kListedEntryKey[];     // its twin that the list of installed programs shows
extern const char kUserRecordKey[];      // below HKEY_CURRENT_USER

// Removes everything the cases install or configure: running browsers, the
// per-user default value, both registry records, the test folders and the
// shortcuts; a removed Uninstall key comes back. Made on construction and
// again on destruction.
class CleanMachine {
public:
    CleanMachine() { Reset(); }
    ~CleanMachine() { Reset(); }
    static void Reset();
};

// Points the per-user default value at `base` and runs "setup -s"; windows
// titled `closeTitle` are closed as RunCaptured closes them.
CapturedRun RunSilentSetup(const BuiltFiles& files, const std::string& base, const char* closeTitle = nullptr);
// The same for `program -s`, closing every window it shows (pages and message
// boxes) as its close button would.
CapturedRun RunSilentClosingWindows(const std::string& program, const std::string& base);

// Checks that `output` is exactly six "Result code=" lines with these codes.
void CheckResultLines(const std::string& output, const int (&codes)[6]);

// Every payload file below `folder` is byte-identical to its source; no
// temporary "install" folder is left (unless a file another program holds
// is still in it: `held`); `sno` holds the distribution tag.
void CheckInstalledFiles(const BuiltFiles& files, const std::string& folder, bool held = false);

// Both uninstall entries and the per-user record, each with exactly its
// values, and the product shown once in the list of installed programs.
void CheckRegistration(const BuiltFiles& files, const std::string& folder, const std::string& uninstallString);
// The same for a payload of `payloadKiB` KiB installed (rounded up).
void CheckRegistration(unsigned long payloadKiB, const std::string& folder, const std::string& uninstallString);

// Whether the system's list of installed programs (Wine's own "uninstaller
// --list") shows the product: exactly one line for it, or none.
void CheckListed(bool listed);

// The program-group shortcuts with their targets, descriptions and icons;
// the desktop and Start-menu shortcuts likewise after a wizard installation,
// and none of them after a silent one.
void CheckShortcuts(const std::string& folder, bool wizard);

// The one log a run wrote (the only one not in `before`, from RunLogs()),
// with its text; a failure if not exactly one.
std::string NewRunLog(const std::vector<std::string>& before);
// Every line "HH:MM:SS.mmm text" ended by CR LF, and each of `texts` in it;
// an error number is followed by Windows' text of it.
void CheckRunLog(const std::string& log, const std::vector<std::string>& texts);

// No shortcut of the product is left, nor its program group.
void CheckNoShortcuts();

// No browser instance runs and no browser window is shown.
void CheckNoBrowserRunning();
