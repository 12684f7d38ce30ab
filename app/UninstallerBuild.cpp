// What only the installed uninstaller does: it removes the files the setup
// placed, and its own file once the run is over (app/InstallerBuild.cpp has
// the setup's versions, which keep the files). Compiled into the uninstaller
// alone, so the setup carries none of it.
#include "app/ExitCodes.h"
#include "app/SetupApp.h"
#include "app/UninstallerCopy.h"
#include "engine/FileRemoval.h"
#include "fw/RunLog.h"
#include "state/SetupState.h"

namespace {

// How long the copy waits for the uninstaller that started it to end.
const DWORD kUninstallerEndMs = 60000;

}  // namespace

bool IsUninstallerBuild() { return true; }

bool SetupApp::RemoveInstalledFiles(const CString& record) {
    FileRemoval files = ::RemoveInstalledFiles(setupState, record);
    if (files.restartPending) m_nExitCode = EXIT_RESTART_PENDING;
    return files.removeUninstaller;
}

// A copy in the temporary folder removes the uninstaller's file once it has
// ended; where none can be started, the restart does.
void SetupApp::RemoveItself() {
    if (!StartUninstallerCopy(setupState, GetModulePath()) && !RemoveUninstallerFile(setupState, true))
        m_nExitCode = EXIT_RESTART_PENDING;
}

// The copy: once the uninstaller has ended, and no other run has started
// meanwhile, its file goes and the folders left empty.
bool SetupApp::FinishAsUninstallerCopy() {
    HANDLE uninstaller = nullptr, log = nullptr;
    CString folder;
    if (!IsUninstallerCopy(m_lpCmdLine, uninstaller, log, folder)) return false;
    // Its lines go on in the uninstaller's log.
    if (log) ContinueRunLog(log);
    if (::WaitForSingleObject(uninstaller, kUninstallerEndMs) == WAIT_OBJECT_0 && TakeRunLock(false)) {
        RunLog("The uninstaller has ended: its copy removes its file");
        LoadSetupState();
        setupState.installFolder = folder;
        RemoveUninstallerFile(setupState, false);
    } else {
        RunLog("The uninstaller's copy could not remove its file: another run is under way");
    }
    // The uninstaller has said how its run ended.
    ContinueRunLog(nullptr);
    return true;
}
