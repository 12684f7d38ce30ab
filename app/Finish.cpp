// The last step of both install paths: a complete installation is
// registered, gets its shortcuts and (outside the silent mode) is started.
// For an incomplete one the user is told; what the run wrote is already
// gone (ExtractionRun::End), and nothing it did not write is touched: the
// registration and the shortcuts belong to an earlier installation, or to
// none.
#include "app/ExitCodes.h"
#include "app/SetupApp.h"
#include "engine/Extraction.h"
#include "engine/Registration.h"
#include "engine/Shortcut.h"
#include "fw/RunLog.h"
#include "pages/SetupDialog.h"
#include "pages/SetupMessageBox.h"
#include "res/resource.h"
#include "state/SetupState.h"

void SetupApp::ExtractPayloadSilently() { ExtractAllEntries(setupState); }

void SetupApp::RegisterUninstall() { RegisterInstallation(setupState); }

void SetupApp::RollBackInstall() {
    ShowRemovalPage();
    ShowSetupMessageId(IDS_SETUP_TERMINATED, setupState.setupTitle, SETUP_MESSAGE_ICON, MB_OK, 0);
    m_nExitCode = EXIT_ROLLED_BACK;
}

void SetupApp::FinishInstall() {
    const SetupState& s = setupState;
    RunLog("%d of %d files", s.installedCount, s.fileCount);
    if (s.installedCount != s.fileCount) {
        RollBackInstall();
        return;
    }
    RegisterUninstall();
    m_nExitCode = EXIT_INSTALLED;  // a shortcut that cannot be made is no failure
    if (CreateProductShortcuts(s) && !s.silentMode) StartBrowser(s);
}
