// Every run leaves a log where an administrator looks: a new file in the
// temporary folder with what the run did, every failure with its Windows
// error, and the outcome by its Windows name; a name someone took with a
// link is skipped, and what the link leads to stays as it was.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/harness/check.h"
#include "tests/system/BuiltFiles.h"
#include "tests/system/ChildProcess.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"
#include "tests/system/UnixCommand.h"

namespace {

const char kTitle[] = "  Quillfen Setup ";
const char kFolder[] = "C:\\qfplain\\Quillfen\\Quillfen 11.0";

// The log `run` wrote: the one that was not there before; its text.
std::string NewLog(const std::vector<std::string>& before) {
    std::vector<std::string> after = RunLogs(), added;
    for (const std::string& log : after)
        if (std::find(before.begin(), before.end(), log) == before.end()) added.push_back(log);
    CHECK_NUM(added.size(), 1);
    std::string text;
    if (added.size() == 1) {
        std::printf("    %s\n", added[0].c_str());
        CHECK(ReadWholeFile(added[0], text));
    }
    return text;
}

// Every line "HH:MM:SS.mmm text" with CR LF, and each of `lines` in it.
void CheckLog(const std::string& log, const std::vector<std::string>& lines) {
    CHECK(!log.empty() && log.size() >= 2 && log.compare(log.size() - 2, 2, "\r\n") == 0);
    for (size_t start = 0, end; start < log.size(); start = end + 2) {
        end = log.find("\r\n", start);
        if (end == std::string::npos) end = log.size();
        bool stamped = end - start > 13 && log[start + 2] == ':' && log[start + 5] == ':' && log[start + 8] == '.' &&
                       log[start + 12] == ' ' && log.find('\n', start) >= end;
        if (!stamped) std::printf("    not a log line: %s\n", log.substr(start, end - start).c_str());
        CHECK(stamped);
    }
    for (const std::string& line : lines) {
        if (log.find(line) == std::string::npos) std::printf("    missing: %s\n", line.c_str());
        CHECK(log.find(line) != std::string::npos);
    }
}

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

}  // namespace

TEST_CASE(system_every_run_leaves_a_log) {
    BuiltFiles files;
    REQUIRE(GetBuiltFiles(files));
    CleanMachine clean;
    const std::string folder = kFolder;
    // Today's first three names, taken by links to someone else's file.
    CreateDirectoryA("C:\\qflog-target", nullptr);
    REQUIRE(WriteWholeFile("C:\\qflog-target\\theirs.txt", "someone else's"));
    for (int number = 1; number <= 3; ++number)
        REQUIRE(MakeSymbolicLink("C:\\qflog-target\\theirs.txt", RunLogName(number)));

    std::vector<std::string> before = RunLogs();
    CHECK_NUM(RunSilentSetup(files, "C:\\qfplain").exitCode, 0);
    std::vector<std::string> logs = RunLogs();
    CHECK(std::find(logs.begin(), logs.end(), RunLogName(4)) != logs.end());
    std::string log = NewLog(before);
    CheckLog(log, {"Quillfen 11.0 setup: ", "Command line: \"" + files.setup + "\" -s\r\n", "Windows ",
                   "-s: default value \"C:\\qfplain\"", "quillfen.exe: ", " bytes SZDD, ", " expanded: ready",
                   "qf11_default_en.txt: moved into place", "UninstallString = \"" + folder + "\\uninstall.exe\"",
                   "Shortcut ", "Exit code 0 ERROR_SUCCESS\r\n"});
    CHECK_NUM(Count(log, "Running browsers: 603: none running"), 6);

    // A failed upgrade: the file in the way held open without sharing.
    HANDLE held = CreateFileA((folder + "\\en.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    before = RunLogs();
    CHECK_NUM(RunSilentClosingWindows(files.setup, "C:\\qfplain").exitCode, 1603);
    CloseHandle(held);
    log = NewLog(before);
    CheckLog(log, {"en.dll: cannot move aside: error 32: ", "Exit code 1603 ERROR_INSTALL_FAILURE\r\n"});
    size_t error = log.find("error 32: ");
    CHECK(error != std::string::npos && log.compare(error + 10, 2, "\r\n") != 0);  // Windows' text follows

    // A refused uninstall: the uninstaller's copy in a folder of no installation.
    CreateDirectoryA("C:\\qfbad", nullptr);
    REQUIRE(CopyFileA((folder + "\\uninstall.exe").c_str(), "C:\\qfbad\\uninstall.exe", FALSE));
    before = RunLogs();
    CHECK_NUM(RunCaptured("\"C:\\qfbad\\uninstall.exe\" -s", 60000, kTitle).exitCode, 1605);
    CheckLog(NewLog(before), {"Quillfen 11.0 uninstaller: C:\\qfbad\\uninstall.exe", "not the registered folder",
                              "Exit code 1605 ERROR_UNKNOWN_PRODUCT\r\n"});

    // The installed uninstaller, and its copy that ends the removal after it.
    before = RunLogs();
    CHECK_NUM(RunCaptured("\"" + folder + "\\uninstall.exe\" -s", 60000, kTitle).exitCode, 0);
    CHECK(WaitUntilGone(folder));
    log = NewLog(before);
    CheckLog(log, {"Removed " + folder + "\\quillfen.exe\r\n", "Exit code 0 ERROR_SUCCESS\r\n",
                   "Removed " + folder + "\\uninstall.exe\r\n", "Removed the folder C:\\qfplain\\Quillfen\r\n"});

    std::string theirs;
    CHECK(ReadWholeFile("C:\\qflog-target\\theirs.txt", theirs) && theirs == "someone else's");
    for (int number = 1; number <= 3; ++number) CHECK(RunUnixOn("/bin/rm -f", RunLogName(number), false));
}
