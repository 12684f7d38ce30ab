// A browser build of its own, packaged by the build and installed by the
// wizard into its own folder: every file lands byte for byte beside the
// uninstaller the build added, also one nine folders deep, and the
// registration and shortcuts are those of any installation.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/harness/check.h"
#include "tests/system/BuiltFiles.h"
#include "tests/system/ChildProcess.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"

namespace {

const char kFolder[] = "C:\\Quillfen\\Quillfen 11.0";
const char kUninstallString[] = "\"C:\\Quillfen\\Quillfen 11.0\\uninstall.exe\" C:\\Quillfen\\Quillfen 11.0";
const int kAccept = 1004;  // the licence page's Accept button

// Whether `installed` holds exactly the bytes of `source`; adds their size.
bool SameFile(const std::string& installed, const std::string& source, unsigned long long& bytes) {
    std::string got, want;
    if (!ReadWholeFile(installed, got) || !ReadWholeFile(source, want) || got != want) {
        std::printf("    differs from its source: %s\n", installed.c_str());
        return false;
    }
    bytes += want.size();
    return true;
}

}  // namespace

// package_tests CASE SETUP UNINSTALLER PAYLOAD-FOLDER
TEST_CASE(package_custom_folder_installs_byte_for_byte) {
    REQUIRE(__argc >= 5);
    BuiltFiles files;
    files.setup = WindowsPath(__argv[2]);
    const std::string uninstaller = WindowsPath(__argv[3]), payload = WindowsPath(__argv[4]);
    CleanMachine clean;

    CapturedRun run = RunCaptured("\"" + files.setup + "\"", 60000, "  Quillfen Setup ", kAccept);
    REQUIRE(run.exited);
    CHECK_NUM(run.exitCode, 0);  // installed

    std::vector<std::string> sources, installed;
    ListFiles(payload, "", sources);
    ListFiles(kFolder, "", installed);
    REQUIRE(sources.size() >= 6);
    unsigned long long bytes = 0;
    for (const std::string& name : sources) CHECK(SameFile(std::string(kFolder) + "\\" + name, payload + "\\" + name, bytes));
    CHECK(SameFile(std::string(kFolder) + "\\uninstall.exe", uninstaller, bytes));
    // Nothing else but the tag file; no temporary folder left.
    CHECK_NUM(installed.size(), sources.size() + 2);
    CHECK(!PathExists(std::string(kFolder) + "\\install"));
    std::string tag;
    CHECK(ReadWholeFile(std::string(kFolder) + "\\sno", tag) && tag == "qf11_default_en");

    CheckRegistration(static_cast<unsigned long>((bytes + 1023) / 1024), kFolder, kUninstallString);
    CheckShortcuts(kFolder, true);
}
