// The files a UI case works with, the machine state it resets around itself,
// and the checks of what an installation or a removal left behind.
#pragma once

#include <string>

#include "tests/system/BuiltFiles.h"

struct UiFiles {
    BuiltFiles built;          // setup, uninstaller and payload sources
    std::string shortPayload;  // setup whose manifest lists one file more than it carries
    std::string stub;          // setup with an empty manifest and no payload
    std::string licence;       // res/licence.txt
    std::string screenshots;   // folder for the screenshots
};

// Filled from the command line: CASE SETUP SHORT_SETUP STUB_SETUP UNINSTALLER
// BROWSER SKIN LANGUAGE ICON SETTINGS LICENCE HOOK SCREENSHOTS; false if
// incomplete.
bool GetUiFiles(UiFiles& files);

extern const char kInstallFolder[];      // C:\Quillfen\Quillfen 11.0
extern const char kSilentBase[];         // folder named by the per-user default value
extern const char kSilentFolder[];       // kSilentBase\Quillfen\Quillfen 11.0

// Ends browsers, removes registry records, installation folders and shortcuts;
// on construction and on destruction.
class UiMachine {
public:
    UiMachine() { Reset(); }
    ~UiMachine() { Reset(); }
    static void Reset();
};

// `"setup" ARGUMENTS` (nothing after the quoted path when empty).
std::string CommandLine(const std::string& program, const std::string& arguments = std::string());

// The licence as the page must show it: res/licence.txt up to its "$".
std::string ExpectedLicence(const UiFiles& files);

// Installs through the wizard (Accept) and waits for the run to end; the
// started browser is closed again. False (with a failure) if it went wrong.
bool InstallByWizard(const UiFiles& files);
// Installs with "-s" into kSilentBase.
bool InstallSilently(const UiFiles& files);

// The browser started from the installation folder shows its window; it is
// closed afterwards.
void CheckBrowserStartedAndClose(const std::string& folder);

// The four shortcuts of a wizard install exist / none of them exists.
void CheckWizardShortcuts(bool present);
bool ProgramGroupExists();
bool UninstallEntryExists();
bool UserRecordExists();
// After a removal: records and shortcuts gone, the empty parent keys kept.
void CheckRemoved();
