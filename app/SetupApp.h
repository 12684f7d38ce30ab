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

    void LogStart();
    void ReportDamage();
    bool TakeRunLock(bool sayWhy);
    void LoadSetupState();
    void LookUpSilentFolder();
    bool RefuseUnregisteredFolder(bool quiet, CString& registered);
    void RunUninstall(bool quiet);
    // The installed uninstaller's own steps (app/UninstallerBuild.cpp): the
    // files the setup placed, as their record lists them (true when its own
    // file is to go too, with RemoveItself once the run is over); and the run
    // of its copy, which removes its file.
    bool RemoveInstalledFiles(const CString& record);
    void RemoveItself();
    bool FinishAsUninstallerCopy();
    void RunWizard();
    void RollBackInstall();
};

// Which of the two programs this is, set at link time: the separately built
// uninstaller only ever uninstalls. A function, so that link-time
// optimization leaves out of each program what only the other one runs.
bool IsUninstallerBuild();
