// A running program cannot delete its own file. The uninstaller leaves that
// to a copy of itself in the temporary folder, started as its last act: the
// copy waits for it to end, deletes its file and the folders left empty, and
// ends; the copy's own file goes with it, held open by it to be deleted when
// the last handle closes.
#pragma once

#include <windows.h>

#include "fw/CString.h"

struct SetupState;

// Starts a copy of `program`, the running uninstaller, for the installation
// folder of `s`. False when it could not be made or started (the
// uninstaller's file then goes at the next restart).
bool StartUninstallerCopy(const SetupState& s, const CString& program);

// Whether `commandLine` is that of such a copy: the uninstaller that started
// it, which has handed it a handle to itself and one to its log (null when
// it had none), and the installation folder.
bool IsUninstallerCopy(const char* commandLine, HANDLE& uninstaller, HANDLE& log, CString& installFolder);
