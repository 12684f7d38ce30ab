// The security of the product folders, like that of Program Files: owner
// Administrators; SYSTEM and Administrators may do anything, Users read and
// execute; inherited by everything below, nothing passed on from the folder
// above. No other user may write, rename or plant anything there, so no
// one can steer what the elevated run writes, or what an administrator
// later starts from there.
#pragma once

#include <windows.h>

// For CreateDirectoryA: the folder is closed from the start; nullptr where
// the system has no file security (the 9x family) or cannot make it.
SECURITY_ATTRIBUTES* ClosedFolderAttributes();

// Gives the folder held by `folder` (opened with READ_CONTROL, WRITE_DAC and
// WRITE_OWNER) that security, also what lies below it. ERROR_SUCCESS where it
// holds, or where the system has no file security; else what went wrong.
DWORD CloseFolder(HANDLE folder);
