// Finding the setup program's dialogs and using them as a user would: reading
// their texts, pressing their buttons and keys, the Close command and the
// caption's own close button. Every wait is bounded.
#pragma once

#include <windows.h>

#include <string>

#include "tests/ui/SetupRun.h"

enum DialogKind { LICENCE_PAGE, PROGRESS_PAGE, MESSAGE_BOX };

const DWORD kDialogWaitMs = 30000;

// A shown dialog of that kind belonging to the run's process, or null.
HWND FindDialog(const SetupRun& run, DialogKind kind);
// Waits for one; null when the process ends first or the time is up.
HWND WaitForDialog(const SetupRun& run, DialogKind kind, DWORD timeoutMs = kDialogWaitMs);
// Waits until the window no longer exists.
bool WaitUntilGone(HWND window, DWORD timeoutMs = kDialogWaitMs);
// Whether any dialog of the run's process is shown.
HWND AnyDialog(const SetupRun& run);

// A window's text through WM_GETTEXT (bounded); "<no answer>" if it hangs.
std::string TextOf(HWND window);
std::string ControlText(HWND dialog, int id);
bool ControlShown(HWND dialog, int id);

// The control of `dialog` that has the focus, or the dialog itself.
HWND FocusOf(HWND dialog);

// A click on the button `id` (BM_CLICK posted to the button).
void ClickButton(HWND dialog, int id);
// A key pressed and released, posted to the control that has the focus.
void PressKey(HWND dialog, UINT virtualKey);
// The system Close command, as Alt+F4 sends it.
void SendCloseCommand(HWND dialog);
// A real left-button press and release on the caption's close button.
void ClickCaptionCloseButton(HWND dialog);
// A real drag of the caption, from its middle, by (dx, dy); returns once the
// mouse is released and the program has taken the input.
void DragCaption(HWND dialog, int dx, int dy);
// A real left click at a screen point; a window's centre on the screen.
void ClickAt(POINT point);
POINT CentreOf(HWND window);
// A real click just inside the top-left corner of a control.
void ClickInto(HWND control);
// A real double click in the middle of the button `id`.
void DoubleClickButton(HWND dialog, int id);

// Checks a shown message box: caption, buttons ("OK", or "Yes" and "No")
// and the painted text, which must be recorded after `mark`.
void CheckMessageBox(const SetupRun& run, HWND box, size_t mark, const char* text, bool yesNo);
// Waits for a message box, checks it as above; null (and a failure) if none.
HWND ExpectMessageBox(const SetupRun& run, size_t mark, const char* text, bool yesNo);
// Presses button `id` of a message box and waits until it is gone.
void Answer(HWND box, int id);

extern const char kSetupTitle[];
extern const char kResumeQuestion[];
extern const char kExitQuestion[];
extern const char kUninstallQuestion[];
extern const char kUninstalledReport[];
extern const char kTerminatedReport[];
extern const char kAlreadyRunning[];
extern const char kNotInstalledIn[];
