#include "tests/ui/UiMachine.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "tests/harness/check.h"
#include "tests/system/ChildProcess.h"
#include "tests/system/InstallChecks.h"
#include "tests/system/MachineState.h"
#include "tests/ui/Dialogs.h"
#include "tests/ui/SetupRun.h"
#include "tests/ui/UiCheck.h"
#include "res/resource.h"

// Declared by the headers only for later Windows versions than the program's.
extern "C" WINBASEAPI BOOL WINAPI QueryFullProcessImageNameA(HANDLE, DWORD, LPSTR, PDWORD);

const char kInstallFolder[] = "C:\\Quillfen\\Quillfen 11.0";
const char kSilentBase[] = "C:\\qf ui silent";
const char kSilentFolder[] = "C:\\qf ui silent\\Quillfen\\Quillfen 11.0";

namespace {

const char kLinkName[] = "Quillfen 11.0.lnk";
const char kGroupName[] = "Quillfen 11.0";
const char kBrowserTitle[] = "Quillfen 11.0";
const DWORD kRunEndMs = 60000;

std::string ProgramGroup() { return CommonShellFolder(CSIDL_COMMON_PROGRAMS) + "\\" + kGroupName; }

struct BrowserSearch {
    std::string image;
    HWND found;
    DWORD processId;
};

// The full path of a process's program file, as the system keeps it. Not
// read from the process's memory: qemu-i386 (the i686 stage on kernels
// without 32-bit support) cannot read another process's.
std::string ImagePath(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process) return std::string();
    char path[MAX_PATH];
    DWORD size = sizeof path;
    std::string image = QueryFullProcessImageNameA(process, 0, path, &size) ? std::string(path, size) : "";
    CloseHandle(process);
    return image;
}

BOOL CALLBACK MatchBrowser(HWND window, LPARAM param) {
    BrowserSearch* search = reinterpret_cast<BrowserSearch*>(param);
    char title[64];
    if (!IsWindowVisible(window) || GetWindowTextA(window, title, sizeof title) <= 0 ||
        std::strcmp(title, kBrowserTitle) != 0)
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (lstrcmpiA(ImagePath(pid).c_str(), search->image.c_str()) != 0) return TRUE;
    search->found = window;
    search->processId = pid;
    return FALSE;
}

}  // namespace

bool GetUiFiles(UiFiles& files) {
    std::string* slots[] = {&files.built.setup,    &files.shortPayload,  &files.stub,
                            &files.built.uninstaller, &files.built.browser, &files.built.skin,
                            &files.built.language, &files.built.icon,    &files.built.settings,
                            &files.licence};
    const int count = static_cast<int>(sizeof slots / sizeof slots[0]);
    if (__argc < 2 + count + 2) {
        std::printf("usage: ui_tests CASE SETUP SHORT_SETUP STUB_SETUP UNINSTALLER BROWSER SKIN LANGUAGE ICON "
                    "SETTINGS LICENCE HOOK SCREENSHOTS\n");
        return false;
    }
    for (int i = 0; i < count; ++i) {
        *slots[i] = WindowsPath(__argv[2 + i]);
        if (!PathExists(*slots[i])) {
            std::printf("built file not found: %s\n", slots[i]->c_str());
            return false;
        }
    }
    SetHookLibrary(WindowsPath(__argv[2 + count]));
    files.screenshots = WindowsPath(__argv[3 + count]);
    return true;
}

void UiMachine::Reset() {
    CleanMachine::Reset();
    DeleteTree("C:\\Quillfen");
    DeleteTree(kSilentBase);
}

std::string CommandLine(const std::string& program, const std::string& arguments) {
    std::string line = "\"" + program + "\"";
    if (!arguments.empty()) line += " " + arguments;
    return line;
}

std::string ExpectedLicence(const UiFiles& files) {
    std::string text;
    ReadWholeFile(files.licence, text);
    size_t end = text.find('$');
    return end == std::string::npos ? text : text.substr(0, end);
}

bool InstallByWizard(const UiFiles& files) {
    SetupRun run(CommandLine(files.built.setup));
    if (!run.Started() || !run.Hooked()) {
        CHECK(!"the setup started with the hook");
        return false;
    }
    HWND page = WaitForDialog(run, LICENCE_PAGE);
    if (!page) {
        CHECK(!"the licence page appeared");
        return false;
    }
    ClickButton(page, IDC_ACCEPT);
    if (!run.WaitForEnd(kRunEndMs)) {
        CHECK(!"the wizard installation ended");
        return false;
    }
    CheckBrowserStartedAndClose(kInstallFolder);
    bool installed = UninstallEntryExists() && PathExists(std::string(kInstallFolder) + "\\uninstall.exe");
    CHECK(installed);
    return installed;
}

bool InstallSilently(const UiFiles& files) {
    if (!SetUserDefaultValue(kSilentBase)) return false;
    CapturedRun run = RunCaptured(CommandLine(files.built.setup, "-s"), kRunEndMs);
    DeleteUserDefaultValue();
    CHECK(run.exited);
    bool installed = run.exited && UninstallEntryExists() && ProgramGroupExists();
    CHECK(installed);
    return installed;
}

void CheckBrowserStartedAndClose(const std::string& folder) {
    BrowserSearch search = {folder + "\\quillfen.exe", nullptr, 0};
    if (!WaitFor([&] {
            EnumWindows(MatchBrowser, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        }, 30000)) {
        std::printf("    no window \"%s\" of %s\n", kBrowserTitle, search.image.c_str());
        CHECK(!"the browser was started from the installation folder");
        return;
    }
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, search.processId);
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (process) {
        if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) TerminateProcess(process, 99);
        CloseHandle(process);
    }
    EndProcessesNamed("quillfen.exe");
}

void CheckWizardShortcuts(bool present) {
    const std::string desktop = CommonShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\" + kLinkName;
    const std::string startMenu = CommonShellFolder(CSIDL_COMMON_STARTMENU) + "\\" + kLinkName;
    const std::string groupLink = ProgramGroup() + "\\" + kLinkName;
    const std::string uninstallLink = ProgramGroup() + "\\Uninstall Quillfen 11.0.lnk";
    CHECK(PathExists(desktop) == present);
    CHECK(PathExists(startMenu) == present);
    CHECK(PathExists(groupLink) == present);
    CHECK(PathExists(uninstallLink) == present);
}

bool ProgramGroupExists() { return PathExists(ProgramGroup()); }

bool UninstallEntryExists() { return KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntryKey); }

bool UserRecordExists() { return KeyExists(HKEY_CURRENT_USER, kUserRecordKey); }

void CheckRemoved() {
    CHECK(!UninstallEntryExists());
    CHECK(!KeyExists(HKEY_LOCAL_MACHINE, kListedEntryKey));
    CheckListed(false);
    CHECK(!UserRecordExists());
    CHECK(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillfen"));
    CHECK(KeyExists(HKEY_CURRENT_USER, "Quillfen"));
    CHECK(!PathExists(CommonShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\" + kLinkName));
    CHECK(!PathExists(CommonShellFolder(CSIDL_COMMON_STARTMENU) + "\\" + kLinkName));
    CHECK(!ProgramGroupExists());
}
