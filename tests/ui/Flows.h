// The steps the UI cases share, so that each case reads as what its user
// does: the case's start, the setup's first window, the ways of leaving a
// window, and the message box that follows.
#pragma once

#include <windows.h>

#include <string>

#include "tests/ui/SetupRun.h"
#include "tests/ui/UiMachine.h"

// Every case's start: its files from the command line (`ready` false when
// incomplete) and the machine reset before and after the case.
struct UiCase {
    UiFiles files;
    bool ready;
    UiMachine clean;

    UiCase() : ready(GetUiFiles(files)) {}
    // The built setup program's command line.
    std::string Setup(const std::string& arguments = std::string()) const {
        return CommandLine(files.built.setup, arguments);
    }
};

// Whether the run started with the hook in place (a failure if not).
bool StartedWithHook(const SetupRun& run);
// Once the run started with the hook, its licence page; null otherwise.
HWND WaitForLicencePage(const SetupRun& run);
// Once the run started with the hook, the uninstall question (checked as
// ExpectMessageBox checks it); null otherwise.
HWND WaitForUninstallQuestion(const SetupRun& run);

// A run that only says `text` in an OK box: the box is checked and
// answered, and the run's exit code returned once it ended (STILL_ACTIVE if
// no box came or it did not end).
DWORD ExitAfterReport(const SetupRun& run, const std::string& text);

// What a user does to a window.
typedef void (*UserAction)(HWND window);
void ClickAccept(HWND licencePage);
void ClickNo(HWND licencePage);
void DoubleClickNo(HWND licencePage);
void PressEscape(HWND window);
void PressEnter(HWND window);
// SendCloseCommand and ClickCaptionCloseButton (Dialogs.h) fit as well.

// Does `action` to `window` and returns the message box that follows,
// checked as ExpectMessageBox checks it, or null. `mark`, when given,
// receives the log position taken just before the action.
HWND BoxAfter(const SetupRun& run, HWND window, UserAction action, const char* text, bool yesNo,
              size_t* mark = nullptr);
// The same for an action that closes `window`: it must be gone first.
HWND BoxAfterLeaving(const SetupRun& run, HWND window, UserAction action, const char* text, bool yesNo,
                     size_t* mark = nullptr);
