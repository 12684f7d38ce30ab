// The interactive modes: the installation wizard and uninstall mode.
#include "app/ExitCodes.h"
#include "app/SetupApp.h"
#include "app/UninstallFolder.h"
#include "engine/Registration.h"
#include "engine/Removal.h"
#include "fw/RunLog.h"
#include "pages/LicensePage.h"
#include "pages/ProgressPage.h"
#include "pages/SetupMessageBox.h"
#include "payload/TextResource.h"
#include "res/resource.h"
#include "state/SetupState.h"

namespace {

int Ask(unsigned int textId) {
    return ShowSetupMessageId(textId, setupState.setupTitle, SETUP_MESSAGE_ICON, MB_YESNO, 0);
}

}  // namespace

void SetupApp::RemoveInstallation() { RemoveRegistration(setupState); }

void SetupApp::ShowRemovalPage() {
    ProgressPage page(PROGRESS_REMOVE, nullptr);
    page.DoModal();
}

// Only the installation the folder names is taken back: when the product is
// registered in another folder, the run changes nothing and says so (unless
// `quiet`). `registered` receives the registered folder it names.
bool SetupApp::RefuseUnregisteredFolder(bool quiet, CString& registered) {
    CString folders[2];
    int count = ReadRegisteredFolders(setupState, folders);
    if (count == 0) return false;
    CString folder = UninstallArgumentFolder(setupState.installFolder);
    for (int i = 0; i < count; ++i) {
        registered = UninstallArgumentFolder(folders[i]);
        if (::lstrcmpiA(registered, folder) == 0) return false;
    }
    registered.Empty();
    RunLog("%s: not the registered folder", static_cast<const char*>(folder));
    CString text;
    text.LoadString(IDS_NOT_INSTALLED_IN);
    text += folder;
    if (!quiet) ShowSetupMessage(text, setupState.setupTitle, SETUP_MESSAGE_ICON, MB_OK, 0);
    m_nExitCode = EXIT_NOT_INSTALLED;
    return true;
}

// Asks first; only a Yes takes anything away. The removal page stands until
// the user closes it, then the registration and shortcuts are removed, and
// by the installed uninstaller the files the setup placed. `quiet` (the
// uninstaller's "-s") asks nothing and shows nothing.
void SetupApp::RunUninstall(bool quiet) {
    CString registered;
    if (RefuseUnregisteredFolder(quiet, registered)) return;
    CString question, part;
    question.LoadString(IDS_UNINSTALL_QUESTION_1);
    question += setupState.displayName;
    part.LoadString(IDS_UNINSTALL_QUESTION_2);
    question += part;
    part.LoadString(IDS_UNINSTALL_QUESTION_3);
    question += part;
    if (!quiet && ShowSetupMessage(question, setupState.setupTitle, SETUP_MESSAGE_ICON, MB_YESNO, 0) != 1) {
        m_nExitCode = EXIT_DECLINED;
        return;
    }
    if (!quiet) ShowRemovalPage();
    // The record goes with the registration: read first. Its paths lie below
    // the folder registered.
    CString record = ReadInstallRecord(setupState);
    if (!registered.IsEmpty()) setupState.installFolder = registered;
    RemoveInstallation();
    m_nExitCode = EXIT_UNINSTALLED;
    bool removeItself = RemoveInstalledFiles(record);
    if (!quiet)
        ShowSetupMessageIds(IDS_DISPLAY_NAME, IDS_UNINSTALLED, setupState.setupTitle, SETUP_MESSAGE_ICON, MB_OK, 0);
    // Its own file last, once the run is over.
    if (removeItself) RemoveItself();
}

// Licence, (nothing), installation; a step that is not completed asks
// whether to resume it, and anything but Yes ends the run unfinished.
void SetupApp::RunWizard() {
    setupState.licenseText = ReadTextResource(IDR_LICENSE_TEXT);
    const int lastStep = 3;
    int step = 1;
    bool askResume = false;
    while (step <= lastStep) {
        if (askResume && Ask(IDS_RESUME_QUESTION) != 1) break;
        askResume = false;
        if (step == 1) {
            LicensePage page(nullptr);
            if (page.DoModal() == PAGE_NEXT)
                step = 2;
            else
                askResume = true;
        } else if (step == 2) {
            step = 3;
        } else {
            ProgressPage page(PROGRESS_INSTALL, nullptr);
            if (page.DoModal() == PAGE_NEXT)
                step = 4;
            else
                askResume = true;
        }
    }
    if (!askResume && step > lastStep)
        FinishInstall();
    else
        m_nExitCode = EXIT_DECLINED;
}
