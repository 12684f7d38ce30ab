#include "tests/system/InstallChecks.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tests/harness/check.h"
#include "tests/system/MachineState.h"
#include "tests/system/ShortcutReader.h"

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUninstallEntryKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillfen\\Quillfen 11.0";
const char kListedEntryKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillfen 11.0";
const char kUserRecordKey[] = "Quillfen\\Quillfen 11.0";

namespace {

const char kBrowserTitle[] = "Quillfen 11.0";
const char kGroupName[] = "Quillfen 11.0";
const char kBrowserLinkName[] = "Quillfen 11.0.lnk";
const char kUninstallLinkName[] = "Uninstall Quillfen 11.0.lnk";
const DWORD kSetupTimeoutMs = 60000;

// Every folder a case installs into; all of them go in a reset.
const char* const kTestBases[] = {"C:\\qf silent test", "C:\\qfplain", "C:\\qf upper", "C:\\qfdamaged",
                                  "C:\\qfplant", "C:\\qflink-target", "C:\\qfbad", "C:\\qfopen",
                                  "C:\\Quillfen", "C:\\qflog-target"};

std::string ProgramGroup() { return CommonShellFolder(CSIDL_COMMON_PROGRAMS) + "\\" + kGroupName; }

void FailWith(const char* file, int line, const std::string& what) { check::Fail(file, line, what.c_str()); }

void ExpectSameFile(const std::string& installed, const std::string& source) {
    std::string got, want;
    if (!ReadWholeFile(installed, got)) {
        FailWith(__FILE__, __LINE__, "not installed: " + installed);
        return;
    }
    if (!ReadWholeFile(source, want)) {
        FailWith(__FILE__, __LINE__, "source unreadable: " + source);
        return;
    }
    if (got != want) {
        std::printf("    %s: %u bytes, source %s: %u bytes\n", installed.c_str(), unsigned(got.size()),
                    source.c_str(), unsigned(want.size()));
        FailWith(__FILE__, __LINE__, "installed file differs from its source: " + installed);
    }
}

// A REG_SZ value stored with exactly the text and its terminating zero.
void ExpectText(HKEY root, const char* key, const char* name, const std::string& text) {
    RegistryValue value = ReadRegistryValue(root, key, name);
    if (!value.found) {
        FailWith(__FILE__, __LINE__, std::string("registry value missing: ") + key + " : " + name);
        return;
    }
    CHECK_NUM(value.type, REG_SZ);
    std::string stored = value.bytes;
    bool terminated = !stored.empty() && stored[stored.size() - 1] == '\0';
    if (terminated) stored.resize(stored.size() - 1);
    CHECK_STR(stored.c_str(), text.c_str());
    CHECK(terminated);
}

void ExpectNumber(HKEY root, const char* key, const char* name, DWORD number) {
    RegistryValue value = ReadRegistryValue(root, key, name);
    DWORD stored = 0;
    CHECK(value.found && value.type == REG_DWORD && value.bytes.size() == sizeof stored);
    if (value.bytes.size() == sizeof stored) std::memcpy(&stored, value.bytes.data(), sizeof stored);
    CHECK_NUM(stored, number);
}

// The payload's size once installed, in KiB rounded up, from its sources.
DWORD PayloadKiB(const BuiltFiles& files) {
    const std::string* sources[] = {&files.browser, &files.skin, &files.language,
                                    &files.icon, &files.uninstaller, &files.settings};
    unsigned long long bytes = 0;
    for (const std::string* source : sources) {
        std::string content;
        CHECK(ReadWholeFile(*source, content));
        bytes += content.size();
    }
    return static_cast<DWORD>((bytes + 1023) / 1024);
}

void CheckUninstallEntry(DWORD payloadKiB, const char* key, const std::string& folder,
                         const std::string& uninstallString) {
    ExpectText(HKEY_LOCAL_MACHINE, key, "DisplayName", "Quillfen 11.0");
    ExpectText(HKEY_LOCAL_MACHINE, key, "UninstallString", uninstallString);
    ExpectText(HKEY_LOCAL_MACHINE, key, "QuietUninstallString", "\"" + folder + "\\uninstall.exe\" -s");
    ExpectText(HKEY_LOCAL_MACHINE, key, "DisplayIcon", folder + "\\qf11.ico");
    ExpectText(HKEY_LOCAL_MACHINE, key, "DisplayVersion", "11.0");
    ExpectText(HKEY_LOCAL_MACHINE, key, "Publisher", "Quillfen");
    ExpectText(HKEY_LOCAL_MACHINE, key, "InstallLocation", folder);
    ExpectNumber(HKEY_LOCAL_MACHINE, key, "EstimatedSize", payloadKiB);
    ExpectNumber(HKEY_LOCAL_MACHINE, key, "NoModify", 1);
    ExpectNumber(HKEY_LOCAL_MACHINE, key, "NoRepair", 1);
    // The product's own entry also keeps the record of the installed files.
    CHECK_NUM(CountValues(HKEY_LOCAL_MACHINE, key), key == kUninstallEntryKey ? 11 : 10);
    CHECK_NUM(CountSubkeys(HKEY_LOCAL_MACHINE, key), 0);
}

}  // namespace

void CleanMachine::Reset() {
    EndProcessesNamed("quillfen.exe");
    DeleteUserDefaultValue();
    DeleteKeyLevels(HKEY_LOCAL_MACHINE, kUninstallEntryKey, 2);
    DeleteKeyLevels(HKEY_LOCAL_MACHINE, kListedEntryKey, 1);
    CreateKeyPath(HKEY_LOCAL_MACHINE, kUninstallKey);
    DeleteKeyLevels(HKEY_CURRENT_USER, kUserRecordKey, 2);
    for (const char* base : kTestBases) DeleteTree(base);
    DeleteTree(ProgramGroup());
    DeleteTree(CommonShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\" + kBrowserLinkName);
    DeleteTree(CommonShellFolder(CSIDL_COMMON_STARTMENU) + "\\" + kBrowserLinkName);
    for (const std::string& log : RunLogs()) DeleteFileA(log.c_str());
}

CapturedRun RunSilentSetup(const BuiltFiles& files, const std::string& base, const char* closeTitle) {
    if (!SetUserDefaultValue(base)) {
        // Without the value "-s" shows the wizard; do not run into it.
        check::Fail(__FILE__, __LINE__, "SetUserDefaultValue(base)");
        return CapturedRun();
    }
    CapturedRun run = RunCaptured("\"" + files.setup + "\" -s", kSetupTimeoutMs, closeTitle);
    CHECK(run.started);
    CHECK(run.exited);
    return run;
}

CapturedRun RunSilentClosingWindows(const std::string& program, const std::string& base) {
    BuiltFiles setup;
    setup.setup = program;
    return RunSilentSetup(setup, base, "  Quillfen Setup ");
}

void CheckResultLines(const std::string& output, const int (&codes)[6]) {
    bool unterminated = false;
    std::vector<std::string> lines = SplitLines(output, &unterminated);
    CHECK(!unterminated);
    CHECK_NUM(lines.size(), 6);
    for (size_t i = 0; i < lines.size() && i < 6; ++i) {
        char want[32];
        std::snprintf(want, sizeof want, "Result code=%d", codes[i]);
        CHECK_STR(lines[i].c_str(), want);
    }
}

void CheckInstalledFiles(const BuiltFiles& files, const std::string& folder, bool held) {
    ExpectSameFile(folder + "\\quillfen.exe", files.browser);
    ExpectSameFile(folder + "\\skin\\default_en.dll", files.skin);
    ExpectSameFile(folder + "\\en.dll", files.language);
    ExpectSameFile(folder + "\\qf11.ico", files.icon);
    ExpectSameFile(folder + "\\uninstall.exe", files.uninstaller);
    ExpectSameFile(folder + "\\qf11_default_en.txt", files.settings);
    CHECK(PathExists(folder + "\\install") == held);
    std::string tag;
    CHECK(ReadWholeFile(folder + "\\sno", tag));
    CHECK_NUM(tag.size(), 15);
    CHECK(tag == "qf11_default_en");
}

void CheckRegistration(const BuiltFiles& files, const std::string& folder, const std::string& uninstallString) {
    CheckRegistration(PayloadKiB(files), folder, uninstallString);
}

void CheckRegistration(unsigned long payloadKiB, const std::string& folder, const std::string& uninstallString) {
    CheckUninstallEntry(payloadKiB, kUninstallEntryKey, folder, uninstallString);
    CHECK_NUM(CountSubkeys(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillfen"), 1);
    CheckUninstallEntry(payloadKiB, kListedEntryKey, folder, uninstallString);
    CheckListed(true);

    ExpectText(HKEY_CURRENT_USER, kUserRecordKey, "path", folder + "\\quillfen.exe");
    CHECK_NUM(CountValues(HKEY_CURRENT_USER, kUserRecordKey), 1);
    CHECK_NUM(CountSubkeys(HKEY_CURRENT_USER, "Quillfen"), 1);
    CHECK_NUM(CountSubkeys(HKEY_CURRENT_USER, kUserRecordKey), 0);
}

void CheckListed(bool listed) {
    CapturedRun run = RunCaptured("uninstaller.exe --list", kSetupTimeoutMs);
    REQUIRE(run.started && run.exited);
    bool unterminated = false;
    std::vector<std::string> product;
    for (const std::string& line : SplitLines(run.output, &unterminated))
        if (line.find("Quillfen") != std::string::npos) product.push_back(line);
    CHECK_NUM(product.size(), listed ? 1 : 0);
    if (listed && product.size() == 1) CHECK_STR(product[0].c_str(), "Quillfen 11.0|||Quillfen 11.0");
}

namespace {

void CheckBrowserShortcut(const std::string& path, const std::string& folder) {
    const std::string browserTarget = folder + "\\quillfen.exe";
    const std::string browserIcon = folder + "\\qf11.ico";
    ShortcutContents browser = ReadShortcut(path);
    if (!browser.loaded) FailWith(__FILE__, __LINE__, "shortcut not readable: " + path);
    CHECK_STR(browser.target.c_str(), browserTarget.c_str());
    CHECK_STR(browser.description.c_str(), "Quillfen 11.0");
    CHECK_STR(browser.iconPath.c_str(), browserIcon.c_str());
    CHECK_NUM(browser.iconIndex, 0);
    CHECK_STR(browser.arguments.c_str(), "");
}

}  // namespace

void CheckShortcuts(const std::string& folder, bool wizard) {
    std::string group = ProgramGroup();
    REQUIRE(group.size() > std::string(kGroupName).size() + 1);
    CoInitialize(nullptr);

    CheckBrowserShortcut(group + "\\" + kBrowserLinkName, folder);

    // The uninstaller's path is set with a trailing blank. The link's target
    // comes back as a full path, which drops the blank; the icon location is
    // kept as given, blank included.
    const std::string uninstaller = folder + "\\uninstall.exe";
    const std::string uninstallerIcon = uninstaller + " ";
    ShortcutContents uninstall = ReadShortcut(group + "\\" + kUninstallLinkName);
    CHECK(uninstall.loaded);
    CHECK_STR(uninstall.target.c_str(), uninstaller.c_str());
    CHECK_STR(uninstall.description.c_str(), "Uninstall Quillfen 11.0");
    CHECK_STR(uninstall.iconPath.c_str(), uninstallerIcon.c_str());
    CHECK_NUM(uninstall.iconIndex, 0);
    CHECK_STR(uninstall.arguments.c_str(), "");

    const std::string desktop = CommonShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\" + kBrowserLinkName;
    const std::string startMenu = CommonShellFolder(CSIDL_COMMON_STARTMENU) + "\\" + kBrowserLinkName;
    if (wizard) {
        CheckBrowserShortcut(desktop, folder);
        CheckBrowserShortcut(startMenu, folder);
    } else {
        CHECK(!PathExists(desktop));
        CHECK(!PathExists(startMenu));
    }
    CoUninitialize();
}

std::string NewRunLog(const std::vector<std::string>& before) {
    std::vector<std::string> added;
    for (const std::string& log : RunLogs())
        if (std::find(before.begin(), before.end(), log) == before.end()) added.push_back(log);
    CHECK_NUM(added.size(), 1);
    std::string text;
    if (added.size() == 1) CHECK(ReadWholeFile(added[0], text));
    return text;
}

void CheckRunLog(const std::string& log, const std::vector<std::string>& texts) {
    CHECK(log.size() >= 2 && log.compare(log.size() - 2, 2, "\r\n") == 0);
    for (size_t start = 0, end; start < log.size(); start = end + 2) {
        end = std::min(log.find("\r\n", start), log.size());
        bool stamped = end - start > 13 && log[start + 2] == ':' && log[start + 5] == ':' && log[start + 8] == '.' &&
                       log[start + 12] == ' ' && log.find('\n', start) >= end;
        if (!stamped) FailWith(__FILE__, __LINE__, "not a log line: " + log.substr(start, end - start));
    }
    for (const std::string& text : texts)
        if (log.find(text) == std::string::npos) FailWith(__FILE__, __LINE__, "not in the log: " + text);
    for (size_t error = log.find(": error "); error != std::string::npos; error = log.find(": error ", error + 1)) {
        size_t colon = log.find(": ", error + 8);
        CHECK(colon != std::string::npos && log.compare(colon + 2, 2, "\r\n") != 0);
    }
}

void CheckNoShortcuts() {
    CHECK(!PathExists(ProgramGroup()));
    CHECK(!PathExists(CommonShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\" + kBrowserLinkName));
    CHECK(!PathExists(CommonShellFolder(CSIDL_COMMON_STARTMENU) + "\\" + kBrowserLinkName));
}

void CheckNoBrowserRunning() {
    CHECK(!HasWindow(0, kBrowserTitle));
    CHECK_NUM(ProcessesNamed("quillfen.exe").size(), 0);
}
