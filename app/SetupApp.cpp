#include "app/SetupApp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/ElevatedRun.h"
#include "app/ExitCodes.h"
#include "app/SilentFolder.h"
#include "app/Termination.h"
#include "fw/RunLog.h"
#include "pages/SetupDialog.h"
#include "pages/SetupMessageBox.h"
#include "payload/IntegrityCheck.h"
#include "payload/Manifest.h"
#include "payload/PathMap.h"
#include "payload/TextResource.h"
#include "res/resource.h"
#include "res/version.h"
#include "state/SetupState.h"

SetupApp theApp;

// Every path of InitInstance sets its own outcome; this one is never kept.
SetupApp::SetupApp() : CWinApp(nullptr), m_nExitCode(EXIT_DECLINED) { setupState.fileCount = 0; }

SetupApp::~SetupApp() {}

int SetupApp::ExitInstance() {
    RunLog("Exit code %d ERROR_%s", m_nExitCode, ExitCodeName(m_nExitCode));
    return m_nExitCode;
}

void SetupApp::RunTerminationPass() {
    char name[100] = "quillfen.exe";  // and zero bytes to the end
    int code = TerminateProcessByName(name);
    RunLog("Running browsers: %d: %s", code, TerminationMeaning(code));
    CString line;
    line.Format("Result code=%d\n", code);
    // The system C library's own stdout, taken directly: MinGW's accessor
    // function for it would bring a data section and unwind tables along.
    FILE* out = &_iob[1];
    std::fputs(line, out);
    std::fflush(out);
}

namespace {

// The command line that asks for a silent installation.
bool IsSilentSwitch(const char* commandLine) { return std::strcmp(commandLine, "-s") == 0; }

CString LoadText(unsigned int id) {
    CString text;
    text.LoadString(id);
    return text;
}

// Drive and directory of a file path, ending with its backslash.
CString DriveAndDirectory(const CString& path) {
    const char* text = path;
    int end = 0;
    for (int i = 0; text[i]; ++i)
        if (text[i] == '\\' || text[i] == '/') end = i + 1;
    return path.Left(end);
}

// The product strings of the setup state and their string-table entries.
struct ProductText {
    CString SetupState::*field;
    unsigned int id;
};
const ProductText kProductTexts[] = {
    {&SetupState::setupTitle, IDS_SETUP_TITLE},
    {&SetupState::mainExeName, IDS_MAIN_EXE_NAME},
    {&SetupState::displayName, IDS_DISPLAY_NAME},
    {&SetupState::uninstallLinkName, IDS_UNINSTALL_LINK_NAME},
    {&SetupState::iconFileName, IDS_ICON_FILE_NAME},
    {&SetupState::installFolder, IDS_DEFAULT_DRIVE},
    {&SetupState::productKey, IDS_PRODUCT_KEY},
    {&SetupState::distributionTag, IDS_DISTRIBUTION_TAG},
};

}  // namespace

void SetupApp::LoadSetupState() {
    SetupState& s = setupState;
    s.setupFolder = DriveAndDirectory(GetModulePath());
    ::SetCurrentDirectoryA(s.setupFolder);
    for (const ProductText& text : kProductTexts) (s.*text.field).LoadString(text.id);
    // The default drive followed by the product key.
    s.installFolder += s.productKey;

    ParseManifest(ReadTextResource(IDR_MANIFEST_TEXT), s);
}

// "-s" installs into the folder named by a per-user registry value; when the
// key opens but the value cannot be read, or names no absolute folder, the
// wizard runs instead.
void SetupApp::LookUpSilentFolder() {
    SetupState& s = setupState;
    HKEY key = nullptr;
    if (::RegOpenKeyA(HKEY_CURRENT_USER, LoadText(IDS_SILENT_KEY), &key) != ERROR_SUCCESS) return;
    CString valueName = LoadText(IDS_SILENT_VALUE);

    DWORD size = 261;
    char* buffer = static_cast<char*>(std::calloc(size + 1, 1));
    LONG result = buffer ? ::RegQueryValueExA(key, valueName, nullptr, nullptr,
                                              reinterpret_cast<BYTE*>(buffer), &size)
                         : ERROR_OUTOFMEMORY;
    if (result != ERROR_SUCCESS) {
        std::free(buffer);
        DWORD needed = size;
        size = 261 + needed;
        buffer = static_cast<char*>(std::calloc(static_cast<size_t>(size) + 1, 1));
        result = buffer ? ::RegQueryValueExA(key, valueName, nullptr, nullptr,
                                             reinterpret_cast<BYTE*>(buffer), &size)
                        : ERROR_OUTOFMEMORY;
    }
    CString base;
    if (result == ERROR_SUCCESS) {
        // The data up to its first zero byte or to the end of what was read.
        int length = 0;
        while (static_cast<DWORD>(length) < size && buffer[length] != 0) ++length;
        base = CString(buffer, length);
    }
    if (IsUsableSilentFolder(base))
        s.installFolder = JoinPath(base, s.productKey);
    else
        s.silentMode = false;
    RunLog("-s: default value \"%s\"%s", static_cast<const char*>(base), s.silentMode ? "" : ": not a folder");
    std::free(buffer);
    ::RegCloseKey(key);
}

// A damaged program file is reported before anything on the machine is
// touched, not even a running browser.
void SetupApp::ReportDamage() {
    RunLog("Damaged program file");
    // The quiet uninstaller shows nothing, not even this.
    if (!IsUninstallerBuild() || !IsSilentSwitch(m_lpCmdLine))
        ShowSetupMessageId(IsUninstallerBuild() ? IDS_UNINSTALLER_DAMAGED : IDS_SETUP_DAMAGED, LoadText(IDS_SETUP_TITLE),
                           SETUP_MESSAGE_ICON, MB_OK, 0);
    m_nExitCode = EXIT_DAMAGED;
}

// One run at a time on the machine, setup and uninstaller alike: the lock is
// held until the process ends, however it ends. A second run changes nothing;
// with `sayWhy` it says so.
bool SetupApp::TakeRunLock(bool sayWhy) {
    HANDLE lock = CreateRunLock();
    // One that exists but cannot be opened is another run's too.
    bool taken = lock ? ::WaitForSingleObject(lock, 0) != WAIT_TIMEOUT : ::GetLastError() != ERROR_ACCESS_DENIED;
    if (taken) return true;
    RunLog("Another run under way");
    if (sayWhy)
        ShowSetupMessageId(IDS_ALREADY_RUNNING, LoadText(IDS_SETUP_TITLE), SETUP_MESSAGE_ICON, MB_OK, 0);
    m_nExitCode = EXIT_ALREADY_RUNNING;
    return false;
}

// The program, its command line exactly as given, the system.
void SetupApp::LogStart() {
    RunLog(PRODUCT_NAME_TEXT " " PRODUCT_VERSION_TEXT " %s: %s", IsUninstallerBuild() ? "uninstaller" : "setup",
           static_cast<const char*>(GetModulePath()));
    RunLog("Command line: %s", ::GetCommandLineA());
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    RunLog("Windows %lu.%lu.%lu, %s", version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber & 0xFFFF,
           RunsElevated() ? "elevated" : "not elevated");
}

BOOL SetupApp::InitInstance() {
    RefuseUserRedirections();
    if (IsUninstallerBuild() && FinishAsUninstallerCopy()) return FALSE;
    OpenRunLog();
    LogStart();
    if (!ProgramResourcesIntact()) {
        ReportDamage();
        return FALSE;
    }
    if (!TakeRunLock(!IsSilentSwitch(m_lpCmdLine))) return FALSE;
    for (int pass = 0; pass < 5; ++pass) {
        RunTerminationPass();
        ::Sleep(100);
    }
    RunTerminationPass();
    ::Sleep(500);

    LoadSetupState();

    if (IsUninstallerBuild()) {
        // Started by the registered command with the folder, or by the
        // uninstall shortcut or the quiet command without one: then its own
        // folder is the one.
        bool quiet = IsSilentSwitch(m_lpCmdLine);
        CString folder = quiet ? CString() : CString(m_lpCmdLine);
        if (folder.IsEmpty()) folder = setupState.setupFolder.Left(setupState.setupFolder.GetLength() - 1);
        setupState.installFolder = folder;
        RunLog("Uninstaller%s: %s", quiet ? ", quiet" : "", static_cast<const char*>(folder));
        RunUninstall(quiet);
        return FALSE;
    }

    setupState.silentMode = IsSilentSwitch(m_lpCmdLine);
    if (setupState.silentMode) LookUpSilentFolder();

    if (setupState.silentMode) {
        RunLog("Silent: %s", static_cast<const char*>(setupState.installFolder));
        ExtractPayloadSilently();
        FinishInstall();
        return FALSE;
    }
    if (*m_lpCmdLine && !IsSilentSwitch(m_lpCmdLine)) {
        setupState.installFolder = m_lpCmdLine;
        RunLog("Uninstall: %s", m_lpCmdLine);
        RunUninstall(false);
        return FALSE;
    }
    RunLog("Wizard: %s", static_cast<const char*>(setupState.installFolder));
    RunWizard();
    return FALSE;
}
