// Shortcut files made through the shell's link object.
#pragma once

#include "fw/CString.h"

struct SetupState;

// The shortcut file `name` in `folder`: folder [+ "\"] + name + ".lnk";
// empty when that would not fit MAX_PATH.
CString ShortcutFile(const CString& folder, const CString& name);

// Writes folder\name.lnk. A failure leaves no file and is not reported; a
// path that would not fit MAX_PATH is refused.
void CreateShortcut(const char* folder, const CString& target, const CString& name, const CString& iconPath,
                    int iconIndex);

// The browser's shortcuts on the all-users desktop and Start menu (not in
// silent mode), then the program group with the browser and the uninstaller.
// False when a folder could not be found: the shortcuts after it are not
// made, and the browser is not started.
bool CreateProductShortcuts(const SetupState& s);

// Starts the installed browser.
void StartBrowser(const SetupState& s);
