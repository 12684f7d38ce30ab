// The application object: InitInstance performs the whole run.
#pragma once

#include "fw/CWinApp.h"

class SetupApp : public CWinApp {
public:
    SetupApp();
    ~SetupApp() override;

    BOOL InitInstance() override;
    // The process exit code: the outcome of the run (app/ExitCodes.h).
    int ExitInstance() override;

    void RunTerminationPass();
    void ExtractPayloadSilently();
    void FinishInstall();
    void RegisterUninstall();
    void RemoveInstallation();
    // The progress page in removal mode, until the user closes it.
    void ShowRemovalPage();

private:
    int m_nExitCode;

    void ReportDamage();
    bool TakeRunLock();
    void LoadSetupState();
    void LookUpSilentFolder();
    bool RefuseUnregisteredFolder();
    void RunUninstall();
    void RunWizard();
    void RollBackInstall();
};

// Set at link time: the separately built uninstaller only ever uninstalls.
extern const bool kUninstallerBuild;
